// The XP build's reading and applying of the current profile: the WPS state
// and credentials, the supplicant's start, the adapter's radio values and the
// profile's values from the registry, and the single sign-on state that
// decides whether and how the record is applied.
#include "xp/worker/LoadAndApplyCurrentProfile.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "platform/wire/Bytes.h"
#include "worker/ChannelTable.h"
#include "worker/DriverCodes.h"
#include "worker/HexStringToBytes.h"
#include "worker/HideDlg.h"
#include "worker/HtSettingRecord.h"
#include "worker/ModuleFunctions.h"
#include "worker/OidRequest.h"
#include "worker/PasswordHash.h"
#include "worker/RateSets.h"
#include "worker/WorkerGlobals.h"
#include "worker/WpsWorker.h"
#include "xp/supplicant/PortManager.h"
#include "xp/worker/RegistryKey.h"
#include "xp/worker/RegistryProfileStore.h"
#include "xp/worker/SsoInterplay.h"
#include "xp/worker/WpsRegistryStore.h"
#include "xp/worker/XpWorker.h"
#include "xp/worker/ZeroConfigHandover.h"

namespace {

constexpr UINT kWpsConnectPeriodMs = 10000;
constexpr int kPortStateSelected = 6;
constexpr DWORD kMediaConnected = 0;
constexpr DWORD kFirstAcPowerVersion = 0x0501;  // NDIS 5.1
constexpr DWORD kHtWordBits = 0x0007FFFF;       // bits 0-18 from "TransmitSetting"
constexpr DWORD kHtDriverClearedBits = 0x000745EF;
constexpr DWORD kHtDriverFixedBits = 0xBA10;
constexpr size_t kHtTransmitModeByte = 6;
constexpr DWORD kStationConfigSize = sizeof(DWORD) * kStationConfigWords;
constexpr DWORD kHexPskDigits = 64;
constexpr DWORD kShortWepKey = 5;
constexpr DWORD kLongWepKey = 13;
constexpr DWORD kTextFieldSize = 128;
constexpr DWORD kLongTextFieldSize = 256;

void SetRates(BYTE (&rates)[8], const BYTE* list, size_t count) {
  std::memset(rates, 0, sizeof rates);
  std::memcpy(rates, list, count);
}

// The list a wireless mode starts with before "TransRate" is read; the
// 802.11n modes prepare none.
void PrepareRates(BYTE (&rates)[8], int mode) {
  if (mode == 1 || mode == 2 || mode == 4) {
    SetRates(rates, kRatesB, sizeof kRatesB);
  } else if (!IsHtWirelessMode(mode)) {
    SetRates(rates, kRatesMixed, sizeof kRatesMixed);
  }
}

// "TransRate" n: one rate of the mode's table for n = 1..its size, else the
// mode's whole set; the 802.11n modes take the HT word's choice.
void SelectRates(BYTE (&rates)[8], int mode, int n) {
  static const BYTE kSingleB[] = {2, 4, 11, 22};
  static const BYTE kSingleG[] = {12, 18, 24, 36, 48, 72, 96, 108};
  static const BYTE kSingleMixed[] = {2, 4, 11, 22, 12, 18, 24, 36, 48, 72, 96, 108};
  if (IsHtWirelessMode(mode)) {
    if ((g_dwTransmitSetting & kHtMixedRatesMask) == kHtMixedRatesValue) {
      SetRates(rates, kRatesMixed, sizeof kRatesMixed);
    } else {
      SetRates(rates, kRatesMixed, 1);
    }
    return;
  }
  const BYTE* singles = kSingleMixed;
  size_t count = sizeof kSingleMixed;
  const BYTE* whole = kRatesMixed;
  size_t wholeCount = sizeof kRatesMixed;
  if (mode == 1) {
    singles = kSingleB, count = sizeof kSingleB, whole = kRatesB, wholeCount = sizeof kRatesB;
  } else if (mode == 2 || mode == 4) {
    singles = kSingleG, count = sizeof kSingleG, whole = kRatesG, wholeCount = sizeof kRatesG;
  }
  if (n >= 1 && static_cast<size_t>(n) <= count) {
    SetRates(rates, &singles[n - 1], 1);
  } else {
    SetRates(rates, whole, wholeCount);
  }
}

// `count` bytes from the hexadecimal text, the digits it lacks counted as 0.
void DecodeHex(const std::string& text, BYTE* out, size_t count) {
  std::string digits = text.substr(0, 2 * count);
  digits.resize(2 * count, '0');
  HexStringToBytes(digits.c_str(), out, static_cast<int>(count));
}

// A text value into a fixed field, cut to it and terminated.
template <size_t N>
bool ReadField(const CRegistryKey& key, LPCSTR name, char (&field)[N], DWORD readSize = kTextFieldSize) {
  std::string text;
  if (!key.ReadText(name, std::min<DWORD>(readSize, N), text)) return false;
  std::memset(field, 0, N);
  std::memcpy(field, text.data(), text.size());
  return true;
}

// A LEAP text with its length word.
template <size_t N>
void ReadLeapText(const CRegistryKey& key, LPCSTR name, char (&field)[N], DWORD& length) {
  if (ReadField(key, name, field, N)) length = static_cast<DWORD>(std::strlen(field));
}

class CurrentProfileLoader {
 public:
  CurrentProfileLoader(const CURRENT_PROFILE_TARGET& target, BOOL readOnly, BOOL argument)
      : target_(target), readOnly_(readOnly), argument_(argument) {}

