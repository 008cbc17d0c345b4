#include "station/profiles/AuthenStatusDlg.h"

#include <cstdio>
#include <cstring>

#include "widgets/WidgetMessages.h"
#include "worker/ActionQueue.h"
#include "worker/HideDlg.h"
#include "worker/ModuleFunctions.h"
#include "worker/PageTopLine.h"
#include "worker/StationHost.h"
#include "worker/WorkerGlobals.h"

namespace {

constexpr char kNullText[] = "NULL STRING";
constexpr char kEndText[] = "OK";
constexpr int kTimeTextMax = 64;
constexpr int kScrollPerLine = 25;
constexpr DWORD kAppendPauseMs = 100;
constexpr DWORD kNameTextSize = 256;

CString LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return GetMLText(text);
}

// A text value of `key`: TRUE and the text (cut at its first zero and to the
// buffer), FALSE when it cannot be read.
BOOL QueryName(HKEY key, LPCSTR name, CString& out) {
  char buffer[kNameTextSize] = {};
  DWORD size = sizeof buffer - 1;
  if (RegQueryValueEx(key, name, nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer), &size) != ERROR_SUCCESS)
    return FALSE;
  out = buffer;
  return TRUE;
}

}  // namespace

int CAuthenStatusDlg::s_nRingIndex = 0;
int CAuthenStatusDlg::s_nAppended = 0;

BEGIN_MESSAGE_MAP(CAuthenStatusDlg, CDialog)
  ON_WM_PAINT()
  ON_WM_SHOWWINDOW()
  ON_WM_TIMER()
  ON_MESSAGE(WM_AUTH_STATUS_EVENT, &CAuthenStatusDlg::OnAuthStatusEvent)
  ON_MESSAGE(WM_QUICKLIST_GETITEM, &CAuthenStatusDlg::OnGetItem)
END_MESSAGE_MAP()

CAuthenStatusDlg::CAuthenStatusDlg(CWnd* pParent) : CDialog(IDD_AUTHEN_STATUS, pParent) {}

CAuthenStatusDlg::~CAuthenStatusDlg() = default;

void CAuthenStatusDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_AUTHEN_LIST, m_list);
  DDX_Control(pDX, IDC_AUTHEN_OK, m_btnOk);
  DDX_Control(pDX, IDC_AUTHEN_CANCEL, m_btnCancel);
  DDX_Text(pDX, IDC_AUTHEN_CARD, m_strCard);
  DDX_Text(pDX, IDC_AUTHEN_PROFILE, m_strProfile);
}

BOOL CAuthenStatusDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  ShowControlText(this, GetDlgItem(IDC_AUTHEN_TITLE), IDS_AUTHEN_TITLE);
  const std::pair<CShadeButtonST*, UINT> buttons[] = {{&m_btnOk, IDS_DIALOG_OK}, {&m_btnCancel, IDS_DIALOG_CANCEL}};
  for (const auto& [button, stringId] : buttons) {
    button->SetWindowText(LoadText(stringId));
    button->BuildShadeBitmaps(2, 8, 10, 0, 0, 0, 0);
  }
  m_list.EnableCellNavigation(FALSE);
  CRect client;
  m_list.GetClientRect(&client);
  m_list.InsertColumn(0, "Time", LVCFMT_RIGHT, client.Width() * 3 / 10);
  m_list.InsertColumn(1, "Description", LVCFMT_LEFT, client.Width() * 7 / 10);
  ReadNames();
  return TRUE;
}

BOOL CAuthenStatusDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT id = LOWORD(wParam);
  if (HIWORD(wParam) == BN_CLICKED && (id == IDC_AUTHEN_OK || id == IDC_AUTHEN_CANCEL)) {
    CloseLog();
    return TRUE;
  }
  if (HIWORD(wParam) == BN_CLICKED && OnBuildButton(id)) return TRUE;
  // A hidden dialog never closes on Enter or Escape.
  if (id == IDOK || id == IDCANCEL) return TRUE;
  return CDialog::OnCommand(wParam, lParam);
}

void CAuthenStatusDlg::CloseLog() {
  if (g_pHideDlg) g_pHideDlg->ShowPage(kHostDlgLinkStatus);
  ReadNames();
}

