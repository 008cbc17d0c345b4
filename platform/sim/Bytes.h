// Little-endian fields of driver records, read and written byte by byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace wavorel::sim {

inline void putU16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
inline void putU32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
inline void putU64(uint8_t* p, uint64_t v) {
  for (int i = 0; i < 8; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
inline uint32_t getU32(const uint8_t* p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
inline uint16_t getU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

// A growing byte record.
class ByteWriter {
 public:
  void u8(uint8_t v) { bytes_.push_back(v); }
  void u16(uint16_t v) { u8(static_cast<uint8_t>(v)), u8(static_cast<uint8_t>(v >> 8)); }
  void u16be(uint16_t v) { u8(static_cast<uint8_t>(v >> 8)), u8(static_cast<uint8_t>(v)); }
  void u32(uint32_t v) { u16(static_cast<uint16_t>(v)), u16(static_cast<uint16_t>(v >> 16)); }
  void u64(uint64_t v) { u32(static_cast<uint32_t>(v)), u32(static_cast<uint32_t>(v >> 32)); }
  void bytes(const void* p, size_t n) {
    const auto* b = static_cast<const uint8_t*>(p);
    bytes_.insert(bytes_.end(), b, b + n);
  }
  void zeros(size_t n) { bytes_.insert(bytes_.end(), n, 0); }
  size_t size() const { return bytes_.size(); }
  uint8_t* at(size_t offset) { return bytes_.data() + offset; }
  std::vector<uint8_t>& data() { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace wavorel::sim
