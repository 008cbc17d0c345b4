#include "worker/WlanProfileXml.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "tests/worker/BssRecordBuilder.h"
#include "tests/worker/vista/ProfileRecords.h"
#include "worker/WorkerGlobals.h"

namespace worker::testing {
namespace {

std::string Utf8(const std::u16string& text) {
  if (text.empty()) return std::string();
  const int length = static_cast<int>(text.size());
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), length, out.data(), size, nullptr, nullptr);
  return out;
}

// A parsed document and XPath over the namespaces the documents use.
class Xml {
 public:
  explicit Xml(const std::string& text)
      : doc_(xmlReadMemory(text.data(), static_cast<int>(text.size()), "doc.xml", "UTF-8",
                           XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING)) {}
  bool wellFormed() const { return doc_ != nullptr; }

  // The text of the nodes `path` selects, joined; "<none>" when it selects none.
  std::string text(const std::string& path) const {
    if (!doc_) return "<no document>";
    std::unique_ptr<xmlXPathContext, decltype(&xmlXPathFreeContext)> context(xmlXPathNewContext(doc_.get()),
                                                                              xmlXPathFreeContext);
    const std::pair<const char*, const char*> namespaces[] = {
        {"p", "http://www.microsoft.com/networking/WLAN/profile/v1"},
        {"onex", "http://www.microsoft.com/networking/OneX/v1"},
        {"host", "http://www.microsoft.com/provisioning/EapHostConfig"},
        {"common", "http://www.microsoft.com/provisioning/EapCommon"},
        {"base", "http://www.microsoft.com/provisioning/BaseEapConnectionPropertiesV1"},
        {"peap", "http://www.microsoft.com/provisioning/MsPeapConnectionPropertiesV1"},
        {"chap", "http://www.microsoft.com/provisioning/MsChapV2ConnectionPropertiesV1"},
        {"tls", "http://www.microsoft.com/provisioning/EapTlsConnectionPropertiesV1"},
        {"cred", "http://www.microsoft.com/provisioning/EapHostUserCredentials"},
        {"ubase", "http://www.microsoft.com/provisioning/BaseEapUserPropertiesV1"},
        {"upeap", "http://www.microsoft.com/provisioning/MsPeapUserPropertiesV1"},
        {"uchap", "http://www.microsoft.com/provisioning/MsChapV2UserPropertiesV1"},
        {"utls", "http://www.microsoft.com/provisioning/EapTlsUserPropertiesV1"},
    };
    for (const auto& [prefix, uri] : namespaces)
      xmlXPathRegisterNs(context.get(), reinterpret_cast<const xmlChar*>(prefix),
                         reinterpret_cast<const xmlChar*>(uri));
    std::unique_ptr<xmlXPathObject, decltype(&xmlXPathFreeObject)> result(
        xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(path.c_str()), context.get()), xmlXPathFreeObject);
    if (!result || !result->nodesetval || result->nodesetval->nodeNr == 0) return "<none>";
    std::string out;
    for (int i = 0; i < result->nodesetval->nodeNr; ++i) {
      xmlChar* content = xmlNodeGetContent(result->nodesetval->nodeTab[i]);
      out += content ? reinterpret_cast<const char*>(content) : "";
      xmlFree(content);
    }
    return out;
  }

 private:
  struct Free {
    void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
  };
  std::unique_ptr<xmlDoc, Free> doc_;
};

std::string GoldenPath(const std::string& name) { return std::string(WORKER_TEST_DATA) + "/wlan/" + name; }

// The document must equal the golden file byte for byte. With
// WAVOREL_UPDATE_GOLDEN set the file is written instead.
void ExpectGolden(const std::string& name, const std::string& document) {
  if (std::getenv("WAVOREL_UPDATE_GOLDEN")) {
    std::ofstream(GoldenPath(name), std::ios::binary) << document;
    return;
  }
  std::ifstream in(GoldenPath(name), std::ios::binary);
  ASSERT_TRUE(in) << GoldenPath(name);
  std::stringstream golden;
  golden << in.rdbuf();
  EXPECT_EQ(document, golden.str()) << name;
}

struct Built {
  WLAN_PROFILE_XML xml;
  std::string profile;
  std::string user;
};

Built Build(const _PROFILE_DATA& p) {
  Built b;
  BuildWlanProfileXml(p, b.xml);
  b.profile = Utf8(b.xml.profileXml);
  b.user = Utf8(b.xml.userXml);
  return b;
}

