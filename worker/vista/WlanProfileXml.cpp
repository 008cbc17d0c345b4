#include "worker/WlanProfileXml.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "worker/BssInfoElements.h"
#include "worker/LeBytes.h"
#include "worker/NdisBssid.h"
#include "worker/WorkerGlobals.h"

namespace {

constexpr char kNsProfile[] = "http://www.microsoft.com/networking/WLAN/profile/v1";
constexpr char kNsOneX[] = "http://www.microsoft.com/networking/OneX/v1";
constexpr char kNsEapHostConfig[] = "http://www.microsoft.com/provisioning/EapHostConfig";
constexpr char kNsEapCommon[] = "http://www.microsoft.com/provisioning/EapCommon";
constexpr char kNsBaseEapConnection[] = "http://www.microsoft.com/provisioning/BaseEapConnectionPropertiesV1";
constexpr char kNsMsPeapConnection[] = "http://www.microsoft.com/provisioning/MsPeapConnectionPropertiesV1";
constexpr char kNsMsChapV2Connection[] = "http://www.microsoft.com/provisioning/MsChapV2ConnectionPropertiesV1";
constexpr char kNsEapTlsConnection[] = "http://www.microsoft.com/provisioning/EapTlsConnectionPropertiesV1";
constexpr char kNsUserCredentials[] = "http://www.microsoft.com/provisioning/EapHostUserCredentials";
constexpr char kNsBaseEapMethodUser[] = "http://www.microsoft.com/provisioning/BaseEapMethodUserCredentials";
constexpr char kNsEapUser[] = "http://www.microsoft.com/provisioning/EapUserPropertiesV1";
constexpr char kNsXsi[] = "http://www.w3.org/2001/XMLSchema-instance";
constexpr char kNsBaseEapUser[] = "http://www.microsoft.com/provisioning/BaseEapUserPropertiesV1";
constexpr char kNsMsPeapUser[] = "http://www.microsoft.com/provisioning/MsPeapUserPropertiesV1";
constexpr char kNsMsChapV2User[] = "http://www.microsoft.com/provisioning/MsChapV2UserPropertiesV1";
constexpr char kNsEapTlsUser[] = "http://www.microsoft.com/provisioning/EapTlsUserPropertiesV1";

constexpr char kDeclaration[] = "<?xml version=\"1.0\"?>";
constexpr char kCdataOpen[] = "<![CDATA[";
constexpr char kCdataClose[] = "]]>";

constexpr DWORD kEapPeap = 25;
constexpr DWORD kEapMsChapV2 = 26;
constexpr DWORD kEapTls = 13;
constexpr DWORD kOuterPeap = 0;
constexpr DWORD kOuterEapTls = 1;
constexpr size_t kCertificateMax = 152;
constexpr size_t kMaxSsid = 32;
constexpr LONG kNoRssi = -250;

// A byte XML 1.0 cannot carry at all: the control characters but TAB, LF, CR.
bool Uncarriable(BYTE b) { return b < 0x20 && b != '\t' && b != '\n' && b != '\r'; }
// A byte a profile name cannot hold (CDATA keeps no CR, the name no control).
bool UnfitForName(BYTE b) { return b < 0x20; }

// Text of the system code page as UTF-16.
std::u16string Wide(const std::string& text) {
  if (text.empty()) return std::u16string();
  const int length = static_cast<int>(text.size());
  const int needed = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  std::u16string wide(static_cast<size_t>(std::max(needed, 0)), u'\0');
  if (needed > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), needed);
  return wide;
}

// The escape table, in its order: & blank < > " '. Bytes XML cannot carry
// are left out; CR goes as a reference, which keeps it from becoming LF.
std::string Escaped(const char* text, size_t length) {
  std::string out;
  out.reserve(length);
  for (size_t i = 0; i < length; ++i) {
    if (Uncarriable(static_cast<BYTE>(text[i]))) continue;
    switch (text[i]) {
      case '&': out += "&amp;"; break;
      case ' ': out += "&#32;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      case '\r': out += "&#13;"; break;
      default: out += text[i]; break;
    }
  }
  return out;
}

template <size_t N>
std::u16string EscapedField(const char (&field)[N]) {
  return Wide(Escaped(field, strnlen(field, N)));
}

std::string Hex(const BYTE* bytes, size_t count, bool upper) {
  static const char kUpper[] = "0123456789ABCDEF";
  static const char kLower[] = "0123456789abcdef";
  const char* digits = upper ? kUpper : kLower;
  std::string out;
  for (size_t i = 0; i < count; ++i) {
    out += digits[bytes[i] >> 4];
    out += digits[bytes[i] & 15];
  }
  return out;
}

