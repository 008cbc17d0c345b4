#include "platform/mfc/WinThread.h"

#include <memory>

#include "platform/mfc/DC.h"
#include "platform/mfc/GdiObject.h"
#include "platform/mfc/ImageList.h"
#include "platform/mfc/Menu.h"
#include "platform/mfc/WinApp.h"
#include "platform/mfc/Wnd.h"
#include "platform/win/kernel/CloseHandle.h"
#include "platform/win/kernel/Sync.h"
#include "platform/win/kernel/Thread.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace {

thread_local CWinThread* t_thread = nullptr;

}  // namespace

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam) {}

CWinThread::~CWinThread() {
  if (m_hThread) ::CloseHandle(m_hThread);
  if (m_hStart) ::CloseHandle(m_hStart);
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
  m_hStart = ::CreateEvent(nullptr, TRUE, FALSE, nullptr);
  if (!m_hStart) return FALSE;
  m_hThread = ::CreateThread(lpSecurityAttrs, nStackSize, threadMain, this, 0, &m_nThreadID);
  if (!m_hThread) return FALSE;
  m_nSuspendCount = 1;
  if (!(dwCreateFlags & CREATE_SUSPENDED)) ResumeThread();
  return TRUE;
}

DWORD CWinThread::ResumeThread() {
  LONG before = m_nSuspendCount;
  if (before > 0 && --m_nSuspendCount == 0) ::SetEvent(m_hStart);
  return static_cast<DWORD>(before);
}

DWORD CWinThread::threadMain(LPVOID pThread) {
  auto* thread = static_cast<CWinThread*>(pThread);
  ::WaitForSingleObject(thread->m_hStart, INFINITE);
  t_thread = thread;
  DWORD code;
  if (thread->m_pfnThreadProc)
    code = thread->m_pfnThreadProc(thread->m_pThreadParams);
  else
    code = static_cast<DWORD>(thread->InitInstance() ? thread->Run() : thread->ExitInstance());
  t_thread = nullptr;
  thread->Delete();
  return code;
}

void CWinThread::Delete() {
  if (m_bAutoDelete) delete this;
}

CWnd* CWinThread::GetMainWnd() { return m_pMainWnd; }

BOOL CWinThread::InitInstance() { return FALSE; }

int CWinThread::ExitInstance() { return static_cast<int>(m_msgCur.wParam); }

BOOL CWinThread::OnIdle(LONG) {
  wavorel::releaseTemporaryWindows();
  wavorel::releaseTemporaryMenus();
  CGdiObject::DeleteTempMap();
  CDC::DeleteTempMap();
  CImageList::DeleteTempMap();
  return FALSE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) {
  CWnd* pMainWnd = GetMainWnd();
  return CWnd::WalkPreTranslateTree(pMainWnd ? pMainWnd->m_hWnd : nullptr, pMsg);
}

BOOL CWinThread::PumpMessage() {
  if (!::GetMessage(&m_msgCur, nullptr, 0, 0)) return FALSE;
  if (!PreTranslateMessage(&m_msgCur)) {
    ::TranslateMessage(&m_msgCur);
    ::DispatchMessage(&m_msgCur);
  }
  return TRUE;
}

int CWinThread::Run() {
  for (;;) {
    MSG next;
    if (!::PeekMessage(&next, nullptr, 0, 0, PM_NOREMOVE)) OnIdle(0);
    if (!PumpMessage()) return ExitInstance();
  }
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int, UINT nStackSize, DWORD dwCreateFlags,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
  auto thread = std::make_unique<CWinThread>(pfnThreadProc, pParam);
  if (!thread->CreateThread(dwCreateFlags, nStackSize, lpSecurityAttrs)) return nullptr;
  return thread.release();
}

CWinThread* AfxGetThread() { return t_thread ? t_thread : AfxGetApp(); }
