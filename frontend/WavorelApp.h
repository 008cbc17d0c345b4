// CWavorelApp: the program's application object. It starts the program
// (command line, single instance, the utility library and the language, the
// tray icon), runs the main dialog modally for the life of the program, and
// shows every message box of the program as the skinned message box.
#pragma once

#include "frontend/GxWinApp.h"
#include "frontend/SystemTray.h"
#include "skinvane/Skinvane.h"

class CWavorelApp : public CGxWinApp {
 public:
  CWavorelApp();
  ~CWavorelApp() override;

  // Runs the whole program; FALSE in every case, so the program ends when
  // the main dialog has closed.
  BOOL InitInstance() override;
  int ExitInstance() override;
  // The skinned message box, with its default caption.
  int ShowMessage(LPCTSTR lpszText, UINT nType) override;
  // AfxMessageBox and every MFC box go to the skinned message box too.
  int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;

  // The app-wide balloon tip at `anchor` (screen coordinates). A balloon
  // that is up with the same options is reused, one with other options is
  // replaced.
  void ShowBalloon(LPCTSTR lpszTitle, LPCTSTR lpszContent, CPoint anchor, HICON hIcon, CWnd* pParent,
                   UINT nOptions, UINT nTimeout, LPCTSTR lpszEditText, WORD wTag, DWORD dwItemData);
  // The error balloon of a field that failed validation: the translated
  // text of `lpszKey` at the centre of the control, which then gets the focus.
  void ShowErrorBalloon(CWnd* pControl, LPCTSTR lpszKey);
  void HideBalloon();

  CSystemTray& GetTray() { return m_tray; }
  CBalloonHelp& GetBalloon() { return m_balloon; }
  WORD GetBalloonTag() const { return m_wBalloonTag; }

 private:
  CBalloonHelp m_balloon;
  WORD m_wBalloonTag = 0;
  CSystemTray m_tray;
};

// Writes "PSPXlink" ("1" or "0") into every network-class key of every
// control set, then tells the station worker. TRUE when one write succeeded.
BOOL WritePspXlink(BOOL bOn);
// The first "PSPXlink" found: *pbOn is TRUE for "1". TRUE when one was found.
BOOL ReadPspXlink(BOOL* pbOn);
