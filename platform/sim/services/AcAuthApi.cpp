// The acAuth calls: a status forced by a test first, then the argument
// checks, then the library, the port or the pending request.
#include <algorithm>
#include <cstring>

#include "platform/sim/crypto/Pbkdf2.h"
#include "platform/sim/radio/Machine.h"
#include "platform/sim/services/SupplicantLibrary.h"
#include "platform/win/kernel/Clock.h"
#include "platform/win/services/AcAuth.h"

using wavorel::sim::SupplicantLibrary;
using wavorel::sim::SupplicantObject;
using wavorel::sim::SupplicantPort;
using wavorel::sim::SupplicantRequest;
using Kind = wavorel::sim::SupplicantObject::Kind;

namespace {

SupplicantLibrary& library() { return SupplicantLibrary::instance(); }

#define AC_FORCED(call)                                     \
  if (auto forced = library().forced(call)) return *forced

// Copies `text` with its terminator into `out` of `size` bytes.
int copyText(const std::string& text, char* out, uint32_t size) {
  if (!out || size == 0) return AC_ERR_INVALID_PARAM;
  if (text.size() + 1 > size) return AC_ERR_BUFFER_TOO_SMALL;
  std::memcpy(out, text.c_str(), text.size() + 1);
  return AC_OK;
}

int copyBytes(const std::string& bytes, uint8_t* out, uint32_t size, uint32_t* length) {
  if (!out || !length) return AC_ERR_INVALID_PARAM;
  if (bytes.size() > size) return AC_ERR_BUFFER_TOO_SMALL;
  std::memcpy(out, bytes.data(), bytes.size());
  *length = static_cast<uint32_t>(bytes.size());
  return AC_OK;
}

// A text object from (buffer, length): up to its first NUL, at most 256 bytes.
int createText(AC_OBJECT* out, const char* text, uint32_t length, Kind kind) {
  if (!out || (!text && length > 0) || length > 256) return AC_ERR_INVALID_PARAM;
  *out = library().add({kind, std::string(text ? text : "", text ? strnlen(text, length) : 0), {}});
  return AC_OK;
}

template <class Fn>
int onPort(AC_HANDLE handle, Fn fn) {
  std::shared_ptr<SupplicantPort> port = library().port(handle);
  if (!port) return AC_ERR_INVALID_HANDLE;
  return fn(*port);
}

int answer(AC_HANDLE handle, const AC_CRED_REQUEST* request, std::initializer_list<uint32_t> kinds,
           const std::function<int(SupplicantRequest&)>& fn) {
  return onPort(handle, [&](SupplicantPort& port) { return port.withRequest(request, kinds, fn); });
}

std::optional<std::string> objectText(AC_OBJECT id, Kind kind) {
  auto o = library().object(id, kind);
  return o ? std::optional<std::string>(o->data) : std::nullopt;
}

// The certificate URL: "cert:<store>/<subject>".
bool parseUrl(const std::string& url, std::string& store, std::string& subject) {
  if (url.compare(0, 5, "cert:") != 0) return false;
  size_t slash = url.find('/', 5);
  if (slash == std::string::npos) return false;
  store = url.substr(5, slash - 5);
  subject = url.substr(slash + 1);
  return store == "MY" || store == "ROOT";
}

const wavorel::sim::WorldCertificate* findCertificate(const std::string& store, const std::string& subject) {
  std::lock_guard<std::recursive_mutex> lock(wavorel::sim::machineMutex());
  wavorel::sim::Machine* m = wavorel::sim::machineIfLoaded();
  if (!m) return nullptr;
  for (const auto& c : m->world().certificates)
    if (c.store == store && c.subject == subject) return &c;
  return nullptr;
}

std::optional<wavorel::sim::SupplicantServer> serverOf(SupplicantPort& port) {
  std::optional<wavorel::sim::WorldNetwork> n = port.exchangeNetwork();
  if (!n) return std::nullopt;
  std::lock_guard<std::recursive_mutex> lock(wavorel::sim::machineMutex());
  return wavorel::sim::SupplicantServer(*n, wavorel::sim::machine().world().certificates,
                                        library().serverPassword(*n));
}

int serverCheck(AC_HANDLE handle, const AC_CRED_REQUEST* request,
                const std::function<int(const wavorel::sim::SupplicantServer&)>& check) {
  return onPort(handle, [&](SupplicantPort& port) {
    std::optional<wavorel::sim::SupplicantServer> server = serverOf(port);
    return port.withRequest(request, {AC_REQ_SERVER_VERIFY}, [&](SupplicantRequest&) {
      return server ? check(*server) : AC_ERR_FAILED;
    });
  });
}

int64_t nowSeconds() { return (wavorel::clock().utcFileTime() - wavorel::kFileTimeUnixEpoch) / 10000000; }

int fieldText(const wavorel::sim::SupplicantServer& server, int field, std::string& out) {
  std::optional<std::string> text = server.certificateField(field);
  if (!text) return AC_ERR_NO_MORE_FIELDS;
  out = *text;
  return AC_OK;
}

}  // namespace

