// CPageSite_Info: the "Site Status" page of the site editor: profile name,
// SSID, network type, channel and the "Enable PSP Linker Mode" check box.
// The check box is no part of the profile: OK writes it at once as the
// adapter's PSP-link value.
#pragma once

#include "frontend/GxTabPage.h"

class CPageSite_Info : public CGxTabPage {
 public:
  explicit CPageSite_Info(CWnd* pParent = nullptr);
  ~CPageSite_Info() override;

  BOOL OnInitDialog() override;
  // The name and the SSID must not be empty; on an error the page is
  // selected and the error balloon points at the field.
  BOOL Validate();
  // Codes 19-22 to the worker, then the PSP-link value.
  void SendValues();
  // The channel label, combo and the PSP check box show for "Ad hoc" only.
  void UpdateChannelControls();
  // Codes 36-39 of the worker.
  void ApplyCode(UINT nCode, const CString& value);

  // The number of a channel as the combo shows it ("J8" is 208); 0 for a
  // text that names none.
  static int ChannelNumber(const CString& text);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnNameUpdate();

  DECLARE_MESSAGE_MAP()

 private:
  void SelectInEditor();

  CGxStatic m_labelName;
  CGxEdit m_editName;
  CGxStatic m_labelSsid;
  CGxEdit m_editSsid;
  CGxStatic m_labelNetworkType;
  CComboBox m_comboNetworkType;
  CGxStatic m_labelChannel;
  CComboBox m_comboChannel;
  CGxBtn_ChkRadio m_checkPsp;
  CString m_strChannel;
};
