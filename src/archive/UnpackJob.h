#pragma once
// Unpacking the archive files selected in a Filer pane into one directory,
// through the command function of the row each archive is chosen for.  No
// window lives here: questions go to an asker, progress to a sink, and the
// dialog's worker thread runs Run().
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

#include <windows.h>

#include "archive/ArchivePlugins.h"
#include "archive/ArchiverTable.h"
#include "filer/FileEntry.h"

namespace zq {

struct UnpackRequest {
    std::wstring destination;  // the chosen directory
    bool folderPerArchive = false;
    bool ignoreFolders = false;
    bool checkPathLength = false;
    std::wstring password;
    // UNPACK%02d%02d: per row, which of its option words are on.
    std::array<std::array<int, 10>, kArchiverRows> unpackOptions{};
};

// The text of a question; true for OK.
class IUnpackQuestions {
  public:
    virtual ~IUnpackQuestions() = default;
    [[nodiscard]] virtual bool OkCancel(const std::wstring& text, const std::wstring& caption) = 0;
    virtual void Inform(const std::wstring& text) = 0;
};

// The destination of one archive, always ending with "\".
[[nodiscard]] std::wstring UnpackDestination(const UnpackRequest& request, const std::wstring& archiveName);
// The option words of a row's command line, each followed by a blank.
// `enabled` (may be null) switches the row's option words on; `leaveOut`
// is an option index left out whatever the switch says (-1 none).
[[nodiscard]] std::wstring UnpackOptionString(const StructArchiverRow& row, bool ignoreFolders,
                                              const std::wstring& password,
                                              const std::array<int, 10>* enabled = nullptr, int leaveOut = -1);
// The whole command line: options, archive, destination (7-zip's row: "-o"
// glued to the destination).  Paths are quoted for the blanks they may hold.
[[nodiscard]] std::wstring UnpackCommandLine(int row, const std::wstring& options, const std::wstring& archive,
                                             const std::wstring& destination);
// 0 when every member fits below the path limits at `destination`, else
// -2 (destination or a folder too long), -3 (a folder to create too long) or
// -4 (a file name too long).  Member names are the library's 8-bit names.
// The command line that unpacks selected members with the first row's command function.
[[nodiscard]] std::wstring MemberCommandLine(bool ignoreFolders, const std::wstring& archive,
                                             const std::wstring& destination, const std::vector<std::wstring>& members);
[[nodiscard]] int CheckPathLengths(const std::string& destination, const std::vector<std::string>& members,
                                   const std::function<bool(const std::string&)>& exists);

// Where a plug-in's member may be written below the destination: its folder
// and name joined ("dir\\file.txt"), "/" read as "\\", empty and "." levels
// dropped, only the name when folders are ignored.  Empty when the member
// would reach outside: a ".." level (also one that Windows trims to ".."),
// a rooted or UNC path, a drive or stream colon.
[[nodiscard]] std::wstring SafeMemberPath(const std::wstring& folder, const std::wstring& name, bool keepFolders);

// Whether unpacking members of these paths (the archive's names, "/" or
// "\\" between folders) into `destination` meets a file already there, which
// then calls for the same-name question instead of an overwrite.
[[nodiscard]] bool AnyNameTaken(const std::wstring& destination, const std::vector<std::wstring>& members,
                                bool keepFolders);

// Why an archiver's command failed, in the words added to a failure message
// ("(パスワードが違います…)"); empty when the code tells nothing more.
[[nodiscard]] std::wstring ArchiverFailureReason(int code);

// The members one command wrote, told apart by the library's progress
// messages: a target met again after another one, or starting over at fewer
// bytes, is a second member of that name, which the library wrote over the
// first.  Two empty members of one name in a row look like one.
class MemberTally {
  public:
    // One progress message: the member's target and the bytes written so far.
    void Note(const std::wstring& target, std::uint64_t done);
    // A member the host writes itself, each call a member of its own.
    void NoteMember(const std::wstring& target);
    // The targets written more than once since the last call, sorted, each once.
    [[nodiscard]] std::vector<std::wstring> TakeRepeated();

  private:
    void Count(const std::wstring& target);

    std::wstring m_last;
    std::uint64_t m_lastDone = 0;
    std::unordered_set<std::wstring> m_seen;  // upper-cased: one file on Windows
    std::vector<std::wstring> m_repeated;
};

class UnpackJob {
  public:
    struct Item {
        std::wstring directory;
        std::wstring name;
    };
    UnpackJob(std::vector<StructArchiverRow> table, std::wstring libraryPath, UnpackRequest request,
              std::vector<Item> items, IUnpackQuestions& questions)
        : m_table(std::move(table)),
          m_libraryPath(std::move(libraryPath)),
          m_request(std::move(request)),
          m_items(std::move(items)),
          m_questions(questions) {}

