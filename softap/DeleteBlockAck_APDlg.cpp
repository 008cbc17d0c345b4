#include "softap/DeleteBlockAck_APDlg.h"

#include <algorithm>
#include <cstdlib>

#include "softap/BlockAckPicker_AP.h"

CDeleteBlockAck_APDlg::CDeleteBlockAck_APDlg(CWnd* pParent, const std::vector<BlockAckRow>& rows, BOOL bChooseTid)
    : CDialog(kTemplate, pParent), m_rows(rows), m_bChooseTid(bChooseTid) {}

void CDeleteBlockAck_APDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, kTidId, m_tidList);
  DDX_Control(pDX, kPeersId, m_peers);
  DDX_CBString(pDX, kTidId, m_strTid);
}

BOOL CDeleteBlockAck_APDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  FillTidList(m_tidList);
  if (!m_bChooseTid) {
    m_tidList.ShowWindow(SW_HIDE);
    if (CWnd* label = GetDlgItem(kTidLabelId)) label->ShowWindow(SW_HIDE);
  }
  SetUpPeerList(m_peers);
  for (const BlockAckRow& row : m_rows) {
    const MacAddress& mac = row.items[0].mac;
    if (std::any_of(mac.begin(), mac.end(), [](BYTE b) { return b != 0; })) AddPeerRow(m_peers, row.texts[0]);
  }
  UpdateData(FALSE);
  m_tidList.SetCurSel(0);
  return TRUE;
}

void CDeleteBlockAck_APDlg::OnOK() {
  if (!UpdateData(TRUE) || !TakeSelectedPeer(m_peers, m_mac)) return;
  m_nTid = std::atoi(m_strTid);
  EndDialog(IDOK);
}
