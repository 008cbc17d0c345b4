#include "xp/supplicant/Credentials.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "worker/HexStringToBytes.h"
#include "worker/Settings.h"
#include "xp/supplicant/PortManager.h"
#include "xp/supplicant/UiRequestThread.h"

namespace {

constexpr uint32_t kBandBits = AC_CAP_80211A | AC_CAP_80211B | AC_CAP_80211G | AC_CAP_80211N;
constexpr uint32_t kAuthShared = 1, kAuthOpen = 2, kAuthWpa = 10, kAuthWpaPsk = 11, kAuthWpa2 = 20, kAuthWpa2Psk = 21;
constexpr uint32_t kCipherNone = 1, kCipherWep = 2, kCipherTkip = 3, kCipherAes = 4;
constexpr uint32_t kEapTypeByMethod[] = {kEapTypePeap, kEapTypeTls, kEapTypeTtls, kEapTypeFast, kEapTypeMd5, kEapTypeLeap};
constexpr DWORD kPskHexLength = 64;
constexpr int kDebugLevels = 18;
constexpr size_t kFieldSize = 256;
constexpr size_t kNotificationSize = 256;
constexpr size_t kAidSize = 128;
constexpr uint32_t kAnyMethod = 255;

_PM_PORT* Port() { return GetCurrentPort(); }

size_t TextLength(const char* text, size_t size) { return strnlen(text, size); }

bool IsPasswordMethod(uint32_t method) { return method == 6 || method == 13 || method == 26; }

// The profile's domain: the LEAP domain field, cut to the 128 bytes of the
// port's texts.
std::string ProfileDomain(const _PROFILE_DATA& p) {
  return std::string(p.LeapDomain, TextLength(p.LeapDomain, kCredentialTextSize));
}

void CreateOuterIdentity(_PM_PORT* port, const _PROFILE_DATA& p) {
  PM_PORT_CONFIG& c = port->Config;
  std::string identity(p.Identity, TextLength(p.Identity, sizeof p.Identity));
  const std::string domain = ProfileDomain(p);
  if (!domain.empty()) identity = domain + "\\" + identity;
  identity.resize(std::min(identity.size(), sizeof c.OuterIdentityText));
  std::memset(c.OuterIdentityText, 0, sizeof c.OuterIdentityText);
  std::memcpy(c.OuterIdentityText, identity.data(), identity.size());
  c.OuterIdentity = CreateTextObject(acIdentityCreate, c.OuterIdentityText, sizeof c.OuterIdentityText);
}

void CreateInnerCredentials(_PM_PORT* port, const _PROFILE_DATA& p) {
  port->Config.InnerIdentity = CreateTextObject(acIdentityCreate, p.TunnelID, sizeof p.TunnelID);
  port->Config.Password = CreateTextObject(acPasswordCreate, p.TunnelPassword, sizeof p.TunnelPassword);
}

// A certificate field of the profile (its subject name) as the library's URL.
void CertificateUrl(int kind, const BYTE* data, DWORD length, size_t limit, char* url, uint32_t size) {
  const std::string subject(reinterpret_cast<const char*>(data), strnlen(reinterpret_cast<const char*>(data),
                                                                          std::min<size_t>(length, limit)));
  if (subject.empty() || acCertUrlWin32String(kind, subject.c_str(), url, size) != AC_OK) url[0] = 0;
}

void CreateCertificates(_PM_PORT* port, const _PROFILE_DATA& p) {
  PM_PORT_CONFIG& c = port->Config;
  if (p.UseClientCert) {
    char url[kFieldSize] = {};
    CertificateUrl(AC_CERT_URL_MY, p.ClientCertData, p.ClientCertLen, sizeof p.ClientCertData, url, sizeof url);
    char subject[kFieldSize] = {};
    AC_OBJECT cert = 0;
    if (url[0] && acCertCreate(&cert, url, static_cast<uint32_t>(std::strlen(url))) == AC_OK) {
      acCertGetField(cert, AC_CERT_FIELD_SUBJECT, subject, sizeof subject);
      c.Certificate = cert;
    }
  }
  if (p.UseServerCert) {
    c.ChainCheck = p.IntermediateCert ? 1 : 0;
    const size_t nameLength = TextLength(p.ServerName, sizeof p.ServerName);
    char* name = p.NameRule ? c.DomainCheckName : c.FieldCheckName;
    std::memcpy(name, p.ServerName, std::min(nameLength, kServerNameSize - 1));
    (p.NameRule ? c.DomainCheck : c.FieldCheck) = nameLength ? 1 : 0;
    CertificateUrl(AC_CERT_URL_ROOT, p.ServerCertData, p.ServerCertLen, sizeof p.ServerCertData, c.TrustedCa,
                   sizeof c.TrustedCa);
  }
}

// Defers the request and hands it to the request thread.
int DeferToUiThread(_PM_PORT* port, AC_CRED_REQUEST* request) {
  acCredDeferred(port->Handle, request);
  return PostCredRequest(request, port);
}

std::vector<uint32_t> MethodEntries(std::initializer_list<uint32_t> types) {
  std::vector<uint32_t> entries;
  for (uint32_t t : types) entries.insert(entries.end(), {0u, t});
  return entries;
}

void AnswerEapMethods(_PM_PORT* port, AC_CRED_REQUEST* r) {
  const PM_PORT_CONFIG& c = port->Config;
  uint32_t offered = 0;
  acCredGetEapMethod(port->Handle, r, &offered);
  uint32_t method = c.EapType;
  if (r->phase) {
    method = c.InnerMethod;
    if (c.EapType == kEapTypeFast) {
      char value[8] = "";
      GetModuleIniString("Advance", "EAPFastEnhancement", "0", value, sizeof value, "ini");
      uint32_t mode = 0;
      if (std::strcmp(value, "1") == 0 || (acCredGetEapFASTMode(port->Handle, r, &mode) == AC_OK && mode == 1))
        method = c.InnerMethod2;
    }
  }
  if (method == kAnyMethod) method = offered;
  const std::vector<uint32_t> entries = MethodEntries({method});
  acCredEapMethods(port->Handle, r, entries.data(), 1, 1);
  acCredComplete(port->Handle, r);
}

void AnswerPacTypes(_PM_PORT* port, AC_CRED_REQUEST* r) {
  uint8_t aid[kAidSize] = {};
  uint32_t aidLength = 0;
  acCredGetEapFASTAID(port->Handle, r, aid, sizeof aid, &aidLength);
  int choice = port->Config.FastChoice1;
  if (choice == -1) {
    uint32_t mode = 0;
    acCredGetEapFASTMode(port->Handle, r, &mode);
    choice = mode == 3 ? 0 : 1;
  }
  std::vector<uint32_t> types;
  if (choice == 1) types = {1};
  if (choice == 2) types = {2};
  if (choice == 9) types = {1, 2};
  acCredEapFASTPacTypes(port->Handle, r, types.data(), static_cast<uint32_t>(types.size()));
  acCredComplete(port->Handle, r);
}

void AnswerProvisionModes(_PM_PORT* port, AC_CRED_REQUEST* r) {
  std::vector<uint32_t> modes;
  const int choice = port->Config.FastChoice2;
  if (choice == 1) modes = {2};
  if (choice == 2) modes = {1};
  if (choice == 9) modes = {2, 1};
  acCredEapFASTProvisionModes(port->Handle, r, modes.data(), static_cast<uint32_t>(modes.size()));
  acCredComplete(port->Handle, r);
}

}  // namespace

