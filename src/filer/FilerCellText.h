#pragma once
// The text of a Filer cell: the shown name split into stem and extension and
// shortened to its fields, then the size, date, time and attribute columns of
// the display format.  Also the small formatters shared with the header and
// the drive list (digit grouping, the short size form, dates and times).
#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "filer/FilerCellFormat.h"
#include "filer/FilerColor.h"

namespace zq::filer {

// Converts a file time to local time; the default uses the time-zone rules of
// the system, tests pass a fixed conversion.
using LocalTimeFunction = bool (*)(const FILETIME& utc, SYSTEMTIME& local);
bool SystemLocalTime(const FILETIME& utc, SYSTEMTIME& local);

struct FilerCellOptions {
    FilerDisplayFormat format;
    int nameWidth = 20;                  // from the layout
    int extWidth = 5;                    // from the layout
    int cellWidth = 0;                   // from the layout; bounds the search-result directory
    bool fileNamePack = false;           // FILENAMEPACK
    bool fileNameLastEllipsis = false;   // FILENAMELASTELLIPSIS
    int fileCharType = 0;                // FILECHARTYPE: 1 upper, 2 lower
    bool dosWriteFlag = false;           // DOSWRITEFLAG
    int viewFileTimeType = 2;            // VIEWFILETIMETYPE: 0 creation, 1 access, 2 write
    EntryColorOptions color;             // COLOR_NEGLECT_ATTIRUBTE, DISP_FILE_KIND_COLOR, MPEGNAMEDISPLAY
    LocalTimeFunction toLocal = SystemLocalTime;
};

// One piece of a cell drawn in one colour, starting `column` cells from the
// cell's left edge.
struct CellRun {
    int column = 0;
    std::wstring text;
    COLORREF color = 0;
    bool operator==(const CellRun&) const = default;
};

struct FilerCellContent {
    std::vector<CellRun> runs;
    COLORREF entryColor = 0;
};

// Extra inputs of one cell that do not live in the entry record.
struct FilerCellExtras {
    const std::wstring* musicTitle = nullptr;  // shown instead of the name with MPEGNAMEDISPLAY
    const std::wstring* foundIn = nullptr;     // directory of a search result
};

[[nodiscard]] FilerCellContent BuildFileCell(const WIN32_FIND_DATAW& entry, const FilerCellOptions& options,
                                             const FilerColors& colors, const KindColorTable& kinds,
                                             const FilerCellExtras& extras = {});

// --- names ---------------------------------------------------------------

[[nodiscard]] bool IsDirectoryEntry(const WIN32_FIND_DATAW& entry);
// cFileName, or cAlternateFileName when DOSWRITEFLAG is on and it is not
// empty, converted to upper (1) or lower (2) case per FILECHARTYPE.
[[nodiscard]] std::wstring ShownName(const WIN32_FIND_DATAW& entry, bool dosWriteFlag, int fileCharType);
[[nodiscard]] std::wstring ApplyCharType(std::wstring_view name, int fileCharType);

struct NameParts {
    std::wstring stem;
    std::wstring extension;  // from the last dot, dot included; empty when none
};
// A file's extension begins at its last "."; a dot at position 0 does not
// count, so ".bashrc" has none.  Directories have no extension.
[[nodiscard]] NameParts SplitName(std::wstring_view name, bool isFile);

// The widest stem of a listing in cells, for AUTO_FILE_NAME_WIDTH.
[[nodiscard]] int LongestStemCells(std::span<const WIN32_FIND_DATAW> entries, bool dosWriteFlag, int fileCharType);

// --- numbers, dates, attributes -----------------------------------------

[[nodiscard]] uint64_t EntrySize(const WIN32_FIND_DATAW& entry);
// The time VIEWFILETIMETYPE selects: 0 creation, 1 last access, else last write.
[[nodiscard]] FILETIME EntryTime(const WIN32_FIND_DATAW& entry, int viewFileTimeType);
// "1,234,567".
[[nodiscard]] std::wstring GroupDigits(uint64_t value);
// The size column: "<DIR>" or the grouped size, right-aligned in 14 cells.
[[nodiscard]] std::wstring SizeColumnText(const WIN32_FIND_DATAW& entry);
// The short form in powers of 1000: "%5dB", "%3d.%dK", "%3d.%dM", "%3d.%dG".
[[nodiscard]] std::wstring ShortSizeText(uint64_t bytes);
// "%04d-%02d-%02d".
[[nodiscard]] std::wstring DateText(const SYSTEMTIME& time);
// "%02d:%02d:%02d", cut to "%02d:%02d" when seconds are hidden.
[[nodiscard]] std::wstring TimeText(const SYSTEMTIME& time, bool secondsHidden);
// "AHRS", each letter a space when its attribute is absent.
[[nodiscard]] std::wstring AttributeText(DWORD attributes);

// --- network listing -----------------------------------------------------

// A network entry as the layout needs it (display type 1 domain, 2 server,
// 3 share, 6 network, 0 for "..").
struct NetworkCellEntry {
    DWORD displayType = 0;
    std::wstring name;
    std::wstring comment;
    std::wstring provider;
};

struct NetworkCellOptions {
    int netResourceLong = 20;        // NETRESOURCELONG
    int netResourceComment = 30;     // NETRESOURCECOMMENT
    int netResourceProvider = 30;    // NETRESOURCEPROVIDER
    bool remoteCommentWrite = false;   // REMOTECOMMENTWRITE
    bool remoteProviderWrite = false;  // REMOTEPROVIDERWRITE
    bool topLevel = false;           // no comment column at the top of the network
    bool fileNameLastEllipsis = false;
};

[[nodiscard]] std::wstring NetworkTypeText(DWORD displayType);
[[nodiscard]] std::vector<CellRun> BuildNetworkCell(const NetworkCellEntry& entry, const NetworkCellOptions& options,
                                                    COLORREF color);

}  // namespace zq::filer
