// libFuzzer target for PACs brought back to the simulated EAP-FAST server:
// the input is a 1040-byte PAC file's fields (four lengths, then the data),
// read the way a caller reads it, handed to acEapFASTPacCreate and checked by
// the server. Any bytes give a verdict; none crashes or reads past the data.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/sim/services/SupplicantServer.h"
#include "platform/win/services/AcAuth.h"
#include "platform/wire/Bytes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const wavorel::sim::WorldNetwork network = [] {
    wavorel::sim::WorldNetwork n;
    n.ssid = "Corp";
    n.security = wavorel::sim::Security::Wpa2Enterprise;
    n.eap.fastAid = "AID";
    return n;
  }();
  static const wavorel::sim::SupplicantServer server(network, {}, "");
  std::string file(reinterpret_cast<const char*>(data), std::min<size_t>(size, 1040));
  file.resize(1040, '\0');
  const auto* p = reinterpret_cast<const uint8_t*>(file.data());
  uint64_t lengths[4], total = 0;
  for (int i = 0; i < 4; ++i) total += lengths[i] = wavorel::wire::getU32(p + 4 * i);
  if (total > 1024) return 0;  // a record whose lengths do not fit is never used
  std::string body = file.substr(16);
  std::string key = body.substr(lengths[0] + lengths[1], lengths[2]);
  std::string opaque = body.substr(lengths[0] + lengths[1] + lengths[2], lengths[3]);
  AC_OBJECT pac = 0;
  if (acEapFASTPacCreate(&pac, reinterpret_cast<const uint8_t*>(key.data()), static_cast<uint32_t>(key.size()),
                         reinterpret_cast<const uint8_t*>(opaque.data()), static_cast<uint32_t>(opaque.size())) == 0)
    acEapFASTPacDestroy(pac);
  int verdict = server.checkPac(key, opaque, 1700000000);
  if (verdict != 0 && verdict != AC_STATUS_PAC_INVALID && verdict != AC_STATUS_PAC_EXPIRED) __builtin_trap();
  // What the server issues it takes back.
  wavorel::sim::IssuedPac issued = server.issuePac(std::string(reinterpret_cast<const char*>(data), std::min<size_t>(size, 200)), 1700000000);
  if (server.checkPac(issued.key, issued.opaque, 1700000000) != 0) __builtin_trap();
  return 0;
}
