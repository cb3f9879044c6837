// Identifiers of the copy dialog's helpers: the file-pattern dialog and the
// program's check-list dialog.
#pragma once

#define IDD_SELCOPYFILE 6440
#define IDC_SELCOPY_INCLUDE_EDIT 6441
#define IDC_SELCOPY_INCLUDE_ADD 6442
#define IDC_SELCOPY_INCLUDE_LIST 6443
#define IDC_SELCOPY_INCLUDE_DELETE 6444
#define IDC_SELCOPY_EXCLUDE_EDIT 6445
#define IDC_SELCOPY_EXCLUDE_ADD 6446
#define IDC_SELCOPY_EXCLUDE_LIST 6447
#define IDC_SELCOPY_EXCLUDE_DELETE 6448

#define IDD_CHECKLISTBOX 6450
#define IDC_CHECKLIST_LIST 6451
