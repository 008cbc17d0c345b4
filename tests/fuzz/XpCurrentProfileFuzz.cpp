// libFuzzer target for Wavorel's current-profile reader: the input's entries
// (XpRegistryInput.h) become the adapter's driver key and its "WscProfile"
// tree; the routine reads them into the WPS credential table and a profile
// record (caught as it is queued, nothing applied); the table and the record
// must stay within their fields.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/Platform.h"
#include "tests/fuzz/FuzzRoot.h"
#include "tests/fuzz/XpRegistryInput.h"
#include "worker/WorkerGlobals.h"
#include "worker/WpsWorker.h"
#include "xp/worker/LoadAndApplyCurrentProfile.h"
#include "xp/worker/ZeroConfigHandover.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

void CheckRecord(const _PROFILE_DATA& p) {
  Check(p.Ssid.SsidLength <= sizeof p.Ssid.Ssid);
  Check(p.ClientCertLen <= sizeof p.ClientCertData && p.ServerCertLen <= sizeof p.ServerCertData);
  Check(p.LeapUserNameLength < sizeof p.LeapUserName && p.LeapPasswordLength < sizeof p.LeapPassword &&
        p.LeapDomainLength < sizeof p.LeapDomain);
  Check(p.WpaPskLength <= sizeof p.WpaPsk);
  for (const NdisKeyBlock& key : p.WepKey) Check(key.empty() || key.size() == 44 || key.size() == 52);
  Check(p.WpaNoneKey.empty() || p.WpaNoneKey.size() == kWpaNoneKeyBlockSize);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TemporaryRoot root;
  if (root.path.empty()) return 0;
  g_strDriverKey = "SYSTEM\\Fuzz\\0000";
  // Zero Configuration holds the adapter: the supplicant is left alone.
  ConfigToolMode = kConfigToolZeroConfig;
  g_bApplyRequested = 1;
  xpfuzz::WriteEntries(std::string(g_strDriverKey), data, size);
  std::unique_ptr<_PROFILE_DATA> queued;
  CURRENT_PROFILE_TARGET target;
  target.worker.addAction = [&queued](_ACTION_DATA action) {
    queued = std::move(action.Profile);
    return FALSE;
  };
  for (BOOL readOnly : {FALSE, TRUE}) {
    queued.reset();
    ReadAndApplyCurrentProfile(target, readOnly, TRUE);
    Check(WpsCredentialCount() <= kMaxWscCredentials);
    for (int i = 0; i < WpsCredentialCount(); ++i) {
      const WpsCredentialFields c = WpsCredentialAt(i);
      Check(c.SsidLength <= kWscSsidMax && c.KeyLength <= kWscKeyMax);
    }
    if (queued) CheckRecord(*queued);
  }
  return 0;
}