AC_OBJECT CreateTextObject(int (*create)(AC_OBJECT*, const char*, uint32_t), const char* text, size_t size) {
  const size_t length = TextLength(text, size);
  AC_OBJECT object = 0;
  if (length == 0 || create(&object, text, static_cast<uint32_t>(length)) != AC_OK) return 0;
  return object;
}

void SupplicantApplyConfig() {
  _PM_PORT* port = Port();
  if (!port || !SupplicantGetCurrentProfile()) return;
  DestroyCredentials();
  SupplicantSetupPort();
  port->Config.Word8 = 8;
  port->Config.Word1 = 1;
  for (int level = 1; level <= kDebugLevels; ++level) acDebugEnable(level, 1);
}

void DestroyCredentials() {
  _PM_PORT* port = Port();
  if (!port) return;
  PM_PORT_CONFIG& c = port->Config;
  if (c.PskObject) acRsnPskDestroy(c.PskObject);
  for (AC_OBJECT identity : {c.OuterIdentity, c.InnerIdentity, c.MachineIdentity})
    if (identity) acIdentityDestroy(identity);
  if (c.Password) acPasswordDestroy(c.Password);
  if (c.Certificate) acCertDestroy(c.Certificate);
  c = PM_PORT_CONFIG{};
}

void SupplicantSetupPort() {
  _PM_PORT* port = Port();
  const _PROFILE_DATA* p = SupplicantGetCurrentProfile();
  if (!port || !p) return;
  PM_PORT_CONFIG& c = port->Config;
  c.Authenticate = 0;
  c.BssMode = p->NetworkType ? 1 : 2;
  if (port->Attr.capabilities & kBandBits) {
    c.Authenticate = 1;
    acPortDisassociate(port->Handle);
    FillAssociation();
    if (c.Association.authMode == kAuthWpaPsk || c.Association.authMode == kAuthWpa2Psk) {
      c.Psk = 1;
      return;
    }
  }
  c.InnerMethod = 0;
  c.InnerMethod2 = 0;
  c.EapType = p->AuthenProtocol < std::size(kEapTypeByMethod) ? kEapTypeByMethod[p->AuthenProtocol] : 0;
  if (c.EapType == kEapTypePeap || c.EapType == kEapTypeFast) {
    c.InnerMethod = p->TunnelProtocol;
    c.InnerMethod2 = p->ProvisioningTunnel;
  }
  if (c.EapType == kEapTypeTtls) c.TtlsInner = p->TunnelProtocol2;
  if (c.EapType == kEapTypeFast) {
    c.FastChoice1 = p->UsePAC == 1 ? 1 : 0;
    c.FastChoice2 = p->ProvisionMode != 1 ? 1 : 2;
  }
  CreateCredentials();
}

