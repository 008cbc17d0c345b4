#include "station/status/DeleteBlockAckDlg.h"

#include "worker/DriverCodes.h"

BEGIN_MESSAGE_MAP(CDeleteBlockAckDlg, CBlockAckDlg)
  ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

CDeleteBlockAckDlg::CDeleteBlockAckDlg(CWnd* pParent) : CBlockAckDlg(IDD_DELETE_BLOCK_ACK, pParent) {}

void CDeleteBlockAckDlg::OnShowWindow(BOOL bShow, UINT nStatus) {
  CBlockAckDlg::OnShowWindow(bShow, nStatus);
  if (!bShow) return;
  // The TID is chosen only for one session; shown again when the mode is
  // back to one session.
  for (int id : {IDC_BA_TID_LABEL, IDC_BA_TID})
    if (CWnd* control = GetDlgItem(id)) control->ShowWindow(m_nOneSession ? SW_SHOW : SW_HIDE);
}

void CDeleteBlockAckDlg::OnOK() {
  UpdateData(TRUE);
  BlockAckSession session;
  if (!ReadSelection(session)) return;
  session.allSessions = static_cast<BYTE>(m_nAllSessions);
  SendRequest(OID_VX_BLOCK_ACK_DELETE_SET, session);
}
