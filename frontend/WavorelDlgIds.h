/* Resource ids of the main dialog, shared by its class and the resource
   script (so plain #defines only). */
#pragma once

#define IDD_WAVOREL_DIALOG 502
#define IDC_TABLE_HOST 5000
#define IDC_BTN_CLOSE 5006
#define IDC_STATIC_TEXT1 5115
#define IDC_STATIC_TEXT2 5118
#define IDC_BTN_LOGO 5120
#define IDC_BTN_WEB 5122
#define IDC_RADIO_STATION 5123
#define IDC_RADIO_AP 5125
