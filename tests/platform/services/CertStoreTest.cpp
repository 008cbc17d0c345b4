#include "LabWorldTest.h"
#include "platform/sim/crypto/Sha1.h"
#include "platform/sim/services/CertStore.h"

namespace wavorel::sim::testing {
namespace {

class CertStoreTest : public SimTest {};  // the default world's certificates

std::string nameOf(PCCERT_CONTEXT c, DWORD type, DWORD flags) {
  DWORD size = CertGetNameString(c, type, flags, nullptr, nullptr, 0);
  std::string s(size, '\0');
  EXPECT_EQ(CertGetNameString(c, type, flags, nullptr, s.data(), size), size);
  s.resize(size - 1);
  return s;
}

TEST_F(CertStoreTest, TheUserStoreHoldsItsCertificateWithNamesHashAndExpiry) {
  HCERTSTORE my = CertOpenSystemStore(0, "MY");
  ASSERT_NE(my, nullptr);
  PCCERT_CONTEXT c = CertEnumCertificatesInStore(my, nullptr);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(nameOf(c, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0), "Dana Wheeler");
  EXPECT_EQ(nameOf(c, CERT_NAME_SIMPLE_DISPLAY_TYPE, CERT_NAME_ISSUER_FLAG), "Harbor Issuing CA");
  EXPECT_EQ(nameOf(c, CERT_NAME_FRIENDLY_DISPLAY_TYPE, 0), "Dana's wireless login");
  EXPECT_EQ(nameOf(c, CERT_NAME_FRIENDLY_DISPLAY_TYPE, CERT_NAME_ISSUER_FLAG), "Harbor Issuing CA");

  char small[5] = {'x', 'x', 'x', 'x', 'x'};
  EXPECT_EQ(CertGetNameString(c, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, small, 4), 4u);
  EXPECT_STREQ(small, "Dan");
  EXPECT_EQ(small[4], 'x') << "nothing past the size given";

  DWORD size = 0;
  ASSERT_TRUE(CertGetCertificateContextProperty(c, CERT_SHA1_HASH_PROP_ID, nullptr, &size));
  ASSERT_EQ(size, 20u);
  BYTE hash[20];
  ASSERT_TRUE(CertGetCertificateContextProperty(c, CERT_SHA1_HASH_PROP_ID, hash, &size));
  Sha1Digest expected = Sha1::of(c->pbCertEncoded, c->cbCertEncoded);
  EXPECT_EQ(std::vector<BYTE>(hash, hash + 20), std::vector<BYTE>(expected.begin(), expected.end()));

  size = 0;
  ASSERT_TRUE(CertGetCertificateContextProperty(c, CERT_FRIENDLY_NAME_PROP_ID, nullptr, &size));
  std::u16string friendly = u"Dana's wireless login";
  ASSERT_EQ(size, (friendly.size() + 1) * 2);
  std::vector<BYTE> name(size - 1);
  DWORD shortSize = size - 1;
  EXPECT_FALSE(CertGetCertificateContextProperty(c, CERT_FRIENDLY_NAME_PROP_ID, name.data(), &shortSize));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MORE_DATA));
  EXPECT_EQ(shortSize, size);
  name.resize(size);
  ASSERT_TRUE(CertGetCertificateContextProperty(c, CERT_FRIENDLY_NAME_PROP_ID, name.data(), &size));
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(name.data())), friendly);

  SYSTEMTIME expiry{};
  ASSERT_TRUE(FileTimeToSystemTime(&c->pCertInfo->NotAfter, &expiry));
  EXPECT_EQ(expiry.wYear, 2029);
  EXPECT_EQ(expiry.wMonth, 6);
  EXPECT_EQ(expiry.wDay, 30);

  EXPECT_EQ(CertEnumCertificatesInStore(my, c), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(CRYPT_E_NOT_FOUND));
  EXPECT_TRUE(CertCloseStore(my, 0));
}

