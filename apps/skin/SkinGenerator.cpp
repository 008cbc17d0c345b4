#include "apps/skin/SkinGenerator.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>

#include "apps/skin/Canvas.h"

namespace wavorel::skin {

namespace {

constexpr COLORREF kKey = kTransparentColor;

// The palette: a deep blue frame around light panels.
constexpr COLORREF kBandTop = RGB(40, 92, 160);
constexpr COLORREF kBandBottom = RGB(18, 46, 98);
constexpr COLORREF kBodyTop = RGB(242, 246, 252);
constexpr COLORREF kBodyBottom = RGB(214, 226, 242);
constexpr COLORREF kBorder = RGB(12, 34, 76);
constexpr COLORREF kHighlight = RGB(120, 170, 230);
constexpr COLORREF kNavy = RGB(24, 60, 120);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGreyLight = RGB(200, 204, 212);
constexpr COLORREF kGrey = RGB(150, 156, 166);
constexpr COLORREF kGreen = RGB(46, 160, 70);
constexpr COLORREF kOrange = RGB(236, 128, 20);
constexpr COLORREF kRed = RGB(204, 48, 40);

// Sizes of the dialog templates in pixels (8-point dialog font: 1.5 pixels
// across and 1.625 down per dialog unit).
constexpr int kPageWidth = 582, kPageHeight = 362;           // 388 x 223
constexpr int kSitePageWidth = 515, kSitePageHeight = 353;   // 343 x 217
constexpr int kOptionWidth = 474, kOptionHeight = 215;       // 316 x 132
constexpr int kMessageWidth = 365, kMessageHeight = 172;     // 243 x 106
constexpr int kSiteEditorWidth = 540, kSiteEditorHeight = 440;

const std::vector<SkinFile> kFiles = {
    {"dlgMainUI.bmp", Look::Dialog, 1, kMainDialogWidth, kMainDialogHeight, kMainDialogBandHeight},
    {"DlgMessageBox.bmp", Look::Dialog, 1, kMessageWidth, kMessageHeight, 28},
    {"DlgOneSiteEditor.bmp", Look::Dialog, 1, kSiteEditorWidth, kSiteEditorHeight, 36},
    {"TabCtrlPage_LinkInfo.bmp", Look::Page, 1, kPageWidth, kPageHeight, 28},
    {"TabCtrlPage_Profiles.bmp", Look::Page, 1, kPageWidth, kPageHeight, 28},
    {"TabCtrlPage_SiteSurvey.bmp", Look::Page, 1, kPageWidth, kPageHeight, 28},
    {"TabCtrlPage_Statistic.bmp", Look::Page, 1, kPageWidth, kPageHeight, 28},
    {"TabCtrlPage_WPS.bmp", Look::Page, 1, kPageWidth, kPageHeight, 28},
    {"TabCtrlPage_AP.bmp", Look::Page, 1, kPageWidth, kPageHeight, 28},
    {"TabCtrlPageSite_Info.bmp", Look::Page, 1, kSitePageWidth, kSitePageHeight, 24},
    {"TabCtrlPageSite_Security.bmp", Look::Page, 1, kSitePageWidth, kSitePageHeight, 24},
    {"TabCtrlPage_SecurityOption.bmp", Look::Page, 1, kOptionWidth, kOptionHeight, 0},
    {"CommonButton.bmp", Look::Button, 4, 80, 24, 0},
    {"CommonButton_Little.bmp", Look::Button, 4, 64, 20, 0},
    {"Button_RestoreDefault.bmp", Look::Button, 4, 110, 24, 0},
    {"Button_RemoveAll.bmp", Look::Button, 4, 100, 24, 0},
    {"btnMainUIClose.bmp", Look::Close, 4, 20, 20, 0},
    {"btnInsideUIClose.bmp", Look::Close, 4, 16, 16, 0},
    {"btnLogo.bmp", Look::Logo, 4, 150, 50, 0},
    {"TabCtrlLable.bmp", Look::TabLabel, 6, 110, 26, 0},
    {"TabCtrlLable_Little.bmp", Look::TabLabel, 6, 80, 20, 0},
    {"TabCtrlLable_Long.bmp", Look::TabLabel, 6, 130, 26, 0},
    {"TabCtrlLable_ConfigSite.bmp", Look::TabLabel, 6, 120, 24, 0},
    {"TabCtrlLable_8021x.bmp", Look::TabLabel, 6, 108, 22, 0},
    {"BtnRadio_Default.bmp", Look::Radio, 6, 16, 16, 0},
    {"btnCheck_Default.bmp", Look::Check, 6, 16, 16, 0},
    {"btnCheck_Station.bmp", Look::ModeStation, 6, 28, 28, 0},
    {"btnCheck_AP.bmp", Look::ModeAP, 6, 28, 28, 0},
    {"SignalBKImage.bmp", Look::BarBack, 1, 220, 30, 0},
    {"SignalForeImage.bmp", Look::BarFore, 1, 200, 14, 0},
    {"WPSProgressBK.bmp", Look::BarBack, 1, 240, 22, 0},
    {"WPSProgressFR.bmp", Look::BarFore, 1, 216, 12, 0},
    {"ProfileListImage.bmp", Look::ProfileImages, 4, 16, 16, 0},
    {"NetSignal.bmp", Look::SignalImages, 10, 16, 16, 0},
    {"WpaProfileListItem.bmp", Look::WpsImages, 3, 16, 16, 0},
    {"TrayIcon.bmp", Look::Tray, 6, 32, 32, 0},
    {"WirelessKesh.ico", Look::AppIcon, 1, 32, 32, 0},
    {"MsgBox_0.ico", Look::InfoIcon, 1, 32, 32, 0},
    {"MsgBox_1.ico", Look::WarningIcon, 1, 32, 32, 0},
    {"MsgBox_2.ico", Look::QuestionIcon, 1, 32, 32, 0},
    {"MsgBox_3.ico", Look::ErrorIcon, 1, 32, 32, 0},
    {"RadioCheck.cur", Look::CheckCursor, 1, 32, 32, 0},
    {"RadioUnCheck.cur", Look::UncheckCursor, 1, 32, 32, 0},
};

COLORREF lighter(COLORREF c, int amount) {
  auto up = [amount](int v) { return static_cast<BYTE>(v + (255 - v) * amount / 100); };
  return RGB(up(GetRValue(c)), up(GetGValue(c)), up(GetBValue(c)));
}

COLORREF darker(COLORREF c, int amount) {
  auto down = [amount](int v) { return static_cast<BYTE>(v * (100 - amount) / 100); };
  return RGB(down(GetRValue(c)), down(GetGValue(c)), down(GetBValue(c)));
}

// Dark strips of the station pages under the controls the front end draws in
// white or near white below the title band (the bar captions, the profile
// list's New/Modify/Delete links, the WPS lists' links and second caption),
// in page pixels from the controls' places in the page templates.
struct PageStrip {
  const char* file;
  RECT rect;
};
const PageStrip kPageStrips[] = {
    {"TabCtrlPage_LinkInfo.bmp", {6, 273, 576, 309}},
    {"TabCtrlPage_Profiles.bmp", {18, 276, 312, 306}},
    {"TabCtrlPage_WPS.bmp", {18, 53, 369, 74}},
    {"TabCtrlPage_WPS.bmp", {18, 179, 369, 201}},
};

void drawPageStrips(Canvas& c, const SkinFile& f) {
  for (const PageStrip& s : kPageStrips)
    if (std::string(s.file) == f.name) c.gradient(s.rect, kBandTop, kBandBottom);
}

RECT frameRect(const SkinFile& f, int i) { return RECT{i * f.frameWidth, 0, (i + 1) * f.frameWidth, f.height}; }

void drawPanel(Canvas& c, const RECT& r, int band, int radius) {
  c.gradient(r, kBodyTop, kBodyBottom);
  if (band > 0) {
    c.gradient(RECT{r.left, r.top, r.right, r.top + band}, kBandTop, kBandBottom);
    c.fill(RECT{r.left, r.top + band, r.right, r.top + band + 1}, kHighlight);
  }
  c.roundCorners(r, radius, kKey);
  c.outline(r, kKey, kBorder);
}

void drawButton(Canvas& c, const SkinFile& f) {
  const COLORREF tops[4] = {RGB(64, 126, 206), RGB(96, 158, 234), RGB(22, 62, 124), RGB(186, 190, 198)};
  const COLORREF bottoms[4] = {RGB(26, 70, 140), RGB(42, 100, 180), RGB(54, 112, 192), RGB(150, 156, 166)};
  for (int i = 0; i < 4; ++i) {
    const RECT r = frameRect(f, i);
    c.gradient(r, tops[i], bottoms[i]);
    c.fill(RECT{r.left + 2, r.top + 1, r.right - 2, r.top + 2}, lighter(tops[i], 35));
    c.roundCorners(r, 4, kKey);
    c.outline(r, kKey, i == 3 ? kGrey : kBorder);
  }
}

void drawClose(Canvas& c, const SkinFile& f) {
  const COLORREF fills[4] = {RGB(196, 62, 52), RGB(230, 90, 78), RGB(150, 36, 30), kGreyLight};
  for (int i = 0; i < 4; ++i) {
    const RECT r = frameRect(f, i);
    c.gradient(r, lighter(fills[i], 20), fills[i]);
    c.roundCorners(r, 3, kKey);
    c.outline(r, kKey, i == 3 ? kGrey : darker(fills[i], 40));
    const int m = f.frameWidth / 4 + 1;
    const int thick = f.frameWidth >= 20 ? 3 : 2;
    c.line(r.left + m, r.top + m, r.right - m - 1, r.bottom - m - 1, thick, kWhite);
    c.line(r.right - m - 1, r.top + m, r.left + m, r.bottom - m - 1, thick, kWhite);
  }
}

// Three arcs of a radio signal around (cx, cy), opening to the right.
void drawWaves(Canvas& c, double cx, double cy, double step, COLORREF colour) {
  for (int k = 1; k <= 3; ++k) {
    const double r = step * k;
    for (double a = -0.8; a <= 0.8; a += 0.02) {
      const double x = cx + r * std::cos(a), y = cy + r * std::sin(a);
      c.disc(x, y, step / 4.0 + 0.6, colour);
    }
  }
}

void drawLogo(Canvas& c, const SkinFile& f) {
  const COLORREF inks[4] = {kWhite, RGB(200, 236, 255), RGB(170, 200, 236), kGreyLight};
  for (int i = 0; i < 4; ++i) {
    const RECT r = frameRect(f, i);
    c.fill(r, kKey);
    c.disc(r.left + 12, f.height / 2.0, 4, inks[i]);
    drawWaves(c, r.left + 12, f.height / 2.0, 7, inks[i]);
    c.text(RECT{r.left + 40, r.top, r.right, r.bottom}, "Wavorel", inks[i], 18, true,
           DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  }
}

void drawTabLabels(Canvas& c, const SkinFile& f) {
  // Unchecked, unchecked hover, checked, checked hover, disabled, disabled checked.
  const COLORREF tops[6] = {RGB(56, 108, 176), RGB(84, 140, 210), kWhite, kWhite, RGB(176, 182, 192),
                            RGB(226, 228, 232)};
  const COLORREF bottoms[6] = {kBandBottom, RGB(36, 78, 150), kBodyTop, RGB(230, 240, 252), RGB(140, 146, 156),
                               RGB(200, 204, 210)};
  for (int i = 0; i < 6; ++i) {
    const RECT r = frameRect(f, i);
    c.gradient(r, tops[i], bottoms[i]);
    c.roundCorners(r, 6, kKey, 0x3);
    c.outline(r, kKey, i >= 4 ? kGrey : kBorder);
  }
}

void drawRadios(Canvas& c, const SkinFile& f, bool check) {
  for (int i = 0; i < 6; ++i) {
    const RECT r = frameRect(f, i);
    c.fill(r, kKey);
    const bool hover = i == 1 || i == 3, checked = i == 2 || i == 3 || i == 5, disabled = i >= 4;
    const COLORREF edge = disabled ? kGrey : kNavy;
    const COLORREF face = disabled ? RGB(230, 230, 234) : hover ? RGB(214, 232, 255) : kWhite;
    const double mid = f.frameWidth / 2.0;
    if (check) {
      c.fill(RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, edge);
      c.fill(RECT{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2}, face);
      if (checked) {
        c.line(r.left + 4, r.top + 8, r.left + 6, r.top + 11, 2, edge);
        c.line(r.left + 6, r.top + 11, r.left + 11, r.top + 4, 2, edge);
      }
    } else {
      c.disc(r.left + mid, mid, mid - 0.5, edge);
      c.disc(r.left + mid, mid, mid - 1.8, face);
      if (checked) c.disc(r.left + mid, mid, mid / 2.4, edge);
    }
  }
}

void drawModeRadios(Canvas& c, const SkinFile& f, bool station) {
  for (int i = 0; i < 6; ++i) {
    const RECT r = frameRect(f, i);
    c.fill(r, kKey);
    const bool hover = i == 1 || i == 3, checked = i == 2 || i == 3 || i == 5, disabled = i >= 4;
    COLORREF face = checked ? kGreen : kWhite;
    if (hover) face = lighter(face, 30);
    if (disabled) face = checked ? RGB(170, 196, 176) : RGB(232, 232, 236);
    const COLORREF ink = disabled ? kGrey : checked ? kWhite : kNavy;
    const double mid = f.frameWidth / 2.0;
    c.disc(r.left + mid, mid, mid - 0.5, disabled ? kGrey : kBorder);
    c.disc(r.left + mid, mid, mid - 2, face);
    if (station) {
      // A screen on a foot.
      c.fill(RECT{r.left + 7, r.top + 8, r.right - 7, r.top + 17}, ink);
      c.fill(RECT{r.left + 9, r.top + 10, r.right - 9, r.top + 15}, face);
      c.fill(RECT{r.left + 12, r.top + 17, r.right - 12, r.top + 20}, ink);
      c.fill(RECT{r.left + 9, r.top + 20, r.right - 9, r.top + 21}, ink);
    } else {
      // A mast sending waves.
      c.line(r.left + 10, r.top + 8, r.left + 10, r.top + 21, 2, ink);
      c.disc(r.left + 10.5, r.top + 8.5, 2, ink);
      drawWaves(c, r.left + 10.5, r.top + 10, 4, ink);
    }
  }
}

// A bar's background is copied whole over its control, the transparent
// yellow included: a square frame, with no cut corners.
void drawBarBack(Canvas& c, const SkinFile& f) {
  const RECT r = frameRect(f, 0);
  c.gradient(r, RGB(198, 206, 220), RGB(236, 240, 246));
  const COLORREF edge = RGB(110, 122, 146);
  c.fill(RECT{r.left, r.top, r.right, r.top + 1}, edge);
  c.fill(RECT{r.left, r.bottom - 1, r.right, r.bottom}, edge);
  c.fill(RECT{r.left, r.top, r.left + 1, r.bottom}, edge);
  c.fill(RECT{r.right - 1, r.top, r.right, r.bottom}, edge);
}

void drawBarFore(Canvas& c, const SkinFile& f, bool green) {
  const RECT r = frameRect(f, 0);
  if (green)
    c.gradient(r, RGB(134, 218, 134), RGB(34, 134, 58));
  else
    c.gradient(r, RGB(120, 180, 240), RGB(28, 84, 164));
  c.fill(RECT{r.left, r.top + 1, r.right, r.top + 2}, kWhite);
}

void drawBars(Canvas& c, const RECT& r, int filled, int bars, COLORREF on, COLORREF off) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  const int barWidth = std::max(w / (bars * 2 - 1) + (w >= 32 ? 1 : 0), 2);
  const int gap = std::max((w - barWidth * bars) / std::max(bars - 1, 1), 1);
  for (int b = 0; b < bars; ++b) {
    const int left = r.left + b * (barWidth + gap);
    const int top = r.bottom - h * (b + 1) / bars;
    c.fill(RECT{left, top, left + barWidth, r.bottom}, b < filled ? on : off);
  }
}

void drawProfileImages(Canvas& c, const SkinFile& f) {
  for (int i = 0; i < 4; ++i) {
    const RECT r = frameRect(f, i);
    c.fill(r, kKey);
    if (i < 2) {
      c.fill(RECT{r.left + 2, r.top + 2, r.left + 14, r.top + 14}, kNavy);
      c.fill(RECT{r.left + 3, r.top + 3, r.left + 13, r.top + 13}, RGB(224, 236, 252));
      c.fill(RECT{r.left + 5, r.top + 6, r.left + 11, r.top + 7}, kNavy);
      c.fill(RECT{r.left + 5, r.top + 9, r.left + 11, r.top + 10}, kNavy);
      if (i == 1) c.disc(r.left + 12.5, r.top + 12.5, 3.2, kOrange);
    } else {
      c.disc(r.left + 8, 8, 7, i == 2 ? kGreen : kOrange);
      if (i == 2) {
        c.line(r.left + 4, r.top + 8, r.left + 7, r.top + 11, 2, kWhite);
        c.line(r.left + 7, r.top + 11, r.left + 11, r.top + 5, 2, kWhite);
      } else {
        c.disc(r.left + 8, 8, 3, kWhite);
      }
    }
  }
}

void drawSignalImages(Canvas& c, const SkinFile& f) {
  for (int i = 0; i < 10; ++i) {
    const RECT r = frameRect(f, i);
    c.fill(r, kKey);
    drawBars(c, RECT{r.left + 1, r.top + 2, r.right - 1, r.bottom - 1}, i % 5 + 1, 5, i < 5 ? kNavy : kGreen,
             kGreyLight);
  }
}

void drawWpsImages(Canvas& c, const SkinFile& f) {
  for (int i = 0; i < 3; ++i) {
    const RECT r = frameRect(f, i);
    c.fill(r, kKey);
    // A key: ring and shaft.
    c.disc(r.left + 5, 6, 4, kNavy);
    c.disc(r.left + 5, 6, 1.6, kKey);
    c.line(r.left + 8, r.top + 6, r.left + 14, r.top + 6, 2, kNavy);
    c.line(r.left + 12, r.top + 6, r.left + 12, r.top + 9, 2, kNavy);
    if (i > 0) c.disc(r.left + 11.5, 12, 3.4, i == 1 ? kGreen : kOrange);
  }
}

void drawTray(Canvas& c, const SkinFile& f) {
  // Disconnected, not there, WEP error, good, normal, weak.
  for (int i = 0; i < 6; ++i) {
    const RECT r = frameRect(f, i);
    c.fill(r, kKey);
    const RECT bars{r.left + 8, r.top + 6, r.right - 2, r.bottom - 3};
    switch (i) {
      case 0:
        drawBars(c, bars, 0, 4, kGreen, kGrey);
        c.line(r.left + 2, r.top + 3, r.left + 11, r.top + 12, 3, kRed);
        c.line(r.left + 11, r.top + 3, r.left + 2, r.top + 12, 3, kRed);
        break;
      case 1:
        drawBars(c, bars, 0, 4, kGreen, RGB(216, 218, 222));
        break;
      case 2:
        drawBars(c, bars, 0, 4, kGreen, kGrey);
        c.disc(r.left + 8, r.top + 8, 7, kOrange);
        c.fill(RECT{r.left + 7, r.top + 3, r.left + 9, r.top + 10}, kWhite);
        c.fill(RECT{r.left + 7, r.top + 11, r.left + 9, r.top + 13}, kWhite);
        break;
      default: {
        const int filled = i == 3 ? 4 : i == 4 ? 3 : 1;
        const COLORREF on = i == 3 ? kGreen : i == 4 ? RGB(120, 176, 40) : kRed;
        drawBars(c, bars, filled, 4, on, kGreyLight);
      }
    }
  }
}

void drawIcon(Canvas& c, Look look) {
  c.fill(RECT{0, 0, 32, 32}, kKey);
  switch (look) {
    case Look::AppIcon:
      c.disc(16, 16, 15, kBorder);
      c.disc(16, 16, 13.5, kBandTop);
      c.disc(9, 16, 3, kWhite);
      drawWaves(c, 9, 16, 6, kWhite);
      break;
    case Look::InfoIcon:
    case Look::QuestionIcon:
      c.disc(16, 16, 15, kNavy);
      c.disc(16, 16, 13.5, RGB(52, 112, 200));
      c.text(RECT{0, 0, 32, 32}, look == Look::InfoIcon ? "i" : "?", kWhite, 16, true,
             DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      break;
    case Look::WarningIcon:
      for (int y = 2; y < 30; ++y) {
        const int half = (y - 2) * 15 / 28;
        c.fill(RECT{16 - half - 1, y, 16 + half + 1, y + 1}, y < 4 ? RGB(150, 80, 0) : kOrange);
      }
      c.fill(RECT{0, 29, 32, 30}, RGB(150, 80, 0));
      c.fill(RECT{15, 10, 18, 22}, RGB(20, 20, 20));
      c.fill(RECT{15, 24, 18, 27}, RGB(20, 20, 20));
      break;
    default:
      c.disc(16, 16, 15, RGB(120, 20, 16));
      c.disc(16, 16, 13.5, kRed);
      c.line(10, 10, 21, 21, 4, kWhite);
      c.line(21, 10, 10, 21, 4, kWhite);
      break;
  }
}

void drawCursor(Canvas& c, bool checked) {
  c.fill(RECT{0, 0, 32, 32}, kKey);
  // An arrow with its tip at (0, 0).
  for (int y = 0; y < 17; ++y) {
    const int w = y * 11 / 16;
    c.fill(RECT{0, y, w + 1, y + 1}, RGB(0, 0, 0));
    if (y > 1 && w > 1) c.fill(RECT{1, y, w, y + 1}, kWhite);
  }
  c.line(5, 14, 8, 21, 3, RGB(0, 0, 0));
  c.line(5, 14, 8, 20, 1, kWhite);
  if (checked) {
    c.disc(21, 21, 7, kGreen);
    c.line(17, 21, 20, 24, 2, kWhite);
    c.line(20, 24, 25, 17, 2, kWhite);
  } else {
    c.disc(21, 21, 7, kNavy);
    c.disc(21, 21, 5, kWhite);
  }
}

bool writeOne(const SkinFile& f, const std::string& path) {
  Canvas c(f.frames * f.frameWidth, f.height);
  if (!c.valid()) return false;
  switch (f.look) {
    case Look::Dialog:
      drawPanel(c, frameRect(f, 0), f.band, 12);
      break;
    case Look::Page:
      drawPanel(c, frameRect(f, 0), f.band, 5);
      drawPageStrips(c, f);
      break;
    case Look::Button:
      drawButton(c, f);
      break;
    case Look::Close:
      drawClose(c, f);
      break;
    case Look::Logo:
      drawLogo(c, f);
      break;
    case Look::TabLabel:
      drawTabLabels(c, f);
      break;
    case Look::Radio:
    case Look::Check:
      drawRadios(c, f, f.look == Look::Check);
      break;
    case Look::ModeStation:
    case Look::ModeAP:
      drawModeRadios(c, f, f.look == Look::ModeStation);
      break;
    case Look::BarBack:
      drawBarBack(c, f);
      break;
    case Look::BarFore:
      drawBarFore(c, f, f.height >= 14);
      break;
    case Look::ProfileImages:
      drawProfileImages(c, f);
      break;
    case Look::SignalImages:
      drawSignalImages(c, f);
      break;
    case Look::WpsImages:
      drawWpsImages(c, f);
      break;
    case Look::Tray:
      drawTray(c, f);
      break;
    case Look::AppIcon:
    case Look::InfoIcon:
    case Look::WarningIcon:
    case Look::QuestionIcon:
    case Look::ErrorIcon:
      drawIcon(c, f.look);
      return c.writeIcon(path);
    case Look::CheckCursor:
    case Look::UncheckCursor:
      drawCursor(c, f.look == Look::CheckCursor);
      return c.writeCursor(path, 0, 0);
  }
  return c.writeBmp(path);
}

}  // namespace

const std::vector<SkinFile>& skinFiles() { return kFiles; }

bool writeSkin(const std::string& folder, std::string* error) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) {
    if (error) *error = "cannot create " + folder + ": " + ec.message();
    return false;
  }
  for (const SkinFile& f : kFiles) {
    const std::string path = (std::filesystem::path(folder) / f.name).string();
    if (!writeOne(f, path)) {
      if (error) *error = "cannot write " + path;
      return false;
    }
  }
  return true;
}

}  // namespace wavorel::skin
