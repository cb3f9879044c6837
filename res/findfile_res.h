// Identifiers of the file search dialog.
#pragma once
#define IDD_FINDFILE            7600
#define IDC_FIND_DIRECTORY      7601
#define IDC_FIND_NAME           7602
#define IDC_FIND_STRING         7603
#define IDC_FIND_SJIS           7604
#define IDC_FIND_UNICODE        7605
#define IDC_FIND_EUC            7606
#define IDC_FIND_JIS            7607
#define IDC_FIND_UTF8           7608
#define IDC_FIND_OPTION         7609
#define IDC_FIND_CLOSE          7610
#define IDC_FIND_STOP           7611
#define IDC_FIND_STATUS         7612
#define IDC_FIND_PROBLEMS       7613
#define IDC_FIND_RESULTS        7614
#define IDC_FIND_LOCATE         7615
#define IDC_FIND_RESULTS_LABEL  7616
#define IDC_FIND_DIRECTORY_LABEL 7620
#define IDC_FIND_NAME_LABEL     7621
#define IDC_FIND_STRING_LABEL   7622
#define IDC_FIND_CODE_LABEL     7623
