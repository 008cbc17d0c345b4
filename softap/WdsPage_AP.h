// CWdsPage_AP: the "WDS" page of the AP sheet: the wireless distribution
// system on or off and the list of at most 3 peer access points. Both are
// kept in "ApDefault" and the driver key ("WdsEnable", "0" meaning on, and
// "WdsList") and go to the driver in the one WDS record with the link key
// derived from the AP's pre-shared key. The page has no front-end
// counterpart; only its refusals reach the front end as message boxes.
#pragma once

#include "platform/Platform.h"
#include "softap/MacListPage_AP.h"

class CWdsPage_AP : public CMacListPage_AP {
  DECLARE_DYNCREATE(CWdsPage_AP)

 public:
  static constexpr const char* kTemplate = "WDS";
  static constexpr UINT kEnableId = 1351;
  static constexpr UINT kDisableId = 1354;
  static constexpr UINT kListId = 1358;
  static constexpr int kMaxPeers = 3;
  // The radio index: 0 on, 1 off.
  enum State { kWdsOn = 0, kWdsOff = 1 };

  CWdsPage_AP();

  BOOL OnSetActive() override;
  int GetState() const { return m_nState; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void LockForChange(BOOL bLock) override;

  void OnApplyButton();
  void OnEnable();
  void OnDisable();
  DECLARE_MESSAGE_MAP()

 private:
  void Load();

  int m_nState = kWdsOff;
};
