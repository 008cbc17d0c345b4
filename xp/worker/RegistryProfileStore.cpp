// The registry profile store of the XP build: the value names, their text
// forms and the conversions between the editor's selections and the stored
// numbers.
#include "xp/worker/RegistryProfileStore.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "frontend/UiBridge.h"
#include "station/profiles/EditorFieldCodes.h"
#include "station/profiles/ProfileEditorDlg.h"
#include "worker/HexStringToBytes.h"
#include "worker/ModuleFunctions.h"
#include "worker/WorkerGlobals.h"
#include "xp/worker/RegistryKey.h"

namespace {

using Page = CPageAuthEncryDlg;

constexpr int kDefaultRts = 2347;
constexpr int kDefaultFrag = 2346;
constexpr int kMinFrag = 256;
constexpr int kEapMethodSecondInner = 2;
constexpr int kJapanChannelBase = 200;
constexpr int kJapanChannels[] = {8, 12, 16};
// Read sizes of the texts longer than the plain 128 bytes, and of the SSID.
constexpr DWORD kSsidReadSize = 33;
constexpr DWORD kLeapTextSize = 256;
constexpr DWORD kPathReadSize = 256;
constexpr DWORD kServerNameSize = 256;
constexpr DWORD kCertBytes = sizeof(_8021X_DATA::ClientCertData);
// ASCII WEP keys: 5 or 13 characters.
constexpr int kShortAsciiKey = 5;
constexpr int kLongAsciiKey = 13;

// "J8", "J12", "J16" as 208, 212, 216; any other text unchanged.
CString StoredChannel(const CString& text) {
  for (int japan : kJapanChannels) {
    CString name;
    name.Format("J%d", japan);
    if (text == name) {
      CString number;
      number.Format("%d", kJapanChannelBase + japan);
      return number;
    }
  }
  return text;
}

CString ChannelTextOf(int channel) {
  CString text;
  for (int japan : kJapanChannels) {
    if (channel == kJapanChannelBase + japan) {
      text.Format("J%d", japan);
      return text;
    }
  }
  text.Format("%d", channel);
  return text;
}

int StoredAuthenType(int networkType, int selection, BOOL leap, int leapEncryption) {
  if (networkType == 0 && selection == Page::kAuthWpaNone) return 5;
  if (networkType == 0 && selection == Page::kAuthWpa) return 0;
  if (networkType != 0 && selection == Page::kAuthWpaNone) return 4;
  if (leap) return leapEncryption == 1 ? 3 : leapEncryption == 2 ? 6 : 0;
  constexpr int kStored[] = {0, 1, 0, 3, 4, 6, 7, 5};
  return selection >= 0 && selection < Page::kAuthCount ? kStored[selection] : 0;
}

int StoredEncryption(int selection, BOOL leap, int leapEncryption) {
  if (leap) return leapEncryption == 1 ? 4 : leapEncryption == 2 ? 6 : 0;
  constexpr int kStored[] = {1, 0, 4, 6};
  return selection >= 0 && selection < Page::kEncryptionCount ? kStored[selection] : 1;
}

// An ASCII key as the hexadecimal text of its character codes (printable,
// so two digits each): empty stays empty, five characters give 10 digits,
// any other key its first 13 characters (zero bytes where it is shorter) 26.
CString StoredAsciiKey(const CString& key) {
  CString hex;
  if (key.IsEmpty()) return hex;
  const int count = key.GetLength() == kShortAsciiKey ? kShortAsciiKey : kLongAsciiKey;
  for (int i = 0; i < count; ++i) {
    const BYTE code = i < key.GetLength() ? static_cast<BYTE>(key[i]) : 0;
    hex.AppendFormat("%02x", code);
  }
  return hex;
}

CString CertText(const BYTE* bytes, DWORD length) {
  CString text;
  for (DWORD i = 0; i < length; ++i) text.AppendFormat("%02x", bytes[i]);
  return text;
}

bool IsHexText(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return HexDigitValue(c) != 255; });
}