int acInit(const AC_INIT* init) {
  AC_FORCED("acInit");
  return library().init(init);
}
int ac8021xInit() {
  AC_FORCED("ac8021xInit");
  return library().initStep(0);
}
int acRsnInit() {
  AC_FORCED("acRsnInit");
  return library().initStep(1);
}
int acEapInitAll() {
  AC_FORCED("acEapInitAll");
  return library().initStep(2);
}
int acCcxInit() {
  AC_FORCED("acCcxInit");
  return library().initStep(3);
}
int acNetCallback(int netEvent) {
  AC_FORCED("acNetCallback");
  return library().netEvent(netEvent);
}

const char* acEventString(int event) {
  switch (event) {
    case AC_EVENT_INIT: return "AC_EVENT_INIT";
    case AC_EVENT_PORTS_CHANGED: return "AC_EVENT_PORTS_CHANGED";
    default: return "UNKNOWN";
  }
}

int acDebugEnable(int level, int on) {
  AC_FORCED("acDebugEnable");
  return level >= 1 && level <= 18 && (on == 0 || on == 1) ? AC_OK : AC_ERR_INVALID_PARAM;
}

int acGetNextPortSymName(char* name, uint32_t size) {
  AC_FORCED("acGetNextPortSymName");
  return library().nextPortName(name, size);
}
int acGetPortAttr(const char* name, AC_PORT_ATTR* attr) {
  AC_FORCED("acGetPortAttr");
  return library().attributes(name, attr);
}
int acPortAttach(AC_HANDLE* port, const char* name, const AC_PORT_CALLBACKS* callbacks) {
  AC_FORCED("acPortAttach");
  return library().attach(port, name, callbacks);
}
int acPortDetach(AC_HANDLE port) {
  AC_FORCED("acPortDetach");
  return library().detach(port);
}
int acPortAuth(AC_HANDLE port) {
  AC_FORCED("acPortAuth");
  return onPort(port, [](SupplicantPort& p) { return p.authenticate(); });
}
int acPortAssociate(AC_HANDLE port, const AC_ASSOCIATION* association) {
  AC_FORCED("acPortAssociate");
  if (!association) return AC_ERR_INVALID_PARAM;
  return onPort(port, [&](SupplicantPort& p) { return p.associate(*association); });
}
int acPortDisassociate(AC_HANDLE port) {
  AC_FORCED("acPortDisassociate");
  return onPort(port, [](SupplicantPort& p) { return p.disassociate(); });
}
int acPortStop(AC_HANDLE port) {
  AC_FORCED("acPortStop");
  return onPort(port, [](SupplicantPort& p) { return p.stop(); });
}
int acPortGetLinkState(AC_HANDLE port, uint32_t* state) {
  AC_FORCED("acPortGetLinkState");
  if (!state) return AC_ERR_INVALID_PARAM;
  return onPort(port, [&](SupplicantPort& p) { return *state = p.linkState(), AC_OK; });
}
int acPortGetState(AC_HANDLE port, uint32_t* state) {
  AC_FORCED("acPortGetState");
  if (!state) return AC_ERR_INVALID_PARAM;
  return onPort(port, [&](SupplicantPort& p) { return *state = p.state(), AC_OK; });
}
int acPortGetStatus(AC_HANDLE port, uint32_t* status) {
  AC_FORCED("acPortGetStatus");
  if (!status) return AC_ERR_INVALID_PARAM;
  return onPort(port, [&](SupplicantPort& p) { return *status = p.status(), AC_OK; });
}

