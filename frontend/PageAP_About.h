// CPageAP_About: the AP tab control's read-only page of version and network
// information: a title, a one-line information text and ten label/edit
// pairs, filled with the AP worker's about texts through the tab control.
// It sends nothing.
#pragma once

#include "frontend/GxTabPage.h"

class CPageAP_About : public CGxTabPage {
 public:
  // The read-only edits: configuration version, boot version, EEPROM
  // version, configuration date, boot date, firmware version, IP address,
  // subnet mask, physical address, default gateway.
  static constexpr int kValueCount = 10;

  explicit CPageAP_About(CWnd* pParent = nullptr);
  ~CPageAP_About() override;

  BOOL OnInitDialog() override;

  // Field 0 is the information line, fields 1..10 the edits in the order
  // above; null out of range.
  CWnd* GetField(int index);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;

  DECLARE_MESSAGE_MAP()

 private:
  CGxStatic m_title;
  CGxStatic m_info;
  CGxStatic m_labels[kValueCount];
  CGxEdit m_values[kValueCount];
};
