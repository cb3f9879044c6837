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
#define IDD_TEXT_BOX                   7020
#define IDC_TEXT_BOX_EDIT              7021
#define IDD_VIEW_TAG                   7030
#define IDC_VIEW_TAG_TITLE             7031
#define IDC_VIEW_TAG_ARTIST            7032
#define IDC_VIEW_TAG_ALBUM             7033
#define IDC_VIEW_TAG_YEAR              7034
#define IDC_VIEW_TAG_GENRE             7035
#define IDC_VIEW_TAG_COMMENT           7036
#define IDC_VIEW_TAG_BITRATE           7037
#define IDC_VIEW_TAG_SAMPLING          7038
#define IDC_VIEW_TAG_CHANNELS          7039
