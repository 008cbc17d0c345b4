// The worker's WPS functions that the pages call (worker/WpsWorker.h), in
// Wavorel: the registry is the credential store and the link is read from the
// driver.
#include <cstring>

#include "worker/DriverCodes.h"
#include "worker/HideDlg.h"
#include "worker/OidRequest.h"
#include "worker/WorkerGlobals.h"
#include "worker/WpsWorker.h"
#include "xp/worker/WpsRegistryStore.h"

namespace {

// A driver value of 4 bytes; FALSE when the query fails or answers less.
BOOL QueryDwordOrZero(DWORD oid, DWORD& value) {
  DWORD returned = 0;
  value = 0;
  return QueryOid(oid, &value, sizeof value, &returned) && returned >= sizeof value;
}

}  // namespace

int ConnectWpsProfile() {
  g_bWpsConnect = 1;
  if (WpsCredentialCount() == 0 || !g_pHideDlg) return 0;
  return g_pHideDlg->ConnectWithWpsCredential() ? 1 : 0;
}

BOOL IsConnectedToWpsCredential() {
  if (g_nWpsCurrentIndex < 0 || g_nWpsCurrentIndex >= WpsCredentialCount()) return FALSE;
  DWORD status = 0;
  if (!QueryDwordOrZero(OID_GEN_MEDIA_CONNECT_STATUS, status) || status != 0) return FALSE;
  NDIS_802_11_SSID ssid{};
  DWORD returned = 0;
  if (!QueryOid(OID_802_11_SSID, &ssid, sizeof ssid, &returned)) return FALSE;
  const WpsCredentialFields c = WpsCredentialAt(g_nWpsCurrentIndex);
  if (ssid.SsidLength != c.SsidLength || std::memcmp(ssid.Ssid, c.Ssid, c.SsidLength) != 0) return FALSE;
  // The authentication and cipher the credential's types connect with.
  _PROFILE_DATA expected{};
  FillProfileFromWpsCredential(g_nWpsCurrentIndex, expected);
  DWORD auth = 0, encryption = 0;
  return QueryDwordOrZero(OID_802_11_AUTHENTICATION_MODE, auth) && auth == expected.AuthMode &&
         QueryDwordOrZero(OID_802_11_ENCRYPTION_STATUS, encryption) && encryption == expected.CipherMode;
}

// The registry keeps no Native Wi-Fi profiles to delete first.
void SaveWpsProfiles(int) { SaveWpsCredentialsToRegistry(); }

void SaveWscFlag() { SaveWpsIndex(); }
