// CInvalidIDPW in Wavorel: shown after a failed 802.1X authentication, it
// names the card and the current profile and either asks for the
// credentials again (re-entry form) or tells of a time-out (notice); OK
// stores what was typed in the supplicant's profile and in the registry,
// restarts the port and sets the SSID again.
#include <algorithm>
#include <cstring>
#include <string>

#include "frontend/UiBridge.h"
#include "station/profiles/InvalidIDPW.h"
#include "worker/DriverCodes.h"
#include "worker/HideDlg.h"
#include "worker/OidRequest.h"
#include "worker/StationHost.h"
#include "worker/WorkerGlobals.h"
#include "xp/supplicant/AuthStatus.h"
#include "xp/supplicant/PortManager.h"
#include "xp/worker/RegistryKey.h"
#include "xp/worker/RegistryProfileStore.h"
#include "xp/worker/XpWorker.h"

namespace {

// The EAP method indexes of a profile ("AuthenProtocol").
constexpr DWORD kMethodTls = 1;
constexpr DWORD kMethodFast = 3;
constexpr DWORD kMethodMd5 = 4;
constexpr DWORD kMethodLeap = 5;
constexpr int kMethodCount = 6;
constexpr UINT IDS_INVALID_CREDENTIALS = 357;
// The time-out notices by method index.
constexpr UINT kTimeoutNotices[kMethodCount] = {2370, 371, 372, 369, 373, 368};
constexpr DWORD kNameSize = 128;
constexpr DWORD kSsidRecordSize = 36;
constexpr int kSetTries = 3;

void Trace(LPCSTR format, LPCSTR argument = "") {
  CString text;
  text.Format(format, argument);
  SupplicantTrace(text);
}

// Cuts `text` into a profile field of `size` bytes, the rest zero.
void PutField(char* field, size_t size, const CString& text) {
  std::memset(field, 0, size);
  std::memcpy(field, static_cast<LPCSTR>(text), std::min(size - 1, static_cast<size_t>(text.GetLength())));
}

}  // namespace

BEGIN_MESSAGE_MAP(CInvalidIDPW, CDialog)
  ON_WM_PAINT()
  ON_WM_SHOWWINDOW()
  ON_BN_CLICKED(IDC_INVALID_OK, &CInvalidIDPW::OnOkClicked)
  ON_BN_CLICKED(IDC_INVALID_CANCEL, &CInvalidIDPW::OnCancelClicked)
END_MESSAGE_MAP()

void CInvalidIDPW::OnShowWindow(BOOL bShow, UINT nStatus) {
  CDialog::OnShowWindow(bShow, nStatus);
  m_strIdentity.Empty();
  m_strPassword.Empty();
  m_strDomain.Empty();
  if (!bShow) {
    UpdateData(FALSE);
    return;
  }
  m_strProfileName.Empty();
  const _PROFILE_DATA* profile = SupplicantGetCurrentProfile();
  CRegistryKey driver;
  if (driver.Open(HKEY_LOCAL_MACHINE, g_strDriverKey, KEY_READ) != ERROR_SUCCESS) {
    Trace("RegOpenKeyEx '%s' failed\n", g_strDriverKey);
  } else {
    std::string text;
    if (driver.ReadText("DriverDesc", kNameSize, text))
      m_strCardName = text.c_str();
    else
      Trace("RegQueryValueEx 'REGSTR_DRIVER_DESC' failed\n");
    if (profile && profile->UseBssid == 0) {
      if (driver.ReadText("CurProfile", kNameSize, text))
        m_strProfileName = text.c_str();
      else
        Trace("RegQueryValueEx 'REGSTR_KEY_CURPROFILE' failed\n");
    }
  }

  // A time-out of a known method is a notice; anything else (a rejection, an
  // activation's kind, a method outside the table) asks again.
  const int method = profile ? static_cast<int>(profile->AuthenProtocol) : -1;
  const bool notice = GetAuthFailureKind() == kAuthFailureTimeout && method >= 0 && method < kMethodCount;
  m_strMessage.LoadString(notice ? kTimeoutNotices[method] : IDS_INVALID_CREDENTIALS);
  m_bShowCredentials = notice ? 0 : 1;
  const bool show = !notice;
  ShowPair(IDC_INVALID_IDENTITY_LABEL, IDC_INVALID_IDENTITY, show);
  ShowPair(IDC_INVALID_PASSWORD_LABEL, IDC_INVALID_PASSWORD,
           show && profile && profile->AuthenProtocol != kMethodTls);
  ShowPair(IDC_INVALID_DOMAIN_LABEL, IDC_INVALID_DOMAIN,
           show && profile && (profile->AuthenProtocol == kMethodFast || profile->AuthenProtocol == kMethodLeap));
  UpdateData(FALSE);
}

