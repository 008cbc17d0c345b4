// Wavorel's credential re-entry dialog: the message and fields by failure
// kind and method, OK's checks, the credentials in the supplicant's profile
// and in both registry keys, the SSID set again, and the worker's flags that
// OK and Cancel leave.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "platform/wire/Bytes.h"
#include "tests/xp/profiles/ProfilePageXpTest.h"
#include "xp/supplicant/AuthStatus.h"

namespace xpprofiles::testing {
namespace {

using supplicant::testing::Method;

constexpr char kNoticeTail[] =
    " authenticate the wireless user in the specified amount of time. Network infrastructure might be down. Please "
    "press OK to reconnect.";
constexpr uint32_t kSsidCode = 0x0D810102;  // OID_802_11_SSID as the driver gets it

class InvalidIDPWXpTest : public ProfilePageXpTest {
 protected:
  void SetUp() override {
    ProfilePageXpTest::SetUp();
    setDriverText("DriverDesc", "802.11n USB Wireless LAN Card");
    setDriverText("CurProfile", "Office");
    storeProfile("Office", {{"SSID", "Corp"}, {"ID", "alice"}, {"TunnelID", "alice"}});
  }
  // The dialog shown again after a failure of `kind` for a profile of `method`.
  void show(CInvalidIDPW& dialog, int kind, DWORD method) {
    enterprise("Corp", static_cast<Method>(method), "alice", "secret");
    SetAuthFailureKind(kind);
    dialog.ShowWindow(SW_HIDE);
    dialog.ShowWindow(SW_SHOW);
    pump();
  }
  static void type(CInvalidIDPW& dialog, const char* identity, const char* password, const char* domain) {
    dialog.SetDlgItemText(IDC_INVALID_IDENTITY, identity);
    dialog.SetDlgItemText(IDC_INVALID_PASSWORD, password);
    dialog.SetDlgItemText(IDC_INVALID_DOMAIN, domain);
  }
  void pressOk(CInvalidIDPW& dialog) {
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_INVALID_OK, BN_CLICKED), 0);
    pump();
  }
  static std::string profileText(const char* name) { return driverText(name, "\\Profile\\Station\\Office"); }
};

TEST_F(InvalidIDPWXpTest, FailureKindAndMethodChooseTheMessageAndTheFields) {
  CInvalidIDPW& d = openDialog();
  const std::string invalid = "Invalid identity or password";
  const struct {
    int kind;
    DWORD method;
    std::string message;
    bool identity, password, domain;
  } table[] = {
      {kAuthFailureInvalidCredentials, 0, invalid, true, true, false},
      {kAuthFailureRejected, 1, invalid, true, false, false},
      {kAuthFailureInvalidCredentials, 3, invalid, true, true, true},
      {kAuthFailureRejected, 5, invalid, true, true, true},
      {kAuthFailureTimeout, 0, std::string("Unable to PEAP") + kNoticeTail, false, false, false},
      {kAuthFailureTimeout, 1, std::string("Unable to TLS") + kNoticeTail, false, false, false},
      {kAuthFailureTimeout, 2, std::string("Unable to TTLS") + kNoticeTail, false, false, false},
      {kAuthFailureTimeout, 3, std::string("Unable to EAP-FAST") + kNoticeTail, false, false, false},
      {kAuthFailureTimeout, 4, std::string("Unable to MD5") + kNoticeTail, false, false, false},
      {kAuthFailureTimeout, 5, std::string("Unable to LEAP") + kNoticeTail, false, false, false},
      // An activation's kind and a method outside the table ask again.
      {kAuthFailureActivation, 0, invalid, true, true, false},
      {kAuthFailureTimeout, 9, invalid, true, true, false},
  };
  for (const auto& row : table) {
    type(d, "typed", "typed", "typed");
    show(d, row.kind, row.method);
    const std::string at = std::to_string(row.kind) + "/" + std::to_string(row.method);
    EXPECT_EQ(itemText(d, IDC_INVALID_MESSAGE), row.message) << at;
    EXPECT_EQ(itemText(d, IDC_INVALID_CARD), "802.11n USB Wireless LAN Card") << at;
    EXPECT_EQ(itemText(d, IDC_INVALID_PROFILE), "Office") << at;
    EXPECT_EQ(itemText(d, IDC_INVALID_IDENTITY), "") << at;
    EXPECT_EQ(visible(d, IDC_INVALID_IDENTITY), row.identity) << at;
    EXPECT_EQ(visible(d, IDC_INVALID_IDENTITY_LABEL), row.identity) << at;
    EXPECT_EQ(visible(d, IDC_INVALID_PASSWORD), row.password) << at;
    EXPECT_EQ(visible(d, IDC_INVALID_DOMAIN), row.domain) << at;
  }

  // No current profile: no profile name, no password field.
  SupplicantSetCurrentProfile(nullptr);
  SetAuthFailureKind(kAuthFailureInvalidCredentials);
  d.ShowWindow(SW_HIDE);
  d.ShowWindow(SW_SHOW);
  pump();
  EXPECT_EQ(itemText(d, IDC_INVALID_PROFILE), "");
  EXPECT_EQ(itemText(d, IDC_INVALID_MESSAGE), invalid);
  EXPECT_TRUE(visible(d, IDC_INVALID_IDENTITY));
  EXPECT_FALSE(visible(d, IDC_INVALID_PASSWORD));
}

