// CPageAP_SecuritySetting: the AP tab control's page of the soft AP's network
// security: authentication and encryption, the WPA pre-shared key, and four
// WEP keys with their key types and the default key. Every change the user
// makes is posted to the AP worker; the worker fills and enables the
// controls through the tab control. The page itself only filters what is
// typed into the keys, limits their length and shows or hides them.
#pragma once

#include "frontend/GxTabPage.h"

class CPageAP_SecuritySetting : public CGxTabPage {
 public:
  static constexpr int kKeyCount = 4;
  // Characters a person may type into the pre-shared key.
  static constexpr int kPskLimit = 32;

  explicit CPageAP_SecuritySetting(CWnd* pParent = nullptr);
  ~CPageAP_SecuritySetting() override;

  BOOL OnInitDialog() override;

  // Empties the pre-shared key and the four WEP keys (nothing without a
  // window). The keys are only taken off the screen: the worker keeps its own.
  void ClearAllKeys();
  // Key n's input rule of its type: hexadecimal digits up to 26 for row 0,
  // any character up to 13 otherwise.
  void ApplyKeyRule(int n);

  CComboBox& GetAuthCombo() { return m_comboAuth; }
  CComboBox& GetEncryptionCombo() { return m_comboEncryption; }
  CGxEdit& GetPskEdit() { return m_editPsk; }
  CGxStatic& GetPskLabel() { return m_labelPsk; }
  // Key n of 0..3: its radio, key type combo and edit.
  CGxBtn_ChkRadio& GetKeyRadio(int n) { return m_radioKey[n]; }
  CComboBox& GetKeyTypeCombo(int n) { return m_comboKeyType[n]; }
  CGxEdit& GetKeyEdit(int n) { return m_editKey[n]; }
  // The default key (0..3) the radios show after UpdateData(FALSE).
  int& KeyIndex() { return m_nKeyIndex; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnAuthChanged();
  void OnEncryptionChanged();
  void OnPskUpdate();
  void OnKeyRadio(UINT nId);
  void OnKeyTypeChanged(UINT nId);
  void OnKeyUpdate(UINT nId);
  void OnShowKeyContent();
  void OnApply();
  void OnTimer(UINT_PTR nIDEvent);
  // WM_TABPAGE_ENTER: Wavorel posts the four key types to the worker again
  // (codes 83-86, in key order) and answers 0; WavorelVista leaves the
  // message to the default handling.
  LRESULT OnTabPageEnter(WPARAM wParam, LPARAM lParam);

  DECLARE_MESSAGE_MAP()

 private:
  // Key n's input rule, then its type to the worker.
  void KeyTypeChanged(int n);
  // Key n's type selection posted to the worker (code 83 + n, "%d").
  void PostKeyType(int n);
  // The keys shown as typed or as "*", by the check box, and the page redrawn.
  void ApplyShowKeyContent();
  static int KeyOfId(const UINT (&ids)[kKeyCount], UINT nId);

  CGxStatic m_title;
  CGxStatic m_labelAuth;
  CComboBox m_comboAuth;
  CGxStatic m_labelEncryption;
  CComboBox m_comboEncryption;
  CGxBtn_ChkRadio m_checkShowKey;
  CGxStatic m_labelPsk;
  CGxEdit m_editPsk;
  CGxGroupBox m_groupWep;
  CGxBtn_ChkRadio m_radioKey[kKeyCount];
  CComboBox m_comboKeyType[kKeyCount];
  CGxEdit m_editKey[kKeyCount];
  CGxStatic m_labelKeyType[kKeyCount];
  CGxStatic m_labelKey[kKeyCount];
  CGxBtn_Pic m_btnApply;
  int m_nKeyIndex = 0;
  // Set while ClearAllKeys empties the edits, whose changes are not commands.
  BOOL m_bClearing = FALSE;
};
