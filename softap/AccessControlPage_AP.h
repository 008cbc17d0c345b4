// CAccessControlPage_AP: the "Access Control" page of the AP sheet: the MAC
// access policy of the soft AP ("Disable", "All Permitted" - only the listed
// stations may associate -, "All Blocked" - the listed ones are refused) and
// the list of at most 32 addresses it applies to. It keeps both in the
// driver key ("AccessControlPolicy", "AccessControlList") and hands them to
// the driver in one record on Apply. The front end's access-control page
// drives it through the AP worker (bridge commands 92 to 98) and the page
// mirrors every list, selection and enable state back (codes 135 to 148).
#pragma once

#include "platform/Platform.h"
#include "softap/MacListPage_AP.h"

class CAccessControlPage_AP : public CMacListPage_AP {
  DECLARE_DYNCREATE(CAccessControlPage_AP)

 public:
  static constexpr const char* kTemplate = "Access Control";
  static constexpr UINT kPolicyId = 1258;
  static constexpr UINT kListId = 1278;
  static constexpr int kMaxAddresses = 32;
  enum Policy { kPolicyDisable = 0, kPolicyAllPermitted = 1, kPolicyAllBlocked = 2 };

  CAccessControlPage_AP();

  // The worker's operations for the front end's commands.
  void SelectPolicy(int index);     // 92: a valid index, then the policy step
  void PressApply();                // 93
  void SelectRow(int row);          // 94: a valid row only
  void PressAdd();                  // 95
  void SetMacText(const CString& text);  // 96
  void PressDelete();               // 97
  void PressRemoveAll();            // 98

  int GetPolicy() const { return m_nPolicy; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void EnableControl(UINT id, BOOL bEnable) override;
  void OnRowAdded(const CString& row) override;
  void OnRowDeleted(int row) override;
  void OnRowChanged(int row, const CString& text) override;
  void OnListCleared() override;
  void LockForChange(BOOL bLock) override;
  void OnAdd() override;

  void OnApplyButton();
  void OnPolicyChanged();
  DECLARE_MESSAGE_MAP()

 private:
  // The policy and list from the driver key.
  void Load();

  CComboBox m_policy;
  int m_nPolicy = kPolicyDisable;
};
