// CPageMainDlg_Statistic: the statistics page of the station tab control:
// five transmit and four receive counters and Clear. Showing the page starts
// the worker's counter poll, hiding it stops the poll.
#pragma once

#include "frontend/GxTabPage.h"

class CPageMainDlg_Statistic : public CGxTabPage {
 public:
  // The counters in the order of the statistics codes 17 to 25.
  static constexpr int kCounterCount = 9;

  explicit CPageMainDlg_Statistic(CWnd* pParent = nullptr);
  ~CPageMainDlg_Statistic() override;

  BOOL OnInitDialog() override;

  // The value control of statistics code 17 + index (null out of range).
  CGxEdit* GetCounter(int index);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnShowWindow(BOOL bShow, UINT nStatus);
  void OnClear();

  DECLARE_MESSAGE_MAP()

 private:
  CGxStatic m_desc;
  CGxStatic m_captionSend;
  CGxStatic m_captionReceive;
  CGxStatic m_labels[kCounterCount];
  CGxEdit m_values[kCounterCount];
  CGxBtn_Pic m_btnClear;
};
