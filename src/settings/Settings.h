#pragma once
// Every value kept in zq.ini, as one record.
//
// The keys of ALLDATA, ALLDATA2 and SIZE_INFO are members named exactly as the
// keys (settings.STARTSIZE, settings.FONTNAME, settings.SUMDIRJUMPGROUP), and so
// are the twenty named colours of COLORDATA (settings.READ_ONLY_COLOR).  The
// other sections are arrays, histories and lists of records named after what
// they hold; the comment on each says its section and keys.  A default-made
// Settings holds the defaults of every key (what reading an absent file gives).
//
// SettingsIo.h reads and writes this record; nothing else knows the file's keys.
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "common/MruList.h"

namespace zq {

// Section and key names of the four key-assignment sections, and their value capacities.
enum KeySectionIndex { kKeyFiler = 0, kKeyViewer = 1, kKeyGraphic = 2, kKeyBinary = 3, kKeySectionCount = 4 };

struct Settings {
    Settings();

    // ---- ALLDATA (138 integers, then strings), ALLDATA2 (131 integers), SIZE_INFO
#define ZQ_INT_KEY(section, name, def) int name;
#define ZQ_STR_KEY(section, name, capacity, def) std::wstring name;
#include "settings/SettingsKeys.inc"
#undef ZQ_INT_KEY
#undef ZQ_STR_KEY

    // ---- FILERINFODATA FILERINFO0-4: the five Filer display formats.
    struct FilerInfo {
        int date = 0;
        int time = 0;
        int size = 0;
        int noSeconds = 0;
        int attributes = 0;
        bool operator==(const FilerInfo&) const = default;
    };
    std::array<FilerInfo, 5> filerInfo;

    std::array<std::wstring, 20> specialCopyTo;    // SPECIALCOPYTO DIR%d
    std::array<std::wstring, 10> wildcardFilters;  // WILDCARD FILTER%d
    std::array<std::wstring, 9> scsiCommands;      // SCSICOMMAND SCSI%d
    std::array<int, 10> zoomSteps{};               // ZOOMDATA, keys in the order of kZoomKeys

    // ---- COLORDATA
    std::array<std::wstring, 100> kindColorNames;  // KINDCOLORNAME%d
    std::array<std::uint32_t, 100> kindColors{};   // KINDCOLOR%d
#define ZQ_COLOUR_KEY(name, def) std::uint32_t name;
#include "settings/ColourKeys.inc"
#undef ZQ_COLOUR_KEY
    std::array<std::uint32_t, 256> binaryColors{};  // BINARY%02x

    // ---- KINDEXEDATA and KINDEXEDATASHIFT: programs by extension, n 0-79.
    struct KindExe {
        std::wstring name;   // KINDEXENAME%d: extension list
        std::wstring exe;    // KINDEXE%d
        std::wstring param;  // KINDEXEPARAM%d
        bool operator==(const KindExe&) const = default;
    };
    std::array<KindExe, 80> kindExe;
    std::array<KindExe, 80> kindExeShift;

    // ---- VIEWERSETTING
    std::array<int, 5> viewerSetting{};       // SETTING%d
    std::array<std::wstring, 30> viewerKind;  // KIND%d
    std::array<int, 30> viewerKindWords{};    // KINDWORDS%d
    std::array<int, 30> viewerKindTab{};      // KINDTAB%d
    std::wstring leftDblClickAct;             // LEFTDBLCLICKACT
    std::wstring rightDblClickAct;            // RIGHTDBLCLICKACT
    std::wstring lineReturnCode;              // LINE_RETURN_CODE

    MruList viewerSearch{30};  // VIEWER_SEARCH_STRING %d