void WriteValues(const CRegistryKey& key, CProfileEditorDlg& editor, const CPageSystemConfigDlg& system,
                 const CPageAuthEncryDlg& security) {
  key.WriteText("SSID", system.m_strSsid);
  key.WriteText("Channel", StoredChannel(system.m_strChannel));
  key.WriteNumber("NetworkType", system.m_nNetworkType);
  key.WriteNumber("PreambleType", system.m_nPreamble == 1 ? 0 : 2);
  key.WriteNumber("ACPowerCam", system.m_nACPowerCam);
  key.WriteNumber("PSMode", system.m_nPowerSave == 1 ? 2 : 0);
  key.WriteNumber("TXPower", system.m_nTxPower);
  key.WriteNumber("UseRts", system.m_bUseRts);
  key.WriteNumber("RtsThresh", system.m_bUseRts ? system.m_nRtsValue : kDefaultRts);
  key.WriteNumber("UseFrag", system.m_bUseFrag);
  key.WriteNumber("FragThresh", system.m_bUseFrag ? system.m_nFragValue : kDefaultFrag);
  if (security.m_bLeapMode) editor.m_nUse8021X = 0;
  key.WriteNumber("AuthenType", StoredAuthenType(system.m_nNetworkType, security.m_nAuthentication,
                                                 security.m_bLeapMode, editor.m_nLeapEncryption));
  key.WriteNumber("Encryption",
                  StoredEncryption(security.m_nEncryption, security.m_bLeapMode, editor.m_nLeapEncryption));
  key.WriteNumber("LeapEnabled", security.m_bLeapMode ? 1 : 0);
  key.WriteText("LeapUserName", editor.m_strLeapIdentity);
  key.WriteText("LeapPassword", editor.m_strLeapPassword);
  key.WriteText("LeapDomainName", editor.m_strLeapDomain);
  key.WriteNumber("LeapEncryType", editor.m_nLeapEncryption);
  key.WriteText("WPAPSK", security.m_strWpaPsk);
  key.WriteNumber("WEPKeyUse", security.m_nTransmitKey + 1);
  for (int i = 0; i < Page::kKeyCount; ++i) {
    CString name;
    name.Format("WEPKey%dType", i + 1);
    key.WriteNumber(name, security.m_nKeyFormat[i]);
  }
  for (int i = 0; i < Page::kKeyCount; ++i) {
    CString name;
    name.Format("WEPKey%d", i + 1);
    const CString& text = security.m_strWepKey[i];
    key.WriteText(name, security.m_nKeyFormat[i] == Page::kKeyAscii ? StoredAsciiKey(text) : text);
  }
  const _8021X_DATA& x = editor.m_8021x;
  key.WriteNumber("Use8021X", editor.m_nUse8021X);
  key.WriteNumber("AuthenProtocol", x.EapMethod);
  key.WriteNumber("TunnelProtocol", x.EapMethod == kEapMethodSecondInner ? x.TunnelProtocol2 : x.TunnelProtocol);
  key.WriteNumber("ProvisioningTunnel", x.ProvisioningTunnel);
  key.WriteText("ID", x.Identity);
  key.WriteText("Password", x.Password);
  key.WriteText("DomainName", x.DomainName);
  key.WriteText("TunnelID", x.TunnelID);
  key.WriteText("TunnelPassword", x.TunnelPassword);
  key.WriteNumber("SessionResumption", x.SessionResumption);
  key.WriteNumber("PasswordMode", x.PasswordMode);
  key.WriteNumber("UseClientCert", x.UseClientCert);
  key.WriteNumber("UseServerCert", x.UseServerCert);
  key.WriteNumber("UsePAC", x.UsePAC);
  key.WriteNumber("ProvisionMode", x.ProvisionMode);
  key.WriteText("PACFilePath", x.PACFilePath);
  const DWORD clientLength = std::min(x.ClientCertLen, kCertBytes);
  const DWORD serverLength = std::min(x.ServerCertLen, kCertBytes);
  key.WriteNumber("ClientCertLen", static_cast<int>(clientLength));
  key.WriteText("ClientCertData", CertText(x.ClientCertData, clientLength));
  key.WriteNumber("ServerCertLen", static_cast<int>(serverLength));
  key.WriteText("ServerCertData", CertText(x.ServerCertData, serverLength));
  key.WriteText("ServerName", x.ServerName);
  key.WriteNumber("NameRule", x.NameRule);
  key.WriteNumber("IntermediateCert", x.IntermediateCert);
}

