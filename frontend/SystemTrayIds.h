// Resource ids of the tray icon: the icon id, which is also the id of the
// tray menu, and the menu's commands (carried out by the main dialog).
// Read by the resource compiler too: plain #define lines only.
#pragma once

#define IDR_TRAY_MENU 563
#define ID_TRAY_SHOW_MAIN_UI 33775
#define ID_TRAY_VISIT_COMPANY_WEB 33779
#define ID_TRAY_EXIT 33773
