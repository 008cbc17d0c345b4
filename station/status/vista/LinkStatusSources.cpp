// The link status page's members that read the link through the worker's
// Native Wi-Fi client (WavorelVista); the XP build reads the same values
// from the driver with its own versions of these members.
#include <algorithm>
#include <cstring>

#include "frontend/BridgeCodes.h"
#include "frontend/UiBridge.h"
#include "platform/wire/NdisBssidList.h"
#include "station/status/LinkStatusDlg.h"
#include "station/status/SiteList.h"
#include "worker/BssInfoElements.h"
#include "worker/BssLists.h"
#include "worker/ChannelTable.h"
#include "worker/ModuleFunctions.h"
#include "worker/NativeWiFi.h"
#include "worker/WorkerGlobals.h"

namespace {

constexpr DWORD kNoChannel = 0xFFFFFFFF;

// TRUE when the site list's record of `bssid` carries 802.11n information.
bool IsHtNetwork(const BYTE bssid[6]) {
  namespace bss = wavorel::wire::ndis::bssid;
  bool ht = false;
  WalkBssList(BssidSiteList.get(), kBssListSize, [&](const BYTE* record, DWORD length) {
    if (ht || std::memcmp(record + bss::kMacAddress, bssid, 6) != 0) return;
    CStringArray fields;
    SplitString(ParseBssInfoElements(record, length, kBssTextHt), ";", fields);
    // The last of the 55 fields says whether the BSS carries 802.11n information.
    ht = fields.GetSize() >= kHtTextFields && fields[kHtTextFields - 1] == "TRUE";
  });
  return ht;
}

}  // namespace

BOOL CLinkStatusDlg::ReadConnection(BOOL* queryOk, CString& ssid, BYTE bssid[6]) {
  std::memset(bssid, 0, 6);
  BOOL connected = FALSE;
  *queryOk = g_pNativeWiFi && g_pNativeWiFi->IsConnected(&connected) == ERROR_SUCCESS;
  if (!*queryOk) return FALSE;
  g_pNativeWiFi->GetCurrentBssid(bssid);
  if (!connected || std::all_of(bssid, bssid + 6, [](BYTE b) { return b == 0; })) return FALSE;
  DOT11_SSID current{};
  g_pNativeWiFi->GetCurrentSsid(&current);
  ssid = SsidText(current.ucSSID, current.uSSIDLength);
  return TRUE;
}

void CLinkStatusDlg::ShowNotConnected(int notHt, int ready, int radioOff) {
  if (radioOff || (ready && !g_bRadioOn)) {
    m_texts[kStatus] = "RF OFF";
    NotifyUI(BRIDGE_UI_LINK_STATUS, "Radio Off", TRUE);
  } else if (!ready) {
    m_texts[kStatus] = "NIC or driver not ready";
    NotifyUI(BRIDGE_UI_LINK_STATUS, "Driver Error", TRUE);
    if (!g_pNativeWiFi || !g_pNativeWiFi->IsOpened()) {
      m_texts[kStatus] = "AutoConfig service is disable";
      NotifyUI(BRIDGE_UI_LINK_STATUS, m_texts[kStatus], TRUE);
    }
  } else {
    m_texts[kStatus] = "Disconnected";
    NotifyUI(BRIDGE_UI_LINK_STATUS, "Disconnected", TRUE);
  }
  ClearLinkValues(notHt);
}

void CLinkStatusDlg::GetNetworkTexts() {
  DWORD bssType = 1, auth = 1, cipher = 0;
  if (g_pNativeWiFi) {
    g_pNativeWiFi->GetBssType(&bssType);
    g_pNativeWiFi->GetAuthAlgorithm(&auth);
    g_pNativeWiFi->GetCipherAlgorithm(&cipher);
  }
  if (bssType == 1 || bssType == 3)
    m_texts[kNetworkType] = "Infrastructure";
  else if (bssType == 2)
    m_texts[kNetworkType] = "Ad-Hoc";
  static const char* const kAuthTexts[] = {"Open", "Shared", "WPA", "WPA-PSK", "WPA-NONE", "WPA2", "WPA2-PSK"};
  if (auth >= 1 && auth <= 7) m_texts[kAuth] = kAuthTexts[auth - 1];
  switch (cipher) {
    case 0: m_texts[kEncryption] = "NONE"; break;
    case 2: m_texts[kEncryption] = "TKIP"; break;
    case 4: m_texts[kEncryption] = "AES"; break;
    case 0x101: m_texts[kEncryption] = "WEP"; break;
    default: break;
  }
  NotifyUI(BRIDGE_UI_LINK_NETWORK_TYPE, m_texts[kNetworkType], TRUE);
  NotifyUI(BRIDGE_UI_LINK_AUTH_TYPE, m_texts[kAuth], TRUE);
  NotifyUI(BRIDGE_UI_LINK_ENCRYPTION, m_texts[kEncryption], TRUE);
}

void CLinkStatusDlg::UpdateChannelText() {
  DWORD channel = kNoChannel;
  if (g_pNativeWiFi) g_pNativeWiFi->GetChannel(&channel);
  if (channel == kNoChannel) {
    m_texts[kChannel].Empty();
    return;
  }
  // A channel not in the table leaves the text as it was.
  if (const CHANNEL_FREQUENCY* row = FindChannelByNumber(channel)) m_texts[kChannel] = SiteDetailChannelText(row->Frequency);
}

void CLinkStatusDlg::AppendCentralChannel(const LinkStatusRecord& record) {
  if (!g_bHtFamily || m_texts[kChannel].IsEmpty() || !IsHtNetwork(m_bssid)) return;
  AddCentralChannel(record);
}
