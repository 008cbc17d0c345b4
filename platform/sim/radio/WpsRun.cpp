#include "platform/sim/radio/WpsRun.h"

#include <cstdio>

#include "platform/sim/radio/Adapter.h"
#include "platform/wire/Bytes.h"
#include "platform/wire/WpsRecords.h"

namespace wavorel::sim {

namespace {

constexpr uint32_t kNotUsed = 0;
constexpr uint32_t kScanning = 2;
constexpr uint32_t kTooManyPbc = 257;
constexpr uint32_t kNoPbc = 258;
constexpr uint32_t kPinMismatch = 262;
constexpr uint32_t kInvalidSsid = 513;
constexpr uint32_t kReceivedM4 = 22;

const uint32_t kEnrolleeSteps[] = {3, 4, 5, 6, 17, 18, 19, 21, 22, 23, 24, 25, 26, 27};
const uint32_t kRegistrarSteps[] = {3, 4, 5, 6, 17, 34, 35, 37, 38, 39, 40, 41, 42, 43};
constexpr size_t kSteps = sizeof kEnrolleeSteps / sizeof kEnrolleeSteps[0];

namespace credential = wire::wps::credential;
namespace table = wire::wps::table;

}  // namespace

void WpsRun::start(const WpsRequest& request, uint64_t now) {
  request_ = request;
  startedAt_ = now;
  final_ = 0;
  peer_ = nullptr;
  result_ = nullptr;
}

uint32_t WpsRun::settle(uint64_t now, const std::vector<const WorldNetwork*>& inRange) {
  const WpsRequest& r = *request_;
  uint64_t elapsed = now - startedAt_;
  if (elapsed < kScanDurationMs) return kScanning;
  if (!peer_) {
    std::vector<const WorldNetwork*> candidates;
    for (const WorldNetwork* n : inRange) {
      if (n->wps == WpsMethod::None) continue;
      if (r.pin ? (n->ssid == r.ssid && n->bssid == r.bssid) : n->wps == WpsMethod::PushButton)
        candidates.push_back(n);
    }
    if (candidates.empty()) return final_ = r.pin ? kInvalidSsid : kNoPbc;
    if (!r.pin && candidates.size() > 1) return final_ = kTooManyPbc;
    peer_ = candidates.front();
  }
  size_t step = static_cast<size_t>((elapsed - kScanDurationMs) / kWpsStepMs);
  const uint32_t* steps = r.registrar ? kRegistrarSteps : kEnrolleeSteps;
  bool pinWrong = r.pin && !r.registrar && peer_->wpsPin != r.pinDigits;
  for (size_t i = 0; i < kSteps && i <= step; ++i)
    if (pinWrong && steps[i] == kReceivedM4) return final_ = kPinMismatch;
  if (step < kSteps) return steps[step];
  result_ = peer_;
  return final_ = kWpsConfigured;
}

uint32_t WpsRun::status(uint64_t now, const std::vector<const WorldNetwork*>& inRange) {
  if (!request_) return kNotUsed;
  uint32_t state = final_ ? final_ : settle(now, inRange);
  // Errors the enrollee would retry past (too many or no push-button APs, a
  // wrong PIN) last until the walk time is over; a failure that ended the
  // exchange (513 and above) stays as it is.
  if (state != kWpsConfigured && state < kInvalidSsid && now - startedAt_ >= kWpsWalkTimeMs)
    state = final_ = kWpsEapFailed;
  return state | (request_->pin ? kWpsPinRun : 0);
}

std::vector<uint8_t> wpsCredentialTable(const WorldNetwork& n) {
  std::vector<uint8_t> t(table::kSize, 0);
  wire::putU32(t.data() + table::kCount, 1);
  uint8_t* c = t.data() + table::recordAt(0);
  wire::putU32(c + credential::kSsidLength, static_cast<uint32_t>(n.ssid.size()));
  std::copy(n.ssid.begin(), n.ssid.end(), c + credential::kSsid);
  uint32_t auth = credential::kAuthOpen, encryption = credential::kEncryptionNone, index = 0;
  std::string key;
  uint32_t ciphers = (n.ciphers & kCipherTkip ? credential::kEncryptionTkip : 0) |
                     (n.ciphers & kCipherCcmp ? credential::kEncryptionAes : 0);
  switch (n.security) {
    case Security::Open: break;
    case Security::Wep: {
      encryption = credential::kEncryptionWep;
      index = static_cast<uint32_t>(n.wepKeyIndex);
      char two[3];
      for (char b : n.wepKeys[n.wepKeyIndex]) {
        std::snprintf(two, sizeof two, "%02X", static_cast<unsigned>(static_cast<uint8_t>(b)));
        key += two;
      }
      break;
    }
    case Security::WpaPsk: auth = credential::kAuthWpaPsk, encryption = ciphers, key = n.passphrase; break;
    case Security::Wpa2Psk: auth = credential::kAuthWpa2Psk, encryption = ciphers, key = n.passphrase; break;
    case Security::Wpa2Enterprise: auth = credential::kAuthWpa2, encryption = ciphers; break;
    case Security::WpaEnterprise: auth = credential::kAuthWpa, encryption = ciphers; break;
    case Security::WepEnterprise: encryption = credential::kEncryptionWep; break;
  }
  wire::putU32(c + credential::kAuthType, auth);
  wire::putU32(c + credential::kEncryptionType, encryption);
  wire::putU32(c + credential::kKeyIndex, index);
  wire::putU32(c + credential::kKeyLength, static_cast<uint32_t>(key.size()));
  std::copy(key.begin(), key.end(), c + credential::kKey);
  std::copy(n.bssid.begin(), n.bssid.end(), c + credential::kMacAddress);
  return t;
}

}  // namespace wavorel::sim
