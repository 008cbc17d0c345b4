#include "frontend/WavorelApp.h"

#include <algorithm>
#include <vector>

#include "frontend/BridgeCodes.h"
#include "frontend/SiteEditor.h"
#include "frontend/SkinMessageBox.h"
#include "frontend/UiBridge.h"
#include "frontend/WavorelDlg.h"
#include "softap/HideDlg_AP.h"
#include "utilmere/Utilmere.h"

namespace {

constexpr const char* kRegistryKey = "Wavorel(Quendal)";
constexpr const char* kProductName = "Wavorel";
constexpr UINT kBalloonMinTimeoutMs = 3000;
constexpr int kBalloonLineWidth = 50;
constexpr int kBalloonTextBuffer = 4096;
constexpr UINT kErrorBalloonOptions = 0x1843;
constexpr UINT kErrorBalloonTimeoutMs = 5000;
constexpr UINT kBalloonEditOption = 0x100;

// The network-class key of one adapter instance in one control set.
constexpr const char* kControlSetKey = "SYSTEM\\ControlSet%03d";
constexpr const char* kNetClassKey =
    "SYSTEM\\ControlSet%03d\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002bE10318}\\%04d";
constexpr int kControlSets = 19;
constexpr int kClassInstances = 50;

// Visits the network-class keys of every control set in order; `visit`
// returns false to leave the control set, and sets `stop` to end the walk.
template <typename Visit>
void WalkNetClassKeys(Visit visit) {
  bool stop = false;
  for (int set = 1; set <= kControlSets && !stop; ++set) {
    if (!IsExistSubKey(HKEY_LOCAL_MACHINE, FormatString(kControlSetKey, set))) break;
    for (int instance = 0; instance < kClassInstances && !stop; ++instance) {
      CString key = FormatString(kNetClassKey, set, instance);
      if (!IsExistSubKey(HKEY_LOCAL_MACHINE, key)) break;
      if (!visit(key, stop)) break;
    }
  }
}

}  // namespace

CWavorelApp::CWavorelApp() = default;

CWavorelApp::~CWavorelApp() = default;

BOOL CWavorelApp::InitInstance() {
  INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), 0xFF};
  InitCommonControlsEx(&controls);
  CGxWinApp::InitInstance();
  SetRegistryKey(kRegistryKey);
  if (!CGxWinApp::InitInstance()) return FALSE;
  if (!m_bAllowMultiInstances && m_otherInstances.GetSize() > 0) {
    SendToOtherInstances(WM_SHOW_INSTANCE, 0, 0);
    return FALSE;
  }
  if (m_bEndMyself) return FALSE;

  Init_Utilmere(kProductName);
  SetCurLanguageType(GetProfileString("Setting", "LanguageType", GetDefaultLanguageType()));

  HICON first = m_tray.LoadIconFrames(GetCurDir());
  m_tray.Create(GetMLText("Model No."), first, IDR_TRAY_MENU, GetMLText("Model No."), "Wireless network device",
                nullptr);

  {
    CWavorelDlg dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
  }
  return FALSE;
}

int CWavorelApp::ExitInstance() {
  DestroySiteEditor();
  HideBalloon();
  // The tray goes with the program, also when it ends without the tray's
  // "Exit" (WM_QUIT): the application object outlives the window system.
  m_tray.RemoveIcon();
  if (m_tray.GetSafeHwnd()) m_tray.DestroyWindow();
  if (m_balloon.GetSafeHwnd()) m_balloon.DestroyWindow();
  // So does the soft-AP module's registry-service binding, which the tray's
  // "Exit" releases and a run ended in AP mode by WM_QUIT would leave to the
  // end of the process.
  CloseAPOnExit();
  return CGxWinApp::ExitInstance();
}

int CWavorelApp::ShowMessage(LPCTSTR lpszText, UINT nType) { return SkinMessageBox(nType, nullptr, lpszText); }

int CWavorelApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT) {
  return SkinMessageBox(nType, nullptr, lpszPrompt);
}

void CWavorelApp::HideBalloon() {
  if (!m_balloon.GetSafeHwnd()) return;
  m_balloon.HideBalloon(0);
  // Minimised at once (what CloseWindow does), whether or not it fades out.
  if (m_balloon.GetSafeHwnd()) m_balloon.ShowWindow(SW_MINIMIZE);
}

