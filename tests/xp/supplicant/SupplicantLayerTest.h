// Fixture of the supplicant layer's tests: a simulated machine with one CCX
// 802.11n adapter and 802.1X, PSK and silent networks around it, the worker's
// device path and driver key set as discovery would leave them, and the
// supplicant started and bound to the adapter's port. Time moves only when a
// test drives it: every step lets the library's port threads rest, the
// request thread answer what it was handed, and the UI thread take what was
// posted.
#pragma once

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/Platform.h"
#include "platform/sim/crypto/Pbkdf2.h"
#include "platform/sim/radio/Machine.h"
#include "platform/sim/services/SupplicantLibrary.h"
#include "platform/testing/Drivers.h"
#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/Paths.h"
#include "platform/win/kernel/Root.h"
#include "platform/wire/Bytes.h"
#include "worker/OidRequest.h"
#include "worker/WorkerGlobals.h"
#include "worker/WpsWorker.h"
#include "xp/supplicant/AuthStatus.h"
#include "xp/supplicant/Credentials.h"
#include "xp/supplicant/PortManager.h"
#include "xp/supplicant/SupplicantHost.h"
#include "xp/supplicant/UiRequestThread.h"

namespace supplicant::testing {

constexpr const char* kGuid = "{6B29FC40-CA47-1067-B31D-00DD010662DA}";
constexpr const char* kDriverKey =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";

constexpr const char* kWorld = R"(
[Adapter1]
HardwareId = USB\VID_148F&PID_3070
Family = 8
Guid = {6B29FC40-CA47-1067-B31D-00DD010662DA}
Description = 802.11n USB Wireless LAN Card
Mac = 00-0E-2E-5A-10-01
ClassIndex = 7
Bands = 2.4+5
HT = yes
Ccx = 4
[Network Corp]
Ssid = Corp
Bssid = 00-11-22-33-44-01
Security = WPA2-Enterprise
EapIdentity = alice
EapPassword = secret
EapServerName = radius.corp.example
EapServerIssuer = Harbor Root CA
Address = 10.1.0.7
DhcpDelay = 3
[Network Legacy]
Ssid = Legacy
Bssid = 00-11-22-33-44-02
Security = WPA-Enterprise
EapMethods = MD5, LEAP
EapPassword = secret
Address = 10.1.0.7
[Network Silent]
Ssid = Silent
Bssid = 00-11-22-33-44-04
Security = WPA2-Enterprise
EapTimeout = 2
[Network Refuse]
Ssid = Refuse
Bssid = 00-11-22-33-44-05
Security = WPA2-Enterprise
Eap = reject
[Network Home]
Ssid = Home
Bssid = 00-11-22-33-44-06
Security = WPA2-PSK
Passphrase = correct horse
Address = 192.168.7.20
Dhcp = no
[Network Change]
Ssid = Change
Bssid = 00-11-22-33-44-07
Security = WPA2-Enterprise
EapMethods = PEAP
EapPassword = old-one
EapPasswordChange = yes
[Certificate Alice]
Store = MY
Subject = Alice Client
Expires = 2030-01-01
[Certificate Root]
Store = ROOT
Subject = Harbor Root CA
Expires = 2036-12-31
[Domain]
Name = CORP
Controller = DC01
[Machine]
Ipx = yes
)";

// The profile's 802.1X method index.
enum Method : DWORD { kPeap = 0, kTls = 1, kTtls = 2, kFast = 3, kMd5 = 4, kLeap = 5 };

inline void PutText(char* field, size_t size, const std::string& text) {
  std::memset(field, 0, size);
  std::memcpy(field, text.data(), std::min(size, text.size()));
}

// The worker's side as the layer sees it: what it was asked to show.
class RecordingHost : public CSupplicantHost {
 public:
  BOOL HasHostDialog() const override { return TRUE; }
  HWND GetAuthStatusPage() const override { return page; }
  void ShowPage(int index) override { calls.push_back("page " + std::to_string(index)); }
  void ExpandHost() override { calls.push_back("expand"); }
  void PostMediaConnect() override { calls.push_back("media"); }

  HWND page = nullptr;
  std::vector<std::string> calls;
};

