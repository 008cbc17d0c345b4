#include "xp/worker/WpsRegistryStore.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/wire/Bytes.h"
#include "platform/wire/WpsRecords.h"
#include "worker/ModuleFunctions.h"
#include "worker/WorkerGlobals.h"
#include "worker/WpsWorker.h"
#include "xp/worker/RegistryKey.h"

namespace {

namespace table = wavorel::wire::wps::table;
namespace credential = wavorel::wire::wps::credential;
using wavorel::wire::getU32;
using wavorel::wire::putU32;

constexpr DWORD kMacSize = 6;

CString WscProfilePath() { return g_strDriverKey + "\\WscProfile"; }

CString SlotName(size_t slot) {
  CString name;
  name.Format("Profile%d", static_cast<int>(slot));
  return name;
}

void WriteSlot(const CRegistryKey& key, const BYTE* record) {
  const DWORD ssidLength = std::min<DWORD>(getU32(record + credential::kSsidLength), kWscSsidMax);
  const DWORD keyLength = std::min<DWORD>(getU32(record + credential::kKeyLength), kWscKeyMax);
  key.WriteText("SSID", std::string(reinterpret_cast<const char*>(record + credential::kSsid), ssidLength).c_str());
  key.WriteNumber("AuthType", static_cast<int>(getU32(record + credential::kAuthType)));
  key.WriteNumber("EncryType", static_cast<int>(getU32(record + credential::kEncryptionType)));
  key.WriteNumber("KeyIndex", static_cast<int>(getU32(record + credential::kKeyIndex)));
  key.WriteNumber("KeyLength", static_cast<int>(keyLength));
  key.WriteText("Key", std::string(reinterpret_cast<const char*>(record + credential::kKey), keyLength).c_str());
  key.WriteBinary("MacAddress", record + credential::kMacAddress, kMacSize);
}

void ReadSlot(const CRegistryKey& key, BYTE* record) {
  std::string ssid;
  key.ReadText("SSID", kWscSsidMax + 1, ssid);
  putU32(record + credential::kSsidLength, static_cast<DWORD>(ssid.size()));
  std::memcpy(record + credential::kSsid, ssid.data(), ssid.size());
  int number = 0;
  key.ReadNumber("AuthType", number);
  putU32(record + credential::kAuthType, static_cast<DWORD>(number));
  number = 0;
  key.ReadNumber("EncryType", number);
  putU32(record + credential::kEncryptionType, static_cast<DWORD>(number));
  number = 0;
  key.ReadNumber("KeyIndex", number);
  putU32(record + credential::kKeyIndex, static_cast<DWORD>(number));
  number = 0;
  key.ReadNumber("KeyLength", number);
  std::string text;
  key.ReadText("Key", kWscKeyMax + 1, text);
  const DWORD keyLength = std::min<DWORD>(static_cast<DWORD>(std::clamp<int>(number, 0, kWscKeyMax)),
                                          static_cast<DWORD>(text.size()));
  putU32(record + credential::kKeyLength, static_cast<DWORD>(std::clamp<int>(number, 0, kWscKeyMax)));
  std::memcpy(record + credential::kKey, text.data(), keyLength);
  key.ReadBinary("MacAddress", record + credential::kMacAddress, kMacSize);
}

}  // namespace

BOOL SaveWpsCredentialsToRegistry() {
  CRegistryKey key;
  if (key.Create(HKEY_LOCAL_MACHINE, WscProfilePath()) != ERROR_SUCCESS) return FALSE;
  key.WriteNumber("NumberofProfile", WpsCredentialCount());
  key.WriteNumber("ConfigMode", g_nWpsConfigMode);
  key.WriteNumber("Wireless Mode", g_nWpsWirelessMode);
  key.WriteNumber("PinCode", g_nWpsPinCode);
  key.WriteBinary("Bssid", g_wpsBssid, kMacSize);
  key.Close();
  for (size_t slot = 0; slot < table::kMaxRecords; ++slot) {
    CRegistryKey profile;
    if (profile.Create(HKEY_LOCAL_MACHINE, WscProfilePath() + "\\" + SlotName(slot)) != ERROR_SUCCESS) continue;
    WriteSlot(profile, g_wscCredentialTable.data() + table::recordAt(slot));
  }
  return TRUE;
}

BOOL SaveWpsIndex() {
  CRegistryKey key;
  if (key.Create(HKEY_LOCAL_MACHINE, g_strDriverKey) != ERROR_SUCCESS) return FALSE;
  key.WriteNumber("WSC", g_bWpsConnect);
  if (key.Open(HKEY_LOCAL_MACHINE, WscProfilePath(), KEY_ALL_ACCESS) != ERROR_SUCCESS) return FALSE;
  key.ReadBinary("Bssid", g_wpsBssid, kMacSize);
  return TRUE;
}

void ReadWpsCredentialsFromRegistry(REGSAM access) {
  g_wscCredentialTable.fill(0);
  std::memset(g_wpsBssid, 0, sizeof g_wpsBssid);
  CRegistryKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, WscProfilePath(), access) != ERROR_SUCCESS) return;
  key.ReadNumber("ConfigMode", g_nWpsConfigMode);
  key.ReadNumber("Wireless Mode", g_nWpsWirelessMode);
  key.ReadNumber("PinCode", g_nWpsPinCode);
  int count = 0;
  key.ReadNumber("NumberofProfile", count);
  putU32(g_wscCredentialTable.data() + table::kCount,
         static_cast<DWORD>(std::clamp<int>(count, 0, static_cast<int>(table::kMaxRecords))));
  key.ReadBinary("Bssid", g_wpsBssid, kMacSize);
  key.Close();
  for (size_t slot = 0; slot < table::kMaxRecords; ++slot) {
    CRegistryKey profile;
    if (profile.Open(HKEY_LOCAL_MACHINE, WscProfilePath() + "\\" + SlotName(slot), access) != ERROR_SUCCESS) continue;
    ReadSlot(profile, g_wscCredentialTable.data() + table::recordAt(slot));
  }
}
