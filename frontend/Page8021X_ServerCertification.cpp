#include "frontend/Page8021X_ServerCertification.h"

#include "frontend/SiteEditor.h"
#include "frontend/SiteEditorIds.h"
#include "frontend/SkinFunctions.h"
#include "frontend/UiBridge.h"

namespace {

constexpr UINT kCodeChain = BRIDGE_CMD_EDITOR_SERVER_CERT_FIELD;  // 52
constexpr UINT kCodeAskList = kCodeChain + 1;                     // 53
constexpr UINT kCodeRow = kCodeChain + 2;                         // 54
constexpr UINT kCodeIntermediate = kCodeChain + 3;                // 55
constexpr UINT kCodeName = kCodeChain + 4;                        // 56
constexpr UINT kCodeNameRule = kCodeChain + 5;                    // 57

}  // namespace

BEGIN_MESSAGE_MAP(CPage8021X_ServerCertification, CGxTabPage)
  ON_BN_CLICKED(IDC_SCERT_USE_CHAIN, &CPage8021X_ServerCertification::OnUseCertChain)
  ON_CBN_SELCHANGE(IDC_SCERT_LIST, &CPage8021X_ServerCertification::OnAuthorityChanged)
END_MESSAGE_MAP()

CPage8021X_ServerCertification::CPage8021X_ServerCertification(CWnd* pParent)
    : CGxTabPage(IDD_PAGE8021X_SERVERCERT, pParent) {
  SetRegionFile(SiteEditorSkinPath("TabCtrlPage_SecurityOption.bmp"), kSiteSkinKey);
}

CPage8021X_ServerCertification::~CPage8021X_ServerCertification() = default;

void CPage8021X_ServerCertification::DoDataExchange(CDataExchange* pDX) {
  CGxTabPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_SCERT_USE_CHAIN, m_checkChain);
  DDX_Control(pDX, IDC_SCERT_LIST, m_comboAuthority);
  DDX_Control(pDX, IDC_SCERT_INTERMEDIATE, m_checkIntermediate);
  DDX_Control(pDX, IDC_SCERT_NAME_LABEL, m_labelName);
  DDX_Control(pDX, IDC_SCERT_NAME, m_editName);
  DDX_Control(pDX, IDC_SCERT_EXACT, m_radioExact);
  DDX_Control(pDX, IDC_SCERT_ENDS_IN, m_radioEndsIn);
  DDX_Radio(pDX, IDC_SCERT_EXACT, m_nNameRule);
}

BOOL CPage8021X_ServerCertification::OnInitDialog() {
  CGxTabPage::OnInitDialog();
  NotifyWorker(kCodeAskList, "", TRUE);
  SkinCheckButton(&m_checkChain, nullptr);
  SkinCheckButton(&m_checkIntermediate, nullptr);
  SkinSmallText(&m_labelName);
  SkinCommonEdit(&m_editName);
  SkinRadioButton(&m_radioExact, nullptr);
  SkinRadioButton(&m_radioEndsIn, nullptr);
  OnUseCertChain();
  return TRUE;
}

void CPage8021X_ServerCertification::OnUseCertChain() {
  const int checked = m_checkChain.GetCheck();
  for (CWnd* control : std::initializer_list<CWnd*>{&m_comboAuthority, &m_checkIntermediate, &m_labelName, &m_editName,
                                                    &m_radioExact, &m_radioEndsIn}) {
    control->EnableWindow(checked != 0);
  }
  NotifyWorkerInt(kCodeChain, checked, TRUE);
}

void CPage8021X_ServerCertification::OnAuthorityChanged() {
  NotifyWorkerInt(kCodeRow, m_comboAuthority.GetCurSel(), TRUE);
}

void CPage8021X_ServerCertification::SendValues() {
  if (!GetSafeHwnd()) return;
  UpdateData(TRUE);
  NotifyWorkerInt(kCodeChain, m_checkChain.GetCheck(), TRUE);
  NotifyWorkerInt(kCodeIntermediate, m_checkIntermediate.GetCheck(), TRUE);
  NotifyWorkerInt(kCodeRow, m_comboAuthority.GetCurSel(), TRUE);
  CString name;
  m_editName.GetWindowText(name);
  NotifyWorker(kCodeName, name, TRUE);
  NotifyWorkerInt(kCodeNameRule, m_nNameRule, TRUE);
}

void CPage8021X_ServerCertification::FillCertList(const CString& text) {
  FillCertificateList(m_comboAuthority, text);
}

void CPage8021X_ServerCertification::EnableForMethod(int, int) {
  if (GetSafeHwnd()) OnUseCertChain();
}

void CPage8021X_ServerCertification::ApplyCode(UINT nCode, const CString& value) {
  if (!GetSafeHwnd()) return;
  switch (nCode) {
    case 75:
      m_checkChain.SetCheck(atoi(value));
      OnUseCertChain();
      break;
    case 76: m_checkIntermediate.SetCheck(atoi(value)); break;
    case 77: m_editName.SetWindowText(value); break;
    case 78:
      m_nNameRule = atoi(value);
      UpdateData(FALSE);
      break;
    case 79: FillCertList(value); break;
    default: break;
  }
}
