// The 802.1X page in the profile editor: defaults, the method and inner
// method rules, the EAP method menu, validation, loading a stored block and
// a PEAP profile saved through the bridge.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "station/profiles/EditorFieldCodes.h"
#include "tests/station/profiles/EditorTest.h"

namespace station::testing {
namespace {

using Page = CPage8021XDlg;

// The SHA-1 hash of the first certificate of a store, lower-case hex.
std::string firstHashOf(const char* store, std::vector<BYTE>* bytes = nullptr) {
  HCERTSTORE handle = CertOpenSystemStore(0, store);
  PCCERT_CONTEXT c = handle ? CertEnumCertificatesInStore(handle, nullptr) : nullptr;
  std::string text;
  if (c) {
    BYTE hash[20] = {};
    DWORD size = sizeof hash;
    CertGetCertificateContextProperty(c, CERT_SHA1_HASH_PROP_ID, hash, &size);
    for (DWORD i = 0; i < size; ++i) {
      char pair[3];
      snprintf(pair, sizeof pair, "%02x", hash[i]);
      text += pair;
    }
    if (bytes) bytes->assign(hash, hash + size);
    CertFreeCertificateContext(c);
  }
  if (handle) CertCloseStore(handle, 0);
  return text;
}

class Page8021XTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    g_b8021xSupport = 1;
  }
  Page& page() { return *editor().Get8021XPage(); }
  CPageNamePasswordDlg& credentials() { return *page().Credentials(); }
  static bool shown(CWnd* window) { return (window->GetStyle() & WS_VISIBLE) != 0; }
};

TEST_F(Page8021XTest, DefaultsArePeapWithMschapV2AndResumptionOnlyDefaultsReportResumption) {
  page().m_nEapMethod = Page::kEapTtls;
  page().SetDefaults();
  pump();
  EXPECT_EQ(page().m_nEapMethod, Page::kEapPeap);
  EXPECT_EQ(page().m_nInnerMethod, Page::kInnerMschapV2);
  EXPECT_TRUE(page().m_bSessionResumption);
  EXPECT_EQ(valuesOf(EDITOR_FIELD_SESSION_RESUMPTION), std::vector<std::string>{"1"});
  EXPECT_EQ(lastOf(EDITOR_FIELD_EAP_METHOD), "0");
  EXPECT_EQ(lastOf(EDITOR_FIELD_INNER_METHOD), "0");
  EXPECT_EQ(windowText(page().EapMethodButton()), "PEAP");
  EXPECT_EQ(windowText(page().InnerButton()), "EAP-MSCHAP v2");
  for (UINT code : {EDITOR_FIELD_USE_SERVER_CERT, EDITOR_FIELD_INTERMEDIATE_CERT, EDITOR_FIELD_NAME_RULE,
                    EDITOR_FIELD_USE_PAC, EDITOR_FIELD_PROVISIONING_TUNNEL, EDITOR_FIELD_SERVER_NAME,
                    EDITOR_FIELD_PAC_PATH, EDITOR_FIELD_ALLOW_UNAUTH_PROVISION})
    EXPECT_NE(lastOf(code), "<none>") << code;

  received().clear();
  page().LoadFromSite();
  pump();
  EXPECT_TRUE(valuesOf(EDITOR_FIELD_SESSION_RESUMPTION).empty());
  EXPECT_EQ(lastOf(EDITOR_FIELD_EAP_METHOD), "0");
}

TEST_F(Page8021XTest, MethodAndInnerCommandsSetTheControlsAndSelectors) {
  struct Case {
    const char* method;
    const char* inner;  // bridge code 41's index, nullptr: none
    const char* innerText;
    bool innerEnabled, userPassword, tunnelPassword, passwordMode;
    bool fastSelector, clientSelector, serverSelector;
    BOOL useClientCert;
  };
  const Case cases[] = {
      {"0", nullptr, "EAP-MSCHAP v2", true, false, true, false, false, true, true, FALSE},
      {"0", "1", "EAP-TLS/SmartCard", true, false, false, false, false, true, true, TRUE},
      {"0", "2", "Generic Token Card", true, false, true, true, false, true, true, FALSE},
      {"1", nullptr, "", false, false, false, false, false, true, true, TRUE},
      {"2", nullptr, "CHAP", true, false, true, false, false, true, true, FALSE},
      {"2", "6", "PAP", true, false, true, false, false, true, true, FALSE},
      {"3", nullptr, "Generic Token Card", false, false, true, true, true, false, false, FALSE},
      {"4", nullptr, "", false, true, false, false, false, false, true, FALSE},
  };
  for (const Case& c : cases) {
    page().SetDefaults();
    command(40, c.method);
    if (c.inner) command(41, c.inner);
    const std::string label = std::string(c.method) + "/" + (c.inner ? c.inner : "-");
    EXPECT_EQ(windowText(page().InnerButton()), c.innerText) << label;
    EXPECT_EQ(page().InnerButton().IsWindowEnabled() != FALSE, c.innerEnabled) << label;
    EXPECT_EQ(enabled(credentials(), IDC_NP_PASSWORD), c.userPassword) << label;
    EXPECT_EQ(enabled(credentials(), IDC_NP_TUNNEL_PASSWORD), c.tunnelPassword) << label;
    EXPECT_EQ(visible(credentials(), IDC_NP_SOFT_TOKEN), c.passwordMode) << label;
    EXPECT_EQ(shown(page().Selector(Page::kSubEapFast)), c.fastSelector) << label;
    EXPECT_EQ(shown(page().Selector(Page::kSubClientCert)), c.clientSelector) << label;
    EXPECT_EQ(shown(page().Selector(Page::kSubServerCert)), c.serverSelector) << label;
    EXPECT_EQ(page().ClientCert()->m_bUseClientCert, c.useClientCert) << label;
    EXPECT_EQ(lastOf(EDITOR_FIELD_EAP_METHOD), c.method) << label;
    // The credentials sub-page is the one shown after every command.
    EXPECT_TRUE(shown(page().Credentials())) << label;
  }
  // An index outside the tables sends nothing.
  page().SetDefaults();
  command(40, "5");
  command(41, "8");
  EXPECT_EQ(page().m_nEapMethod, Page::kEapPeap);
  EXPECT_EQ(page().m_nInnerMethod, Page::kInnerMschapV2);
}

