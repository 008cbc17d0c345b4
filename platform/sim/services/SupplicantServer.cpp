#include "platform/sim/services/SupplicantServer.h"

#include <algorithm>
#include <cctype>

#include "platform/sim/crypto/Sha1.h"
#include "platform/win/services/AcAuth.h"
#include "platform/wire/Bytes.h"

namespace wavorel::sim {

namespace {

bool sameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::string digest(const std::string& data) {
  Sha1Digest d = Sha1::of(reinterpret_cast<const uint8_t*>(data.data()), data.size());
  return std::string(d.begin(), d.end());
}

// 32 bytes from two digests of `seed`.
std::string key32(const std::string& seed) { return (digest(seed + '\1') + digest(seed + '\2')).substr(0, 32); }

constexpr char kPacMagic[4] = {'S', 'P', 'A', 'C'};
constexpr size_t kOpaqueHead = 4 + 8 + 1;  // magic, issue time, IID length
constexpr size_t kMacSize = 20;

}  // namespace

int64_t worldDateSeconds(const std::array<int, 3>& date) {
  // Days from the civil date (proleptic Gregorian).
  int y = date[0] - (date[1] <= 2 ? 1 : 0);
  int era = (y >= 0 ? y : y - 399) / 400;
  int yoe = y - era * 400;
  int mp = (date[1] + 9) % 12;
  int doy = (153 * mp + 2) / 5 + date[2] - 1;
  int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return (static_cast<int64_t>(era) * 146097 + doe - 719468) * 86400;
}

SupplicantServer::SupplicantServer(const WorldNetwork& network, std::vector<WorldCertificate> certificates,
                                   std::string password)
    : network_(network), certificates_(std::move(certificates)), password_(std::move(password)) {}

uint32_t SupplicantServer::choose(const std::vector<uint32_t>& offered) const {
  for (uint32_t type : offered)
    if (std::find(eap().methods.begin(), eap().methods.end(), static_cast<int>(type)) != eap().methods.end())
      return type;
  return 0;
}

bool SupplicantServer::identityFits(const std::string& identity) const {
  size_t slash = identity.find('\\');
  std::string user = slash == std::string::npos ? identity : identity.substr(slash + 1);
  if (user.empty()) return false;
  if (slash != std::string::npos && !eap().domain.empty() && !sameText(identity.substr(0, slash), eap().domain))
    return false;
  return eap().identity.empty() || user == eap().identity;
}

std::optional<std::string> SupplicantServer::certificateField(int field) const {
  switch (field) {
    case AC_CERT_FIELD_SUBJECT:
    case AC_CERT_FIELD_ALT_NAME: return eap().serverName;
    case AC_CERT_FIELD_ISSUER: return eap().serverIssuer.empty() ? eap().serverName : eap().serverIssuer;
    default: return std::nullopt;
  }
}

const WorldCertificate* SupplicantServer::certificate(const std::string& store, const std::string& subject) const {
  for (const WorldCertificate& c : certificates_)
    if (c.store == store && c.subject == subject) return &c;
  return nullptr;
}

bool SupplicantServer::chainTrusted(int64_t utcSeconds) const {
  if (eap().serverIssuer.empty()) return false;
  const WorldCertificate* root = certificate("ROOT", eap().serverIssuer);
  return root && worldDateSeconds(root->expires) > utcSeconds;
}

bool SupplicantServer::issuedBy(const std::string& caSubject) const {
  return !eap().serverIssuer.empty() && caSubject == eap().serverIssuer;
}

bool SupplicantServer::clientCertificateFits(const std::string& subject, int64_t utcSeconds) const {
  const WorldCertificate* mine = certificate("MY", subject);
  return mine && worldDateSeconds(mine->expires) > utcSeconds;
}

std::string SupplicantServer::pacMac(const std::string& iid, uint64_t issued) const {
  std::string time(8, '\0');
  wire::putU64(reinterpret_cast<uint8_t*>(time.data()), issued);
  std::string secret(network_.bssid.begin(), network_.bssid.end());
  return digest(secret + network_.ssid + '\0' + eap().fastAid + '\0' + iid + time);
}

IssuedPac SupplicantServer::issuePac(const std::string& iid, int64_t utcSeconds) const {
  IssuedPac pac;
  pac.aid = eap().fastAid;
  pac.iid = iid.substr(0, 128);
  std::string mac = pacMac(pac.iid, static_cast<uint64_t>(utcSeconds));
  pac.key = key32(mac);
  pac.opaque.assign(kPacMagic, sizeof kPacMagic);
  std::string time(8, '\0');
  wire::putU64(reinterpret_cast<uint8_t*>(time.data()), static_cast<uint64_t>(utcSeconds));
  pac.opaque += time;
  pac.opaque += static_cast<char>(pac.iid.size());
  pac.opaque += pac.iid + mac;
  pac.aidInfo = "EAP-FAST server of " + network_.ssid;
  pac.expires = utcSeconds + kPacLifetimeSeconds;
  return pac;
}

int SupplicantServer::checkPac(const std::string& key, const std::string& opaque, int64_t utcSeconds) const {
  if (opaque.size() < kOpaqueHead + kMacSize || !std::equal(kPacMagic, kPacMagic + 4, opaque.begin()))
    return AC_STATUS_PAC_INVALID;
  uint64_t issued = wire::getU64(reinterpret_cast<const uint8_t*>(opaque.data()) + 4);
  size_t iidLength = static_cast<uint8_t>(opaque[12]);
  if (opaque.size() != kOpaqueHead + iidLength + kMacSize) return AC_STATUS_PAC_INVALID;
  std::string iid = opaque.substr(kOpaqueHead, iidLength);
  std::string mac = pacMac(iid, issued);
  if (opaque.compare(kOpaqueHead + iidLength, kMacSize, mac) != 0 || key != key32(mac)) return AC_STATUS_PAC_INVALID;
  if (issued > static_cast<uint64_t>(INT64_MAX - kPacLifetimeSeconds) ||
      static_cast<int64_t>(issued) + kPacLifetimeSeconds <= utcSeconds)
    return AC_STATUS_PAC_EXPIRED;
  return 0;
}

std::string SupplicantServer::sessionKey(const std::string& identity) const {
  return key32(network_.ssid + '\0' + identity + '\0' + password_);
}

}  // namespace wavorel::sim
