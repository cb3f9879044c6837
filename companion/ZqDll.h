#pragma once
// The call forms of ZqDll.DLL, the companion library that lies beside zq.exe.
// zq finds every function by its export name (undecorated) and must cope with
// any of them missing.  All text is UTF-16.  The records below are handed
// across the library boundary and keep their layout.
#include <windows.h>

#include <stdint.h>

// Numbers the program relies on.
#define ZQ_CPL_RECORD_BYTES 1000              // one control-panel record
#define ZQ_CPL_MAX_RECORDS 40                 // records the program asks for
#define ZQ_NONLOADCPL_COUNT 10                // NONLOADCPL keys CPL0 .. CPL9
#define ZQ_NONLOADCPL_CHARS 520               // units per NONLOADCPL value
#define ZQ_TRAY_NOTIFY_MESSAGE (WM_USER + 5)  // the tray icon's message to the view
#define ZQ_TRAY_SHOW_COMMAND 2050             // "ウィンドウ表示": the command that brings the window back
#define ZQ_VIEW_CHILD_ID 0xE900               // the view's child-window identifier inside the frame

// One control-panel item (an applet of a *.cpl file in the system directory).
// The item is opened by running the applet: control.exe "<CplPath>",@<AppletIndex>.
typedef struct StructZqCplData {
    int32_t AppletIndex;     // the applet's number inside its file
    int32_t IconResourceId;  // icon resource of the applet in its file; 0 when none is known
    wchar_t CplPath[260];    // full path of the *.cpl file
    wchar_t Name[128];       // the applet's name as it shows it
    wchar_t Info[108];       // its description
} StructZqCplData;

// What the program hands to the control-panel functions.
typedef struct StructZqCplContext {
    uint32_t cbSize;  // sizeof(StructZqCplContext)
    HWND hwndOwner;   // owner of the library's dialogs and of the applets' initialisation
    // NONLOADCPL: files that are never loaded, by name ("joy.cpl") or full path; empty strings are unused
    wchar_t NonLoadCpl[ZQ_NONLOADCPL_COUNT][ZQ_NONLOADCPL_CHARS];
} StructZqCplContext;

// What the Viewer hands to ZqPrintTextDlg: the loaded text as it is held (in
// the ANSI code page), with the print settings.  Margins are millimetres; the
// font height and width are LOGFONT values at 96 dots per inch, scaled to the
// printer.  The library may change *FontCharset; the caller puts its own back.
typedef struct StructZqPrintText {
    int32_t SetupPrinter;     // SETUPPRINTER: non-zero shows the printer choice with its settings
    int32_t* LineNumbers;     // VIEWNUMBER: non-zero prints each row's number before it
    const wchar_t* FontName;  // PRINTFONTNAME
    int32_t* FontCharset;     // a copy of PRINTFONTCHARSET
    int32_t FontHeight;       // PRINTFONTHEIGHT
    int32_t FontWidth;        // PRINTFONTWIDE; 0: the font's own
    int32_t Columns;          // characters per row, as the Viewer wraps
    const wchar_t* FileName;  // the document's name in the print queue and the page header
    const char* Text;
    uint32_t TextLength;
    int32_t TabWidth;
    int32_t SpaceLeft, SpaceRight, SpaceTop, SpaceBottom;
    HWND hwndOwner;  // owner of the library's dialogs and messages
} StructZqPrintText;

// What the Filer hands to ZqTagMakeDlg: the files whose MP3 tag (the 128
// bytes at the end of the file) is written.  With one file the dialog shows
// its tag to edit; with several, a field that is filled in is written to every
// file and an empty one keeps each file's own value.
typedef struct StructZqTagRequest {
    uint32_t cbSize;              // sizeof(StructZqTagRequest)
    HWND hwndOwner;               // owner of the dialog and its messages
    const wchar_t* const* Files;  // full paths
    int32_t FileCount;
    int32_t Written;  // out: files whose tag was written
} StructZqTagRequest;

// What the Filer hands to ZqDirTreeDlg.  The tree opens at the current
// directory; the folders it has read are kept for the next tree when the
// two switches say so.
#define ZQ_DIRTREE_PATH_CHARS 4096
typedef struct StructZqDirTreeRequest {
    uint32_t cbSize;               // sizeof(StructZqDirTreeRequest)
    HWND hwndOwner;                // owner of the dialog
    int32_t AllDrives;             // non-zero: every drive at the top (@Drivetreeview); 0: the current drive only
    int32_t SaveToFile;            // SAVEDRIVETREETOFILE: kept in "ZqDirTree.dat" in ProgramDirectory between runs
    int32_t SaveToMemory;          // SAVEDRIVETREETOMEMORY: kept in the library while the program runs
    const int32_t* VirtualDrives;  // VIRTUALDRIVE A to Z (26): a letter switched on is ours, not a disk
    const wchar_t* ProgramDirectory;
    const wchar_t* CurrentDirectory;
    wchar_t Directory[ZQ_DIRTREE_PATH_CHARS];  // out: the chosen directory
} StructZqDirTreeRequest;

