// The action queue of Wavorel's station worker: rescans by the driver's scan
// request, profiles applied by the fixed order of standard and private driver
// sets with the supplicant for 802.1X and the pre-shared keys, SSID and BSSID
// sets, and the connection with a WPS credential.
#include <algorithm>
#include <cstring>

#include "platform/wire/Bytes.h"
#include "platform/wire/NdisKey.h"
#include "worker/BssLists.h"
#include "worker/ChannelList.h"
#include "worker/HtSettingRecord.h"
#include "worker/ModuleFunctions.h"
#include "worker/OidRequest.h"
#include "worker/ProfileDriverSets.h"
#include "worker/RateSets.h"
#include "worker/WorkerGlobals.h"
#include "worker/WpsWorker.h"
#include "xp/supplicant/Credentials.h"
#include "xp/supplicant/PortManager.h"
#include "xp/supplicant/SupplicantHost.h"
#include "xp/worker/CredentialPrompt.h"
#include "xp/worker/XpWorker.h"

namespace {

constexpr DWORD kStatisticsSize = 176;
constexpr DWORD kConfigurationSize = 32;
constexpr DWORD kJoinWaitMs = 100;
constexpr WORD kPowerValueDriverVersion = 0x0501;
// NDIS authentication modes and encryption states of the record.
constexpr DWORD kAuthOpen = 0;
constexpr DWORD kAuthShared = 1;
constexpr DWORD kAuthWpa = 3;
constexpr DWORD kAuthWpaPsk = 4;
constexpr DWORD kAuthWpaNone = 5;
constexpr DWORD kAuthWpa2 = 6;
constexpr DWORD kAuthWpa2Psk = 7;
constexpr DWORD kCipherWep = 0;
constexpr DWORD kEncryptionDisabled = 1;
constexpr DWORD kInfrastructure = 1;
constexpr DWORD kLeapMethod = 5;
constexpr DWORD kGtcInnerMethod = 6;
constexpr DWORD kPeapMethod = 0;
constexpr DWORD kFastMethod = 3;
constexpr BYTE kLeapOn = 1;
// Transmit power levels 0..6 as the driver takes them.
constexpr DWORD kTxPowerOfLevel[] = {0xFFFFFFFFu, 100, 75, 50, 25, 10, 6};

XP_WORKER_STATE g_state;

BOOL Query(DWORD oid, void* buffer, DWORD size) {
  DWORD returned = 0;
  return QueryOid(oid, buffer, size, &returned);
}

// "CCX2Control" to the driver, as read (0 when it cannot be read) or with
// the bits of a link bound to a BSSID.
void SetStoredCcxControl() {
  DWORD ccx = 0;
  ReadCcx2Control(ccx);
  SetCcxControl(1, ccx);
}

void SetBoundCcxControl() {
  DWORD ccx = 0;
  ReadCcx2Control(ccx);
  SetCcxControl(0, ccx);
}

}  // namespace

void TakeXpWepBaseline() {
  BYTE statistics[kStatisticsSize] = {};
  if (Query(OID_802_11_STATISTICS, statistics, sizeof statistics)) {
    g_state.StatisticsBaseline[0] = wavorel::wire::getU32(statistics + 8);
    g_state.StatisticsBaseline[1] = wavorel::wire::getU32(statistics + 12);
  }
  DWORD received = 0;
  if (Query(OID_GEN_RCV_OK, &received, sizeof received)) g_state.ReceivedBaseline = received;
}

namespace {

// The configuration block as the driver has it, with the record's channel.
void SetChannelInConfiguration(DWORD frequency) {
  BYTE configuration[kConfigurationSize] = {};
  Query(OID_802_11_CONFIGURATION, configuration, sizeof configuration);
  wavorel::wire::putU32(configuration + wavorel::wire::ndis::configuration::kDsConfig, frequency);
  SetOidData(OID_802_11_CONFIGURATION, configuration, sizeof configuration);
}

void WaitTicks(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) Sleep(1);
}

