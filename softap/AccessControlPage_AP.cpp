#include "softap/AccessControlPage_AP.h"

#include "frontend/UiBridge.h"
#include "softap/ApDriver.h"
#include "softap/ApMacList.h"
#include "softap/ApModule.h"
#include "softap/ApRecords.h"
#include "softap/ApSettings.h"
#include "utilmere/Utilmere.h"
#include "worker/DriverCodes.h"

namespace {

constexpr const char* kPolicyTexts[] = {"Disable", "All Permitted", "All Blocked"};
constexpr char kPolicyValue[] = "AccessControlPolicy";
constexpr char kListValue[] = "AccessControlList";

// The mirror code of each control's enable state.
struct EnableCode {
  UINT id;
  UINT code;
};
constexpr EnableCode kEnableCodes[] = {
    {CAccessControlPage_AP::kPolicyId, BRIDGE_UI_ACL_POLICY_ENABLE},
    {CMacListPage_AP::kApplyId, BRIDGE_UI_ACL_APPLY_ENABLE},
    {CAccessControlPage_AP::kListId, BRIDGE_UI_ACL_LIST_ENABLE},
    {CMacListPage_AP::kAddId, BRIDGE_UI_ACL_BUTTON_ENABLE},
    {CMacListPage_AP::kMacEditId, BRIDGE_UI_ACL_BUTTON_ENABLE + 1},
    {CMacListPage_AP::kDeleteId, BRIDGE_UI_ACL_BUTTON_ENABLE + 2},
    {CMacListPage_AP::kRemoveAllId, BRIDGE_UI_ACL_BUTTON_ENABLE + 3},
};

}  // namespace

IMPLEMENT_DYNCREATE(CAccessControlPage_AP, CPropertyPage)

BEGIN_MESSAGE_MAP(CAccessControlPage_AP, CMacListPage_AP)
  ON_BN_CLICKED(CMacListPage_AP::kApplyId, &CAccessControlPage_AP::OnApplyButton)
  ON_CBN_SELCHANGE(CAccessControlPage_AP::kPolicyId, &CAccessControlPage_AP::OnPolicyChanged)
  ON_LBN_DBLCLK(CAccessControlPage_AP::kListId, &CAccessControlPage_AP::OnBeginChange)
END_MESSAGE_MAP()

CAccessControlPage_AP::CAccessControlPage_AP() : CMacListPage_AP(kTemplate, kListId, kMaxAddresses) {}

void CAccessControlPage_AP::DoDataExchange(CDataExchange* pDX) {
  CMacListPage_AP::DoDataExchange(pDX);
  DDX_Control(pDX, kPolicyId, m_policy);
  DDX_CBIndex(pDX, kPolicyId, m_nPolicy);
}

BOOL CAccessControlPage_AP::OnInitDialog() {
  CMacListPage_AP::OnInitDialog();
  m_policy.ResetContent();
  NotifyUI(BRIDGE_UI_ACL_POLICY_CLEAR, "", TRUE);
  for (const char* text : kPolicyTexts) {
    m_policy.AddString(text);
    NotifyUI(BRIDGE_UI_ACL_POLICY_ITEM, text, TRUE);
  }
  Load();
  OnPolicyChanged();
  return TRUE;
}

void CAccessControlPage_AP::Load() {
  HKEY key = nullptr;
  RegOpenKeyEx_AP(HKEY_LOCAL_MACHINE, g_strApDriverKey, 0, KEY_READ, &key);
  if (key) {
    ReadApInt(key, kPolicyValue, m_nPolicy);
    // A stored number that names no policy counts as none.
    if (m_nPolicy < kPolicyDisable || m_nPolicy > kPolicyAllBlocked) m_nPolicy = kPolicyDisable;
    NotifyUIInt(BRIDGE_UI_ACL_POLICY, m_nPolicy, TRUE);
    std::vector<CString> rows;
    if (ReadMacListValue(key, kListValue, kMaxAddresses, rows)) AddRows(rows);
    RegCloseKey(key);
  }
  UpdateData(FALSE);
  NotifyUIInt(BRIDGE_UI_ACL_POLICY, m_nPolicy, TRUE);
}

