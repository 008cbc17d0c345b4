// The credentials and EAP-FAST sub-pages of the 802.1X page: what the
// EAP-FAST page reports when it is made, the PAC file it imports (and the
// paths it refuses rather than cut), Remove, the provisioning tunnel, and the
// credentials page's password display and password mode.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "station/profiles/EditorFieldCodes.h"
#include "tests/station/profiles/EditorTest.h"

namespace station::testing {
namespace {

using Page = CPage8021XDlg;

class CredentialSubPagesTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    g_b8021xSupport = 1;
    // A PAC file to import.
    ASSERT_TRUE(CreateDirectory("C:\\Pacs", nullptr));
    writeDriveFile("C:\\Pacs\\Site.pac");
  }
  void TearDown() override {
    wavorel::setModalResponder(nullptr);
    EditorTest::TearDown();
  }
  static void writeDriveFile(const std::string& path) {
    std::string linux;
    ASSERT_TRUE(wavorel::resolveWindowsPath(path, linux));
    std::ofstream(linux) << "pac";
  }
  // The file dialog answers with `name` typed into it; what it showed is kept.
  void chooseFile(const std::string& name) {
    wavorel::setModalResponder([this, name](const wavorel::ModalWindow& w) {
      if (w.kind != wavorel::ModalWindow::Kind::FileDialog) return IDOK;
      fileDialogs_.push_back(w);
      SetDlgItemText(w.hwnd, edt1, name.c_str());
      return IDOK;
    });
  }
  Page& page() { return *editor().Get8021XPage(); }
  CPageEAPFastDlg& fast() { return *page().EapFast(); }
  CPageNamePasswordDlg& credentials() { return *page().Credentials(); }
  static void press(CWnd& dialog, int id) {
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    pump();
  }
  // A click on a check box or radio button: it changes its state, then tells its page.
  static void click(CWnd& dialog, int id) {
    dialog.GetDlgItem(id)->SendMessage(BM_CLICK);
    pump();
  }
  static WPARAM passwordChar(CWnd& dialog, int id) {
    return static_cast<WPARAM>(dialog.GetDlgItem(id)->SendMessage(EM_GETPASSWORDCHAR));
  }

  std::vector<wavorel::ModalWindow> fileDialogs_;
};

TEST_F(CredentialSubPagesTest, MadePagePostsItsFieldsAndWhetherTheTunnelButtonShows) {
  for (const char* enhancement : {"0", "1"}) {
    SCOPED_TRACE(enhancement);
    std::ofstream(programLinux() + "/WavorelVista.ini", std::ios::binary)
        << "[Advance]\r\nEAPFastEnhancement=" << enhancement << "\r\n";
    received().clear();
    CPageEAPFastDlg made(&editor());
    ASSERT_TRUE(made.Create(IDD_PAGE_EAP_FAST, &editor()));
    pump();
    const bool enhanced = enhancement[0] == '1';
    EXPECT_EQ(valuesOf(EDITOR_FIELD_PROVISIONING_SHOWN), std::vector<std::string>{enhanced ? "1" : "0"});
    EXPECT_EQ(valuesOf(EDITOR_FIELD_ALLOW_UNAUTH_PROVISION), std::vector<std::string>{"1"});
    EXPECT_EQ(valuesOf(EDITOR_FIELD_USE_PAC), std::vector<std::string>{"1"});
    EXPECT_EQ(valuesOf(EDITOR_FIELD_PROVISIONING_TUNNEL), std::vector<std::string>{"0"});
    EXPECT_EQ(valuesOf(EDITOR_FIELD_PAC_PATH), std::vector<std::string>{""});
    EXPECT_EQ(visible(made, IDC_EF_TUNNEL), enhanced);
    EXPECT_EQ(visible(made, IDC_EF_TUNNEL_LABEL), enhanced);
    EXPECT_EQ(enabled(made, IDC_EF_ALLOW_UNAUTH), enhanced);
    EXPECT_EQ(itemText(made, IDC_EF_PATH_LABEL), "File Path >>");
    EXPECT_EQ(itemText(made, IDC_EF_TUNNEL_LABEL), "Provisioning Tunnel >>");
    made.DestroyWindow();
  }
}

