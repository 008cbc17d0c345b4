// CDeleteBlockAckDlg: the delete Block-Ack dialog (template 3245), secondary
// dialog 10 of the station host. OK asks the driver to end the session with
// the selected peer on the chosen TID, or in "-All" mode every session with
// that peer (the TID controls are hidden then).
#pragma once

#include "station/status/BlockAckDlg.h"

constexpr UINT IDD_DELETE_BLOCK_ACK = 3245;

class CDeleteBlockAckDlg : public CBlockAckDlg {
 public:
  explicit CDeleteBlockAckDlg(CWnd* pParent = nullptr);

  // OID_VX_BLOCK_ACK_DELETE with the session request; without a selected
  // peer only the warning.
  void OnOK() override;

  // The modes the 802.11n page sets: one session, or all of the peer's.
  int m_nOneSession = 0;
  int m_nAllSessions = 0;

 protected:
  void OnShowWindow(BOOL bShow, UINT nStatus);
  DECLARE_MESSAGE_MAP()
};
