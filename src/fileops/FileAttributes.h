#pragma once
// Changing the attribute word and the time stamps of the selected entries,
// with the rules for directories: "DIRの中のファイルも変更" walks into them
// first, "DIRは変更しない" leaves the directories' own attributes alone.  No
// window code: questions go through the asker, the disk through the file
// system seam.
#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "common/FileSystem.h"
#include "filer/SelectionSnapshot.h"

namespace zq {
class LocalClock;
}

namespace zq::fileops {

// The four bits a user may set; the word written is exactly the checked ones.
inline constexpr DWORD kUserAttributeBits =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

// The times to set; a row left out keeps that time as it is.
struct TimeStamps {
    std::optional<FILETIME> creation;
    std::optional<FILETIME> access;
    std::optional<FILETIME> write;
    [[nodiscard]] bool Any() const noexcept { return creation || access || write; }
};

struct AttributeChange {
    bool attributes = false;  // the attribute part is applied
    DWORD word = 0;
    bool times = false;  // the time part is applied
    TimeStamps stamps;
    bool intoDirectories = false;   // CHANRGEATTINDIR
    bool leaveDirectories = false;  // CHANGE_ATTRIBUTE_NEGLECT_DIR: the directories keep their attributes
};

class IChangeAsker {
  public:
    virtual ~IChangeAsker() = default;
    // A question titled `caption`, Yes/No or (okCancel) OK/Cancel; true for Yes or OK.
    virtual bool AskContinue(const std::wstring& text, const std::wstring& caption, bool okCancel) = 0;
};

// Applies the change to every entry of the selection.  False when the user
// ended the operation.
bool ApplyAttributeChange(IFileSystem& fs, IChangeAsker& asker, const SelectionSnapshot& selection,
                          const AttributeChange& change);

// Sets the given times of one file or directory; its attribute word is
// cleared for the moment (a read-only file could not be opened for writing)
// and put back.  False with the last error set when it failed.
bool SetEntryTimes(IFileSystem& fs, const std::wstring& path, bool directory, const TimeStamps& stamps);

// One time row of the dialogs as typed: the enable box, the date and the time (local).
struct TimeRowText {
    bool enabled = false;
    std::wstring date;
    std::wstring time;
};
enum TimeRowIndex : size_t { kRowCreation = 0, kRowAccess = 1, kRowWrite = 2 };

// Validates the three rows and converts them to file times; empty when they
// are valid, else the message that refuses them.  A time that no file time
// can hold (before 1601 in UTC) is refused as an invalid date.
[[nodiscard]] std::wstring ReadTimeRows(const std::array<TimeRowText, 3>& rows, const LocalClock& clock,
                                        TimeStamps& stamps);
// A file time as the rows show it (local date and time); false when it cannot be shown.
bool FormatTimeRow(const FILETIME& time, const LocalClock& clock, std::wstring& date, std::wstring& clockText);

}  // namespace zq::fileops
