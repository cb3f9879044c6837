#include "settings/SettingsTable.h"

#include <tuple>
#include <type_traits>

#include "common/EventSound.h"
#include "settings/Settings.h"
#include "settings/SettingsCustom.h"

namespace zq {

namespace {

// The variable of key index i, as the untyped pointer a row hands out.
#define ZQ_AT(expr)                   \
    [](Settings& s, int i) -> void* { \
        (void)i;                      \
        return &(expr);               \
    }
// The length of an array member, so that a run can never be longer than its variable.
#define ZQ_LEN(member) static_cast<int>(std::tuple_size_v<decltype(Settings::member)>)
#define ZQ_LEN2(member) static_cast<int>(std::tuple_size_v<decltype(Settings::member)::value_type>)

constexpr const wchar_t* kZoomKeys[] = {L"1_5", L"1_4", L"1_3", L"1_2", L"1_1", L"3_2", L"2_1", L"3_1", L"4_1", L"5_1"};
static_assert(std::size(kZoomKeys) == std::tuple_size_v<decltype(Settings::zoomSteps)>);

static_assert(kSoundEventCount == std::tuple_size_v<decltype(Settings::wavFiles)>);

// Built-in values of the sections whose defaults are not plain zeros.  The
// drive classes are hard disk, floppy, CD, removable and network; intervals
// are ticks of the view's one-second timer.
constexpr int kReloadEnable[] = {1, 0, 0, 1, 0};
constexpr int kReloadTime[] = {2, 5, 5, 3, 10};
constexpr int kJumpListDisplay[] = {1, 1, 1};
constexpr int kJumpListItem[] = {0, 1, 2};
constexpr int kJumpListWidth[] = {80, 120, 300};
constexpr const wchar_t* kMovieKinds[30] = {L"AVI", L"MPG", L"MPEG", L"MOV", L"WMV", L"ASF", L"MP4"};
constexpr const wchar_t* kAudioKinds[30] = {L"WAV", L"MID",  L"MIDI", L"RMI", L"MP3", L"WMA",
                                            L"AIF", L"AIFF", L"AU",   L"SND", L"CDA"};

// The record lists: a list's vector and each field's member, found from member
// pointers so that a field can only name a member of the list's own record type.
template <typename Record, typename T>
Record RecordOf(T Record::*);

template <auto Member>
constexpr RecordField Field(const wchar_t* name, size_t capacity = 0) {
    using Record = decltype(RecordOf(Member));
    using T = std::remove_cvref_t<decltype(std::declval<Record&>().*Member)>;
    static_assert(std::is_same_v<T, int> || std::is_same_v<T, std::wstring>, "a record field is an int or a string");
    return {name, std::is_same_v<T, int> ? KeyKind::Int : KeyKind::String, capacity,
            [](void* record) -> void* { return &(static_cast<Record*>(record)->*Member); }};
}

template <auto List, const auto& Fields>
constexpr RecordList Records(const wchar_t* countKey = nullptr) {
    return {Fields, countKey, [](const Settings& s) { return (s.*List).size(); },
            [](Settings& s, size_t n) { (s.*List).resize(n); },
            [](Settings& s, size_t i) -> void* { return &(s.*List)[i]; }};
}

using L = Settings::Launcher;
constexpr RecordField kLauncherFields[] = {Field<&L::exe>(L"EXE%d", 520), Field<&L::param>(L"PAR%d", 520),
                                           Field<&L::key>(L"KEY%d", 520), Field<&L::exeDir>(L"EXE_DIR%d", 520)};
constexpr RecordList kLauncher = Records<&Settings::launcher, kLauncherFields>();

using P = Settings::Plugin;
constexpr RecordField kPluginFields[] = {Field<&P::name>(L"P_NAME%d", 260),    Field<&P::version>(L"P_VER%d"),
                                         Field<&P::type>(L"P_TYPE%d", 4),      Field<&P::viewKey>(L"P_VIEWKEY%d", 60),
                                         Field<&P::keyStr>(L"P_KEYSTR%d", 30), Field<&P::viewMenu>(L"P_VIEWMENU%d")};
constexpr RecordList kPlugins = Records<&Settings::plugins, kPluginFields>();

using V = Settings::PreviewDir;
constexpr RecordField kPreviewDirFields[] = {Field<&V::dir>(L"DIR%d", 520), Field<&V::type>(L"TYPE%d")};
constexpr RecordList kPreviewDirs = Records<&Settings::previewDirs, kPreviewDirFields>();

using C = Settings::SavedCursor;
constexpr RecordField kSavedCursorFields[] = {Field<&C::dir>(L"DIR%d", 520), Field<&C::name>(L"NAME%d", 260)};
constexpr RecordList kSavedCursors = Records<&Settings::savedCursors, kSavedCursorFields>(L"SUMSAVECURPOS");

// One row per line of thought: kept as laid out, not reflowed field by field.
// clang-format off
constexpr KeyRow kRows[] = {
    {.section = L"FILERINFODATA", .name = L"FILERINFO%d", .kind = KeyKind::Custom,
     .read = custom::ReadFilerInfo, .write = custom::WriteFilerInfo},
    {.section = L"SPECIALCOPYTO", .name = L"DIR%d", .kind = KeyKind::String, .count = ZQ_LEN(specialCopyTo),
     .capacity = 520, .at = ZQ_AT(s.specialCopyTo[i])},
    {.section = L"WILDCARD", .name = L"FILTER%d", .kind = KeyKind::String, .count = ZQ_LEN(wildcardFilters),
     .capacity = 260, .at = ZQ_AT(s.wildcardFilters[i])},
    {.section = L"SCSICOMMAND", .name = L"SCSI%d", .kind = KeyKind::String, .count = ZQ_LEN(scsiCommands),
     .capacity = 10, .at = ZQ_AT(s.scsiCommands[i])},
    {.section = L"ZOOMDATA", .name = L"", .kind = KeyKind::Int, .count = ZQ_LEN(zoomSteps), .defaultInt = 1,
     .at = ZQ_AT(s.zoomSteps[i]), .names = kZoomKeys},

#define ZQ_INT_KEY(sec, key, def) \
    {.section = L## #sec, .name = L## #key, .kind = KeyKind::Int, .defaultInt = def, .at = ZQ_AT(s.key)},
#define ZQ_STR_KEY(sec, key, cap, def)                                                                      \
    {.section = L## #sec, .name = L## #key, .kind = KeyKind::String, .defaultText = def, .capacity = cap, \
     .at = ZQ_AT(s.key)},
#include "settings/SettingsKeys.inc"
#undef ZQ_INT_KEY
#undef ZQ_STR_KEY

    {.section = L"COLORDATA", .name = L"KINDCOLORNAME%d", .kind = KeyKind::String, .count = ZQ_LEN(kindColorNames),
     .capacity = 260, .at = ZQ_AT(s.kindColorNames[i])},
    {.section = L"COLORDATA", .name = L"KINDCOLOR%d", .kind = KeyKind::Colour, .count = ZQ_LEN(kindColors),
     .defaultInt = 0xffffff, .at = ZQ_AT(s.kindColors[i])},
#define ZQ_COLOUR_KEY(key, def) \
    {.section = L"COLORDATA", .name = L## #key, .kind = KeyKind::Colour, .defaultInt = def, .at = ZQ_AT(s.key)},
#include "settings/ColourKeys.inc"
#undef ZQ_COLOUR_KEY
    {.section = L"COLORDATA", .name = L"BINARY%02x", .kind = KeyKind::Colour, .count = ZQ_LEN(binaryColors),
     .defaultInt = 0xffffff, .at = ZQ_AT(s.binaryColors[i])},

    {.section = L"KINDEXEDATA", .name = L"KINDEXENAME%d", .kind = KeyKind::String, .count = ZQ_LEN(kindExe),
     .capacity = 260, .at = ZQ_AT(s.kindExe[i].name)},
    {.section = L"KINDEXEDATA", .name = L"KINDEXE%d", .kind = KeyKind::String, .count = ZQ_LEN(kindExe),
     .capacity = 520, .at = ZQ_AT(s.kindExe[i].exe)},
    {.section = L"KINDEXEDATA", .name = L"KINDEXEPARAM%d", .kind = KeyKind::String, .count = ZQ_LEN(kindExe),
     .capacity = 520, .at = ZQ_AT(s.kindExe[i].param)},
    {.section = L"KINDEXEDATASHIFT", .name = L"KINDEXENAME%d", .kind = KeyKind::String,
     .count = ZQ_LEN(kindExeShift), .capacity = 260, .at = ZQ_AT(s.kindExeShift[i].name)},
    {.section = L"KINDEXEDATASHIFT", .name = L"KINDEXE%d", .kind = KeyKind::String, .count = ZQ_LEN(kindExeShift),
     .capacity = 520, .at = ZQ_AT(s.kindExeShift[i].exe)},
    {.section = L"KINDEXEDATASHIFT", .name = L"KINDEXEPARAM%d", .kind = KeyKind::String,
     .count = ZQ_LEN(kindExeShift), .capacity = 520, .at = ZQ_AT(s.kindExeShift[i].param)},

    {.section = L"VIEWERSETTING", .name = L"SETTING%d", .kind = KeyKind::Int, .count = ZQ_LEN(viewerSetting),
     .defaultInt = 80, .at = ZQ_AT(s.viewerSetting[i])},
    {.section = L"VIEWERSETTING", .name = L"KIND%d", .kind = KeyKind::String, .count = ZQ_LEN(viewerKind),
     .capacity = 260, .at = ZQ_AT(s.viewerKind[i])},
    {.section = L"VIEWERSETTING", .name = L"KINDWORDS%d", .kind = KeyKind::Int, .count = ZQ_LEN(viewerKindWords),
     .defaultInt = 80, .at = ZQ_AT(s.viewerKindWords[i])},
    {.section = L"VIEWERSETTING", .name = L"KINDTAB%d", .kind = KeyKind::Int, .count = ZQ_LEN(viewerKindTab),
     .defaultInt = 8, .at = ZQ_AT(s.viewerKindTab[i])},
    {.section = L"VIEWERSETTING", .name = L"LEFTDBLCLICKACT", .kind = KeyKind::String, .defaultText = L"@Closeviewer",
     .capacity = 100, .at = ZQ_AT(s.leftDblClickAct)},
    {.section = L"VIEWERSETTING", .name = L"RIGHTDBLCLICKACT", .kind = KeyKind::String, .capacity = 100,
     .at = ZQ_AT(s.rightDblClickAct)},
    {.section = L"VIEWERSETTING", .name = L"LINE_RETURN_CODE", .kind = KeyKind::String, .defaultText = L"\u00b6",
     .capacity = 3, .at = ZQ_AT(s.lineReturnCode)},

    {.section = L"VIEWER_SEARCH_STRING", .name = L"%d", .kind = KeyKind::History, .capacity = 501,
     .at = ZQ_AT(s.viewerSearch)},
    {.section = L"JUMPDATA", .name = L"GROUP%d", .kind = KeyKind::Custom, .read = custom::ReadJumpData,
     .write = custom::WriteJumpData},
    {.section = L"SELECTDIR", .name = L"TODIR%d", .kind = KeyKind::History, .capacity = 520,
     .at = ZQ_AT(s.selectDir)},

    {.section = L"DIRHISTORY", .name = L"TODIR%d", .kind = KeyKind::History, .capacity = 520,
     .at = ZQ_AT(s.dirHistory)},
    {.section = L"FILERBMP", .name = L"BMP%d", .kind = KeyKind::History, .capacity = 520, .at = ZQ_AT(s.filerBmp)},
    {.section = L"SOUNDLIST", .name = L"LIST%d", .kind = KeyKind::History, .capacity = 520,
     .at = ZQ_AT(s.soundList)},
    {.section = L"RENAMEHISTORY", .name = L"NAME%d", .kind = KeyKind::History, .capacity = 520,
     .at = ZQ_AT(s.renameHistory)},
    {.section = L"EXEHISTORY", .name = L"EXE%d", .kind = KeyKind::History, .capacity = 520,
     .at = ZQ_AT(s.exeHistory)},
    {.section = L"EXEHISTORY", .name = L"EXEPARAM%d", .kind = KeyKind::History, .capacity = 520,
     .at = ZQ_AT(s.exeParamHistory)},

    {.section = L"LANCHER", .name = L"EXE%d", .kind = KeyKind::Records, .records = &kLauncher},

    {.section = L"KEYEXEDATA", .name = L"", .kind = KeyKind::Pairs, .capacity = 520,
     .at = ZQ_AT(s.keySections[kKeyFiler])},
    {.section = L"VIEWKEYEXEDATA", .name = L"", .kind = KeyKind::Pairs, .capacity = 100,
     .at = ZQ_AT(s.keySections[kKeyViewer])},
    {.section = L"GRAPHICKEYEXEDATA", .name = L"", .kind = KeyKind::Pairs, .capacity = 100,
     .at = ZQ_AT(s.keySections[kKeyGraphic])},
    {.section = L"BINARYKEYEXEDATA", .name = L"", .kind = KeyKind::Pairs, .capacity = 100,
     .at = ZQ_AT(s.keySections[kKeyBinary])},

    {.section = L"SUSIEDATA", .name = L"SUSIEDIRECTORY", .kind = KeyKind::String, .capacity = 520,
     .at = ZQ_AT(s.susieDirectory)},
    {.section = L"SUSIEDATA", .name = L"TEMPDIRECTORY", .kind = KeyKind::String, .capacity = 520,
     .at = ZQ_AT(s.tempDirectory)},
    {.section = L"SUSIEDATA", .name = L"PLUGINFILE%d", .kind = KeyKind::List, .capacity = 1040,
     .at = ZQ_AT(s.pluginFiles)},
    {.section = L"LOAD_PREVIEW", .name = L"DIR%d", .kind = KeyKind::Records, .records = &kPreviewDirs},

    {.section = L"WAV", .name = L"", .kind = KeyKind::String, .count = ZQ_LEN(wavFiles), .capacity = 520,
     .at = ZQ_AT(s.wavFiles[i]), .names = kSoundEventNames},

    {.section = L"SOUND", .name = L"LASTLOAD", .kind = KeyKind::String, .capacity = 520, .at = ZQ_AT(s.lastLoad)},
    {.section = L"SOUND", .name = L"MOVIEKIND%02d", .kind = KeyKind::String, .count = ZQ_LEN(movieKinds),
     .capacity = 100, .at = ZQ_AT(s.movieKinds[i]), .defaultTexts = kMovieKinds},
    {.section = L"SOUND", .name = L"AUDIOKIND%02d", .kind = KeyKind::String, .count = ZQ_LEN(audioKinds),
     .capacity = 100, .at = ZQ_AT(s.audioKinds[i]), .defaultTexts = kAudioKinds},

    {.section = L"DISPLAYMODE", .name = L"DISPLAYMODE%d", .kind = KeyKind::String, .count = ZQ_LEN(displayModes),
     .capacity = 100, .at = ZQ_AT(s.displayModes[i])},

    {.section = L"UNPACKDATA", .name = L"UNBYPASS_DLL_PATH", .kind = KeyKind::String, .capacity = 520,
     .at = ZQ_AT(s.unbypassDllPath)},
    {.section = L"UNPACKDATA", .name = L"UNPACK%02d%02d", .kind = KeyKind::Int, .count = ZQ_LEN(unpackOptions),
     .count2 = ZQ_LEN2(unpackOptions),
     .at = ZQ_AT(s.unpackOptions[static_cast<size_t>(i) / Settings::kArchiverOptions]
                                [static_cast<size_t>(i) % Settings::kArchiverOptions])},
    {.section = L"PACKDATA", .name = L"PACK%02d%02d", .kind = KeyKind::Int, .count = ZQ_LEN(packOptions),
     .count2 = ZQ_LEN2(packOptions),
     .at = ZQ_AT(s.packOptions[static_cast<size_t>(i) / Settings::kArchiverOptions]
                              [static_cast<size_t>(i) % Settings::kArchiverOptions])},
    {.section = L"DEBUGDATA", .name = L"DEBUG%d", .kind = KeyKind::Int, .count = ZQ_LEN(debugData),
     .at = ZQ_AT(s.debugData[i])},

    {.section = L"DISPLAYFONT", .name = L"%04dX%04d", .kind = KeyKind::Custom, .read = custom::ReadDisplayFont,
     .write = custom::WriteDisplayFont},

    {.section = L"FILERUSERMENU", .name = L"MENU%d", .kind = KeyKind::String, .count = ZQ_LEN(userMenuCommands),
     .capacity = 520, .at = ZQ_AT(s.userMenuCommands[i])},
    {.section = L"FILERUSERMENU", .name = L"VIEW%d", .kind = KeyKind::String, .count = ZQ_LEN(userMenuLabels),
     .capacity = 520, .at = ZQ_AT(s.userMenuLabels[i])},
    {.section = L"NOTVIEWMENU", .name = L"MENU%02d%02d", .kind = KeyKind::Int, .count = ZQ_LEN(notViewMenu),
     .count2 = ZQ_LEN2(notViewMenu), .at = ZQ_AT(s.notViewMenu[static_cast<size_t>(i) / 10][static_cast<size_t>(i) % 10])},
    {.section = L"VIRTUALDRIVE", .name = L"%cDRIVE", .kind = KeyKind::Int, .count = ZQ_LEN(virtualDrives),
     .at = ZQ_AT(s.virtualDrives[i])},

    {.section = L"PLUGINDATA", .name = L"PLUGINDIR", .kind = KeyKind::String, .capacity = 520,
     .at = ZQ_AT(s.pluginDir)},
    {.section = L"PLUGINDATA", .name = L"P_NAME%d", .kind = KeyKind::Records, .records = &kPlugins},

    {.section = L"NETWORK", .name = L"RES%d", .kind = KeyKind::String, .count = ZQ_LEN(network), .capacity = 520,
     .at = ZQ_AT(s.network[i].resource)},
    {.section = L"NETWORK", .name = L"USER%d", .kind = KeyKind::String, .count = ZQ_LEN(network), .capacity = 200,
     .at = ZQ_AT(s.network[i].user)},
    {.section = L"NETWORK", .name = L"PASS%d", .kind = KeyKind::String, .count = ZQ_LEN(network), .capacity = 40,
     .at = ZQ_AT(s.network[i].password)},
    {.section = L"NETWORK", .name = L"PROV%d", .kind = KeyKind::String, .count = ZQ_LEN(network), .capacity = 520,
     .at = ZQ_AT(s.network[i].provider)},

    {.section = L"SAVECURPOS", .name = L"DIR%d", .kind = KeyKind::Records, .records = &kSavedCursors},

    {.section = L"MAKENEWFILE", .name = L"KIND%d", .kind = KeyKind::String, .count = ZQ_LEN(newFileKinds),
     .capacity = 260, .at = ZQ_AT(s.newFileKinds[i].kind)},
    {.section = L"MAKENEWFILE", .name = L"DISPLAY%d", .kind = KeyKind::String, .count = ZQ_LEN(newFileKinds),
     .capacity = 520, .at = ZQ_AT(s.newFileKinds[i].display)},
    {.section = L"MAKENEWFILE", .name = L"SHELLNEW%d", .kind = KeyKind::String, .count = ZQ_LEN(newFileKinds),
     .capacity = 100, .at = ZQ_AT(s.newFileKinds[i].shellNew)},
    {.section = L"NONLOADCPL", .name = L"CPL%d", .kind = KeyKind::String, .count = ZQ_LEN(nonLoadCpl),
     .capacity = 520, .at = ZQ_AT(s.nonLoadCpl[i])},

    {.section = L"RELOAD_SETTING", .name = L"ENABLE%d", .kind = KeyKind::Int, .count = ZQ_LEN(reloadEnable),
     .at = ZQ_AT(s.reloadEnable[i]), .defaultInts = kReloadEnable},
    {.section = L"RELOAD_SETTING", .name = L"TIME%d", .kind = KeyKind::Int, .count = ZQ_LEN(reloadTime),
     .at = ZQ_AT(s.reloadTime[i]), .defaultInts = kReloadTime},
    {.section = L"ORDER_LIST_DIR_JUMP", .name = L"DISPLAY%d", .kind = KeyKind::Int,
     .count = ZQ_LEN(jumpListDisplay), .at = ZQ_AT(s.jumpListDisplay[i]), .defaultInts = kJumpListDisplay},
    {.section = L"ORDER_LIST_DIR_JUMP", .name = L"ITEM%d", .kind = KeyKind::Int, .count = ZQ_LEN(jumpListItem),
     .at = ZQ_AT(s.jumpListItem[i]), .defaultInts = kJumpListItem},
    {.section = L"ORDER_LIST_DIR_JUMP", .name = L"WIDTH%d", .kind = KeyKind::Int, .count = ZQ_LEN(jumpListWidth),
     .at = ZQ_AT(s.jumpListWidth[i]), .defaultInts = kJumpListWidth},

    {.section = L"TIME_MACRO", .name = L"DEF%d", .kind = KeyKind::String, .count = ZQ_LEN(timeMacros),
     .capacity = 100, .at = ZQ_AT(s.timeMacros[i])},
    {.section = L"DIR_HISTORY", .name = L"DIR%d", .kind = KeyKind::History, .capacity = 520,
     .at = ZQ_AT(s.dirHistoryDialog)},

    {.section = L"FIND_FILE_DLG_INF", .name = L"INIT", .kind = KeyKind::Int, .at = ZQ_AT(s.findInit)},
    {.section = L"FIND_FILE_DLG_INF", .name = L"TOP", .kind = KeyKind::Int, .at = ZQ_AT(s.findTop)},
    {.section = L"FIND_FILE_DLG_INF", .name = L"LEFT", .kind = KeyKind::Int, .at = ZQ_AT(s.findLeft)},
    {.section = L"FIND_FILE_DLG_INF", .name = L"HEIGHT", .kind = KeyKind::Int, .at = ZQ_AT(s.findHeight)},
    {.section = L"FIND_FILE_DLG_INF", .name = L"WIDTH", .kind = KeyKind::Int, .at = ZQ_AT(s.findWidth)},
    {.section = L"FIND_FILE_DLG_INF", .name = L"COLUMN%d", .kind = KeyKind::Int, .count = ZQ_LEN(findColumns),
     .at = ZQ_AT(s.findColumns[i])},
    {.section = L"FIND_FILE_DLG_INF", .name = L"SEARCH_FILE%d", .kind = KeyKind::History, .capacity = 260,
     .at = ZQ_AT(s.findFiles)},
    {.section = L"FIND_FILE_DLG_INF", .name = L"SEARCH_DIRECTORY_NAME%d", .kind = KeyKind::History,
     .capacity = 520, .at = ZQ_AT(s.findDirectories)},
    {.section = L"FIND_FILE_DLG_INF", .name = L"SEARCH_STRING%d", .kind = KeyKind::History, .capacity = 200,
     .at = ZQ_AT(s.findStrings)},

    {.section = L"DISP_FILE_SETTING", .name = L"%d", .kind = KeyKind::Custom, .read = custom::ReadDispFileSetting,
     .write = custom::WriteDispFileSetting},
};
// clang-format on

#undef ZQ_AT
#undef ZQ_LEN
#undef ZQ_LEN2

void AppendNumber(std::wstring& out, unsigned value, int width, int base) {
    static constexpr wchar_t kDigits[] = L"0123456789abcdef";
    wchar_t buffer[16];
    int n = 0;
    do {
        buffer[n++] = kDigits[value % static_cast<unsigned>(base)];
        value /= static_cast<unsigned>(base);
    } while (value != 0 && n < 16);
    for (int pad = n; pad < width; ++pad) out += L'0';
    while (n > 0) out += buffer[--n];
}

}  // namespace

std::span<const KeyRow> SettingsTable() {
    return kRows;
}

std::wstring FormatKey(std::wstring_view format, int first, int second) {
    std::wstring out;
    int argument = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != L'%' || i + 1 >= format.size()) {
            out += format[i];
            continue;
        }
        int width = 0;
        size_t j = i + 1;
        if (format[j] == L'0') ++j;
        while (j < format.size() && format[j] >= L'0' && format[j] <= L'9') width = width * 10 + (format[j++] - L'0');
        if (j >= format.size()) break;
        const int value = argument++ == 0 ? first : second;
        switch (format[j]) {
            case L'd':
                if (value < 0) out += L'-';
                AppendNumber(out, static_cast<unsigned>(value < 0 ? -value : value), width, 10);
                break;
            case L'x':
                AppendNumber(out, static_cast<unsigned>(value), width, 16);
                break;
            case L'c':
                out += static_cast<wchar_t>(L'A' + value);
                break;
            default:
                out += format.substr(i, j - i + 1);
                break;
        }
        i = j;
    }
    return out;
}

std::wstring KeyName(const KeyRow& row, int index) {
    if (row.names) return row.names[index];
    if (row.count2 > 0) return FormatKey(row.name, index / row.count2, index % row.count2);
    return FormatKey(row.name, index);
}

bool IsStartupSection(std::wstring_view section) {
    return section == L"ALLDATA" || section == L"ALLDATA2" || section == L"SIZE_INFO";
}

}  // namespace zq
