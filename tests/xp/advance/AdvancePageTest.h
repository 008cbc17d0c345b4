// Fixture of the advanced settings page's tests: a simulated machine with one
// dual-band 802.11n adapter of chip family 7, the worker's module state set
// as discovery and the rescan step leave it for that adapter (administrator,
// Windows XP, both regions editable, 40 MHz permitted), a front-end window
// that keeps every bridge value, and the page created hidden under a plain
// parent on the program's template. The driver's requests are read back as
// the simulated machine logged them, the driver key's values as stored.
#pragma once

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/sim/radio/Machine.h"
#include "platform/testing/Drivers.h"
#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/Paths.h"
#include "platform/win/kernel/Root.h"
#include "tests/support/FrontEndRecorder.h"
#include "worker/ActionQueue.h"
#include "worker/ModuleFunctions.h"
#include "worker/OidRequest.h"
#include "worker/WorkerGlobals.h"
#include "xp/station/PageAdvanceDlg.h"
#include "xp/worker/ZeroConfigHandover.h"

namespace xpstation::testing {

constexpr const char* kGuid = "{6B29FC40-CA47-1067-B31D-00DD010662DA}";
constexpr const char* kDriverKey =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";
constexpr const char* kTcpKey = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";

constexpr const char* kWorld = R"(
[Adapter1]
HardwareId = PCI\VEN_1814&DEV_0701
Family = 7
Guid = {6B29FC40-CA47-1067-B31D-00DD010662DA}
Description = 802.11n PCI Wireless LAN Card
Mac = 00-0E-2E-5A-10-01
Bands = 2.4+5
HT = yes
[Network Home]
Ssid = Home
Bssid = 00-11-22-33-44-06
Security = Open
)";

class AdvancePageTest : public wavorel::testing::PlatformTest, protected wavorel::testing::FrontEndRecorder {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    const std::string path = root() + "/world.ini";
    std::ofstream(path, std::ios::binary) << kWorld;
    setenv("WAVOREL_WORLD", path.c_str(), 1);
    wavorel::resetPlatformState();
    const std::string program = root() + "/prog";
    std::filesystem::create_directories(program);
    wavorel::setProgramFolder(program, "Wavorel");
    GetSetOidQueue().Free();
    FreeCurrentProfile();
    GetActionQueue().clear();
    g_strDevicePath = CString("\\\\.\\") + kGuid;
    g_strDriverKey = kDriverKey;
    HKEY key = nullptr;
    RegCreateKeyEx(HKEY_LOCAL_MACHINE, kDriverKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegCloseKey(key);
    RegCreateKeyEx(HKEY_LOCAL_MACHINE, kTcpKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegCloseKey(key);
    adapter(7, 1);
    g_nOsType = 8;
    g_bAdministrator = 1;
    g_bWow64 = 0;
    g_bAllow40MHzBandG = g_bAllow40MHzBandA = 1;
    g_bRegionEditableBandG = g_bRegionEditableBandA = 1;
    g_dwCountryRegion = 0;
    g_nWirelessMode = 5;
    g_bShowAuthStatus = 0;
    ConfigToolMode = kConfigToolUndetermined;
    CPageAdvanceDlg::s_nEntryRegionBG = CPageAdvanceDlg::s_nEntryRegionA = CPageAdvanceDlg::s_nEntryMode = -1;
    openFrontEnd();
    frame_ = CreateWindowEx(0, kWindowClass, "host", WS_POPUP, 0, 0, 820, 260, nullptr, nullptr, nullptr,
                            nullptr);
  }
  void TearDown() override {
    closePage();
    closeFrontEnd();
    DestroyWindow(frame_);
    pump();
    FreeCurrentProfile();
    GetActionQueue().clear();
    GetSetOidQueue().Free();
    g_strDevicePath.Empty();
    g_strDriverKey.Empty();
    PlatformTest::TearDown();
    unsetenv("WAVOREL_WORLD");
  }

  // The adapter as discovery leaves it: chip family, A band.
  static void adapter(int family, int bandA) {
    g_nFamilyIndex = family;
    g_bHtFamily = family >= 6 && family <= 8;
    g_nHtFamilyIndex = g_bHtFamily ? family - 5 : 0;
    g_bSupportBandA = bandA;
  }

  // The page made (and filled) as the host makes it.
  CPageAdvanceDlg& open() {
    closePage();
    page_ = std::make_unique<CPageAdvanceDlg>(CWnd::FromHandle(frame_));
    EXPECT_TRUE(page_->Create(IDD_PAGE_ADVANCE, CWnd::FromHandle(frame_)));
    pump();
    wavorel::sim::clearDriverCalls();
    received().clear();
    return *page_;
  }
  void closePage() {
    if (page_ && page_->GetSafeHwnd()) page_->DestroyWindow();
    page_.reset();
  }
  CPageAdvanceDlg& page() { return *page_; }
  HWND frame() const { return frame_; }
  static void pump() { wavorel::pumpMessages(); }

  // A value of the program INI, section "Advance".
  static void setAdvance(const char* key, const char* value) {
    WritePrivateProfileString("Advance", key, value, "C:\\Program Files\\Wavorel\\Wavorel.ini");
  }
  static void writeValue(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_LOCAL_MACHINE, kDriverKey, 0, KEY_ALL_ACCESS, &key));
    RegSetValueEx(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
  }
  static void writeText(const char* name, const char* value) {
    writeValue(name, REG_SZ, value, static_cast<DWORD>(std::strlen(value)));
  }
  static void writeDword(const char* name, DWORD value) { writeValue(name, REG_DWORD, &value, sizeof value); }
  // Every value of a key in its order: "name=text" for REG_SZ, "name=#hex"
  // for a DWORD.
  static std::vector<std::string> values(const char* path) {
    std::vector<std::string> out;
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return out;
    for (DWORD i = 0;; ++i) {
      char name[260] = "";
      BYTE data[260] = {};
      DWORD nameSize = sizeof name, size = sizeof data, type = 0;
      if (RegEnumValue(key, i, name, &nameSize, nullptr, &type, data, &size) != ERROR_SUCCESS) break;
      char text[300];
      if (type == REG_DWORD) {
        DWORD value = 0;
        std::memcpy(&value, data, sizeof value);
        std::snprintf(text, sizeof text, "%s=#%X", name, value);
      } else {
        std::snprintf(text, sizeof text, "%s=%.*s", name, static_cast<int>(size), reinterpret_cast<char*>(data));
      }
      out.push_back(text);
    }
    RegCloseKey(key);
    return out;
  }

