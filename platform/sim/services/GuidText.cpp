#include "platform/sim/services/GuidText.h"

#include <cctype>
#include <cstdio>

namespace wavorel::sim {

std::string guidText(const GUID& g) {
  char text[40];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.Data1, g.Data2, g.Data3,
                g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
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