bool NeedsSupplicantCredentials(const _PROFILE_DATA& r) {
  return r.AuthMode == kAuthWpa || r.AuthMode == kAuthWpa2 ||
         ((r.AuthMode == kAuthOpen || r.AuthMode == kAuthShared) && r.Use8021X) ||
         r.LeapEnabled == kLeapOn;
}

bool AsksForPassword(const _PROFILE_DATA& r) {
  if (r.PasswordMode != 0) return false;
  if (r.AuthenProtocol == kPeapMethod) return r.TunnelProtocol == kGtcInnerMethod;
  return r.AuthenProtocol == kFastMethod &&
         (r.TunnelProtocol == kGtcInnerMethod || r.ProvisioningTunnel == kGtcInnerMethod);
}

// A certificate area of the supplicant's record: zeroed, then the length
// (cut to the area) and that many bytes when the flag is 1.
void CopyCertificate(DWORD use, DWORD& length, BYTE* data, size_t capacity, DWORD sourceLength, const BYTE* source) {
  length = 0;
  std::memset(data, 0, capacity);
  if (use != 1) return;
  length = std::min<DWORD>(sourceLength, static_cast<DWORD>(capacity));
  std::memcpy(data, source, length);
}

// The authentication status dialog shown, the host in its expanded layout.
void ShowAuthStatusDialog() {
  if (CSupplicantHost* host = GetSupplicantHost()) {
    host->ShowPage(kHostDlgAuthenStatus);
    host->ExpandHost();
  }
}

void StartSupplicantPort(bool showStatus) {
  if (!SupplicantIsInitialised()) return;
  if (showStatus && g_bShowAuthStatus) ShowAuthStatusDialog();
  SupplicantApplyConfig();
  pmStart();
}

// A LEAP account text (its stored length, cut to the account's field) as a
// terminated credential text.
void PutAccountText(char* field, size_t size, const char* text, size_t textSize, DWORD length) {
  std::memset(field, 0, size);
  std::memcpy(field, text, std::min<size_t>({length, textSize, size - 1}));
}

// The LEAP account as the supplicant's identity and password, outer and inner.
void TakeLeapAccount(const _PROFILE_DATA& r, _PROFILE_DATA& credentials) {
  for (char* identity : {credentials.Identity, credentials.TunnelID})
    PutAccountText(identity, sizeof credentials.Identity, r.LeapUserName, sizeof r.LeapUserName, r.LeapUserNameLength);
  for (char* password : {credentials.Password, credentials.TunnelPassword})
    PutAccountText(password, sizeof credentials.Password, r.LeapPassword, sizeof r.LeapPassword, r.LeapPasswordLength);
}

// Step 7: the supplicant's credentials. FALSE when the user cancelled a prompt.
bool HandOverCredentials(const XP_WORKER_CONTEXT& context, _PROFILE_DATA& r) {
  if (!GetCurrentPort() || !NeedsSupplicantCredentials(r)) return true;
  g_state.Dot1xInUse = 1;
  _PROFILE_DATA& credentials = *g_state.SupplicantCredentials;
  if (r.LeapEnabled == kLeapOn) {
    r.AuthenProtocol = kLeapMethod;
    credentials.AuthenProtocol = kLeapMethod;
    TakeLeapAccount(r, credentials);
  }
  if (AsksForPassword(r)) {
    g_bApplyRequested = 0;
    int answer = kPromptNone;
    if (context.host)
      answer = context.credentialPrompt ? context.credentialPrompt() : RunXpCredentialPrompt(context.host, credentials);
    if (answer == kPromptCancel) return false;
    std::memcpy(r.Identity, credentials.Identity, sizeof r.Identity);
    std::memcpy(r.Password, credentials.Password, sizeof r.Password);
    std::memcpy(r.TunnelID, credentials.Identity, sizeof r.TunnelID);
    std::memcpy(r.TunnelPassword, credentials.Password, sizeof r.TunnelPassword);
    std::memcpy(credentials.TunnelID, credentials.Identity, sizeof credentials.TunnelID);
    std::memcpy(credentials.TunnelPassword, credentials.Password, sizeof credentials.TunnelPassword);
  }
  if ((r.AuthenProtocol == kFastMethod || r.AuthenProtocol == kLeapMethod) && g_state.LogonCredentialSwitch) {
    const int answer =
        context.singleSignOn ? context.singleSignOn() : TakeXpLogonCredentials(context.host, credentials);
    if (answer == kPromptCancel) return false;
  }
  g_state.LogonCredentialSwitch = 1;
  CopyCertificate(r.UseClientCert, credentials.ClientCertLen, credentials.ClientCertData,
                  sizeof credentials.ClientCertData, r.ClientCertLen, r.ClientCertData);
  CopyCertificate(r.UseServerCert, credentials.ServerCertLen, credentials.ServerCertData,
                  sizeof credentials.ServerCertData, r.ServerCertLen, r.ServerCertData);
  if (r.NetworkType == kInfrastructure &&
      (r.Use8021X || r.CipherMode != kEncryptionDisabled || r.LeapEnabled == kLeapOn))
    StartSupplicantPort(true);
  return true;
}