std::u16string Ascii(const char* text) { return std::u16string(text, text + std::strlen(text)); }

// <tag attributes>content</tag>; nothing when the content is empty.
void Element(std::u16string& out, const char* tag, const std::u16string& content, const std::string& attributes = {}) {
  if (content.empty()) return;
  out += u'<';
  out += Ascii(tag);
  if (!attributes.empty()) {
    out += u' ';
    out += Wide(attributes);
  }
  out += u'>';
  out += content;
  out += u"</";
  out += Ascii(tag);
  out += u'>';
}

void Element(std::u16string& out, const char* tag, const char* content, const std::string& attributes = {}) {
  Element(out, tag, Ascii(content), attributes);
}

std::string Namespace(const char* prefix, const char* uri) {
  std::string attribute = prefix ? std::string("xmlns:") + prefix : std::string("xmlns");
  return attribute + "=\"" + uri + "\"";
}

std::string Namespaces(std::initializer_list<std::string> list) {
  std::string out;
  for (const std::string& item : list) out += (out.empty() ? "" : " ") + item;
  return out;
}

std::u16string Number(DWORD value) { return Ascii(std::to_string(value).c_str()); }

// The certificate hash of a record: its length cut to the field.
std::u16string CertificateHex(const BYTE* data, DWORD length) {
  return Ascii(Hex(data, std::min<size_t>(length, kCertificateMax), false).c_str());
}

// The SSID texts: the profile name (uncarriable bytes as "_"), the escaped
// name element (without them) and the hex element.
struct SsidTexts {
  std::string name;
  std::string escapedName;
  std::string hex;
};

SsidTexts MakeSsidTexts(const BYTE* ssid, size_t length) {
  SsidTexts t;
  for (size_t i = 0; i < length; ++i) t.name += UnfitForName(ssid[i]) ? '_' : static_cast<char>(ssid[i]);
  t.escapedName = Escaped(reinterpret_cast<const char*>(ssid), length);
  t.hex = Hex(ssid, length, true);
  return t;
}

// "<![CDATA[" name "]]>", with every "]]>" of the name split across two sections.
std::u16string CdataOf(const std::u16string& name) {
  std::u16string out = Ascii(kCdataOpen);
  const std::u16string close = Ascii(kCdataClose);
  size_t at = 0;
  for (size_t hit = name.find(close); hit != std::u16string::npos; hit = name.find(close, at)) {
    out += name.substr(at, hit + 2 - at);  // up to "]]"
    out += close;
    out += Ascii(kCdataOpen);
    at = hit + 2;  // ">" opens the next section
  }
  out += name.substr(at);
  out += close;
  return out;
}

// msPeap:ServerValidation, msPeap:FastReconnect and msPeap:InnerEapOptional.
std::u16string PeapOuterSettings(const _PROFILE_DATA& p) {
  std::u16string out;
  if (p.UseServerCert == 1) {
    std::u16string validation;
    Element(validation, "msPeap:DisableUserPromptForServerValidation", "true");
    Element(validation, "msPeap:ServerNames", EscapedField(p.ServerName));
    Element(validation, "msPeap:TrustedRootCA", CertificateHex(p.ServerCertData, p.ServerCertLen));
    Element(out, "msPeap:ServerValidation", validation);
  }
  Element(out, "msPeap:FastReconnect", "true");
  Element(out, "msPeap:InnerEapOptional", "0");
  return out;
}

// eapTls:CredentialsSource: the smart card or the certificate store.
std::u16string TlsCredentialsSource(const _PROFILE_DATA& p) {
  std::u16string source;
  if (p.UseSmartCard == 1) {
    source = u"<eapTls:SmartCard></eapTls:SmartCard>";
  } else {
    std::u16string store;
    Element(store, "eapTls:SimpleCertSelection", "false");
    Element(source, "eapTls:CertificateStore", store);
  }
  std::u16string out;
  Element(out, "eapTls:CredentialsSource", source);
  return out;
}

