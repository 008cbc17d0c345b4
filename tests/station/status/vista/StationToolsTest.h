// Fixture of the 802.11n setting page's, the Block-Ack dialogs' and the WMM
// page's tests: the link page's fixture (worker, host, default world) with
// the pages reached through the host, the driver's requests as the simulated
// machine logged them and the driver key's values.
#pragma once

#include <string>
#include <vector>

#include "platform/mfc/ControlRef.h"
#include "platform/sim/radio/Machine.h"
#include "station/status/AddBlockAckDlg.h"
#include "station/status/DeleteBlockAckDlg.h"
#include "station/status/Page80211nSettingDlg.h"
#include "station/status/PageWMMDlg.h"
#include "tests/station/status/vista/LinkStatusTest.h"

namespace station::testing {

class StationToolsTest : public LinkStatusTest {
 protected:
  void SetUp() override {
    LinkStatusTest::SetUp();
    g_nSelectedDlsRow = 0;
    g_strSelectedDlsMac.Empty();
  }

  CPage80211nSettingDlg& ht() { return *static_cast<CPage80211nSettingDlg*>(host()->GetTabPage(kHostTab80211n)); }
  CPageWMMDlg& wmm() { return *static_cast<CPageWMMDlg*>(host()->GetTabPage(kHostTabWmm)); }
  CAddBlockAckDlg& addDialog() {
    return *static_cast<CAddBlockAckDlg*>(host()->GetSecondaryDialog(kHostDlgAddBlockAck));
  }
  CDeleteBlockAckDlg& deleteDialog() {
    return *static_cast<CDeleteBlockAckDlg*>(host()->GetSecondaryDialog(kHostDlgDeleteBlockAck));
  }
  // Shown again (a page refreshes on every show).
  static void show(CWnd& page) {
    page.ShowWindow(SW_HIDE);
    page.ShowWindow(SW_SHOW);
  }
  static void press(CWnd& dialog, int id) {
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(dialog.GetDlgItem(id)->GetSafeHwnd()));
    wavorel::pumpMessages();
  }
  // A check box or radio clicked as a person would, when it is not in the
  // state wanted yet: the button takes the click (a check box toggles, a
  // radio takes the group's check) and the page hears of it.
  static void click(CWnd& dialog, int id, UINT check) {
    if (dialog.IsDlgButtonChecked(id) != check) press(dialog, id);
  }
  // Shown by its own style (the host and its pages' parents never show).
  static bool shown(CWnd& window) { return (window.GetStyle() & WS_VISIBLE) != 0; }
  static bool checked(CWnd& dialog, int id) { return dialog.IsDlgButtonChecked(id) == BST_CHECKED; }
  static bool enabled(CWnd& dialog, int id) { return dialog.GetDlgItem(id)->IsWindowEnabled() != FALSE; }
  static bool visible(CWnd& dialog, int id) { return (dialog.GetDlgItem(id)->GetStyle() & WS_VISIBLE) != 0; }
  static std::string text(CWnd& dialog, int id) {
    CString value;
    dialog.GetDlgItemText(id, value);
    return static_cast<LPCSTR>(value);
  }

  // The data of the driver requests sent with `code`, oldest first.
  static std::vector<std::vector<uint8_t>> sets(uint32_t code) {
    std::vector<std::vector<uint8_t>> out;
    for (const wavorel::sim::DriverCall& call : wavorel::sim::driverCalls())
      if (call.code == code && call.set) out.push_back(call.data);
    return out;
  }
  static std::vector<uint8_t> lastSet(uint32_t code) {
    const auto all = sets(code);
    return all.empty() ? std::vector<uint8_t>() : all.back();
  }

  // A value of the adapter's driver key.
  static void writeValue(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_ALL_ACCESS, &key));
    RegSetValueEx(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
  }
  static void writeText(const char* name, const char* value) {
    writeValue(name, REG_SZ, value, static_cast<DWORD>(std::strlen(value) + 1));
  }
  // The value's bytes and type; empty with type REG_NONE when missing.
  static std::string readValue(const char* name, DWORD* type = nullptr) {
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return "";
    char data[128] = "";
    DWORD size = sizeof data - 1, kind = REG_NONE;
    if (RegQueryValueEx(key, name, nullptr, &kind, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS) {
      kind = REG_NONE;
      size = 0;
    }
    RegCloseKey(key);
    if (type) *type = kind;
    return kind == REG_SZ ? std::string(data) : std::string(data, size);
  }
  static DWORD readDword(const char* name) {
    const std::string bytes = readValue(name);
    DWORD value = 0;
    std::memcpy(&value, bytes.data(), std::min<size_t>(bytes.size(), sizeof value));
    return value;
  }
  static std::string bssid() { return "00-1D-7E-11-22-01"; }
};

}  // namespace station::testing