TEST_F(Page8021XTest, Md5ChallengeIsGreyedUnlessOpenSharedNoneOrWepWith8021X) {
  struct Case {
    UINT auth, encryption;
    bool use8021X;
    bool md5Enabled;
  };
  const Case cases[] = {{ID_AUTH_WPA, ID_ENCRYPTION_TKIP, true, false},
                        {ID_AUTH_OPEN, ID_ENCRYPTION_WEP, true, true},
                        {ID_AUTH_OPEN, ID_ENCRYPTION_WEP, false, false}};
  for (const Case& c : cases) {
    startNewProfile();
    security().SendMessage(WM_COMMAND, c.auth, 0);
    security().SendMessage(WM_COMMAND, c.encryption, 0);
    security().m_bUse8021X = c.use8021X;
    page().ShowWindow(SW_HIDE);
    page().ShowWindow(SW_SHOW);
    HMENU menu = CreatePopupMenu();
    AppendMenu(menu, MF_STRING, ID_EAP_PEAP, "PEAP");
    AppendMenu(menu, MF_STRING | MF_GRAYED, ID_EAP_TLS, "TLS / Smart Card");
    AppendMenu(menu, MF_STRING, ID_EAP_MD5, "MD5-Challenge");
    page().SendMessage(WM_EAP_METHOD_MENU_OPENING, reinterpret_cast<WPARAM>(menu), 0);
    EXPECT_EQ((GetMenuState(menu, ID_EAP_MD5, MF_BYCOMMAND) & MF_GRAYED) == 0, c.md5Enabled) << c.auth;
    EXPECT_EQ(GetMenuState(menu, ID_EAP_TLS, MF_BYCOMMAND) & MF_GRAYED, 0u);
    DestroyMenu(menu);
  }
}

TEST_F(Page8021XTest, ValidateStopsAtTheFirstMissingValueWithItsText) {
  const std::string identity = "Identity required in authentication setting!";
  const std::string tunnel = "Tunneled identity and password required for FAST, TTLS or PEAP authentication!";
  struct Case {
    const char* method;
    const char* inner;
    const char* id;
    const char* tunnelId;
    const char* tunnelPassword;
    const char* password;
    int passwordMode;
    int useServer;
    const char* serverName;
    int nameRule;
    std::string message;  // "" passes
  };
  const Case cases[] = {
      {"0", "0", "", "t", "p", "", 1, 0, "", 0, identity},
      {"0", "0", "me", "t", "", "", 1, 0, "", 0, tunnel},
      {"0", "0", "me", "t", "p", "", 1, 0, "", 0, ""},
      {"2", nullptr, "me", "", "p", "", 1, 0, "", 0, tunnel},
      {"3", nullptr, "me", "t", "", "", 1, 0, "", 0, tunnel},
      {"0", "2", "me", "", "", "", 1, 0, "", 0, "Tunneled identity required for PEAP authentication!"},
      {"0", "2", "me", "t", "", "", 1, 0, "", 0, tunnel},
      {"0", "2", "me", "t", "", "", 0, 0, "", 0, ""},  // Soft Token: no tunnel password needed
      {"4", nullptr, "me", "", "", "", 1, 0, "", 0, "Password required for MD5 authentication!"},
      {"4", nullptr, "me", "", "", "pw", 1, 1, "", 0, identity},
      {"4", nullptr, "me", "", "", "pw", 1, 1, "radius", 1, "8021X - Server Identity has Invalid domain name!"},
      {"4", nullptr, "me", "", "", "pw", 1, 1, ".example", 1, "8021X - Server Identity has Invalid domain name!"},
      {"4", nullptr, "me", "", "", "pw", 1, 1, "example.", 1, "8021X - Server Identity has Invalid domain name!"},
      {"4", nullptr, "me", "", "", "pw", 1, 1, "radius.example", 1, ""},
      {"4", nullptr, "me", "", "", "pw", 1, 1, "radius", 0, ""},
  };
  for (const Case& c : cases) {
    page().SetDefaults();
    command(40, c.method);
    if (c.inner) command(41, c.inner);
    command(43, c.id);
    command(44, c.password);
    command(46, c.tunnelId);
    command(47, c.tunnelPassword);
    command(48, std::to_string(c.passwordMode).c_str());
    auto& server = *page().ServerCert();
    server.m_bUseServerCert = c.useServer;
    server.m_strServerName = c.serverName;
    server.m_nNameRule = c.nameRule;
    received().clear();
    const BOOL ok = page().Validate();
    pump();
    const std::string label = std::string(c.method) + "/" + c.id + "/" + c.serverName;
    EXPECT_EQ(ok != FALSE, c.message.empty()) << label;
    EXPECT_EQ(messages(), c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message})
        << label;
  }
}

