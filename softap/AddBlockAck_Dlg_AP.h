// CAddBlockAck_Dlg_AP: "Add MPDU Aggregation", the modal dialog of the
// 11n Setting page that picks a Block-Ack session to start: a TID, a window
// size and one of the stations associated with the soft AP (read from the
// driver's station table when the dialog opens). OK without a station
// chosen asks for one and stays open.
#pragma once

#include "platform/Platform.h"
#include "softap/ApRecords.h"

class CAddBlockAck_Dlg_AP : public CDialog {
 public:
  static constexpr const char* kTemplate = "Add MPDU Aggregation";
  static constexpr UINT kTidId = 1660;
  static constexpr UINT kWindowId = 1661;
  static constexpr UINT kStationsId = 1662;
  static constexpr UINT kDefaultWindow = 32;

  explicit CAddBlockAck_Dlg_AP(CWnd* pParent);

  int GetTid() const { return m_nTid; }
  UINT GetWindowSize() const { return m_nWindowSize; }
  const MacAddress& GetMac() const { return m_mac; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  CComboBox m_tidList;
  CListCtrl m_stations;
  CString m_strTid;
  UINT m_nWindowSize = kDefaultWindow;
  int m_nTid = 0;
  MacAddress m_mac{};
};