// The EAP host configuration of the OneX element (empty: none).
std::u16string EapConfiguration(const _PROFILE_DATA& p) {
  const bool peap = p.AuthenProtocol == kOuterPeap &&
                    (p.TunnelProtocol == kEapMsChapV2 || p.TunnelProtocol == kEapTls);
  const bool tls = p.AuthenProtocol == kOuterEapTls;
  if (!peap && !tls) return std::u16string();

  std::u16string method;
  if (peap) {
    Element(method, "eapCommon:Type", Number(kEapPeap));
    Element(method, "eapCommon:VendorId", "0");
    Element(method, "eapCommon:VendorType", "0");
    Element(method, "eapCommon:AuthorId", "0");
  } else {
    Element(method, "eapCommon:Type", Number(kEapTls));
    Element(method, "eapCommon:AuthorId", "0");
  }

  std::u16string eapType;
  if (peap) {
    std::u16string inner;
    if (p.TunnelProtocol == kEapMsChapV2) {
      std::u16string chap;
      Element(chap, "msChapV2:UseWinLogonCredentials", "false");
      Element(inner, "baseEap:Type", Number(kEapMsChapV2));
      Element(inner, "msChapV2:EapType", chap);
    } else {
      std::u16string tlsType = TlsCredentialsSource(p);
      Element(tlsType, "eapTls:DifferentUsername", "false");
      Element(inner, "baseEap:Type", Number(kEapTls));
      Element(inner, "eapTls:EapType", tlsType);
    }
    std::u16string peapType = PeapOuterSettings(p);
    Element(peapType, "baseEap:Eap", inner);
    Element(eapType, "baseEap:Type", Number(kEapPeap));
    Element(eapType, "msPeap:EapType", peapType);
  } else {
    std::u16string tlsType = TlsCredentialsSource(p);
    if (p.UseServerCert == 1) {
      std::u16string validation;
      Element(validation, "eapTls:DisableUserPromptForServerValidation", "true");
      Element(validation, "eapTls:ServerNames", EscapedField(p.ServerName));
      Element(validation, "eapTls:TrustedRootCA", CertificateHex(p.ServerCertData, p.ServerCertLen));
      Element(tlsType, "eapTls:ServerValidation", validation);
    }
    Element(eapType, "baseEap:Type", Number(kEapTls));
    Element(eapType, "eapTls:EapType", tlsType);
  }
  std::u16string config;
  Element(config, "baseEap:Eap", eapType);

  std::u16string host;
  Element(host, "EapMethod", method);
  Element(host, "Config", config,
          Namespaces({Namespace("baseEap", kNsBaseEapConnection), Namespace("msPeap", kNsMsPeapConnection),
                      Namespace("msChapV2", kNsMsChapV2Connection), Namespace("eapTls", kNsEapTlsConnection)}));
  std::u16string hostConfig;
  Element(hostConfig, "EapHostConfig", host,
          Namespaces({Namespace(nullptr, kNsEapHostConfig), Namespace("eapCommon", kNsEapCommon)}));
  std::u16string out;
  Element(out, "authMode", "user");
  Element(out, "EAPConfig", hostConfig);
  return out;
}

