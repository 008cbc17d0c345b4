// libFuzzer target for the Native Wi-Fi profile store file: any bytes read
// back as the entries that fit, with a reason for each part that does not;
// what was read, written again, reads back the same without a problem.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/sim/services/WlanProfileStore.h"

using wavorel::sim::StoredProfile;
using wavorel::sim::WlanProfileStore;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> problems;
  std::vector<StoredProfile> read =
      WlanProfileStore::read(std::string(reinterpret_cast<const char*>(data), size), problems);
  std::vector<std::string> again;
  std::vector<StoredProfile> reread = WlanProfileStore::read(WlanProfileStore::serialize(read), again);
  if (!again.empty() || reread.size() != read.size()) std::abort();
  for (size_t i = 0; i < read.size(); ++i) {
    if (reread[i].xml != read[i].xml || reread[i].eapUserData != read[i].eapUserData ||
        reread[i].flags != read[i].flags)
      std::abort();
  }
  return 0;
}
