// Identifiers of the archive browser's dialogs.
#pragma once
#define IDD_UNPACK                7200
#define IDC_UNPACK_DEST           7201
#define IDC_UNPACK_BROWSE         7202
#define IDC_UNPACK_MAKEDIR        7203
#define IDC_UNPACK_NODIR          7204
#define IDC_UNPACK_CHECKPATH      7205
#define IDC_UNPACK_PASSWORD       7206
#define IDC_UNPACK_FILE           7207
#define IDC_UNPACK_PROGRESS       7208
#define IDC_UNPACK_SIZE           7209
#define IDC_UNPACK_DEST_LABEL     7210
#define IDC_UNPACK_PASSWORD_LABEL 7211
#define IDD_PACK                  7220
#define IDC_PACK_NAME_LABEL       7221
#define IDC_PACK_NAME             7222
#define IDC_PACK_FILE             7223
#define IDD_UNPACK_SETTINGS       7230
#define IDC_UNPACKSET_ROW         7231
#define IDC_UNPACKSET_INFO        7232
#define IDC_UNPACKSET_DLL         7233
#define IDC_UNPACKSET_OPTION0     7240
#define IDM_UNPACK_SETTINGS       7250
