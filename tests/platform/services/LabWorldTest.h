// Fixture of the tests of the machine's system services: a world of one
// adapter and an open network that hands out an address, and the driver
// requests that join and leave it.
#pragma once

#include <string>

#include "tests/platform/sim/SimTest.h"
#include "tests/platform/services/ServiceTest.h"

namespace wavorel::sim::testing {

inline std::string labWorld(const std::string& extra = "") {
  return "[Adapter1]\nHardwareId = USB\\VID_148F&PID_2870\nGuid = " + std::string(kDefaultGuid) +
         "\nDescription = Lab USB Wireless\nMac = 00-0C-43-30-28-70\n\n"
         "[Network Lab]\nSsid = LabNet\nBssid = 00-1D-7E-00-00-01\nSignal = -50\nAddress = 10.20.30.40\n\n" +
         extra;
}

class LabWorldTest : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    useWorld(labWorld());
  }

  // Joins an open network by name (its authentication and association
  // frames take their time); the link monitor looks when the clock moves.
  void join(const std::string& ssid) {
    setU32(0x0D810108, 1);  // infrastructure
    setU32(0x0D810118, 0);  // open authentication
    setU32(0x0D81011B, 1);  // no encryption
    std::vector<uint8_t> s(36, 0);
    s[0] = static_cast<uint8_t>(ssid.size());
    std::copy(ssid.begin(), ssid.end(), s.begin() + 4);
    set(0x0D810102, s);
    clock().advance(associationMs());
  }
  void leave() {
    set(0x0D810115, {});
    clock().advance(10);
  }
};

}  // namespace wavorel::sim::testing
