// The fixed desktop profile: one 1280 x 1024 screen at 96 dots per inch with
// a 30-pixel taskbar at the bottom, the metrics of the classic look, and the
// colours of the "Windows Classic" scheme. While an X display is open the
// screen has the X screen's size.
#include <atomic>

#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Root.h"
#include "platform/win/gdi/Fonts.h"
#include "platform/win/user/User.h"

namespace {

constexpr int kDefaultWidth = 1280;
constexpr int kDefaultHeight = 1024;
constexpr int kTaskbarHeight = 30;
constexpr int kCaption = 19;

std::atomic<int> g_width{kDefaultWidth};
std::atomic<int> g_height{kDefaultHeight};
std::atomic<void (*)()> g_screenProbe{nullptr};

void probeScreen() {
  if (auto probe = g_screenProbe.load()) probe();
}

const bool g_reset = (wavorel::registerStateReset([] { wavorel::setScreenSize(kDefaultWidth, kDefaultHeight); }), true);

// The metrics that follow the screen's size.
int screenMetric(int index) {
  probeScreen();
  const int w = g_width, h = g_height;
  switch (index) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN:
    case SM_CXVIRTUALSCREEN: return w;
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN: return h;
    case SM_CYFULLSCREEN: return h - kTaskbarHeight - kCaption;
    case SM_CXMAXTRACK: return w + 12;
    case SM_CYMAXTRACK: return h + 12;
    case SM_CXMAXIMIZED: return w + 8;
    case SM_CYMAXIMIZED: return h - kTaskbarHeight + 8;
    default: return -1;
  }
}

struct Metric {
  int index;
  int value;
};

constexpr Metric kMetrics[] = {
    {SM_CXVSCROLL, 16},
    {SM_CYHSCROLL, 16},
    {SM_CYCAPTION, kCaption},
    {SM_CXBORDER, 1},
    {SM_CYBORDER, 1},
    {SM_CXDLGFRAME, 3},
    {SM_CYDLGFRAME, 3},
    {SM_CYVTHUMB, 16},
    {SM_CXHTHUMB, 16},
    {SM_CXICON, 32},
    {SM_CYICON, 32},
    {SM_CXCURSOR, 32},
    {SM_CYCURSOR, 32},
    {SM_CYMENU, 19},
    {SM_MOUSEPRESENT, 1},
    {SM_CYVSCROLL, 16},
    {SM_CXHSCROLL, 16},
    {SM_SWAPBUTTON, 0},
    {SM_CXMIN, 112},
    {SM_CYMIN, 27},
    {SM_CXSIZE, 18},
    {SM_CYSIZE, 18},
    {SM_CXFRAME, 4},
    {SM_CYFRAME, 4},
    {SM_CXMINTRACK, 112},
    {SM_CYMINTRACK, 27},
    {SM_CXDOUBLECLK, 4},
    {SM_CYDOUBLECLK, 4},
    {SM_CXICONSPACING, 75},
    {SM_CYICONSPACING, 75},
    {SM_CMOUSEBUTTONS, 3},
    {SM_CXEDGE, 2},
    {SM_CYEDGE, 2},
    {SM_CXSMICON, 16},
    {SM_CYSMICON, 16},
    {SM_CYSMCAPTION, 15},
    {SM_CXSMSIZE, 12},
    {SM_CYSMSIZE, 14},
    {SM_CXMENUSIZE, 18},
    {SM_CYMENUSIZE, 18},
    {SM_CXMINIMIZED, 160},
    {SM_CYMINIMIZED, 24},
    {SM_NETWORK, 1},
    {SM_CXDRAG, 4},
    {SM_CYDRAG, 4},
    {SM_MOUSEWHEELPRESENT, 1},
    {SM_XVIRTUALSCREEN, 0},
    {SM_YVIRTUALSCREEN, 0},
    {SM_CMONITORS, 1},
    {SM_SAMEDISPLAYFORMAT, 1},
};

// Indexed by COLOR_* (index 25 is unused and reads as black).
constexpr COLORREF kColors[] = {
    RGB(212, 208, 200),  // COLOR_SCROLLBAR
    RGB(58, 110, 165),   // COLOR_BACKGROUND
    RGB(10, 36, 106),    // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(212, 208, 200),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(212, 208, 200),  // COLOR_ACTIVEBORDER
    RGB(212, 208, 200),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(10, 36, 106),    // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(212, 208, 200),  // COLOR_BTNFACE
    RGB(128, 128, 128),  // COLOR_BTNSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(212, 208, 200),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(64, 64, 64),     // COLOR_3DDKSHADOW
    RGB(212, 208, 200),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(0, 0, 0),        // (unused)
    RGB(0, 0, 128),      // COLOR_HOTLIGHT
    RGB(166, 202, 240),  // COLOR_GRADIENTACTIVECAPTION
    RGB(192, 192, 192),  // COLOR_GRADIENTINACTIVECAPTION
    RGB(10, 36, 106),    // COLOR_MENUHILIGHT
    RGB(212, 208, 200),  // COLOR_MENUBAR
};

BOOL writeBool(PVOID data, BOOL value) {
  if (data == nullptr) return SetLastError(ERROR_INVALID_PARAMETER), FALSE;
  *static_cast<BOOL*>(data) = value;
  return TRUE;
}

BOOL writeUint(PVOID data, UINT value) {
  if (data == nullptr) return SetLastError(ERROR_INVALID_PARAMETER), FALSE;
  *static_cast<UINT*>(data) = value;
  return TRUE;
}

}  // namespace

int GetSystemMetrics(int index) {
  if (int value = screenMetric(index); value >= 0) return value;
  for (const Metric& m : kMetrics)
    if (m.index == index) return m.value;
  return 0;
}

DWORD GetSysColor(int index) {
  if (index < 0 || static_cast<size_t>(index) >= sizeof(kColors) / sizeof(kColors[0])) return 0;
  return kColors[index];
}

BOOL SystemParametersInfo(UINT action, UINT param, PVOID data, UINT) {
  switch (action) {
    case SPI_GETWORKAREA:
      if (data == nullptr) return SetLastError(ERROR_INVALID_PARAMETER), FALSE;
      probeScreen();
      *static_cast<RECT*>(data) = RECT{0, 0, g_width, g_height - kTaskbarHeight};
      return TRUE;
    case SPI_GETNONCLIENTMETRICS:
      return wavorel::nonClientMetrics(param, data);
    case SPI_SETNONCLIENTMETRICS:
      return wavorel::setNonClientMetrics(param, data);
    case SPI_GETGRADIENTCAPTIONS:
    case SPI_GETTOOLTIPANIMATION:
    case SPI_GETTOOLTIPFADE:
      return writeBool(data, TRUE);
    case SPI_GETMOUSEHOVERTIME:
      return writeUint(data, 400);
    case SPI_GETMOUSEHOVERWIDTH:
    case SPI_GETMOUSEHOVERHEIGHT:
      return writeUint(data, 4);
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
  }
}

namespace wavorel {

void setScreenSize(int width, int height) {
  g_width = width > 0 ? width : kDefaultWidth;
  g_height = height > 0 ? height : kDefaultHeight;
}

void setScreenProbe(void (*probe)()) { g_screenProbe = probe; }

}  // namespace wavorel
