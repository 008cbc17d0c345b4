// Fixture of the driver-side worker tests: a fresh platform with the default
// world (one adapter), a program folder of its own seen as
// C:\Program Files\WavorelVista\, the worker's module state cleared and the
// device path set to the adapter, as discovery would leave it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/sim/radio/Machine.h"
#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/Paths.h"
#include "worker/OidRequest.h"
#include "worker/WorkerGlobals.h"

namespace worker::testing {

class DriverTest : public wavorel::testing::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    programLinux_ = root() + "/prog";
    std::filesystem::create_directories(programLinux_);
    wavorel::setProgramFolder(programLinux_, "WavorelVista");
    GetSetOidQueue().Free();
    g_nOsType = 11;
    g_wDriverVersion = 0;
    g_strDevicePath = CString("\\\\.\\") + guid().c_str();
    wavorel::sim::clearDriverCalls();
  }
  void TearDown() override {
    GetSetOidQueue().Free();
    g_strDevicePath.Empty();
    PlatformTest::TearDown();
  }

  static std::string guid() { return wavorel::sim::machine().adapter(0).guid(); }
  static wavorel::sim::Machine& machine() { return wavorel::sim::machine(); }
  static std::vector<wavorel::sim::DriverCall> calls() { return wavorel::sim::driverCalls(); }
  const std::string& programLinux() const { return programLinux_; }

 private:
  std::string programLinux_;
};

}  // namespace worker::testing
