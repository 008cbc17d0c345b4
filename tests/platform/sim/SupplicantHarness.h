// A program's side of the supplicant library for tests: attaches a port,
// records every status event (with what it read) and every credential
// request, and answers requests the way a configured client would, at once
// or later from the test's thread. Time moves only when the test drives it.
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "SimTest.h"
#include "platform/sim/services/SupplicantLibrary.h"
#include "platform/win/services/AcAuth.h"

namespace wavorel::sim::testing {

struct ClientConfig {
  ClientConfig(std::string identity = "alice", std::string innerIdentity = "", std::string password = "secret",
               std::vector<uint32_t> methods = {kEapPeap}, uint32_t inner = 26, std::string certificate = "",
               int serverResult = 1)
      : identity(std::move(identity)),
        innerIdentity(std::move(innerIdentity)),
        password(std::move(password)),
        methods(std::move(methods)),
        inner(inner),
        certificate(std::move(certificate)),
        serverResult(serverResult) {}
  std::string identity;
  std::string innerIdentity;  // empty: none is given in the inner phase
  std::string password;
  std::vector<uint32_t> methods;
  uint32_t inner;
  std::string certificate;  // a MY subject for TLS
  int serverResult;
  std::vector<uint32_t> provisionModes{2};
  AC_OBJECT pac = 0;                  // answers kind 11
  std::string newPassword;            // answers kind 6
  std::vector<uint32_t> deferKinds;   // answered later by answerDeferred()
};

class SupplicantClient {
 public:
  explicit SupplicantClient(ClientConfig config = {}) : config_(std::move(config)) {}
  ~SupplicantClient() {
    if (port_) acPortDetach(port_);
  }

  AC_HANDLE attach(const std::string& guid = kDefaultGuid) {
    initLibrary();
    AC_PORT_CALLBACKS callbacks{this, &SupplicantClient::onStatus, &SupplicantClient::onRequest};
    EXPECT_EQ(acPortAttach(&port_, ("\\DEVICE\\" + guid).c_str(), &callbacks), AC_OK);
    return port_;
  }
  static void initLibrary() {
    AC_INIT init{[](int) { return 0; }, &acNetCallback};
    acInit(&init);
  }
  AC_HANDLE port() const { return port_; }
  ClientConfig& config() { return config_; }

  // Associates the port with `ssid` (authentication and cipher as acPortAssociate takes them).
  int associate(const std::string& ssid, uint32_t auth, uint32_t cipher) {
    AC_ASSOCIATION a{};
    std::copy(ssid.begin(), ssid.end(), a.ssid);
    a.ssidLength = static_cast<uint32_t>(ssid.size());
    a.authMode = auth;
    a.cipher = cipher;
    return acPortAssociate(port_, &a);
  }

  std::vector<std::string> events() {
    std::lock_guard<std::mutex> lock(mutex_);
    return events_;
  }
  // Requests as "kind/phase".
  std::vector<std::string> requests() {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
  }
  std::vector<AC_CRED_REQUEST> deferred() {
    std::lock_guard<std::mutex> lock(mutex_);
    return deferred_;
  }
  // Answers the requests put off, from the calling thread.
  void answerDeferred() {
    std::vector<AC_CRED_REQUEST> list;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      list.swap(deferred_);
    }
    for (AC_CRED_REQUEST& r : list) answer(r);
  }
  // The PAC the last provisioning handed over: key and opaque.
  std::pair<std::string, std::string> provisioned() {
    std::lock_guard<std::mutex> lock(mutex_);
    return provisioned_;
  }

 private:
  static int onStatus(void* context, int event) {
    auto* self = static_cast<SupplicantClient*>(context);
    uint32_t value = 0;
    std::string text;
    switch (event) {
      case AC_PORT_EVENT_LINK: acPortGetLinkState(self->port_, &value), text = "link "; break;
      case AC_PORT_EVENT_STATE: acPortGetState(self->port_, &value), text = "state "; break;
      case AC_PORT_EVENT_STATUS: acPortGetStatus(self->port_, &value), text = "status "; break;
      default: text = "event? "; value = static_cast<uint32_t>(event);
    }
    if (event == AC_PORT_EVENT_STATE && value == AC_STATE_PROGRESS) {
      uint32_t status = 0;
      acPortGetStatus(self->port_, &status);
      text += "7/";
      value = status;
    }
    std::lock_guard<std::mutex> lock(self->mutex_);
    self->events_.push_back(text + std::to_string(value));
    return 0;
  }

