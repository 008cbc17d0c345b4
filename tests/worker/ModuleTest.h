// Fixture of the worker module's discovery and module-function tests: the
// driver fixture (default world, device path of its adapter) plus worlds of
// a test's own, the adapter's driver key as discovery leaves it, and the
// module's values reset.
#pragma once

#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/sim/radio/World.h"
#include "platform/win/kernel/Root.h"
#include "tests/worker/DriverTest.h"
#include "worker/ModuleFunctions.h"

namespace worker::testing {

class ModuleTest : public DriverTest {
 protected:
  void SetUp() override {
    unsetenv("WAVOREL_WORLD");
    DriverTest::SetUp();
    resetModule();
  }
  void TearDown() override {
    unsetenv("WAVOREL_WORLD");
    resetModule();
    DriverTest::TearDown();
  }

  // Makes `text` the world and reloads the machine (the program folder stays).
  void useWorld(const std::string& text) {
    const std::string path = root() + "/world.ini";
    std::ofstream(path, std::ios::binary) << text;
    setenv("WAVOREL_WORLD", path.c_str(), 1);
    wavorel::resetPlatformState();
    wavorel::setProgramFolder(programLinux(), "WavorelVista");
    resetModule();
  }
  // The default world with one line replaced.
  void useDefaultWorldWith(const std::string& line, const std::string& replacement) {
    std::string world(wavorel::sim::defaultWorldText());
    world.replace(world.find(line), line.size(), replacement);
    useWorld(world);
  }

  static CString driverKeyOf(size_t adapter) {
    auto& m = wavorel::sim::machine();
    return CString(wavorel::sim::kClassRoot) + "\\" + m.driverValue(m.adapter(adapter)).c_str();
  }

  static void resetModule() {
    g_nOsType = 11;
    g_nFamilyIndex = 0;
    g_nBusType = 0;
    g_nBuiltinRow = 0;
    g_bUsbFound = g_bPciFound = 0;
    g_szHardwareId[0] = '\0';
    g_szFriendlyName[0] = '\0';
    g_strAdapterGuid = wavorel::sim::machine().adapterCount() ? guid().c_str() : "";
    g_strDevicePath = CString("\\\\.\\") + g_strAdapterGuid;
    g_strDriverKey = wavorel::sim::machine().adapterCount() ? driverKeyOf(0) : CString();
    g_bVx52Family = g_bHtFamily = g_nHtFamilyIndex = 0;
    g_bAdapterChanged = 0;
    g_bSelCardDlgOpen = 0;
    g_bSupportBandA = 0;
    g_b80211h = 0;
    g_bAllow40MHzBandG = g_bAllow40MHzBandA = 1;
    g_dwCountryRegion = 0;
    g_bRegionEditableBandG = g_bRegionEditableBandA = 1;
    g_nWirelessMode = 0;
    g_nChannelCount = 0;
  }

  static std::string readText(HKEY root, const CString& path, const char* name) {
    char buffer[256] = "";
    DWORD size = sizeof buffer - 1, type = 0;
    HKEY key = nullptr;
    if (RegOpenKeyEx(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<no key>";
    LSTATUS status = RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return "<no value>";
    return std::string(buffer, size);
  }
};

}  // namespace worker::testing
