// Start-up and the port manager: the steps of the library's start-up, the
// adapter's port found by its MAC, its attribute lines, CCX radio settings,
// start and stop, release; and the credential objects on bad input.
#include "tests/xp/supplicant/SupplicantLayerTest.h"

namespace supplicant::testing {
namespace {

using PortManagerTest = SupplicantLayerTest;
using wavorel::sim::forceSupplicantStatus;

TEST_F(PortManagerTest, StartUpStopsAtTheFirstFailingStepAndSelectionNeedsTheAdaptersPort) {
  struct Case {
    const char* call;
    int status;
    bool init;
    bool select;
  };
  const std::vector<Case> cases = {
      {"acInit", AC_ERR_FAILED, false, false},        {"acInit", AC_ERR_ALREADY, false, false},
      {"ac8021xInit", AC_ERR_FAILED, false, false},   {"ac8021xInit", AC_ERR_ALREADY, true, true},
      {"acRsnInit", AC_ERR_FAILED, false, false},     {"acEapInitAll", AC_ERR_FAILED, false, false},
      {"acCcxInit", AC_ERR_FAILED, false, false},     {"acPortAttach", AC_ERR_ALREADY, true, false},
      {"acGetNextPortSymName", AC_ERR_FAILED, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.call) + " " + std::to_string(c.status));
    SupplicantClose();
    forceSupplicantStatus(c.call, c.status);
    EXPECT_EQ(SupplicantInit(), c.init);
    if (c.init) {
      EXPECT_EQ(SupplicantSelectAdapter(), c.select);
      EXPECT_EQ(GetCurrentPort() != nullptr, c.select);
    }
    forceSupplicantStatus(c.call, AC_OK, 0);
  }
  // A device that does not answer gives no MAC, so no port.
  SupplicantClose();
  ASSERT_TRUE(SupplicantInit());
  g_strDevicePath = "\\\\.\\{00000000-0000-0000-0000-000000000000}";
  EXPECT_FALSE(SupplicantSelectAdapter());
}

TEST_F(PortManagerTest, TheAttributeLinesOfACcx80211nPortFollowItsRadioConfiguration) {
  const std::string head =
      "      name: 802.11n USB Wireless LAN Card\n"
      "   symName: \\DEVICE\\{6B29FC40-CA47-1067-B31D-00DD010662DA}\n"
      "       mtu: 1500\n"
      "     media: 802.11abgn\n"
      "      encr: AES,TKIP,WEP,CMIC,CKIP,NONE,"
      "      auth: OPEN,SHARED,WPA-1X,WPA-PSK,WPA-CCKM,11i-1X,11i-PSK,11i-CCKM,"
      "   macAddr: 000e2e-5a1001\n"
      "       ccx: v4";
  struct Case {
    int status;  // of the first acCcxRadioCfg
    std::string tail;
  };
  for (const Case& c : {Case{AC_OK, " RADIOCFG(MIXED_CELL,NETWORK_EAP,ROGUE_AP,"}, Case{AC_ERR_NOT_CCX, ""},
                        Case{AC_ERR_NO_RADIO_CFG, ""}}) {
    SCOPED_TRACE(c.status);
    SupplicantClose();
    if (c.status) forceSupplicantStatus("acCcxRadioCfg", c.status);
    ASSERT_TRUE(SupplicantInit());
    ASSERT_TRUE(SupplicantSelectAdapter());
    EXPECT_EQ(std::string(FormatPortAttributes(GetCurrentPort())), head + c.tail);
  }
}

TEST_F(PortManagerTest, AStartedPortStartsOnceStopsAndIsReleased) {
  EXPECT_EQ(pmStart(), 0);  // no port: nothing to do
  EXPECT_FALSE(pmStop());
  enterprise("Corp", kPeap, "alice", "secret");
  startAndConnect();
  EXPECT_EQ(GetCurrentPort()->Started, 1u);
  EXPECT_EQ(pmStart(), 1);
  ASSERT_TRUE(driveUntil([] { return adapter().connected(); }));
  EXPECT_TRUE(pmStop());
  EXPECT_EQ(GetCurrentPort()->Started, 0u);
  drive(100);
  EXPECT_FALSE(adapter().connected());

  g_nReassociate = 0;
  SupplicantRelease();
  EXPECT_EQ(GetCurrentPort(), nullptr);
  EXPECT_EQ(g_nReassociate, 1);
  EXPECT_FALSE(IsUiThreadRunning());
}

TEST_F(PortManagerTest, CredentialsFromBadFieldsAreCutOrRefused) {
  ASSERT_TRUE(SupplicantInit());
  ASSERT_TRUE(SupplicantSelectAdapter());
  _PM_PORT* port = GetCurrentPort();
  auto& library = wavorel::sim::SupplicantLibrary::instance();
  using Kind = wavorel::sim::SupplicantObject::Kind;

  // Identity and password fields of 128 bytes without a terminator.
  _PROFILE_DATA& p = enterprise("Corp", kPeap, std::string(128, 'i'), std::string(128, 'p'));
  PutText(p.LeapDomain, sizeof p.LeapDomain, "DOM");
  SupplicantApplyConfig();
  EXPECT_EQ(std::string(port->Config.OuterIdentityText, 128), "DOM\\" + std::string(124, 'i'));
  EXPECT_EQ(library.object(port->Config.OuterIdentity, Kind::Identity)->data.size(), 128u);
  EXPECT_EQ(library.object(port->Config.Password, Kind::Password)->data, std::string(128, 'p'));

  // A pass phrase length beyond its 64 bytes makes no key, so no connection.
  _PROFILE_DATA& psk = profile("Home", 7, 6);
  std::memset(psk.WpaPsk, 'a', sizeof psk.WpaPsk);
  psk.WpaPskLength = 65;
  SupplicantApplyConfig();
  EXPECT_EQ(port->Config.PskObject, 0u);
  EXPECT_NE(pmStart(), 0);
  EXPECT_EQ(port->Started, 0u);

  // Requests nobody answers, and empty requests, change nothing.
  for (uint32_t kind : {0u, 1u, 14u, 19u, 99u}) wavorel::sim::raiseSupplicantRequest(port->Handle, kind, 0);
  pumpAll();
  EXPECT_FALSE(IsUiRequestPending());
  AC_CRED_REQUEST request{};
  EXPECT_EQ(PostCredRequest(nullptr, port), 0);
  EXPECT_EQ(PostCredRequest(&request, nullptr), 0);
  EXPECT_EQ(SupplicantCredentialCallback(nullptr, &request), 0);
  EXPECT_EQ(SupplicantPortStatusCallback(nullptr, AC_PORT_EVENT_STATE), 0);
}

}  // namespace
}  // namespace supplicant::testing
