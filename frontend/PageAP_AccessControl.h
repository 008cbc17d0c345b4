// CPageAP_AccessControl: the AP tab control's page of the soft AP's MAC
// filter: the filter policy, the list of physical addresses, and Add,
// Delete and Remove All. Every change the user makes is posted to the AP
// worker; the list, the policy, the address edit and the enable states come
// back from the worker through the tab control.
#pragma once

#include "frontend/GxTabPage.h"

class CPageAP_AccessControl : public CGxTabPage {
 public:
  explicit CPageAP_AccessControl(CWnd* pParent = nullptr);
  ~CPageAP_AccessControl() override;

  BOOL OnInitDialog() override;

  // The address list's selection (LB_GETCURSEL) and row count (LB_GETCOUNT);
  // LB_ERR without a window.
  int GetListCurSel();
  int GetListCount();

  CComboBox& GetPolicyCombo() { return m_comboPolicy; }
  CListBox& GetList() { return m_list; }
  CGxEdit& GetMacEdit() { return m_editMac; }
  CGxBtn_Pic& GetApplyButton() { return m_btnApply; }
  CGxBtn_Pic& GetAddButton() { return m_btnAdd; }
  CGxBtn_Pic& GetDeleteButton() { return m_btnDelete; }
  CGxBtn_Pic& GetRemoveAllButton() { return m_btnRemoveAll; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  void OnPolicyChanged();
  void OnApply();
  void OnListSelChange();
  void OnAdd();
  void OnMacUpdate();
  void OnDelete();
  void OnRemoveAll();

  DECLARE_MESSAGE_MAP()

 private:
  CGxStatic m_title;
  CGxStatic m_labelPolicy;
  CComboBox m_comboPolicy;
  CListBox m_list;
  CGxStatic m_labelMac;
  CGxEdit m_editMac;
  CGxBtn_Pic m_btnAdd;
  CGxBtn_Pic m_btnDelete;
  CGxBtn_Pic m_btnRemoveAll;
  CGxBtn_Pic m_btnApply;
  CBrush m_listBrush;
};
