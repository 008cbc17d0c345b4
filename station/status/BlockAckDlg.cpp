#include "station/status/BlockAckDlg.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "worker/HideDlg.h"
#include "worker/ModuleFunctions.h"
#include "worker/OidRequest.h"
#include "worker/PageTopLine.h"
#include "worker/StationHost.h"
#include "worker/WorkerGlobals.h"

namespace {

constexpr int kSetTries = 3;
constexpr UINT kLabelTexts[][2] = {{IDC_BA_TID_LABEL, 4254}, {3266, 3255}, {IDC_BA_PEERS_LABEL, 4256}};

CString LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return GetMLText(text);
}

}  // namespace

BEGIN_MESSAGE_MAP(CBlockAckDlg, CDialog)
  ON_WM_SHOWWINDOW()
  ON_WM_PAINT()
  ON_BN_CLICKED(IDC_BA_OK, &CBlockAckDlg::OnOK)
  ON_BN_CLICKED(IDC_BA_CANCEL, &CBlockAckDlg::OnCancel)
END_MESSAGE_MAP()

CBlockAckDlg::CBlockAckDlg(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent) {}

void CBlockAckDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_BA_TID, m_comboTid);
  DDX_Control(pDX, IDC_BA_PEERS, m_listPeers);
  DDX_Control(pDX, IDC_BA_OK, m_btnOk);
  DDX_Control(pDX, IDC_BA_CANCEL, m_btnCancel);
}

BOOL CBlockAckDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  for (const auto& [id, stringId] : kLabelTexts)
    if (CWnd* label = GetDlgItem(static_cast<int>(id))) ShowControlText(this, label, stringId);
  for (CWnd* control : {static_cast<CWnd*>(&m_comboTid), static_cast<CWnd*>(&m_listPeers)})
    ShowControlText(this, control, 0);
  if (CWnd* edit = GetDlgItem(4243)) ShowControlText(this, edit, 0);
  m_btnOk.SetWindowText(LoadText(4257));
  m_btnCancel.SetWindowText(LoadText(5267));
  for (CShadeButtonST* button : {&m_btnOk, &m_btnCancel}) {
    ShowControlText(this, button, 0);
    button->BuildShadeBitmaps(2, 8, 10, 0, 0, 0, 0);
  }
  m_listPeers.DeleteAllItems();
  CRect client;
  m_listPeers.GetClientRect(&client);
  m_listPeers.InsertColumn(0, "BSSID", LVCFMT_LEFT, client.Width() * 9 / 10);
  m_comboTid.SetColumnCount(1);
  for (int tid = 0; tid < kBlockAckTids; ++tid) {
    CString item;
    item.Format("%d", tid);
    m_comboTid.AddString(item);
  }
  m_comboTid.SetCurSel(0);
  return TRUE;
}

void CBlockAckDlg::OnShowWindow(BOOL bShow, UINT nStatus) {
  CDialog::OnShowWindow(bShow, nStatus);
  if (bShow) FillPeerList();
}

void CBlockAckDlg::OnPaint() { PaintPageTopLine(this); }

void CBlockAckDlg::OnCancel() {
  if (g_pHideDlg) g_pHideDlg->ShowPage(kHostDlgLinkStatus);
}

void CBlockAckDlg::FillPeerList() {
  m_listPeers.DeleteAllItems();
  BYTE table[kStationTableSize] = {};
  DWORD returned = 0;
  if (!QueryOid(OID_VX_STATION_TABLE, table, kStationTableSize, &returned)) return;
  std::vector<MacAddress> peers = ReadStationTablePeers(table, returned);
  const auto current = std::find_if(peers.begin(), peers.end(), [](const MacAddress& mac) {
    return std::equal(mac.begin(), mac.end(), g_currentBssid);
  });
  if (current != peers.end()) std::rotate(peers.begin(), current, current + 1);
  int row = 0;
  for (const MacAddress& mac : peers) {
    if (std::all_of(mac.begin(), mac.end(), [](BYTE b) { return b == 0; })) continue;
    m_listPeers.InsertItem(row++, MacText(mac.data()));
  }
  if (row > 0) m_listPeers.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

BOOL CBlockAckDlg::ReadSelection(BlockAckSession& session) {
  const int row = m_listPeers.GetItemCount() > 0 ? m_listPeers.GetNextItem(-1, LVNI_SELECTED) : -1;
  if (row < 0) {
    WarningMessageBox(LoadText(IDS_BA_CHOOSE_BSSID));
    return FALSE;
  }
  ParseMacText(m_listPeers.GetItemText(row, 0), session.peer.data());
  CString tid;
  const int selected = m_comboTid.GetCurSel();
  if (selected >= 0) m_comboTid.GetLBText(selected, tid);
  session.tid = static_cast<BYTE>(std::atoi(tid));
  session.recipient = m_nOriginator == 1 ? 0 : 1;
  m_nTid = session.tid;
  std::copy(session.peer.begin(), session.peer.end(), m_peerMac);
  return TRUE;
}

void CBlockAckDlg::SendRequest(DWORD oid, const BlockAckSession& session) {
  std::array<BYTE, kBlockAckSessionSize> request = MakeBlockAckSession(session);
  DWORD written = 0;
  SetOid(oid, request.data(), kBlockAckSessionSize, &written, kSetTries);
  OnCancel();
}