    // ---- JUMPDATA: bookmark groups; the loader makes SUMDIRJUMPGROUP of them.
    struct JumpEntry {
        std::wstring toDir;    // TODIR, 520
        std::wstring dirKey;   // DIRKEY, 30
        std::wstring display;  // DISPLAY, 260
        bool operator==(const JumpEntry&) const = default;
    };
    struct JumpGroup {
        std::wstring name;  // GROUP%d
        std::vector<JumpEntry> entries;
        bool operator==(const JumpGroup&) const = default;
    };
    std::vector<JumpGroup> jumpGroups;

    MruList selectDir{20};  // SELECTDIR TODIR%d, sized by SUMCOPYPASTDIRECTORY

    // ---- History lists.
    MruList dirHistory{100};      // DIRHISTORY TODIR%d
    MruList filerBmp{200};        // FILERBMP BMP%d
    MruList soundList{5};         // SOUNDLIST LIST%d
    MruList renameHistory{10};    // RENAMEHISTORY NAME%d
    MruList exeHistory{20};       // EXEHISTORY EXE%d
    MruList exeParamHistory{20};  // EXEHISTORY EXEPARAM%d

    // ---- LANCHER, read up to the first empty EXE%d.
    struct Launcher {
        std::wstring exe;     // EXE%d
        std::wstring param;   // PAR%d
        std::wstring key;     // KEY%d
        std::wstring exeDir;  // EXE_DIR%d
        bool operator==(const Launcher&) const = default;
    };
    std::vector<Launcher> launcher;

    // ---- KEYEXEDATA, VIEWKEYEXEDATA, GRAPHICKEYEXEDATA, BINARYKEYEXEDATA as they
    // stand in the file: key text ("N_A", "S_F1", …) and command text, in file
    // order, each key once.  The key tables decide what is missing.
    using KeySection = std::vector<std::pair<std::wstring, std::wstring>>;
    std::array<KeySection, kKeySectionCount> keySections;

    // ---- SUSIEDATA
    std::wstring susieDirectory;            // SUSIEDIRECTORY
    std::wstring tempDirectory;             // TEMPDIRECTORY (empty: the platform's)
    std::vector<std::wstring> pluginFiles;  // PLUGINFILE%d, up to the first empty one

    // ---- LOAD_PREVIEW: the directories that show thumbnails, up to the first empty DIR%d.
    struct PreviewDir {
        std::wstring dir;  // DIR%d
        int type = 0;      // TYPE%d: how the thumbnail cells are sized
        bool operator==(const PreviewDir&) const = default;
    };
    std::vector<PreviewDir> previewDirs;

    std::array<std::wstring, 23> wavFiles;  // WAV, keys in the order of kWavEvents

    // ---- SOUND
    std::wstring lastLoad;                    // LASTLOAD
    std::array<std::wstring, 30> movieKinds;  // MOVIEKIND%02d
    std::array<std::wstring, 30> audioKinds;  // AUDIOKIND%02d

    std::array<std::wstring, 10> displayModes;  // DISPLAYMODE DISPLAYMODE%d ("%05ld,%05ld,%03ld")

    // ---- UNPACKDATA and PACKDATA: per archiver group 0-7, the option switches.
    static constexpr int kArchiverOptions = 10;
    std::wstring unbypassDllPath;                                      // UNBYPASS_DLL_PATH
    std::array<std::array<int, kArchiverOptions>, 8> unpackOptions{};  // UNPACK%02d%02d
    std::array<std::array<int, kArchiverOptions>, 8> packOptions{};    // PACK%02d%02d

    std::array<int, 8> debugData{};  // DEBUGDATA DEBUG%d

    // ---- DISPLAYFONT: the Viewer's font per screen size the display offers.
    struct DisplayFont {
        int screenWidth = 0;  // the key "%04dX%04d"
        int screenHeight = 0;
        int height = 0;
        int width = 0;
        std::wstring face;
        int charset = 0;
        int weight = 0;
        bool operator==(const DisplayFont&) const = default;
    };
    std::vector<DisplayFont> displayFonts;

