#pragma once
// Plug-in settings, new-file list and companion helpers: ids 8000-8099.
#define IDD_PLUGIN_SETTINGS 8000
#define IDC_PLUGIN_LIST 8001
#define IDC_PLUGIN_DIRECTORY 8002
#define IDC_PLUGIN_BROWSE 8003
#define IDC_PLUGIN_LOADTYPE 8004
#define IDM_NEWFILE_LIST_FIRST 8050  // the @Makenewfilelist popup: row n is 8050 + n
