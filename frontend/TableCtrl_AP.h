// CTableCtrl_AP: the tab control of soft-AP mode, made on the main dialog's
// host control. It holds the four AP pages, is the bridge's UI window while
// it lives, starts the AP worker one second after it is made and stops it
// when it goes, delays page switches that follow each other within 300 ms,
// and writes the worker's reports (codes 1, 2 and 97 to 159) into the tray
// and the pages' controls.
#pragma once

#include "frontend/GxTabCtrl.h"
#include "frontend/PageAP_About.h"
#include "frontend/PageAP_AccessControl.h"
#include "frontend/PageAP_BaseConfig.h"
#include "frontend/PageAP_SecuritySetting.h"

// Timers of the AP tab control.
#define TIMER_AP_START_WORKER 1
#define TIMER_AP_RETRY_PAGE 2
#define TIMER_AP_APPLY_CONFIG 3

class CTableCtrl_AP : public CGxTabCtrl {
 public:
  // Page switches closer together than this are delayed.
  static constexpr DWORD kSwitchDebounceMs = 300;

  CTableCtrl_AP();
  ~CTableCtrl_AP() override;

  // The main dialog's maker: subclasses `pHost`, initialises and shows the
  // control; null when the host cannot be taken.
  static CGxTabCtrl* Make(CWnd* pHost);

  // Becomes the bridge's UI window, adds the four pages with their skinned
  // labels, shows the first and arms the worker's start.
  void Initialize();

  // The switch debounce: refused (and retried by timer 2 with the last
  // index asked for) within 300 ms of the last accepted switch.
  BOOL CanSelectPage(int index) override;

  // "Apply" of the security and access-control pages ends with the basic
  // page's "Apply": WM_COMMAND 5200 to the first page of the tab control
  // that holds `page`, when that page has a window.
  static void ApplyOnBasicPage(CWnd* page);

  // The tick of the last accepted page switch, kept for the whole process
  // (0 at program start).
  static DWORD GetLastSwitchTick();
  static void SetLastSwitchTick(DWORD tick);

  int GetPendingPage() const { return m_nPendingPage; }
  BOOL IsChannelReported() const { return m_bChannelReported; }

  CPageAP_BaseConfig& GetBaseConfigPage() { return m_pageBaseConfig; }
  CPageAP_SecuritySetting& GetSecurityPage() { return m_pageSecurity; }
  CPageAP_AccessControl& GetAccessControlPage() { return m_pageAccessControl; }
  CPageAP_About& GetAboutPage() { return m_pageAbout; }

 protected:
  LRESULT OnUiBridge(WPARAM wParam, LPARAM lParam);
  void OnTimer(UINT_PTR nIDEvent);
  void OnDestroy();

  DECLARE_MESSAGE_MAP()

 private:
  void OnConnectionState(const CString& value);
  void ApplyBaseConfigCode(UINT code, const CString& value);
  void ApplySecurityCode(UINT code, const CString& value);
  void ApplyAccessControlCode(UINT code, const CString& value);
  // Code 144: "index\r\naddress" inserts the address at that row (appended
  // after the last row, for an index beyond the list or a value without
  // the separator).
  void InsertAccessControlRow(const CString& value);

  CPageAP_BaseConfig m_pageBaseConfig;
  CPageAP_SecuritySetting m_pageSecurity;
  CPageAP_AccessControl m_pageAccessControl;
  CPageAP_About m_pageAbout;
  int m_nPendingPage = -1;
  BOOL m_bChannelReported = FALSE;
};