void SetKeys(_PROFILE_DATA& r) {
  if (r.AuthMode == kAuthWpaPsk || r.AuthMode == kAuthWpa2Psk) {
    g_state.Dot1xInUse = 1;
    StartSupplicantPort(false);
  } else if (r.AuthMode == kAuthWpaNone) {
    if (!r.WpaNoneKey.empty()) SetOidData(OID_802_11_ADD_KEY, r.WpaNoneKey.data(), static_cast<DWORD>(r.WpaNoneKey.size()), 1);
    NdisKeyBlock().swap(r.WpaNoneKey);
  } else if (r.AuthMode == kAuthShared || r.CipherMode == kCipherWep) {
    for (DWORD i = 0; i < 4; ++i) {
      NdisKeyBlock& key = r.WepKey[i];
      if (!key.empty()) {
        SetOidData(OID_802_11_ADD_KEY, key.data(), static_cast<DWORD>(key.size()));
        NdisKeyBlock().swap(key);
        continue;
      }
      namespace removekey = wavorel::wire::ndis::removekey;
      BYTE remove[removekey::kSize] = {};
      wavorel::wire::putU32(remove + removekey::kLength, removekey::kSize);
      wavorel::wire::putU32(remove + removekey::kKeyIndex, i);
      std::memset(remove + removekey::kBssid, 0xFF, 6);
      SetOidData(OID_802_11_REMOVE_KEY, remove, sizeof remove);
    }
  }
}

void SetAdapterSettings(_PROFILE_DATA& r) {
  if (!r.AdvancedValid) {
    // The cleared word stays cleared in the block itself.
    g_stationConfig[kClearedStationConfigWord] = 0;
    SetStationConfig(g_stationConfig);
    SetCountryRegion(g_dwCountryRegion);
    BYTE rates[8];
    FillModeRates(g_nWirelessMode, g_dwTransmitSetting, rates);
    SetOidData(OID_802_11_DESIRED_RATES, rates, sizeof rates);
    SetRateBlock();
    return;
  }
  SetOidDword(OID_VX_WIRELESS_MODE_SET, static_cast<DWORD>(g_nWirelessMode));
  r.StationConfig[kClearedStationConfigWord] = 0;
  SetStationConfig(r.StationConfig);
  SetCountryRegion(r.CountryRegion);
  if (!IsHtWirelessMode(g_nWirelessMode)) {
    SetOidData(OID_802_11_DESIRED_RATES, r.DesiredRates, sizeof r.DesiredRates);
    SetRateBlock();
  }
  SetCcxControl(r.UseBssid ? 0 : 1, r.Ccx2Control);
  SetOidDword(OID_VX_PRIVATE_0151_SET, static_cast<DWORD>(g_nWpsWirelessMode));
}