const char* const kAuth = "/p:WLANProfile/p:MSM/p:security/p:authEncryption/";
const char* const kKey = "/p:WLANProfile/p:MSM/p:security/p:sharedKey/";
const char* const kOneX = "/p:WLANProfile/p:MSM/p:security/onex:OneX/";

TEST(WlanProfileXmlTest, PersonalNetworksMatchTheirGoldenDocuments) {
  const struct {
    const char* golden;
    _PROFILE_DATA record;
    const char* ssid;
    const char* connectionType;
    const char* authentication;
    const char* encryption;
    const char* keyType;
    const char* keyMaterial;
    const char* keyIndex;
    DOT11_BSS_TYPE bssType;
    BOOL secured;
  } cases[] = {
      {"open.xml", OpenRecord(), "CafeFree", "ESS", "open", "none", "<none>", "<none>", "<none>",
       dot11_BSS_type_infrastructure, FALSE},
      {"wep-transmit-key-2.xml", WepRecord(), "OldRouter", "ESS", "open", "WEP", "networkKey",
       "00112233445566778899AABBCC", "1", dot11_BSS_type_infrastructure, TRUE},
      {"wpa-psk-passphrase.xml", WpaPskRecord(), "ShopNet", "ESS", "WPAPSK", "TKIP", "passPhrase", "shopkeeper2009",
       "<none>", dot11_BSS_type_infrastructure, TRUE},
      {"wpa2-psk-64-digit-key.xml", Wpa2PskHexRecord(), "HomeNet", "ESS", "WPA2PSK", "AES", "networkKey",
       "00112233445566778899AABBCCDDEEFF00112233445566778899AABBCCDDEEFF", "<none>", dot11_BSS_type_infrastructure,
       TRUE},
      {"adhoc-wpa2-psk.xml", AdhocWpa2PskRecord(), "Gathering", "IBSS", "WPA2PSK", "AES", "passPhrase",
       "party time 2009", "<none>", dot11_BSS_type_independent, TRUE},
  };
  for (const auto& c : cases) {
    const Built b = Build(c.record);
    ExpectGolden(c.golden, b.profile);
    const Xml xml(b.profile);
    ASSERT_TRUE(xml.wellFormed()) << c.golden;
    EXPECT_EQ(xml.text("/p:WLANProfile/p:name"), c.ssid) << c.golden;
    EXPECT_EQ(xml.text("/p:WLANProfile/p:SSIDConfig/p:SSID/p:name"), c.ssid) << c.golden;
    EXPECT_EQ(xml.text("/p:WLANProfile/p:connectionType"), c.connectionType) << c.golden;
    EXPECT_EQ(xml.text(std::string(kAuth) + "p:authentication"), c.authentication) << c.golden;
    EXPECT_EQ(xml.text(std::string(kAuth) + "p:encryption"), c.encryption) << c.golden;
    EXPECT_EQ(xml.text(std::string(kAuth) + "p:useOneX"), "false") << c.golden;
    EXPECT_EQ(xml.text(std::string(kKey) + "p:keyType"), c.keyType) << c.golden;
    EXPECT_EQ(xml.text(std::string(kKey) + "p:keyMaterial"), c.keyMaterial) << c.golden;
    EXPECT_EQ(xml.text("/p:WLANProfile/p:MSM/p:security/p:keyIndex"), c.keyIndex) << c.golden;
    EXPECT_EQ(Utf8(b.xml.profileName), c.ssid);
    EXPECT_EQ(b.xml.bssType, c.bssType) << c.golden;
    EXPECT_EQ(b.xml.secured, c.secured) << c.golden;
    EXPECT_TRUE(b.xml.userXml.empty()) << c.golden;
  }
}