TEST_F(CertStoreTest, TheRootStoreAndContextsOutlivingTheirStore) {
  HCERTSTORE root = CertOpenSystemStore(0, "root");
  ASSERT_NE(root, nullptr);
  PCCERT_CONTEXT c = CertEnumCertificatesInStore(root, nullptr);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(nameOf(c, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0), "Harbor Root CA");
  EXPECT_EQ(nameOf(c, CERT_NAME_SIMPLE_DISPLAY_TYPE, CERT_NAME_ISSUER_FLAG), "Harbor Root CA") << "self-signed";
  EXPECT_EQ(nameOf(c, CERT_NAME_FRIENDLY_DISPLAY_TYPE, 0), "Harbor Root CA") << "no friendly name: the subject";
  DWORD size = 0;
  EXPECT_FALSE(CertGetCertificateContextProperty(c, CERT_FRIENDLY_NAME_PROP_ID, nullptr, &size));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(CRYPT_E_NOT_FOUND));

  PCCERT_CONTEXT kept = CertDuplicateCertificateContext(c);
  EXPECT_EQ(kept, c);
  EXPECT_EQ(CertEnumCertificatesInStore(root, c), nullptr);
  EXPECT_FALSE(CertCloseStore(root, CERT_CLOSE_STORE_CHECK_FLAG));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(CRYPT_E_PENDING_CLOSE));
  EXPECT_EQ(nameOf(kept, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0), "Harbor Root CA") << "held past the close";
  EXPECT_TRUE(CertFreeCertificateContext(kept));
  EXPECT_FALSE(CertCloseStore(root, 0)) << "already closed";

  HCERTSTORE other = CertOpenSystemStore(0, "CA");
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(CertEnumCertificatesInStore(other, nullptr), nullptr);
  EXPECT_TRUE(CertCloseStore(other, 0));
}

TEST(CertStoreWorld, CertificateSectionsAreChecked) {
  World ok = parseWorld("[Certificate A]\nStore = root\nSubject = Self\nExpires = 2030-01-02\n", "w.ini");
  ASSERT_EQ(ok.certificates.size(), 1u);
  EXPECT_EQ(ok.certificates[0].store, "ROOT");
  EXPECT_EQ(ok.certificates[0].issuer, "Self");
  EXPECT_EQ(ok.certificates[0].friendlyName, "");
  EXPECT_EQ(ok.certificates[0].expires, (std::array<int, 3>{2030, 1, 2}));
  EXPECT_TRUE(ok.certificates[0].hashReadable);
  for (const char* bad : {"Store = CA\nSubject = S\nExpires = 2030-01-02\n", "Store = MY\nExpires = 2030-01-02\n",
                          "Store = MY\nSubject = S\n", "Store = MY\nSubject = S\nExpires = 2030-13-01\n",
                          "Store = MY\nSubject = S\nExpires = 2030-01-02x\n", "Subject = S\nExpires = 2030-01-02\n",
                          "Store = MY\nSubject = S\nExpires = 2030-01-02\nHashReadable = maybe\n"})
    EXPECT_THROW(parseWorld(std::string("[Certificate A]\n") + bad, "w.ini"), WorldError) << bad;
}

TEST_F(CertStoreTest, AnUnreadableHashFailsEveryReadWhileTheNamesStay) {
  WorldCertificate w;
  w.store = "MY";
  w.subject = "Broken";
  w.issuer = "Broken";
  w.friendlyName = "broken";
  w.expires = {2030, 1, 2};
  w.hashReadable = false;
  HCERTSTORE my = nullptr;
  {
    std::lock_guard<std::mutex> lock(CertStore::table().mutex());
    my = CertStore::table().open("MY", {w});
  }
  PCCERT_CONTEXT c = CertEnumCertificatesInStore(my, nullptr);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(nameOf(c, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0), "Broken");
  BYTE hash[20];
  for (BYTE* buffer : {static_cast<BYTE*>(nullptr), hash}) {
    DWORD size = sizeof hash;
    EXPECT_FALSE(CertGetCertificateContextProperty(c, CERT_SHA1_HASH_PROP_ID, buffer, &size));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(CRYPT_E_NOT_FOUND));
  }
  DWORD size = 0;
  EXPECT_TRUE(CertGetCertificateContextProperty(c, CERT_FRIENDLY_NAME_PROP_ID, nullptr, &size));
  CertFreeCertificateContext(c);
  EXPECT_TRUE(CertCloseStore(my, 0));
}

}  // namespace
}  // namespace wavorel::sim::testing
