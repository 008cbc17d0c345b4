// CPageMainDlg_LinkInfo: the status page of the station tab control: the
// current connection's status, SSID, access point address, security,
// network type, addresses, speed and throughput, with bars for signal
// strength and link quality. It sends nothing; the tab control writes the
// worker's reports into its controls.
#pragma once

#include "frontend/GxTabPage.h"

class CPageMainDlg_LinkInfo : public CGxTabPage {
 public:
  // The value rows in the order of the link codes 5 to 16.
  static constexpr int kValueCount = 12;

  explicit CPageMainDlg_LinkInfo(CWnd* pParent = nullptr);
  ~CPageMainDlg_LinkInfo() override;

  BOOL OnInitDialog() override;

  // The connection is lost: the status reads "Disconnected" (translated),
  // every other value is blank and both bars stand at 0. Nothing without a
  // window.
  void ShowDisconnected();

  // The value control of link code 5 + index (null out of range).
  CGxEdit* GetValue(int index);
  CProgressST& GetSignalBar() { return m_barSignal; }
  CProgressST& GetQualityBar() { return m_barQuality; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

  DECLARE_MESSAGE_MAP()

 private:
  CProgressST m_barSignal;
  CProgressST m_barQuality;
  CGxStatic m_title;
  CGxStatic m_labels[kValueCount];
  CGxEdit m_values[kValueCount];
  CGxStatic m_captionSignal;
  CGxStatic m_captionQuality;
};