void FillAssociation() {
  _PM_PORT* port = Port();
  const _PROFILE_DATA* p = SupplicantGetCurrentProfile();
  if (!port || !p) return;
  AC_ASSOCIATION& a = port->Config.Association;
  const uint32_t length = std::min<uint32_t>(p->Ssid.SsidLength, sizeof a.ssid);
  std::memset(a.ssid, 0, sizeof a.ssid);
  std::memcpy(a.ssid, p->Ssid.Ssid, length);
  a.ssidLength = length;
  switch (p->AuthMode) {
    case 1: a.authMode = kAuthShared; break;
    case 3: a.authMode = kAuthWpa; break;
    case 4:
    case 5: a.authMode = kAuthWpaPsk; break;
    case 6: a.authMode = kAuthWpa2; break;
    case 7: a.authMode = kAuthWpa2Psk; break;
    default: a.authMode = kAuthOpen; break;
  }
  const DWORD encryption = p->CipherMode;
  if (a.authMode == kAuthWpaPsk || a.authMode == kAuthWpa2Psk) CreatePsk();
  if (encryption == 0 && a.authMode != kAuthWpaPsk && a.authMode != kAuthWpa2Psk) a.cipher = kCipherWep;
  if (encryption >= 1 && encryption <= 3 && a.authMode != kAuthWpaPsk && a.authMode != kAuthWpa2Psk)
    a.cipher = kCipherNone;
  if (encryption == 4) a.cipher = kCipherTkip;
  if (encryption == 6) a.cipher = kCipherAes;
  if (port->Attr.ccxVersion > 0) {
    acCcxRadioCfg(port->Handle, 15);
    acCcxRogueApTimeout(port->Handle, 30);
    acCcxEnable(port->Handle, 1);
  }
}

void CreatePsk() {
  _PM_PORT* port = Port();
  const _PROFILE_DATA* p = SupplicantGetCurrentProfile();
  if (!port || !p) return;
  PM_PORT_CONFIG& c = port->Config;
  if (c.PskObject) acRsnPskDestroy(c.PskObject);
  c.PskObject = 0;
  // The pass phrase field holds 64 bytes: a longer length names bytes that
  // are not there, and makes no key.
  const DWORD length = p->WpaPskLength;
  if (length > sizeof p->WpaPsk) return;
  if (length == kPskHexLength) {
    BYTE key[32] = {};
    HexStringToBytes(p->WpaPsk, key, sizeof key);
    acRsnBinPskCreate(&c.PskObject, key, sizeof key);
  } else {
    acRsnPskCreate(&c.PskObject, p->WpaPsk, length, p->Ssid.Ssid, std::min<uint32_t>(p->Ssid.SsidLength, 32));
  }
}

void CreateCredentials() {
  _PM_PORT* port = Port();
  const _PROFILE_DATA* p = SupplicantGetCurrentProfile();
  if (!port || !p) return;
  PM_PORT_CONFIG& c = port->Config;
  CreateOuterIdentity(port, *p);
  switch (c.EapType) {
    case kEapTypeMd5: c.Password = CreateTextObject(acPasswordCreate, p->Password, sizeof p->Password); break;
    case kEapTypeTls: CreateCertificates(port, *p); break;
    case kEapTypeLeap:
      c.Password = CreateTextObject(acPasswordCreate, p->TunnelPassword, sizeof p->TunnelPassword);
      if (c.Association.cipher == kCipherWep) c.Association.authMode = kAuthOpen;
      if (c.Association.cipher == kCipherTkip) c.Association.authMode = kAuthWpa;
      if (c.Association.cipher == kCipherAes) c.Association.authMode = kAuthWpa2;
      break;
    case kEapTypeTtls:
      CreateCertificates(port, *p);
      if (c.TtlsInner >= 1 && c.TtlsInner <= 5) CreateInnerCredentials(port, *p);
      break;
    case kEapTypePeap:
      CreateCertificates(port, *p);
      if (IsPasswordMethod(c.InnerMethod)) CreateInnerCredentials(port, *p);
      break;
    case kEapTypeFast:
      CreateCertificates(port, *p);
      if (IsPasswordMethod(c.InnerMethod) || IsPasswordMethod(c.InnerMethod2)) CreateInnerCredentials(port, *p);
      break;
    default: break;
  }
  if (c.EapType != kEapTypeMd5) c.Session = p->SessionResumption ? 0 : 1;
}

