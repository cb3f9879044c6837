// Identifiers of the picture viewer's dialogs.
#pragma once
#define IDD_LOAD_PICTURE               7100
#define IDC_LOAD_PICTURE_TEXT          7101
#define IDC_LOAD_PICTURE_PERCENT       7102
#define IDD_SAVE_BMP                   7110
#define IDC_SAVE_BMP_NAME              7111
#define IDC_SAVE_BMP_PERCENT           7112
#define IDD_GRAPHIC_LIST               7120
#define IDC_GRAPHIC_LIST_NAMES         7121
