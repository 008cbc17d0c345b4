// CWinApp: the one application object of a program (a static global, as in
// MFC), its names and command line, its profile values and message boxes.
//
// Profile values live in the INI file named after the program
// ("<exe>.INI" in the Windows folder) until SetRegistryKey is called; then
// under HKEY_CURRENT_USER\Software\<key>\<profile name>\<section>, where the
// profile name is the application name.
#pragma once

#include <string>

#include "platform/mfc/String.h"
#include "platform/mfc/WinThread.h"

class CWinApp : public CWinThread {
  DECLARE_DYNAMIC(CWinApp)

 public:
  // Becomes the application (AfxGetApp). A null name is taken from the
  // string resource AFX_IDS_APP_TITLE, else the program's name, at AfxWinInit.
  explicit CWinApp(LPCTSTR lpszAppName = nullptr);
  ~CWinApp() override;

  LPCTSTR m_pszAppName = nullptr;
  LPCTSTR m_pszExeName = nullptr;      // the module's name without folder and ".exe"
  LPCTSTR m_pszProfileName = nullptr;  // INI file, or the registry profile name
  LPCTSTR m_pszRegistryKey = nullptr;
  LPTSTR m_lpCmdLine = nullptr;        // the command line after the program's name
  LPCTSTR m_pszHelpFilePath = nullptr; // the module's path with ".HLP" in place of its extension
  HINSTANCE m_hInstance = nullptr;
  int m_nCmdShow = SW_SHOWNORMAL;

  BOOL InitInstance() override;

  void SetRegistryKey(LPCTSTR lpszRegistryKey);
  UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
  CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
  BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
  // A null entry deletes the section, a null value the entry.
  BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
  // Binary values: REG_BINARY under the registry key, else two hexadecimal
  // digits a byte in the INI file. GetProfileBinary hands back a new[] block
  // the caller delete[]s (NULL and 0 bytes when the value is missing).
  BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
  BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);

  // Every AfxMessageBox goes through here: a message box owned by the main
  // window with the application's name as its caption.
  virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);

 private:
  friend BOOL AfxWinInit(HINSTANCE, HINSTANCE, LPTSTR, int);
  void SetCurrentHandles();
  HKEY OpenSectionKey(LPCTSTR lpszSection, bool create) const;

  std::string appName_, exeName_, profileName_, registryKey_, cmdLine_, helpFilePath_;
};

// The string id of the application's title.
#define AFX_IDS_APP_TITLE 0xE000

CWinApp* AfxGetApp();
LPCTSTR AfxGetAppName();
// The main window of the calling thread, else of the application.
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);
HINSTANCE AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);

// Through the application's DoMessageBox (a plain box without an application).
int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The text is the string resource nIDPrompt.
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));

// Sets up the application: instance, command line (after the program's
// name), show state, and its names.
BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
// The program's entry, called from main(): AfxWinInit with the command line
// made from argv (quoted as Windows quotes it), then InitInstance; Run when
// it succeeds, else ExitInstance. Returns the exit code.
int AfxWinMain(int argc, char** argv);
