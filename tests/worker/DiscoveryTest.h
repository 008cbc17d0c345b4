// Fixture of the adapter discovery tests: worlds of one or two adapters, the
// program INI beside the program, and a responder that records the adapter
// choice dialog and answers it.
#pragma once

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/win/user/ModalLoop.h"
#include "tests/worker/ModuleTest.h"
#include "worker/AdapterDiscovery.h"
#include "worker/OsType.h"

namespace worker::testing {

constexpr const char* kSecondGuid = "{11111111-2222-3333-4444-555555555555}";
// A PCI adapter without a friendly name or maker, behind the default USB one.
constexpr const char* kSecondAdapter =
    "\n[Adapter2]\nHardwareId = PCI\\VEN_F0A5&DEV_0701&SUBSYS_00011234\nFamily = 7\n"
    "Guid = {11111111-2222-3333-4444-555555555555}\nDescription = 802.11n PCI Card\n"
    "Location = PCI bus 3, device 0, function 0\nMac = 00-0E-2E-00-00-02\nClassIndex = 12\nHT = yes\n";
constexpr const char* kDefaultFriendlyName = "Wavorel 802.11n USB Wireless LAN Card";

class DiscoveryTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    g_strDiscoveredDriverKey.Empty();
    g_strDevicePath.Empty();
    g_strAdapterGuid.Empty();
    g_strDriverKey.Empty();
  }
  void TearDown() override {
    g_strDiscoveredDriverKey.Empty();
    ModuleTest::TearDown();
  }

  void useTwoAdapters() {
    useWorld(std::string(wavorel::sim::defaultWorldText()) + kSecondAdapter);
    g_strDevicePath.Empty();
    g_strAdapterGuid.Empty();
    g_strDriverKey.Empty();
  }

  // Writes the program INI ("WavorelVista.INI") and loads the device list.
  void writeIni(const std::string& text) {
    std::ofstream(programLinux() + "/WavorelVista.INI", std::ios::binary) << text;
    devices.RemoveAll();
    const int count = devices.LoadDeviceIdIni(0);
    devices.LoadDeviceIdIni(count);
  }

  // Runs discovery; the names the interface opener got are kept.
  int discover() {
    return EnumAdapters(devices, nullptr, [this](LPCSTR name) { openedNames.emplace_back(name); });
  }

  // Answers the choice dialog with `answer` after `act` ran on it; records
  // what the dialog showed.
  struct Shown {
    std::string caption;
    std::vector<std::string> rows;
    std::string description, hardwareId, location, maker;
    int openFlag = -1;
  };
  void answerChoice(std::function<void(HWND)> act, int answer) {
    wavorel::setModalResponder([this, act, answer](const wavorel::ModalWindow& w) {
      Shown s;
      s.caption = w.caption;
      const HWND combo = GetDlgItem(w.hwnd, 1153);
      const int count = static_cast<int>(SendMessage(combo, CB_GETCOUNT, 0, 0));
      for (int i = 0; i < count; ++i) {
        char text[256] = "";
        SendMessage(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        s.rows.emplace_back(text);
      }
      s.openFlag = g_bSelCardDlgOpen;
      if (act) act(w.hwnd);
      s.description = itemText(w.hwnd, 1156);
      s.hardwareId = itemText(w.hwnd, 1160);
      s.location = itemText(w.hwnd, 1163);
      s.maker = itemText(w.hwnd, 1166);
      shown.push_back(s);
      return answer;
    });
  }
  static std::string itemText(HWND dialog, int id) {
    char text[256] = "";
    GetDlgItemText(dialog, id, text, sizeof text);
    return text;
  }
  // Selects a row of the dialog's list as the user would.
  static void pickRow(HWND dialog, int row) {
    const HWND combo = GetDlgItem(dialog, 1153);
    SendMessage(combo, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1153, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  }

  static CString expectedDriverKey(const char* instance) {
    return CString("System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\") + instance;
  }

  CSupportedDeviceList devices;
  std::vector<std::string> openedNames;
  std::vector<Shown> shown;
};

}  // namespace worker::testing
