// Fixture of the AP worker tests of both programs: a fresh platform with the
// default world (or a test's own), a program folder seen as
// C:\Program Files\<program>\, a
// front-end window that keeps every bridge value it is sent (and answers
// message-box requests with IDOK), the AP module's state cleared, and helpers
// that start the worker, move the virtual clock and read the driver log and
// the registry.
#pragma once

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/Platform.h"
#include "platform/sim/radio/Machine.h"
#include "platform/sim/radio/World.h"
#include "platform/sim/services/IcsDhcp.h"
#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/Account.h"
#include "platform/win/kernel/Paths.h"
#include "platform/win/kernel/Process.h"
#include "platform/win/kernel/Root.h"
#include "platform/testing/Drivers.h"
#include "softap/ApDriver.h"
#include "softap/ApModule.h"
#include "softap/ApPoll.h"
#include "softap/HideDlg_AP.h"
#include "tests/support/FrontEndRecorder.h"
#include "worker/DriverCodes.h"
#include "worker/ModuleFunctions.h"

namespace softap::testing {

// Registry values by name, texts.
using Texts = std::vector<std::pair<const char*, std::string>>;

// The AP settings every scenario starts from (open, no encryption).
const Texts kBase = {
    {"SSID", "Quendal-SoftAP"}, {"WirelessMode", "9"},   {"TransRate", "0"},      {"TXPower", "0"},
    {"Channel", "6"},           {"BeaconPeriod", "100"}, {"AutoChannelSelect", "0"}, {"PreambleType", "0"},
    {"RtsThresh", "2347"},      {"FragThresh", "2346"},  {"BGProtection", "0"},   {"TXBurst", "0"},
    {"TurboRate", "0"},         {"NoForwarding", "0"},   {"HideSSID", "0"},       {"ShortSlot", "1"},
    {"IdleTime", "300"},        {kApAuthValueName, kApOpenAuthText}, {kApCipherValueName, kApNoCipherText}, {"WPAPSK", ""},
    {"WEPKeyUse", "1"},         {"WEPKey1", ""},         {"WEPKey2", ""},         {"WEPKey3", ""},
    {"WEPKey4", ""},            {"RekeyMethod", "0"},    {"RekeyInterval", "60"}, {"RadiusIP", ""},
    {"RadiusPort", ""},         {"RadiusKey", ""},       {"AccessControlPolicy", "0"}, {"WdsEnable", "1"},
};

class ApWorkerTest : public wavorel::testing::PlatformTest, protected wavorel::testing::FrontEndRecorder {
 protected:
  static const char* programName() { return WAVOREL_BUILD_XP ? "Wavorel" : "WavorelVista"; }

  void SetUp() override {
    PlatformTest::SetUp();
    unsetenv("WAVOREL_WORLD");
    programLinux_ = root() + "/prog";
    std::filesystem::create_directories(programLinux_);
    wavorel::setProgramFolder(programLinux_, programName());
    resetModule();
    openFrontEnd();
  }
  void TearDown() override {
    DestroyHideDlgAP();
    CloseAPOnExit();
    pump();
    closeFrontEnd();
    resetModule();
    unsetenv("WAVOREL_WORLD");
    PlatformTest::TearDown();
  }

  // Makes `text` the world and reloads the machine.
  void useWorld(const std::string& text) {
    const std::string path = root() + "/world.ini";
    std::ofstream(path, std::ios::binary) << text;
    setenv("WAVOREL_WORLD", path.c_str(), 1);
    wavorel::resetPlatformState();
    wavorel::setProgramFolder(programLinux_, programName());
    resetModule();
    openFrontEnd();
  }
  // The default world with `extra` sections or lines added to the end of the
  // adapter's section (`adapterLines`) and behind the world (`sections`).
  void useDefaultWorld(const std::string& adapterLines, const std::string& sections = "") {
    std::string world(wavorel::sim::defaultWorldText());
    const size_t end = world.find("\n[Network");
    world.insert(end, "\n" + adapterLines);
    useWorld(world + "\n" + sections);
  }

  void resetModule() {
    GetApSetOidQueue().Free();
    ClearApEventLog();
    g_strApDevicePath.Empty();
    g_strApInstanceId.Empty();
    g_strApDriverKey.Empty();
    g_nApFamilyIndex = 0;
    g_bApUsbFound = g_bApPciFound = 0;
    g_bApHtFamily = g_nApHtFamilyCode = 0;
    g_bApSupportBandA = 0;
    g_dwApCountryRegion = 0;
    g_bApRegionBandG = g_bApRegionBandA = 1;
    g_nApWirelessMode = 9;
    g_bApAllowBW40BandG = 1;
    g_bApRegisterRead = 0;
    g_nApAuthIndex = 0;
    g_strApWpaPsk.Empty();
    g_bApWepOrNone = 0;
    g_bApCheckBuild = 0;
    g_bApRegisterRead2 = 0;
    for (int& flag : g_bApNetworkType) flag = 0;
    wavorel::sim::clearDriverCalls();
    wavorel::clearProcessStarts();
    received().clear();
  }