TEST_F(InvalidIDPWXpTest, OkAsksForTheIdentityAndForAPasswordUnlessTls) {
  CInvalidIDPW& d = openDialog();
  show(d, kAuthFailureInvalidCredentials, 0);
  g_bApplyRequested = 0;
  pressOk(d);
  type(d, "bob", "", "");
  pressOk(d);
  EXPECT_EQ(messages(), (std::vector<std::string>{"Must input Identity", "Must input Password"}));
  EXPECT_EQ(g_bApplyRequested, 0) << "the dialog stays";
  EXPECT_EQ(driverText("TunnelID"), "<none>");

  received().clear();
  show(d, kAuthFailureInvalidCredentials, 1);
  type(d, "bob", "", "");
  pressOk(d);
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(driverText("TunnelID"), "bob");
  EXPECT_EQ(g_bApplyRequested, 1);
}

TEST_F(InvalidIDPWXpTest, OkStoresTheCredentialsInTheProfileAndBothKeys) {
  CInvalidIDPW& d = openDialog();
  const struct {
    DWORD method;
    std::vector<std::pair<const char*, const char*>> values;
    const char* recordPassword;
  } table[] = {
      {0, {{"ID", "bob"}, {"TunnelID", "bob"}, {"TunnelPassword", "pw2"}, {"DomainName", "DOM"}}, ""},
      {4, {{"ID", "bob"}, {"Password", "pw2"}, {"TunnelID", "bob"}, {"TunnelPassword", "pw2"}, {"DomainName", "DOM"}},
       "pw2"},
      {5, {{"LeapUserName", "bob"}, {"LeapPassword", "pw2"}, {"LeapDomainName", "DOM"}}, ""},
  };
  for (const auto& row : table) {
    for (const char* key : {"", "\\Profile\\Station\\Office"})
      for (const char* name : {"ID", "Password", "TunnelID", "TunnelPassword", "DomainName", "LeapUserName",
                               "LeapPassword", "LeapDomainName"})
        setDriverText(name, "old", key);
    show(d, kAuthFailureInvalidCredentials, row.method);
    type(d, "bob", "pw2", "DOM");
    XpWorkerState().LogonCredentialSwitch = 1;
    g_nReassociate = 0;
    pressOk(d);
    for (const auto& [name, value] : row.values) {
      EXPECT_EQ(driverText(name), value) << row.method << " " << name;
      EXPECT_EQ(profileText(name), value) << row.method << " " << name;
    }
    EXPECT_EQ(profileText("ID"), row.method == 5 ? "old" : "bob") << row.method;
    EXPECT_EQ(profileText("LeapUserName"), row.method == 5 ? "bob" : "old") << row.method;
    EXPECT_EQ(profileText("Password"), row.method == 4 ? "pw2" : "old") << row.method;
    EXPECT_STREQ(profile_.Identity, "bob");
    EXPECT_STREQ(profile_.TunnelID, "bob");
    EXPECT_STREQ(profile_.TunnelPassword, "pw2");
    EXPECT_STREQ(profile_.Password, row.recordPassword);
    EXPECT_EQ(IsSupplicantAuthenticated(), 0);
    EXPECT_EQ(g_nReassociate, 1);
    EXPECT_EQ(g_bApplyRequested, 1);
    EXPECT_EQ(XpWorkerState().LogonCredentialSwitch, 0);
  }

  // Without "CurProfile" only the adapter key takes them.
  deleteDriverValue("CurProfile");
  setDriverText("TunnelID", "old", "\\Profile\\Station\\Office");
  show(d, kAuthFailureRejected, 0);
  type(d, "carol", "pw3", "");
  pressOk(d);
  EXPECT_EQ(driverText("TunnelID"), "carol");
  EXPECT_EQ(profileText("TunnelID"), "old");
  EXPECT_EQ(driverText("TunnelID", "\\Profile\\Station"), "<none>");
}

