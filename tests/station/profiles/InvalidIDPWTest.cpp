// The credential re-entry dialog: which fields it offers for the current
// profile's EAP method, and what OK and Cancel leave in its fields.
#include "station/profiles/InvalidIDPW.h"
#include "tests/station/profiles/PromptTest.h"

namespace station::testing {
namespace {

using InvalidIDPWTest = PromptTest;

TEST_F(InvalidIDPWTest, CredentialRowsFollowTheCurrentProfilesMethod) {
  const struct {
    const char* name;
    bool profile;
    DWORD protocol;
    int showFlag;
    bool identity, password, domain;
  } cases[] = {
      {"no current profile", false, 0, 1, true, false, false},
      {"PEAP", true, 0, 1, true, true, false},
      {"EAP-TLS", true, 1, 1, true, false, false},
      {"EAP-FAST", true, 3, 1, true, true, true},
      {"method 5", true, 5, 1, true, true, true},
      {"method 4", true, 4, 1, true, true, false},
      {"flag clear", true, 3, 0, false, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FreeCurrentProfile();
    if (c.profile) useCurrentProfile(0, c.protocol);
    auto made = std::make_unique<CInvalidIDPW>(parent());
    made->m_bShowCredentials = c.showFlag;
    ASSERT_TRUE(made->Create(IDD_INVALID_ID_PW, parent()));
    EXPECT_EQ(visible(*made, IDC_INVALID_IDENTITY_LABEL), c.identity);
    EXPECT_EQ(visible(*made, IDC_INVALID_IDENTITY), c.identity);
    EXPECT_EQ(visible(*made, IDC_INVALID_PASSWORD_LABEL), c.password);
    EXPECT_EQ(visible(*made, IDC_INVALID_PASSWORD), c.password);
    EXPECT_EQ(visible(*made, IDC_INVALID_DOMAIN_LABEL), c.domain);
    EXPECT_EQ(visible(*made, IDC_INVALID_DOMAIN), c.domain);
    // The other labels always stand, with their texts.
    EXPECT_EQ(itemText(*made, IDC_INVALID_CARD_LABEL), "Card Name >>");
    EXPECT_EQ(itemText(*made, IDC_INVALID_MESSAGE_LABEL), "Message >>");
    EXPECT_EQ(itemText(*made, IDC_INVALID_DOMAIN_LABEL), "Domain Name >>");
    made->DestroyWindow();
  }
}

TEST_F(InvalidIDPWTest, OkTakesTheTypedCredentialsAndCancelLeavesThem) {
  useCurrentProfile(0, 3);
  auto dialog = make<CInvalidIDPW>(IDD_INVALID_ID_PW);
  dialog->ShowWindow(SW_SHOW);
  setItemText(*dialog, IDC_INVALID_IDENTITY, "alice");
  setItemText(*dialog, IDC_INVALID_PASSWORD, "secret");
  setItemText(*dialog, IDC_INVALID_DOMAIN, "CORP");
  press(*dialog, IDC_INVALID_CANCEL);
  EXPECT_EQ(std::string(dialog->m_strIdentity), "");
  EXPECT_EQ(std::string(dialog->m_strPassword), "");

  press(*dialog, IDC_INVALID_OK);
  EXPECT_EQ(std::string(dialog->m_strIdentity), "alice");
  EXPECT_EQ(std::string(dialog->m_strPassword), "secret");
  EXPECT_EQ(std::string(dialog->m_strDomain), "CORP");
  EXPECT_FALSE(dialog->GetStyle() & WS_VISIBLE);
  dialog->DestroyWindow();
}

}  // namespace
}  // namespace station::testing