// The EAP user-credential document (empty: none).
std::u16string UserCredentials(const _PROFILE_DATA& p) {
  const bool peap = p.AuthenProtocol == kOuterPeap &&
                    (p.TunnelProtocol == kEapMsChapV2 || p.TunnelProtocol == kEapTls);
  const bool tls = p.AuthenProtocol == kOuterEapTls && p.UseSmartCard != 1;
  if (!peap && !tls) return std::u16string();

  std::u16string method;
  Element(method, "eapCommon:Type", Number(peap ? kEapPeap : kEapTls));
  Element(method, "eapCommon:AuthorId", "0");

  std::u16string eap;
  std::string methodNamespaces;
  if (peap) {
    std::u16string inner;
    if (p.TunnelProtocol == kEapMsChapV2) {
      std::u16string chap;
      Element(chap, "MsChapV2:Username", EscapedField(p.TunnelID));
      Element(chap, "MsChapV2:Password", EscapedField(p.TunnelPassword));
      chap += u"<MsChapV2:LogonDomain></MsChapV2:LogonDomain>";
      Element(inner, "baseEap:Type", Number(kEapMsChapV2));
      Element(inner, "MsChapV2:EapType", chap);
      methodNamespaces = Namespaces({Namespace("MsPeap", kNsMsPeapUser), Namespace("MsChapV2", kNsMsChapV2User)});
    } else {
      std::u16string tlsUser;
      Element(tlsUser, "eapTls:Username", EscapedField(p.TunnelID));
      Element(tlsUser, "eapTls:UserCert", CertificateHex(p.ClientCertData, p.ClientCertLen));
      Element(inner, "baseEap:Type", Number(kEapTls));
      Element(inner, "eapTls:EapType", tlsUser);
      methodNamespaces = Namespaces({Namespace("MsPeap", kNsMsPeapUser), Namespace("eapTls", kNsEapTlsUser)});
    }
    std::u16string peapUser;
    Element(peapUser, "MsPeap:RoutingIdentity", EscapedField(p.Identity));
    Element(peapUser, "baseEap:Eap", inner);
    Element(eap, "baseEap:Type", Number(kEapPeap));
    Element(eap, "MsPeap:EapType", peapUser);
  } else {
    std::u16string tlsUser;
    Element(tlsUser, "eapTls:Username", EscapedField(p.Identity));
    Element(tlsUser, "eapTls:UserCert", CertificateHex(p.ClientCertData, p.ClientCertLen));
    Element(eap, "baseEap:Type", Number(kEapTls));
    Element(eap, "eapTls:EapType", tlsUser);
    methodNamespaces = Namespace("eapTls", kNsEapTlsUser);
  }
  std::u16string credentials;
  Element(credentials, "baseEap:Eap", eap);

  std::u16string body;
  Element(body, "EapMethod", method);
  Element(body, "Credentials", credentials,
          Namespaces({Namespace("eapUser", kNsEapUser), Namespace("xsi", kNsXsi),
                      Namespace("baseEap", kNsBaseEapUser), methodNamespaces}));
  std::u16string out = Ascii(kDeclaration);
  Element(out, "EapHostUserCredentials", body,
          Namespaces({Namespace(nullptr, kNsUserCredentials), Namespace("eapCommon", kNsEapCommon),
                      Namespace("baseEap", kNsBaseEapMethodUser)}));
  return out;
}

const char* AuthenticationText(DWORD mode) {
  switch (mode) {
    case 1: return "shared";
    case 3: return "WPA";
    case 4:
    case 5: return "WPAPSK";
    case 6: return "WPA2";
    case 7: return "WPA2PSK";
    default: return "open";
  }
}

const char* EncryptionText(DWORD mode, DWORD cipher) {
  if (mode == 0 || mode == 1 || mode == 3 || mode == 6) {
    if (cipher == 0) return "WEP";
  } else if (mode != 4 && mode != 5 && mode != 7) {
    return "none";
  }
  if (cipher == 4) return "TKIP";
  if (cipher == 6) return "AES";
  return "none";
}

// The shared key and key index of a profile without 802.1X.
void SharedKey(const _PROFILE_DATA& p, const std::string& encryption, std::u16string& sharedKey,
               std::u16string& keyIndex) {
  const bool wep = encryption == "WEP";
  const bool wpa = encryption == "TKIP" || encryption == "AES";
  if (!wep && !wpa) return;
  std::u16string keyMaterial;
  if (wep) {
    for (int i = 0; i < 4; ++i) {
      const NdisKeyBlock& block = p.WepKey[i];
      if (block.empty() || !(KeyBlockIndex(block) & kTransmitKeyBit)) continue;
      keyIndex = Number(static_cast<DWORD>(i));
      keyMaterial = Ascii(Hex(KeyBlockMaterial(block), KeyBlockKeyLength(block), true).c_str());
      break;
    }
  } else {
    const size_t length = std::min<size_t>(p.WpaPskLength, sizeof p.WpaPsk);
    keyMaterial = Wide(Escaped(p.WpaPsk, length));
  }
  Element(sharedKey, "keyType", wep || p.WpaPskLength == 64 ? "networkKey" : "passPhrase");
  Element(sharedKey, "protected", "false");
  Element(sharedKey, "keyMaterial", keyMaterial);
}

// The strongest open infrastructure network of the site list, or none.
bool StrongestOpenNetwork(std::string& ssid) {
  using namespace ndis_bssid;
  const BYTE* list = BssidSiteList.get();
  if (!list) return false;
  const DWORD count = GetLeU32(list + kListCount);
  LONG best = kNoRssi;
  bool found = false;
  DWORD at = kListHeadSize;
  for (DWORD i = 0; i < count && at + kHeadSize <= kBssListSize; ++i) {
    const BYTE* record = list + at;
    const DWORD length = GetLeU32(record + kLength);
    if (length < kHeadSize || length > kBssListSize - at) break;
    const LONG rssi = static_cast<LONG>(GetLeU32(record + kRssi));
    if (rssi > best && GetLeU32(record + kInfrastructureMode) == 1 && GetLeU32(record + kPrivacy) == 0 &&
        ParseBssInfoElements(record, kBssListSize - at, kBssTextSecurity) == "Unknown;None") {
      best = rssi;
      found = true;
      const DWORD ssidLength = std::min<DWORD>(GetLeU32(record + kSsidLength), kMaxSsid);
      ssid.assign(reinterpret_cast<const char*>(record + kSsid), ssidLength);
    }
    at += length;
  }
  return found;
}

