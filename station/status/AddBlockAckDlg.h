// CAddBlockAckDlg: the add Block-Ack dialog (template 3242), secondary dialog 9
// of the station host. OK asks the driver for a session with the selected
// peer on the chosen TID with the entered window size (its low 8 bits).
#pragma once

#include "station/status/BlockAckDlg.h"
#include "widgets/SmartEdit.h"

constexpr UINT IDD_ADD_BLOCK_ACK = 3242;
constexpr int IDC_BA_WINDOW_SIZE = 4243;

class CAddBlockAckDlg : public CBlockAckDlg {
 public:
  explicit CAddBlockAckDlg(CWnd* pParent = nullptr);

  // OID_VX_BLOCK_ACK with the session request; without a selected peer only
  // the warning.
  void OnOK() override;

  int m_nWindowSize = 32;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

 private:
  CSmartEdit m_editWindowSize;
};