  int Run() {
    g_bWpsConnect = 0;
    record_ = std::make_unique<_PROFILE_DATA>();
    record_->NetworkType = 1;
    CRegistryKey driver;
    if (driver.Open(HKEY_LOCAL_MACHINE, g_strDriverKey, Access()) == ERROR_SUCCESS) {
      driver.ReadNumber("WSC", g_bWpsConnect);
      ReadWpsCredentialsFromRegistry(Access());
    }
    if (g_bWpsConnect) return ConnectWithWps();

    record_->UseBssid = 0;
    record_->Reserved1 = 0;
    g_bProfileApplied = 1;
    ReadSsoState();
    SelectSupplicantAdapter();

    CRegistryKey profile;
    const CRegistryKey& values = OpenProfileValues(driver, profile);
    ReadNetwork(values);
    ReadAdapterValues(driver);
    ReadProfileValues(values);
    return Apply();
  }

 private:
  REGSAM Access() const { return readOnly_ ? KEY_READ : KEY_ALL_ACCESS; }
  static bool AdapterSelected() { return XpWorkerState().SupplicantPortState == kPortStateSelected; }

  int ConnectWithWps() {
    XpWorkerState().MultiCredential = 1;
    if (WpsCredentialCount() > 0) {
      ConnectXpWpsCredential(target_.worker);
      if (target_.worker.worker) SetTimer(target_.worker.worker, kWpsConnectTimer, kWpsConnectPeriodMs, nullptr);
    }
    return 0;
  }

  static void SelectSupplicantAdapter() {
    if (AdapterSelected()) return;
    if (!GetCurrentPort() && ConfigToolMode != kConfigToolZeroConfig) SupplicantInit();
    if (ConfigToolMode == kConfigToolZeroConfig) return;
    XpWorkerState().SupplicantPortState = SupplicantSelectAdapter() ? kPortStateSelected : 0;
  }

  // The key the profile's values come from: the driver key, where activation
  // copied them, or for a user without rights the profile's own key.
  const CRegistryKey& OpenProfileValues(CRegistryKey& driver, CRegistryKey& profile) const {
    driver.Open(HKEY_LOCAL_MACHINE, g_strDriverKey, Access());
    if (!readOnly_) return driver;
    CString name = g_strCurProfileName;
    std::string stored;
    if (name.IsEmpty() && driver.ReadText("CurProfile", CRegistryKey::kValueSize, stored)) name = stored.c_str();
    if (IsRegistryProfileName(name)) profile.Open(HKEY_LOCAL_MACHINE, StationProfileKeyPath(name), KEY_READ);
    return profile;
  }