  static int onRequest(void* context, AC_CRED_REQUEST* request) {
    auto* self = static_cast<SupplicantClient*>(context);
    {
      std::lock_guard<std::mutex> lock(self->mutex_);
      self->requests_.push_back(std::to_string(request->kind) + "/" + std::to_string(request->phase));
      const auto& defer = self->config_.deferKinds;
      if (std::find(defer.begin(), defer.end(), request->kind) != defer.end()) {
        self->deferred_.push_back(*request);
        acCredDeferred(self->port_, request);
        return 0;
      }
    }
    self->answer(*request);
    return 0;
  }

  AC_OBJECT text(int (*create)(AC_OBJECT*, const char*, uint32_t), const std::string& s) {
    AC_OBJECT o = 0;
    EXPECT_EQ(create(&o, s.c_str(), static_cast<uint32_t>(s.size())), AC_OK);
    return o;
  }

  void answer(AC_CRED_REQUEST& r) {
    const ClientConfig& c = config_;
    switch (r.kind) {
      case AC_REQ_SESSION_START: acCredSessionStart(port_, &r, 1); break;
      case AC_REQ_IDENTITY: {
        const std::string& id = r.phase ? c.innerIdentity : c.identity;
        if (r.phase && id.empty()) break;
        AC_OBJECT o = text(acIdentityCreate, id);
        acCredIdentity(port_, &r, o);
        acIdentityDestroy(o);
        break;
      }
      case AC_REQ_EAP_METHODS: {
        std::vector<uint32_t> entries;
        for (uint32_t t : r.phase ? std::vector<uint32_t>{c.inner} : c.methods) entries.insert(entries.end(), {0, t});
        acCredEapMethods(port_, &r, entries.data(), static_cast<uint32_t>(entries.size() / 2), 1);
        break;
      }
      case AC_REQ_PASSWORD:
      case AC_REQ_RETRY_PASSWORD:
      case AC_REQ_CHANGE_PASSWORD: {
        AC_OBJECT o = text(acPasswordCreate, r.kind == AC_REQ_CHANGE_PASSWORD ? c.newPassword : c.password);
        acCredPassword(port_, &r, o);
        acPasswordDestroy(o);
        break;
      }
      case AC_REQ_SERVER_VERIFY: acCredServerVerified(port_, &r, c.serverResult); break;
      case AC_REQ_USER_CERT: {
        char url[256];
        AC_OBJECT cert = 0;
        if (!c.certificate.empty() && acCertUrlWin32String(AC_CERT_URL_MY, c.certificate.c_str(), url, sizeof url) == 0 &&
            acCertCreate(&cert, url, static_cast<uint32_t>(strlen(url))) == 0) {
          acCredUserCert(port_, &r, cert);
          acCertDestroy(cert);
        }
        break;
      }
      case AC_REQ_FAST_PAC_TYPES: {
        uint32_t types[] = {1};
        acCredEapFASTPacTypes(port_, &r, types, 1);
        break;
      }
      case AC_REQ_FAST_PROVISION_MODES:
        acCredEapFASTProvisionModes(port_, &r, c.provisionModes.data(), static_cast<uint32_t>(c.provisionModes.size()));
        break;
      case AC_REQ_FAST_PAC: acCredEapFASTPac(port_, &r, c.pac); break;
      case AC_REQ_FAST_PAC_STORE: {
        uint8_t key[1024], opaque[1024];
        uint32_t keyLength = 0, opaqueLength = 0;
        EXPECT_EQ(acCredGetEapFASTPacKey(port_, &r, key, sizeof key, &keyLength), AC_OK);
        EXPECT_EQ(acCredGetEapFASTPacOpaque(port_, &r, opaque, sizeof opaque, &opaqueLength), AC_OK);
        std::lock_guard<std::mutex> lock(mutex_);
        provisioned_ = {std::string(reinterpret_cast<char*>(key), keyLength),
                        std::string(reinterpret_cast<char*>(opaque), opaqueLength)};
        break;
      }
      case AC_REQ_TTLS_METHOD: acCredEapTTLSTunnelMethod(port_, &r, c.inner); break;
      case AC_REQ_CCX_ROGUE_AP: acCredCcxRogueAP(port_, &r); break;
      default: return;  // no answer
    }
    acCredComplete(port_, &r);
  }

  ClientConfig config_;
  AC_HANDLE port_ = 0;
  std::mutex mutex_;
  std::vector<std::string> events_, requests_;
  std::vector<AC_CRED_REQUEST> deferred_;
  std::pair<std::string, std::string> provisioned_;
};

}  // namespace wavorel::sim::testing
