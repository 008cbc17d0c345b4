// CNativeWiFi: the worker's client of the Native Wi-Fi service (WavorelVista):
// it opens the service, finds the interface whose description is the
// adapter's name, and offers the scan, the queries of the current connection,
// radio switching, disconnect and the conversion of the service's BSS lists
// into the worker's BSS list buffer. It owns its companions: the profile
// store and connect (CWlanProfileOps), the profile list (CWlanProfileList),
// two driver writers (CWlanOidSetter) and the notification registration
// (CNativeWiFiNotify). Vista-only (worker/vista/). UI thread only.
#pragma once

#include <memory>

#include "platform/Platform.h"
#include "platform/wire/NdisStatistics.h"
#include "worker/NativeWiFiNotify.h"
#include "worker/ProfileData.h"
#include "worker/WlanOidSetter.h"
#include "worker/WlanProfileList.h"
#include "worker/WlanProfileOps.h"
#include "worker/WorkerGlobals.h"

// Size of the worker's BSS list buffer (an NDIS_802_11_BSSID_LIST_EX).
constexpr DWORD kBssidScanListSize = kBssListSize;

class CNativeWiFi {
 public:
  // `target`: whose worker the client's notifications reach.
  explicit CNativeWiFi(WlanNotifyTarget target = WlanNotifyTarget::Station) : m_notifyTarget(target) {}
  ~CNativeWiFi();
  CNativeWiFi(const CNativeWiFi&) = delete;
  CNativeWiFi& operator=(const CNativeWiFi&) = delete;

  // Drops the companions, opens the client (again) and finds the interface
  // described as `description`; keeps the window and data-folder kind and
  // creates the companions (which registers for notifications). Returns
  // FindInterface's result; IsOpened is TRUE when it is 0.
  DWORD Init(LPCSTR description, HWND notifyWindow, DWORD profileScope);
  // Closes an open client handle and opens a new one (client version 2).
  DWORD OpenClient();
  // The first interface whose description (in the ANSI code page) equals
  // `description` exactly; WlanEnumInterfaces's result (0 also without a match).
  DWORD FindInterface(LPCSTR description);
  // Closes the client handle (which ends the notification registration) and
  // drops the companions; IsOpened is FALSE afterwards.
  void Close();

  DWORD Scan();
  // The soft AP's counters (its client only; defined with the AP module, whose
  // driver query it uses): the AP counter block's NDIS 802.11 statistics and
  // its receive counter. FALSE, nothing filled, when the query fails.
  BOOL QueryApStatistics(wavorel::wire::ndis::statistics::layout::Statistics* out, ULONGLONG* received);
  // *out = TRUE when the interface is connected; FALSE on failure.
  DWORD IsConnected(BOOL* out);
  // *out: infrastructure 1, independent 0, any other 2; untouched on failure.
  DWORD GetDesiredBssType(DWORD* out);
  DWORD GetChannel(DWORD* out);
  // The associated SSID as {u32 length; 32 bytes}, zeroed first; a longer
  // length from the service is cut to 32.
  DWORD GetCurrentSsid(DOT11_SSID* out);
  // The associated BSSID, zeroed first.
  DWORD GetCurrentBssid(BYTE out[6]);
  // Attributes of the current connection; each out-value is untouched on failure.
  DWORD GetConnectionMode(DWORD* out);
  DWORD GetProfileName(WCHAR out[WLAN_MAX_NAME_LENGTH]);
  DWORD GetBssType(DWORD* out);
  DWORD IsOneXEnabled(DWORD* out);
  DWORD GetAuthAlgorithm(DWORD* out);
  DWORD GetCipherAlgorithm(DWORD* out);

