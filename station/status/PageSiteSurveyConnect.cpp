// The site survey page's connect path: the security of the selected BSS, the
// direct connection and the connection record built from the BSS and the
// pending-connection fields.
#include <algorithm>
#include <cstring>

#include "frontend/BridgeCodes.h"
#include "frontend/UiBridge.h"
#include "platform/wire/Bytes.h"
#include "platform/wire/NdisBssidList.h"
#include "station/profiles/HiddenSsidDlg.h"
#include "station/profiles/SecurityEditorDlg.h"
#include "station/status/PageSiteSurveyDlg.h"
#include "worker/HexStringToBytes.h"
#include "worker/HideDlg.h"
#include "worker/PasswordHash.h"
#include "worker/StationHost.h"
#include "worker/WorkerGlobals.h"

namespace {

using namespace wavorel::wire::ndis::bssid;
using wavorel::wire::getU32;

constexpr int kHexPassPhraseLength = 64;
constexpr DWORD kConnectRtsThreshold = 2347;
constexpr DWORD kConnectPreamble = 2;
constexpr DWORD kCertDataSize = sizeof(_8021X_DATA::ServerCertData);

// Chosen authentications and ciphers of the security editor.
enum { kChosenOpen, kChosenShared, kChosenLeap, kChosenWpa, kChosenWpaPsk, kChosenWpa2, kChosenWpa2Psk, kChosenWpaNone };
enum { kChosenNone, kChosenWep, kChosenTkip, kChosenAes };

bool IsWpaKind(int kind) { return kind >= 1 && kind <= 5; }

// A text into a fixed field, cut to leave its terminator.
template <size_t N>
void CopyText(char (&field)[N], const CString& text) {
  const size_t length = std::min(static_cast<size_t>(text.GetLength()), N - 1);
  std::memcpy(field, static_cast<LPCSTR>(text), length);
  field[length] = '\0';
}

// A LEAP text and its length (no terminator counted), cut to the field.
template <size_t N>
void CopyLeapText(char (&field)[N], DWORD& length, const CString& text) {
  CopyText(field, text);
  length = static_cast<DWORD>(std::strlen(field));
}

DWORD CutCertLength(DWORD length) { return std::min(length, kCertDataSize); }

// The cipher mode of a WPA cipher choice; other choices keep `current`.
int WpaCipherMode(int chosen, int current) {
  if (chosen == kChosenTkip) return 4;
  if (chosen == kChosenAes) return 6;
  return current;
}

}  // namespace

void CPageSiteSurveyDlg::ResetSecurity() {
  m_strSiteAuth.Empty();
  m_strSiteCipher.Empty();
  ResetSecurityChoices();
  m_bHiddenSsidEntered = 0;
  m_nSecurityKind = 0;
  m_bSecured = 0;
  m_pSelectedRecord = nullptr;
  m_pConnectRecord.reset();
  m_bByBssid = 0;
  m_bBySsid = 0;
  std::memset(&m_ssid, 0, sizeof m_ssid);
  std::memset(m_bssid, 0, sizeof m_bssid);
}

void CPageSiteSurveyDlg::ResetSecurityChoices() {
  m_nChosenAuth = 0;
  m_nChosenCipher = 0;
  m_nUse8021X = 0;
  m_strPassPhrase.Empty();
  m_nDefaultKeyIndex = 0;
  std::fill(std::begin(m_nKeyLength), std::end(m_nKeyLength), 0);
  std::memset(m_keys, 0, sizeof m_keys);
  m_8021x = _8021X_DATA{};
  m_strLeapUserName.Empty();
  m_strLeapPassword.Empty();
  m_strLeapDomain.Empty();
  m_nLeapCipher = 0;
  m_bLeapFlag = 0;
  m_bCcxCckm = 0;
}

int CPageSiteSurveyDlg::AuthTextToMode(const CString& text) {
  static const std::pair<LPCSTR, int> kModes[] = {{"WPA-NONE", 3}, {"WPA", 1},  {"WPA-PSK", 2},
                                                  {"WPA2", 4},     {"WPA2-PSK", 5}, {"WPA2-NONE", 5},
                                                  {"WPA+WPA2", 4}, {"WPA-PSK+WPA2-PSK", 5}};
  for (const auto& [name, mode] : kModes)
    if (text == name) return mode;
  return 0;
}

void CPageSiteSurveyDlg::TakeSiteSecurity() {
  DWORD length = getU32(m_pSelectedRecord + kLength);
  CString auth, cipher;
  SiteSecurityFields(m_pSelectedRecord, length, auth, cipher);
  m_strSiteAuth = auth;
  m_strSiteCipher = cipher;
  m_bSecured = getU32(m_pSelectedRecord + kPrivacy) != 0 || auth + ";" + cipher != "Unknown;None";
  m_nSecurityKind = AuthTextToMode(m_strSiteAuth);
}

