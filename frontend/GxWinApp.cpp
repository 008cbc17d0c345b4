#include "frontend/GxWinApp.h"

#include "utilmere/Utilmere.h"

IMPLEMENT_DYNAMIC(CGxWinApp, CWinApp)

namespace {

// The scan of EndPrevInstances: up to this many tries, this far apart.
constexpr int kEndScans = 100;
constexpr DWORD kEndScanPauseMs = 100;
constexpr DWORD kEndedPauseMs = 1000;

}  // namespace

CGxWinApp::CGxWinApp(LPCTSTR lpszAppName) : CWinApp(lpszAppName) {}

CGxWinApp::~CGxWinApp() {
  ClearOptions();
  if (m_hInstanceSemaphore) CloseHandle(m_hInstanceSemaphore);
}

BOOL CGxWinApp::InitInstance() {
  CWinApp::InitInstance();
  FindOtherInstances();
  return ParseCommandLine();
}

int CGxWinApp::ExitInstance() {
  ClearOptions();
  return CWinApp::ExitInstance();
}

int CGxWinApp::ShowMessage(LPCTSTR lpszText, UINT nType) { return AfxMessageBox(lpszText, nType, 0); }

CString CGxWinApp::GetInstanceMarkName() const { return m_pszExeName ? m_pszExeName : ""; }

HWND CGxWinApp::GetOtherInstance(INT_PTR index) const {
  if (index < 0 || index >= m_otherInstances.GetSize()) return nullptr;
  return static_cast<HWND>(m_otherInstances.GetAt(index));
}

BOOL CGxWinApp::FindOtherInstances() {
  CString mark = GetInstanceMarkName();
  HANDLE semaphore = CreateSemaphore(nullptr, 1, 1, mark);
  DWORD error = GetLastError();
  m_otherInstances.RemoveAll();
  if (error == ERROR_ALREADY_EXISTS) {
    for (HWND hwnd = GetWindow(GetDesktopWindow(), GW_CHILD); hwnd && IsWindow(hwnd);
         hwnd = GetWindow(hwnd, GW_HWNDNEXT)) {
      if (GetProp(hwnd, mark)) m_otherInstances.Add(hwnd);
    }
  }
  if (m_otherInstances.GetSize() > 0) {
    // The handle stays open, as a running instance's would.
    if (semaphore && !m_hInstanceSemaphore) m_hInstanceSemaphore = semaphore;
    else if (semaphore) CloseHandle(semaphore);
    return FALSE;
  }
  if (error == ERROR_ALREADY_EXISTS || m_hInstanceSemaphore) {
    if (semaphore) CloseHandle(semaphore);
  } else {
    m_hInstanceSemaphore = semaphore;
  }
  return TRUE;
}

void CGxWinApp::SendToOtherInstances(UINT message, WPARAM wParam, LPARAM lParam) {
  for (INT_PTR i = 0; i < m_otherInstances.GetSize(); ++i) {
    HWND hwnd = static_cast<HWND>(m_otherInstances.GetAt(i));
    if (IsWindow(hwnd)) ::SendMessage(hwnd, message, wParam, lParam);
  }
}

void CGxWinApp::EndPrevInstances() {
  if (m_otherInstances.GetSize() == 0) return;
  ShowMessage("Instance is running. Click <OK> to termination", MB_ICONEXCLAMATION);
  SendToOtherInstances(WM_END_INSTANCE, 0, 0);
  for (int scan = 0; scan < kEndScans; ++scan) {
    if (FindOtherInstances()) {
      Sleep(kEndedPauseMs);
      return;
    }
    Sleep(kEndScanPauseMs);
  }
  ShowMessage("Terminate all instance failed", MB_ICONHAND);
}

BOOL CGxWinApp::ParseCommandLine() {
  ++m_nCommandLinePasses;
  if (!m_lpCmdLine || !*m_lpCmdLine) return TRUE;
  CString line(m_lpCmdLine);
  line.Trim(" \r\n\t");
  line.MakeLower();
  CStringArray pieces;
  PartStringAndIgnoreStringByQuo(line, pieces, '/');
  for (INT_PTR i = 0; i < pieces.GetSize(); ++i) {
    CString piece = pieces[i];
    piece.Trim(' ');
    piece.MakeLower();
    CString name = piece;
    CString value;
    int blank = piece.Find(' ');
    if (blank > 0) {
      name = piece.Left(blank);
      value = piece.Mid(blank + 1);
    }
    name.Trim(' ');
    value.Trim(' ');
    if (name.IsEmpty()) continue;
    if (name.CompareNoCase("EndPrevInst") == 0) {
      // The start-up parses the command line twice; the earlier instances
      // are asked to end in the first pass only.
      if (m_nCommandLinePasses == 1) EndPrevInstances();
    } else if (name.CompareNoCase("EndMyself") == 0) {
      m_bEndMyself = TRUE;
    } else if (name.CompareNoCase("AllowMI") == 0) {
      m_bAllowMultiInstances = TRUE;
    } else {
      void* old = nullptr;
      if (m_options.Lookup(name, old)) delete static_cast<CString*>(old);
      m_options.SetAt(name, new CString(FormatString("%s", static_cast<LPCTSTR>(value))));
    }
  }
  return TRUE;
}

BOOL CGxWinApp::GetOption(LPCTSTR lpszName, CStringArray* values) {
  if (!lpszName || !*lpszName) return FALSE;
  CString key(lpszName);
  key.MakeLower();
  void* stored = nullptr;
  if (!m_options.Lookup(key, stored) || !stored) return FALSE;
  const CString& value = *static_cast<CString*>(stored);
  if (values && !value.IsEmpty()) {
    INT_PTR first = values->GetSize();
    PartStringAndIgnoreStringByQuo(value, *values, ',');
    for (INT_PTR i = first; i < values->GetSize(); ++i) {
      CString item = values->GetAt(i);
      item.Trim('"');
      item.Trim('\'');
      values->SetAt(i, item);
    }
  }
  return TRUE;
}

void CGxWinApp::ClearOptions() {
  POSITION pos = m_options.GetStartPosition();
  while (pos) {
    CString name;
    void* value = nullptr;
    m_options.GetNextAssoc(pos, name, value);
    delete static_cast<CString*>(value);
  }
  m_options.RemoveAll();
}
