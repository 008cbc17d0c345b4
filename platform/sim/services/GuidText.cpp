#include "platform/sim/services/GuidText.h"

#include <cctype>
#include <cstdint>

namespace wavorel::sim {

namespace {

// `digits` upper-case hex digits of `value` at `out`, most significant first.
void putHex(char* out, uint32_t value, int digits) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (int i = digits - 1; i >= 0; --i, value >>= 4) out[i] = kHex[value & 0xF];
}

}  // namespace

// Every Native Wi-Fi call names its interface by GUID: the text is made
// without a formatted print.
std::string guidText(const GUID& g) {
  std::string text = "{00000000-0000-0000-0000-000000000000}";
  char* at = text.data();
  putHex(at + 1, g.Data1, 8);
  putHex(at + 10, g.Data2, 4);
  putHex(at + 15, g.Data3, 4);
  putHex(at + 20, g.Data4[0], 2);
  putHex(at + 22, g.Data4[1], 2);
  for (int i = 0; i < 6; ++i) putHex(at + 25 + 2 * i, g.Data4[2 + i], 2);
  return text;
}

bool parseGuidText(const std::string& t, GUID& out) {
  if (t.size() != 38 || t.front() != '{' || t.back() != '}') return false;
  for (size_t i = 1; i < 37; ++i) {
    bool dash = i == 9 || i == 14 || i == 19 || i == 24;
    if (dash ? t[i] != '-' : !std::isxdigit(static_cast<unsigned char>(t[i]))) return false;
  }
  auto hex = [&t](size_t at, size_t n) { return std::stoul(t.substr(at, n), nullptr, 16); };
  out.Data1 = static_cast<uint32_t>(hex(1, 8));
  out.Data2 = static_cast<uint16_t>(hex(10, 4));
  out.Data3 = static_cast<uint16_t>(hex(15, 4));
  out.Data4[0] = static_cast<uint8_t>(hex(20, 2));
  out.Data4[1] = static_cast<uint8_t>(hex(22, 2));
  for (int i = 0; i < 6; ++i) out.Data4[2 + i] = static_cast<uint8_t>(hex(25 + 2 * i, 2));
  return true;
}

}  // namespace wavorel::sim