int acIdentityCreate(AC_OBJECT* identity, const char* text, uint32_t length) {
  AC_FORCED("acIdentityCreate");
  return createText(identity, text, length, Kind::Identity);
}
int acIdentityDestroy(AC_OBJECT identity) {
  AC_FORCED("acIdentityDestroy");
  return library().destroy(identity, Kind::Identity);
}
int acPasswordCreate(AC_OBJECT* password, const char* text, uint32_t length) {
  AC_FORCED("acPasswordCreate");
  return createText(password, text, length, Kind::Password);
}
int acPasswordDestroy(AC_OBJECT password) {
  AC_FORCED("acPasswordDestroy");
  return library().destroy(password, Kind::Password);
}
int acRsnPskCreate(AC_OBJECT* psk, const char* passphrase, uint32_t passphraseLength, const uint8_t* ssid,
                   uint32_t ssidLength) {
  AC_FORCED("acRsnPskCreate");
  if (!psk || !passphrase || !ssid || passphraseLength < 8 || passphraseLength > 63 || ssidLength == 0 ||
      ssidLength > 32)
    return AC_ERR_INVALID_PARAM;
  wavorel::sim::Psk key = wavorel::sim::wpaPassphraseKey(std::string_view(passphrase, passphraseLength),
                                                         std::string_view(reinterpret_cast<const char*>(ssid), ssidLength));
  *psk = library().add({Kind::Psk, std::string(key.begin(), key.end()), {}});
  return AC_OK;
}
int acRsnBinPskCreate(AC_OBJECT* psk, const uint8_t* key, uint32_t length) {
  AC_FORCED("acRsnBinPskCreate");
  if (!psk || !key || length != 32) return AC_ERR_INVALID_PARAM;
  *psk = library().add({Kind::Psk, std::string(reinterpret_cast<const char*>(key), length), {}});
  return AC_OK;
}
int acRsnPskDestroy(AC_OBJECT psk) {
  AC_FORCED("acRsnPskDestroy");
  return library().destroy(psk, Kind::Psk);
}
int acCertUrlWin32String(int kind, const char* subject, char* url, uint32_t size) {
  AC_FORCED("acCertUrlWin32String");
  if (!subject || (kind != AC_CERT_URL_MY && kind != AC_CERT_URL_ROOT)) return AC_ERR_INVALID_PARAM;
  std::string store = kind == AC_CERT_URL_MY ? "MY" : "ROOT";
  if (!findCertificate(store, subject)) return AC_ERR_NOT_FOUND;
  return copyText("cert:" + store + "/" + subject, url, size);
}
int acCertCreate(AC_OBJECT* cert, const char* url, uint32_t length) {
  AC_FORCED("acCertCreate");
  if (!cert || !url || length > 512) return AC_ERR_INVALID_PARAM;
  std::string store, subject;
  if (!parseUrl(std::string(url, strnlen(url, length)), store, subject)) return AC_ERR_INVALID_PARAM;
  if (!findCertificate(store, subject)) return AC_ERR_NOT_FOUND;
  *cert = library().add({Kind::Certificate, subject, store});
  return AC_OK;
}
int acCertDestroy(AC_OBJECT cert) {
  AC_FORCED("acCertDestroy");
  return library().destroy(cert, Kind::Certificate);
}
int acCertGetField(AC_OBJECT cert, int field, char* text, uint32_t size) {
  AC_FORCED("acCertGetField");
  auto o = library().object(cert, Kind::Certificate);
  if (!o) return AC_ERR_INVALID_HANDLE;
  const wavorel::sim::WorldCertificate* c = findCertificate(o->extra, o->data);
  if (!c) return AC_ERR_NOT_FOUND;
  switch (field) {
    case AC_CERT_FIELD_SUBJECT:
    case AC_CERT_FIELD_ALT_NAME: return copyText(c->subject, text, size);
    case AC_CERT_FIELD_ISSUER: return copyText(c->issuer, text, size);
    default: return AC_ERR_NO_MORE_FIELDS;
  }
}
int acEapFASTPacCreate(AC_OBJECT* pac, const uint8_t* key, uint32_t keyLength, const uint8_t* opaque,
                       uint32_t opaqueLength) {
  AC_FORCED("acEapFASTPacCreate");
  if (!pac || !key || !opaque || keyLength == 0 || opaqueLength == 0 || keyLength > 1024 || opaqueLength > 1024 ||
      keyLength + opaqueLength > 1024)
    return AC_ERR_INVALID_PARAM;
  *pac = library().add({Kind::Pac, std::string(reinterpret_cast<const char*>(key), keyLength),
                        std::string(reinterpret_cast<const char*>(opaque), opaqueLength)});
  return AC_OK;
}
int acEapFASTPacDestroy(AC_OBJECT pac) {
  AC_FORCED("acEapFASTPacDestroy");
  return library().destroy(pac, Kind::Pac);
}