// What the Filer hands to OnLancher: the launcher entries (LANCHER), which
// the dialog may also add to, change and remove, and the key table that
// gives the key names of the entries their keys.
#define ZQ_LAUNCHER_CHARS 520
#define ZQ_LAUNCHER_MAX_ENTRIES 100
typedef struct StructZqLauncherEntry {
    wchar_t Program[ZQ_LAUNCHER_CHARS];     // EXE%d
    wchar_t Parameters[ZQ_LAUNCHER_CHARS];  // PAR%d
    wchar_t Directory[ZQ_LAUNCHER_CHARS];   // EXE_DIR%d; empty: the pane's directory
    wchar_t KeyName[ZQ_LAUNCHER_CHARS];     // KEY%d: a name of the key table; pressing it runs the entry
} StructZqLauncherEntry;
typedef struct StructZqKeyName {
    uint32_t VirtualKey;
    const wchar_t* Name;
} StructZqKeyName;
typedef struct StructZqLauncherRequest {
    uint32_t cbSize;  // sizeof(StructZqLauncherRequest)
    HWND hwndOwner;
    StructZqLauncherEntry* Entries;  // Count in use, room for ZQ_LAUNCHER_MAX_ENTRIES
    int32_t Count;                   // in and out
    const StructZqKeyName* Keys;     // the key table
    int32_t KeyCount;                // its length (88)
    int32_t Changed;                 // out: the entries were edited; the caller stores them
} StructZqLauncherRequest;

#ifdef __cplusplus
static_assert(sizeof(StructZqCplData) == ZQ_CPL_RECORD_BYTES, "the record size is part of the call form");
extern "C" {
#endif

// Fills up to capacity records with the control-panel items found on the
// system, skipping the files named in context->NonLoadCpl.  debug != 0 reports
// each file to the debugger output before it is loaded, so that a file that
// crashes the search can be found and excluded.  Answers the number filled.
typedef int(WINAPI* PFN_ZqGetCplAllData)(StructZqCplData* records, int capacity, BOOL debug,
                                         StructZqCplContext* context);

// Lets the user choose the files that are not loaded and writes the choice into
// context->NonLoadCpl.  Answers non-zero when the user confirmed (the context
// was rewritten), 0 when he cancelled.
typedef BOOL(WINAPI* PFN_OnSetNonLoadCpl)(StructZqCplContext* context);

// Hides frame and puts an icon into the task tray.  The icon sends
// ZQ_TRAY_NOTIFY_MESSAGE to the view (the frame's child ZQ_VIEW_CHILD_ID, or the
// frame itself when it has none) with the mouse message in lParam.  The key
// that sent the window to the tray (modifierIndex 0 none, 1 Shift, 2 Ctrl,
// 3 Alt; virtualKey) becomes a system-wide hot key while the window is hidden;
// pressing it posts ZQ_TRAY_SHOW_COMMAND to the frame.  Answers 0 and leaves
// the window shown when no icon can be added.
typedef BOOL(WINAPI* PFN_SetToTaskTray)(HWND frame, int modifierIndex, UINT virtualKey);

// Removes the icon and the hot key and shows the window hidden by
// SetToTaskTray again.  Answers 0 when no window is in the tray.
typedef BOOL(WINAPI* PFN_ReleaseToTaskTray)(void);

// The platform's Wow64DisableWow64FsRedirection and
// Wow64RevertWow64FsRedirection under the program's names; each answers 0
// where the platform has no such function.
typedef BOOL(WINAPI* PFN_DisableWow64FsRedirection)(PVOID* oldValue);
typedef BOOL(WINAPI* PFN_RevertWow64FsRedirection)(PVOID oldValue);

// Asks for a printer and prints the text.  Answers non-zero when it was
// printed; 0 when the user cancelled or printing was refused, which the
// library has already told the user about.
typedef BOOL(WINAPI* PFN_ZqPrintTextDlg)(StructZqPrintText* request);

// Compares two whole files byte by byte and shows the result in a modal
// dialog owned by the caller's active window.  directory: the pane's folder
// with a trailing backslash, or empty; first, second: full paths.  Answers 0
// when no dialog could be shown.
typedef BOOL(WINAPI* PFN_ZqCmpBinaryDlg)(const wchar_t* directory, const wchar_t* first, const wchar_t* second);

// Lets the user edit the tag and writes it to each file.  Answers non-zero
// when the user confirmed (request->Written files were written; the library
// has named the ones it could not write), 0 when he cancelled or no dialog
// could be shown.
typedef BOOL(WINAPI* PFN_ZqTagMakeDlg)(StructZqTagRequest* request);

// Shows the directory tree and lets the user choose a directory.  Answers
// non-zero with request->Directory filled when he did; 0 when he cancelled or
// no dialog could be shown.
typedef BOOL(WINAPI* PFN_ZqDirTreeDlg)(StructZqDirTreeRequest* request);

// Shows the launcher.  Answers the index of the entry the user chose (by its
// key, Return or a double click), below 0 when he chose none.  The caller runs
// the entry.
typedef int(WINAPI* PFN_OnLancher)(StructZqLauncherRequest* request);

#ifdef __cplusplus
}
#endif