void CWavorelApp::ShowBalloon(LPCTSTR lpszTitle, LPCTSTR lpszContent, CPoint anchor, HICON hIcon, CWnd* pParent,
                              UINT nOptions, UINT nTimeout, LPCTSTR lpszEditText, WORD wTag, DWORD dwItemData) {
  CWnd* parent = pParent && ::IsWindow(pParent->GetSafeHwnd()) ? pParent : CWnd::FromHandle(::GetDesktopWindow());
  CString title(lpszTitle ? lpszTitle : "");
  CString content(lpszContent ? lpszContent : "");
  UINT timeout = nTimeout < kBalloonMinTimeoutMs ? kBalloonMinTimeoutMs : nTimeout;
  title.TrimRight("\r\n");
  content.TrimRight("\r\n");
  if (content.Find("\r\n") < 0) {
    std::vector<char> text(content.GetLength() + 1);
    std::copy(static_cast<LPCTSTR>(content), static_cast<LPCTSTR>(content) + content.GetLength() + 1, text.begin());
    std::vector<char> output(kBalloonTextBuffer);
    char lineBreak[] = "\r\n";
    InsertCharInterval(text.data(), kBalloonLineWidth, lineBreak, output.data(), kBalloonTextBuffer);
    content = output.data();
  }
  if (hIcon) m_balloon.SetIcon(hIcon);
  // The balloon is a member of the application: it never deletes itself.
  nOptions &= ~static_cast<UINT>(BALLOON_DELETE_THIS_ON_CLOSE);

  if (m_balloon.GetSafeHwnd() && m_balloon.GetOptions() != nOptions) m_balloon.DestroyWindow();
  if (m_balloon.GetSafeHwnd()) {
    m_balloon.SetTitle(title);
    m_balloon.SetContent(content);
    m_balloon.SetAnchorPoint(anchor);
    m_balloon.ShowBalloon();
    m_balloon.SetTimeout(timeout);
  } else {
    CFont titleFont;
    titleFont.CreateFont(14, 0, 0, 0, 900, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0x11, "Times New Roman");
    m_balloon.SetTitleFont(&titleFont);
    m_balloon.Create(title, content, anchor, nOptions, parent, "", timeout, nullptr);
  }
  if (m_balloon.GetOptions() & kBalloonEditOption) m_balloon.SetShowEditInitString(lpszEditText ? lpszEditText : "");
  m_balloon.SetItemData(dwItemData);
  m_wBalloonTag = wTag;
}

void CWavorelApp::ShowErrorBalloon(CWnd* pControl, LPCTSTR lpszKey) {
  if (!pControl || !::IsWindow(pControl->GetSafeHwnd())) return;
  CRect rect;
  pControl->GetWindowRect(&rect);
  ShowBalloon(GetMLText("Error"), GetMLText(lpszKey), rect.CenterPoint(), LoadIcon(nullptr, IDI_HAND), m_pMainWnd,
              kErrorBalloonOptions, kErrorBalloonTimeoutMs, nullptr, 0, 0);
  pControl->SetFocus();
}

BOOL WritePspXlink(BOOL bOn) {
  BOOL written = FALSE;
  const char* value = bOn ? "1" : "0";
  WalkNetClassKeys([&](const CString& key, bool&) {
    DWORD size = 1;
    if (!WriteRegister(HKEY_LOCAL_MACHINE, key, "PSPXlink", REG_SZ, value, &size)) return false;
    written = TRUE;
    return true;
  });
  NotifyWorkerInt(BRIDGE_CMD_SET_PSP_XLINK, bOn, TRUE);
  return written;
}

BOOL ReadPspXlink(BOOL* pbOn) {
  if (!pbOn) return FALSE;
  *pbOn = FALSE;
  BOOL found = FALSE;
  WalkNetClassKeys([&](const CString& key, bool& stop) {
    char value[32] = {};
    DWORD size = sizeof value - 1;
    if (ReadRegister(HKEY_LOCAL_MACHINE, key, "PSPXlink", value, &size) >= 0) {
      *pbOn = CString(value) == "1";
      found = TRUE;
      stop = true;
    }
    return true;
  });
  return found;
}