  // The driver requests since the page was opened: "set XXXXXXXX: bytes" or
  // "query XXXXXXXX".
  static std::vector<std::string> sets() {
    std::vector<std::string> out;
    for (const wavorel::sim::DriverCall& call : wavorel::sim::driverCalls()) {
      if (!call.set) continue;
      char head[32];
      std::snprintf(head, sizeof head, "%08X:", call.code);
      std::string line = head;
      for (uint8_t b : call.data) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02X", b);
        line += hex;
      }
      out.push_back(line);
    }
    return out;
  }
  static std::vector<std::vector<uint8_t>> setsOf(uint32_t code) {
    std::vector<std::vector<uint8_t>> out;
    for (const wavorel::sim::DriverCall& call : wavorel::sim::driverCalls())
      if (call.set && call.code == code) out.push_back(call.data);
    return out;
  }

  // Chooses the entry of a list as a person would (the page hears of it).
  void choose(int id, const char* text) {
    CWnd* list = page_->GetDlgItem(id);
    ASSERT_NE(list, nullptr);
    const LRESULT index = list->SendMessage(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    ASSERT_NE(index, CB_ERR) << text;
    list->SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index));
    page_->SendMessage(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list->GetSafeHwnd()));
    pump();
  }
  void press(int id) {
    page_->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(page_->GetDlgItem(id)->GetSafeHwnd()));
    pump();
  }
  // A check box or radio clicked as a person would, when it is not in the
  // state wanted yet: the button takes the click (a check box toggles, a
  // radio takes the group's check) and the page hears of it.
  void click(int id, UINT check) {
    if (page_->IsDlgButtonChecked(id) != check) press(id);
  }
  std::string text(int id) const {
    CString value;
    page_->GetDlgItemText(id, value);
    return static_cast<LPCSTR>(value);
  }
  std::vector<std::string> entries(int id) const {
    std::vector<std::string> out;
    CWnd* list = page_->GetDlgItem(id);
    const int count = static_cast<int>(list->SendMessage(CB_GETCOUNT));
    for (int i = 0; i < count; ++i) {
      char item[256] = "";
      list->SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
      out.push_back(item);
    }
    return out;
  }
  int selection(int id) const { return static_cast<int>(page_->GetDlgItem(id)->SendMessage(CB_GETCURSEL)); }
  bool visible(int id) const { return (page_->GetDlgItem(id)->GetStyle() & WS_VISIBLE) != 0; }
  bool enabled(int id) const { return page_->GetDlgItem(id)->IsWindowEnabled() != FALSE; }
  bool checked(int id) const { return page_->IsDlgButtonChecked(id) == BST_CHECKED; }

 private:
  HWND frame_ = nullptr;
  std::unique_ptr<CPageAdvanceDlg> page_;
};

}  // namespace xpstation::testing
