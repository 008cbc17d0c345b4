// The certificate sub-pages and descriptors on a world of their own: rows
// of both lists, names that do not fit, certificates without a friendly
// name, two alike, one whose hash cannot be read, and a chosen descriptor
// that outlives its list.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/sim/radio/World.h"
#include "station/profiles/EditorFieldCodes.h"
#include "tests/station/profiles/EditorTest.h"

namespace station::testing {
namespace {

const std::string kLongName(1000, 'L');

class CertificatePagesTest : public EditorTest {
 protected:
  std::string worldText() const override {
    return std::string(wavorel::sim::defaultWorldText()) +
           "\n[Certificate Plain]\nStore = MY\nSubject = Plain User\nIssuer = Harbor Issuing CA\nExpires = 2030-01-15\n"
           "\n[Certificate Twin1]\nStore = MY\nSubject = Twin\nIssuer = Twin CA\nFriendlyName = twin\n"
           "Expires = 2031-02-02\n"
           "\n[Certificate Twin2]\nStore = MY\nSubject = Twin\nIssuer = Twin CA\nFriendlyName = twin\n"
           "Expires = 2031-02-02\n"
           "\n[Certificate Long]\nStore = MY\nSubject = " + kLongName + "\nIssuer = " + kLongName +
           "\nFriendlyName = " + kLongName + "\nExpires = 2032-03-03\n"
           "\n[Certificate Root2]\nStore = ROOT\nSubject = Second Root CA\nExpires = 2040-01-01\n";
  }
  CPage8021XDlg& page() { return *editor().Get8021XPage(); }
  CPageClientCertificationDlg& client() { return *page().ClientCert(); }
  CPageServerCertificationDlg& server() { return *page().ServerCert(); }
  std::vector<std::string> lines(UINT code) {
    const std::vector<std::string> values = valuesOf(code);
    std::vector<std::string> out;
    if (values.empty()) return out;
    const std::string& text = values.back();
    for (size_t start = 0;;) {
      const size_t end = text.find("\r\n", start);
      out.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
      if (end == std::string::npos) break;
      start = end + 2;
    }
    return out;
  }
};

// The subject column is the friendly display name: the friendly name when
// the certificate has one.
TEST_F(CertificatePagesTest, ClientRowsShowFourColumnsCutToTheirFields) {
  client().RefreshCertList();
  pump();
  const std::string cut(255, 'L');
  EXPECT_EQ(lines(EDITOR_FIELD_CLIENT_CERT_LIST),
            (std::vector<std::string>{
                "Dana's wireless login  |  Harbor Issuing CA  |  6/30/2029  |  Dana's wireless login",
                "Plain User  |  Harbor Issuing CA  |  1/15/2030  |  ",
                "twin  |  Twin CA  |  2/2/2031  |  twin",
                "twin  |  Twin CA  |  2/2/2031  |  twin",
                cut + "  |  " + cut + "  |  3/3/2032  |  " + cut,
            }));
  ASSERT_EQ(client().Certificates().size(), 5u);
  EXPECT_EQ(client().Certificates()[1].hasFriendlyName, 0u);
  EXPECT_EQ(client().Certificates()[4].hasFriendlyName, 1u);
  EXPECT_EQ(client().Certificates()[0].storeFlag, 0u);
  // Row 0 is chosen: its texts are reported.
  EXPECT_EQ(valuesOf(EDITOR_FIELD_CLIENT_ISSUED_TO).back(), "Dana's wireless login");
  EXPECT_EQ(client().Chosen().hashSize, 20u);
}

TEST_F(CertificatePagesTest, TwoAlikeCertificatesChooseTheFirstAndTheChoiceOwnsItsHash) {
  client().RefreshCertList();
  command(51, "3");  // the second twin
  const CertDesc& first = client().Certificates()[2];
  ASSERT_TRUE(client().Chosen().hash);
  EXPECT_TRUE(client().Chosen().HashEquals(first.hash.get(), first.hashSize));
  EXPECT_NE(client().Chosen().hash.get(), first.hash.get());
  std::vector<BYTE> kept(client().Chosen().hash.get(), client().Chosen().hash.get() + 20);
  // Refreshing the list frees its hashes; the chosen one stays whole.
  client().RefreshCertList();
  command(51, "9");  // out of range: nothing chosen anew
  EXPECT_EQ(valuesOf(EDITOR_FIELD_CLIENT_ISSUED_TO).back(), "Dana's wireless login");
  _8021X_DATA block;
  page().CollectBlock(block);
  EXPECT_EQ(block.ClientCertLen, 20u);
}

TEST_F(CertificatePagesTest, ServerListStartsWithAnyTrustedCaWhichChoosesNothing) {
  server().RefreshCertList();
  pump();
  EXPECT_EQ(lines(EDITOR_FIELD_SERVER_CERT_LIST),
            (std::vector<std::string>{"- Any Trusted CA -", "Harbor Root CA", "Second Root CA"}));
  EXPECT_EQ(server().Certificates()[0].storeFlag, 1u);
  EXPECT_FALSE(server().Chosen().hash);
  command(54, "2");
  EXPECT_EQ(server().Chosen().subject, std::string("Second Root CA"));
  command(54, "0");
  EXPECT_FALSE(server().Chosen().hash);
  EXPECT_EQ(server().Chosen().hashSize, 0u);
  command(54, "3");  // out of range: the choice stays
  EXPECT_FALSE(server().Chosen().hash);
}

// Stores of another world: no root certificate at all, and one personal
// certificate whose friendly name is not ASCII.
class BareStoreTest : public CertificatePagesTest {
 protected:
  std::string worldText() const override {
    const std::string world(wavorel::sim::defaultWorldText());
    return world.substr(0, world.find("[Certificate User]")) +
           "[Certificate Accented]\nStore = MY\nSubject = Zoe Miller\nIssuer = Harbor Issuing CA\n"
           "FriendlyName = Zo\xC3\xAB M\xC3\xBCller\nExpires = 2030-01-15\n";
  }
};

TEST_F(BareStoreTest, AnEmptyRootStoreListsOnlyAnyTrustedCaAndFriendlyNamesTakeTheCodePage) {
  server().RefreshCertList();
  pump();
  EXPECT_EQ(lines(EDITOR_FIELD_SERVER_CERT_LIST), std::vector<std::string>{"- Any Trusted CA -"});
  EXPECT_TRUE(server().Certificates().empty());
  EXPECT_FALSE(server().Chosen().hash);

  client().RefreshCertList();
  pump();
  ASSERT_EQ(client().Certificates().size(), 1u);
  // The UTF-16 property in the system code page (1252), not its raw bytes.
  EXPECT_STREQ(client().Certificates()[0].friendlyName, "Zo\xEB M\xFCller");
  EXPECT_EQ(client().Certificates()[0].hasFriendlyName, 1u);
}

// A certificate of each store whose hash cannot be read, between two that
// can: it is left out of its list and its neighbours are not.
class UnreadableHashTest : public CertificatePagesTest {
 protected:
  std::string worldText() const override {
    return std::string(wavorel::sim::defaultWorldText()) +
           "\n[Certificate BrokenUser]\nStore = MY\nSubject = Broken User\nExpires = 2030-01-15\n"
           "HashReadable = no\n"
           "\n[Certificate Plain]\nStore = MY\nSubject = Plain User\nIssuer = Harbor Issuing CA\nExpires = 2030-01-15\n"
           "\n[Certificate BrokenRoot]\nStore = ROOT\nSubject = Broken Root CA\nExpires = 2040-01-01\n"
           "HashReadable = no\n"
           "\n[Certificate Root2]\nStore = ROOT\nSubject = Second Root CA\nExpires = 2040-01-01\n";
  }
};

TEST_F(UnreadableHashTest, ACertificateWhoseHashCannotBeReadIsNotListed) {
  client().RefreshCertList();
  server().RefreshCertList();
  pump();
  EXPECT_EQ(lines(EDITOR_FIELD_CLIENT_CERT_LIST),
            (std::vector<std::string>{
                "Dana's wireless login  |  Harbor Issuing CA  |  6/30/2029  |  Dana's wireless login",
                "Plain User  |  Harbor Issuing CA  |  1/15/2030  |  ",
            }));
  EXPECT_EQ(lines(EDITOR_FIELD_SERVER_CERT_LIST),
            (std::vector<std::string>{"- Any Trusted CA -", "Harbor Root CA", "Second Root CA"}));
  ASSERT_EQ(client().Certificates().size(), 2u);
  for (const CertDesc& desc : client().Certificates()) EXPECT_EQ(desc.hashSize, 20u) << desc.subject;
  // The rows keep their places: the second is the neighbour after the gap.
  command(54, "2");
  EXPECT_EQ(server().Chosen().subject, std::string("Second Root CA"));
}

TEST(CertDescTest, ClearingFreesTheHashAndACopyHoldsItsOwn) {
  CertDesc desc;
  desc.hash = std::make_unique<BYTE[]>(3);
  desc.hashSize = 3;
  std::memcpy(desc.hash.get(), "\x01\x02\x03", 3);
  std::strcpy(desc.subject, "S");
  const CertDesc copy = desc;
  ClearCertDesc(desc);
  EXPECT_FALSE(desc.hash);
  EXPECT_EQ(desc.hashSize, 0u);
  EXPECT_TRUE(copy.HashEquals(reinterpret_cast<const BYTE*>("\x01\x02\x03"), 3));
  EXPECT_STREQ(copy.subject, "S");
}

}  // namespace
}  // namespace station::testing
