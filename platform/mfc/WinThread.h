// CWinThread: a thread with a message loop (the application's own thread is
// its CWinApp), and AfxBeginThread for worker threads.
#pragma once

#include "platform/mfc/CmdTarget.h"
#include "platform/win/user/User.h"

#ifndef THREAD_PRIORITY_NORMAL
#define THREAD_PRIORITY_NORMAL 0
#endif
#ifndef CREATE_SUSPENDED
#define CREATE_SUSPENDED 0x00000004
#endif

class CWnd;

typedef UINT (*AFX_THREADPROC)(LPVOID pParam);

class CWinThread : public CCmdTarget {
  DECLARE_DYNAMIC(CWinThread)

 public:
  CWinThread() = default;
  CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
  ~CWinThread() override;

  CWnd* m_pMainWnd = nullptr;
  // TRUE: the object deletes itself (closing m_hThread) when the thread ends.
  // Set it to FALSE before the thread can end (start it with CREATE_SUSPENDED)
  // to wait on m_hThread and delete the object yourself.
  BOOL m_bAutoDelete = TRUE;
  HANDLE m_hThread = nullptr;
  DWORD m_nThreadID = 0;

  operator HANDLE() const { return m_hThread; }  // NOLINT: implicit as in MFC

  // Starts the thread: the worker function, or else InitInstance, Run and
  // ExitInstance. With CREATE_SUSPENDED it waits for ResumeThread.
  BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
  // Lets a suspended thread run; the suspend count before (1, then 0).
  DWORD ResumeThread();

  virtual CWnd* GetMainWnd();
  virtual BOOL InitInstance();
  // The message loop: between messages OnIdle when the queue is empty; each
  // message goes through PreTranslateMessage, then TranslateMessage and
  // DispatchMessage. On WM_QUIT returns ExitInstance().
  virtual int Run();
  // Offers the message to the PreTranslateMessage of its window's object and
  // of its parents' up to the main window.
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  // Takes one message (waiting for it) and handles it; FALSE on WM_QUIT.
  virtual BOOL PumpMessage();
  // Deletes the thread's temporary window objects; FALSE: no more idle work.
  virtual BOOL OnIdle(LONG lCount);
  // The exit code of the thread: the WM_QUIT code.
  virtual int ExitInstance();
  // Deletes the object when m_bAutoDelete is set.
  virtual void Delete();

  // The message being handled by the loop.
  const MSG& GetCurrentMessage() const { return m_msgCur; }

 protected:
  MSG m_msgCur{};

 private:
  static DWORD threadMain(LPVOID pThread);

  AFX_THREADPROC m_pfnThreadProc = nullptr;
  LPVOID m_pThreadParams = nullptr;
  HANDLE m_hStart = nullptr;  // set when the thread may run
  LONG m_nSuspendCount = 0;
};

// Starts a worker thread running pfnThreadProc(pParam); its result is the
// thread's exit code. The priority has no effect here (one scheduling class).
CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority = THREAD_PRIORITY_NORMAL,
                           UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
// The calling thread's CWinThread: a thread of AfxBeginThread, else the application.
CWinThread* AfxGetThread();
