// libFuzzer target for the registry hive reader: any text either parses or is
// refused with a line and a reason; a hive that parses is written and parsed
// again (parse, write, parse) and must hold the same keys and values, and
// its text must then stay the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/win/registry/RegistryHive.h"

namespace {

using wavorel::RegistryHive;

void check(bool ok) {
  if (!ok) std::abort();
}

bool sameKeys(const RegistryHive::Key& a, const RegistryHive::Key& b) {
  if (a.name != b.name || a.values.size() != b.values.size() || a.subkeys.size() != b.subkeys.size()) return false;
  for (size_t i = 0; i < a.values.size(); ++i) {
    const RegistryHive::Value& x = a.values[i];
    const RegistryHive::Value& y = b.values[i];
    if (x.name != y.name || x.type != y.type || x.data != y.data) return false;
  }
  for (auto i = a.subkeys.begin(), j = b.subkeys.begin(); i != a.subkeys.end(); ++i, ++j)
    if (i->first != j->first || !sameKeys(*i->second, *j->second)) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::string error;
  auto hive = RegistryHive::parse("HKEY_LOCAL_MACHINE", text, 1, error);
  if (!hive) {
    check(error.rfind("line ", 0) == 0);
    return 0;
  }
  const std::string written = hive->serialize();
  auto again = RegistryHive::parse("HKEY_LOCAL_MACHINE", written, 1, error);
  check(again != nullptr);
  check(sameKeys(hive->root(), again->root()));
  check(again->serialize() == written);
  return 0;
}