int acCcxEnable(AC_HANDLE port, int on) {
  AC_FORCED("acCcxEnable");
  return onPort(port, [&](SupplicantPort& p) { return p.ccxEnable(on != 0); });
}
int acCcxRogueApTimeout(AC_HANDLE port, uint32_t seconds) {
  AC_FORCED("acCcxRogueApTimeout");
  return onPort(port, [&](SupplicantPort& p) { return p.ccxRogueApTimeout(seconds); });
}
int acCcxRadioCfg(AC_HANDLE port, uint32_t flags) {
  AC_FORCED("acCcxRadioCfg");
  return onPort(port, [&](SupplicantPort& p) { return p.ccxRadioConfig(flags); });
}
int acCcxGetRadioCfg(AC_HANDLE port, uint32_t* flags) {
  AC_FORCED("acCcxGetRadioCfg");
  if (!flags) return AC_ERR_INVALID_PARAM;
  return onPort(port, [&](SupplicantPort& p) { return *flags = p.radioConfig(), AC_OK; });
}

int acCredIdentity(AC_HANDLE port, const AC_CRED_REQUEST* request, AC_OBJECT identity) {
  AC_FORCED("acCredIdentity");
  auto text = objectText(identity, Kind::Identity);
  if (!text) return AC_ERR_INVALID_HANDLE;
  return answer(port, request, {AC_REQ_IDENTITY}, [&](SupplicantRequest& r) { return r.identity = *text, AC_OK; });
}
int acCredMachineIdentity(AC_HANDLE port, const AC_CRED_REQUEST* request, AC_OBJECT identity) {
  AC_FORCED("acCredMachineIdentity");
  auto text = objectText(identity, Kind::Identity);
  if (!text) return AC_ERR_INVALID_HANDLE;
  return answer(port, request, {AC_REQ_MACHINE_IDENTITY},
                [&](SupplicantRequest& r) { return r.identity = *text, AC_OK; });
}
int acCredPassword(AC_HANDLE port, const AC_CRED_REQUEST* request, AC_OBJECT password) {
  AC_FORCED("acCredPassword");
  auto text = objectText(password, Kind::Password);
  if (!text) return AC_ERR_INVALID_HANDLE;
  return answer(port, request, {AC_REQ_PASSWORD, AC_REQ_CHANGE_PASSWORD, AC_REQ_RETRY_PASSWORD},
                [&](SupplicantRequest& r) { return r.password = *text, AC_OK; });
}
int acCredEapSIM(AC_HANDLE port, const AC_CRED_REQUEST* request, AC_OBJECT sim) {
  AC_FORCED("acCredEapSIM");
  if (!objectText(sim, Kind::Identity)) return AC_ERR_INVALID_HANDLE;
  return answer(port, request, {AC_REQ_SESSION_START}, [](SupplicantRequest& r) { return r.simGiven = true, AC_OK; });
}
int acCredEapMethods(AC_HANDLE port, const AC_CRED_REQUEST* request, const uint32_t* methods, uint32_t count,
                     int final) {
  AC_FORCED("acCredEapMethods");
  if ((!methods && count > 0) || count > 32 || final != 1) return AC_ERR_INVALID_PARAM;
  std::vector<uint32_t> types;
  for (uint32_t i = 0; i < count; ++i)
    if (methods[2 * i] == 0) types.push_back(methods[2 * i + 1]);
  return answer(port, request, {AC_REQ_EAP_METHODS}, [&](SupplicantRequest& r) { return r.methods = types, AC_OK; });
}
int acCredUserCert(AC_HANDLE port, const AC_CRED_REQUEST* request, AC_OBJECT cert) {
  AC_FORCED("acCredUserCert");
  auto o = library().object(cert, Kind::Certificate);
  if (!o) return AC_ERR_INVALID_HANDLE;
  if (o->extra != "MY") return AC_ERR_INVALID_PARAM;
  return answer(port, request, {AC_REQ_USER_CERT}, [&](SupplicantRequest& r) { return r.certificate = o->data, AC_OK; });
}
int acCredRsnPsk(AC_HANDLE port, AC_OBJECT psk) {
  AC_FORCED("acCredRsnPsk");
  auto key = objectText(psk, Kind::Psk);
  if (!key) return AC_ERR_INVALID_HANDLE;
  return onPort(port, [&](SupplicantPort& p) { return p.setPsk(*key), AC_OK; });
}
int acCredSessionStart(AC_HANDLE port, const AC_CRED_REQUEST* request, uint32_t session) {
  AC_FORCED("acCredSessionStart");
  return answer(port, request, {AC_REQ_SESSION_START}, [&](SupplicantRequest& r) { return r.session = session, AC_OK; });
}
int acCredCcxRogueAP(AC_HANDLE port, const AC_CRED_REQUEST* request) {
  AC_FORCED("acCredCcxRogueAP");
  return answer(port, request, {AC_REQ_CCX_ROGUE_AP},
                [](SupplicantRequest& r) { return r.rogueAcknowledged = true, AC_OK; });
}
int acCredServerVerifyChain(AC_HANDLE port, const AC_CRED_REQUEST* request) {
  AC_FORCED("acCredServerVerifyChain");
  return serverCheck(port, request, [](const wavorel::sim::SupplicantServer& s) {
    return s.chainTrusted(nowSeconds()) ? AC_OK : AC_ERR_NO_MATCH;
  });
}
int acCredServerVerifyCA(AC_HANDLE port, const AC_CRED_REQUEST* request, const char* caUrl) {
  AC_FORCED("acCredServerVerifyCA");
  std::string store, subject;
  if (!caUrl || !parseUrl(std::string(caUrl, strnlen(caUrl, 512)), store, subject) || store != "ROOT")
    return AC_ERR_INVALID_PARAM;
  return serverCheck(port, request, [&](const wavorel::sim::SupplicantServer& s) {
    return s.issuedBy(subject) ? AC_OK : AC_ERR_NO_MATCH;
  });
}
int acCredServerVerifyDomain(AC_HANDLE port, const AC_CRED_REQUEST* request, const char* name, int field) {
  AC_FORCED("acCredServerVerifyDomain");
  if (!name) return AC_ERR_INVALID_PARAM;
  std::string wanted(name, strnlen(name, 256));
  return serverCheck(port, request, [&](const wavorel::sim::SupplicantServer& s) {
    std::string text;
    if (int st = fieldText(s, field, text)) return st;
    // The name, or a domain the field's name lies in.
    bool fits = text == wanted || (text.size() > wanted.size() && text[text.size() - wanted.size() - 1] == '.' &&
                                   text.compare(text.size() - wanted.size(), wanted.size(), wanted) == 0);
    return fits ? AC_OK : AC_ERR_NO_MATCH;
  });
}
int acCredServerVerifyField(AC_HANDLE port, const AC_CRED_REQUEST* request, const char* name) {
  AC_FORCED("acCredServerVerifyField");
  if (!name) return AC_ERR_INVALID_PARAM;
  std::string wanted(name, strnlen(name, 256));
  return serverCheck(port, request, [&](const wavorel::sim::SupplicantServer& s) {
    for (int field = 0;; ++field) {
      std::string text;
      if (fieldText(s, field, text) != AC_OK) return AC_ERR_NO_MATCH;
      if (text == wanted) return AC_OK;
    }
  });
}
int acCredServerGetField(AC_HANDLE port, const AC_CRED_REQUEST* request, int field, char* text, uint32_t size) {
  AC_FORCED("acCredServerGetField");
  return serverCheck(port, request, [&](const wavorel::sim::SupplicantServer& s) {
    std::string value;
    if (int st = fieldText(s, field, value)) return st;
    return copyText(value, text, size);
  });
}
int acCredServerVerified(AC_HANDLE port, const AC_CRED_REQUEST* request, int result) {
  AC_FORCED("acCredServerVerified");
  return answer(port, request, {AC_REQ_SERVER_VERIFY},
                [&](SupplicantRequest& r) { return r.serverResult = result != 0 ? 1 : 0, AC_OK; });
}
int acCredEapFASTPacTypes(AC_HANDLE port, const AC_CRED_REQUEST* request, const uint32_t* types, uint32_t count) {
  AC_FORCED("acCredEapFASTPacTypes");
  if ((!types && count > 0) || count > 8) return AC_ERR_INVALID_PARAM;
  return answer(port, request, {AC_REQ_FAST_PAC_TYPES},
                [&](SupplicantRequest& r) { return r.pacTypes.assign(types, types + count), AC_OK; });
}
int acCredEapFASTProvisionModes(AC_HANDLE port, const AC_CRED_REQUEST* request, const uint32_t* modes,
                                uint32_t count) {
  AC_FORCED("acCredEapFASTProvisionModes");
  if ((!modes && count > 0) || count > 8) return AC_ERR_INVALID_PARAM;
  return answer(port, request, {AC_REQ_FAST_PROVISION_MODES},
                [&](SupplicantRequest& r) { return r.provisionModes.assign(modes, modes + count), AC_OK; });
}
int acCredEapFASTPac(AC_HANDLE port, const AC_CRED_REQUEST* request, AC_OBJECT pac) {
  AC_FORCED("acCredEapFASTPac");
  std::optional<SupplicantObject> o;
  if (pac != 0 && !(o = library().object(pac, Kind::Pac))) return AC_ERR_INVALID_HANDLE;
  return answer(port, request, {AC_REQ_FAST_PAC}, [&](SupplicantRequest& r) {
    r.pacAnswered = true;
    if (o) r.pac = std::make_pair(o->data, o->extra);
    return AC_OK;
  });
}
int acCredEapTTLSTunnelMethod(AC_HANDLE port, const AC_CRED_REQUEST* request, uint32_t method) {
  AC_FORCED("acCredEapTTLSTunnelMethod");
  return answer(port, request, {AC_REQ_TTLS_METHOD}, [&](SupplicantRequest& r) { return r.tunnelMethod = method, AC_OK; });
}
int acCredGetEapMethod(AC_HANDLE port, const AC_CRED_REQUEST* request, uint32_t* eapType) {
  AC_FORCED("acCredGetEapMethod");
  if (!eapType) return AC_ERR_INVALID_PARAM;
  return onPort(port, [&](SupplicantPort& p) {
    std::optional<wavorel::sim::WorldNetwork> n = p.exchangeNetwork();
    return p.withRequest(request, {AC_REQ_EAP_METHODS, AC_REQ_PASSWORD}, [&](SupplicantRequest& r) {
      if (!n) return AC_ERR_FAILED;
      // Outside: what the server proposes first; inside: the inner method it wants (MSCHAPv2 by default).
      *eapType = r.record.phase == 0 ? static_cast<uint32_t>(n->eap.methods.front())
                                     : static_cast<uint32_t>(n->eap.inner ? n->eap.inner : 26);
      return AC_OK;
    });
  });
}
int acCredGetEapFASTMode(AC_HANDLE port, const AC_CRED_REQUEST* request, uint32_t* mode) {
  AC_FORCED("acCredGetEapFASTMode");
  if (!mode) return AC_ERR_INVALID_PARAM;
  return onPort(port, [&](SupplicantPort& p) {
    uint32_t m = p.fastMode();
    return p.withRequest(request, {AC_REQ_EAP_METHODS, AC_REQ_FAST_PAC_TYPES, AC_REQ_FAST_PAC},
                         [&](SupplicantRequest&) { return *mode = m ? m : 2, AC_OK; });
  });
}
int acCredGetEapFASTAID(AC_HANDLE port, const AC_CRED_REQUEST* request, uint8_t* aid, uint32_t size, uint32_t* length) {
  AC_FORCED("acCredGetEapFASTAID");
  return onPort(port, [&](SupplicantPort& p) {
    std::optional<wavorel::sim::WorldNetwork> n = p.exchangeNetwork();
    return p.withRequest(request, {AC_REQ_FAST_PAC_TYPES, AC_REQ_FAST_PAC}, [&](SupplicantRequest&) {
      return n ? copyBytes(n->eap.fastAid, aid, size, length) : AC_ERR_FAILED;
    });
  });
}
int acCredGetEapNotification(AC_HANDLE port, const AC_CRED_REQUEST* request, char* text, uint32_t size) {
  AC_FORCED("acCredGetEapNotification");
  return onPort(port, [&](SupplicantPort& p) {
    std::optional<wavorel::sim::WorldNetwork> n = p.exchangeNetwork();
    return p.withRequest(request, {AC_REQ_EAP_NOTIFICATION}, [&](SupplicantRequest&) {
      return copyText("Message from " + (n ? n->eap.serverName : std::string("the server")), text, size);
    });
  });
}
int acCredGetIdentityPrompt(AC_HANDLE port, const AC_CRED_REQUEST* request, char* text, uint32_t size) {
  AC_FORCED("acCredGetIdentityPrompt");
  return answer(port, request, {AC_REQ_IDENTITY}, [&](SupplicantRequest&) { return copyText("Identity", text, size); });
}
int acCredGetPasswordPrompt(AC_HANDLE port, const AC_CRED_REQUEST* request, char* text, uint32_t size) {
  AC_FORCED("acCredGetPasswordPrompt");
  return answer(port, request, {AC_REQ_PASSWORD, AC_REQ_CHANGE_PASSWORD, AC_REQ_RETRY_PASSWORD},
                [&](SupplicantRequest& r) {
                  return copyText(r.record.kind == AC_REQ_CHANGE_PASSWORD  ? "New password"
                                  : r.record.kind == AC_REQ_RETRY_PASSWORD ? "Password again"
                                                                           : "Password",
                                  text, size);
                });
}

