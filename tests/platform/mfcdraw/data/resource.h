// Ids of the font test script.
#define IDD_LARGE_FONT 100
#define IDC_LIST 1000
#define IDC_LABEL 1001