void CAuthenStatusDlg::OnPaint() { PaintPageTopLine(this); }

void CAuthenStatusDlg::OnShowWindow(BOOL bShow, UINT nStatus) {
  CDialog::OnShowWindow(bShow, nStatus);
  if (bShow) {
    ReadNames();
    m_nTimer = SetTimer(kAuthenStatusTimer, kAuthenStatusPeriodMs, nullptr);
  } else if (m_nTimer) {
    KillTimer(m_nTimer);
    m_nTimer = 0;
  }
}

void CAuthenStatusDlg::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kAuthenStatusTimer) {
    CDialog::OnTimer(nIDEvent);
    return;
  }
  KillTimer(kAuthenStatusTimer);
  m_strProfile = LoadText(IDS_AUTHEN_MANUAL);
  ReadCardAndProfile();
  UpdateData(FALSE);
  m_nTimer = SetTimer(kAuthenStatusTimer, kAuthenStatusPeriodMs, nullptr);
}

void CAuthenStatusDlg::ReadNames() {
  m_events.clear();
  if (m_list.GetSafeHwnd()) m_list.SetItemCount(0);
  ReadCardAndProfile();
  if (GetSafeHwnd()) UpdateData(FALSE);
}

void CAuthenStatusDlg::ReadCardAndProfile() {
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  CString value;
  if (QueryName(key, "DriverDesc", value)) m_strCard = LoadText(IDS_AUTHEN_CARD_NAME) + " " + value;
  const _PROFILE_DATA* current = GetCurrentProfile();
  if (current && current->UseBssid == 0 && QueryName(key, "CurProfile", value))
    m_strProfile = LoadText(IDS_AUTHEN_PROFILE_NAME) + " " + value;
  RegCloseKey(key);
}

LRESULT CAuthenStatusDlg::OnAuthStatusEvent(WPARAM wParam, LPARAM) {
  OnAuthStatus(static_cast<int>(wParam));
  return 0;
}

void CAuthenStatusDlg::OnAuthStatus(int slot) {
  if (slot < 0 || slot >= kAuthStatusLines) return;
  const char* bytes = g_authStatusEvents[slot];
  const CString text(bytes, static_cast<int>(strnlen(bytes, kSlotTextMax)));
  if (text == kEndText) {
    std::memset(g_authStatusEvents, 0, sizeof g_authStatusEvents);
    s_nRingIndex = 0;
    // (The host itself is never visible: the dialog's own visible style counts.)
    if (g_pHideDlg && GetSafeHwnd() && (GetStyle() & WS_VISIBLE)) g_pHideDlg->ShowPage(kHostDlgLinkStatus);
    return;
  }
  AppendLine(text);
  s_nRingIndex = (slot + 1) % kAuthStatusLines;
}

void CAuthenStatusDlg::AppendLine(const CString& text) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  char stamp[kTimeTextMax];
  std::snprintf(stamp, sizeof stamp, "%02d:%02d:%02d.%03d ", now.wHour, now.wMinute, now.wSecond,
                now.wMilliseconds);
  m_events.push_back({stamp, text.IsEmpty() ? CString(kNullText) : text});
  ++s_nAppended;
  if (m_list.GetSafeHwnd()) {
    const int count = static_cast<int>(m_events.size());
    m_list.SetItemCount(count);
    const int top = m_list.GetTopIndex();
    m_list.RedrawItems(top, top + m_list.GetCountPerPage());
    m_list.Scroll(CSize(0, kScrollPerLine * s_nAppended));
  }
  Sleep(kAppendPauseMs);
}

LRESULT CAuthenStatusDlg::OnGetItem(WPARAM, LPARAM lParam) {
  auto* cell = reinterpret_cast<CQuickListCell*>(lParam);
  if (!cell) return 0;
  const int row = cell->GetRow();
  if (row < 0 || row >= static_cast<int>(m_events.size())) return 0;
  if (cell->GetColumn() == 0) cell->m_strText = m_events[row].time;
  if (cell->GetColumn() == 1) cell->m_strText.Format("%s", static_cast<LPCSTR>(m_events[row].text));
  return 0;
}
