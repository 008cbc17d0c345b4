// Ids of the widget tests' resources.
#pragma once

#define IDR_CHOICES 200
#define IDR_DROPDOWN 201
#define IDR_TOOLBAR 300
#define IDR_TOOLBAR_24 301
#define IDI_RED 400
#define IDI_BLUE 401
#define IDD_TABS 166
#define IDD_PAGE 167
#define IDD_HOST 168

#define ID_OPEN 32801
#define ID_SAVE 32802
#define ID_ALPHA 32803
#define ID_BETA 32804
#define ID_CHECK 32805
#define ID_EXIT 32806
#define ID_RADIO 32807

#define IDC_TAB_FIRST 1004
#define IDC_TAB_SECOND 1005
#define IDC_TAB_THIRD 1006
#define IDC_EXTRA 1013
