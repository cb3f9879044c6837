// Identifiers of the attribute, time-stamp, directory, shortcut, time-macro
// and synchronisation dialogs.
#pragma once

// The attribute and time rows, the same in the three dialogs that show them.
#define IDD_ATTRIBUTE 7700
#define IDC_ATTR_READONLY 7701
#define IDC_ATTR_HIDDEN 7702
#define IDC_ATTR_SYSTEM 7703
#define IDC_ATTR_ARCHIVE 7704
#define IDC_ATTR_INDIR 7705
#define IDC_ATTR_NEGLECTDIR 7706
#define IDC_ATTR_USEATTR 7707
#define IDC_ATTR_USETIME 7708
#define IDD_FILETIME 7710
#define IDC_TIME_CREATE_ON 7711
#define IDC_TIME_CREATE_DATE 7712
#define IDC_TIME_CREATE_TIME 7713
#define IDC_TIME_ACCESS_ON 7714
#define IDC_TIME_ACCESS_DATE 7715
#define IDC_TIME_ACCESS_TIME 7716
#define IDC_TIME_WRITE_ON 7717
#define IDC_TIME_WRITE_DATE 7718
#define IDC_TIME_WRITE_TIME 7719
#define IDD_TIMEATTRIBUTE 7730

#define IDD_MKDIR 7740
#define IDC_MKDIR_NAME 7741
#define IDC_MKDIR_MOVE 7742

#define IDD_MAKELINK 7750
#define IDC_LINK_TARGET 7751
#define IDC_LINK_TARGET_BROWSE 7752
#define IDC_LINK_NAME 7753
#define IDC_LINK_ARGUMENTS 7754
#define IDC_LINK_DESCRIPTION 7755
#define IDC_LINK_WORKDIR 7756
#define IDC_LINK_WORKDIR_BROWSE 7757
#define IDC_LINK_SAVEDIR 7758
#define IDC_LINK_SAVEDIR_BROWSE 7759

#define IDD_SETTIMEMACRO 7770
#define IDC_TIMEMACRO_1 7771
#define IDC_TIMEMACRO_2 7772
#define IDC_TIMEMACRO_3 7773
#define IDC_TIMEMACRO_4 7774
#define IDC_TIMEMACRO_5 7775

// The time-macro dialog's command, for a menu item of the settings menu.
#define IDM_SETTIMEMACRO 7799
