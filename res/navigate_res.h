// Identifiers of the directory navigation dialogs.
#pragma once
#define IDD_NEWSELECT                  6700
#define IDC_NEWSELECT_LONELY           6701
#define IDC_NEWSELECT_BOTH             6702
#define IDD_DIRHISTORY                 6710
#define IDC_DIRHISTORY_LIST            6711