    std::array<std::wstring, 10> userMenuCommands;  // FILERUSERMENU MENU%d
    std::array<std::wstring, 10> userMenuLabels;    // FILERUSERMENU VIEW%d

    std::array<std::array<int, 10>, 7> notViewMenu{};  // NOTVIEWMENU MENU%02d%02d (menu, popup)
    std::array<int, 26> virtualDrives{};               // VIRTUALDRIVE %cDRIVE, A-Z

    // ---- PLUGINDATA; the list takes part only when ZQPLUGINLOADTYPE is not 0 (PluginList).
    struct Plugin {
        std::wstring name;     // P_NAME%d
        int version = 0;       // P_VER%d
        std::wstring type;     // P_TYPE%d
        std::wstring viewKey;  // P_VIEWKEY%d
        std::wstring keyStr;   // P_KEYSTR%d
        int viewMenu = 0;      // P_VIEWMENU%d
        bool operator==(const Plugin&) const = default;
    };
    std::wstring pluginDir;  // PLUGINDIR
    std::vector<Plugin> plugins;

    struct NetworkEntry {
        std::wstring resource;  // RES%d
        std::wstring user;      // USER%d
        std::wstring password;  // PASS%d (plain text, as the file has always kept it)
        std::wstring provider;  // PROV%d
        bool operator==(const NetworkEntry&) const = default;
    };
    std::array<NetworkEntry, 30> network;  // NETWORK

    // SAVECURPOS DIR%d / NAME%d, SUMSAVECURPOS of them; read only with SAVECURSORPOSITION.
    struct SavedCursor {
        std::wstring dir;
        std::wstring name;
        bool operator==(const SavedCursor&) const = default;
    };
    std::vector<SavedCursor> savedCursors;

    struct NewFileKind {
        std::wstring kind;      // KIND%d
        std::wstring display;   // DISPLAY%d
        std::wstring shellNew;  // SHELLNEW%d
        bool operator==(const NewFileKind&) const = default;
    };
    std::array<NewFileKind, 20> newFileKinds;  // MAKENEWFILE

    std::array<std::wstring, 10> nonLoadCpl;  // NONLOADCPL CPL%d

    std::array<int, 5> reloadEnable{};  // RELOAD_SETTING ENABLE%d (hard disk, floppy, CD, removable, network)
    std::array<int, 5> reloadTime{};    // RELOAD_SETTING TIME%d

    std::array<int, 3> jumpListDisplay{};  // ORDER_LIST_DIR_JUMP DISPLAY%d
    std::array<int, 3> jumpListItem{};     // ORDER_LIST_DIR_JUMP ITEM%d
    std::array<int, 3> jumpListWidth{};    // ORDER_LIST_DIR_JUMP WIDTH%d

    std::array<std::wstring, 5> timeMacros;  // TIME_MACRO DEF%d

    MruList dirHistoryDialog{100};  // DIR_HISTORY DIR%d

    // ---- FIND_FILE_DLG_INF
    int findInit = 0;                  // INIT
    int findTop = 0;                   // TOP
    int findLeft = 0;                  // LEFT
    int findHeight = 0;                // HEIGHT
    int findWidth = 0;                 // WIDTH
    std::array<int, 5> findColumns{};  // COLUMN%d
    MruList findFiles{10};             // SEARCH_FILE%d
    MruList findDirectories{10};       // SEARCH_DIRECTORY_NAME%d
    MruList findStrings{10};           // SEARCH_STRING%d

    // DISP_FILE_SETTING %d: five stored display filters, bit 0 hidden, 1 system,
    // 2 dot files, 3 read-only, 4 NOTVIEWCURRENTDIR, 5 NOTVIEWUPDIR.
    std::array<std::uint32_t, 5> dispFileSettings{};

    bool operator==(const Settings&) const = default;
};

// Section names of the key sections, by KeySectionIndex.
extern const wchar_t* const kKeySectionNames[kKeySectionCount];

}  // namespace zq
