// CMacTablePage_AP: the "Mac Table" page of the AP sheet: the stations
// associated with the soft AP (MAC, AID, power saving and, on 802.11n
// adapters, the transmit setting with its rate), read from the driver's
// station table every two seconds while the page is active. A failed read
// keeps the rows shown.
#pragma once

#include "platform/Platform.h"
#include "softap/HTTable_AP.h"
#include "softap/NoHScrollListCtrl_AP.h"

class CMacTablePage_AP : public CPropertyPage {
  DECLARE_DYNCREATE(CMacTablePage_AP)

 public:
  static constexpr const char* kTemplate = "Mac Table";
  static constexpr UINT kListId = 1183;
  static constexpr UINT_PTR kRefreshTimer = 1;
  static constexpr UINT kRefreshMs = 2000;

  CMacTablePage_AP();

  BOOL OnSetActive() override;
  BOOL OnKillActive() override;
  // Reads the station table and, when that worked, lists its stations.
  void Refresh();

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnTimer(UINT_PTR nIDEvent);
  DECLARE_MESSAGE_MAP()

 private:
  CNoHScrollListCtrl_AP m_list;
  CHTTable_AP m_rateTable;
};