  void ReadNetwork(const CRegistryKey& values) {
    _PROFILE_DATA& p = *record_;
    std::string ssid;
    if (values.ReadText("SSID", sizeof p.Ssid.Ssid + 1, ssid)) {
      p.Ssid.SsidLength = static_cast<ULONG>(ssid.size());
      std::memcpy(p.Ssid.Ssid, ssid.data(), ssid.size());
    }
    values.ReadNumber("NetworkType", p.NetworkType);
    DWORD returned = 0;
    if (p.NetworkType == 0) QueryOid(OID_802_11_BSSID, g_adhocBssid, sizeof g_adhocBssid, &returned);
  }

  void ReadAdapterValues(const CRegistryKey& driver) {
    _PROFILE_DATA& p = *record_;
    driver.ReadNumber("ShowAuthStatus", g_bShowAuthStatus);
    p.Ccx2Control = 0;
    if (driver.IsOpen()) ReadRegistryRawDword(driver.Handle(), "CCX2Control", p.Ccx2Control);
    if (!argument_) return;
    p.AdvancedValid = 1;
    g_nWirelessMode = g_bHtFamily ? 5 : 3;
    driver.ReadNumber("WirelessMode", g_nWirelessMode);
    AdjustWirelessMode(g_nWirelessMode);
    PrepareRates(p.DesiredRates, g_nWirelessMode);
    if (g_bHtFamily) SendHtTransmit(driver);
    ReadStationConfig(driver);
    int adhoc = 0;
    if (WirelessModeToAdhocMode(g_nWirelessMode, adhoc)) {
      p.StationConfig[4] = static_cast<DWORD>(adhoc);
      if (!readOnly_) driver.WriteNumber("AdhocOfdm", adhoc);
    }
    int transRate = 0;
    if (driver.ReadNumber("TransRate", transRate)) SelectRates(p.DesiredRates, g_nWirelessMode, transRate);
    std::copy(std::begin(p.StationConfig), std::end(p.StationConfig), g_stationConfig);
  }

  // The HT transmit-setting word from "TransmitSetting" or the driver's
  // record, sent to the driver at once.
  static void SendHtTransmit(const CRegistryKey& driver) {
    BYTE record[kHtTransmitRecordSize] = {};
    DWORD stored = 0;
    if (driver.IsOpen() && ReadRegistryRawDword(driver.Handle(), "TransmitSetting", stored)) {
      g_dwTransmitSetting = (stored & kHtWordBits) | (g_dwTransmitSetting & ~kHtWordBits);
    } else {
      DWORD returned = 0;
      QueryOid(OID_VX_HT_TRANSMIT, record, sizeof record, &returned);
      g_dwTransmitSetting = (g_dwTransmitSetting & ~kHtDriverClearedBits) |
                            (static_cast<DWORD>(record[kHtTransmitModeByte] & 3) << 17) |
                            (static_cast<DWORD>(g_nWirelessMode) & 0xF) | kHtDriverFixedBits;
    }
    FillHtTransmitRecord(g_dwTransmitSetting, record);
    DWORD written = 0;
    SetOid(OID_VX_HT_TRANSMIT_SET, record, sizeof record, &written, 3);
  }

  void ReadStationConfig(const CRegistryKey& driver) {
    _PROFILE_DATA& p = *record_;
    BYTE config[kStationConfigSize] = {};
    DWORD returned = 0;
    if (QueryOid(OID_VX_PRIVATE_0111, config, sizeof config, &returned))
      for (size_t i = 0; i < kStationConfigWords; ++i) p.StationConfig[i] = wavorel::wire::getU32(config + 4 * i);
    int region = 0, regionA = 0;
    if (driver.ReadNumber("CountryRegion", region)) {
      driver.ReadNumber("CountryRegionABand", regionA);
      p.CountryRegion = static_cast<DWORD>(region + (regionA << 8));
    }
    driver.ReadNumber("TXBurst", p.StationConfig[0]);
    driver.ReadNumber("TurboRate", p.StationConfig[1]);
    if (g_nWirelessMode == 0 || g_nWirelessMode == 3) {
      driver.ReadNumber("BGProtection", p.StationConfig[2]);
    } else {
      p.StationConfig[2] = 0;
    }
    driver.ReadNumber("ShortSlot", p.StationConfig[3]);
  }