// Reads the values of one profile key into the editor and its pages.
class ProfileReader {
 public:
  ProfileReader(const CRegistryKey& key, CProfileEditorDlg& editor, CPageSystemConfigDlg& system,
                CPageAuthEncryDlg& security)
      : key_(key), editor_(editor), system_(system), security_(security) {}

  void Read() {
    ReadSystemValues();
    ReadSecurityValues();
    ReadWepKeys();
    Read8021XValues();
  }

 private:
  bool Text(LPCSTR name, CString& field, DWORD size = CRegistryKey::kValueSize) const {
    std::string text;
    if (!key_.ReadText(name, size, text)) return false;
    field = text.c_str();
    return true;
  }

  void ReadSystemValues() {
    if (Text("SSID", system_.m_strSsid, kSsidReadSize)) NotifyUI(EDITOR_FIELD_SSID, system_.m_strSsid, TRUE);
    if (key_.ReadNumber("NetworkType", system_.m_nNetworkType))
      NotifyUIInt(EDITOR_FIELD_NETWORK_TYPE, system_.m_nNetworkType, TRUE);
    int value = 0;
    if (key_.ReadNumber("Channel", value)) {
      system_.m_strChannel = ChannelTextOf(value);
      NotifyUI(EDITOR_FIELD_CHANNEL, system_.m_strChannel, TRUE);
    }
    if (key_.ReadNumber("PSMode", value)) system_.m_nPowerSave = value == 2 ? 1 : value > 2 ? 0 : value;
    key_.ReadNumber("TXPower", system_.m_nTxPower);
    key_.ReadNumber("ACPowerCam", system_.m_nACPowerCam);
    if (key_.ReadNumber("PreambleType", value)) system_.m_nPreamble = value == 0 ? 1 : 0;

    system_.m_bUseRts = FALSE;
    system_.m_nRtsValue = system_.m_nRtsSlider = kDefaultRts;
    if (key_.ReadNumber("UseRts", system_.m_bUseRts)) {
      EnableControls({IDC_SC_RTS_VALUE, IDC_SC_RTS_SLIDER, IDC_SC_RTS_MIN_TEXT, IDC_SC_RTS_MAX_TEXT},
                     system_.m_bUseRts);
      if (system_.m_bUseRts && key_.ReadNumber("RtsThresh", value))
        system_.m_nRtsValue = system_.m_nRtsSlider = std::clamp(value, 0, kDefaultRts);
    }
    system_.m_bUseFrag = FALSE;
    system_.m_nFragValue = system_.m_nFragSlider = kDefaultFrag;
    if (key_.ReadNumber("UseFrag", system_.m_bUseFrag)) {
      EnableControls({IDC_SC_FRAG_VALUE, IDC_SC_FRAG_SLIDER, IDC_SC_FRAG_MIN_TEXT, IDC_SC_FRAG_MAX_TEXT},
                     system_.m_bUseFrag);
      if (system_.m_bUseFrag && key_.ReadNumber("FragThresh", value))
        system_.m_nFragValue = system_.m_nFragSlider = std::clamp(value, kMinFrag, kDefaultFrag);
    }
  }

  void EnableControls(std::initializer_list<int> ids, BOOL enable) const {
    if (!IsWindow(system_.GetSafeHwnd())) return;
    for (int id : ids) {
      if (CWnd* control = system_.GetDlgItem(id)) control->EnableWindow(enable);
    }
  }

