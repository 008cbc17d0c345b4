// CTableCtrl_QZ: the tab control of station mode, made on the main dialog's
// host control. It holds the five station pages, is the bridge's UI window
// while it lives, starts the station worker one second after it is made and
// stops it when it goes, and routes every report of the worker (codes 1 to
// 96) to the tray, one of its pages or the site editor.
#pragma once

#include "frontend/GxTabCtrl.h"
#include "frontend/PageMainDlg_LinkInfo.h"
#include "frontend/PageMainDlg_Profiles.h"
#include "frontend/PageMainDlg_SiteSurvey.h"
#include "frontend/PageMainDlg_Statistic.h"
#include "frontend/PageMainDlg_WPS.h"
#include "frontend/SaveWithoutShowingFlag.h"

// Timers of the station tab control.
#define TIMER_START_WORKER 1
#define TIMER_SETTLE 2

class CTableCtrl_QZ : public CGxTabCtrl, public CSaveWithoutShowingFlag {
 public:
  CTableCtrl_QZ();
  ~CTableCtrl_QZ() override;

  // The main dialog's maker: subclasses `pHost`, initialises and shows the
  // control; null when the host cannot be taken.
  static CGxTabCtrl* Make(CWnd* pHost);

  // Becomes the bridge's UI window, adds the five pages with their skinned
  // labels, shows the first and arms the worker's start.
  void Initialize();

  int& SaveWithoutShowingFlag() override { return m_nSaveWithoutShowing; }

  CPageMainDlg_LinkInfo& GetLinkPage() { return m_pageLinkInfo; }
  CPageMainDlg_SiteSurvey& GetSurveyPage() { return m_pageSiteSurvey; }
  CPageMainDlg_Profiles& GetProfilePage() { return m_pageProfiles; }
  CPageMainDlg_Statistic& GetStatisticPage() { return m_pageStatistic; }
  CPageMainDlg_WPS& GetWpsPage() { return m_pageWps; }

 protected:
  LRESULT OnUiBridge(WPARAM wParam, LPARAM lParam);
  void OnTimer(UINT_PTR nIDEvent);
  void OnDestroy();

  DECLARE_MESSAGE_MAP()

 private:
  void OnConnectionState(const CString& value);
  void OnSurveySaveRequest();
  void OnProfileSelect(int row);
  void RouteWpsCode(UINT code, const CString& value);

  // The station worker of the build: created and started, told to stop and
  // destroyed, sent its command 32771, asked whether its hidden profile page
  // lists a profile of an SSID.
  static void StartWorker();
  static void StopWorker();
  static void PostWorkerLaunchConfig();
  static BOOL IsWorkerProfileListed(LPCSTR ssid);

  CPageMainDlg_LinkInfo m_pageLinkInfo;
  CPageMainDlg_SiteSurvey m_pageSiteSurvey;
  CPageMainDlg_Profiles m_pageProfiles;
  CPageMainDlg_Statistic m_pageStatistic;
  CPageMainDlg_WPS m_pageWps;
  int m_nSaveWithoutShowing = 0;
};
