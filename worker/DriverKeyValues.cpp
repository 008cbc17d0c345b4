// Values of the adapter's driver key: the readers of single values and the
// soft-AP defaults written under its "ApDefault" subkey.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "utilmere/Utilmere.h"
#include "platform/wire/Bytes.h"
#include "worker/ModuleFunctions.h"
#include "worker/OidRequest.h"
#include "worker/WorkerGlobals.h"

void ReadRegistryText(HKEY key, LPCSTR name, char* out, DWORD size) {
  out[0] = '\0';
  DWORD type = 0, needed = 0;
  if (RegQueryValueEx(key, name, nullptr, &type, nullptr, &needed) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return;
  std::vector<char> whole(needed + 1, '\0');
  if (RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(whole.data()), &needed) != ERROR_SUCCESS)
    return;
  const size_t length = std::min<size_t>(std::strlen(whole.data()), size - 1);
  std::memcpy(out, whole.data(), length);
  out[length] = '\0';
}

BOOL ReadRegistryRawDword(HKEY key, LPCSTR name, DWORD& value) {
  DWORD type = 0, needed = 0;
  if (RegQueryValueEx(key, name, nullptr, &type, nullptr, &needed) != ERROR_SUCCESS) return FALSE;
  std::vector<BYTE> bytes(std::max<DWORD>(needed, sizeof(DWORD)), 0);
  if (RegQueryValueEx(key, name, nullptr, &type, bytes.data(), &needed) != ERROR_SUCCESS) return FALSE;
  value = wavorel::wire::getU32(bytes.data());
  return TRUE;
}

namespace {

void writeText(HKEY key, LPCSTR name, const CString& text) {
  RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(static_cast<LPCSTR>(text)),
                static_cast<DWORD>(text.GetLength()));
}

void writeEmptyList(HKEY key, LPCSTR name) {
  const BYTE empty = 0;
  RegSetValueEx(key, name, 0, REG_MULTI_SZ, &empty, 1);
}

}  // namespace

int OpenDriverKey(HKEY* key, LPCSTR keyPath) {
  return RegOpenKeyEx(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_READ, key) == ERROR_SUCCESS ? 1 : 0;
}

int ReadIeee80211hSwitch() {
  HKEY key = nullptr;
  if (!OpenDriverKey(&key, g_strDriverKey)) return 0;
  char text[5];
  ReadRegistryText(key, "IEEE80211H", text, sizeof text);
  RegCloseKey(key);
  return std::atoi(text) == 1 ? 1 : 0;
}

BOOL ReadCcx2Control(DWORD& value) {
  HKEY key = nullptr;
  if (!OpenDriverKey(&key, g_strDriverKey)) return FALSE;
  DWORD read = 0, type = 0, size = sizeof read;
  const bool ok = RegQueryValueEx(key, "CCX2Control", nullptr, &type, reinterpret_cast<LPBYTE>(&read), &size) ==
                      ERROR_SUCCESS &&
                  size == sizeof read;
  RegCloseKey(key);
  if (!ok) return FALSE;
  value = read;
  return TRUE;
}

void WriteApDefaults(LPCSTR driverKey) {
  const CString path = CString(driverKey) + "\\ApDefault";
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, path, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
    RegCloseKey(key);
    return;
  }
  DWORD disposition = 0;
  if (RegCreateKeyEx(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition) !=
      ERROR_SUCCESS)
    return;
  BYTE mac[6] = {};
  DWORD returned = 0;
  QueryOid(OID_DOT11_CURRENT_ADDRESS, mac, sizeof mac, &returned);

  int mode = 9;
  AdjustWirelessMode(mode);
  writeText(key, "SSID", FormatString("%s-SoftAP", static_cast<LPCSTR>(GetMLText("CompanyName"))));
  writeText(key, "WirelessMode", FormatString("%d", mode));
  static const char* const kBeforeKeys[][2] = {
      {"TransRate", "0"},   {"TurboRate", "0"},    {"BGProtection", "0"}, {"ShortSlot", "1"},
      {"Channel", "1"},     {"PreambleType", "0"}, {"TXPower", "0"},      {"RtsThresh", "2347"},
      {"FragThresh", "0"},  {kApAuthValueName, kApOpenAuthText}, {kApCipherValueName, kApNoCipherText}, {"WPAPSK", ""},
      {"WEPKey1Type", "0"}, {"WEPKey2Type", "0"},  {"WEPKey3Type", "0"},  {"WEPKey4Type", "0"},
      {"WEPKeyUse", "1"},   {"WEPKey1", ""},       {"WEPKey2", ""},       {"WEPKey3", ""},
      {"WEPKey4", ""},      {"RekeyInterval", "60"}, {"RekeyMethod", "0"}, {"TXPower", "0"},
      {"RadiusIP", ""},     {"RadiusPort", ""},    {"RadiusKey", ""},     {"AccessControlPolicy", "0"},
  };
  for (const auto& value : kBeforeKeys) writeText(key, value[0], value[1]);
  writeEmptyList(key, "AccessControlList");
  writeText(key, "WdsEnable", "1");
  writeEmptyList(key, "WdsList");
  static const char* const kAfterKeys[][2] = {
      {"AutoChannelSelect", "0"}, {"NoForwarding", "0"}, {"HideSSID", "0"}, {"BeaconPeriod", "100"}};
  for (const auto& value : kAfterKeys) writeText(key, value[0], value[1]);
  RegCloseKey(key);
}

void RunOnceInitConfigTxBurst(LPCSTR driverKey) {
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, driverKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  if (RegQueryValueEx(key, "RunOnceInitConfigTxBurst", nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
    RegCloseKey(key);
    return;
  }
  DWORD choice = 0;
  HKEY installer = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\NEROLT\\WLAN\\InstallShield", 0, KEY_READ, &installer) ==
      ERROR_SUCCESS) {
    DWORD value = 0, type = 0, size = sizeof value;
    if (RegQueryValueEx(installer, "ConfigTxBurstSelect", nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size) ==
            ERROR_SUCCESS &&
        size == sizeof value)
      choice = value == 1 ? 1 : 0;
    RegCloseKey(installer);
  }
  const CString text = FormatString("%u", choice);
  writeText(key, "TXBurst", text);
  writeText(key, "RunOnceInitConfigTxBurst", text);
  RegCloseKey(key);
}