  void ReadSecurityValues() {
    int value = 0;
    if (key_.ReadNumber("AuthenType", value)) {
      constexpr int kSelection[] = {Page::kAuthOpen,   Page::kAuthShared, -1,
                                    Page::kAuthWpa,    Page::kAuthWpaPsk, Page::kAuthWpaNone,
                                    Page::kAuthWpa2,   Page::kAuthWpa2Psk};
      if (value >= 0 && value < 8 && kSelection[value] >= 0) security_.m_nAuthentication = kSelection[value];
      NotifyUIInt(EDITOR_FIELD_AUTHENTICATION, security_.m_nAuthentication, TRUE);
    }
    if (key_.ReadNumber("LeapEnabled", value)) {
      security_.m_bLeapMode = value != 0;
      NotifyUIInt(EDITOR_FIELD_LEAP_MODE, security_.m_bLeapMode, TRUE);
      if (security_.m_bLeapMode) {
        security_.m_nAuthentication = Page::kAuthLeap;
        NotifyUIInt(EDITOR_FIELD_AUTHENTICATION, Page::kAuthLeap, TRUE);
      }
    }
    if (key_.ReadNumber("Encryption", value)) {
      constexpr int kNone = -1;
      const int selection = value == 0   ? Page::kEncryptionWep
                            : value == 1 ? Page::kEncryptionNone
                            : value == 4 ? Page::kEncryptionTkip
                            : value == 6 ? Page::kEncryptionAes
                                         : kNone;
      if (selection != kNone) security_.m_nEncryption = selection;
      NotifyUIInt(EDITOR_FIELD_ENCRYPTION, security_.m_nEncryption, TRUE);
    }
    if (security_.m_bLeapMode) {
      const int e = security_.m_nEncryption;
      SetLeapEncryption(e == Page::kEncryptionTkip ? 1 : e == Page::kEncryptionAes ? 2 : 0);
    }
    ReadLeapText("LeapUserName", security_.m_strLeapIdentity, editor_.m_strLeapIdentity, EDITOR_FIELD_LEAP_IDENTITY);
    ReadLeapText("LeapDomainName", security_.m_strLeapDomain, editor_.m_strLeapDomain, EDITOR_FIELD_LEAP_DOMAIN);
    ReadLeapText("LeapPassword", security_.m_strLeapPassword, editor_.m_strLeapPassword, EDITOR_FIELD_LEAP_PASSWORD);
    if (key_.ReadNumber("LeapEncryType", value)) SetLeapEncryption(value);
    // The page indexes its keys with these: a default key outside 1..4 is
    // not taken, a key type other than ASCII reads as hexadecimal.
    if (key_.ReadNumber("WEPKeyUse", value) && value >= 1 && value <= Page::kKeyCount) {
      security_.m_nTransmitKey = value - 1;
      NotifyUIInt(EDITOR_FIELD_TRANSMIT_KEY, security_.m_nTransmitKey, TRUE);
    }
    for (int i = 0; i < Page::kKeyCount; ++i) {
      CString name;
      name.Format("WEPKey%dType", i + 1);
      if (!key_.ReadNumber(name, value)) continue;
      security_.m_nKeyFormat[i] = value == Page::kKeyAscii ? Page::kKeyAscii : Page::kKeyHex;
      NotifyUIInt(EDITOR_FIELD_KEY1_FORMAT + i, security_.m_nKeyFormat[i], TRUE);
    }
    if (Text("WPAPSK", security_.m_strWpaPsk)) NotifyUI(EDITOR_FIELD_WPA_PSK, security_.m_strWpaPsk, TRUE);
  }

  void SetLeapEncryption(int value) {
    security_.m_nLeapEncryption = editor_.m_nLeapEncryption = value;
    NotifyUIInt(EDITOR_FIELD_LEAP_ENCRYPTION, value, TRUE);
  }

  void ReadLeapText(LPCSTR name, CString& pageField, CString& editorField, UINT code) const {
    if (!Text(name, pageField, kLeapTextSize)) return;
    editorField = pageField;
    NotifyUI(code, pageField, TRUE);
  }