  void ReadProfileValues(const CRegistryKey& key) {
    _PROFILE_DATA& p = *record_;
    key.ReadNumber("PreambleType", p.PreambleType);
    int use = 0;
    p.RtsThresh = 2347;
    if (key.ReadNumber("UseRts", use) && use) key.ReadNumber("RtsThresh", p.RtsThresh);
    use = 0;
    p.FragThresh = 2346;
    if (key.ReadNumber("UseFrag", use) && use) key.ReadNumber("FragThresh", p.FragThresh);
    key.ReadNumber("AuthenType", p.AuthMode);
    key.ReadNumber("Encryption", p.CipherMode);
    key.ReadNumber("LeapEnabled", p.LeapEnabled);
    ReadLeapText(key, "LeapUserName", p.LeapUserName, p.LeapUserNameLength);
    ReadLeapText(key, "LeapPassword", p.LeapPassword, p.LeapPasswordLength);
    ReadLeapText(key, "LeapDomainName", p.LeapDomain, p.LeapDomainLength);
    key.ReadNumber("Use8021X", p.Use8021X);
    if (p.LeapEnabled) p.Use8021X = 0;
    if (AdapterSelected() && (p.AuthMode == 3 || p.Use8021X)) Read8021XValues(key);
    ReadWepKeys(key);
    ReadPsk(key);
    key.ReadNumber("TXPower", p.TxPower);
    if (p.NetworkType == 0) {
      int channel = 0;
      if (key.ReadNumber("Channel", channel))
        if (const CHANNEL_FREQUENCY* row = FindChannelByNumber(static_cast<DWORD>(channel)))
          p.ChannelFrequency = row->Frequency;
    } else {
      if (key.ReadNumber("PSMode", p.PSMode)) p.PSMode = p.PSMode == 1 ? 2 : p.PSMode >= 3 ? 0 : p.PSMode;
      if (g_wDriverVersion >= kFirstAcPowerVersion) key.ReadNumber("ACPowerCam", p.ACPowerCam);
    }
    p.Valid = 1;
  }

  void Read8021XValues(const CRegistryKey& key) {
    _PROFILE_DATA& p = *record_;
    key.ReadNumber("AuthenProtocol", p.AuthenProtocol);
    key.ReadNumber("TunnelProtocol", p.AuthenProtocol == 2 ? p.TunnelProtocol2 : p.TunnelProtocol);
    key.ReadNumber("ProvisioningTunnel", p.ProvisioningTunnel);
    ReadField(key, "ID", p.Identity);
    ReadField(key, "Password", p.Password);
    ReadField(key, "TunnelID", p.TunnelID);
    ReadField(key, "TunnelPassword", p.TunnelPassword);
    key.ReadNumber("SessionResumption", p.SessionResumption);
    key.ReadNumber("PasswordMode", p.PasswordMode);
    key.ReadNumber("UseClientCert", p.UseClientCert);
    key.ReadHexBytes("ClientCertLen", "ClientCertData", p.ClientCertLen, p.ClientCertData, sizeof p.ClientCertData);
    key.ReadNumber("UseServerCert", p.UseServerCert);
    key.ReadHexBytes("ServerCertLen", "ServerCertData", p.ServerCertLen, p.ServerCertData, sizeof p.ServerCertData);
    key.ReadNumber("UsePAC", p.UsePAC);
    key.ReadNumber("ProvisionMode", p.ProvisionMode);
    ReadField(key, "PACFilePath", p.PACFilePath, kLongTextFieldSize);
    ReadField(key, "ServerName", p.ServerName, kLongTextFieldSize);
    key.ReadNumber("NameRule", p.NameRule);
    key.ReadNumber("IntermediateCert", p.IntermediateCert);
  }

