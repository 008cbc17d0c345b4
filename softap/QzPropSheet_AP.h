// CQzPropSheet_AP: the AP property sheet. The AP worker creates it on demand
// as a modeless child and keeps it off-screen and hidden: the user works on
// the front end's AP tab pages, which drive these pages through the worker.
// The sheet decides which pages exist for the adapter at hand (the WDS page
// only off USB with WEP or no cipher, the 11n Setting page only on an
// 802.11n family whose program INI asks for it) and keeps that set current.
#pragma once

#include "platform/Platform.h"
#include "softap/ConfigPage_AP.h"
#include "softap/EventLogPage_AP.h"

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

  BOOL OnInitDialog() override;
  // A left-button release on OK closes the sheet.
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  void OnHelpButton();
  LRESULT OnHelpMessage(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  // Adds the page when wanted and absent, removes it when unwanted and
  // present; a page the sheet does not hold yet (null) is left out.
  void KeepPage(CPropertyPage* pPage, BOOL bWanted);
  // Opens the application's help file on a thread of its own.
  void StartHelp();

  CString m_strSpare;
  CConfigPage_AP m_configPage;
  CEventLogPage_AP m_eventLogPage;
  // The pages the sheet adds and removes as the adapter's state changes;
  // null while the sheet holds no such page.
  CPropertyPage* m_pWdsPage = nullptr;
  CPropertyPage* m_p11nPage = nullptr;
};