TEST(WlanProfileXmlTest, EnterpriseNetworksMatchTheirGoldenDocuments) {
  const struct {
    const char* golden;
    _PROFILE_DATA record;
    const char* userGolden;  // null: no user data
  } cases[] = {
      {"peap-mschapv2-validated.xml", PeapMsChapV2Record(true), "peap-mschapv2.user.xml"},
      {"peap-mschapv2.xml", PeapMsChapV2Record(false), "peap-mschapv2.user.xml"},
      {"peap-tls.xml", PeapTlsRecord(), "peap-tls.user.xml"},
      {"eap-tls-smart-card.xml", EapTlsSmartCardRecord(), nullptr},
  };
  for (const auto& c : cases) {
    const Built b = Build(c.record);
    ExpectGolden(c.golden, b.profile);
    const Xml xml(b.profile);
    ASSERT_TRUE(xml.wellFormed()) << c.golden;
    EXPECT_EQ(xml.text(std::string(kAuth) + "p:useOneX"), "true") << c.golden;
    EXPECT_EQ(xml.text("/p:WLANProfile/p:MSM/p:security/p:sharedKey"), "<none>") << "no shared key with 802.1X";
    EXPECT_EQ(xml.text(std::string(kOneX) + "onex:authMode"), "user");
    if (c.userGolden) {
      ExpectGolden(c.userGolden, b.user);
      EXPECT_TRUE(Xml(b.user).wellFormed()) << c.userGolden;
    } else {
      EXPECT_TRUE(b.user.empty()) << c.golden;
    }
  }

  const std::string host = std::string(kOneX) + "onex:EAPConfig/host:EapHostConfig/";
  const std::string peapType = host + "host:Config/base:Eap/peap:EapType/";
  const Xml validated(Build(PeapMsChapV2Record(true)).profile);
  EXPECT_EQ(validated.text(host + "host:EapMethod/common:Type"), "25");
  EXPECT_EQ(validated.text(peapType + "peap:ServerValidation/peap:ServerNames"), "radius.corp.example");
  EXPECT_EQ(validated.text(peapType + "peap:ServerValidation/peap:TrustedRootCA"),
            "a0a1a2a3a4a5a6a7a8a9aaabacadaeafb0b1b2b3");
  EXPECT_EQ(validated.text(peapType + "base:Eap/base:Type"), "26");
  EXPECT_EQ(validated.text(peapType + "base:Eap/chap:EapType/chap:UseWinLogonCredentials"), "false");
  const Xml unvalidated(Build(PeapMsChapV2Record(false)).profile);
  EXPECT_EQ(unvalidated.text(peapType + "peap:ServerValidation"), "<none>");
  EXPECT_EQ(unvalidated.text(peapType + "peap:FastReconnect"), "true");

  const Xml user(Build(PeapMsChapV2Record(true)).user);
  const std::string inner = "/cred:EapHostUserCredentials/cred:Credentials/ubase:Eap/upeap:EapType/";
  EXPECT_EQ(user.text(inner + "upeap:RoutingIdentity"), "anonymous");
  EXPECT_EQ(user.text(inner + "ubase:Eap/uchap:EapType/uchap:Username"), "dana");
  EXPECT_EQ(user.text(inner + "ubase:Eap/uchap:EapType/uchap:Password"), "s3cret&<pw>") << "escaped and read back";

  const Xml tls(Build(PeapTlsRecord()).user);
  EXPECT_EQ(tls.text(inner + "ubase:Eap/utls:EapType/utls:UserCert"), "101112131415161718191a1b1c1d1e1f20212223");
  const Xml smartCard(Build(EapTlsSmartCardRecord()).profile);
  const std::string tlsType = host + "host:Config/base:Eap/tls:EapType/";
  EXPECT_EQ(smartCard.text(tlsType + "tls:CredentialsSource/tls:SmartCard"), "");
  EXPECT_EQ(smartCard.text(tlsType + "tls:ServerValidation/tls:ServerNames"), "radius.corp.example");

  // An outer method without an EAP configuration writes no OneX element.
  _PROFILE_DATA fast = EnterpriseRecord(3, 26);
  const Built noEap = Build(fast);
  EXPECT_EQ(Xml(noEap.profile).text("/p:WLANProfile/p:MSM/p:security/onex:OneX"), "<none>");
  EXPECT_TRUE(noEap.xml.userXml.empty());
}

