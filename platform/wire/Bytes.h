// Little-endian (and, for WPS attributes, big-endian) fields of the byte-exact
// records: read and written byte by byte, so that no host struct layout or
// alignment is ever assumed. The one set of such helpers in the tree.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace wavorel::wire {

inline uint16_t getU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t getU32(const uint8_t* p) {
  return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}
inline uint64_t getU64(const uint8_t* p) { return uint64_t{getU32(p)} | (uint64_t{getU32(p + 4)} << 32); }
inline uint16_t getU16be(const uint8_t* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }

inline void putU16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
inline void putU32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
inline void putU64(uint8_t* p, uint64_t v) {
  putU32(p, static_cast<uint32_t>(v));
  putU32(p + 4, static_cast<uint32_t>(v >> 32));
}
inline void putU16be(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v >> 8);
  p[1] = static_cast<uint8_t>(v);
}

// A record that grows at its end.
class ByteWriter {
 public:
  void u8(uint8_t v) { bytes_.push_back(v); }
  void u16(uint16_t v) { put(v, 2, &putU16); }
  void u16be(uint16_t v) { put(v, 2, &putU16be); }
  void u32(uint32_t v) { put(v, 4, &putU32); }
  void u64(uint64_t v) { put(v, 8, &putU64); }
  void bytes(const void* p, size_t n) {
    const auto* b = static_cast<const uint8_t*>(p);
    bytes_.insert(bytes_.end(), b, b + n);
  }
  void zeros(size_t n) { bytes_.insert(bytes_.end(), n, 0); }
  size_t size() const { return bytes_.size(); }
  uint8_t* at(size_t offset) { return bytes_.data() + offset; }
  std::vector<uint8_t>& data() { return bytes_; }

 private:
  template <class T>
  void put(T v, size_t n, void (*writer)(uint8_t*, T)) {
    bytes_.resize(bytes_.size() + n);
    writer(bytes_.data() + bytes_.size() - n, v);
  }

  std::vector<uint8_t> bytes_;
};

}  // namespace wavorel::wire
