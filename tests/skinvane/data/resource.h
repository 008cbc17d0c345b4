// Ids of the control test script.
#define IDD_SKIN 100
#define IDD_GROUPS 101
#define IDC_RADIO1 1001
#define IDC_RADIO2 1002
#define IDC_RADIO3 1003
#define IDC_CHECK 1004
#define IDC_OTHER_RADIO 1005
