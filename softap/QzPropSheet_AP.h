// CQzPropSheet_AP: the AP property sheet. The AP worker creates it on demand
// as a modeless child and keeps it off-screen and hidden: the user works on
// the front end's AP tab pages, which drive these pages through the worker.
// The sheet decides which pages exist for the adapter at hand (the WDS page
// only off USB with WEP or no cipher, the 11n Setting page only on an
// 802.11n family whose program INI asks for it) and keeps that set current.
#pragma once

#include "platform/Platform.h"
#include "softap/AboutPage_AP.h"
#include "softap/AccessControlPage_AP.h"
#include "softap/BlockAck_AP.h"
#include "softap/ConfigPage_AP.h"
#include "softap/EventLogPage_AP.h"
#include "softap/LinkStatusPage_AP.h"
#include "softap/MacTablePage_AP.h"
#include "softap/RegSetPage_AP.h"
#include "softap/StatisticPage_AP.h"
#include "softap/WdsPage_AP.h"

class CQzPropSheet_AP : public CPropertySheet {
 public:
  static constexpr UINT kCaption = 7066;  // "Nerolt Wireless Utility"
  static constexpr UINT kIconId = 194;
  static constexpr int kOffScreen = -9999;

  explicit CQzPropSheet_AP(CWnd* pParentWnd);

  // Whether the WDS page belongs in the sheet: the adapter is not on USB and
  // the cipher is WEP or none.
  static BOOL OffersWdsPage();
  // Whether the 11n Setting page belongs in the sheet: an 802.11n family and
  // "1" for [Page] "11n Setting" in the program INI.
  static BOOL Offers11nPage();

  // After apply-all: the WDS page appended when it is offered and absent,
  // removed when the cipher is WPA; on USB with WEP or none it stays as is.
  void RefreshWdsPage();
  // Every poll: the 11n Setting page appended or removed as it is offered.
  void Refresh11nPage();

  CConfigPage_AP& GetConfigPage() { return m_configPage; }
  CEventLogPage_AP& GetEventLogPage() { return m_eventLogPage; }
  CAccessControlPage_AP& GetAccessControlPage() { return m_accessControlPage; }
  CWdsPage_AP& GetWdsPage() { return m_wdsPage; }
  CMacTablePage_AP& GetMacTablePage() { return m_macTablePage; }
  CStatisticPage_AP& GetStatisticPage() { return m_statisticPage; }
  CBlockAck_AP& GetBlockAckPage() { return m_blockAckPage; }
  CAboutPage_AP& GetAboutPage() { return m_aboutPage; }
  CRegSetPage_AP& GetRegSetPage() { return m_regSetPage; }
  CLinkStatusPage_AP& GetLinkStatusPage() { return m_linkStatusPage; }

  BOOL OnInitDialog() override;
  // A left-button release on OK closes the sheet.
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  void OnHelpButton();
  LRESULT OnHelpMessage(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  // Adds the page when wanted and absent, removes it when unwanted and
  // present.
  void KeepPage(CPropertyPage* pPage, BOOL bWanted);
  // Opens the application's help file on a thread of its own.
  void StartHelp();

  CBlockAck_AP m_blockAckPage;
  CString m_strSpare;
  CAboutPage_AP m_aboutPage;
  CConfigPage_AP m_configPage;
  CAccessControlPage_AP m_accessControlPage;
  CWdsPage_AP m_wdsPage;
  CMacTablePage_AP m_macTablePage;
  CEventLogPage_AP m_eventLogPage;
  CStatisticPage_AP m_statisticPage;
  // Built with the sheet but never among its pages.
  CRegSetPage_AP m_regSetPage;
  CLinkStatusPage_AP m_linkStatusPage;
};
