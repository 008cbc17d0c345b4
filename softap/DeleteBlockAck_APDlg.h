// CDeleteBlockAck_APDlg: "Delete Block Ack", the modal dialog of the 11n
// Setting page that picks the peer of a shown Block-Ack entry (and, when the
// page asks for one, the TID) whose session or whole entry to end. OK
// without a peer chosen asks for one and stays open.
#pragma once

#include <vector>

#include "platform/Platform.h"
#include "softap/ApTables.h"

class CDeleteBlockAck_APDlg : public CDialog {
 public:
  static constexpr const char* kTemplate = "Delete Block Ack";
  static constexpr UINT kTidId = 1664;
  static constexpr UINT kTidLabelId = 1665;
  static constexpr UINT kPeersId = 1666;

  // `rows`: the entries the page shows for the direction; `bChooseTid`:
  // whether a TID is picked (FALSE: the whole entry).
  CDeleteBlockAck_APDlg(CWnd* pParent, const std::vector<BlockAckRow>& rows, BOOL bChooseTid);

  int GetTid() const { return m_nTid; }
  const MacAddress& GetMac() const { return m_mac; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  const std::vector<BlockAckRow>& m_rows;
  BOOL m_bChooseTid;
  CComboBox m_tidList;
  CListCtrl m_peers;
  CString m_strTid;
  int m_nTid = 0;
  MacAddress m_mac{};
};
