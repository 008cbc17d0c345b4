#include "frontend/PageAP_AccessControl.h"

#include "frontend/ApPageIds.h"
#include "frontend/SkinFunctions.h"
#include "frontend/StationPageTools.h"
#include "frontend/TableCtrl_AP.h"
#include "frontend/UiBridge.h"

namespace {

constexpr COLORREF kListBackground = 0xFFFFFF;

}  // namespace

BEGIN_MESSAGE_MAP(CPageAP_AccessControl, CGxTabPage)
  ON_WM_CTLCOLOR()
  ON_CBN_SELCHANGE(IDC_APACL_POLICY, &CPageAP_AccessControl::OnPolicyChanged)
  ON_BN_CLICKED(IDC_APPAGE_APPLY, &CPageAP_AccessControl::OnApply)
  ON_LBN_SELCHANGE(IDC_APACL_LIST, &CPageAP_AccessControl::OnListSelChange)
  ON_BN_CLICKED(IDC_APACL_ADD, &CPageAP_AccessControl::OnAdd)
  ON_CONTROL(EN_UPDATE, IDC_APACL_MAC, &CPageAP_AccessControl::OnMacUpdate)
  ON_BN_CLICKED(IDC_APACL_DELETE, &CPageAP_AccessControl::OnDelete)
  ON_BN_CLICKED(IDC_APACL_REMOVE_ALL, &CPageAP_AccessControl::OnRemoveAll)
END_MESSAGE_MAP()

CPageAP_AccessControl::CPageAP_AccessControl(CWnd* pParent) : CGxTabPage(IDD_PAGE_AP_ACCESSCONTROL, pParent) {
  SetRegionFile(StationSkinPath("TabCtrlPage_AP.bmp"), kStationPageSkinKey);
}

CPageAP_AccessControl::~CPageAP_AccessControl() = default;

void CPageAP_AccessControl::DoDataExchange(CDataExchange* pDX) {
  CGxTabPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_APPAGE_TITLE, m_title);
  DDX_Control(pDX, IDC_APACL_POLICY_LABEL, m_labelPolicy);
  DDX_Control(pDX, IDC_APACL_POLICY, m_comboPolicy);
  DDX_Control(pDX, IDC_APACL_LIST, m_list);
  DDX_Control(pDX, IDC_APACL_MAC_LABEL, m_labelMac);
  DDX_Control(pDX, IDC_APACL_MAC, m_editMac);
  DDX_Control(pDX, IDC_APACL_ADD, m_btnAdd);
  DDX_Control(pDX, IDC_APACL_DELETE, m_btnDelete);
  DDX_Control(pDX, IDC_APACL_REMOVE_ALL, m_btnRemoveAll);
  DDX_Control(pDX, IDC_APPAGE_APPLY, m_btnApply);
}

BOOL CPageAP_AccessControl::OnInitDialog() {
  CGxTabPage::OnInitDialog();
  SkinPageTitle(&m_title);
  SkinSmallText(&m_labelPolicy);
  SkinSmallText(&m_labelMac);
  SkinCommonEdit(&m_editMac);
  m_listBrush.CreateSolidBrush(kListBackground);
  SkinCommonButton(&m_btnAdd, 0, nullptr, nullptr);
  SkinCommonButton(&m_btnDelete, 0, nullptr, nullptr);
  SkinCommonButton(&m_btnRemoveAll, 0, nullptr, StationSkinPath("Button_RemoveAll.bmp"));
  SkinCommonButton(&m_btnApply, 0, nullptr, nullptr);
  return TRUE;
}

HBRUSH CPageAP_AccessControl::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  if (pWnd && pWnd->GetSafeHwnd() == m_list.GetSafeHwnd() && m_listBrush.GetSafeHandle()) {
    pDC->SetBkColor(kListBackground);
    return static_cast<HBRUSH>(m_listBrush.GetSafeHandle());
  }
  return CGxTabPage::OnCtlColor(pDC, pWnd, nCtlColor);
}

int CPageAP_AccessControl::GetListCurSel() {
  return m_list.GetSafeHwnd() ? static_cast<int>(m_list.SendMessage(LB_GETCURSEL)) : LB_ERR;
}

int CPageAP_AccessControl::GetListCount() {
  return m_list.GetSafeHwnd() ? static_cast<int>(m_list.SendMessage(LB_GETCOUNT)) : LB_ERR;
}

void CPageAP_AccessControl::OnPolicyChanged() {
  NotifyWorkerInt(BRIDGE_CMD_ACL_POLICY, m_comboPolicy.GetCurSel(), TRUE);
}

void CPageAP_AccessControl::OnApply() {
  NotifyWorker(BRIDGE_CMD_ACL_APPLY, "", TRUE);
  CTableCtrl_AP::ApplyOnBasicPage(this);
}

void CPageAP_AccessControl::OnListSelChange() { NotifyWorkerInt(BRIDGE_CMD_ACL_SELECT, GetListCurSel(), TRUE); }

void CPageAP_AccessControl::OnAdd() { NotifyWorker(BRIDGE_CMD_ACL_ADD, "", TRUE); }

void CPageAP_AccessControl::OnMacUpdate() { NotifyWorker(BRIDGE_CMD_ACL_MAC_TEXT, gxGetWindowText(&m_editMac), TRUE); }

void CPageAP_AccessControl::OnDelete() { NotifyWorker(BRIDGE_CMD_ACL_DELETE, "", TRUE); }

void CPageAP_AccessControl::OnRemoveAll() { NotifyWorker(BRIDGE_CMD_ACL_REMOVE_ALL, "", TRUE); }
