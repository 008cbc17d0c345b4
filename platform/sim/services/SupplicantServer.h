// The authentication server of one 802.1X network as the simulated supplicant
// meets it: who it lets in (methods, identity, domain, password, inner
// method), its certificate and the checks against the machine's stores, the
// EAP-FAST PACs it issues and accepts, and the session key of a success.
// Built from the world's network; holds no state beyond a changed password.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/radio/World.h"

namespace wavorel::sim {

// A PAC as the server hands it out.
struct IssuedPac {
  std::string aid, iid, key, opaque, aidInfo;
  uint32_t type = 1;    // tunnel PAC
  int64_t expires = 0;  // seconds since 1970 (UTC)
};

class SupplicantServer {
 public:
  // How long an issued PAC lasts.
  static constexpr int64_t kPacLifetimeSeconds = 90LL * 24 * 3600;

  SupplicantServer(const WorldNetwork& network, std::vector<WorldCertificate> certificates, std::string password);

  const WorldEap& eap() const { return network_.eap; }
  // The method the server takes from the ones offered (EAP types), 0: none of them.
  uint32_t choose(const std::vector<uint32_t>& offered) const;
  // The identity "DOMAIN\user" or "user" against the server's user and domain.
  bool identityFits(const std::string& identity) const;
  bool passwordFits(const std::string& password) const { return eap().password.empty() || password == password_; }
  const std::string& password() const { return password_; }
  void changePassword(const std::string& password) { password_ = password; }
  // The inner method (EAP type, or TTLS 1-5) against the one the server wants.
  bool innerFits(uint32_t method) const { return eap().inner == 0 || method == static_cast<uint32_t>(eap().inner); }

  // The server certificate: field 0 subject, 1 alternative name, 2 issuer; nullopt past them.
  std::optional<std::string> certificateField(int field) const;
  // Its issuer is a ROOT certificate of the machine, valid at `utcSeconds`.
  bool chainTrusted(int64_t utcSeconds) const;
  bool issuedBy(const std::string& caSubject) const;

  // A client certificate (a MY certificate's subject) the server takes at `utcSeconds`.
  bool clientCertificateFits(const std::string& subject, int64_t utcSeconds) const;

  // EAP-FAST: a new PAC for the inner identity `iid`, and what a PAC brought
  // back is worth: 0 accepted, AC_STATUS_PAC_EXPIRED or AC_STATUS_PAC_INVALID.
  IssuedPac issuePac(const std::string& iid, int64_t utcSeconds) const;
  int checkPac(const std::string& key, const std::string& opaque, int64_t utcSeconds) const;

  // The 32-byte key both ends hold after a success.
  std::string sessionKey(const std::string& identity) const;

 private:
  std::string pacMac(const std::string& iid, uint64_t issued) const;
  const WorldCertificate* certificate(const std::string& store, const std::string& subject) const;

  WorldNetwork network_;
  std::vector<WorldCertificate> certificates_;
  std::string password_;
};

// Seconds since 1970 of a world date (midnight UTC).
int64_t worldDateSeconds(const std::array<int, 3>& date);

}  // namespace wavorel::sim
