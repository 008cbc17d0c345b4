// A failed authentication: its status line, and for a stored profile the
// adapter pulled off the network (disassociate, then an SSID no network has)
// and the credential re-entry dialog shown, all from the UI thread.
#include "tests/xp/supplicant/SupplicantLayerTest.h"

namespace supplicant::testing {
namespace {

using FailureTest = SupplicantLayerTest;

constexpr uint32_t kSetBit = 0x00800000;

// The driver writes made since the last clear: "code/size/first data byte".
std::vector<std::string> DriverSets() {
  std::vector<std::string> sets;
  for (const wavorel::sim::DriverCall& call : wavorel::sim::driverCalls()) {
    if (!call.set) continue;
    char text[64];
    std::snprintf(text, sizeof text, "%08X/%u", call.code & ~kSetBit, call.size);
    std::string entry = text;
    if (call.data.size() == 36) {
      const bool filler = std::all_of(call.data.begin() + 4, call.data.end(), [](uint8_t b) { return b == 0x10; });
      entry += call.data[0] == 32 && filler ? " 32 x 0x10" : " other";
    }
    sets.push_back(entry);
  }
  return sets;
}

TEST_F(FailureTest, AFailureShowsItsLineAndPullsAStoredProfilesConnectionOff) {
  const std::vector<std::string> steps = {"0D010115/0", "0D010102/36 32 x 0x10"};
  const std::string invalid = "Authentication failed - Identity or password is invalid.";
  struct Case {
    const char* name;
    const char* ssid;
    const char* password;
    const char* generic;  // "GenericRejectedCallback"
    DWORD useBssid;
    int wps;
    std::string line;
    bool failureSteps;
    int kind;
  };
  const std::vector<Case> cases = {
      {"wrong password", "Corp", "wrong", "0", 0, 0, invalid, true, kAuthFailureInvalidCredentials},
      {"silent server", "Silent", "secret", "0", 0, 0, "Authenticating Timeout.", true, kAuthFailureTimeout},
      {"server rejects", "Refuse", "secret", "0", 0, 0, invalid, false, 0},
      {"server rejects, generic callback on", "Refuse", "secret", "1", 0, 0,
       invalid, true, kAuthFailureRejected},
      {"site survey profile", "Corp", "wrong", "0", 1, 0, invalid, false, 0},
      {"during a WPS run", "Corp", "wrong", "0", 0, 1, invalid, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    useWorld(kWorld);
    setAdvance("GenericRejectedCallback", c.generic);
    clearLines();
    host_.calls.clear();
    g_bWpsRunning = c.wps;
    enterprise(c.ssid, kPeap, "alice", c.password).UseBssid = c.useBssid;
    startAndConnect();
    wavorel::sim::clearDriverCalls();
    g_nReassociate = 1;
    ASSERT_TRUE(driveUntil([&] { return ringHas(c.line); })) << ::testing::PrintToString(ringLines());
    pumpAll();
    EXPECT_FALSE(adapter().connected());
    EXPECT_FALSE(ringHas("Wireless client is authenticated."));
    EXPECT_EQ(DriverSets(), c.failureSteps ? steps : std::vector<std::string>{});
    const std::vector<std::string> shown = {"page 7", "expand"};
    EXPECT_EQ(host_.calls, c.failureSteps ? shown : std::vector<std::string>());
    EXPECT_EQ(g_nReassociate, c.failureSteps ? 0 : 1);
    if (c.failureSteps) {
      EXPECT_EQ(GetAuthFailureKind(), c.kind);
    }
    SupplicantClose();
    g_bWpsRunning = 0;
  }
}

TEST_F(FailureTest, TheClearButtonStopsThePortAndEmptiesTheLines) {
  enterprise("Corp", kPeap, "alice", "secret");
  startAndConnect();
  ASSERT_TRUE(driveUntil([] { return ringHas("PEAP Authenticating..."); }));
  g_nReassociate = 1;
  host_.calls.clear();
  SupplicantClearAuthStatus();
  EXPECT_EQ(GetCurrentPort()->Started, 0u);
  EXPECT_EQ(g_nReassociate, 0);
  EXPECT_EQ(GetAuthStatusWriteIndex(), 0);
  EXPECT_TRUE(ringLines().empty());
  EXPECT_EQ(host_.calls, std::vector<std::string>{"page 0"});
}

}  // namespace
}  // namespace supplicant::testing