void CInvalidIDPW::OnOkClicked() {
  UpdateData(TRUE);
  _PROFILE_DATA* profile = SupplicantGetCurrentProfile();
  const DWORD method = profile ? profile->AuthenProtocol : 0;
  if (m_bShowCredentials) {
    if (m_strIdentity.IsEmpty()) {
      NotifyUIMessageBox("Must input Identity", "", MB_ICONEXCLAMATION);
      return;
    }
    // Without a profile the password field is hidden: nothing to ask for.
    if (m_strPassword.IsEmpty() && profile && method != kMethodTls) {
      NotifyUIMessageBox("Must input Password", "", MB_ICONEXCLAMATION);
      return;
    }
  }
  SetSupplicantAuthenticated(0);
  g_nReassociate = 1;

  const int kind = GetAuthFailureKind();
  CRegistryKey driver;
  if (driver.Open(HKEY_LOCAL_MACHINE, g_strDriverKey, KEY_ALL_ACCESS) != ERROR_SUCCESS) {
    Trace("RegOpenKeyEx '%s' failed\n", g_strDriverKey);
  } else if (kind == kAuthFailureInvalidCredentials || kind == kAuthFailureRejected) {
    // The supplicant's profile takes them when there is one; the registry in any case.
    if (profile) {
      PutField(profile->Identity, sizeof profile->Identity, m_strIdentity);
      PutField(profile->TunnelID, sizeof profile->TunnelID, m_strIdentity);
      PutField(profile->Password, sizeof profile->Password, method == kMethodMd5 ? m_strPassword : CString());
      PutField(profile->TunnelPassword, sizeof profile->TunnelPassword, m_strPassword);
    }
    if (method != kMethodLeap) pmStart();
    // The adapter key, and the profile's own key when there is a current one.
    CRegistryKey stored;
    if (IsRegistryProfileName(m_strProfileName))
      stored.Open(HKEY_LOCAL_MACHINE, StationProfileKeyPath(m_strProfileName), KEY_ALL_ACCESS);
    for (const CRegistryKey* key : {&driver, &stored}) {
      if (!key->IsOpen()) continue;
      const auto write = [&](LPCSTR name, const CString& value) {
        if (!key->WriteText(name, value)) Trace("RegSetValueEx '%s' failed\n", name);
      };
      if (method == kMethodLeap) {
        write("LeapUserName", m_strIdentity);
        write("LeapPassword", m_strPassword);
        write("LeapDomainName", m_strDomain);
        continue;
      }
      write("ID", m_strIdentity);
      if (method == kMethodMd5) write("Password", m_strPassword);
      write("TunnelID", m_strIdentity);
      write("TunnelPassword", m_strPassword);
      write("DomainName", m_strDomain);
    }
  } else if (profile && kind == kAuthFailureTimeout && method == kMethodLeap) {
    SetSupplicantAuthenticated(1);
  }

  // The SSID again: the port's association, else the profile's.
  const _PM_PORT* port = GetCurrentPort();
  BYTE record[kSsidRecordSize] = {};
  DWORD length = 0;
  const BYTE* ssid = nullptr;
  if (port) {
    length = std::min<DWORD>(port->Config.Association.ssidLength, sizeof port->Config.Association.ssid);
    ssid = port->Config.Association.ssid;
  } else if (profile) {
    length = std::min<DWORD>(profile->Ssid.SsidLength, sizeof profile->Ssid.Ssid);
    ssid = profile->Ssid.Ssid;
  }
  if (ssid) {
    std::memcpy(record, &length, sizeof length);
    std::memcpy(record + sizeof length, ssid, length);
    DWORD written = 0;
    SetOid(OID_802_11_SSID, record, sizeof record, &written, kSetTries);
  }
  g_nReassociate = 1;
  g_bApplyRequested = 1;
  XpWorkerState().LogonCredentialSwitch = 0;
  if (g_pHideDlg) g_pHideDlg->ShowPage(kHostDlgLinkStatus);
}

void CInvalidIDPW::OnCancel() {
  g_bApplyRequested = 0;
  XpWorkerState().LogonCredentialSwitch = 1;
  if (g_pHideDlg) g_pHideDlg->ShowPage(kHostDlgLinkStatus);
}
