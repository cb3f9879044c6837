// Identifiers of the archive browser's dialogs.
#pragma once
#define IDD_UNPACK                7100
#define IDC_UNPACK_DEST           7101
#define IDC_UNPACK_BROWSE         7102
#define IDC_UNPACK_MAKEDIR        7103
#define IDC_UNPACK_NODIR          7104
#define IDC_UNPACK_CHECKPATH      7105
#define IDC_UNPACK_PASSWORD       7106
#define IDC_UNPACK_FILE           7107
#define IDC_UNPACK_PROGRESS       7108
#define IDC_UNPACK_SIZE           7109
#define IDC_UNPACK_DEST_LABEL     7110
#define IDC_UNPACK_PASSWORD_LABEL 7111
