#include "platform/sim/crypto/Sha1.h"

#include <cstring>
#include <vector>

namespace wavorel::sim {

namespace {

uint32_t rotl(uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

}  // namespace

Sha1::Sha1() : h_{0x67452301u, 0xEFCDAB89u, 0x98BADCFEu, 0x10325476u, 0xC3D2E1F0u}, buffer_{} {}

void Sha1::block(const uint8_t* p) {
  uint32_t w[80];
  for (int i = 0; i < 16; ++i) {
    w[i] = (uint32_t(p[4 * i]) << 24) | (uint32_t(p[4 * i + 1]) << 16) | (uint32_t(p[4 * i + 2]) << 8) |
           uint32_t(p[4 * i + 3]);
  }
  for (int i = 16; i < 80; ++i) w[i] = rotl(w[i - 3] ^ w[i - 8] ^ w[i - 14] ^ w[i - 16], 1);
  uint32_t a = h_[0], b = h_[1], c = h_[2], d = h_[3], e = h_[4];
  for (int i = 0; i < 80; ++i) {
    uint32_t f, k;
    if (i < 20) {
      f = (b & c) | (~b & d);
      k = 0x5A827999u;
    } else if (i < 40) {
      f = b ^ c ^ d;
      k = 0x6ED9EBA1u;
    } else if (i < 60) {
      f = (b & c) | (b & d) | (c & d);
      k = 0x8F1BBCDCu;
    } else {
      f = b ^ c ^ d;
      k = 0xCA62C1D6u;
    }
    uint32_t t = rotl(a, 5) + f + e + k + w[i];
    e = d;
    d = c;
    c = rotl(b, 30);
    b = a;
    a = t;
  }
  h_[0] += a;
  h_[1] += b;
  h_[2] += c;
  h_[3] += d;
  h_[4] += e;
}

void Sha1::update(const uint8_t* data, size_t size) {
  length_ += size;
  while (size > 0) {
    size_t take = std::min(size, sizeof buffer_ - used_);
    std::memcpy(buffer_ + used_, data, take);
    used_ += take;
    data += take;
    size -= take;
    if (used_ == sizeof buffer_) {
      block(buffer_);
      used_ = 0;
    }
  }
}

Sha1Digest Sha1::finish() {
  uint64_t bits = length_ * 8;
  uint8_t pad = 0x80;
  update(&pad, 1);
  uint8_t zero = 0;
  while (used_ != 56) update(&zero, 1);
  uint8_t len[8];
  for (int i = 0; i < 8; ++i) len[i] = static_cast<uint8_t>(bits >> (56 - 8 * i));
  update(len, 8);
  Sha1Digest out;
  for (int i = 0; i < 5; ++i)
    for (int j = 0; j < 4; ++j) out[4 * i + j] = static_cast<uint8_t>(h_[i] >> (24 - 8 * j));
  return out;
}

Sha1Digest Sha1::of(const uint8_t* data, size_t size) {
  Sha1 s;
  s.update(data, size);
  return s.finish();
}

Sha1Digest hmacSha1(const uint8_t* key, size_t keySize, const uint8_t* data, size_t dataSize) {
  uint8_t block[64] = {};
  if (keySize > sizeof block) {
    Sha1Digest k = Sha1::of(key, keySize);
    std::memcpy(block, k.data(), k.size());
  } else if (keySize > 0) {
    std::memcpy(block, key, keySize);
  }
  uint8_t ipad[64], opad[64];
  for (int i = 0; i < 64; ++i) {
    ipad[i] = block[i] ^ 0x36;
    opad[i] = block[i] ^ 0x5c;
  }
  Sha1 inner;
  inner.update(ipad, sizeof ipad);
  inner.update(data, dataSize);
  Sha1Digest innerDigest = inner.finish();
  Sha1 outer;
  outer.update(opad, sizeof opad);
  outer.update(innerDigest.data(), innerDigest.size());
  return outer.finish();
}

}  // namespace wavorel::sim
