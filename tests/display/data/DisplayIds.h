// Ids of the display tests' dialog.
#define IDD_FORM 700
#define IDC_NAME 701
#define IDC_PASSPHRASE 702
#define IDC_CHANNEL 703
#define IDC_BAND 704
