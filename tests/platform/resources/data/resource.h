// Ids of the test scripts.
#define IDS_HELLO 100
#define IDS_ESCAPES 101
#define IDS_WIDE 117
#define IDS_MODULE_ONLY 140

#define IDD_MAIN 200
#define IDC_NAME 1001
#define IDC_MODE 1002
#define IDC_LIST 1003
#define IDC_APPLY 1004
#define IDC_TABS 1005
#define IDC_LOGO 1006

#define IDR_TRAY 300
#define IDR_TOOLBAR 301
#define IDB_LOGO 400
#define IDI_APP 401
#define IDC_HAND_CURSOR 402

#define ID_SHOW 33775
#define ID_VISIT 33779
#define ID_EXIT 33773
#define ID_MODE_AP 33780
#define ID_MODE_STA 33781

#ifndef APSTUDIO_INVOKED
#define TEST_VERSION_MAJOR 2
#endif