void CPageSiteSurveyDlg::OpenHostDialog(int index) {
  if (!g_pHideDlg) return;
  g_pHideDlg->ShowPage(index);
  if (CStationHost* host = g_pHideDlg->GetHost()) {
    g_bHostExpanded = 0;
    host->ToggleLayout();
  }
}

void CPageSiteSurveyDlg::ConnectSelected(int row) {
  if (row < 0 || row >= m_list.GetItemCount()) return;
  MarkConnectionFromSite();
  m_nSecurityKind = 0;
  m_bHiddenSsidEntered = 0;
  if (getU32(m_siteCopy.get()) == 0) return;
  UpdateButtons();
  if (!m_btnConnect.IsWindowEnabled()) return;
  m_pSelectedRecord = RecordOfRow(row);
  if (!m_pSelectedRecord) return;
  m_pConnectRecord = std::make_unique<_PROFILE_DATA>();
  m_nProfileAuthMode = 0;
  m_nProfileCipherMode = 1;
  TakeSiteSecurity();
  if (!AdapterTakesSecurity() && IsWpaKind(m_nSecurityKind)) return;
  const DWORD infrastructure = getU32(m_pSelectedRecord + kInfrastructureMode);
  // A hidden network beacons SsidLength 0 or zero bytes: either way its name
  // is asked for.
  if (infrastructure == 1 && SiteSsid(m_pSelectedRecord).IsEmpty()) {
    if (CHiddenSsidDlg* prompt = HiddenSsidPrompt())
      prompt->SetContinuation([this](const NDIS_802_11_SSID& ssid) { return ContinueWithHiddenSsid(ssid); });
    OpenHostDialog(kHostDlgHiddenSsid);
    m_bHiddenSsidEntered = 1;
  } else if (m_bSecured) {
    PrepareConnectPages();
  } else {
    BuildConnectProfile();
    NotifyUIInt(BRIDGE_UI_SURVEY_SAVE_REQUEST, 0, TRUE);
  }
}

CHiddenSsidDlg* CPageSiteSurveyDlg::HiddenSsidPrompt() {
  CStationHost* host = g_pHideDlg ? g_pHideDlg->GetHost() : nullptr;
  return dynamic_cast<CHiddenSsidDlg*>(host ? host->GetSecondaryDialog(kHostDlgHiddenSsid) : nullptr);
}

void CPageSiteSurveyDlg::PrepareConnectPages() {
  CStationHost* host = g_pHideDlg ? g_pHideDlg->GetHost() : nullptr;
  auto* editor = dynamic_cast<CSecurityEditorDlg*>(host ? host->GetSecondaryDialog(kHostDlgSecurityEditor) : nullptr);
  if (editor && editor->GetSafeHwnd() && editor->GetAuthEncryPage() && editor->Get8021XPage()) {
    CPageAuthEncryDlg* security = editor->GetAuthEncryPage();
    security->m_nHostKind = 0;
    security->LoadFromSiteForConnect(static_cast<int>(getU32(m_pSelectedRecord + kInfrastructureMode)),
                                     m_nSecurityKind, m_strSiteCipher);
    editor->Get8021XPage()->m_bFromSite = FALSE;
    editor->Get8021XPage()->SetDefaults();
    editor->SetContinuation([this](const SecurityChoices& choices) { ConnectWithChoices(choices); });
  }
  OpenHostDialog(kHostDlgSecurityEditor);
}

void CPageSiteSurveyDlg::ConnectWithChoices(const SecurityChoices& choices) {
  ResetSecurityChoices();
  m_nChosenAuth = choices.auth;
  m_nChosenCipher = choices.cipher;
  m_nUse8021X = choices.use8021X;
  m_nDefaultKeyIndex = choices.transmitKey;
  for (int key = 0; key < kKeyCount; ++key) {
    m_nKeyLength[key] = std::clamp(choices.keyLength[key], 0, kKeyBytes);
    std::memcpy(m_keys[key], choices.keys[key], static_cast<size_t>(m_nKeyLength[key]));
  }
  m_strPassPhrase = choices.passPhrase;
  m_8021x = choices.oneX;
  m_strLeapUserName = choices.leapIdentity;
  m_strLeapPassword = choices.leapPassword;
  m_strLeapDomain = choices.leapDomain;
  m_nLeapCipher = choices.leapCipher;
  m_bLeapFlag = static_cast<BYTE>(choices.ccx2);
  m_bCcxCckm = choices.ccxCckm;
  BuildConnectProfile();
}