  void ReadWepKeys() {
    for (int i = 0; i < Page::kKeyCount; ++i) {
      CString name;
      name.Format("WEPKey%d", i + 1);
      std::string text;
      if (!key_.ReadText(name, CRegistryKey::kValueSize, text)) continue;
      CString& field = security_.m_strWepKey[i];
      if (security_.m_nKeyFormat[i] != Page::kKeyAscii) {
        field = text.c_str();
      } else if ((text.size() == 2 * kShortAsciiKey || text.size() == 2 * kLongAsciiKey) && IsHexText(text)) {
        BYTE bytes[kLongAsciiKey] = {};
        const int count = static_cast<int>(text.size() / 2);
        HexStringToBytes(text.c_str(), bytes, count);
        const char* chars = reinterpret_cast<const char*>(bytes);
        field = CString(chars, static_cast<int>(std::find(chars, chars + count, '\0') - chars));
      } else {
        continue;
      }
      NotifyUI(EDITOR_FIELD_KEY1 + i, field, TRUE);
    }
  }

  void Read8021XValues() {
    _8021X_DATA& x = editor_.m_8021x;
    if (key_.ReadNumber("Use8021X", editor_.m_nUse8021X)) security_.m_bUse8021X = editor_.m_nUse8021X;
    key_.ReadNumber("AuthenProtocol", x.EapMethod);
    key_.ReadNumber("TunnelProtocol", x.EapMethod == kEapMethodSecondInner ? x.TunnelProtocol2 : x.TunnelProtocol);
    key_.ReadNumber("ProvisioningTunnel", x.ProvisioningTunnel);
    Text("ID", x.Identity);
    Text("Password", x.Password);
    Text("DomainName", x.DomainName);
    Text("TunnelID", x.TunnelID);
    Text("TunnelPassword", x.TunnelPassword);
    key_.ReadNumber("SessionResumption", x.SessionResumption);
    key_.ReadNumber("PasswordMode", x.PasswordMode);
    key_.ReadNumber("UseClientCert", x.UseClientCert);
    key_.ReadNumber("UseServerCert", x.UseServerCert);
    key_.ReadNumber("UsePAC", x.UsePAC);
    key_.ReadNumber("ProvisionMode", x.ProvisionMode);
    Text("PACFilePath", x.PACFilePath, kPathReadSize);
    key_.ReadHexBytes("ClientCertLen", "ClientCertData", x.ClientCertLen, x.ClientCertData, kCertBytes);
    key_.ReadHexBytes("ServerCertLen", "ServerCertData", x.ServerCertLen, x.ServerCertData, kCertBytes);
    Text("ServerName", x.ServerName, kServerNameSize);
    key_.ReadNumber("NameRule", x.NameRule);
    key_.ReadNumber("IntermediateCert", x.IntermediateCert);
  }

  const CRegistryKey& key_;
  CProfileEditorDlg& editor_;
  CPageSystemConfigDlg& system_;
  CPageAuthEncryDlg& security_;
};

void RefreshPage(CDialog* page) {
  if (page && IsWindow(page->GetSafeHwnd())) page->UpdateData(FALSE);
}

}  // namespace

BOOL SaveProfileToRegistry(CProfileEditorDlg* editor) {
  CPageSystemConfigDlg* system = editor ? editor->GetSystemConfigPage() : nullptr;
  CPageAuthEncryDlg* security = editor ? editor->GetAuthEncryPage() : nullptr;
  if (!system || !security || !IsRegistryProfileName(system->m_strProfileName)) return FALSE;
  CRegistryKey key;
  if (key.Create(HKEY_LOCAL_MACHINE, StationProfileKeyPath(system->m_strProfileName)) != ERROR_SUCCESS) return FALSE;
  WriteValues(key, *editor, *system, *security);
  return TRUE;
}

int LoadProfileFromRegistry(CProfileEditorDlg* editor) {
  CPageSystemConfigDlg* system = editor ? editor->GetSystemConfigPage() : nullptr;
  CPageAuthEncryDlg* security = editor ? editor->GetAuthEncryPage() : nullptr;
  if (!system || !security) return 1;
  CRegistryKey key;
  const bool opened =
      IsRegistryProfileName(system->m_strProfileName) &&
      key.Open(HKEY_LOCAL_MACHINE, StationProfileKeyPath(system->m_strProfileName), KEY_READ) == ERROR_SUCCESS;
  if (opened) ProfileReader(key, *editor, *system, *security).Read();
  RefreshPage(system);
  RefreshPage(security);
  RefreshPage(editor->Get8021XPage());
  return opened ? 1 : 0;
}
