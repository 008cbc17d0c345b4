// libFuzzer target for the WPS credential path: the input is the driver's
// answer to the credential query (at most the 996-byte table), taken into the
// table, stored in the "_wsc" file with the WPS flag, turned into a profile
// and connected once per credential (no worker: the connect stops at the
// queue), and read back from the store.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/Platform.h"
#include "tests/fuzz/FuzzRoot.h"
#include "worker/ModuleFunctions.h"
#include "worker/ProfileStore.h"
#include "worker/WorkerGlobals.h"
#include "worker/WpsWorker.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TemporaryRoot root;
  static const bool ready = [] {
    CreateDirectory("C:\\Data", nullptr);
    g_strDataFolder = "C:\\Data\\";
    g_strAdapterGuid = "{F0F0F0F0-0000-1111-2222-333344445555}";
    g_nFamilyIndex = 8;
    g_nOsType = 11;
    return true;
  }();
  if (!ready || root.path.empty()) return 0;
  const std::vector<BYTE> answer(data, data + std::min<size_t>(size, wavorel::wire::wps::table::kSize));
  LoadWpsCredentialTable(answer.data(), static_cast<DWORD>(answer.size()));
  SaveWpsProfiles(1);
  SaveWscFlag();
  g_bWpsRotate = 1;
  g_nWpsCurrentIndex = g_nWpsNextIndex = 0;
  for (int i = 0; i < WpsCredentialCount(); ++i) ConnectWpsProfile();
  for (int index = -1; index <= kMaxWscCredentials; ++index) {
    _PROFILE_DATA profile;
    FillProfileFromWpsCredential(index, profile);
  }
  ReadWpsStore();
  return 0;
}