  // ---- Time and messages ----
  static void pump() { wavorel::pumpMessages(); }
  // The worker's tray menu as a right click on its icon shows it, answered
  // with `command`.
  struct TrayMenu {
    std::vector<int> commands;
    std::vector<std::string> labels;
  };
  static TrayMenu rightClickTray(int command) {
    TrayMenu shown;
    wavorel::setModalResponder([&](const wavorel::ModalWindow& w) {
      if (w.kind != wavorel::ModalWindow::Kind::Menu) return 0;
      shown.commands = w.buttons;
      shown.labels = w.labels;
      return command;
    });
    worker()->SendMessage(CHideDlg_AP::WM_AP_TRAY_NOTIFY, 0, WM_RBUTTONDOWN);
    pump();
    wavorel::setModalResponder(nullptr);
    return shown;
  }
  // Moves the virtual clock and runs what fell due.
  void tick(uint64_t ms) {
    clock().advance(ms);
    pump();
  }
  // Pumps in real time until `done` (posts of the Native Wi-Fi service come
  // from its own thread), a few seconds at most.
  static bool settle(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
      pump();
      if (done()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
  }

  // Starts the worker; TRUE when its window exists. Waits until the keys of
  // its first connection went out.
  bool start() {
    const int shown = ShowHideDlgAP();
    pump();
    if (!shown || !worker()) return false;
    if (worker()->IsAdapterFound()) settle([this] { return !worker()->IsKeyPending(); });
    return true;
  }
  static CHideDlg_AP* worker() { return GetHideDlgAP(); }

  // ---- The driver log ----
  static std::vector<wavorel::sim::DriverCall> calls() { return wavorel::sim::driverCalls(); }
  static std::vector<wavorel::sim::DriverCall> setsOf(uint32_t code) {
    std::vector<wavorel::sim::DriverCall> out;
    for (const auto& c : calls())
      if (c.code == code && c.set) out.push_back(c);
    return out;
  }
  // The sets in order, as "XXXXXXXX:<size>".
  static std::vector<std::string> setTrace() {
    std::vector<std::string> out;
    char line[32];
    for (const auto& c : calls()) {
      if (!c.set) continue;
      std::snprintf(line, sizeof line, "%08X:%u", c.code, static_cast<unsigned>(c.data.size()));
      out.emplace_back(line);
    }
    return out;
  }
  // A driver log as text: "S|Q <code> <size>" and a set's data in hex, a
  // line per call.
  static std::string traceText(const std::vector<wavorel::sim::DriverCall>& log) {
    std::string text;
    char head[48];
    for (const auto& c : log) {
      std::snprintf(head, sizeof head, "%c %08X %u", c.set ? 'S' : 'Q', c.code, c.size);
      text += head;
      if (c.set) {
        text += ' ';
        for (uint8_t b : c.data) {
          std::snprintf(head, sizeof head, "%02X", b);
          text += head;
        }
      }
      text += '\n';
    }
    return text;
  }
  // Compares the log's text with the golden file at `path`; with
  // WAVOREL_UPDATE_GOLDEN set it writes the file instead.
  static void expectGoldenTrace(const std::string& path, const std::vector<wavorel::sim::DriverCall>& log) {
    const std::string trace = traceText(log);
    if (std::getenv("WAVOREL_UPDATE_GOLDEN")) {
      std::ofstream(path, std::ios::binary) << trace;
      return;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << path;
    std::stringstream golden;
    golden << in.rdbuf();
    EXPECT_EQ(trace, golden.str()) << path;
  }
  static uint32_t u32(const std::vector<uint8_t>& data, size_t at) {
    return data.size() < at + 4 ? 0xDEADBEEF
                                : uint32_t{data[at]} | uint32_t{data[at + 1]} << 8 | uint32_t{data[at + 2]} << 16 |
                                      uint32_t{data[at + 3]} << 24;
  }

  // ---- The registry ----
  static std::string guid(size_t adapter = 0) { return wavorel::sim::machine().adapter(adapter).guid(); }
  static CString driverKeyOf(size_t adapter = 0) {
    auto& m = wavorel::sim::machine();
    return CString(wavorel::sim::kClassRoot) + "\\" + m.driverValue(m.adapter(adapter)).c_str();
  }
  // A value's data as text ("<no key>" / "<no value>" when missing).
  static std::string readValue(const CString& path, const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<no key>";
    DWORD size = 0, type = 0;
    std::string data;
    if (RegQueryValueEx(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
      data.assign(size, '\0');
      RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(data.data()), &size);
      data.resize(size);
    } else {
      data = "<no value>";
    }
    RegCloseKey(key);
    return data;
  }
  static void writeValue(const CString& path, const char* name, DWORD type, const std::string& data) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueEx(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
    RegCloseKey(key);
  }
  static void writeText(const CString& path, const char* name, const std::string& text) {
    writeValue(path, name, REG_SZ, text);
  }

  // Values of "ApDefault", and a REG_MULTI_SZ list of a key.
  static void writeApDefault(const Texts& values) {
    for (const auto& [name, text] : values) writeText(driverKeyOf() + "\\ApDefault", name, text);
  }
  static void writeList(const CString& path, const char* name, const std::vector<std::string>& entries) {
    std::string data;
    for (const std::string& e : entries) data += e + std::string(1, '\0');
    data += std::string(1, '\0');
    writeValue(path, name, REG_MULTI_SZ, data);
  }

  // A world section of a simulated station of the adapter.
  static std::string client(const char* name, const char* mac, const std::string& extra) {
    return std::string("[Client ") + name + "]\nAdapter = Adapter1\nMac = " + mac + "\n" + extra + "\n";
  }

  // Starts AP mode with the base settings and `changes` in "ApDefault".
  void startWith(const Texts& changes) {
    writeApDefault(kBase);
    writeApDefault(changes);
    ASSERT_TRUE(start());
  }

  const std::string& programLinux() const { return programLinux_; }

 private:
  std::string programLinux_;
};

}  // namespace softap::testing
