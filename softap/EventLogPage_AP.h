// CEventLogPage_AP: the AP sheet's "Event Log" page (template 238). Every two
// seconds while it has been activated it lists the event-log entries the
// worker's poll stored since its last look: the local time of each event
// and its message (the station's MAC and what it did). At most the newest
// 100 rows stay; Clear empties the list and the store.
#pragma once

#include "platform/Platform.h"
#include "softap/ApRecords.h"
#include "softap/NoHScrollListCtrl_AP.h"

class CEventLogPage_AP : public CPropertyPage {
  DECLARE_DYNCREATE(CEventLogPage_AP)

 public:
  static constexpr UINT IDD = 238;
  static constexpr UINT kCaption = 7328;  // "Event Log"
  static constexpr UINT kListId = 1187;
  static constexpr UINT kClearId = 1189;
  static constexpr UINT_PTR kRefreshTimer = 1;
  static constexpr UINT kRefreshMs = 2000;
  static constexpr int kMaxRows = 100;

  CEventLogPage_AP();

  BOOL OnSetActive() override;
  // Lists the store's entries from the "shown" counter on, then keeps the
  // newest 100 rows.
  void Refresh();

  // The texts of a row: "%04d / %02d / %02d - %02d : %02d : %02d" of the
  // event's local time (empty when its time cannot be converted), and the
  // message of its code (0: the text alone; 1..5: " MAC text"; else empty).
  static CString FormatEventTime(const FILETIME& time);
  static CString FormatEventMessage(const _VX_802_11_EVENT_LOG& entry);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnTimer(UINT_PTR nIDEvent);
  void OnClear();
  DECLARE_MESSAGE_MAP()

 private:
  CNoHScrollListCtrl_AP m_list;
};