int SupplicantCredentialCallback(void* context, AC_CRED_REQUEST* r) {
  auto* port = static_cast<_PM_PORT*>(context);
  if (!port || !r) return 0;
  const PM_PORT_CONFIG& c = port->Config;
  const AC_HANDLE h = port->Handle;
  switch (r->kind) {
    case AC_REQ_SESSION_START:
      if (c.EapType == kEapTypeSim) acCredEapSIM(h, r, c.SimObject);
      return DeferToUiThread(port, r);
    case AC_REQ_IDENTITY:
      if (c.EapType == kEapTypeSim) return 0;
      if (r->phase && c.InnerIdentity) {
        acCredIdentity(h, r, c.InnerIdentity);
        acCredComplete(h, r);
        return 0;
      }
      return DeferToUiThread(port, r);
    case AC_REQ_EAP_METHODS: AnswerEapMethods(port, r); return 0;
    case AC_REQ_PASSWORD: {
      uint32_t method = 0;
      acCredGetEapMethod(h, r, &method);
      if (!c.Password) return DeferToUiThread(port, r);
      acCredPassword(h, r, c.Password);
      acCredComplete(h, r);
      return 0;
    }
    case AC_REQ_CHANGE_PASSWORD:
    case AC_REQ_RETRY_PASSWORD:
    case AC_REQ_FAST_PAC:
    case AC_REQ_FAST_PAC_STORE:
    case AC_REQ_CCX_ROGUE_AP:
    case AC_REQ_SERVER_VERIFY: return DeferToUiThread(port, r);
    case AC_REQ_USER_CERT:
      acCredUserCert(h, r, c.Certificate);
      acCredComplete(h, r);
      return 0;
    case AC_REQ_EAP_NOTIFICATION: {
      char text[kNotificationSize] = {};
      acCredGetEapNotification(h, r, text, sizeof text);
      acCredComplete(h, r);
      return 0;
    }
    case AC_REQ_FAST_PAC_TYPES: AnswerPacTypes(port, r); return 0;
    case AC_REQ_TTLS_METHOD:
      acCredEapTTLSTunnelMethod(h, r, c.TtlsInner);
      acCredComplete(h, r);
      return 0;
    case AC_REQ_MACHINE_IDENTITY:
      if (!c.MachineIdentity) return DeferToUiThread(port, r);
      acCredMachineIdentity(h, r, c.MachineIdentity);
      acCredComplete(h, r);
      return 0;
    case AC_REQ_FAST_PROVISION_MODES: AnswerProvisionModes(port, r); return 0;
    default: return 0;  // kinds 1 and 14 and unknown kinds get no answer
  }
}

int VerifyServerCertificate(_PM_PORT* port, const AC_CRED_REQUEST& request) {
  const PM_PORT_CONFIG& c = port->Config;
  const AC_HANDLE h = port->Handle;
  int result = 1;
  auto check = [&](int status) {
    if (status == AC_ERR_NO_MATCH) result = 0;
    return status == AC_OK || status == AC_ERR_ALREADY || status == AC_ERR_NO_MATCH;
  };
  int status = AC_OK;
  if (c.ChainCheck && !check(status = acCredServerVerifyChain(h, &request))) return status;
  if (c.TrustedCa[0] && !check(status = acCredServerVerifyCA(h, &request, c.TrustedCa))) return status;
  bool unmatched = false;
  if (c.DomainCheckName[0]) {
    bool matched = false;
    for (int field = AC_CERT_FIELD_SUBJECT; field <= AC_CERT_FIELD_ISSUER && !matched; ++field) {
      status = acCredServerVerifyDomain(h, &request, c.DomainCheckName, field);
      if (status == AC_OK) matched = true;
      else if (status != AC_ERR_NO_MATCH) return status;
    }
    if (!matched) result = 0, unmatched = true;
  }
  if (c.FieldCheckName[0]) {
    status = acCredServerVerifyField(h, &request, c.FieldCheckName);
    if (!check(status)) return status;
    if (status == AC_ERR_NO_MATCH) unmatched = true;
  }
  if (unmatched) {
    // The names the certificate holds, for the library's log.
    char field[kFieldSize];
    for (int i = 0; acCredServerGetField(h, &request, i, field, sizeof field) == AC_OK; ++i) {
    }
  }
  status = acCredServerVerified(h, &request, result);
  acCredComplete(h, &request);
  return status;
}
