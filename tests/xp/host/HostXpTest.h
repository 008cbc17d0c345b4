// Fixture of the tests of Wavorel's host of the station pages: the station
// pages' fixture (platform root, virtual clock, default world, the adapter's
// device path and driver key, a front-end window that keeps every bridge
// value), the XP worker's state as re-initialisation leaves it with the radio
// on, a worker object that takes the host's requests into the action queue,
// and the host made on the program's templates. Pictures of the host's
// buttons are read back by their pixels.
#pragma once

#include <memory>
#include <string>

#include "station/host/Sorvik2007Dlg.h"
#include "tests/xp/station/XpStationPageTest.h"
#include "worker/ActionQueue.h"
#include "worker/HideDlg.h"
#include "xp/worker/XpWorker.h"
#include "xp/supplicant/PortManager.h"
#include "xp/worker/ZeroConfigHandover.h"

namespace xphost::testing {

class HostXpTest : public xp::testing::XpStationPageTest {
 protected:
  void SetUp() override {
    XpStationPageTest::SetUp();
    resetWorker();
    g_pHideDlg = &worker_;
  }
  void TearDown() override {
    closeHost();
    // A connection the radio's return applied may have its checks thread
    // still waiting on the virtual clock: it ends with the supplicant, as the
    // worker window's destruction ends it, before the records it reads go.
    SupplicantClose();
    g_pHideDlg = nullptr;
    resetWorker();
    XpStationPageTest::TearDown();
  }

  CSorvik2007Dlg& openHost() {
    closeHost();
    host_ = std::make_unique<CSorvik2007Dlg>();
    EXPECT_TRUE(host_->Create(IDD_STATION_HOST, nullptr));
    wavorel::pumpMessages();
    return *host_;
  }
  void closeHost() {
    if (host_ && host_->GetSafeHwnd()) host_->DestroyWindow();
    host_.reset();
    wavorel::pumpMessages();
  }
  CSorvik2007Dlg& host() { return *host_; }
  // A command of the host's (a strip button whether or not the strip shows it).
  void command(UINT id) {
    host().SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    wavorel::pumpMessages();
  }
  // A strip button pressed as a person presses it.
  void press(UINT id) {
    CShadeButtonST* button = host().GetStripButton(id);
    ASSERT_NE(button, nullptr) << id;
    button->SendMessage(BM_CLICK, 0, 0);
    wavorel::pumpMessages();
  }

  // A REG_SZ value of the driver key or of a key below it.
  static void setText(const CString& path, const char* name, const char* text) {
    HKEY key = nullptr;
    RegCreateKeyEx(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(std::strlen(text) + 1));
    RegCloseKey(key);
  }
  static void setDriverText(const char* name, const char* text) { setText(g_strDriverKey, name, text); }
  static std::string driverText(const char* name) {
    const std::string text = readText(HKEY_LOCAL_MACHINE, g_strDriverKey, name);
    return text.empty() || text.back() != '\0' ? text : text.substr(0, text.size() - 1);
  }

  // The centre pixel of a button's picture; CLR_INVALID without one.
  static COLORREF pictureCentre(CButtonST* button) {
    HICON icon = button ? button->GetIcon(0) : nullptr;
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return CLR_INVALID;
    BITMAP size{};
    GetObject(info.hbmColor, sizeof size, &size);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, info.hbmColor);
    const COLORREF centre = GetPixel(dc, size.bmWidth / 2, size.bmHeight / 2);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return centre;
  }
  // The pictures of the program's resources, by their colours.
  static bool radioOnPicture(COLORREF c) { return c == RGB(0, 200, 0); }
  static bool radioOffPicture(COLORREF c) { return c == RGB(220, 0, 0); }

  // The driver sets since the last clear of the given code, their first 4
  // bytes as a number.
  static std::vector<DWORD> setsOf(DWORD code) {
    std::vector<DWORD> values;
    for (const wavorel::sim::DriverCall& call : wavorel::sim::driverCalls())
      if (call.set && call.code == code && call.data.size() >= 4)
        values.push_back(static_cast<DWORD>(call.data[0] | call.data[1] << 8 | call.data[2] << 16 | call.data[3] << 24));
    return values;
  }

 private:
  static void resetWorker() {
    ResetXpWorkerState();
    XpWorkerState().RadioValue = 1;
    ConfigToolMode = kConfigToolUtility;
    g_bAdministrator = 1;
    g_bApplyRequested = 0;
    g_bWmmTabLocked = 0;
    g_bRadioOff = 0;
    g_strCurProfileName.Empty();
    GetActionQueue().clear();
    FreeCurrentProfile();
    wavorel::setDefaultLocales(0x0409, 0x0409);
  }

  CHideDlg worker_;
  std::unique_ptr<CSorvik2007Dlg> host_;
};

}  // namespace xphost::testing
