// CProfileEditorDlg's store mapping: SaveProfile and LoadProfile, one profile
// section of the adapter's "_prof" file, every value a text.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "frontend/UiBridge.h"
#include "station/profiles/EditorFieldCodes.h"
#include "station/profiles/ProfileEditorDlg.h"
#include "worker/IniProfileStore.h"
#include "worker/WorkerGlobals.h"

namespace {

constexpr int kReadBufferSize = 128;
// Certificates: at most 149 bytes, so that their text fits 300 characters.
constexpr DWORD kMaxCertBytes = 149;
constexpr int kCertTextBufferSize = 300;
constexpr int kDefaultRts = 2347;
constexpr int kDefaultFrag = 2346;
constexpr int kEapMethodSecondInner = 2;

using Page = CPageAuthEncryDlg;

// The security page's authentication index of a stored AuthMode; -1 for a
// value that names none (2 and values outside the table).
int AuthIndexOfStored(int stored) {
  constexpr int kIndexes[] = {Page::kAuthOpen,    Page::kAuthShared, -1,
                              Page::kAuthWpa,     Page::kAuthWpaPsk, Page::kAuthWpaNone,
                              Page::kAuthWpa2,    Page::kAuthWpa2Psk};
  return stored >= 0 && stored < 8 ? kIndexes[stored] : -1;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// `count` bytes from hexadecimal pairs; the pairs before the first bad or
// missing digit are decoded, the rest are zero.
void DecodeCert(const char* text, BYTE* out, DWORD count) {
  std::memset(out, 0, count);
  const size_t length = std::strlen(text);
  for (DWORD i = 0; i < count && 2 * i + 1 < length; ++i) {
    const int high = HexDigit(text[2 * i]);
    const int low = HexDigit(text[2 * i + 1]);
    if (high < 0 || low < 0) return;
    out[i] = static_cast<BYTE>(high * 16 + low);
  }
}

CString CertText(const BYTE* bytes, DWORD length) {
  CString text;
  for (DWORD i = 0; i < length && i < kMaxCertBytes; ++i) text.AppendFormat("%02x", bytes[i]);
  return text;
}

CString Number(int value) {
  CString text;
  text.Format("%d", value);
  return text;
}

}  // namespace

int CProfileEditorDlg::StoredAuthMode(int networkType) const {
  if (m_pPageAuthEncry && m_pPageAuthEncry->m_bLeapMode)
    return m_nLeapEncryption == 1 ? 3 : m_nLeapEncryption == 2 ? 6 : 0;
  const bool adhoc = networkType == 0;
  switch (m_nAuthentication) {
    case Page::kAuthShared:
      return 1;
    case Page::kAuthWpa:
      return adhoc ? 0 : 3;
    case Page::kAuthWpaPsk:
      return 4;
    case Page::kAuthWpa2:
      return 6;
    case Page::kAuthWpa2Psk:
      return 7;
    case Page::kAuthWpaNone:
      return adhoc ? 5 : 4;
    default:  // Open, LEAP
      return 0;
  }
}

int CProfileEditorDlg::StoredCipherMode() const {
  if (m_pPageAuthEncry && m_pPageAuthEncry->m_bLeapMode)
    return m_nLeapEncryption == 1 ? 4 : m_nLeapEncryption == 2 ? 6 : 0;
  constexpr int kCiphers[] = {1, 0, 4, 6};
  return m_nEncryption >= 0 && m_nEncryption < 4 ? kCiphers[m_nEncryption] : 1;
}

BOOL CProfileEditorDlg::SaveProfile() {
  const CPageSystemConfigDlg* system = m_pPageSystemConfig.get();
  const CPageAuthEncryDlg* security = m_pPageAuthEncry.get();
  if (!system || !security) return TRUE;
  const CString& guid = g_strAdapterGuid;
  const CString& section = system->m_strProfileName;
  const auto write = [&](LPCSTR key, const CString& value) {
    WriteIniValue(guid, kIniKindProfiles, section, key, value, 0);
  };
  ClearIniProfileSection(guid, section);

  write("SSID", system->m_strSsid);
  const int channel = CPageSystemConfigDlg::ChannelNumber(system->m_strChannel);
  write("Channel", channel > 200 && CPageSystemConfigDlg::ChannelText(channel) == system->m_strChannel
                       ? Number(channel)
                       : system->m_strChannel);
  write("NetworkType", Number(system->m_nNetworkType));
  write("PreambleType", Number(system->m_nPreamble == 1 ? 0 : 2));
  write("ACPowerCam", Number(system->m_nACPowerCam));
  write("PSMode", Number(system->m_nPowerSave == 1 ? 2 : 0));
  write("TXPower", Number(system->m_nTxPower));
  write("UseRts", Number(system->m_bUseRts));
  write("RtsThresh", Number(system->m_bUseRts ? system->m_nRtsValue : kDefaultRts));
  write("UseFrag", Number(system->m_bUseFrag));
  write("FragThresh", Number(system->m_bUseFrag ? system->m_nFragValue : kDefaultFrag));
  if (security->m_bLeapMode) m_nUse8021X = 0;
  write("AuthMode", Number(StoredAuthMode(system->m_nNetworkType)));
  write("CipherMode", Number(StoredCipherMode()));
  write("LeapEnabled", Number(security->m_bLeapMode));
  write("LeapUserName", m_strLeapIdentity);
  write("LeapPassword", m_strLeapPassword);
  write("LeapDomainName", m_strLeapDomain);
  write("LeapEncryType", Number(m_nLeapEncryption));
  write("WPAPSK", security->m_strWpaPsk);
  write("WEPKeyUse", Number(security->m_nTransmitKey + 1));
  for (int key = 0; key < Page::kKeyCount; ++key) {
    CString name;
    name.Format("WEPKey%dType", key + 1);
    write(name, Number(security->m_nKeyFormat[key]));
  }
  for (int key = 0; key < Page::kKeyCount; ++key) {
    CString name;
    name.Format("WEPKey%d", key + 1);
    const CString& text = security->m_strWepKey[key];
    if (security->m_nKeyFormat[key] == Page::kKeyHex) {
      write(name, text);
      continue;
    }
    CString hex;
    for (int i = 0; i < text.GetLength(); ++i) hex.AppendFormat("%02X", static_cast<BYTE>(text[i]));
    write(name, hex);
  }
  write("Use8021X", Number(m_nUse8021X));
  write("AuthenProtocol", Number(m_8021x.EapMethod));
  write("TunnelProtocol",
        Number(m_8021x.EapMethod == kEapMethodSecondInner ? m_8021x.TunnelProtocol2 : m_8021x.TunnelProtocol));
  write("ProvisioningTunnel", Number(m_8021x.ProvisioningTunnel));
  write("ID", m_8021x.Identity);
  write("Password", m_8021x.Password);
  write("DomainName", m_8021x.DomainName);
  write("TunnelID", m_8021x.TunnelID);
  write("TunnelPassword", m_8021x.TunnelPassword);
  write("SessionResumption", Number(m_8021x.SessionResumption));
  write("PasswordMode", Number(m_8021x.PasswordMode));
  write("UseClientCert", Number(m_8021x.UseClientCert));
  write("UseSmartCard", Number(m_8021x.UseSmartCard));
  write("UseServerCert", Number(m_8021x.UseServerCert));
  write("UsePAC", Number(m_8021x.UsePAC));
  write("ProvisionMode", Number(m_8021x.ProvisionMode));
  write("PACFilePath", m_8021x.PACFilePath);
  const DWORD clientLength = m_8021x.ClientCertLen > kMaxCertBytes ? kMaxCertBytes : m_8021x.ClientCertLen;
  const DWORD serverLength = m_8021x.ServerCertLen > kMaxCertBytes ? kMaxCertBytes : m_8021x.ServerCertLen;
  write("ClientCertLen", Number(static_cast<int>(clientLength)));
  write("ClientCertData", CertText(m_8021x.ClientCertData, clientLength));
  write("ServerCertLen", Number(static_cast<int>(serverLength)));
  write("ServerCertData", CertText(m_8021x.ServerCertData, serverLength));
  write("ServerName", m_8021x.ServerName);
  write("NameRule", Number(m_8021x.NameRule));
  write("IntermediateCert", Number(m_8021x.IntermediateCert));
  return TRUE;
}

BOOL CProfileEditorDlg::LoadProfile() {
  CPageSystemConfigDlg* system = m_pPageSystemConfig.get();
  CPageAuthEncryDlg* security = m_pPageAuthEncry.get();
  if (!system || !security) return FALSE;
  const CString guid = g_strAdapterGuid;
  const CString section = system->m_strProfileName;
  // The key's value; FALSE (the field left as it is) when it is empty.
  const auto read = [&](LPCSTR key, CString& out, int size = kReadBufferSize) {
    std::vector<char> buffer(static_cast<size_t>(size), '\0');
    char* data = buffer.data();
    ReadIniValue(guid, kIniKindProfiles, section, key, data, size, 0);
    out = data;
    return !out.IsEmpty();
  };
  const auto readInt = [&](LPCSTR key, int& out) {
    CString text;
    if (!read(key, text)) return false;
    out = std::atoi(text);
    return true;
  };
  const auto readDword = [&](LPCSTR key, DWORD& out) {
    int value = 0;
    if (!readInt(key, value)) return false;
    out = static_cast<DWORD>(value);
    return true;
  };
  CString text;
  int value = 0;

  if (read("SSID", text)) {
    system->m_strSsid = text;
    NotifyUI(EDITOR_FIELD_SSID, text, TRUE);
  }
  if (readInt("NetworkType", value)) {
    system->m_nNetworkType = value;
    NotifyUIInt(EDITOR_FIELD_NETWORK_TYPE, value, TRUE);
  }
  if (read("Channel", text)) {
    system->m_strChannel = CPageSystemConfigDlg::ChannelText(std::atoi(text));
    NotifyUI(EDITOR_FIELD_CHANNEL, system->m_strChannel, TRUE);
  }
  if (readInt("PSMode", value)) system->m_nPowerSave = value == 2 ? 1 : value > 2 ? 0 : value;
  readInt("TXPower", system->m_nTxPower);
  readInt("ACPowerCam", system->m_nACPowerCam);
  if (readInt("PreambleType", value)) system->m_nPreamble = value == 0 ? 1 : 0;

  system->m_bUseRts = FALSE;
  system->m_nRtsValue = system->m_nRtsSlider = kDefaultRts;
  readInt("UseRts", system->m_bUseRts);
  if (readInt("RtsThresh", value)) system->m_nRtsValue = system->m_nRtsSlider = value;
  system->m_bUseFrag = FALSE;
  system->m_nFragValue = system->m_nFragSlider = kDefaultFrag;
  readInt("UseFrag", system->m_bUseFrag);
  if (readInt("FragThresh", value)) system->m_nFragValue = system->m_nFragSlider = value;
  for (int id : {IDC_SC_RTS_VALUE, IDC_SC_RTS_SLIDER, IDC_SC_RTS_MIN_TEXT, IDC_SC_RTS_MAX_TEXT}) {
    if (CWnd* control = system->GetDlgItem(id)) control->EnableWindow(system->m_bUseRts);
  }
  for (int id : {IDC_SC_FRAG_VALUE, IDC_SC_FRAG_SLIDER, IDC_SC_FRAG_MIN_TEXT, IDC_SC_FRAG_MAX_TEXT}) {
    if (CWnd* control = system->GetDlgItem(id)) control->EnableWindow(system->m_bUseFrag);
  }

  if (readInt("AuthMode", value)) {
    const int index = AuthIndexOfStored(value);
    if (index >= 0) security->m_nAuthentication = index;
    NotifyUIInt(EDITOR_FIELD_AUTHENTICATION, security->m_nAuthentication, TRUE);
  }
  if (readInt("LeapEnabled", value)) {
    security->m_bLeapMode = value != 0;
    NotifyUIInt(EDITOR_FIELD_LEAP_MODE, security->m_bLeapMode, TRUE);
    if (security->m_bLeapMode) {
      security->m_nAuthentication = Page::kAuthLeap;
      NotifyUIInt(EDITOR_FIELD_AUTHENTICATION, Page::kAuthLeap, TRUE);
    }
  }
  if (readInt("CipherMode", value)) {
    if (security->m_bLeapMode) {
      security->m_nLeapEncryption = value == 4 ? 1 : value == 6 ? 2 : 0;
      security->m_bUse8021X = FALSE;
      NotifyUIInt(EDITOR_FIELD_LEAP_ENCRYPTION, security->m_nLeapEncryption, TRUE);
    } else {
      constexpr int kNoIndex = -1;
      const int index = value == 0   ? Page::kEncryptionWep
                        : value == 1 ? Page::kEncryptionNone
                        : value == 4 ? Page::kEncryptionTkip
                        : value == 6 ? Page::kEncryptionAes
                                     : kNoIndex;
      if (index != kNoIndex) security->m_nEncryption = index;
      NotifyUIInt(EDITOR_FIELD_ENCRYPTION, security->m_nEncryption, TRUE);
    }
  }
  if (read("LeapUserName", text)) {
    security->m_strLeapIdentity = text;
    NotifyUI(EDITOR_FIELD_LEAP_IDENTITY, text, TRUE);
  }
  if (read("LeapDomainName", text)) {
    security->m_strLeapDomain = text;
    NotifyUI(EDITOR_FIELD_LEAP_DOMAIN, text, TRUE);
  }
  if (read("LeapPassword", text)) {
    security->m_strLeapPassword = text;
    NotifyUI(EDITOR_FIELD_LEAP_PASSWORD, text, TRUE);
  }
  if (readInt("LeapEncryType", value)) {
    security->m_nLeapEncryption = value;
    NotifyUIInt(EDITOR_FIELD_LEAP_ENCRYPTION, value, TRUE);
  }
  if (readInt("WEPKeyUse", value)) {
    security->m_nTransmitKey = value >= 1 && value <= Page::kKeyCount ? value - 1 : 0;
    NotifyUIInt(EDITOR_FIELD_TRANSMIT_KEY, security->m_nTransmitKey, TRUE);
  }
  for (int key = 0; key < Page::kKeyCount; ++key) {
    CString name;
    name.Format("WEPKey%dType", key + 1);
    if (!readInt(name, value)) continue;
    security->m_nKeyFormat[key] = value == Page::kKeyAscii ? Page::kKeyAscii : Page::kKeyHex;
    NotifyUIInt(EDITOR_FIELD_KEY1_FORMAT + key, security->m_nKeyFormat[key], TRUE);
  }
  if (read("WPAPSK", text)) {
    security->m_strWpaPsk = text;
    NotifyUI(EDITOR_FIELD_WPA_PSK, text, TRUE);
  }
  for (int key = 0; key < Page::kKeyCount; ++key) {
    CString name;
    name.Format("WEPKey%d", key + 1);
    if (!read(name, text)) continue;
    if (security->m_nKeyFormat[key] == Page::kKeyHex) {
      security->m_strWepKey[key] = text;
    } else if (text.GetLength() == 10 || text.GetLength() == 26) {
      BYTE bytes[kEditorWepKeySize] = {};
      const int length = text.GetLength() / 2;
      DecodeCert(text, bytes, static_cast<DWORD>(length));
      security->m_strWepKey[key] = CString(reinterpret_cast<const char*>(bytes), length);
    }
  }
  for (int key = 0; key < Page::kKeyCount; ++key)
    NotifyUI(EDITOR_FIELD_KEY1 + key, security->m_strWepKey[key], TRUE);

  readInt("Use8021X", security->m_bUse8021X);
  readInt("AuthenProtocol", m_8021x.EapMethod);
  readInt("TunnelProtocol",
          m_8021x.EapMethod == kEapMethodSecondInner ? m_8021x.TunnelProtocol2 : m_8021x.TunnelProtocol);
  readInt("ProvisioningTunnel", m_8021x.ProvisioningTunnel);
  if (read("ID", text)) m_8021x.Identity = text;
  if (read("Password", text)) m_8021x.Password = text;
  if (read("DomainName", text)) m_8021x.DomainName = text;
  if (read("TunnelID", text)) m_8021x.TunnelID = text;
  if (read("TunnelPassword", text)) m_8021x.TunnelPassword = text;
  readInt("SessionResumption", m_8021x.SessionResumption);
  readInt("PasswordMode", m_8021x.PasswordMode);
  readInt("UseClientCert", m_8021x.UseClientCert);
  readInt("UseSmartCard", m_8021x.UseSmartCard);
  readInt("UseServerCert", m_8021x.UseServerCert);
  readInt("UsePAC", m_8021x.UsePAC);
  readInt("ProvisionMode", m_8021x.ProvisionMode);
  if (read("PACFilePath", text)) m_8021x.PACFilePath = text;
  if (readDword("ClientCertLen", m_8021x.ClientCertLen) && m_8021x.ClientCertLen > kMaxCertBytes)
    m_8021x.ClientCertLen = kMaxCertBytes;
  if (read("ClientCertData", text, kCertTextBufferSize)) DecodeCert(text, m_8021x.ClientCertData, m_8021x.ClientCertLen);
  if (readDword("ServerCertLen", m_8021x.ServerCertLen) && m_8021x.ServerCertLen > kMaxCertBytes)
    m_8021x.ServerCertLen = kMaxCertBytes;
  if (read("ServerCertData", text, kCertTextBufferSize)) DecodeCert(text, m_8021x.ServerCertData, m_8021x.ServerCertLen);
  if (read("ServerName", text)) m_8021x.ServerName = text;
  readInt("NameRule", m_8021x.NameRule);
  readInt("IntermediateCert", m_8021x.IntermediateCert);

  system->UpdateData(FALSE);
  security->UpdateData(FALSE);
  return TRUE;
}
