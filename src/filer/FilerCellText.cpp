#include "filer/FilerCellText.h"

#include <algorithm>
#include <cwchar>

#include "filer/FileEntry.h"
#include "filer/FilerCellWidth.h"

namespace zq::filer {

namespace {

constexpr int kSizeField = 14;
constexpr int kSizeAdvance = 15;
constexpr int kDateAdvance = 12;
constexpr int kTimeGap = 2;
constexpr int kAttributesAdvance = 6;

std::wstring Format(const wchar_t* format, int a, int b, int c) {
    wchar_t buf[64];
    std::swprintf(buf, 64, format, a, b, c);
    return buf;
}

void AddRun(std::vector<CellRun>& runs, int column, std::wstring text, COLORREF color) {
    if (!text.empty()) runs.push_back({column, std::move(text), color});
}

}  // namespace

bool SystemLocalTime(const FILETIME& utc, SYSTEMTIME& local) {
    SYSTEMTIME st;
    if (!::FileTimeToSystemTime(&utc, &st)) return false;
    return ::SystemTimeToTzSpecificLocalTime(nullptr, &st, &local) != FALSE;
}

bool IsDirectoryEntry(const WIN32_FIND_DATAW& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::wstring ApplyCharType(std::wstring_view name, int fileCharType) {
    std::wstring out(name);
    if (out.empty()) return out;
    if (fileCharType == 1) ::CharUpperBuffW(out.data(), static_cast<DWORD>(out.size()));
    if (fileCharType == 2) ::CharLowerBuffW(out.data(), static_cast<DWORD>(out.size()));
    return out;
}

std::wstring ShownName(const WIN32_FIND_DATAW& entry, bool dosWriteFlag, int fileCharType) {
    const wchar_t* name = entry.cFileName;
    if (dosWriteFlag && entry.cAlternateFileName[0] != L'\0') name = entry.cAlternateFileName;
    const size_t capacity = name == entry.cFileName ? std::size(entry.cFileName) : std::size(entry.cAlternateFileName);
    // The record is trusted to be terminated, but a full buffer must not run
    // into the next field.
    return ApplyCharType(std::wstring_view(name, ::wcsnlen(name, capacity)), fileCharType);
}

NameParts SplitName(std::wstring_view name, bool isFile) {
    NameParts parts;
    const size_t dot = isFile ? name.rfind(L'.') : std::wstring_view::npos;
    if (dot == std::wstring_view::npos || dot == 0) {
        parts.stem.assign(name);
        return parts;
    }
    parts.stem.assign(name.substr(0, dot));
    parts.extension.assign(name.substr(dot));
    return parts;
}

int LongestStemCells(std::span<const WIN32_FIND_DATAW> entries, bool dosWriteFlag, int fileCharType) {
    int longest = 0;
    for (const WIN32_FIND_DATAW& e : entries) {
        const NameParts parts = SplitName(ShownName(e, dosWriteFlag, fileCharType), !IsDirectoryEntry(e));
        longest = std::max(longest, TextCellWidth(parts.stem));
    }
    return longest;
}

uint64_t EntrySize(const WIN32_FIND_DATAW& entry) {
    return (static_cast<uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
}

FILETIME EntryTime(const WIN32_FIND_DATAW& entry, int viewFileTimeType) {
    if (viewFileTimeType == 0) return entry.ftCreationTime;
    if (viewFileTimeType == 1) return entry.ftLastAccessTime;
    return entry.ftLastWriteTime;
}

std::wstring GroupDigits(uint64_t value) {
    const std::wstring digits = std::to_wstring(value);
    std::wstring out;
    out.reserve(digits.size() + digits.size() / 3);
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += L',';
        out += digits[i];
    }
    return out;
}

std::wstring SizeColumnText(const WIN32_FIND_DATAW& entry) {
    const bool plainDirectory = IsDirectoryEntry(entry) && entry.dwReserved1 != kMeasuredSizeMark;
    return AlignRightInCells(plainDirectory ? L"<DIR>" : GroupDigits(EntrySize(entry)), kSizeField);
}

std::wstring ShortSizeText(uint64_t bytes) {
    wchar_t buf[64];
    struct Unit {
        uint64_t limit;
        uint64_t divisor;
        wchar_t letter;
    };
    static constexpr Unit kUnits[] = {
        {1000000ull, 1000ull, L'K'},
        {1000000000ull, 1000000ull, L'M'},
    };
    if (bytes < 1000) {
        std::swprintf(buf, 64, L"%5dB", static_cast<int>(bytes));
        return buf;
    }
    uint64_t divisor = 1000000000ull;
    wchar_t letter = L'G';
    for (const Unit& u : kUnits) {
        if (bytes < u.limit) {
            divisor = u.divisor;
            letter = u.letter;
            break;
        }
    }
    std::swprintf(buf, 64, L"%3llu.%d%lc", static_cast<unsigned long long>(bytes / divisor),
                  static_cast<int>(bytes / (divisor / 10) % 10), letter);
    return buf;
}

std::wstring DateText(const SYSTEMTIME& time) {
    return Format(L"%04d-%02d-%02d", time.wYear, time.wMonth, time.wDay);
}

std::wstring TimeText(const SYSTEMTIME& time, bool secondsHidden) {
    std::wstring text = Format(L"%02d:%02d:%02d", time.wHour, time.wMinute, time.wSecond);
    if (secondsHidden) text.resize(text.size() - 3);
    return text;
}

std::wstring AttributeLetters(DWORD attributes, std::wstring_view letters) {
    struct Letter {
        wchar_t letter;
        DWORD bit;
    };
    static constexpr Letter kLetters[] = {{L'A', FILE_ATTRIBUTE_ARCHIVE},
                                          {L'D', FILE_ATTRIBUTE_DIRECTORY},
                                          {L'H', FILE_ATTRIBUTE_HIDDEN},
                                          {L'R', FILE_ATTRIBUTE_READONLY},
                                          {L'S', FILE_ATTRIBUTE_SYSTEM}};
    std::wstring text;
    for (wchar_t wanted : letters) {
        DWORD bit = 0;
        for (const Letter& l : kLetters) {
            if (l.letter == wanted) bit = l.bit;
        }
        text += (attributes & bit) ? wanted : L' ';
    }
    return text;
}

std::wstring AttributeText(DWORD attributes) {
    return AttributeLetters(attributes, L"AHRS");
}

FilerCellContent BuildFileCell(const WIN32_FIND_DATAW& entry, const FilerCellOptions& options,
                               const FilerColors& colors, const KindColorTable& kinds, const FilerCellExtras& extras) {
    FilerCellContent cell;
    const bool isFile = !IsDirectoryEntry(entry);
    const bool ellipsis = options.fileNameLastEllipsis;
    const int nameWidth = std::max(0, options.nameWidth);
    const int extWidth = std::max(0, options.extWidth);
    // The name area holds the stem, the dot and the extension.
    const int nameArea = nameWidth + extWidth + 1;

    const NameParts parts = SplitName(ShownName(entry, options.dosWriteFlag, options.fileCharType), isFile);
    const bool hasTitle = options.color.mpegNameDisplay && extras.musicTitle != nullptr && !extras.musicTitle->empty();
    cell.entryColor = EntryColor(entry, parts.extension, colors, kinds, options.color, hasTitle);
    const COLORREF extColor = ExtensionColor(entry, parts.extension, cell.entryColor, kinds, options.color, hasTitle);

    if (hasTitle) {
        AddRun(cell.runs, 0, FitToCells(*extras.musicTitle, nameArea, ellipsis).text, cell.entryColor);
    } else if (parts.extension.empty()) {
        AddRun(cell.runs, 0, FitToCells(parts.stem, nameArea, ellipsis).text, cell.entryColor);
    } else if (options.fileNamePack) {
        // Packed: the extension follows the stem directly in whatever room
        // the stem leaves.
        FittedText stem = FitToCells(parts.stem, nameArea, ellipsis);
        const int stemCells = stem.cells;
        AddRun(cell.runs, 0, std::move(stem.text), cell.entryColor);
        AddRun(cell.runs, stemCells, FitToCells(parts.extension, nameArea - stemCells, ellipsis).text, extColor);
    } else {
        // Stems and extensions in their own columns, so extensions line up.
        AddRun(cell.runs, 0, FitToCells(parts.stem, nameWidth, ellipsis).text, cell.entryColor);
        AddRun(cell.runs, nameWidth, FitToCells(parts.extension, extWidth + 1, ellipsis).text, extColor);
    }

    int column = nameArea;
    const FilerDisplayFormat& f = options.format;
    if (f.size) {
        AddRun(cell.runs, column, SizeColumnText(entry), cell.entryColor);
        column += kSizeAdvance;
    }
    if (f.date || f.time) {
        SYSTEMTIME local{};
        const bool known =
            options.toLocal != nullptr && options.toLocal(EntryTime(entry, options.viewFileTimeType), local);
        if (f.date) {
            if (known) AddRun(cell.runs, column, DateText(local), cell.entryColor);
            column += kDateAdvance;
        }
        if (f.time) {
            const std::wstring time = TimeText(local, f.secondsHidden);
            if (known) AddRun(cell.runs, column, time, cell.entryColor);
            column += static_cast<int>(time.size()) + kTimeGap;
        }
    }
    if (f.attributes) {
        AddRun(cell.runs, column, AttributeText(entry.dwFileAttributes), cell.entryColor);
        column += kAttributesAdvance;
    }
    if (extras.foundIn != nullptr && options.cellWidth > column)
        AddRun(cell.runs, column, FitToCells(*extras.foundIn, options.cellWidth - column, ellipsis).text,
               cell.entryColor);
    return cell;
}

std::wstring NetworkTypeText(DWORD displayType) {
    // dwDisplayType of the network enumeration.
    struct TypeText {
        DWORD type;
        const wchar_t* text;
    };
    static constexpr TypeText kTypes[] = {{1, L"<DOMAIN>"}, {2, L"<SERVER>"}, {3, L"<SHARE>"}, {6, L"<NETWORK>"}};
    for (const TypeText& t : kTypes) {
        if (t.type == displayType) return t.text;
    }
    return L"";
}

std::vector<CellRun> BuildNetworkCell(const NetworkCellEntry& entry, const NetworkCellOptions& options,
                                      COLORREF color) {
    constexpr int kTypeAdvance = 10;
    std::vector<CellRun> runs;
    const int nameWidth = std::max(1, options.netResourceLong);
    const std::wstring_view name = entry.name.empty() ? std::wstring_view(L"ネットワーク全体") : entry.name;
    AddRun(runs, 0, FitToCells(name, nameWidth, options.fileNameLastEllipsis).text, color);
    int column = nameWidth + 1;
    AddRun(runs, column, NetworkTypeText(entry.displayType), color);
    column += kTypeAdvance;
    if (options.remoteProviderWrite) {
        const int width = std::max(0, options.netResourceProvider);
        AddRun(runs, column, FitToCells(entry.provider, width, options.fileNameLastEllipsis).text, color);
        column += width + 1;
    }
    if (options.remoteCommentWrite && !options.topLevel) {
        const int width = std::max(0, options.netResourceComment);
        AddRun(runs, column, FitToCells(entry.comment, width, options.fileNameLastEllipsis).text, color);
    }
    return runs;
}

}  // namespace zq::filer
