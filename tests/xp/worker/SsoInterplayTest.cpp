// Single sign-on beside profile activation: the removal check as a table of
// profiles and single sign-on states, every subkey of the single sign-on key
// deleted, and ReadSsoState with its wait on the virtual clock.
#include <string>
#include <vector>

#include "platform/win/kernel/Account.h"
#include "station/profiles/PageSSODlg.h"
#include "tests/support/FrontEndRecorder.h"
#include "tests/worker/ModuleTest.h"
#include "tests/xp/worker/RegistryDump.h"
#include "worker/ModuleFunctions.h"
#include "worker/WorkerGlobals.h"
#include "xp/worker/SsoInterplay.h"

namespace xpworker::testing {
namespace {

constexpr char kMessage[] = "Selected profile is removed in SSO page.\n\nPlease re-select profile in SSO page";

class SsoInterplayTest : public worker::testing::ModuleTest, protected wavorel::testing::FrontEndRecorder {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    openFrontEnd();
    g_bAdministrator = 1;
    g_bSsoCancelled = 0;
  }
  void TearDown() override {
    closeFrontEnd();
    ModuleTest::TearDown();
  }
  static std::string profileKey(const char* name) {
    return std::string(g_strDriverKey) + "\\Profile\\Station\\" + name;
  }
};

TEST_F(SsoInterplayTest, ActivationKeepsSingleSignOnInStep) {
  struct Case {
    const char* what;
    const char* authenProtocol;
    const char* leap;
    const char* install;  // nullptr: missing
    const char* enable;
    std::vector<std::string> messages;
    const char* enableAfter;
    const char* curProfile;  // "<none>": untouched
    const char* profileName;
    bool ginaStays;
  };
  const Case cases[] = {
      {"unusable, on", "0", "0", "1", "1", {kMessage}, "0", "", "Profile Name: ", false},
      {"unusable, off", "0", "0", "1", "0", {}, "0", "", "Profile Name: ", false},
      {"EAP-FAST, on", "3", "0", "1", "1", {}, "1", "Corp", "Profile Name: Corp", true},
      {"EAP-FAST, off", "3", "0", "1", "0", {}, "0", "", "Profile Name: ", true},
      {"LEAP, on", "0", "1", "1", "1", {}, "1", "Corp", "Profile Name: Corp", true},
      {"not installed", "0", "0", "0", "1", {}, "1", "<none>", "<none>", false},
      {"install missing", "3", "0", nullptr, "1", {}, "1", "<none>", "<none>", false},
  };
  for (const Case& c : cases) {
    RegDeleteKey(HKEY_LOCAL_MACHINE, kSsoKeyPath);
    setText(profileKey("Corp"), "AuthenProtocol", c.authenProtocol);
    setText(profileKey("Corp"), "LeapEnabled", c.leap);
    if (c.install) setText(kSsoKeyPath, "SSOInstall", c.install);
    setText(kSsoKeyPath, "SSOEnable", c.enable);
    setText(kWinlogonKeyPath, kSsoGinaValue, kSsoGinaLibrary);
    received().clear();
    CheckSsoProfileRemoval("Corp");
    wavorel::pumpMessages();
    EXPECT_EQ(messages(), c.messages) << c.what;
    EXPECT_EQ(registryText(kSsoKeyPath, "SSOEnable"), c.enableAfter) << c.what;
    EXPECT_EQ(registryText(kSsoKeyPath, "CurProfile"), c.curProfile) << c.what;
    EXPECT_EQ(registryText(kSsoKeyPath, "ProfileName"), c.profileName) << c.what;
    EXPECT_EQ(registryText(kWinlogonKeyPath, kSsoGinaValue), c.ginaStays ? kSsoGinaLibrary : "<none>") << c.what;
  }
}

TEST_F(SsoInterplayTest, EverySubkeyOfTheSingleSignOnKeyGoes) {
  setText(profileKey("Corp"), "AuthenProtocol", "3");
  setText(kSsoKeyPath, "SSOInstall", "1");
  setText(kSsoKeyPath, "SSOEnable", "1");
  for (const char* sub : {"A", "B", "C", "D", "E"}) setText(std::string(kSsoKeyPath) + "\\" + sub, "x", "1");
  CheckSsoProfileRemoval("Corp");
  for (const char* sub : {"A", "B", "C", "D", "E"}) EXPECT_FALSE(keyExists(std::string(kSsoKeyPath) + "\\" + sub));
  EXPECT_EQ(registryText(kSsoKeyPath, "CurProfile"), "Corp");
}

TEST_F(SsoInterplayTest, MissingProfileOrRightsChangeNothing) {
  setText(kSsoKeyPath, "SSOInstall", "1");
  setText(kSsoKeyPath, "SSOEnable", "1");
  setText(kWinlogonKeyPath, kSsoGinaValue, kSsoGinaLibrary);
  const std::string before = dumpKey(HKEY_LOCAL_MACHINE, kSsoKeyPath);
  CheckSsoProfileRemoval("Nobody");
  CheckSsoProfileRemoval("");

  setText(profileKey("Open"), "AuthenProtocol", "0");
  wavorel::setRunningAsAdministrator(false);
  CheckSsoProfileRemoval("Open");
  wavorel::setRunningAsAdministrator(true);
  wavorel::pumpMessages();
  EXPECT_EQ(dumpKey(HKEY_LOCAL_MACHINE, kSsoKeyPath), before);
  EXPECT_EQ(registryText(kWinlogonKeyPath, kSsoGinaValue), kSsoGinaLibrary);
  EXPECT_TRUE(messages().empty());
}

TEST_F(SsoInterplayTest, ReadSsoStateReportsACancelledAuthenticationAfterItsWait) {
  struct Case {
    const char* what;
    const char* enable;     // nullptr: missing
    const char* cancelled;  // nullptr: missing
    int flag;
    bool waits;
    const char* cancelledAfter;
  };
  const Case cases[] = {
      {"off", "0", "1", 0, false, "0"},
      {"on, cancelled", "1", "1", 1, true, "1"},
      {"on, other text", "yes", "2", 1, true, "2"},
      {"on, not cancelled", "1", "0", 0, true, "0"},
      {"on, no cancel value", "1", nullptr, 0, true, "<none>"},
      {"no enable value", nullptr, "1", 0, false, "1"},
  };
  for (const Case& c : cases) {
    RegDeleteKey(HKEY_LOCAL_MACHINE, kSsoKeyPath);
    setText(kSsoKeyPath, "SSOInstall", "1");
    if (c.enable) setText(kSsoKeyPath, "SSOEnable", c.enable);
    if (c.cancelled) setText(kSsoKeyPath, "SSOAuthenticationCancelled", c.cancelled);
    g_bSsoCancelled = 1 - c.flag;
    const DWORD start = GetTickCount();
    ReadSsoState();
    const DWORD waited = GetTickCount() - start;
    EXPECT_EQ(g_bSsoCancelled, c.flag) << c.what;
    if (c.waits) {
      EXPECT_GT(waited, 1000u) << c.what;
      EXPECT_LT(waited, 1100u) << c.what;
    } else {
      EXPECT_EQ(waited, 0u) << c.what;
    }
    EXPECT_EQ(registryText(kSsoKeyPath, "SSOAuthenticationCancelled"), c.cancelledAfter) << c.what;
  }
  RegDeleteKey(HKEY_LOCAL_MACHINE, kSsoKeyPath);
  g_bSsoCancelled = 1;
  ReadSsoState();
  EXPECT_EQ(g_bSsoCancelled, 0);
}

TEST_F(SsoInterplayTest, TheWaitEndsAcrossTheTickWrapAndMidnight) {
  // Half a second before the local midnight, the tick count about to wrap.
  SYSTEMTIME now{};
  GetLocalTime(&now);
  const uint64_t msOfDay = ((now.wHour * 60ull + now.wMinute) * 60 + now.wSecond) * 1000 + now.wMilliseconds;
  clock().advance(24ull * 3600 * 1000 - msOfDay - 500);
  clock().setTick(0xFFFFFFFFull - 300);
  const DWORD start = GetTickCount();
  WaitMilliseconds(1000);
  EXPECT_EQ(GetTickCount() - start, 1001u);
  GetLocalTime(&now);
  EXPECT_EQ(now.wHour, 0) << "the wait went past midnight";
}

}  // namespace
}  // namespace xpworker::testing
