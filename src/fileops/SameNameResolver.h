#pragma once
// What the copy engine does with a file whose name already exists as a file in
// the destination: one of seven ways, asked per collision or once per job, and
// the processing that may still bring the source's attributes and times onto a
// destination that is not copied over.
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "common/FileSystem.h"
#include "fileops/CopyInterfaces.h"

namespace zq::fileops {

// The radio order of the way dialog; the number is what the settings store.
enum class CopyWay : int {
    Newer = 0,      // "新しいファイルをコピー(&N)"
    Older = 1,      // "古いファイルをコピー(&O)"
    Larger = 2,     // "大きいサイズのファイルをコピー(&L)"
    Rename = 3,     // "名前を変えてコピー(&R)"
    Numbered = 4,   // "連番ファイル名でコピー(&C)"
    Skip = 5,       // "コピーしない(&S)"
    Overwrite = 6,  // "上書き(&W)"
};
inline constexpr int kCopyWayCount = 7;

// The settings the rules read and the way question writes back.
struct SameNameSettings {
    bool saveWay = false;           // SAVE_SAME_FILE_NAME_COPY_WAY
    int savedWay = 0;               // SAME_FILE_NAME_COPY_WAY
    bool timeRange = false;         // COPY_FILE_TIME_USED_RANGE
    bool noCopyAttributes = false;  // NO_COPY_ACTION_COPY_ATTRIBUTES
    bool noCopyDateTime = false;    // NO_COPY_ACTION_COPY_DATE_TIME
};

// What the way dialog shows and returns.
struct SameNameChoice {
    int way = 0;
    bool sameFromNow = false;       // "以後同設定"
    bool timeRange = false;         // "時間比較に範囲を使用"
    bool noCopyAttributes = false;  // "属性をコピーする"
    bool noCopyDateTime = false;    // "日時をコピーする"
};

// The file a question is about; absent for the compact up-front question.
struct SameNameFile {
    WIN32_FIND_DATAW source{};
    WIN32_FIND_DATAW destination{};
    std::wstring sourceDirectory;
    std::wstring destinationDirectory;
};

// Two last-write times, with a 2-second tolerance when range is on:
// > 0 when a is later, < 0 when b is later, 0 when they count as equal.
int CompareWriteTimes(const FILETIME& a, const FILETIME& b, bool range);

// "%s\\%s%03d.%s" for 0..998: the first numbered path that does not exist; empty
// when all 999 exist.
std::wstring FirstFreeNumberedPath(IFileSystem& fs, const std::wstring& destinationDirectory, const std::wstring& name);

enum class SameNameAction {
    Copy,             // copy over the existing destination
    CopyAs,           // copy under another name (newPath)
    SkipAfterNoCopy,  // leave the destination, run the when-not-copying processing
    Skip,             // leave the destination alone
    EndJob,           // the user cancelled
};
struct SameNameOutcome {
    SameNameAction action = SameNameAction::Skip;
    std::wstring newPath;
};

// A failed when-not-copying step: the last failing call, its code and the words
// of what could not be changed ("属性", "日時", or both joined with ",").
struct NoCopyFailure {
    const wchar_t* call = nullptr;
    DWORD code = 0;
    std::wstring words;
    [[nodiscard]] bool Failed() const noexcept { return call != nullptr; }
};

// The same-name state of one job.
class SameNameResolver {
  public:
    explicit SameNameResolver(const SameNameSettings& settings);

    // The question is due for a collision while "以後同設定" is not in force.
    [[nodiscard]] bool QuestionDue() const noexcept { return !m_sameFromNow; }
    // Asks the way (per collision, or compact with file null).  false: Cancel.
    bool Ask(IOperationAsker& asker, const SameNameFile* file);
    // Applies the job's way to an existing destination file.
    SameNameOutcome Apply(IFileSystem& fs, IOperationAsker& asker, const WIN32_FIND_DATAW& source,
                          const WIN32_FIND_DATAW& destination, const std::wstring& destinationDirectory) const;
    // Brings the source's attributes and/or times onto destinationPath, as the
    // two when-not-copying options say.
    NoCopyFailure RunNoCopyProcessing(IFileSystem& fs, const WIN32_FIND_DATAW& source,
                                      const std::wstring& destinationPath) const;

    [[nodiscard]] CopyWay Way() const noexcept { return static_cast<CopyWay>(m_way); }
    [[nodiscard]] bool FirstQuestion() const noexcept { return m_firstQuestion; }
    [[nodiscard]] bool SameFromNow() const noexcept { return m_sameFromNow; }
    [[nodiscard]] const SameNameSettings& Settings() const noexcept { return m_settings; }
    // For a job that is given its way without a question (tests, synchronised copy).
    void SetWay(CopyWay way, bool sameFromNow);

    // The files this job has written, and the directories it has moved whole.
    // Two sources of one name (search results, drops, several folders) meet
    // here: the second must never silently replace the first one's copy,
    // whatever "以後同設定" says.
    void NoteWritten(const std::wstring& path);
    void NoteWrittenTree(const std::wstring& directory);
    [[nodiscard]] bool WrittenByThisJob(const std::wstring& path) const;
    // Directories this job created: a path inside one that the job has not
    // written (and that is not itself a directory the job made) cannot exist.
    void NoteCreatedDirectory(const std::wstring& directory);
    [[nodiscard]] bool KnownAbsent(const std::wstring& directory, const std::wstring& path) const;
    // Way 4 for one file, whatever the job's way is.
    static SameNameOutcome Numbered(IFileSystem& fs, const WIN32_FIND_DATAW& source,
                                    const std::wstring& destinationDirectory);

  private:
    SameNameSettings m_settings;
    int m_way = 0;
    bool m_firstQuestion = true;
    bool m_sameFromNow = false;
    bool m_noCopyAttributes = false;
    bool m_noCopyDateTime = false;

    struct NoCaseLess {
        bool operator()(const std::wstring& a, const std::wstring& b) const;
    };
    std::set<std::wstring, NoCaseLess> m_written;
    std::vector<std::wstring> m_writtenTrees;
    std::set<std::wstring, NoCaseLess> m_createdDirectories;
};

}  // namespace zq::fileops
