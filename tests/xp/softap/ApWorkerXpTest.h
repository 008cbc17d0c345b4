// Fixture of Wavorel's AP worker tests: the AP worker fixture with the
// program's English texts beside the program (the company name of the default
// SSID), the XP driver codes the tests look for, and readers of the process
// starts, the order of sets and the Zero Configuration service.
#pragma once

#include <algorithm>
#include <cstring>

#include "platform/sim/radio/Machine.h"
#include "platform/sim/services/ServiceManager.h"
#include "softap/ApSettings.h"
#include "tests/softap/ApWorkerTest.h"
#include "tests/support/EnglishTexts.h"
#include "worker/PasswordHash.h"

namespace softap::testing {

constexpr uint32_t kApModeSet = 0x0DF10126;
constexpr uint32_t kAddKeySet = 0x0D81011D;
constexpr uint32_t kRemoveKeySet = 0x0D81011E;
constexpr uint32_t kSsidSet = 0x0D810102;
constexpr uint32_t kAuthModeSet = 0x0D810118;
constexpr uint32_t kEncryptionSet = 0x0D81011B;
constexpr const char* kCompanySsid = "Quendal Wireless-SoftAP";

class ApWorkerXpTest : public ApWorkerTest {
 protected:
  void SetUp() override {
    ApWorkerTest::SetUp();
    installLanguage();
  }
  // The program's English texts beside the program (the company name).
  void installLanguage() { wavorel::testing::installEnglishTexts(programLinux()); }
  void useDefaultWorldWith(const std::string& sections) {
    useDefaultWorld("", sections);
    installLanguage();
  }

  // Process starts as "<command line>|<show command>", and "|failed" after
  // those that did not start.
  static std::vector<std::string> starts() {
    std::vector<std::string> out;
    for (const auto& s : wavorel::processStarts())
      out.push_back(s.commandLine + "|" + std::to_string(s.show) + (s.error ? "|failed" : ""));
    return out;
  }
  // A sibling tool that is not there: its starts fail until the platform is
  // reset.
  static void removeTool(const char* program) { wavorel::registerProgram(program, nullptr); }
  // Sets in order of the codes in `codes`, as their code numbers.
  static std::vector<uint32_t> setOrder(std::initializer_list<uint32_t> codes) {
    std::vector<uint32_t> out;
    for (const auto& c : calls())
      if (c.set && std::find(codes.begin(), codes.end(), c.code) != codes.end()) out.push_back(c.code);
    return out;
  }
  static uint32_t wzcState() {
    wavorel::sim::ServiceState state{};
    EXPECT_TRUE(wavorel::sim::serviceState("WZCSVC", state));
    return state.state;
  }
  static void startWzc() {
    SC_HANDLE manager = OpenSCManager(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    ASSERT_NE(manager, nullptr);
    SC_HANDLE service = OpenService(manager, "WZCSVC", SERVICE_ALL_ACCESS);
    ASSERT_NE(service, nullptr);
    StartService(service, 0, nullptr);
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
  }
  static std::vector<uint8_t> ssidRecord(const std::string& ssid) {
    std::vector<uint8_t> record(36, 0);
    record[0] = static_cast<uint8_t>(ssid.size());
    std::copy(ssid.begin(), ssid.end(), record.begin() + 4);
    return record;
  }
};

}  // namespace softap::testing
