// Ids of the toolbar tests' resources.
#pragma once

#define IDR_BUTTONS 300
#define IDR_TRUECOLOUR 301
#define IDR_NOBITMAP 302
#define ID_FIRST 40001
#define ID_SECOND 40002
#define ID_THIRD 40003
#define ID_FOURTH 40004
