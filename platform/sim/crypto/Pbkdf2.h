// PBKDF2 with HMAC-SHA1 (RFC 2898) and the WPA passphrase-to-key mapping built
// on it (4096 rounds, the SSID as salt, 32 bytes).
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace wavorel::sim {

std::vector<uint8_t> pbkdf2Sha1(std::string_view password, std::string_view salt, uint32_t rounds,
                                size_t length);

using Psk = std::array<uint8_t, 32>;
Psk wpaPassphraseKey(std::string_view passphrase, std::string_view ssid);

}  // namespace wavorel::sim
