// CPageAP_BaseConfig: the first page of the AP tab control, the soft AP's
// basic settings (wireless mode, SSID, channel). Every change the user makes
// is posted to the AP worker as a bridge command; the worker fills the
// controls back through the tab control. The page keeps no state of its own.
#pragma once

#include "frontend/GxTabPage.h"

class CPageAP_BaseConfig : public CGxTabPage {
 public:
  explicit CPageAP_BaseConfig(CWnd* pParent = nullptr);
  ~CPageAP_BaseConfig() override;

  BOOL OnInitDialog() override;

  CComboBox& GetModeCombo() { return m_comboMode; }
  CGxEdit& GetSsidEdit() { return m_editSsid; }
  CComboBox& GetChannelCombo() { return m_comboChannel; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnModeChanged();
  void OnSsidUpdate();
  void OnChannelChanged();
  void OnApply();
  void OnRestoreDefault();

  DECLARE_MESSAGE_MAP()

 private:
  CGxStatic m_title;
  CGxStatic m_labelMode;
  CComboBox m_comboMode;
  CGxEdit m_editSsid;
  CGxStatic m_labelSsid;
  CGxStatic m_labelChannel;
  CComboBox m_comboChannel;
  CGxBtn_Pic m_btnApply;
  CGxBtn_Pic m_btnRestore;
};
