// The WPS page's credential buttons: connect, rotate, delete, export as
// station profiles, the detail dialog, and the registrar's own credential.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "frontend/BridgeCodes.h"
#include "platform/wire/Bytes.h"
#include "platform/wire/WpsRecords.h"
#include "station/profiles/PageProfileDlg.h"
#include "station/profiles/ProfileEditorDlg.h"
#include "station/status/PageWPSDlg.h"
#include "station/status/PageWPSProfile.h"
#include "station/status/WpsPin.h"
#include "worker/DriverCodes.h"
#include "worker/HideDlg.h"
#include "worker/ModuleFunctions.h"
#include "worker/OidRequest.h"
#include "worker/StationHost.h"
#include "worker/WorkerGlobals.h"
#include "worker/WpsWorker.h"

namespace {

namespace credential = wavorel::wire::wps::credential;
namespace table = wavorel::wire::wps::table;
using wavorel::wire::putU32;

constexpr UINT kConnectWatchPeriodMs = 2000;
constexpr DWORD kRegistrarKeyBytes = 32;
constexpr DWORD kMacSize = 6;
// The profile editor's security commands of the bridge.
constexpr UINT kCmdAuthentication = BRIDGE_CMD_EDITOR_SECURITY_FIELD;  // 23: index
constexpr UINT kCmdEncryption = BRIDGE_CMD_EDITOR_SECURITY_FIELD + 2;  // 25: index << 16 | editor 1
constexpr UINT kCmdDefaultKey = BRIDGE_CMD_EDITOR_SECURITY_FIELD + 3;  // 26
constexpr UINT kCmdKey1Type = BRIDGE_CMD_EDITOR_SECURITY_FIELD + 4;    // 27..30: 0 hexadecimal, 1 ASCII
constexpr UINT kCmdKey1 = BRIDGE_CMD_EDITOR_SECURITY_FIELD + 8;        // 31..34
constexpr UINT kCmdWpaPsk = BRIDGE_CMD_EDITOR_SECURITY_FIELD + 16;     // 39

// The profile editor's authentication and encryption indexes of a record.
int EditorAuthIndex(DWORD type) {
  switch (type) {
    case 2: return CPageAuthEncryDlg::kAuthWpaPsk;
    case 4: return CPageAuthEncryDlg::kAuthShared;
    case 8: return CPageAuthEncryDlg::kAuthWpa;
    case 16: return CPageAuthEncryDlg::kAuthWpa2;
    case 32: return CPageAuthEncryDlg::kAuthWpa2Psk;
    case 34: return CPageAuthEncryDlg::kAuthWpaPsk;
    default: return CPageAuthEncryDlg::kAuthOpen;
  }
}

int EditorEncryptionIndex(DWORD type) {
  switch (type) {
    case 2: return CPageAuthEncryDlg::kEncryptionWep;
    case 4:
    case 12: return CPageAuthEncryDlg::kEncryptionTkip;
    case 8: return CPageAuthEncryDlg::kEncryptionAes;
    default: return CPageAuthEncryDlg::kEncryptionNone;
  }
}

CString Number(int value) {
  CString text;
  text.Format("%d", value);
  return text;
}

}  // namespace

void CPageWPSDlg::OnBnClickedConnect() {
  DeleteAllNativeProfiles();
  g_bWpsRotate = 0;
  m_nTickCounter = 1;
  StopTimers();
  const int row = SelectedProfileRow();
  if (row < 0) return;
  g_nWpsCurrentIndex = row;
  g_bWpsConnect = 1;
  MarkProfileRow(row, 1);
  SaveWscFlag();
  if (WpsCredentialCount() > 0) {
    ConnectWpsProfile();
    SetTimer(kWpsConnectWatchTimer, kConnectWatchPeriodMs, nullptr);
  }
}

void CPageWPSDlg::OnBnClickedRotate() {
  DeleteAllNativeProfiles();
  g_bWpsRotate = 1;
  m_nTickCounter = 1;
  g_bWpsConnect = 1;
  MarkProfileRow(g_nWpsCurrentIndex, 1);
  SaveWscFlag();
  if (WpsCredentialCount() > 0) {
    ConnectWpsProfile();
    SetTimer(kWpsConnectWatchTimer, kConnectWatchPeriodMs, nullptr);
  }
}

void CPageWPSDlg::RemoveCredential(int row) {
  const int count = WpsCredentialCount();
  if (row < 0 || row >= count) return;
  BYTE* records = g_wscCredentialTable.data() + table::kRecords;
  std::memmove(records + row * credential::kSize, records + (row + 1) * credential::kSize,
               static_cast<size_t>(count - row - 1) * credential::kSize);
  std::memset(records + (count - 1) * credential::kSize, 0, credential::kSize);
  putU32(g_wscCredentialTable.data() + table::kCount, static_cast<DWORD>(count - 1));
  if (count == 1) std::memset(g_wpsBssid, 0, sizeof g_wpsBssid);
}

