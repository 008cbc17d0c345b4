// The host's small dialogs and its single sign-on page on an X server
// (Xvfb), each with content, written as a screenshot beside the test program
// (prompt-<name>.png). Skipped where Xvfb cannot be started.
#include <cstring>

#include "platform/present/Presenter.h"
#include "platform/present/Screenshot.h"
#include "station/profiles/AuthenStatusDlg.h"
#include "station/profiles/HiddenSsidDlg.h"
#include "station/profiles/InvalidIDPW.h"
#include "station/profiles/Page8021XDlg.h"
#include "station/profiles/PageSSODlg.h"
#include "tests/station/profiles/PromptTest.h"
#include "worker/WorkerGlobals.h"
// (Xlib's macros after the platform.)
#include "tests/platform/paint/XvfbServer.h"

#include <X11/Xutil.h>

namespace station::testing {
namespace {

class PromptScreenshotTest : public PromptTest {
 protected:
  // Shows `dialog` in a top-level frame on the display, waits until the X
  // server shows its top line, and writes the frame's picture.
  void shoot(CDialog& dialog, const char* name, Display* display) {
    CRect rect;
    dialog.GetWindowRect(&rect);
    dialog.ShowWindow(SW_SHOW);
    dialog.UpdateWindow();
    HWND frame = ::GetParent(dialog.m_hWnd);
    ::SetWindowText(frame, name);
    ::SetWindowPos(frame, nullptr, 20, 20, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_SHOWWINDOW);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const unsigned long line = (static_cast<unsigned long>(GetRValue(shadow)) << 16) | (GetGValue(shadow) << 8) |
                               GetBValue(shadow);
    unsigned long seen = 0;
    EXPECT_TRUE(wavorel::testing::pumpUntil([&] {
      ::Window xwin = wavorel::testing::findWindow(display, name);
      if (!xwin) return false;
      XImage* image = XGetImage(display, xwin, rect.Width() / 2, 0, 1, 1, AllPlanes, ZPixmap);
      if (!image) return false;
      seen = XGetPixel(image, 0, 0) & 0xFFFFFF;
      XDestroyImage(image);
      return seen == line;
    })) << name << std::hex << " " << seen;
    EXPECT_TRUE(wavorel::present::saveScreenshot(frame, std::string("prompt-") + name + ".png"));
    ::ShowWindow(frame, SW_HIDE);
    dialog.ShowWindow(SW_HIDE);
  }
};

TEST_F(PromptScreenshotTest, EachDialogOnTheDisplay) {
  wavorel::testing::Xvfb server;
  if (!server.display()) GTEST_SKIP() << "Xvfb cannot be started";
  ASSERT_TRUE(wavorel::present::openDisplay(server.name().c_str()));

  auto hidden = make<CHiddenSsidDlg>(IDD_HIDDEN_SSID);
  hidden->ShowWindow(SW_SHOW);
  hidden->SetDlgItemText(IDC_HIDDEN_SSID_EDIT, "Secret Lab");
  shoot(*hidden, "hidden-ssid", server.display());

  useCurrentProfile(0, 3);
  auto invalid = make<CInvalidIDPW>(IDD_INVALID_ID_PW);
  invalid->m_strCardName = "Nerolt Wireless Card";
  invalid->m_strProfileName = "Office";
  invalid->m_strMessage = "Authentication failed: check the identity and password.";
  invalid->m_strIdentity = "alice";
  invalid->m_strDomain = "CORP";
  invalid->UpdateData(FALSE);
  shoot(*invalid, "invalid-id-pw", server.display());

  setText(g_strDriverKey, "DriverDesc", "Nerolt Wireless Card");
  setText(g_strDriverKey, "CurProfile", "Office");
  auto status = make<CAuthenStatusDlg>(IDD_AUTHEN_STATUS);
  status->ShowWindow(SW_SHOW);
  const char* lines[] = {"EAP start", "Identity request", "", "PEAP tunnel up"};
  for (int slot = 0; slot < 4; ++slot) {
    std::strcpy(g_authStatusEvents[slot], lines[slot]);
    status->SendMessage(WM_AUTH_STATUS_EVENT, static_cast<WPARAM>(slot), 0);
  }
  shoot(*status, "authen-status", server.display());

  setText(CPageSSODlg::ProfilesPath() + "\\Office", "SSID", "OfficeNet");
  setText(CPageSSODlg::ProfilesPath() + "\\Office", "AuthenProtocol", "3");
  setText(kSsoKeyPath, "SSOInstall", "1");
  setText(kSsoKeyPath, "SSOEnable", "1");
  setText(kSsoKeyPath, "CurProfile", "Office");
  auto sso = make<CPageSSODlg>(IDD_PAGE_SSO);
  shoot(*sso, "sso", server.display());

  // The 802.1X page with PEAP's credentials and the server certificate chosen.
  auto oneX = make<CPage8021XDlg>(IDD_PAGE_8021X);
  oneX->SetDefaults();
  for (const auto& [code, value] : {std::pair<UINT, const char*>{43, "dana"}, {46, "dana"}, {47, "s3cret"},
                                    {52, "1"}, {54, "1"}, {56, "radius"}})
    oneX->RunBridgeCommand(code, value);
  oneX->PressSelector(CPage8021XDlg::kSubServerCert);
  shoot(*oneX, "8021x", server.display());

  for (CDialog* dialog :
       std::initializer_list<CDialog*>{hidden.get(), invalid.get(), status.get(), sso.get(), oneX.get()})
    dialog->DestroyWindow();
  wavorel::present::closeDisplay();
}

}  // namespace
}  // namespace station::testing
