// The link status page's members that read the link in Wavorel: the
// connection, its security and channel come from the standard NDIS codes, the
// not-connected state from the radio value and the station configuration
// block, the central channel's mark from the site survey page's rows.
#include <algorithm>
#include <cstring>

#include "frontend/BridgeCodes.h"
#include "frontend/UiBridge.h"
#include "platform/wire/Bytes.h"
#include "platform/wire/NdisBssidList.h"
#include "platform/wire/VendorRecords.h"
#include "station/status/LinkStatusDlg.h"
#include "station/status/PageSiteSurveyDlg.h"
#include "station/status/SiteList.h"
#include "worker/DriverCodes.h"
#include "worker/ModuleFunctions.h"
#include "worker/OidRequest.h"
#include "worker/StationHost.h"
#include "worker/WorkerGlobals.h"

namespace {

constexpr UINT IDS_NOT_READY = 176;
constexpr UINT IDS_DISCONNECTED = 104;
constexpr UINT IDS_RF_OFF = 105;
// The connection state a driver that does not fill the buffer leaves.
constexpr DWORD kConnectStatusUnset = 0x01010101;
constexpr DWORD kMediaConnected = 0;
// The encryption status a driver that does not fill the buffer leaves.
constexpr DWORD kEncryptionUnset = 1;
// The first wireless mode with 802.11n.
constexpr int kFirstHtMode = 5;

// A 4-byte query into `value`, which keeps its start value when it fails.
BOOL QueryWord(DWORD oid, DWORD& value) {
  DWORD returned = 0;
  return QueryOid(oid, &value, sizeof value, &returned);
}

LPCSTR AuthenticationText(DWORD mode) {
  switch (mode) {
    case 1: return "Shared";
    case 3: return "WPA";
    case 4: return "WPA-PSK";
    case 5: return "WPA-NONE";
    case 6: return "WPA2";
    case 7: return "WPA2-PSK";
    default: return "Open";
  }
}

LPCSTR EncryptionText(DWORD status) {
  switch (status) {
    case 0: return "WEP";
    case 3: return "WEP Not Supported";
    case 4:
    case 5: return "TKIP";
    case 6:
    case 7: return "AES";
    default: return "NONE";
  }
}

}  // namespace

BOOL CLinkStatusDlg::ReadConnection(BOOL* queryOk, CString& ssid, BYTE bssid[6]) {
  std::memset(bssid, 0, 6);
  DWORD status = kConnectStatusUnset;
  *queryOk = QueryWord(OID_GEN_MEDIA_CONNECT_STATUS, status);
  if (!*queryOk) return FALSE;
  DWORD returned = 0;
  QueryOid(OID_802_11_BSSID, bssid, 6, &returned);
  if (status != kMediaConnected || std::all_of(bssid, bssid + 6, [](BYTE b) { return b == 0; })) return FALSE;
  NDIS_802_11_SSID current{};
  QueryOid(OID_802_11_SSID, &current, sizeof current, &returned);
  ssid = SsidText(current.Ssid, current.SsidLength);
  return TRUE;
}

// The radio-off link event counts as not connected like a missing link: the
// radio value and the driver's configuration block tell the state.
void CLinkStatusDlg::ShowNotConnected(int notHt, int ready, int /*radioOff*/) {
  if (!ready) {
    m_texts[kStatus] = LoadText(IDS_NOT_READY);
    NotifyUI(BRIDGE_UI_LINK_STATUS, "Driver Error", TRUE);
  } else {
    BOOL radioWorks = FALSE;
    if (g_bRadioOn) {
      BYTE config[wavorel::wire::vendor::stationconfig::kSize] = {};
      DWORD returned = 0;
      QueryOid(OID_VX_PRIVATE_0111, config, sizeof config, &returned);
      radioWorks = wavorel::wire::getU32(config + wavorel::wire::vendor::stationconfig::kRadio) != 0;
    }
    m_texts[kStatus] = LoadText(radioWorks ? IDS_DISCONNECTED : IDS_RF_OFF);
    NotifyUI(BRIDGE_UI_LINK_STATUS, radioWorks ? "Disconnected" : "Radio Off", TRUE);
  }
  ClearLinkValues(notHt);
}

void CLinkStatusDlg::GetNetworkTexts() {
  DWORD infrastructure = 0, authentication = 0, encryption = kEncryptionUnset;
  QueryWord(OID_802_11_INFRASTRUCTURE_MODE, infrastructure);
  QueryWord(OID_802_11_AUTHENTICATION_MODE, authentication);
  QueryWord(OID_802_11_ENCRYPTION_STATUS, encryption);
  m_texts[kNetworkType] = infrastructure == 0 ? "Ad-Hoc" : "Infrastructure";
  m_texts[kAuth] = AuthenticationText(authentication);
  m_texts[kEncryption] = EncryptionText(encryption);
  NotifyUI(BRIDGE_UI_LINK_NETWORK_TYPE, m_texts[kNetworkType], TRUE);
  NotifyUI(BRIDGE_UI_LINK_AUTH_TYPE, m_texts[kAuth], TRUE);
  NotifyUI(BRIDGE_UI_LINK_ENCRYPTION, m_texts[kEncryption], TRUE);
}

void CLinkStatusDlg::UpdateChannelText() {
  namespace config = wavorel::wire::ndis::configuration;
  BYTE record[config::kSize] = {};
  DWORD returned = 0;
  QueryOid(OID_802_11_CONFIGURATION, record, sizeof record, &returned);
  m_texts[kChannel] = SiteDetailChannelText(wavorel::wire::getU32(record + config::kDsConfig));
}

void CLinkStatusDlg::AppendCentralChannel(const LinkStatusRecord& record) {
  if (!g_bHtFamily || g_nWirelessMode < kFirstHtMode) return;
  // The host's site survey tab is always a CPageSiteSurveyDlg.
  CStationHost* host = GetStationHost();
  const auto* survey = host ? static_cast<const CPageSiteSurveyDlg*>(host->GetTabPage(kHostTabSiteSurvey)) : nullptr;
  if (!survey) return;
  const std::vector<SiteRow>& rows = survey->GetRows();
  const auto connected = std::find_if(rows.begin(), rows.end(), [](const SiteRow& row) { return row.connected == 1; });
  if (connected == rows.end() || connected->ht != 1 || m_texts[kChannel].IsEmpty()) return;
  AddCentralChannel(record);
}
