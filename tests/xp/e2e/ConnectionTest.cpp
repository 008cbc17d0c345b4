// Wavorel connecting through a stored profile, or one typed into the site
// editor that the profile tab's New opens: the profile tab lists it, a
// click on its row and Connect activate it in the worker's profile page,
// which copies it into the driver key and applies it; the link tab, the tray
// and a screenshot of the main dialog show the connection.
#include "frontend/DlgOneSiteEditor.h"
#include "frontend/SiteEditor.h"
#include "frontend/SiteEditorIds.h"
#include "station/profiles/InvalidIDPW.h"
#include "tests/xp/e2e/XpEndToEndTest.h"

namespace xp_e2e::testing {
namespace {

// A stored profile and what the link tab shows once it is connected.
struct Case {
  const char* name;
  Values values;
  const char* bssid;
  const char* address;  // null: not checked
  int trayFrame;        // 3 Good, 4 Normal
};

class ConnectionTest : public XpEndToEndTest {
 protected:
  // Stores the profile, starts, and activates it from the profile tab.
  void activate(const Case& c) {
    storeProfile(c.name, c.values);
    startStation();
    advance(3500);
    activateFromProfileTab(c.name);
  }
  // The profile activated; the link tab, the tray and the screenshot once it
  // is connected.
  void connect(const Case& c) {
    activate(c);
    if (HasFatalFailure()) return;
    expectConnected(c);
  }
  void expectConnected(const Case& c) {
    ASSERT_TRUE(linkShows(c.name)) << linkValue(0);
    // Activation made it the current profile.
    EXPECT_EQ(driverValue("CurProfile"), c.name);
    EXPECT_EQ(linkValue(2), c.bssid);
    if (c.address) {
      EXPECT_TRUE(runUntil([&] { return linkValue(6) == c.address; }, 10000)) << linkValue(6);
    }
    EXPECT_TRUE(runUntil([&] { return trayFrame() == c.trayFrame; }, 10000)) << trayFrame();
    // The screenshot shows the network's name in the link tab.
    showPage(0);
    const std::string file = std::string("xp-station-") + c.name + ".png";
    EXPECT_GT(inkIn(file.c_str(), *table()->GetLinkPage().GetValue(1)), 10);
  }
};

TEST_F(ConnectionTest, OpenProfileConnectsAndTheLinkTabAndTrayShowIt) {
  connect({"CafeFree",
           {{"SSID", "CafeFree"}, {"NetworkType", "1"}, {"AuthenType", "0"}, {"Encryption", "1"}},
           "00-1D-7E-11-22-02",
           nullptr,
           4});
}

const Case kCorp = {"Corp",
           {{"SSID", "Corp"},
            {"NetworkType", "1"},
            {"AuthenType", "6"},
            {"Encryption", "6"},
            {"Use8021X", "1"},
            {"AuthenProtocol", "0"},
            {"TunnelProtocol", "26"},
            {"ID", "alice"},
            {"Password", "secret"},
            {"TunnelID", "alice"},
            {"TunnelPassword", "secret"}},
           "00-11-22-33-44-01",
           "10.1.0.7",
           3};

TEST_F(ConnectionTest, PeapProfileAuthenticatesThroughTheSupplicantAndConnects) { connect(kCorp); }

// The driver key as a run that joined HomeNet by WPS leaves it: the stored
// credential, and "WSC" marking it as the connection in use.
TEST_F(ConnectionTest, StartWithTheWpsCredentialInUseJoinsItsNetworkAgain) {
  chooseUtilityEarlier();
  putText(driverKeyOf(), "WSC", "1");
  const CString stored = driverKeyOf() + "\\WscProfile";
  putText(stored, "NumberofProfile", "1");
  const Values credential = {{"SSID", "HomeNet"}, {"AuthType", "32"}, {"EncryType", "8"},
                             {"KeyIndex", "0"},   {"KeyLength", "21"}, {"Key", "correct horse battery"}};
  for (const auto& [name, text] : credential) putText(stored + "\\Profile0", name, text);
  ASSERT_TRUE(StationFrontEnd::start(false));
  // The worker's first tick releases the supplicant the start bound, which
  // ends the first join; the WPS timer joins again 10 s later.
  EXPECT_TRUE(linkShows("HomeNet", 20000)) << linkValue(0);
  EXPECT_EQ(linkValue(2), "00-1D-7E-11-22-01");
  EXPECT_TRUE(runUntil([&] { return trayFrame() == 3; }, 10000)) << trayFrame();
}

// One control of the site editor as a person sets it: a text typed or a list
// row chosen.
struct Field {
  int page;  // 0 site status, 1 security setting, 2 its ID/PASSWORD sub-page
  UINT id;
  const char* text;  // null: `row` is chosen
  int row;
};

TEST_F(ConnectionTest, PeapProfileMadeInTheSiteEditorFromTheProfileTabConnects) {
  chooseUtilityEarlier();
  startStation();
  advance(3500);
  showPage(2);
  // New opens the editor once the worker holds the adapter; until then a
  // press goes unanswered and a person presses again.
  CDlgOneSiteEditor* editor = nullptr;
  ASSERT_TRUE(runUntil(
      [&] {
        press(table()->GetProfilePage(), IDC_PROF_NEW);
        advance(100);
        editor = GetSiteEditor();
        return editor && editor->IsWindowVisible() != FALSE;
      },
      10000));
  CPageSite_Security& security = editor->GetSecurityPage();
  CWnd* const pages[] = {&editor->GetInfoPage(), &security, security.Get8021XTab().GetPage(0)};
  const Field fields[] = {
      {0, IDC_INFO_NAME, "Corp", 0},
      {0, IDC_INFO_SSID, "Corp", 0},
      {0, IDC_INFO_NETTYPE, nullptr, 1},    // infrastructure
      {1, IDC_SEC_AUTH, nullptr, 6},        // WPA2
      {1, IDC_SEC_ENCRYPTION, nullptr, 1},  // AES
      {1, IDC_SEC_EAP, nullptr, 0},         // PEAP
      {1, IDC_SEC_INNER, nullptr, 0},       // EAP-MSCHAP v2
      {2, IDC_IDPW_ID, "alice", 0},
      {2, IDC_IDPW_TUNNEL_ID, "alice", 0},
      {2, IDC_IDPW_TUNNEL_PASSWORD, "secret", 0},
  };
  for (const Field& f : fields) {
    CWnd* page = pages[f.page];
    ASSERT_NE(page, nullptr);
    const HWND control = ::GetDlgItem(page->GetSafeHwnd(), static_cast<int>(f.id));
    ASSERT_NE(control, nullptr) << f.id;
    // Only what a person can reach: the field is enabled.
    EXPECT_TRUE(::IsWindowEnabled(control)) << f.id;
    if (f.text) {
      ::SetWindowText(control, f.text);
    } else {
      ::SendMessage(control, CB_SETCURSEL, static_cast<WPARAM>(f.row), 0);
      page->SendMessage(WM_COMMAND, MAKEWPARAM(f.id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(control));
    }
    wavorel::pumpMessages();
  }
  // OK: the worker's profile editor checks and stores what was typed (a
  // warning it shows would be answered and nothing stored).
  editor->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SITE_OK, BN_CLICKED), 0);
  pump();
  const CString stored = driverKeyOf() + "\\Profile\\Station\\Corp";
  EXPECT_EQ(readValue(stored, "TunnelID"), std::string("alice") + '\0');
  EXPECT_EQ(readValue(stored, "TunnelPassword"), std::string("secret") + '\0');
  // Activated from the profile tab it connects through the supplicant.
  activateFromProfileTab("Corp");
  ASSERT_FALSE(HasFatalFailure());
  expectConnected(kCorp);
}

TEST_F(ConnectionTest, WrongPasswordBringsUpTheReEntryDialogAndTheCredentialsTypedInItConnect) {
  Case wrong = kCorp;
  for (auto& [value, text] : wrong.values)
    if (std::string(value).find("Password") != std::string::npos) text = "wrong";
  activate(wrong);
  ASSERT_FALSE(HasFatalFailure());
  // The re-entry dialog of the worker's host comes up on the failure.
  CWnd* dialog = nullptr;
  ASSERT_TRUE(runUntil(
      [&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        dialog = host()->GetSecondaryDialog(kHostDlgInvalidIdPw);
        return dialog && (dialog->GetStyle() & WS_VISIBLE) != 0;
      },
      30000));
  EXPECT_NE(linkValue(1), "Corp");
  dialog->SetDlgItemText(IDC_INVALID_IDENTITY, "alice");
  dialog->SetDlgItemText(IDC_INVALID_PASSWORD, "secret");
  press(*dialog, IDC_INVALID_OK);
  // OK keeps what was typed as the current profile's credentials.
  EXPECT_EQ(driverValue("TunnelID"), "alice");
  EXPECT_EQ(driverValue("TunnelPassword"), "secret");
  // The supplicant asks for the password again and takes the one typed.
  expectConnected(kCorp);
}

}  // namespace
}  // namespace xp_e2e::testing
