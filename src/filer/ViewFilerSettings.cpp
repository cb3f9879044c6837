#include "filer/ViewFilerSettings.h"

#include <vector>

#include "filer/FilerPath.h"
#include "settings/Settings.h"

namespace zq {

FilerOptions FilerOptionsFrom(const Settings& s) {
    FilerOptions o;
    o.HIDDENVIEWFLAG = s.HIDDENVIEWFLAG;
    o.DISP_SYSTEM_FILE = s.DISP_SYSTEM_FILE;
    o.DISP_FIRST_DOT_FILE = s.DISP_FIRST_DOT_FILE;
    o.DISP_READ_ONLY_FILE = s.DISP_READ_ONLY_FILE;
    o.NOTVIEWCURRENTDIR = s.NOTVIEWCURRENTDIR;
    o.NOTVIEWUPDIR = s.NOTVIEWUPDIR;
    o.VIEWFILETIMETYPE = s.VIEWFILETIMETYPE;
    o.USE_STR_CMP_LOGICAL_W = s.USE_STR_CMP_LOGICAL_W;
    o.FIND_FILE_NEGLECT_DOS_NAME = s.FIND_FILE_NEGLECT_DOS_NAME;
    o.CHYNCROSORT = s.CHYNCROSORT;
    o.CURSORTOGGLE = s.CURSORTOGGLE;
    o.SAVECURSORPOSITION = s.SAVECURSORPOSITION;
    o.SUMSAVECURPOS = s.SUMSAVECURPOS;
    o.ACTIVECHECKMEDIAIN = s.ACTIVECHECKMEDIAIN;
    for (size_t i = 0; i < o.RELOAD_SETTING.size(); ++i) {
        o.RELOAD_SETTING[i].ENABLE = s.reloadEnable[i];
        // An interval below one tick would never be due.
        o.RELOAD_SETTING[i].TIME = s.reloadTime[i] < 1 ? 1 : s.reloadTime[i];
    }
    return o;
}

int DisplayFormatNumber(const Settings& s) {
    return s.FILERINFONUMBER >= 0 && s.FILERINFONUMBER < filer::kFilerFormatCount ? s.FILERINFONUMBER : 0;
}

filer::FilerDisplayFormat DisplayFormatFrom(const Settings& s) {
    const Settings::FilerInfo& info = s.filerInfo[static_cast<size_t>(DisplayFormatNumber(s))];
    filer::FilerDisplayFormat f;
    f.date = info.date != 0;
    f.time = info.time != 0;
    f.secondsHidden = info.noSeconds != 0;
    f.size = info.size != 0;
    f.attributes = info.attributes != 0;
    return f;
}

filer::FilerLayoutOptions FilerLayoutOptionsFrom(const Settings& s) {
    filer::FilerLayoutOptions o;
    o.windowDevideWay = s.WINDOWDEVIDEWAY;
    o.upWindowAddLine = s.UP_WINDOW_ADD_LINE;
    o.enableSomeHFileOneScreen = s.ENABLE_SOME_H_FILE_ONE_SCREEN != 0;
    o.writeHeaderType = s.WRITEHEADERTYPE;
    o.fileNameLong = s.FILENAMELONG;
    o.fileKindMaxLong = s.FILEKINDMAXLONG;
    o.autoFileNameWidth = s.AUTO_FILE_NAME_WIDTH != 0;
    o.oneFileUseFullWidth = s.ONE_FILE_USE_FULL_WIDTH != 0;
    o.format = DisplayFormatFrom(s);
    o.previewWidth = s.PREVIEW_WIDTH;
    o.previewHeight = s.PREVIEW_HEIGHT;
    o.previewFileNameLen = s.PREVIEW_FILE_NAME_LEN;
    o.previewFileKindLen = s.PREVIEW_FILE_KIND_LEN;
    o.netResourceLong = s.NETRESOURCELONG;
    o.netResourceComment = s.NETRESOURCECOMMENT;
    o.netResourceProvider = s.NETRESOURCEPROVIDER;
    o.remoteCommentWrite = s.REMOTECOMMENTWRITE != 0;
    o.remoteProviderWrite = s.REMOTEPROVIDERWRITE != 0;
    return o;
}

filer::FilerCellOptions FilerCellOptionsFrom(const Settings& s) {
    filer::FilerCellOptions o;
    o.format = DisplayFormatFrom(s);
    o.nameWidth = s.FILENAMELONG;
    o.extWidth = s.FILEKINDMAXLONG;
    o.fileNamePack = s.FILENAMEPACK != 0;
    o.fileNameLastEllipsis = s.FILENAMELASTELLIPSIS != 0;
    o.fileCharType = s.FILECHARTYPE;
    o.dosWriteFlag = s.DOSWRITEFLAG != 0;
    o.viewFileTimeType = s.VIEWFILETIMETYPE;
    o.color.colorNeglectAttribute = s.COLOR_NEGLECT_ATTIRUBTE != 0;
    o.color.dispFileKindColor = s.DISP_FILE_KIND_COLOR != 0;
    o.color.mpegNameDisplay = s.MPEGNAMEDISPLAY != 0;
    return o;
}

filer::FilerHeaderOptions FilerHeaderOptionsFrom(const Settings& s) {
    filer::FilerHeaderOptions o;
    o.dispVolumeAtHeader = s.DISP_VOLUME_AT_HEADER != 0;
    o.driveListOnHeader = s.DRIVE_LIST_ON_HEADER != 0;
    o.dispBatteryInfo = s.DISP_BATTERY_INFO != 0;
    return o;
}

filer::FilerColors FilerColorsFrom(const Settings& s) {
    // The settings hold the named colours in the order of FilerColorId.
    const COLORREF values[] = {
#define ZQ_COLOUR_KEY(name, def) static_cast<COLORREF>(s.name),
#include "settings/ColourKeys.inc"
#undef ZQ_COLOUR_KEY
    };
    static_assert(std::size(values) == filer::kFilerColorCount);
    filer::FilerColors colors;
    for (size_t i = 0; i < filer::kFilerColorCount; ++i) colors.values[i] = values[i];
    return colors;
}

filer::KindColorTable KindColorsFrom(const Settings& s) {
    std::vector<filer::KindColor> rows;
    for (size_t i = 0; i < s.kindColorNames.size(); ++i) {
        if (s.kindColorNames[i].empty()) continue;
        rows.push_back({s.kindColorNames[i], static_cast<COLORREF>(s.kindColors[i])});
    }
    return filer::KindColorTable(std::move(rows));
}

filer::FilerFontInfo FilerFontFrom(const Settings& s) {
    filer::FilerFontInfo f;
    f.height = s.FONTHEIGHT;
    f.width = s.FONTWIDE;
    if (!s.FONTNAME.empty()) f.faceName = s.FONTNAME;
    f.charSet = s.FONTCHARSET;
    f.weight = s.FONTWEIGHT;
    return f;
}

namespace {

// The settings members of the stored sort fields, pane 0 and pane 1; nullptr
// for the reserved fields.
using SortMember = int Settings::*;
constexpr SortMember kSortMembers[9][2] = {
    {&Settings::SORTWAY, &Settings::SORTWAY2},
    {&Settings::SECONDSORTWAYFLAG, &Settings::SECONDSORTWAYFLAG2},
    {nullptr, nullptr},
    {&Settings::SORT_DIR_WAY1, &Settings::SORT_DIR_WAY2},
    {nullptr, nullptr},
    {nullptr, nullptr},
    {&Settings::SORT_DIR_ORDER1, &Settings::SORT_DIR_ORDER2},
    {&Settings::SORTORDER, &Settings::SORTORDER2},
    {&Settings::SORT_NEGLECT_FILE_KIND1, &Settings::SORT_NEGLECT_FILE_KIND2},
};

}  // namespace

SortSettings SortSettingsFrom(const Settings& s, int pane) {
    SortSettings sort = SortSettings::Default();
    const size_t p = pane == 0 ? 0 : 1;
    for (size_t i = 0; i < sort.v.size(); ++i) {
        if (kSortMembers[i][p]) sort.v[i] = static_cast<uint32_t>(s.*kSortMembers[i][p]);
    }
    return sort;
}

void StoreSortSettings(Settings& s, int pane, const SortSettings& sort) {
    const size_t p = pane == 0 ? 0 : 1;
    for (size_t i = 0; i < sort.v.size(); ++i) {
        if (kSortMembers[i][p]) s.*kSortMembers[i][p] = static_cast<int>(sort.v[i]);
    }
}

std::array<std::wstring, 2> StartDirectories(const Settings& s, const std::vector<std::wstring>& commandLine,
                                             const std::wstring& current) {
    const std::array<const std::wstring*, 2> last = {&s.ENDDIRECTORY, &s.ENDDIRECTORY2};
    const std::array<const std::wstring*, 2> fixed = {&s.FIRSTDIRECTORY, &s.SECONDDIRECTORY};
    std::array<std::wstring, 2> out;
    for (size_t i = 0; i < 2; ++i) {
        // A first run with STARTENDDIR has no last directory yet.
        if (i < commandLine.size() && IsAbsoluteStartPath(commandLine[i]))
            out[i] = commandLine[i];
        else if (s.STARTENDDIR != 0 && IsAbsoluteStartPath(*last[i]))
            out[i] = *last[i];
        else if (IsAbsoluteStartPath(*fixed[i]))
            out[i] = *fixed[i];
        else
            out[i] = current;
    }
    return out;
}

void StoreEndDirectories(Settings& s, const std::wstring& pane0, const std::wstring& pane1) {
    s.ENDDIRECTORY = pane0;
    s.ENDDIRECTORY2 = pane1;
}

void StoreDisplayGroup(Settings& settings, unsigned group) {
    FilerOptions flags = FilerOptionsFrom(settings);
    ApplyDisplayGroup(flags, group);
    settings.HIDDENVIEWFLAG = flags.HIDDENVIEWFLAG;
    settings.DISP_SYSTEM_FILE = flags.DISP_SYSTEM_FILE;
    settings.DISP_FIRST_DOT_FILE = flags.DISP_FIRST_DOT_FILE;
    settings.DISP_READ_ONLY_FILE = flags.DISP_READ_ONLY_FILE;
    settings.NOTVIEWCURRENTDIR = flags.NOTVIEWCURRENTDIR;
    settings.NOTVIEWUPDIR = flags.NOTVIEWUPDIR;
}

}  // namespace zq
