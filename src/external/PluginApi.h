#pragma once
// The call form of a zq plug-in: a library that exports ZqExecutePlugin
// (undecorated) and adds Filer commands.  Everything here crosses the library
// boundary and keeps its layout; all text is UTF-16.
#include <windows.h>

#include <stdint.h>

#define ZQ_PLUGIN_ENTRY_NAME "ZqExecutePlugin"
#define ZQ_PLUGIN_PATH_CHARS 520  // the service routine's output buffer, in units

// One pane as the plug-in sees it (the focused pane is handed first).  The
// tables are copies made for the call: a plug-in may read them, never keep them.
typedef struct StructZqPaneInfo {
    uint32_t Mode;                    // the pane's state bits combined with its mode bits
    const wchar_t* Directory;         // the pane's directory; in the drive list, the entry under the cursor
    int32_t EntryCount;               // entries read, "." and ".." included; 0 in the drive list
    int32_t MarkedCount;              // marked entries
    int32_t SpecialCount;             // "." and ".." entries at the head of the order
    const WIN32_FIND_DATAW* Entries;  // EntryCount records, in reading order
    const uint32_t* Marks;            // per entry (by entry index): 1 = marked
    const int32_t* Order;             // per display position: the entry index shown there
    uintptr_t Reserved;               // 0
} StructZqPaneInfo;

// The program's service routine: first and second joined as a path into out
// (ZQ_PLUGIN_PATH_CHARS units); 0 when the result does not fit.
typedef int(WINAPI* PFN_ZqMakePath)(const wchar_t* first, const wchar_t* second, wchar_t* out);

// A non-zero answer makes the program read its listings again.
typedef int(WINAPI* PFN_ZqExecutePlugin)(HWND mainWindow, const wchar_t* programDirectory, const wchar_t* userName,
                                         const wchar_t* keyText, const StructZqPaneInfo* focused,
                                         const StructZqPaneInfo* other, PFN_ZqMakePath makePath);
