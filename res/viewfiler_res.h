// Identifiers of the Filer view's dialogs.
#pragma once
#define IDD_FILER_SORT                 6400
#define IDC_SORT_KEY_NAME              6401
#define IDC_SORT_KEY_TIME              6402
#define IDC_SORT_KEY_SIZE              6403
#define IDC_SORT_KEY_KIND              6404
#define IDC_SORT_KEY_ATTRIBUTE         6405
#define IDC_SORT_KEY_NONE              6406
#define IDC_SORT_EQUAL                 6407
#define IDC_SORT_DIR_KEY               6408
#define IDC_SORT_ASCENDING             6409
#define IDC_SORT_DESCENDING            6410
#define IDC_SORT_DIR_ASCENDING         6411
#define IDC_SORT_DIR_DESCENDING        6412
#define IDC_SORT_NO_SEPARATE           6413