TEST_F(CredentialSubPagesTest, ImportTakesThePacFileAndAPathLongerThanTheRecordHoldsIsRefused) {
  fast().SetDefaults();
  received().clear();
  chooseFile("C:\\Pacs\\Site.pac");
  press(fast(), IDC_EF_IMPORT);
  ASSERT_EQ(fileDialogs_.size(), 1u);
  EXPECT_EQ(fileDialogs_[0].text, "*.pac");
  EXPECT_EQ(fileDialogs_[0].labels.front(), "PAC Files(*.pac)");
  EXPECT_EQ(std::string(fast().m_strPacPath), "C:\\Pacs\\Site.pac");
  EXPECT_EQ(itemText(fast(), IDC_EF_PATH), "C:\\Pacs\\Site.pac");
  EXPECT_EQ(valuesOf(EDITOR_FIELD_PAC_PATH), std::vector<std::string>{"C:\\Pacs\\Site.pac"});
  EXPECT_TRUE(messages().empty());

  // A file whose full path is 257 bytes: the record's field holds 255.
  const std::string folder = "C:\\Pacs\\" + std::string(120, 'd');
  const std::string deep = folder + "\\" + std::string(124, 'e') + ".pac";
  ASSERT_EQ(deep.size(), 257u);
  ASSERT_TRUE(CreateDirectory(folder.c_str(), nullptr));
  writeDriveFile(deep);
  received().clear();
  chooseFile(deep);
  press(fast(), IDC_EF_IMPORT);
  ASSERT_EQ(fileDialogs_.size(), 2u);
  EXPECT_EQ(messages(), std::vector<std::string>{"The PAC file path is too long."});
  EXPECT_EQ(std::string(fast().m_strPacPath), "C:\\Pacs\\Site.pac");
  EXPECT_TRUE(valuesOf(EDITOR_FIELD_PAC_PATH).empty());

  // The same limit for the front end's path; 255 bytes are taken whole.
  received().clear();
  EXPECT_TRUE(fast().RunBridgeCommand(61, CString(std::string(256, 'p').c_str())));
  pump();
  EXPECT_EQ(messages(), std::vector<std::string>{"The PAC file path is too long."});
  EXPECT_EQ(std::string(fast().m_strPacPath), "C:\\Pacs\\Site.pac");
  const std::string longest(kPacPathLimit, 'p');
  EXPECT_TRUE(fast().RunBridgeCommand(61, CString(longest.c_str())));
  EXPECT_EQ(std::string(fast().m_strPacPath), longest);
  EXPECT_EQ(itemText(fast(), IDC_EF_PATH), longest);

  // Remove empties the path and reports it.
  received().clear();
  press(fast(), IDC_EF_REMOVE);
  EXPECT_EQ(std::string(fast().m_strPacPath), "");
  EXPECT_EQ(valuesOf(EDITOR_FIELD_PAC_PATH), std::vector<std::string>{""});
}

