// Identifiers of the text Viewer's dialogs.
#pragma once
#define IDD_VIEWER_SEARCH              7000
#define IDC_VIEWER_SEARCH_STRING       7001
#define IDC_VIEWER_SEARCH_FROM_TOP     7002
#define IDC_VIEWER_SEARCH_FROM_LINE    7003
#define IDC_VIEWER_SEARCH_UP           7004
#define IDC_VIEWER_SEARCH_DOWN         7005
#define IDC_VIEWER_SEARCH_IGNORE_CASE  7006
#define IDD_VIEWER_JUMP                7010
#define IDC_VIEWER_JUMP_LINE           7011
