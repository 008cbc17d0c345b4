// The WPS credential table as the driver hands it over, and the profile one
// credential makes.
#include <algorithm>
#include <cstring>
#include <iterator>

#include "utilmere/Utilmere.h"
#include "platform/wire/Bytes.h"
#include "worker/ModuleFunctions.h"
#include "worker/WpsWorker.h"

int g_bWpsRotate = 1;
int g_nWpsCurrentIndex = 0;
int g_nWpsNextIndex = 0;
DWORD g_dwWpsStatus = 0;
int g_bWpsRunning = 0;

namespace {

namespace credential = wavorel::wire::wps::credential;
namespace table = wavorel::wire::wps::table;
using wavorel::wire::getU32;
using wavorel::wire::putU32;

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
DWORD WepKeyBytes(const WpsCredentialFields& c, BYTE (&out)[kMaxWepKey]) {
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
  _WSC_CREDENTIAL_TABLE& t = g_wscCredentialTable;
  t.fill(0);
  if (!raw || answered < table::kRecords) return;
  answered = std::min<DWORD>(answered, table::kSize);
  const DWORD stated = getU32(raw + table::kCount);
  const DWORD whole = static_cast<DWORD>((answered - table::kRecords) / credential::kSize);
  const DWORD count = std::min<DWORD>({stated, static_cast<DWORD>(kMaxWscCredentials), whole});
  if (count != stated) Log(GXLOG_WARNING, "WPS credentials: %u stated, %u taken", stated, count);
  putU32(t.data() + table::kCount, count);
  std::memcpy(t.data() + table::kRecords, raw + table::kRecords, count * credential::kSize);
  for (DWORD i = 0; i < count; ++i) {
    BYTE* r = t.data() + table::recordAt(i);
    const DWORD ssidLength = getU32(r + credential::kSsidLength);
    if (ssidLength > kWscSsidMax) {
      Log(GXLOG_WARNING, "WPS credential %u: SSID length %u cut to 32", i, ssidLength);
      putU32(r + credential::kSsidLength, kWscSsidMax);
    }
    const DWORD keyLength = getU32(r + credential::kKeyLength);
    if (keyLength > kWscKeyMax) {
      Log(GXLOG_WARNING, "WPS credential %u: key length %u cut to 64", i, keyLength);
      putU32(r + credential::kKeyLength, kWscKeyMax);
    }
  }
}

bool WpsBssidKnown() {
  return std::any_of(std::begin(g_wpsBssid), std::end(g_wpsBssid), [](BYTE b) { return b != 0; });
}

int WpsCredentialCount() {
  return static_cast<int>(std::min<DWORD>(getU32(g_wscCredentialTable.data() + table::kCount), kMaxWscCredentials));
}

WpsCredentialFields WpsCredentialAt(int index) {
  const BYTE* r = g_wscCredentialTable.data() + table::recordAt(static_cast<size_t>(index));
  return {std::min<DWORD>(getU32(r + credential::kSsidLength), kWscSsidMax),
          r + credential::kSsid,
          getU32(r + credential::kAuthType),
          getU32(r + credential::kEncryptionType),
          getU32(r + credential::kKeyIndex),
          std::min<DWORD>(getU32(r + credential::kKeyLength), kWscKeyMax),
          r + credential::kKey,
          r + credential::kMacAddress};
}

BOOL FillProfileFromWpsCredential(int index, _PROFILE_DATA& p) {
  if (index < 0 || index >= WpsCredentialCount()) return FALSE;
  const WpsCredentialFields c = WpsCredentialAt(index);
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
  p.Ssid.SsidLength = c.SsidLength;
  std::memcpy(p.Ssid.Ssid, c.Ssid, p.Ssid.SsidLength);
  std::memcpy(p.Bssid, c.MacAddress, sizeof p.Bssid);
  p.UseBssid = 0;
  p.Valid = 1;
  p.ConnectThroughNativeWiFi = 1;
  return TRUE;
}
