// Identifiers of the drive dialogs.
#pragma once
#define IDD_ONLY_EDIT_NAME 8100
#define IDC_ONLY_EDIT_NAME_TEXT 8101
