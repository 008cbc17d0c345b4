#include "platform/sim/crypto/Pbkdf2.h"

#include <algorithm>
#include <string>

#include "platform/sim/crypto/Sha1.h"

namespace wavorel::sim {

std::vector<uint8_t> pbkdf2Sha1(std::string_view password, std::string_view salt, uint32_t rounds,
                                size_t length) {
  const auto* key = reinterpret_cast<const uint8_t*>(password.data());
  std::vector<uint8_t> out;
  out.reserve(length);
  for (uint32_t index = 1; out.size() < length; ++index) {
    std::vector<uint8_t> first(salt.begin(), salt.end());
    for (int shift = 24; shift >= 0; shift -= 8) first.push_back(static_cast<uint8_t>(index >> shift));
    Sha1Digest u = hmacSha1(key, password.size(), first.data(), first.size());
    Sha1Digest t = u;
    for (uint32_t r = 1; r < rounds; ++r) {
      u = hmacSha1(key, password.size(), u.data(), u.size());
      for (size_t i = 0; i < t.size(); ++i) t[i] ^= u[i];
    }
    size_t take = std::min(t.size(), length - out.size());
    out.insert(out.end(), t.begin(), t.begin() + static_cast<std::ptrdiff_t>(take));
  }
  return out;
}

Psk wpaPassphraseKey(std::string_view passphrase, std::string_view ssid) {
  std::vector<uint8_t> bytes = pbkdf2Sha1(passphrase, ssid, 4096, 32);
  Psk psk;
  std::copy(bytes.begin(), bytes.end(), psk.begin());
  return psk;
}

}  // namespace wavorel::sim
