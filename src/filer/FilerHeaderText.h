#pragma once
// Texts of the Filer's title lines and of the header above the panes: volume
// information, file information of the cursor entry, clock and battery.  All
// inputs are passed in; nothing here asks the system.
#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "filer/FilerCellText.h"
#include "filer/FilerColor.h"

namespace zq::filer {

// Captions of the header's boxes.
inline constexpr const wchar_t* kVolumeBoxCaption = L"ﾎﾞﾘｭｰﾑ情報";
inline constexpr const wchar_t* kDriveBoxCaption = L"ﾄﾞﾗｲﾌﾞ選択";
inline constexpr const wchar_t* kSearchBoxCaption = L"ｲﾝｸﾘﾒﾝﾀﾙｻｰﾁ";
inline constexpr const wchar_t* kSearchByFileName = L"ﾌｧｲﾙ名";
inline constexpr const wchar_t* kSearchByPath = L"ﾊﾟｽ";
inline constexpr const wchar_t* kFileInfoBoxCaption = L"ﾌｧｲﾙ情報";
// The clock's and the battery's fields are sized by these templates.
inline constexpr const wchar_t* kClockTemplate = L"0000-00-00   00:00:00";
inline constexpr const wchar_t* kBatteryTemplate = L"ﾊﾞｯﾃﾘ:00h00m(100%)";
// What stands before the battery's text in its field.
inline constexpr const wchar_t* kBatteryLabel = L"ﾊﾞｯﾃﾘ:";

// --- title line -----------------------------------------------------------

enum class FilerTitleKind { Directory, Archive, SearchResults, VirtualDrive };

struct FilerTitleInput {
    FilerTitleKind kind = FilerTitleKind::Directory;
    std::wstring currentDirectory;
    std::wstring archivePath;     // Archive: the archive file
    std::wstring archiveSubPath;  // Archive: the folder inside it, may be empty
    std::wstring virtualDrive;    // VirtualDrive: the drive, e.g. "A:"
    bool writeFreeSize = false;   // WRITEFILERFREESIZE
    uint64_t freeBytes = 0;
    bool spaceKnown = true;  // false where no volume answers (a virtual drive)
};

[[nodiscard]] std::wstring PaneTitleText(const FilerTitleInput& input);

// --- header ---------------------------------------------------------------

struct HeaderItem {
    std::wstring label;
    std::wstring value;
    bool operator==(const HeaderItem&) const = default;
};

struct VolumeInfoValues {
    std::wstring volumeLabel;
    uint64_t capacityBytes = 0;
    uint64_t freeBytes = 0;
    bool spaceKnown = true;  // false: capacity and free space are shown blank, not as "0B"
    std::wstring currentDirectory;
    std::wstring tag;
    int files = 0;
    int directories = 0;
    int markedFiles = 0;
    int markedDirectories = 0;
};

inline constexpr int kVolumeInfoLines = 4;

// The lines of the volume-information box: the items whose HVOLUME flag
// (index 0-8) is on, in the order volume label (7), capacity (8), free space
// (0), current directory (1), tag (2), files (3), directories (4), marked
// files (5), marked directories (6); at most four.
[[nodiscard]] std::vector<HeaderItem> VolumeInfoItems(const std::array<bool, 9>& hvolume,
                                                      const VolumeInfoValues& values);

// Characters the volume box starts in from the left edge.
[[nodiscard]] int VolumeBoxIndent(bool dispVolumeAtHeader);

struct FileInfoInput {
    const WIN32_FIND_DATAW* entry = nullptr;  // the cursor entry; nullptr in an empty listing
    std::wstring shownName;
    std::wstring wildcard;  // the pane's filter
    bool wildcardAppliesToDirs = false;
    int viewFileTimeType = 2;
    LocalTimeFunction toLocal = SystemLocalTime;
};

struct FileInfoTexts {
    HeaderItem name;        // "ﾌｧｲﾙ:"
    HeaderItem date;        // "日付:"
    HeaderItem time;        // "時間:"
    HeaderItem size;        // "ｻｲｽﾞ:"
    HeaderItem attributes;  // "ﾌｧｲﾙ属性", letters "ADHRS"
    HeaderItem mask;        // "ﾏｽｸ :"
};

[[nodiscard]] FileInfoTexts FileInfoItems(const FileInfoInput& input);
// "ADHRS", each letter a space when its attribute is absent.
[[nodiscard]] std::wstring FileInfoAttributeText(DWORD attributes);

// "%04d-%02d-%02d   %02d:%02d:%02d".
[[nodiscard]] std::wstring ClockText(const SYSTEMTIME& localTime);

// The drive letters of the drive-selection box: "%c:" for each letter of
// `driveMask` (bit 0 = A) from the `first`-th on, ten per view, three
// characters apart; `before`/`after` say whether letters are hidden on
// either side (arrow buttons scroll then).
struct HeaderDriveRow {
    std::vector<std::wstring> letters;
    bool before = false;
    bool after = false;
    bool operator==(const HeaderDriveRow&) const = default;
};
inline constexpr int kHeaderDrivesPerView = 10;
inline constexpr int kHeaderDriveSpacing = 3;
[[nodiscard]] HeaderDriveRow HeaderDriveLetters(DWORD driveMask, int first);
// What a click at text column `column` of the drive row means: a letter ("%c:"
// is two columns wide), or a scroll of the row by one letter ("<", ">").
struct HeaderDriveClick {
    wchar_t letter = 0;
    int scroll = 0;
};
[[nodiscard]] HeaderDriveClick HeaderDriveAt(const HeaderDriveRow& row, int column);

// The label of the incremental-search box: "ﾌｧｲﾙ名", or "ﾊﾟｽ" when it
// matches paths.
[[nodiscard]] const wchar_t* SearchBoxLabel(bool byPath);

struct BatteryStatus {
    bool onMains = false;
    int percent = 255;      // 255 when unknown
    long secondsLeft = -1;  // -1 when unknown
};
// A machine without a system battery runs on mains whatever the line
// status says (a desktop may report it as unknown).
[[nodiscard]] BatteryStatus BatteryStatusFrom(const SYSTEM_POWER_STATUS& status);

struct BatteryText {
    std::wstring text;
    COLORREF color = 0;
    bool operator==(const BatteryText&) const = default;
};
// "AC電源", "%02dh%02dm(%03d%%)" or "%03d%%"; pure red below the alarm
// percentage (BATTERY_INFO_ALARM_PERSENT), else ALL_INTRO_COLOR.
[[nodiscard]] BatteryText BatteryInfoText(const BatteryStatus& status, int alarmPercent, const FilerColors& colors);

}  // namespace zq::filer
