// SHA-1 (FIPS 180-1) and HMAC-SHA1 (RFC 2104), as the WPA passphrase mapping
// needs them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace wavorel::sim {

using Sha1Digest = std::array<uint8_t, 20>;

class Sha1 {
 public:
  Sha1();
  void update(const uint8_t* data, size_t size);
  void update(std::string_view text) { update(reinterpret_cast<const uint8_t*>(text.data()), text.size()); }
  Sha1Digest finish();

  static Sha1Digest of(const uint8_t* data, size_t size);

 private:
  void block(const uint8_t* p);

  uint32_t h_[5];
  uint8_t buffer_[64];
  size_t used_ = 0;
  uint64_t length_ = 0;  // bytes hashed so far
};

Sha1Digest hmacSha1(const uint8_t* key, size_t keySize, const uint8_t* data, size_t dataSize);

}  // namespace wavorel::sim
