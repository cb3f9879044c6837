// Resource identifiers.  Where the program has documented numbers (menus,
// dialogs, controls, commands) they are used as they are.
#pragma once

// The main frame: menu, icon and document string of the single-document template.
#define IDR_MAINFRAME 406

// The program's own question box.
#define IDD_MESSAGEBOX 3990
#define IDC_MESSAGEBOX_TEXT 3991
#define IDC_MESSAGEBOX_NO 3992

// A dialog used only by the framework's own tests.
#define IDD_UI_TEST 3995
#define IDC_UI_TEST_EDIT 3996
#define IDC_UI_TEST_CHECK 3997
#define IDC_UI_TEST_RADIO0 3998
#define IDC_UI_TEST_RADIO1 3999
#define IDC_UI_TEST_RADIO2 4000
#define IDC_UI_TEST_COMBO 4001
#define IDC_UI_TEST_NUMBER 4002

// Commands.
#define ID_APP_EXIT 57665
#define ID_APP_ABOUT 57664

// The about box.
#define IDD_ABOUTBOX 100
#define IDC_ABOUT_LINK 2035
#define IDC_ABOUT_EDITION 4068

// The quit dialog.
#define IDD_QUIT 162
#define IDC_QUIT_SHUTDOWN 1315
#define IDC_QUIT_REBOOT 1711

// The popup menu of a directory listing pane.
#define IDR_PANE_POPUP_FILER 407

#include "commands_res.h"
#include "external_res.h"
#include "fileops_res.h"
#include "settings_res.h"
#include "viewfiler_res.h"
#include "filerdlg_res.h"
#include "navigate_res.h"
#include "copyx_res.h"
#include "viewer_res.h"
#include "picture_res.h"
#include "getaround_res.h"
#include "binedit_res.h"
#include "archive_res.h"
#include "findfile_res.h"
#include "attribute_res.h"
#include "rename_res.h"
#include "synccopy_res.h"
#include "plugins_res.h"
#include "drives_res.h"
#include "net_res.h"
