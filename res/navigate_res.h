// Identifiers of the directory navigation dialogs.
#pragma once
#define IDD_NEWSELECT                  6800
#define IDC_NEWSELECT_LONELY           6801
#define IDC_NEWSELECT_BOTH             6802
#define IDD_DIRHISTORY                 6810
#define IDC_DIRHISTORY_LIST            6811
