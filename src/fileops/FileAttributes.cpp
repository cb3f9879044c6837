#include "fileops/FileAttributes.h"

#include <cwchar>

#include "common/Handle.h"
#include "common/TreeWalk.h"
#include "filer/DateFields.h"
#include "filer/LocalClock.h"

namespace zq::fileops {
namespace {

constexpr wchar_t kConfirmCaption[] = L"確認";

std::wstring Format(const wchar_t* pattern, const std::wstring& path) {
    std::wstring text(path.size() + std::wcslen(pattern) + 1, L'\0');
    const int n = std::swprintf(text.data(), text.size(), pattern, path.c_str());
    text.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return text;
}

// The platform reads a word of 0 as "no change requested" on some versions;
// the normal bit says what is meant.
DWORD WordToWrite(DWORD word) {
    word &= ~FILE_ATTRIBUTE_DIRECTORY;
    return word == 0 ? FILE_ATTRIBUTE_NORMAL : word;
}

class ChangeRun {
  public:
    ChangeRun(IFileSystem& fs, IChangeAsker& asker, const AttributeChange& change)
        : m_fs(fs), m_asker(asker), m_change(change) {}

    // One entry of the selection; false when the user ended the operation.
    bool Entry(const std::wstring& path, bool directory) {
        if (directory && m_change.intoDirectories && !Walk(path)) return false;
        if (m_change.times && !SetEntryTimes(m_fs, path, directory, m_change.stamps)) {
            // Only the time part reports a failure on the entry itself.
            if (!m_asker.AskContinue(Format(L"%lsの日付の変更に失敗しました。\n続けますか", path), L"日付変更継続",
                                     true))
                return false;
        }
        if (m_change.attributes && !(directory && m_change.leaveDirectories))
            (void)m_fs.SetAttributes(path, WordToWrite(m_change.word));
        return true;
    }

  private:
    // Everything below one directory of the selection.  A No to a failure
    // there abandons this directory only when attributes alone change; with
    // times it ends the whole operation.
    bool Walk(const std::wstring& top) {
        TreeWalker<> walk(m_fs);
        walk.Enter(top, std::wstring());
        WIN32_FIND_DATAW data{};
        for (;;) {
            switch (walk.Next(data)) {
                case TreeWalker<>::Step::Finished:
                    return true;
                case TreeWalker<>::Step::LinkBackUp:
                case TreeWalker<>::Step::Link:
                    break;
                case TreeWalker<>::Step::DirectoryDone: {
                    const std::wstring done = walk.Top().Path();
                    walk.Leave();
                    // The top directory is the selection's own entry, done by the caller.
                    if (walk.Walking() && !Inner(done, true)) return !m_change.times;
                    break;
                }
                case TreeWalker<>::Step::Entry: {
                    const std::wstring path = JoinPath(walk.Top().Path(), data.cFileName);
                    if (DirectoryEnumerator::IsDirectory(data)) {
                        walk.Enter(path, std::wstring());
                    } else if (!Inner(path, false)) {
                        return !m_change.times;
                    }
                    break;
                }
            }
        }
    }

    // An entry inside a walked directory; false when the user said No to its failure.
    bool Inner(const std::wstring& path, bool directory) {
        bool ok = true;
        if (m_change.times) ok = SetEntryTimes(m_fs, path, directory, m_change.stamps);
        if (m_change.attributes && !(directory && m_change.leaveDirectories))
            ok = m_fs.SetAttributes(path, WordToWrite(m_change.word)) && ok;
        if (ok) return true;
        const wchar_t* pattern = !m_change.times ? L"%lsの属性変更に失敗しました続けますか"
                                 : m_change.attributes ? L"%lsの属性および日付の変更に失敗しました。続けますか？"
                                                       : L"%lsの日付の変更に失敗しました。続けますか？";
        return m_asker.AskContinue(Format(pattern, path), kConfirmCaption, false);
    }

