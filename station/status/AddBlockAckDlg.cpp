#include "station/status/AddBlockAckDlg.h"

#include "worker/DriverCodes.h"

CAddBlockAckDlg::CAddBlockAckDlg(CWnd* pParent) : CBlockAckDlg(IDD_ADD_BLOCK_ACK, pParent) {}

void CAddBlockAckDlg::DoDataExchange(CDataExchange* pDX) {
  CBlockAckDlg::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_BA_WINDOW_SIZE, m_editWindowSize);
  DDX_Text(pDX, IDC_BA_WINDOW_SIZE, m_nWindowSize);
}

void CAddBlockAckDlg::OnOK() {
  // A window size that is no integer was refused by the exchange's prompt;
  // the previous one stays in use.
  UpdateData(TRUE);
  BlockAckSession session;
  if (!ReadSelection(session)) return;
  session.windowSize = static_cast<BYTE>(m_nWindowSize & 0xFF);
  SendRequest(OID_VX_BLOCK_ACK_SET, session);
}
