// Identifiers of the network account, network settings and virtual drive dialogs.
#pragma once
#define IDM_NETWORK_SETTINGS           8700
#define IDM_VIRTUAL_DRIVE_SETTINGS     8701
#define IDD_NET_ACCOUNT                8710
#define IDC_NET_ACCOUNT_REMOTE         8711
#define IDC_NET_ACCOUNT_USER           8712
#define IDC_NET_ACCOUNT_PASSWORD       8713
#define IDC_NET_ACCOUNT_SAVE           8714
#define IDD_NET_SETTINGS               8720
#define IDC_NET_LONG                   8721
#define IDC_NET_COMMENT                8722
#define IDC_NET_COMMENT_WRITE          8723
#define IDC_NET_PROVIDER               8724
#define IDC_NET_PROVIDER_WRITE         8725
#define IDC_NET_AUTOACCOUNT            8726
#define IDC_NET_SAVEPASSWORD           8727
#define IDC_NET_ACCOUNTS               8728
#define IDC_NET_EDIT                   8729