// A WPS credential joins the access point its run met; until that is known
// (an all-zero BSSID names none) it joins by the credential's SSID.
void Join(const _PROFILE_DATA& r) {
  if (r.UseBssid) {
    SetChannelInConfiguration(r.ChannelFrequency);
    SetOidData(OID_802_11_BSSID, r.Bssid, sizeof r.Bssid);
    SetBoundCcxControl();
  } else if (g_bWpsConnect && WpsBssidKnown()) {
    SetChannelInConfiguration(r.ChannelFrequency);
    WaitTicks(kJoinWaitMs);
    SetOidData(OID_802_11_BSSID, g_wpsBssid, sizeof g_wpsBssid);
    SetStoredCcxControl();
  } else {
    SetSsidOid(r.Ssid);
    SetStoredCcxControl();
  }
}

// Action 1. FALSE when the user cancelled a prompt: the run ends.
bool Connect(const XP_WORKER_CONTEXT& context, _PROFILE_DATA& r) {
  if (SupplicantIsInitialised()) pmStop();
  g_state.Dot1xInUse = 0;
  if (g_state.WepCheck) KillTimer(context.worker, kXpWepCheckTimer);
  // The supplicant takes its credentials from its own copy of the record.
  g_state.SupplicantCredentials = std::make_unique<_PROFILE_DATA>(r);
  SupplicantSetCurrentProfile(g_state.SupplicantCredentials.get());
  if (r.Valid) {
    g_state.MultiCredential = 1;
    SetOidData(OID_802_11_DISASSOCIATE, nullptr, 0);
  }
  SetOidDword(OID_VX_PRIVATE_0143_SET, 0);
  SetOidDword(OID_802_11_RELOAD_DEFAULTS, 0);
  SetOidDword(OID_802_11_INFRASTRUCTURE_MODE, r.NetworkType);
  if (r.NetworkType == kInfrastructure) r.PreambleType = 2;
  SetOidDword(OID_VX_PREAMBLE_SET, r.PreambleType);
  SetOidDword(OID_802_11_RTS_THRESHOLD, r.RtsThresh);
  SetOidDword(OID_802_11_FRAGMENTATION_THRESHOLD, r.FragThresh);
  SetOidDword(OID_802_11_AUTHENTICATION_MODE, r.AuthMode);
  SetOidDword(OID_802_11_ENCRYPTION_STATUS, r.CipherMode);
  SetOidDword(OID_VX_TX_POWER_SET, r.TxPower < std::size(kTxPowerOfLevel) ? kTxPowerOfLevel[r.TxPower] : kTxPowerOfLevel[0]);
  if (!HandOverCredentials(context, r)) return false;
  SetOidDword(OID_VX_PRIVATE_0139_SET, r.LeapEnabled ? 1 : 0);
  SetKeys(r);
  if (r.NetworkType == kInfrastructure) {
    SetOidDword(OID_802_11_POWER_MODE, r.PSMode);
    if (g_wDriverVersion >= kPowerValueDriverVersion) SetOidDword(OID_VX_PRIVATE_0104_SET, r.ACPowerCam);
  } else {
    SetChannelInConfiguration(r.ChannelFrequency);
  }
  if (g_bHtFamily) {
    BYTE record[kHtTransmitRecordSize] = {};
    Query(OID_VX_HT_TRANSMIT, record, sizeof record);
    FillHtTransmitRecord(g_dwTransmitSetting, record);
    SetOidData(OID_VX_HT_TRANSMIT_SET, record, sizeof record);
  }
  SetAdapterSettings(r);
  Join(r);
  g_bIcvError = 0;
  g_state.WepCheck = (r.AuthMode == kAuthOpen || r.AuthMode == kAuthShared) &&
                     r.CipherMode == kCipherWep && r.NetworkType == kInfrastructure;
  if (g_state.WepCheck) {
    TakeXpWepBaseline();
    SetTimer(context.worker, kXpWepCheckTimer, kXpWepCheckMs, nullptr);
  }
  return true;
}