void CAccessControlPage_AP::EnableControl(UINT id, BOOL bEnable) {
  CMacListPage_AP::EnableControl(id, bEnable);
  for (const EnableCode& e : kEnableCodes)
    if (e.id == id) NotifyUIInt(e.code, bEnable ? 1 : 0, TRUE);
}

void CAccessControlPage_AP::OnRowAdded(const CString& row) { NotifyUI(BRIDGE_UI_ACL_LIST_ADD, row, TRUE); }

void CAccessControlPage_AP::OnRowDeleted(int row) { NotifyUIInt(BRIDGE_UI_ACL_LIST_DELETE, row, TRUE); }

void CAccessControlPage_AP::OnRowChanged(int row, const CString& text) {
  CString value;
  value.Format("%d\r\n%s", row, static_cast<LPCSTR>(text));
  NotifyUI(BRIDGE_UI_ACL_LIST, value, TRUE);
}

void CAccessControlPage_AP::OnListCleared() { NotifyUI(BRIDGE_UI_ACL_LIST_CLEAR, "", TRUE); }

void CAccessControlPage_AP::OnAdd() {
  if (AddTypedMac()) NotifyUIInt(BRIDGE_UI_ACL_POLICY, m_nPolicy, TRUE);
}

void CAccessControlPage_AP::LockForChange(BOOL bLock) {
  if (bLock) {
    EnableControl(kApplyId, FALSE);
    EnableControl(kPolicyId, FALSE);
    EnableListControls(FALSE);
  } else {
    EnableControl(kPolicyId, TRUE);
    EnableControl(kApplyId, TRUE);
    OnPolicyChanged();
  }
}

void CAccessControlPage_AP::OnPolicyChanged() {
  UpdateData(TRUE);
  EnableListControls(m_nPolicy != kPolicyDisable);
}

void CAccessControlPage_AP::OnApplyButton() {
  UpdateData(TRUE);
  const CString apPath = g_strApDriverKey + "\\ApDefault";
  HKEY apDefault = nullptr;
  RegOpenKeyEx_AP(HKEY_LOCAL_MACHINE, apPath, 0, KEY_ALL_ACCESS, &apDefault);
  CString policy;
  policy.Format("%d", m_nPolicy);
  WriteApText(apDefault, kPolicyValue, policy, apPath);
  const std::vector<CString> rows = GetRows();
  StoreRows(apDefault, kListValue, rows, apPath);
  if (apDefault) RegCloseKey(apDefault);
  CopyApDefaultToDriverKey();

  // No policy, or none to apply it to: the driver gets policy and count 0.
  std::vector<MacAddress> macs;
  if (m_nPolicy != kPolicyDisable)
    for (const CString& row : rows) macs.push_back(MacFromText(row));
  const DWORD sent = macs.empty() ? 0 : static_cast<DWORD>(m_nPolicy);
  ApTrace(FormatString("Access Control Apply: policy %u, %u addresses", sent, static_cast<unsigned>(macs.size())));
  SetDriverRecord_AP(OID_VX_ACCESS_CONTROL_SET, BuildAccessControlRecord(sent, macs));
}

void CAccessControlPage_AP::SelectPolicy(int index) {
  if (SetComboCurSelSafe(&m_policy, index)) OnPolicyChanged();
}

void CAccessControlPage_AP::PressApply() { SendMessage(WM_COMMAND, kApplyId, 0); }

void CAccessControlPage_AP::SelectRow(int row) { SetListBoxCurSelSafe(&m_list, row); }

void CAccessControlPage_AP::PressAdd() { SendMessage(WM_COMMAND, kAddId, 0); }

void CAccessControlPage_AP::SetMacText(const CString& text) {
  m_strMac = text;
  UpdateData(FALSE);
}

void CAccessControlPage_AP::PressDelete() { SendMessage(WM_COMMAND, kDeleteId, 0); }

void CAccessControlPage_AP::PressRemoveAll() { SendMessage(WM_COMMAND, kRemoveAllId, 0); }
