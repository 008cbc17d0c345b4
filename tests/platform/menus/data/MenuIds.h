// Ids of the menu test script.
#define IDR_TRAY 563
#define IDR_TOOLS 564

#define ID_SHOW 33775
#define ID_VISIT 33779
#define ID_EXIT 33773
#define ID_MODE_AP 33780
#define ID_MODE_STA 33781
#define ID_HELP 33790