struct Settings {
  std::string connectionType = "ESS";
  std::string connectionMode = "manual";
  std::string authentication = "open";
  std::string encryption = "none";
  std::string useOneX = "false";
  std::u16string sharedKey;
  std::u16string keyIndex;
  std::u16string oneX;
};

std::u16string ProfileDocument(const WLAN_PROFILE_XML& out, const SsidTexts& ssid, const Settings& s) {
  std::u16string ssidElement;
  Element(ssidElement, "hex", Ascii(ssid.hex.c_str()));
  Element(ssidElement, "name", Wide(ssid.escapedName));
  std::u16string ssidConfig;
  Element(ssidConfig, "SSID", ssidElement);
  if (s.connectionType == "ESS") Element(ssidConfig, "nonBroadcast", "true");

  std::u16string authEncryption;
  Element(authEncryption, "authentication", s.authentication.c_str());
  Element(authEncryption, "encryption", s.encryption.c_str());
  Element(authEncryption, "useOneX", s.useOneX.c_str());
  std::u16string security;
  Element(security, "authEncryption", authEncryption);
  Element(security, "sharedKey", s.sharedKey);
  Element(security, "keyIndex", s.keyIndex);
  Element(security, "OneX", s.oneX, Namespace(nullptr, kNsOneX));
  std::u16string msm;
  Element(msm, "security", security);

  std::u16string body;
  Element(body, "name", out.nameElement);
  Element(body, "SSIDConfig", ssidConfig);
  Element(body, "connectionType", s.connectionType.c_str());
  Element(body, "connectionMode", s.connectionMode.c_str());
  Element(body, "autoSwitch", "false");
  Element(body, "MSM", msm);
  std::u16string document = Ascii(kDeclaration);
  Element(document, "WLANProfile", body, Namespace(nullptr, kNsProfile));
  return document;
}

}  // namespace

CString WlanProfileNameOfSsid(const BYTE* ssid, DWORD length) {
  const SsidTexts texts = MakeSsidTexts(ssid, std::min<size_t>(length, kMaxSsid));
  return CString(texts.name.data(), static_cast<int>(texts.name.size()));
}

void BuildWlanProfileXml(const _PROFILE_DATA& p, WLAN_PROFILE_XML& out) {
  out = WLAN_PROFILE_XML{};
  Settings s;
  SsidTexts ssid;
  if (p.Ssid.SsidLength != 0) {
    ssid = MakeSsidTexts(p.Ssid.Ssid, std::min<size_t>(p.Ssid.SsidLength, kMaxSsid));
    s.connectionType = p.NetworkType ? "ESS" : "IBSS";
    s.connectionMode = p.NetworkType ? "auto" : "manual";
    s.authentication = AuthenticationText(p.AuthMode);
    s.encryption = EncryptionText(p.AuthMode, p.CipherMode);
    s.useOneX = p.Use8021X == 1 ? "true" : "false";
    if (p.Use8021X == 0) SharedKey(p, s.encryption, s.sharedKey, s.keyIndex);
    if (p.Use8021X == 1) {
      s.oneX = EapConfiguration(p);
      out.userXml = UserCredentials(p);
    }
    out.bssType = p.NetworkType == 0   ? dot11_BSS_type_independent
                  : p.NetworkType == 1 ? dot11_BSS_type_infrastructure
                                       : dot11_BSS_type_any;
    out.secured = p.Use8021X || p.AuthMode != 0 || (p.CipherMode != 1 && p.CipherMode != 2 && p.CipherMode != 3);
  } else {
    std::string open;
    StrongestOpenNetwork(open);
    ssid = MakeSsidTexts(reinterpret_cast<const BYTE*>(open.data()), open.size());
    out.bssType = dot11_BSS_type_infrastructure;
    out.secured = FALSE;
  }
  out.connectKind = p.UseBssid;
  out.profileName = Wide(ssid.name);
  out.nameElement = CdataOf(out.profileName);
  out.profileXml = ProfileDocument(out, ssid, s);
}