namespace {
// The PAC handed over with a provisioning request, issued on first look.
int issued(AC_HANDLE port, const AC_CRED_REQUEST* request,
           const std::function<int(const wavorel::sim::IssuedPac&)>& read) {
  return onPort(port, [&](SupplicantPort& p) {
    std::optional<wavorel::sim::SupplicantServer> server = serverOf(p);
    std::string iid = p.pacIdentity();
    return p.withRequest(request, {AC_REQ_FAST_PAC_STORE}, [&](SupplicantRequest& r) {
      if (!server) return AC_ERR_FAILED;
      if (r.issued.key.empty()) {
        r.issued = server->issuePac(iid, nowSeconds());
      }
      return read(r.issued);
    });
  });
}
}  // namespace

int acCredGetEapFASTPacAID(AC_HANDLE port, const AC_CRED_REQUEST* request, uint8_t* data, uint32_t size,
                           uint32_t* length) {
  AC_FORCED("acCredGetEapFASTPacAID");
  return issued(port, request, [&](const wavorel::sim::IssuedPac& pac) { return copyBytes(pac.aid, data, size, length); });
}
int acCredGetEapFASTPacIID(AC_HANDLE port, const AC_CRED_REQUEST* request, uint8_t* data, uint32_t size,
                           uint32_t* length) {
  AC_FORCED("acCredGetEapFASTPacIID");
  return issued(port, request, [&](const wavorel::sim::IssuedPac& pac) { return copyBytes(pac.iid, data, size, length); });
}
int acCredGetEapFASTPacKey(AC_HANDLE port, const AC_CRED_REQUEST* request, uint8_t* data, uint32_t size,
                           uint32_t* length) {
  AC_FORCED("acCredGetEapFASTPacKey");
  return issued(port, request, [&](const wavorel::sim::IssuedPac& pac) { return copyBytes(pac.key, data, size, length); });
}
int acCredGetEapFASTPacOpaque(AC_HANDLE port, const AC_CRED_REQUEST* request, uint8_t* data, uint32_t size,
                              uint32_t* length) {
  AC_FORCED("acCredGetEapFASTPacOpaque");
  return issued(port, request,
                [&](const wavorel::sim::IssuedPac& pac) { return copyBytes(pac.opaque, data, size, length); });
}
int acCredGetEapFASTPacAIDInfo(AC_HANDLE port, const AC_CRED_REQUEST* request, char* text, uint32_t size) {
  AC_FORCED("acCredGetEapFASTPacAIDInfo");
  return issued(port, request, [&](const wavorel::sim::IssuedPac& pac) { return copyText(pac.aidInfo, text, size); });
}
int acCredGetEapFASTPacType(AC_HANDLE port, const AC_CRED_REQUEST* request, uint32_t* type) {
  AC_FORCED("acCredGetEapFASTPacType");
  if (!type) return AC_ERR_INVALID_PARAM;
  return issued(port, request, [&](const wavorel::sim::IssuedPac& pac) { return *type = pac.type, AC_OK; });
}
int acCredGetEapFASTPacLifeTime(AC_HANDLE port, const AC_CRED_REQUEST* request, int64_t* expires) {
  AC_FORCED("acCredGetEapFASTPacLifeTime");
  if (!expires) return AC_ERR_INVALID_PARAM;
  return issued(port, request, [&](const wavorel::sim::IssuedPac& pac) { return *expires = pac.expires, AC_OK; });
}
int acCredDeferred(AC_HANDLE port, const AC_CRED_REQUEST* request) {
  AC_FORCED("acCredDeferred");
  return onPort(port, [&](SupplicantPort& p) { return p.deferred(request); });
}
int acCredComplete(AC_HANDLE port, const AC_CRED_REQUEST* request) {
  AC_FORCED("acCredComplete");
  return onPort(port, [&](SupplicantPort& p) { return p.complete(request); });
}

int acIpIsConnected(AC_HANDLE port, int* connected) {
  AC_FORCED("acIpIsConnected");
  if (!connected) return AC_ERR_INVALID_PARAM;
  return onPort(port, [&](SupplicantPort& p) { return p.ipConnected(*connected); });
}
int acIpDhcpIsEnabled(AC_HANDLE port, int* enabled) {
  AC_FORCED("acIpDhcpIsEnabled");
  if (!enabled) return AC_ERR_INVALID_PARAM;
  return onPort(port, [&](SupplicantPort& p) { return p.dhcpEnabled(*enabled); });
}
int acIpGetConfig(AC_HANDLE port, uint8_t address[4]) {
  AC_FORCED("acIpGetConfig");
  if (!address) return AC_ERR_INVALID_PARAM;
  return onPort(port, [&](SupplicantPort& p) { return p.ipAddress(address); });
}
int acIpDhcpRenew(AC_HANDLE port) {
  AC_FORCED("acIpDhcpRenew");
  return onPort(port, [](SupplicantPort& p) { return p.dhcpRenew(); });
}
