// The site editor as a person sees it, written as PNG files into the test's
// working folder: the profile editor on both tabs (site-editor-info.png,
// site-editor-security.png), the security editor with the WPA2-PSK group
// (site-editor-psk.png) and the error balloon at the pre-shared key
// (site-editor-balloon.png, the whole screen). Pixels are probed where the
// picture is the point.
#include "tests/frontend/SiteEditorTest.h"

#include <cstring>

#include "frontend/SkinFunctions.h"
#include "platform/present/Screenshot.h"
#include "platform/present/WindowImage.h"
#include "utilmere/Utilmere.h"

namespace site_editor_test {
namespace {

using SiteEditorScreenshotTest = SiteEditorTest;

// A control's rectangle in the editor image's coordinates.
CRect rectIn(CDlgOneSiteEditor& e, HWND control) {
  CRect rect, window;
  ::GetWindowRect(control, &rect);
  e.CWnd::GetWindowRect(&window);
  rect.OffsetRect(-window.left, -window.top);
  return rect;
}
CPoint centreIn(CDlgOneSiteEditor& e, HWND control) { return rectIn(e, control).CenterPoint(); }

// Dark (text) pixels of `field`, inside its edge.
int darkPixels(const wavorel::WindowImage& image, const CRect& field) {
  int dark = 0;
  for (int y = field.top + 2; y < field.bottom - 2; ++y) {
    for (int x = field.left + 3; x < field.right - 3; ++x) dark += GetRValue(image.colorAt(x, y)) < 100;
  }
  return dark;
}

// Pixels of the skin's dark blue band inside `area`.
int bandPixels(const wavorel::WindowImage& image, const CRect& area) {
  int band = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      const COLORREF c = image.colorAt(x, y);
      band += GetRValue(c) < 100 && GetBValue(c) > GetRValue(c) + 60;
    }
  }
  return band;
}

// Whether a skinned check box or radio button is wide enough for its
// picture and its whole text in the skin's 9-point font.
bool holdsItsText(HWND choice) {
  char text[64] = "";
  ::GetWindowText(choice, text, sizeof text);
  CFont font;
  HDC dc = ::GetDC(choice);
  gxCreateFont(dc, font, 9, 0, 0, 0, GetSkinFontName(), 0);
  HGDIOBJ old = ::SelectObject(dc, font.GetSafeHandle());
  SIZE extent{};
  ::GetTextExtentPoint32(dc, text, static_cast<int>(std::strlen(text)), &extent);
  ::SelectObject(dc, old);
  ::ReleaseDC(choice, dc);
  CRect rect;
  ::GetWindowRect(choice, &rect);
  return rect.Width() >= extent.cx + 10;  // the picture is wider than 10 pixels
}

wavorel::WindowImage shoot(CDlgOneSiteEditor& e, const char* file) {
  wavorel::pumpMessages();
  wavorel::WindowImage image = wavorel::composeWindow(e.GetSafeHwnd());
  EXPECT_TRUE(wavorel::present::writeImage(image, file));
  return image;
}

TEST_F(SiteEditorScreenshotTest, ProfileEditorSecurityEditorAndErrorBalloon) {
  code(36, "Home Office");
  code(37, "HomeNet-5G");
  code(39, "0");
  code(38, "6");
  code(41, "1");
  code(50, "0123456789");
  code(BRIDGE_UI_EDITOR_OPEN);
  clock().advance(10);  // the keys' mask is applied 10 ms after the page opens
  wavorel::runFor(0);
  CDlgOneSiteEditor& e = editor();
  const CSize skin = e.GetBigmapSize();

  wavorel::WindowImage info = shoot(e, "site-editor-info.png");
  ASSERT_EQ(info.width, skin.cx);
  ASSERT_EQ(info.height, skin.cy);
  // Cut to the skin: the corner is outside, the body inside.
  EXPECT_FALSE(info.opaqueAt(0, 0));
  EXPECT_TRUE(info.opaqueAt(skin.cx / 2, skin.cy / 2));
  // The name edit shows its text: dark text pixels on its light field.
  EXPECT_GT(darkPixels(info, rectIn(e, item(IDD_PAGESITE_INFO, IDC_INFO_NAME))), 3);

  e.GetTab().SetCurSel(1);
  wavorel::WindowImage security = shoot(e, "site-editor-security.png");
  // Key 1 shows its mask; the radio of key 1 is drawn where the name label was.
  EXPECT_GT(darkPixels(security, rectIn(e, item(IDD_PAGESITE_SECURITY, IDC_SEC_KEY1))), 3);
  const CPoint radio = centreIn(e, item(IDD_PAGESITE_SECURITY, IDC_SEC_KEY1_RADIO));
  // The first row's labels lie below the page's band, and the check box and
  // the key radios are wide enough for their texts.
  for (UINT label : {IDC_SEC_AUTH_LABEL, IDC_SEC_ENCRYPTION_LABEL}) {
    const CRect area = rectIn(e, item(IDD_PAGESITE_SECURITY, label));
    EXPECT_EQ(bandPixels(security, area), 0) << label;
    EXPECT_GT(darkPixels(security, area), 20) << label;
  }
  for (UINT choice : {IDC_SEC_SHOW_KEY, IDC_SEC_KEY1_RADIO, IDC_SEC_KEY2_RADIO, IDC_SEC_KEY3_RADIO, IDC_SEC_KEY4_RADIO}) {
    EXPECT_GT(darkPixels(security, rectIn(e, item(IDD_PAGESITE_SECURITY, choice))), 20) << choice;
    EXPECT_TRUE(holdsItsText(item(IDD_PAGESITE_SECURITY, choice))) << choice;
  }

  pressCancel();
  code(41, "6");
  code(44, "short");
  code(40);
  wavorel::WindowImage psk = shoot(e, "site-editor-psk.png");
  // The PSK group replaces the keys: its field shows the masked key, and no
  // key radio is drawn any more.
  EXPECT_GT(darkPixels(psk, rectIn(e, item(IDD_PAGESITE_SECURITY, IDC_SEC_PSK))), 3);
  int changed = 0;
  for (int dx = -6; dx <= 6; ++dx) changed += psk.colorAt(radio.x + dx, radio.y) != security.colorAt(radio.x + dx, radio.y);
  EXPECT_GT(changed, 3);

  wavorel::WindowImage before = wavorel::composeDesktop();
  pressOk();
  EXPECT_EQ(balloon(), "WPA2-PSK is invalid. Should over 8 characters");
  wavorel::runFor(600);  // the balloon has faded in
  wavorel::WindowImage desktop = wavorel::composeDesktop();
  EXPECT_TRUE(wavorel::present::writeImage(desktop, "site-editor-balloon.png"));
  // The balloon's stem points at the PSK field's centre.
  CRect tip, edit;
  ::GetWindowRect(balloonWindow(), &tip);
  ::GetWindowRect(item(IDD_PAGESITE_SECURITY, IDC_SEC_PSK), &edit);
  CRect reach = tip;
  reach.InflateRect(2, 2);
  EXPECT_TRUE(reach.PtInRect(edit.CenterPoint()));
  const CPoint inside = tip.CenterPoint();
  ASSERT_LT(inside.x, desktop.width);
  ASSERT_LT(inside.y, desktop.height);
  EXPECT_NE(desktop.colorAt(inside.x, inside.y), before.colorAt(inside.x, inside.y));
}

}  // namespace
}  // namespace site_editor_test
