// CPageStatisticsDlg: the hidden statistics page (a tab of the station host).
// While shown, its timer reads the driver's frame counters every 2 seconds,
// shows them on the transmit and receive child pages (a CTabDialog switched
// by two tab buttons) and reports each to the front end over the UI bridge
// (codes 17 to 25). Its "Reset Counter" button zeroes the driver's counters
// and restarts the link page's byte counts. The worker starts and stops the
// poll (bridge code 2) and presses the button (code 16) through the host.
// The poll itself is in PageStatisticsPoll.cpp; where the counters come from
// differs per build (vista/PageStatisticsRead.cpp, and for Wavorel
// xp/station/status/PageStatisticsDlgXp.cpp). UI thread only.
#pragma once

#include <cstdint>
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
// The driver's statistics block: WavorelVista's private counters, Wavorel's
// NDIS_802_11_STATISTICS in its short form.
constexpr DWORD kStatisticsBlockSize = WAVOREL_BUILD_XP ? 176 : 184;

// The counters one poll shows, as the driver gave them.
struct StatisticsCounters {
  uint64_t sent = 0;  // transmitted fragments
  uint64_t retried = 0;
  uint64_t failed = 0;
  uint64_t rtsSuccess = 0;
  uint64_t rtsFailure = 0;
  DWORD received = 0;
  uint64_t crcErrors = 0;
  DWORD noBuffer = 0;
  uint64_t duplicates = 0;
};

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
  // The driver's counters; a query that fails leaves its counters 0 (per build).
  static void ReadCounters(StatisticsCounters& counters);
  std::unique_ptr<CShadeButtonST> MakeTabButton(UINT textId, UINT id, const CRect& rect);

  std::unique_ptr<CTabDialog> m_pTabDialog;
  std::unique_ptr<CShadeButtonST> m_tabButtons[2];
  CPageStatisticsTXDlg m_pageTx;
  CPageStatisticsRXDlg m_pageRx;
  CShadeButtonST m_btnReset;
  CFont m_tabFont;
  UINT_PTR m_nTimer = 0;
};