TEST_F(Page8021XTest, TlsNeedsAChosenClientCertificate) {
  page().SetDefaults();
  command(40, "1");
  command(43, "me");
  ASSERT_TRUE(page().ClientCert()->m_bUseClientCert);
  // The default world's user store holds one certificate: it was chosen.
  EXPECT_TRUE(page().Validate());
  // Without one the profile is refused.
  page().ClientCert()->SetDefaults();
  page().ClientCert()->m_bUseClientCert = TRUE;
  received().clear();
  EXPECT_FALSE(page().Validate());
  pump();
  EXPECT_EQ(messages(), std::vector<std::string>{"Please select a client certificate to use!"});
}

TEST_F(Page8021XTest, LoadFromProfileFindsTheStoredHashOrReportsEmptyTexts) {
  std::vector<BYTE> userHash;
  ASSERT_FALSE(firstHashOf("MY", &userHash).empty());
  struct Case {
    std::vector<BYTE> hash;
    std::vector<std::string> texts;
  };
  const Case cases[] = {
      {std::vector<BYTE>(20, 0xAB), {"", "", "", ""}},
      {userHash, {"Dana's wireless login", "Harbor Issuing CA", "6/30/2029", "Dana's wireless login"}},
  };
  for (const Case& c : cases) {
    page().SetDefaults();
    _8021X_DATA& block = editor().m_8021x;
    block = _8021X_DATA{};
    block.EapMethod = Page::kEapTls;
    block.TunnelProtocol = 99;  // no inner method: the one before stays
    block.UseClientCert = 1;
    block.ClientCertLen = static_cast<DWORD>(c.hash.size());
    std::copy(c.hash.begin(), c.hash.end(), block.ClientCertData);
    block.Identity = "me";
    received().clear();
    page().LoadFromProfile();
    pump();
    std::vector<std::string> texts;
    for (UINT code = EDITOR_FIELD_CLIENT_ISSUED_TO; code < EDITOR_FIELD_CLIENT_ISSUED_TO + 4; ++code)
      texts.push_back(lastOf(code));
    EXPECT_EQ(texts, c.texts);
    EXPECT_TRUE(page().ClientCert()->m_bUseClientCert);
    EXPECT_EQ(page().ClientCert()->Chosen().hash != nullptr, c.texts[0] != "");
    EXPECT_EQ(page().m_nInnerMethod, Page::kInnerMschapV2);
    EXPECT_EQ(lastOf(EDITOR_FIELD_IDENTITY), "me");
  }
}

TEST_F(Page8021XTest, APeapProfileMadeThroughTheBridgeStoresTheChosenRootsHash) {
  const std::string rootHash = firstHashOf("ROOT");
  ASSERT_EQ(rootHash.size(), 40u);
  newProfile("Corp", "CorpWLAN");
  command(23, "5");        // WPA2
  command(25, "196609");   // AES, profile editor
  command(43, "dana");     // identity
  command(46, "dana");     // tunnel identity
  command(47, "s3cret");   // tunnel password
  command(52, "1");        // use the server certificate
  command(54, "1");        // the first root after "- Any Trusted CA -"
  command(56, "radius");
  pressOk();
  EXPECT_EQ(messages(), std::vector<std::string>{});
  const auto value = [](const char* key) { return read(kIniKindProfiles, "Corp", key); };
  EXPECT_EQ(value("AuthenProtocol"), "0");
  EXPECT_EQ(value("TunnelProtocol"), "26");
  EXPECT_EQ(value("UseServerCert"), "1");
  EXPECT_EQ(value("ServerCertLen"), "20");
  EXPECT_EQ(value("ServerCertData"), rootHash);
  std::string text = readFile(kIniKindProfiles);
  // The hash depends on the world's certificate: the golden file names it.
  text.replace(text.find(rootHash), rootHash.size(), "<root hash>");
  if (getenv("WAVOREL_UPDATE_GOLDEN")) std::ofstream(std::string(EDITOR_TEST_DATA) + "/PeapSection.ini") << text;
  std::ifstream in(std::string(EDITOR_TEST_DATA) + "/PeapSection.ini", std::ios::binary);
  std::stringstream golden;
  golden << in.rdbuf();
  EXPECT_EQ(text, golden.str());
}

}  // namespace
}  // namespace station::testing
