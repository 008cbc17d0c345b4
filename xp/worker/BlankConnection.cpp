// Wavorel's blank connection: the current connection's values of the
// adapter's driver key emptied (the registry store's counterpart of
// WavorelVista's "Config" section).
#include "worker/ProfileStore.h"
#include "worker/WorkerGlobals.h"
#include "xp/worker/RegistryKey.h"

BOOL ClearConfigSection() {
  static const struct {
    const char* name;
    const char* value;
  } kBlank[] = {{"SSID", ""},           {"NetworkType", "1"},   {"AuthenType", "0"},     {"Encryption", "1"},
                {"WEPKey1Type", ""},    {"WEPKey2Type", ""},    {"WEPKey3Type", ""},     {"WEPKey4Type", ""},
                {"CurProfile", ""},     {"LeapEnabled", ""},    {"LeapUserName", ""},    {"LeapPassword", ""},
                {"TunnelID", ""},       {"TunnelProtocol", ""}, {"Use8021X", "0"},       {"ServerCertLen", "0"},
                {"ServerCertData", ""}, {"ClientCertLen", "0"}, {"ClientCertData", ""}};
  CRegistryKey driver;
  // A key that cannot be opened, or a value that cannot be written, is passed over.
  if (driver.Open(HKEY_LOCAL_MACHINE, g_strDriverKey, KEY_ALL_ACCESS) != ERROR_SUCCESS) return TRUE;
  for (const auto& entry : kBlank) driver.WriteText(entry.name, entry.value);
  return TRUE;
}
