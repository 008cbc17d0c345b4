#include "xp/worker/SsoInterplay.h"

#include <string>
#include <vector>

#include "station/profiles/PageSSODlg.h"
#include "worker/HideDlg.h"
#include "worker/ModuleFunctions.h"
#include "worker/WorkerGlobals.h"
#include "xp/worker/RegistryKey.h"
#include "xp/worker/RegistryProfileStore.h"

int g_bSsoCancelled = 0;

namespace {

constexpr DWORD kSsoWaitMs = 1000;
constexpr int kZeroConfigManages = 2;
constexpr char kProfileRemovedText[] = "Selected profile is removed in SSO page.\n\nPlease re-select profile in SSO page";

bool ReadIs(const CRegistryKey& key, LPCSTR name, LPCSTR expected) {
  std::string text;
  return key.ReadText(name, CRegistryKey::kValueSize, text) && text == expected;
}

void DeleteGina() {
  CRegistryKey winlogon;
  if (winlogon.Open(HKEY_LOCAL_MACHINE, kWinlogonKeyPath, KEY_ALL_ACCESS) == ERROR_SUCCESS)
    winlogon.DeleteValue(kSsoGinaValue);
}

// Every subkey of `key`: the names are taken first, so that no delete moves
// the index of another.
void DeleteSubkeys(const CRegistryKey& key) {
  DWORD count = 0, longest = 0;
  if (RegQueryInfoKey(key.Handle(), nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr, nullptr, nullptr,
                      nullptr, nullptr) != ERROR_SUCCESS)
    return;
  std::vector<std::string> names;
  for (DWORD i = 0; i < count; ++i) {
    std::vector<char> name(longest + 2, '\0');
    DWORD size = static_cast<DWORD>(name.size());
    if (RegEnumKeyEx(key.Handle(), i, name.data(), &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
      names.emplace_back(name.data(), size);
  }
  for (const std::string& name : names) RegDeleteKey(key.Handle(), name.c_str());
}

}  // namespace

void ReadSsoState() {
  g_bSsoCancelled = 0;
  CRegistryKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, kSsoKeyPath, KEY_ALL_ACCESS) != ERROR_SUCCESS) return;
  std::string enable;
  if (!key.ReadText("SSOEnable", CRegistryKey::kValueSize, enable)) return;
  if (enable == "0") {
    key.WriteText("SSOAuthenticationCancelled", "0");
    return;
  }
  std::string cancelled;
  if (key.ReadText("SSOAuthenticationCancelled", CRegistryKey::kValueSize, cancelled)) g_bSsoCancelled = cancelled != "0";
  key.Close();
  WaitMilliseconds(kSsoWaitMs);
}

void CheckSsoProfileRemoval(const CString& profileName) {
  CRegistryKey profile;
  if (!IsRegistryProfileName(profileName) ||
      profile.Open(HKEY_LOCAL_MACHINE, StationProfileKeyPath(profileName), KEY_ALL_ACCESS) != ERROR_SUCCESS)
    return;
  const bool usable = ReadIs(profile, "AuthenProtocol", "3") || ReadIs(profile, "LeapEnabled", "1");
  profile.Close();

  CRegistryKey sso;
  if (sso.Open(HKEY_LOCAL_MACHINE, kSsoKeyPath, KEY_ALL_ACCESS) != ERROR_SUCCESS) return;
  std::string install;
  if (!sso.ReadText("SSOInstall", CRegistryKey::kValueSize, install) || install == "0") {
    sso.Close();
    DeleteGina();
    return;
  }
  if (!usable) {
    if (!ReadIs(sso, "SSOEnable", "0")) WarningMessageBox(kProfileRemovedText);
    sso.WriteText("SSOEnable", "0");
  }
  DeleteSubkeys(sso);
  const CString current = usable && !ReadIs(sso, "SSOEnable", "0") ? profileName : CString();
  sso.WriteText("CurProfile", current);
  CString shown;
  shown.Format("Profile Name: %s", static_cast<LPCSTR>(current));
  sso.WriteText("ProfileName", shown);
  sso.Close();
  if (!usable) DeleteGina();
}

BOOL IsSsoInstalledForMode(int configToolMode) {
  if (!g_bAdministrator || configToolMode == kZeroConfigManages) return FALSE;
  CRegistryKey key;
  return key.Open(HKEY_LOCAL_MACHINE, kSsoKeyPath, KEY_READ) == ERROR_SUCCESS && ReadIs(key, "SSOInstall", "1");
}