    // Members of one archive instead of whole archives: `members` are the
    // library's full paths, unpacked by one command line of the first row.
    // `byPlugin`: the archive was listed by an archive plug-in, whose
    // GetFile then writes the members (their full paths as listed).
    void SetMembers(std::wstring archive, std::vector<std::wstring> members, bool byPlugin = false) {
        m_membersOf = std::move(archive);
        m_members = std::move(members);
        m_membersByPlugin = byPlugin;
    }
    // Where names are already taken, the members go into a folder of the
    // job's own inside the destination and then through this (the copy
    // engine's move with its same-name question); false: the user ended it.
    // Without it, what the archiver does with an existing file stands.
    // `archive` is what the question names as the source.
    using PlaceStaged =
        std::function<bool(const std::wstring& staging, const std::wstring& destination, const std::wstring& archive)>;
    void SetStagedPlacement(PlaceStaged place) { m_placeStaged = std::move(place); }
    // Archives that no row accepts go to the archive plug-ins.
    void SetPlugins(IArchivePlugins* plugins) noexcept { m_plugins = plugins; }

    // The window the library sends "wm_arcextract" to while extracting; it
    // hands each message's target on here (the worker waits meanwhile).
    void SetOwnerWindow(HWND owner) noexcept { m_owner = owner; }
    void NoteProgress(const std::wstring& target, std::uint64_t done) { m_tally.Note(target, done); }
    // The archive in progress ("%s/%s" of the number and the count).
    std::function<void(const std::wstring&)> onArchive;
    // Bytes written and to write, on the plug-in route.
    std::function<void(std::uint64_t done, std::uint64_t total)> onBytes;

    // True when every archive was unpacked.
    bool Run();
    void RequestCancel() noexcept { m_stop.store(true); }

  private:
    // false ends the job.
    bool UnpackOne(const Item& item, bool& failed);
    [[nodiscard]] bool AskContinue(const std::wstring& reason, const Item& item);
    // One command line through the library: its answer, -1 when it could not
    // be called, a fault as broken data.
    [[nodiscard]] int Called(const std::string& prefix, const std::wstring& line) const;
    [[nodiscard]] bool UnpackMembers();
    // The plug-in route for one archive: 1 done, 0 failed (reported), -1 no plug-in takes it;
    // `only` limits it to these full paths.
    [[nodiscard]] int UnpackByPlugin(const std::wstring& archive, const std::wstring& destination,
                                     const std::vector<std::wstring>* only);
    [[nodiscard]] bool WriteMember(const std::wstring& target, const UniqueLocal& data, std::size_t size,
                                   std::int64_t timestamp);
    // The library's names of an archive's members: 1 listed, 0 it cannot be
    // opened, -1 the library lacks the listing functions.
    [[nodiscard]] int ListMembers(int row, const std::string& archive, std::vector<std::string>& names);
    // The path-length check over the names listed, which stay in `names`.
    [[nodiscard]] int ListAndCheck(int row, const std::string& archive, const std::wstring& destination,
                                   std::vector<std::string>& names);
    // Unpacks through `unpack` into `destination`, or, where `members` meet
    // files already there, into a staging folder placed afterwards; false
    // when the placement was ended by the user.
    // Names that more than one member of `archive` wrote are told afterwards.
    [[nodiscard]] bool ThroughStaging(const std::wstring& archive, const std::wstring& destination,
                                      const std::vector<std::wstring>& members,
                                      const std::function<void(const std::wstring& into)>& unpack);
    void TellRepeated(const std::wstring& archive, const std::wstring& into);

    std::vector<StructArchiverRow> m_table;
    std::wstring m_libraryPath;
    UnpackRequest m_request;
    std::vector<Item> m_items;
    std::wstring m_membersOf;
    std::vector<std::wstring> m_members;
    bool m_membersByPlugin = false;
    IArchivePlugins* m_plugins = nullptr;
    IUnpackQuestions& m_questions;
    HWND m_owner = nullptr;
    PlaceStaged m_placeStaged;
    MemberTally m_tally;
    std::atomic<bool> m_stop{false};
    std::array<bool, kArchiverRows> m_present{true, true, true, true, true, true, true, true};
};

}  // namespace zq
