// CPageStatisticsDlg: the hidden statistics page (a tab of the station host).
// While shown, its timer reads the driver's frame counters every 2 seconds,
// shows them on the transmit and receive child pages (a CTabDialog switched
// by two tab buttons) and reports each to the front end over the UI bridge
// (codes 17 to 25). Its "Reset Counter" button zeroes the driver's counters
// and restarts the link page's byte counts. The worker starts and stops the
// poll (bridge code 2) and presses the button (code 16) through the host.
// The poll itself is in PageStatisticsPoll.cpp. UI thread only.
#pragma once

#include <memory>

#include "platform/Platform.h"
#include "station/status/PageStatisticsRXDlg.h"
#include "station/status/PageStatisticsTXDlg.h"
#include "widgets/ShadeButtonST.h"
#include "widgets/TabDialog.h"

constexpr UINT IDD_PAGE_STATISTICS = 164;
constexpr UINT IDC_STAT_RESET = 1719;
// The tab container's place in the template and the two tab buttons.
constexpr UINT IDD_STAT_TABS = 166;  // the empty tab container
constexpr UINT IDC_STAT_TAB_AREA = 1715;
constexpr UINT IDC_STAT_TAB_TRANSMIT = 1716;
constexpr UINT IDC_STAT_TAB_RECEIVE = 1717;
constexpr UINT IDS_STAT_RESET = 1610;
constexpr UINT IDS_STAT_TAB_TRANSMIT = 29;
constexpr UINT IDS_STAT_TAB_RECEIVE = 36;
constexpr UINT_PTR kStatisticsTimer = 1;
constexpr UINT kStatisticsPeriodMs = 2000;
// The driver's statistics block and the record the page copies it into.
constexpr DWORD kStatisticsBlockSize = 184;
constexpr size_t kStatisticsRecordSize = 200;

class CPageStatisticsDlg : public CDialog {
 public:
  explicit CPageStatisticsDlg(CWnd* pParent = nullptr);
  ~CPageStatisticsDlg() override;
  CPageStatisticsDlg(const CPageStatisticsDlg&) = delete;
  CPageStatisticsDlg& operator=(const CPageStatisticsDlg&) = delete;

  BOOL OnInitDialog() override;

  // Bridge code 2: non-zero polls once and restarts timer 1; zero stops it.
  void SetPolling(BOOL on);

  CPageStatisticsTXDlg& GetTransmitPage() { return m_pageTx; }
  CPageStatisticsRXDlg& GetReceivePage() { return m_pageRx; }
  CTabDialog* GetTabDialog() const { return m_pTabDialog.get(); }
  UINT_PTR GetTimerId() const { return m_nTimer; }

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnShowWindow(BOOL bShow, UINT nStatus);
  void OnTimer(UINT_PTR nIDEvent);
  void OnResetCounter();
  void OnPaint();
  void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  // One poll: the counters read, shown and reported (PageStatisticsPoll.cpp).
  void PollCounters();
  std::unique_ptr<CShadeButtonST> MakeTabButton(UINT textId, UINT id, const CRect& rect);

  std::unique_ptr<CTabDialog> m_pTabDialog;
  std::unique_ptr<CShadeButtonST> m_tabButtons[2];
  CPageStatisticsTXDlg m_pageTx;
  CPageStatisticsRXDlg m_pageRx;
  CShadeButtonST m_btnReset;
  CFont m_tabFont;
  UINT_PTR m_nTimer = 0;
};