BOOL CPageSiteSurveyDlg::ContinueWithHiddenSsid(const NDIS_802_11_SSID& ssid) {
  m_ssid = ssid;
  m_ssid.SsidLength = std::min<ULONG>(ssid.SsidLength, sizeof m_ssid.Ssid);
  m_bHiddenSsidEntered = 1;
  if (m_bSecured) {
    PrepareConnectPages();
    return TRUE;
  }
  BuildConnectProfile();
  return FALSE;
}

NDIS_802_11_SSID CPageSiteSurveyDlg::ConnectSsid() const {
  if (m_bHiddenSsidEntered) {
    NDIS_802_11_SSID ssid = m_ssid;
    ssid.SsidLength = std::min<ULONG>(ssid.SsidLength, sizeof ssid.Ssid);
    return ssid;
  }
  NDIS_802_11_SSID ssid{};
  ssid.SsidLength = std::min<DWORD>(getU32(m_pSelectedRecord + kSsidLength), kSsidSize);
  std::memcpy(ssid.Ssid, m_pSelectedRecord + kSsid, ssid.SsidLength);
  return ssid;
}

void CPageSiteSurveyDlg::BuildConnectProfile() {
  if (!m_pSelectedRecord) return;
  if (!m_pConnectRecord) m_pConnectRecord = std::make_unique<_PROFILE_DATA>();
  _PROFILE_DATA& record = *m_pConnectRecord;
  const BYTE* bss = m_pSelectedRecord;
  const bool infrastructure = getU32(bss + kInfrastructureMode) == 1;
  const bool securityNeeded = getU32(bss + kPrivacy) != 0 || IsWpaKind(m_nSecurityKind);

  if (securityNeeded) {
    const bool oneX = AdapterTakesSecurity() &&
                      ((infrastructure && (m_nChosenAuth == kChosenWpa || m_nChosenAuth == kChosenWpa2)) ||
                       ((m_nChosenAuth == kChosenOpen || m_nChosenAuth == kChosenShared) && m_nUse8021X));
    if (oneX) {
      const _8021X_DATA& x = m_8021x;
      record.Use8021X = 1;
      record.AuthenProtocol = static_cast<DWORD>(x.EapMethod);
      record.TunnelProtocol = static_cast<DWORD>(x.TunnelProtocol);
      record.ProvisioningTunnel = static_cast<DWORD>(x.ProvisioningTunnel);
      record.TunnelProtocol2 = static_cast<DWORD>(x.TunnelProtocol2);
      record.SessionResumption = static_cast<DWORD>(x.SessionResumption);
      CopyText(record.Identity, x.Identity);
      CopyText(record.Password, x.Password);
      CopyText(record.TunnelID, x.TunnelID);
      CopyText(record.TunnelPassword, x.TunnelPassword);
      record.PasswordMode = static_cast<DWORD>(x.PasswordMode);
      record.UseClientCert = static_cast<DWORD>(x.UseClientCert);
      record.UseSmartCard = static_cast<DWORD>(x.UseSmartCard);
      if (record.UseClientCert) {
        record.ClientCertLen = CutCertLength(x.ClientCertLen);
        std::memcpy(record.ClientCertData, x.ClientCertData, record.ClientCertLen);
      }
      record.UseServerCert = static_cast<DWORD>(x.UseServerCert);
      if (record.UseServerCert) {
        record.IntermediateCert = static_cast<DWORD>(x.IntermediateCert);
        record.NameRule = static_cast<DWORD>(x.NameRule);
        CopyText(record.ServerName, x.ServerName);
        record.ServerCertLen = CutCertLength(x.ServerCertLen);
        std::memcpy(record.ServerCertData, x.ServerCertData, record.ServerCertLen);
      }
      if (infrastructure) {
        if (m_nChosenAuth == kChosenWpa) m_nProfileAuthMode = 3;
        if (m_nChosenAuth == kChosenWpa2) m_nProfileAuthMode = 6;
        m_nProfileCipherMode = WpaCipherMode(m_nChosenCipher, m_nProfileCipherMode);
      }
      record.UsePAC = static_cast<DWORD>(x.UsePAC);
      record.ProvisionMode = static_cast<DWORD>(x.ProvisionMode);
      record.ProvisioningTunnel = static_cast<DWORD>(x.ProvisioningTunnel);
      CopyText(record.PACFilePath, x.PACFilePath);
    }

    if (infrastructure && m_nChosenAuth == kChosenLeap) {
      m_nProfileAuthMode = 0;
      m_nProfileCipherMode = 0;
      if (m_nLeapCipher == 1) m_nProfileCipherMode = 4;
      if (m_nLeapCipher == 2) m_nProfileCipherMode = 6;
      record.LeapEnabled = 1;
      record.LeapCcx = m_bLeapFlag;
      CopyLeapText(record.LeapUserName, record.LeapUserNameLength, m_strLeapUserName);
      CopyLeapText(record.LeapPassword, record.LeapPasswordLength, m_strLeapPassword);
      CopyLeapText(record.LeapDomain, record.LeapDomainLength, m_strLeapDomain);
    } else if ((infrastructure && (m_nChosenAuth == kChosenWpaPsk || m_nChosenAuth == kChosenWpa2Psk)) ||
               (!infrastructure && m_nChosenAuth == kChosenWpaNone)) {
      if (!infrastructure) {
        m_nProfileAuthMode = 5;
        BYTE key[kWpaNoneKeyLength] = {};
        if (m_strPassPhrase.GetLength() == kHexPassPhraseLength) {
          HexStringToBytes(m_strPassPhrase, key, kWpaNoneKeyLength);
        } else {
          const NDIS_802_11_SSID ssid = ConnectSsid();
          PasswordHash(m_strPassPhrase, ssid.Ssid, static_cast<int>(ssid.SsidLength), key);
        }
        record.WpaNoneKey = MakeNdisKeyBlock(kTransmitKeyBit, key, kWpaNoneKeyLength);
      } else {
        m_nProfileAuthMode = m_nChosenAuth == kChosenWpa2Psk ? 7 : 4;
        const DWORD length = std::min<DWORD>(static_cast<DWORD>(m_strPassPhrase.GetLength()), sizeof record.WpaPsk);
        std::memcpy(record.WpaPsk, static_cast<LPCSTR>(m_strPassPhrase), length);
        record.WpaPskLength = length;
      }
      m_nProfileCipherMode = WpaCipherMode(m_nChosenCipher, m_nProfileCipherMode);
    } else if (m_nChosenAuth == kChosenShared || (m_nChosenAuth == kChosenOpen && m_nChosenCipher == kChosenWep)) {
      m_nProfileAuthMode = m_nChosenAuth;
      if (m_nChosenCipher == kChosenNone) m_nProfileCipherMode = 1;
      if (m_nChosenCipher == kChosenWep) m_nProfileCipherMode = 0;
      for (int key = 0; key < kKeyCount; ++key) {
        const DWORD length = static_cast<DWORD>(std::clamp(m_nKeyLength[key], 0, kKeyBytes));
        if (length == 0) continue;
        const DWORD index = static_cast<DWORD>(key) | (key == m_nDefaultKeyIndex ? kTransmitKeyBit : 0);
        record.WepKey[key] = MakeNdisKeyBlock(index, m_keys[key], length);
      }
    }
  }

  record.AuthMode = static_cast<DWORD>(m_nProfileAuthMode);
  record.CipherMode = static_cast<DWORD>(m_nProfileCipherMode);
  record.Valid = 1;
  const NDIS_802_11_SSID bssSsid = [&] {
    NDIS_802_11_SSID ssid{};
    ssid.SsidLength = std::min<DWORD>(getU32(bss + kSsidLength), kSsidSize);
    std::memcpy(ssid.Ssid, bss + kSsid, ssid.SsidLength);
    return ssid;
  }();
  if (!m_bHiddenSsidEntered) m_ssid = bssSsid;
  std::memcpy(m_bssid, bss + kMacAddress, sizeof m_bssid);
  m_bByBssid = 0;
  m_bBySsid = 0;
  if (!infrastructure || m_bHiddenSsidEntered) {
    record.Ssid = ConnectSsid();
    record.UseBssid = 0;
    m_bBySsid = 1;
  } else {
    record.Ssid = bssSsid;
    std::memcpy(record.Bssid, bss + kMacAddress, sizeof record.Bssid);
    record.UseBssid = 1;
    m_bByBssid = 1;
  }
  record.PSMode = 0;
  record.ACPowerCam = 0;
  record.AdvancedValid = 0;
  record.RtsThresh = kConnectRtsThreshold;
  record.FragThresh = 0;
  record.PreambleType = kConnectPreamble;
  record.NetworkType = getU32(bss + kInfrastructureMode);
  record.TxPower = 0;
  record.ChannelFrequency = getU32(bss + kConfiguration + wavorel::wire::ndis::configuration::kDsConfig);
  QueueConnection();
  g_bConnectedByProfile = 0;
}
