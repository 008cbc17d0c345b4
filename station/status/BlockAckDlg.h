// CBlockAckDlg: what the add and delete Block-Ack dialogs share, secondary
// dialogs 9 and 10 of the station host: the TID combo, the list of peers the
// driver knows (the station table, the current BSSID first), OK (1293) and
// CANCEL (1296). CANCEL, and OK once its request is sent, hand the host's
// dialog area back to its first secondary dialog. UI thread only.
#pragma once

#include "platform/Platform.h"
#include "station/status/StationToolRecords.h"
#include "widgets/ComboBoxSuper.h"
#include "widgets/ShadeButtonST.h"

constexpr int IDC_BA_TID_LABEL = 1708;
constexpr int IDC_BA_TID = 1710;
constexpr int IDC_BA_PEERS_LABEL = 1712;
constexpr int IDC_BA_PEERS = 4242;
constexpr int IDC_BA_OK = 1293;
constexpr int IDC_BA_CANCEL = 1296;
constexpr UINT IDS_BA_CHOOSE_BSSID = 5266;

class CBlockAckDlg : public CDialog {
 public:
  CBlockAckDlg(UINT nIDTemplate, CWnd* pParent);

  BOOL OnInitDialog() override;
  // Button 1293: the dialog's request.
  void OnOK() override = 0;
  // Button 1296 and Escape: the host shows its first secondary dialog.
  void OnCancel() override;

  // The peer list refilled: the station table's MACs (all-zero ones left
  // out), the current BSSID first when the table holds it; row 0 selected.
  void FillPeerList();
  CListCtrl& GetPeerList() { return m_listPeers; }

  // 1: the adapter is the originator of the session (set by the 802.11n page).
  int m_nOriginator = 0;
  // The TID and peer of the last request.
  int m_nTid = 0;
  BYTE m_peerMac[6] = {};

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnShowWindow(BOOL bShow, UINT nStatus);
  void OnPaint();
  // The selected peer and TID into `session` (recipient flag from the mode)
  // and the members. FALSE, after the warning "Please choose BSSID", without
  // a selected row.
  BOOL ReadSelection(BlockAckSession& session);
  // The request sent with 3 tries, then the first secondary dialog shown.
  void SendRequest(DWORD oid, const BlockAckSession& session);
  DECLARE_MESSAGE_MAP()

 private:
  CComboBoxSuper m_comboTid;
  CListCtrl m_listPeers;
  CShadeButtonST m_btnOk;
  CShadeButtonST m_btnCancel;
};