TEST(WlanProfileXmlTest, TheStrongestOpenInfrastructureNetworkOfTheSiteListNamesAnEmptySsidRecord) {
  std::vector<Bytes> records;
  auto add = [&records](const char* ssid, LONG rssi, DWORD infrastructure, DWORD privacy, const Bytes& elements) {
    BssRecordFields s;
    s.ssid = ssid;
    s.rssi = rssi;
    s.infrastructure = infrastructure;
    s.privacy = privacy;
    s.elements = elements;
    records.push_back(BssRecord(s));
  };
  const Bytes rsn = Element(48, {1, 0, 0x00, 0x0F, 0xAC, 4, 1, 0, 0x00, 0x0F, 0xAC, 4, 1, 0, 0x00, 0x0F, 0xAC, 2});
  add("Secured", -30, 1, 1, rsn);
  add("Party", -35, 0, 0, {});        // ad hoc
  add("OldRouter", -38, 1, 1, {});    // WEP: no element, but privacy
  add("CafeFree", -67, 1, 0, {});
  add("Library", -55, 1, 0, {});
  add("Faint", -300, 1, 0, {});
  BssidSiteList = std::make_unique<BYTE[]>(kBssListSize);
  const Bytes list = BssList(records, kBssListSize);
  std::copy(list.begin(), list.end(), BssidSiteList.get());

  _PROFILE_DATA p;
  p.UseBssid = 2;
  p.AuthMode = 7;
  p.CipherMode = 6;
  p.Use8021X = 1;
  const Built b = Build(p);
  ExpectGolden("empty-ssid-strongest-open.xml", b.profile);
  const Xml xml(b.profile);
  ASSERT_TRUE(xml.wellFormed());
  EXPECT_EQ(xml.text("/p:WLANProfile/p:name"), "Library");
  EXPECT_EQ(xml.text("/p:WLANProfile/p:connectionMode"), "manual");
  EXPECT_EQ(xml.text(std::string(kAuth) + "p:authentication"), "open");
  EXPECT_EQ(xml.text(std::string(kAuth) + "p:useOneX"), "false");
  EXPECT_EQ(b.xml.connectKind, 2u);
  EXPECT_EQ(b.xml.bssType, dot11_BSS_type_infrastructure);
  EXPECT_FALSE(b.xml.secured);
  EXPECT_TRUE(b.xml.userXml.empty());

  // Nothing open around: an empty name.
  records.erase(records.begin() + 3, records.end());
  const Bytes secured = BssList(records, kBssListSize);
  std::copy(secured.begin(), secured.end(), BssidSiteList.get());
  EXPECT_TRUE(Build(p).xml.profileName.empty());
  BssidSiteList.reset();
  EXPECT_TRUE(Build(p).xml.profileName.empty()) << "no site list";
}

TEST(WlanProfileXmlTest, EdgesOfTheSharedKeyAndTheNameTexts) {
  _PROFILE_DATA amp = OpenRecord();
  SetSsid(amp, "Tom & Jerry's");
  Built b = Build(amp);
  EXPECT_NE(b.profile.find("<name><![CDATA[Tom & Jerry's]]></name>"), std::string::npos);
  EXPECT_NE(b.profile.find("<name>Tom&#32;&amp;&#32;Jerry&apos;s</name>"), std::string::npos);
  EXPECT_NE(b.profile.find("<hex>546F6D2026204A657272792773</hex>"), std::string::npos);

  _PROFILE_DATA low = OpenRecord();
  SetSsid(low, std::string("\x05Net", 4));
  b = Build(low);
  EXPECT_NE(b.profile.find("<hex>054E6574</hex>"), std::string::npos) << "two digits per byte";
  EXPECT_NE(b.profile.find("<![CDATA[_Net]]>"), std::string::npos) << "the control byte becomes _ in the name";
  EXPECT_NE(b.profile.find("<name>Net</name>"), std::string::npos) << "and is left out of the name element";
  EXPECT_EQ(std::string(WlanProfileNameOfSsid(low.Ssid.Ssid, low.Ssid.SsidLength)), "_Net");

  _PROFILE_DATA noTransmit = WepRecord();
  noTransmit.WepKey[1] = MakeNdisKeyBlock(1, noTransmit.WepKey[0].data() + 32, 5);
  b = Build(noTransmit);
  EXPECT_NE(b.profile.find("<sharedKey><keyType>networkKey</keyType><protected>false</protected></sharedKey>"),
            std::string::npos);
  EXPECT_EQ(b.profile.find("keyIndex"), std::string::npos);

  _PROFILE_DATA tkipWithoutKey = Infrastructure("Shop", 3, 4);
  b = Build(tkipWithoutKey);
  EXPECT_NE(b.profile.find("<keyType>passPhrase</keyType><protected>false</protected></sharedKey>"),
            std::string::npos);
  _PROFILE_DATA auto2 = Infrastructure("Auto", 2, 0);
  b = Build(auto2);
  EXPECT_NE(b.profile.find("<encryption>none</encryption>"), std::string::npos);
  EXPECT_TRUE(b.xml.secured);
  _PROFILE_DATA unsecured = Infrastructure("Open", 0, 2);
  EXPECT_FALSE(Build(unsecured).xml.secured) << "cipher 2: key absent";
  unsecured.NetworkType = 2;
  EXPECT_EQ(Build(unsecured).xml.bssType, dot11_BSS_type_any);
}

