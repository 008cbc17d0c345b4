// CGxWinApp: the reusable application base of the maker's programs. It reads
// the command line into flags and an option map and keeps one running
// instance per executable name: a named semaphore marks a running instance,
// and the main window of each instance carries a window property of the same
// name, by which a later start finds it.
#pragma once

#include "platform/Platform.h"

// Sent to the main window of an earlier instance to end it.
#define WM_END_INSTANCE (WM_USER + 500)
// Sent to the main window of an earlier instance to show and restore it.
#define WM_SHOW_INSTANCE (WM_USER + 501)

class CGxWinApp : public CWinApp {
  DECLARE_DYNAMIC(CGxWinApp)

 public:
  explicit CGxWinApp(LPCTSTR lpszAppName = nullptr);
  ~CGxWinApp() override;

  // Scans for other instances, then parses the command line (TRUE).
  BOOL InitInstance() override;
  // Frees the option values, then the MFC exit.
  int ExitInstance() override;

  // Tells the user something; the base shows AfxMessageBox.
  virtual int ShowMessage(LPCTSTR lpszText, UINT nType);

  // Creates or opens the instance semaphore and lists the main windows of
  // other instances. TRUE when none was found.
  BOOL FindOtherInstances();
  // Asks the listed instances to end and waits up to 100 scans for them.
  void EndPrevInstances();
  // Sends the message to every listed window that still is a window.
  void SendToOtherInstances(UINT message, WPARAM wParam, LPARAM lParam);
  // Fills the flags and the option map from the command line. TRUE.
  BOOL ParseCommandLine();
  // TRUE when the option (any case) was given; its value, split at commas
  // outside quotes and stripped of quotes, is appended to `values`.
  BOOL GetOption(LPCTSTR lpszName, CStringArray* values = nullptr);
  // Deletes every option value and empties the map.
  void ClearOptions();

  BOOL AllowsMultipleInstances() const { return m_bAllowMultiInstances; }
  BOOL EndsMyself() const { return m_bEndMyself; }
  INT_PTR GetOtherInstanceCount() const { return m_otherInstances.GetSize(); }
  HWND GetOtherInstance(INT_PTR index) const;

  // The name of the single-instance marks: the executable's base name.
  CString GetInstanceMarkName() const;

 protected:
  CPtrArray m_otherInstances;  // HWND of other instances' main windows
  BOOL m_bAllowMultiInstances = FALSE;
  BOOL m_bEndMyself = FALSE;
  CMapStringToPtr m_options{3};  // lower-case name -> heap CString value

 private:
  HANDLE m_hInstanceSemaphore = nullptr;  // held while this process runs
  int m_nCommandLinePasses = 0;
};