  // Keys 1-4: a text of two or more digits becomes a 5-byte key (10 or 11
  // characters) or a 13-byte key, the digits the text lacks read as 0.
  void ReadWepKeys(const CRegistryKey& key) {
    _PROFILE_DATA& p = *record_;
    int transmitKey = 0;
    key.ReadNumber("WEPKeyUse", transmitKey);
    for (int n = 1; n <= 4; ++n) {
      CString name;
      name.Format("WEPKey%d", n);
      std::string text;
      NdisKeyBlock& block = p.WepKey[n - 1];
      block.clear();
      if (!key.ReadText(name, CRegistryKey::kValueSize, text) || text.size() < 2) continue;
      const DWORD length = text.size() == 10 || text.size() == 11 ? kShortWepKey : kLongWepKey;
      BYTE bytes[kLongWepKey] = {};
      DecodeHex(text, bytes, length);
      block = MakeNdisKeyBlock(static_cast<DWORD>(n - 1) | (n == transmitKey ? kTransmitKeyBit : 0), bytes, length);
    }
  }

  // The pass phrase as typed, and for WPA-None its key block: 64 digits are
  // the key itself, any other text is hashed with the SSID.
  void ReadPsk(const CRegistryKey& key) {
    _PROFILE_DATA& p = *record_;
    std::string text;
    if (!key.ReadText("WPAPSK", CRegistryKey::kValueSize, text)) return;
    p.WpaPskLength = static_cast<DWORD>(std::min(text.size(), sizeof p.WpaPsk));
    std::memcpy(p.WpaPsk, text.data(), p.WpaPskLength);
    if (p.AuthMode != 5) return;
    BYTE psk[kWpaNoneKeyLength] = {};
    if (text.size() == kHexPskDigits) {
      HexStringToBytes(text.c_str(), psk, kWpaNoneKeyLength);
    } else {
      PasswordHash(text.c_str(), p.Ssid.Ssid, static_cast<int>(p.Ssid.SsidLength), psk);
    }
    p.WpaNoneKey = MakeNdisKeyBlock(kTransmitKeyBit, psk, kWpaNoneKeyLength);
  }

  int Queue() {
    if (!target_.worker.addAction) return 0;
    _ACTION_DATA action;
    action.Kind = kActionConnect;
    action.Profile = std::move(record_);
    return target_.worker.addAction(std::move(action)) ? ProcessXpActions(target_.worker) : 0;
  }

  int Apply() {
    if (g_bSsoCancelled) {
      DWORD status = kMediaConnected, returned = 0;
      const BOOL read = QueryOid(OID_GEN_MEDIA_CONNECT_STATUS, &status, sizeof status, &returned);
      const int result = read && status != kMediaConnected && AdapterSelected() && g_bApplyRequested ? Queue() : 0;
      g_bSsoCancelled = 0;
      return result;
    }
    if (!g_bApplyRequested) return 0;
    if (target_.worker.worker && target_.worker.host && ConfigToolMode != kConfigToolZeroConfig &&
        IsSsoInstalledForMode(ConfigToolMode) && !AdapterSelected()) {
      if (target_.keepAsCurrent) target_.keepAsCurrent(record_.get());
      return 0;
    }
    return Queue();
  }

  const CURRENT_PROFILE_TARGET& target_;
  const BOOL readOnly_;
  const BOOL argument_;
  std::unique_ptr<_PROFILE_DATA> record_;
};

}  // namespace

int ReadAndApplyCurrentProfile(const CURRENT_PROFILE_TARGET& target, BOOL readOnly, BOOL argument) {
  return CurrentProfileLoader(target, readOnly, argument).Run();
}