TEST(WlanProfileXmlTest, AwkwardTextsStayWellFormedAndWhole) {
  // Escaping grows every character of these texts up to sixfold.
  _PROFILE_DATA p = Infrastructure("]]>\x01\x1F<&>\"' x]]>", 7, 6);
  SetWpaKey(p, std::string(63, '&'));
  Built b = Build(p);
  Xml xml(b.profile);
  ASSERT_TRUE(xml.wellFormed()) << b.profile;
  EXPECT_EQ(xml.text("/p:WLANProfile/p:name"), "]]>__<&>\"' x]]>");
  EXPECT_EQ(Utf8(b.xml.profileName), "]]>__<&>\"' x]]>");
  EXPECT_EQ(xml.text("/p:WLANProfile/p:SSIDConfig/p:SSID/p:name"), "]]><&>\"' x]]>");
  EXPECT_EQ(xml.text("/p:WLANProfile/p:SSIDConfig/p:SSID/p:hex"), "5D5D3E011F3C263E222720785D5D3E");
  EXPECT_EQ(xml.text(std::string(kKey) + "p:keyMaterial"), std::string(63, '&'));
  EXPECT_EQ(std::string(WlanProfileNameOfSsid(p.Ssid.Ssid, p.Ssid.SsidLength)), Utf8(b.xml.profileName));

  _PROFILE_DATA e = PeapMsChapV2Record(true);
  SetText(e.ServerName, std::string(255, '"'));  // 1530 characters escaped
  SetText(e.TunnelPassword, std::string(127, '\''));
  SetText(e.Identity, std::string(127, ' '));
  e.ServerCertLen = 100000;  // more than the field holds
  b = Build(e);
  xml = Xml(b.profile);
  ASSERT_TRUE(xml.wellFormed());
  const std::string peapType =
      std::string(kOneX) + "onex:EAPConfig/host:EapHostConfig/host:Config/base:Eap/peap:EapType/";
  EXPECT_EQ(xml.text(peapType + "peap:ServerValidation/peap:ServerNames"), std::string(255, '"'));
  EXPECT_EQ(xml.text(peapType + "peap:ServerValidation/peap:TrustedRootCA").size(), 304u) << "152 bytes at most";
  const Xml user(b.user);
  ASSERT_TRUE(user.wellFormed());
  const std::string inner = "/cred:EapHostUserCredentials/cred:Credentials/ubase:Eap/upeap:EapType/";
  EXPECT_EQ(user.text(inner + "ubase:Eap/uchap:EapType/uchap:Password"), std::string(127, '\''));
  EXPECT_EQ(user.text(inner + "upeap:RoutingIdentity"), std::string(127, ' '));

  // Control bytes XML cannot carry are left out of texts; TAB, LF and CR stay.
  SetText(e.TunnelPassword, "a\x01" "b\rc\td\ne\x1f");
  SetText(e.ServerName, "\x02radius\x0b");
  b = Build(e);
  const Xml controls(b.user);
  ASSERT_TRUE(controls.wellFormed());
  EXPECT_EQ(controls.text(inner + "ubase:Eap/uchap:EapType/uchap:Password"), "ab\rc\td\ne");
  ASSERT_TRUE(Xml(b.profile).wellFormed());
  EXPECT_EQ(Xml(b.profile).text(peapType + "peap:ServerValidation/peap:ServerNames"), "radius");
  _PROFILE_DATA tab = OpenRecord();
  SetSsid(tab, "Tab\tand\rCR");
  b = Build(tab);
  EXPECT_EQ(Xml(b.profile).text("/p:WLANProfile/p:SSIDConfig/p:SSID/p:name"), "Tab\tand\rCR");
  EXPECT_EQ(Utf8(b.xml.profileName), "Tab_and_CR");
}

}  // namespace
}  // namespace worker::testing