  // *out = TRUE when the interface lists the OFDM (5 GHz) PHY type; up to 5
  // attempts, each followed by a 1000 ms pause, until one succeeds. The last
  // attempt's result.
  DWORD SupportsBandA(BOOL* out);
  // The software and hardware radio state (1 on, 0 off) of the first PHY that
  // is not switched off by software.
  DWORD GetRadioState(DWORD* soft, DWORD* hard);
  // Switches the software radio of every PHY on or off; the query's result.
  DWORD SetRadio(BOOL on);
  DWORD Disconnect();
  // TRUE when ad hoc networks can use WPA2-PSK with CCMP.
  BOOL SupportsAdhocWpa2Psk();
  // Fills BssidScanList() from the service's available networks and their
  // BSS lists, each BSSID once; the last API call's result.
  DWORD FillScanList();
  // Appends one BSS entry with its `ieSize` bytes of information elements
  // as an NDIS_WLAN_BSSID_EX record when it fits.
  void AppendBssEntry(const WLAN_BSS_ENTRY& entry, const BYTE* ies, DWORD ieSize);
  // The driver's power-management level (0, 8, 16 or 24).
  BOOL SetPowerSaveLevel(DWORD level);
  // Connects with `profile`: remembers its network type, thresholds and
  // power-save mode, writes the WLAN mode (`flag` not 0: 1), the preamble (an
  // infrastructure profile's becomes 2 in the record), the channel of its
  // frequency (ad hoc, or `flag` 1) and the TX power, then ApplyProfile.
  // ApplyProfile's result.
  DWORD ConnectProfile(BOOL flag, _PROFILE_DATA* profile);
  // Once a connection completes: the remembered RTS and fragmentation
  // thresholds and (not ad hoc) the power-save level; nothing without a
  // connect since the last call.
  void ApplySavedLinkValues();

  BOOL IsOpened() const { return m_opened; }
  const GUID& InterfaceGuid() const { return m_interfaceInfo.InterfaceGuid; }
  HWND NotifyWindow() const { return m_notifyWindow; }
  DWORD ProfileScope() const { return m_profileScope; }
  // The NDIS_802_11_BSSID_LIST_EX that FillScanList fills.
  const BYTE* BssidScanList() const { return m_scanList.get(); }

  CWlanProfileOps* ProfileOps() const { return m_profileOps.get(); }
  CWlanOidSetter* OidSetter() const { return m_oidSetter.get(); }
  CWlanProfileList* ProfileList() const { return m_profileList.get(); }

 private:
  void DropCompanions();
  // Queries `opCode` into `data` (to be freed with WlanFreeMemory) of `size`
  // bytes; fails with ERROR_INVALID_DATA when the answer is shorter than
  // `minSize` (nothing is left to free then).
  DWORD Query(WLAN_INTF_OPCODE opCode, DWORD minSize, PVOID* data, DWORD* size);
  DWORD QueryDword(WLAN_INTF_OPCODE opCode, DWORD* out);
  // Copies the current connection's attributes to *out.
  DWORD QueryConnection(WLAN_CONNECTION_ATTRIBUTES* out);
  bool ScanListHolds(const DOT11_MAC_ADDRESS bssid) const;

  DWORD m_saved = 0;
  DWORD m_savedNetworkType = 0;
  DWORD m_savedRtsThreshold = 0;
  DWORD m_savedFragThreshold = 0;
  DWORD m_savedPowerSaveMode = 0;
  HWND m_notifyWindow = nullptr;
  HANDLE m_clientHandle = nullptr;
  WLAN_INTERFACE_INFO m_interfaceInfo{};
  std::unique_ptr<CWlanProfileOps> m_profileOps;
  std::unique_ptr<CWlanOidSetter> m_oidSetter;
  std::unique_ptr<CNativeWiFiNotify> m_notify;
  std::unique_ptr<CWlanOidSetter> m_oidSetter2;
  std::unique_ptr<CWlanProfileList> m_profileList;
  DWORD m_profileScope = 0;
  BOOL m_opened = FALSE;
  WlanNotifyTarget m_notifyTarget;
  std::unique_ptr<BYTE[]> m_scanList = std::make_unique<BYTE[]>(kBssidScanListSize);
};

// The worker's A-band query: clears g_bSupportBandA and lets the client fill
// it; the client's result.
DWORD QueryBandA(CNativeWiFi& client);