class SupplicantLayerTest : public wavorel::testing::PlatformTest {
 public:
  void SetUp() override {
    unsetenv("WAVOREL_WORLD");
    PlatformTest::SetUp();
    useWorld(kWorld);
    GetSetOidQueue().Free();
    g_strDevicePath = CString("\\\\.\\") + kGuid;
    g_strDriverKey = kDriverKey;
    g_bWpsRunning = 0;
    std::memset(g_authStatusEvents, 0, sizeof g_authStatusEvents);
    HKEY key = nullptr;
    RegCreateKeyEx(HKEY_LOCAL_MACHINE, kDriverKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegCloseKey(key);
    setDriverText("CurProfile", "Office");
    RegCreateKeyEx(HKEY_LOCAL_MACHINE, (std::string(kDriverKey) + "\\Profile\\Station\\Office").c_str(), 0, nullptr, 0,
                   KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegCloseKey(key);
    SupplicantSetCurrentProfile(&profile_);
    clearLines();
    SetSupplicantHost(&host_);
  }
  void TearDown() override {
    SupplicantClose();
    pumpAll();
    SupplicantSetCurrentProfile(nullptr);
    SetSupplicantHost(nullptr);
    GetSetOidQueue().Free();
    g_strDevicePath.Empty();
    g_strDriverKey.Empty();
    PlatformTest::TearDown();
    unsetenv("WAVOREL_WORLD");
  }

  void useWorld(const std::string& text) {
    const std::string path = root() + "/world.ini";
    std::ofstream(path, std::ios::binary) << text;
    setenv("WAVOREL_WORLD", path.c_str(), 1);
    wavorel::resetPlatformState();
    const std::string program = root() + "/prog";
    std::filesystem::create_directories(program);
    wavorel::setProgramFolder(program, "Wavorel");
  }
  // A value of the program INI, section "Advance".
  static void setAdvance(const char* key, const char* value) {
    WritePrivateProfileString("Advance", key, value, "C:\\Program Files\\Wavorel\\Wavorel.ini");
  }

  static void setDriverText(const char* name, const std::string& value, const std::string& sub = "") {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, (std::string(kDriverKey) + sub).c_str(), 0, KEY_WRITE, &key),
              ERROR_SUCCESS);
    RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                  static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
  }
  static std::string driverText(const char* name, const std::string& sub = "") {
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, (std::string(kDriverKey) + sub).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
      return "<no key>";
    char text[300] = {};
    DWORD size = sizeof text - 1;
    const bool read = RegQueryValueEx(key, name, nullptr, nullptr, reinterpret_cast<LPBYTE>(text), &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return read ? text : "<none>";
  }

  // A profile of the stored kind (first word 0) for an infrastructure network.
  _PROFILE_DATA& profile(const std::string& ssid, DWORD auth, DWORD cipher) {
    profile_ = _PROFILE_DATA{};
    profile_.Ssid.SsidLength = static_cast<ULONG>(ssid.size());
    std::memcpy(profile_.Ssid.Ssid, ssid.data(), ssid.size());
    profile_.NetworkType = 1;
    profile_.AuthMode = auth;
    profile_.CipherMode = cipher;
    return profile_;
  }
  _PROFILE_DATA& enterprise(const std::string& ssid, Method method, const std::string& identity,
                            const std::string& password, DWORD auth = 6, DWORD cipher = 6) {
    _PROFILE_DATA& p = profile(ssid, auth, cipher);
    p.Use8021X = 1;
    p.AuthenProtocol = method;
    p.TunnelProtocol = 26;
    p.ProvisioningTunnel = 26;
    p.TunnelProtocol2 = 3;
    p.UsePAC = 1;
    PutText(p.Identity, sizeof p.Identity, identity);
    PutText(p.Password, sizeof p.Password, password);
    PutText(p.TunnelID, sizeof p.TunnelID, identity);
    PutText(p.TunnelPassword, sizeof p.TunnelPassword, password);
    return p;
  }

  // Starts the supplicant on the adapter and connects the current profile.
  void startAndConnect() {
    ASSERT_TRUE(SupplicantInit());
    ASSERT_TRUE(SupplicantSelectAdapter());
    SupplicantApplyConfig();
    ASSERT_EQ(pmStart(), 0);
  }

  // Dispatches what the UI thread has, and waits (in real time) until the
  // library's threads rest and the request thread answered what it holds.
  void pumpAll() {
    for (int i = 0; i < 2000; ++i) {
      wavorel::sim::settleSupplicant();
      wavorel::pumpMessages();
      if (!IsUiRequestPending() || IsPromptActive()) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    wavorel::sim::settleSupplicant();
    wavorel::pumpMessages();
  }
  // Lets up to `ms` of virtual time pass in 10 ms steps until `done`.
  bool driveUntil(const std::function<bool()>& done, uint64_t ms = 30000) {
    for (uint64_t t = 0; t <= ms; t += 10) {
      pumpAll();
      if (done()) return true;
      clock().advance(10);
    }
    return false;
  }
  void drive(uint64_t ms) {
    driveUntil([] { return false; }, ms);
  }

  // The ring emptied and its index back at slot 0 (the status page's clear
  // button, without a port and a host).
  static void clearLines() {
    CSupplicantHost* host = GetSupplicantHost();
    SetSupplicantHost(nullptr);
    SupplicantClearAuthStatus();
    SetSupplicantHost(host);
  }
  // The ring's texts in slot order.
  static std::vector<std::string> ringLines() {
    std::vector<std::string> lines;
    for (int i = 0; i < kAuthStatusLines; ++i)
      if (g_authStatusEvents[i][0])
        lines.emplace_back(g_authStatusEvents[i], strnlen(g_authStatusEvents[i], kAuthStatusLineSize));
    return lines;
  }
  static bool ringHas(const std::string& text) {
    const std::vector<std::string> lines = ringLines();
    return std::find(lines.begin(), lines.end(), text) != lines.end();
  }
  static wavorel::sim::Adapter& adapter() { return wavorel::sim::machine().adapter(0); }

  _PROFILE_DATA profile_;
  RecordingHost host_;
};

}  // namespace supplicant::testing
