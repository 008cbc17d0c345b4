// libFuzzer target for the certificate descriptor over certificates of the
// simulated store: the input gives a subject, an issuer and a friendly name
// (split at NUL bytes; any bytes and lengths, the friendly name taken as
// UTF-8 into the UTF-16 property) and three bytes of the expiry date, the
// top bit of the second making the hash property unreadable.
// FillCertDesc must keep every text terminated inside its 256-byte field
// and a hash of the property's size; a copy must own its own hash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/sim/services/CertStore.h"
#include "station/profiles/CertDesc.h"
#include "tests/fuzz/FuzzRoot.h"

namespace {

void CheckTerminated(const char (&field)[kCertTextSize]) {
  if (std::memchr(field, '\0', sizeof field) == nullptr) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TemporaryRoot root;
  if (root.path.empty() || size < 3) return 0;
  wavorel::sim::WorldCertificate certificate;
  certificate.store = "MY";
  certificate.expires = {1900 + data[0] * 2, data[1] % 14, data[2] % 33};
  certificate.hashReadable = (data[1] & 0x80) == 0;
  std::string fields[3];
  size_t field = 0;
  for (size_t i = 3; i < size && field < 3; ++i) {
    if (data[i] == 0) {
      ++field;
      continue;
    }
    fields[field] += static_cast<char>(data[i]);
  }
  certificate.subject = fields[0];
  certificate.issuer = fields[1].empty() ? fields[0] : fields[1];
  certificate.friendlyName = fields[2];
  const HCERTSTORE store = wavorel::sim::CertStore::table().open("MY", {certificate});
  for (PCCERT_CONTEXT context = CertEnumCertificatesInStore(store, nullptr); context;
       context = CertEnumCertificatesInStore(store, context)) {
    CertDesc desc;
    FillCertDesc(desc, context, 0);
    for (const auto* text : {&desc.subject, &desc.issuer, &desc.expiry, &desc.friendlyName}) CheckTerminated(*text);
    if (desc.subject[0] != '\0' && (!desc.hash || desc.hashSize != 20)) std::abort();
    if (!certificate.hashReadable && (desc.subject[0] != '\0' || desc.hash)) std::abort();
    const CertDesc copy = desc;
    ClearCertDesc(desc);
    if (desc.hash || (copy.subject[0] != '\0' && !copy.hash)) std::abort();
  }
  CertCloseStore(store, 0);
  return 0;
}
