// The worker's WPS steps in WavorelVista: the credential connect through
// Native Wi-Fi and the INI store of the credentials.
#include <algorithm>
#include <cstring>
#include <string>

#include "worker/BssLists.h"
#include "worker/HideDlg.h"
#include "worker/IniProfileStore.h"
#include "worker/ModuleFunctions.h"
#include "worker/OidRequest.h"
#include "worker/WlanProfileXml.h"
#include "worker/WorkerGlobals.h"
#include "worker/WpsWorker.h"

namespace {

constexpr int kStoreValueSize = 128;

CString Number(DWORD value) {
  CString text;
  text.Format("%d", static_cast<int>(value));
  return text;
}

void WriteWps(const CString& section, LPCSTR key, LPCSTR value) {
  WriteIniValue(g_strAdapterGuid, kIniKindWps, section, key, value, 0);
}

DWORD AuthAlgorithmOfType(DWORD type) {
  switch (type) {
    case 2:
    case 34: return DOT11_AUTH_ALGO_WPA_PSK;
    case 4: return DOT11_AUTH_ALGO_80211_SHARED_KEY;
    case 8: return DOT11_AUTH_ALGO_WPA;
    case 16: return DOT11_AUTH_ALGO_RSNA;
    case 32: return DOT11_AUTH_ALGO_RSNA_PSK;
    default: return DOT11_AUTH_ALGO_80211_OPEN;
  }
}

DWORD CipherAlgorithmOfType(DWORD type) {
  switch (type) {
    case 2: return DOT11_CIPHER_ALGO_WEP;
    case 4:
    case 12: return DOT11_CIPHER_ALGO_TKIP;
    case 8: return DOT11_CIPHER_ALGO_CCMP;
    default: return DOT11_CIPHER_ALGO_NONE;
  }
}

}  // namespace

DWORD ProfileFromWpsCredential(int index, _PROFILE_DATA& profile) {
  if (!FillProfileFromWpsCredential(index, profile)) return 0;
  if (g_pNativeWiFi && g_pNativeWiFi->OidSetter()) g_pNativeWiFi->OidSetter()->SetDesiredBssid(profile.Bssid);
  profile.ChannelFrequency = GetBssFrequency(profile.Bssid);
  return profile.ChannelFrequency;
}

int ConnectWpsProfile() {
  g_bWpsConnect = 1;
  const int count = WpsCredentialCount();
  if (count == 0) return 0;
  if (g_bWpsRotate)
    g_nWpsCurrentIndex = g_nWpsNextIndex;
  else
    g_nWpsNextIndex = g_nWpsCurrentIndex;
  if (g_nWpsCurrentIndex < 0 || g_nWpsCurrentIndex >= count) g_nWpsCurrentIndex = 0;
  auto profile = std::make_unique<_PROFILE_DATA>();
  ProfileFromWpsCredential(g_nWpsCurrentIndex, *profile);
  if (g_pHideDlg && g_pHideDlg->AddAction(kActionConnect, std::move(profile))) g_pHideDlg->ProcessActions();
  if (g_bWpsRotate) {
    g_nWpsNextIndex = g_nWpsCurrentIndex + 1;
    if (g_nWpsNextIndex >= count) g_nWpsNextIndex = 0;
  }
  return 1;
}

BOOL IsConnectedToWpsCredential() {
  CNativeWiFi* client = g_pNativeWiFi;
  if (!client || g_nWpsCurrentIndex < 0 || g_nWpsCurrentIndex >= WpsCredentialCount()) return FALSE;
  const WpsCredentialFields c = WpsCredentialAt(g_nWpsCurrentIndex);
  BOOL connected = FALSE;
  if (client->IsConnected(&connected) != ERROR_SUCCESS || !connected) return FALSE;
  DOT11_SSID ssid{};
  if (client->GetCurrentSsid(&ssid) != ERROR_SUCCESS) return FALSE;
  const DWORD length = c.SsidLength;
  if (ssid.uSSIDLength != length || std::memcmp(ssid.ucSSID, c.Ssid, length) != 0) return FALSE;
  DWORD auth = 0, cipher = 0;
  if (client->GetAuthAlgorithm(&auth) != ERROR_SUCCESS || auth != AuthAlgorithmOfType(c.AuthType)) return FALSE;
  if (client->GetCipherAlgorithm(&cipher) != ERROR_SUCCESS || cipher != CipherAlgorithmOfType(c.EncrType))
    return FALSE;
  return TRUE;
}

void SaveWpsProfiles(int deleteFlag) {
  const CString common = "Common";
  WriteWps(common, "NumberofProfile", Number(static_cast<DWORD>(WpsCredentialCount())));
  WriteWps(common, "ConfigMode", Number(static_cast<DWORD>(g_nWpsConfigMode)));
  WriteWps(common, "Wireless Mode", Number(static_cast<DWORD>(g_nWpsWirelessMode)));
  WriteWps(common, "PinCode", Number(static_cast<DWORD>(g_nWpsPinCode)));
  for (int i = 0; i < kMaxWscCredentials; ++i) {
    const WpsCredentialFields c = WpsCredentialAt(i);
    CString section;
    section.Format("Profile%d", i);
    char stored[kStoreValueSize] = "";
    ReadIniValue(g_strAdapterGuid, kIniKindWps, section, "SSID", stored, sizeof stored, 0);
    CWlanProfileList* profiles = g_pNativeWiFi ? g_pNativeWiFi->ProfileList() : nullptr;
    // The connection of a stored SSID is kept under the name made of it.
    const CString profileName =
        WlanProfileNameOfSsid(reinterpret_cast<const BYTE*>(stored), static_cast<DWORD>(std::strlen(stored)));
    if (stored[0] && deleteFlag == 1 && profiles && profiles->ProfileExists(profileName)) {
      WCHAR name[WLAN_MAX_NAME_LENGTH] = {};
      MultiByteToWideChar(CP_ACP, 0, profileName, -1, name, WLAN_MAX_NAME_LENGTH - 1);
      profiles->DeleteProfile(name);
    }
    const DWORD ssidLength = c.SsidLength;
    const DWORD keyLength = c.KeyLength;
    WriteWps(section, "SSID", std::string(reinterpret_cast<const char*>(c.Ssid), ssidLength).c_str());
    WriteWps(section, "AuthType", Number(c.AuthType));
    WriteWps(section, "EncryType", Number(c.EncrType));
    WriteWps(section, "KeyIndex", Number(c.KeyIndex));
    WriteWps(section, "KeyLength", Number(keyLength));
    WriteWps(section, "Key", std::string(reinterpret_cast<const char*>(c.Key), keyLength).c_str());
    CString mac;
    mac.Format("%02X%02X%02X%02X%02X%02X", c.MacAddress[0], c.MacAddress[1], c.MacAddress[2], c.MacAddress[3],
               c.MacAddress[4], c.MacAddress[5]);
    WriteWps(section, "MacAddress", mac);
  }
}

void SaveWscFlag() {
  WriteIniValue(g_strAdapterGuid, kIniKindStation, "Config", "WSC", Number(static_cast<DWORD>(g_bWpsConnect)), 0);
}