TEST_F(InvalidIDPWXpTest, TheSsidComesFromThePortAndNoProfileOnlyLeavesTheRecordAlone) {
  CInvalidIDPW& d = openDialog();
  enterprise("Corp", supplicant::testing::kPeap, "alice", "secret");
  startAndConnect();
  ASSERT_NE(GetCurrentPort(), nullptr);
  const auto sentSsid = [] {
    const std::vector<uint8_t> record = lastSet(kSsidCode);
    if (record.size() != 36u) return std::string("<none>");
    return std::string(record.begin() + 4, record.begin() + 4 + std::min<uint32_t>(wavorel::wire::getU32(record.data()), 32));
  };
  // The port's association wins over the profile's SSID.
  std::memcpy(profile_.Ssid.Ssid, "Else", 4);
  SetAuthFailureKind(kAuthFailureTimeout);
  d.ShowWindow(SW_HIDE);
  d.ShowWindow(SW_SHOW);
  pump();
  wavorel::sim::clearDriverCalls();
  pressOk(d);
  EXPECT_EQ(sentSsid(), "Corp");

  // No profile: no password field to fill, the adapter key takes what was
  // typed (no profile name, so not the profile's key), the port names the SSID.
  SupplicantSetCurrentProfile(nullptr);
  SetAuthFailureKind(kAuthFailureInvalidCredentials);
  d.ShowWindow(SW_HIDE);
  d.ShowWindow(SW_SHOW);
  pump();
  EXPECT_FALSE(visible(d, IDC_INVALID_PASSWORD));
  type(d, "bob", "", "");
  received().clear();
  wavorel::sim::clearDriverCalls();
  pressOk(d);
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(driverText("ID"), "bob");
  EXPECT_EQ(driverText("TunnelID"), "bob");
  EXPECT_EQ(profileText("ID"), "alice");
  EXPECT_EQ(sentSsid(), "Corp");
  EXPECT_EQ(g_bApplyRequested, 1);
}

TEST_F(InvalidIDPWXpTest, ATimeoutNoticeOnlySetsTheSsidAgainAndCancelGivesUp) {
  CInvalidIDPW& d = openDialog();
  show(d, kAuthFailureTimeout, 0);
  wavorel::sim::clearDriverCalls();
  pressOk(d);
  EXPECT_EQ(trace(), std::vector<std::string>{"S 0D810102 36"});
  const std::vector<uint8_t> record = lastSet(kSsidCode);
  ASSERT_EQ(record.size(), 36u);
  EXPECT_EQ(wavorel::wire::getU32(record.data()), 4u);
  EXPECT_EQ(std::string(record.begin() + 4, record.begin() + 8), "Corp");
  EXPECT_EQ(driverText("ID"), "<none>");
  EXPECT_EQ(std::string(profile_.Identity), "alice");

  // A LEAP time-out counts as authenticated.
  show(d, kAuthFailureTimeout, 5);
  pressOk(d);
  EXPECT_EQ(IsSupplicantAuthenticated(), 1);

  // No profile and no port: no SSID is sent.
  SupplicantSetCurrentProfile(nullptr);
  wavorel::sim::clearDriverCalls();
  pressOk(d);
  EXPECT_TRUE(trace().empty());

  g_bApplyRequested = 1;
  XpWorkerState().LogonCredentialSwitch = 0;
  d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_INVALID_CANCEL, BN_CLICKED), 0);
  pump();
  EXPECT_EQ(g_bApplyRequested, 0);
  EXPECT_EQ(XpWorkerState().LogonCredentialSwitch, 1);
}

}  // namespace
}  // namespace xpprofiles::testing