void CPageWPSDlg::OnBnClickedExportProfile() {
  CStationHost* host = GetStationHost();
  auto* editor = dynamic_cast<CProfileEditorDlg*>(host ? host->GetSecondaryDialog(kHostDlgProfileEditor) : nullptr);
  auto* profiles = dynamic_cast<CPageProfileDlg*>(host ? host->GetTabPage(kHostTabProfile) : nullptr);
  if (!editor || !IsWindow(editor->GetSafeHwnd()) || !editor->GetSystemConfigPage() || !editor->GetAuthEncryPage())
    return;
  for (int i = 0; i < WpsCredentialCount(); ++i) {
    const WpsCredentialFields c = WpsCredentialAt(i);
    CString name;
    if (profiles) profiles->GetNewProfileName(name);
    editor->ResetEditorData();
    editor->GetSystemConfigPage()->LoadDefaults(name);
    editor->GetAuthEncryPage()->SetDefaults();
    // The editor takes each value as the front end's command would set it,
    // and reports it to the front end.
    editor->RunBridgeCommand(BRIDGE_CMD_EDITOR_SSID,
                             CString(reinterpret_cast<const char*>(c.Ssid), static_cast<int>(c.SsidLength)));
    editor->RunBridgeCommand(kCmdAuthentication, Number(EditorAuthIndex(c.AuthType)));
    editor->RunBridgeCommand(kCmdEncryption, Number((EditorEncryptionIndex(c.EncrType) << 16) | 1));
    const CString key(reinterpret_cast<const char*>(c.Key), static_cast<int>(c.KeyLength));
    if ((c.AuthType == credential::kAuthOpen || c.AuthType == credential::kAuthShared) &&
        c.EncrType == credential::kEncryptionWep) {
      const int slot = static_cast<int>(c.KeyIndex & 3);
      editor->RunBridgeCommand(kCmdDefaultKey, Number(slot));
      const bool hex = c.KeyLength == 10 || c.KeyLength == 26;
      editor->RunBridgeCommand(kCmdKey1Type + slot, hex ? "0" : "1");
      editor->RunBridgeCommand(kCmdKey1 + slot, key);
    }
    if (c.AuthType == credential::kAuthWpaPsk || c.AuthType == credential::kAuthWpa2Psk || c.AuthType == 34)
      editor->RunBridgeCommand(kCmdWpaPsk, key);
    editor->RunBridgeCommand(BRIDGE_CMD_EDITOR_OK, "1");
  }
}

void CPageWPSDlg::OnBnClickedProfileDetail() {
  const int row = g_nWpsConfigMode == kWpsRegistrar ? 0 : SelectedProfileRow();
  if (row < 0 || row >= WpsCredentialCount()) return;
  CStationHost* host = GetStationHost();
  auto* dialog = dynamic_cast<CPageWPSProfile*>(host ? host->GetSecondaryDialog(kHostDlgWpsProfile) : nullptr);
  if (dialog) dialog->ShowCredential(WpsCredentialAt(row));
  OpenHostDialog(kHostDlgWpsProfile);
}

void CPageWPSDlg::MakeRegistrarCredential() {
  BYTE mac[kMacSize] = {};
  DWORD returned = 0;
  QueryOid(OID_802_3_CURRENT_ADDRESS, mac, sizeof mac, &returned);
  g_wscCredentialTable.fill(0);
  putU32(g_wscCredentialTable.data() + table::kCount, 1);
  BYTE* r = g_wscCredentialTable.data() + table::recordAt(0);
  char ssid[credential::kSsidSize + 1] = {};
  const int ssidLength = std::snprintf(ssid, sizeof ssid, "ExRegNW%02X%02X%02X", mac[3], mac[4], mac[5]);
  putU32(r + credential::kSsidLength, static_cast<DWORD>(ssidLength));
  std::memcpy(r + credential::kSsid, ssid, static_cast<size_t>(ssidLength));
  putU32(r + credential::kAuthType, credential::kAuthWpa2Psk);
  putU32(r + credential::kEncryptionType, credential::kEncryptionAes);
  putU32(r + credential::kKeyIndex, 1);
  putU32(r + credential::kKeyLength, kRegistrarKeyBytes * 2);
  BYTE key[kRegistrarKeyBytes] = {};
  DrawRandomBytes(key, sizeof key);
  char hex[3] = {};
  for (DWORD i = 0; i < kRegistrarKeyBytes; ++i) {
    std::snprintf(hex, sizeof hex, "%02X", key[i]);
    std::memcpy(r + credential::kKey + 2 * i, hex, 2);
  }
}