    IFileSystem& m_fs;
    IChangeAsker& m_asker;
    const AttributeChange& m_change;
};

const FILETIME* Pointer(const std::optional<FILETIME>& time) {
    return time ? &*time : nullptr;
}

}  // namespace

bool ApplyAttributeChange(IFileSystem& fs, IChangeAsker& asker, const SelectionSnapshot& selection,
                          const AttributeChange& change) {
    ChangeRun run(fs, asker, change);
    for (size_t i = 0; i < selection.Count(); ++i) {
        const FileEntry& entry = selection.entries[i];
        if (!run.Entry(JoinPath(selection.DirectoryOf(i), entry.cFileName), SelectionSnapshot::IsDirectory(entry)))
            return false;
    }
    return true;
}

bool SetEntryTimes(IFileSystem& fs, const std::wstring& path, bool directory, const TimeStamps& stamps) {
    const DWORD before = fs.Attributes(path);
    if (before == INVALID_FILE_ATTRIBUTES) return false;
    const DWORD kept = before & ~FILE_ATTRIBUTE_DIRECTORY;
    if (kept != FILE_ATTRIBUTE_NORMAL && kept != 0) (void)fs.SetAttributes(path, FILE_ATTRIBUTE_NORMAL);
    // A directory opens only with backup semantics; nobody else may hold it
    // meanwhile.  A file stays open to readers and writers.
    UniqueFile handle(fs.Open(path, FILE_WRITE_ATTRIBUTES, directory ? 0 : FILE_SHARE_READ | FILE_SHARE_WRITE,
                              OPEN_EXISTING, directory ? FILE_FLAG_BACKUP_SEMANTICS : 0));
    bool set = false;
    DWORD code = 0;
    if (handle) {
        set = fs.SetTimes(handle.Get(), Pointer(stamps.creation), Pointer(stamps.access), Pointer(stamps.write));
        if (!set) code = ::GetLastError();
        handle.Reset();
    } else {
        code = ::GetLastError();
    }
    if (kept != FILE_ATTRIBUTE_NORMAL && kept != 0) (void)fs.SetAttributes(path, kept);
    if (!set) ::SetLastError(code);
    return set;
}

std::wstring ReadTimeRows(const std::array<TimeRowText, 3>& rows, const LocalClock& clock, TimeStamps& stamps) {
    struct RowTexts {
        const wchar_t* badDate;
        const wchar_t* badTime;
        std::optional<FILETIME> TimeStamps::*slot;
    };
    static const RowTexts kRows[3] = {
        {L"作成日の日付が不正です", L"作成日の時間が不正です", &TimeStamps::creation},
        {L"最終アクセス日の日付が不正です", L"最終アクセス日の時間が不正です", &TimeStamps::access},
        {L"更新日の日付が不正です", L"更新日の時間が不正です", &TimeStamps::write},
    };
    if (!rows[0].enabled && !rows[1].enabled && !rows[2].enabled) return L"日付情報がどれも有効でありません";
    TimeStamps read;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].enabled) continue;
        CivilDate date;
        ClockTime time;
        if (!ParseDateField(rows[i].date, date)) return kRows[i].badDate;
        if (!ParseTimeField(rows[i].time, time)) return kRows[i].badTime;
        SYSTEMTIME local{};
        local.wYear = static_cast<WORD>(date.year);
        local.wMonth = static_cast<WORD>(date.month);
        local.wDay = static_cast<WORD>(date.day);
        local.wHour = static_cast<WORD>(time.hour);
        local.wMinute = static_cast<WORD>(time.minute);
        local.wSecond = static_cast<WORD>(time.second);
        FILETIME utc{};
        // A file time of 0 tells the platform to leave that time alone, so it
        // is as far out of reach as one before 1601.
        if (!clock.ToUtc(local, utc) || (utc.dwLowDateTime == 0 && utc.dwHighDateTime == 0) ||
            static_cast<LONG>(utc.dwHighDateTime) < 0)
            return kRows[i].badDate;
        read.*kRows[i].slot = utc;
    }
    stamps = read;
    return {};
}

bool FormatTimeRow(const FILETIME& time, const LocalClock& clock, std::wstring& date, std::wstring& clockText) {
    SYSTEMTIME local{};
    if (!clock.ToLocal(time, local)) return false;
    date = FormatDateField({local.wYear, local.wMonth, local.wDay});
    clockText = FormatTimeField({local.wHour, local.wMinute, local.wSecond});
    return true;
}

}  // namespace zq::fileops