TEST_F(CredentialSubPagesTest, PacCheckEnablesTheFileControlsAndTunnelCommandsAdjustTheCredentials) {
  fast().SetDefaults();
  for (bool on : {false, true}) {
    click(fast(), IDC_EF_USE_PAC);
    EXPECT_EQ(fast().m_bUsePac != FALSE, on);
    for (int id : {IDC_EF_IMPORT, IDC_EF_PATH_LABEL, IDC_EF_PATH, IDC_EF_REMOVE}) EXPECT_EQ(enabled(fast(), id), on) << id;
  }

  const struct {
    UINT command;
    const char* text;
    UINT inner;  // the 802.1X page's inner method command
    bool tunnelPassword, passwordMode;
    BOOL useClientCert;
  } cases[] = {
      {ID_INNER_MSCHAPV2, "EAP-MSCHAP v2", ID_INNER_MSCHAPV2, true, false, FALSE},
      {ID_INNER_TLS, "EAP-TLS/SmartCard", ID_INNER_MSCHAPV2, true, false, TRUE},
      {ID_INNER_TLS, "EAP-TLS/SmartCard", ID_INNER_TLS, false, false, TRUE},
      {ID_INNER_GTC, "Generic Token Card", ID_INNER_MSCHAPV2, true, true, FALSE},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    page().SetDefaults();
    command(40, "3");  // EAP-FAST, then the page's inner method
    page().SendMessage(WM_COMMAND, c.inner, 0);
    received().clear();
    fast().SendMessage(WM_COMMAND, c.command, 0);
    pump();
    EXPECT_EQ(fast().m_nProvisioningTunnel, static_cast<int>(c.command - ID_INNER_MSCHAPV2));
    EXPECT_EQ(valuesOf(EDITOR_FIELD_PROVISIONING_TUNNEL),
              std::vector<std::string>{std::to_string(c.command - ID_INNER_MSCHAPV2)});
    EXPECT_EQ(windowText(fast().TunnelButton()), c.text);
    EXPECT_EQ(enabled(credentials(), IDC_NP_TUNNEL_PASSWORD), c.tunnelPassword);
    EXPECT_EQ(visible(credentials(), IDC_NP_SOFT_TOKEN), c.passwordMode);
    EXPECT_EQ(page().ClientCert()->m_bUseClientCert, c.useClientCert);
  }
}

TEST_F(CredentialSubPagesTest, ShowPasswordAndPasswordModeOfTheCredentialsPage) {
  page().SetDefaults();
  credentials().SetDefaults();
  for (int id : {IDC_NP_PASSWORD, IDC_NP_TUNNEL_PASSWORD}) EXPECT_EQ(passwordChar(credentials(), id), WPARAM{'*'});
  click(credentials(), IDC_NP_SHOW_PASSWORD);
  EXPECT_TRUE(credentials().m_bShowPassword);
  for (int id : {IDC_NP_PASSWORD, IDC_NP_TUNNEL_PASSWORD}) EXPECT_EQ(passwordChar(credentials(), id), WPARAM{0});
  // Moving the fields to the controls keeps the clear text.
  credentials().UpdateData(FALSE);
  EXPECT_EQ(passwordChar(credentials(), IDC_NP_PASSWORD), WPARAM{0});
  click(credentials(), IDC_NP_SHOW_PASSWORD);
  EXPECT_EQ(passwordChar(credentials(), IDC_NP_TUNNEL_PASSWORD), WPARAM{'*'});

  // Soft Token leaves no tunnel password to type; Static Password brings it
  // back. The mode shows with a Generic Token Card inner method.
  command(40, "0");
  command(41, "2");
  ASSERT_TRUE(visible(credentials(), IDC_NP_SOFT_TOKEN));
  const struct {
    int radio;
    int mode;
    bool tunnelPassword;
  } modes[] = {{IDC_NP_SOFT_TOKEN, 0, false}, {IDC_NP_STATIC_PASSWORD, 1, true}};
  for (const auto& m : modes) {
    SCOPED_TRACE(m.mode);
    page().PressSelector(Page::kSubServerCert);
    click(credentials(), m.radio);
    EXPECT_EQ(credentials().m_nPasswordMode, m.mode);
    EXPECT_EQ(enabled(credentials(), IDC_NP_TUNNEL_PASSWORD), m.tunnelPassword);
    EXPECT_EQ(enabled(credentials(), IDC_NP_TUNNEL_PASSWORD_LABEL), m.tunnelPassword);
    // The click brings the credentials sub-page to the front again.
    EXPECT_TRUE(credentials().GetStyle() & WS_VISIBLE);
    EXPECT_FALSE(page().ServerCert()->GetStyle() & WS_VISIBLE);
  }
}

}  // namespace
}  // namespace station::testing
