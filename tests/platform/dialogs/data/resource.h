// Ids of the dialog test script.
#define IDD_FORM 100
#define IDD_PLAIN 101
#define IDD_SHEET_PAGE1 102
#define IDD_SHEET_PAGE2 103
#define IDC_LABEL 1000
#define IDC_NAME 1001
#define IDC_OPEN 1002
#define IDC_WEP 1003
#define IDC_WPA 1004
#define IDC_HIDDEN 1005
#define IDC_MODE 1006
#define IDC_APPLY 1007
#define IDC_COUNT 1008
#define IDS_PAGE2 200
