#include "tests/platform/resources/ResourceTestData.h"

#include <fstream>
#include <iterator>

#include "platform/win/kernel/Resources.h"

namespace wavorel::testing {

std::vector<BYTE> dataFile(const std::string& name) {
  std::ifstream in(std::string(RESOURCE_DATA_DIR) + "/" + name, std::ios::binary);
  return std::vector<BYTE>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<BYTE> resourceBytes(HINSTANCE module, LPCSTR type, LPCSTR name) {
  HRSRC res = FindResource(module, name, type);
  if (res == nullptr) return {};
  auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, res)));
  return std::vector<BYTE>(data, data + SizeofResource(module, res));
}

std::string wideAt(const std::vector<BYTE>& b, size_t& p) {
  std::string s;
  for (WORD c = le16(b, p); c != 0; c = le16(b, p)) {
    s += static_cast<char>(c);
    p += 2;
  }
  p += 2;
  return s;
}

}  // namespace wavorel::testing