void Rescan(const XP_WORKER_CONTEXT& context) {
  g_state.ScanPending = 1;
  SetOidData(OID_802_11_BSSID_LIST_SCAN, nullptr, 0);
  DWORD mode = static_cast<DWORD>(g_nWirelessMode);
  Query(OID_VX_WIRELESS_MODE, &mode, sizeof mode);
  const bool slow = mode == 2 || mode == 3 || mode == 5 || mode == 8;
  SetTimer(context.worker, kXpScanReadTimer, slow ? kXpLongScanMs : kXpShortScanMs, nullptr);
}

// After an SSID or BSSID set: the WEP check's baseline again (timer 3 stays as it is).
void RebaseWepCheck() {
  if (g_state.WepCheck) TakeXpWepBaseline();
}

}  // namespace

XP_WORKER_STATE& XpWorkerState() { return g_state; }

void ResetXpWorkerState() {
  // The supplicant must not keep pointing at the credentials that go here.
  if (SupplicantGetCurrentProfile() == g_state.SupplicantCredentials.get()) SupplicantSetCurrentProfile(nullptr);
  g_state = XP_WORKER_STATE();
}

void MergeXpScanList(BYTE* scan) {
  BYTE channels[kMaxChannels] = {};
  int count = 0;
  GetChannelList(1, g_nWirelessMode, g_nWirelessMode, channels, &count);
  DropDisallowedBssRecords(scan, kBssListSize, channels, count);
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  RebuildSiteList(scan, BssidSiteList.get(), channels, count, now);
}

void RefreshXpSiteList(std::vector<_ACTION_DATA>* queue) {
  if (!g_state.ScanList) g_state.ScanList = std::make_unique<BYTE[]>(kBssListSize);
  Query(OID_802_11_BSSID_LIST, g_state.ScanList.get(), kBssListSize);
  MergeXpScanList(g_state.ScanList.get());
  if (queue && !queue->empty() && queue->front().Kind == kActionRescan) queue->erase(queue->begin());
}

int ProcessXpActions(const XP_WORKER_CONTEXT& context) {
  // A run that starts while a prompt of a connection waits (its timers keep
  // firing) leaves the queue to the run that asked.
  if (!context.queue || IsXpCredentialPromptRunning()) return 0;
  std::vector<_ACTION_DATA>& queue = *context.queue;
  if (g_state.ScanPending) {
    g_state.ScanPending = 0;
    RefreshXpSiteList(&queue);
  }
  int done = 0;
  while (!queue.empty()) {
    _ACTION_DATA action = std::move(queue.front());
    queue.erase(queue.begin());
    ++done;
    switch (action.Kind) {
      case kActionRescan:
        Rescan(context);
        break;
      case kActionConnect:
        if (action.Profile && !Connect(context, *action.Profile)) return done;
        break;
      case kActionSetSsid:
        g_bIcvError = 0;
        SetSsidOid(action.Ssid);
        SetStoredCcxControl();
        RebaseWepCheck();
        break;
      case kActionSetBssid:
        g_bIcvError = 0;
        SetOidData(OID_802_11_BSSID, action.Bssid, sizeof action.Bssid);
        SetBoundCcxControl();
        RebaseWepCheck();
        break;
      default:
        break;
    }
  }
  return done;
}

BOOL ConnectXpWpsCredential(const XP_WORKER_CONTEXT& context) {
  g_bWpsConnect = 1;
  const int count = WpsCredentialCount();
  if (count == 0) return FALSE;
  BYTE on = 1;
  SetOidData(OID_VX_PRIVATE_0149_SET, &on, sizeof on);
  if (SupplicantIsInitialised()) pmStop();
  if (g_state.MultiCredential)
    g_nWpsCurrentIndex = g_nWpsNextIndex;
  else
    g_nWpsNextIndex = g_nWpsCurrentIndex;
  auto profile = std::make_unique<_PROFILE_DATA>();
  FillProfileFromWpsCredential(g_nWpsCurrentIndex, *profile);
  _ACTION_DATA action;
  action.Kind = kActionConnect;
  action.Profile = std::move(profile);
  if (context.addAction && context.addAction(std::move(action))) ProcessXpActions(context);
  if (g_state.MultiCredential) g_nWpsNextIndex = (g_nWpsNextIndex + 1) % count;
  return TRUE;
}
