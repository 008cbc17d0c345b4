// The WPS credential table as the driver hands it over, and the profile one
// credential makes.
#include <algorithm>
#include <cstring>

#include "utilmere/Utilmere.h"
#include "worker/LeBytes.h"
#include "worker/ModuleFunctions.h"
#include "worker/WpsWorker.h"

int g_bWpsRotate = 1;
int g_nWpsCurrentIndex = 0;
int g_nWpsNextIndex = 0;
DWORD g_dwWpsStatus = 0;
int g_bWpsRunning = 0;

namespace {

constexpr DWORD kTableSize = sizeof(_WSC_CREDENTIAL_TABLE);
constexpr DWORD kRecordSize = sizeof(_WSC_CREDENTIAL);
constexpr DWORD kMaxSsid = 32;
constexpr DWORD kMaxWepKey = 13;
constexpr DWORD kDefaultRtsThresh = 2347;
constexpr DWORD kInfrastructurePreamble = 2;

DWORD AuthModeOfType(DWORD type) {
  switch (type) {
    case 2:
    case 34: return 4;   // WPA-PSK
    case 4: return 1;    // shared
    case 8: return 3;    // WPA
    case 16: return 6;   // WPA2
    case 32: return 7;   // WPA2-PSK
    default: return 0;   // open
  }
}

DWORD CipherOfType(DWORD type) {
  switch (type) {
    case 2: return 0;    // WEP
    case 4:
    case 12: return 4;   // TKIP
    case 8: return 6;    // AES
    default: return 1;   // disabled
  }
}

// A credential's WEP key as the bytes the block holds: a 10 or 26
// character key decoded from hexadecimal, any other its first 13 bytes.
DWORD WepKeyBytes(const _WSC_CREDENTIAL& c, BYTE (&out)[kMaxWepKey]) {
  const DWORD length = std::min<DWORD>(c.KeyLength, kWscKeyMax);
  if (length == 10 || length == 26) {
    char text[27] = {};
    std::memcpy(text, c.Key, length);
    ConvHexTextToBytes(text, out, static_cast<int>(length / 2));
    return length / 2;
  }
  const DWORD held = std::min(length, kMaxWepKey);
  std::memcpy(out, c.Key, held);
  return held;
}

}  // namespace

void LoadWpsCredentialTable(const BYTE* raw, DWORD answered) {
  _WSC_CREDENTIAL_TABLE& table = g_wscCredentialTable;
  table = _WSC_CREDENTIAL_TABLE{};
  if (!raw || answered < sizeof(ULONG)) return;
  answered = std::min(answered, kTableSize);
  const DWORD stated = GetLeU32(raw);
  const DWORD whole = (answered - sizeof(ULONG)) / kRecordSize;
  const DWORD count = std::min<DWORD>({stated, static_cast<DWORD>(kMaxWscCredentials), whole});
  if (count != stated) Log(GXLOG_WARNING, "WPS credentials: %u stated, %u taken", stated, count);
  table.Count = count;
  for (DWORD i = 0; i < count; ++i) {
    const BYTE* r = raw + sizeof(ULONG) + i * kRecordSize;
    _WSC_CREDENTIAL& c = table.Credentials[i];
    c.SsidLength = GetLeU32(r + offsetof(_WSC_CREDENTIAL, SsidLength));
    if (c.SsidLength > kMaxSsid) {
      Log(GXLOG_WARNING, "WPS credential %u: SSID length %u cut to 32", i, c.SsidLength);
      c.SsidLength = kMaxSsid;
    }
    std::memcpy(c.Ssid, r + offsetof(_WSC_CREDENTIAL, Ssid), sizeof c.Ssid);
    c.AuthType = GetLeU32(r + offsetof(_WSC_CREDENTIAL, AuthType));
    c.EncrType = GetLeU32(r + offsetof(_WSC_CREDENTIAL, EncrType));
    c.KeyIndex = GetLeU32(r + offsetof(_WSC_CREDENTIAL, KeyIndex));
    c.KeyLength = GetLeU32(r + offsetof(_WSC_CREDENTIAL, KeyLength));
    if (c.KeyLength > kWscKeyMax) {
      Log(GXLOG_WARNING, "WPS credential %u: key length %u cut to 64", i, c.KeyLength);
      c.KeyLength = kWscKeyMax;
    }
    std::memcpy(c.Key, r + offsetof(_WSC_CREDENTIAL, Key), sizeof c.Key);
    std::memcpy(c.MacAddress, r + offsetof(_WSC_CREDENTIAL, MacAddress), sizeof c.MacAddress);
  }
}

BOOL FillProfileFromWpsCredential(int index, _PROFILE_DATA& p) {
  const _WSC_CREDENTIAL_TABLE& table = g_wscCredentialTable;
  if (index < 0 || static_cast<DWORD>(index) >= std::min<DWORD>(table.Count, kMaxWscCredentials)) return FALSE;
  const _WSC_CREDENTIAL& c = table.Credentials[index];
  p.AdvancedValid = 0;
  p.Reserved1 = 0;
  p.Reserved2 = 0;
  p.ApplyArgument = 0;
  p.NetworkType = 1;
  p.PreambleType = kInfrastructurePreamble;
  p.RtsThresh = kDefaultRtsThresh;
  p.AuthMode = AuthModeOfType(c.AuthType);
  p.CipherMode = CipherOfType(c.EncrType);
  const DWORD keyLength = std::min<DWORD>(c.KeyLength, kWscKeyMax);
  if (p.CipherMode != 0) {
    if (p.AuthMode == 4 || p.AuthMode == 7) {
      p.WpaPskLength = keyLength;
      std::memcpy(p.WpaPsk, c.Key, keyLength);
    }
  } else if (keyLength > 0 && c.KeyIndex <= 3) {
    BYTE key[kMaxWepKey] = {};
    const DWORD held = WepKeyBytes(c, key);
    p.WepKey[c.KeyIndex] = MakeNdisKeyBlock(c.KeyIndex | kTransmitKeyBit, key, held);
  }
  p.Ssid.SsidLength = std::min<DWORD>(c.SsidLength, kMaxSsid);
  std::memcpy(p.Ssid.Ssid, c.Ssid, p.Ssid.SsidLength);
  std::memcpy(p.Bssid, c.MacAddress, sizeof p.Bssid);
  p.UseBssid = 0;
  p.Valid = 1;
  p.ConnectThroughNativeWiFi = 1;
  return TRUE;
}
