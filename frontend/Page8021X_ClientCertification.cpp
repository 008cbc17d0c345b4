#include "frontend/Page8021X_ClientCertification.h"

#include "frontend/SiteEditor.h"
#include "frontend/SiteEditorIds.h"
#include "frontend/SkinFunctions.h"
#include "frontend/UiBridge.h"

namespace {

constexpr UINT kLabelIds[4] = {IDC_CCERT_TO_LABEL, IDC_CCERT_BY_LABEL, IDC_CCERT_EXPIRES_LABEL,
                               IDC_CCERT_FRIENDLY_LABEL};
constexpr UINT kValueIds[4] = {IDC_CCERT_TO, IDC_CCERT_BY, IDC_CCERT_EXPIRES, IDC_CCERT_FRIENDLY};

constexpr UINT kCodeCheck = BRIDGE_CMD_EDITOR_CLIENT_CERT_FIELD;  // 49
constexpr UINT kCodeAskList = kCodeCheck + 1;                     // 50
constexpr UINT kCodeRow = kCodeCheck + 2;                         // 51

}  // namespace

BEGIN_MESSAGE_MAP(CPage8021X_ClientCertification, CGxTabPage)
  ON_BN_CLICKED(IDC_CCERT_USE, &CPage8021X_ClientCertification::OnUseCertificate)
  ON_CBN_SELCHANGE(IDC_CCERT_LIST, &CPage8021X_ClientCertification::OnCertificateChanged)
END_MESSAGE_MAP()

CPage8021X_ClientCertification::CPage8021X_ClientCertification(CWnd* pParent)
    : CGxTabPage(IDD_PAGE8021X_CLIENTCERT, pParent) {
  SetRegionFile(SiteEditorSkinPath("TabCtrlPage_SecurityOption.bmp"), kSiteSkinKey);
}

CPage8021X_ClientCertification::~CPage8021X_ClientCertification() = default;

void CPage8021X_ClientCertification::DoDataExchange(CDataExchange* pDX) {
  CGxTabPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_CCERT_USE, m_checkUse);
  DDX_Control(pDX, IDC_CCERT_LIST, m_comboCert);
  for (int i = 0; i < 4; ++i) {
    DDX_Control(pDX, static_cast<int>(kLabelIds[i]), m_label[i]);
    DDX_Control(pDX, static_cast<int>(kValueIds[i]), m_value[i]);
  }
}

BOOL CPage8021X_ClientCertification::OnInitDialog() {
  CGxTabPage::OnInitDialog();
  NotifyWorker(kCodeAskList, "", TRUE);
  SkinCheckButton(&m_checkUse, nullptr);
  for (int i = 0; i < 4; ++i) SkinLabelValuePair(&m_label[i], &m_value[i], 9, 1, 9, 0);
  OnUseCertificate();
  return TRUE;
}

void CPage8021X_ClientCertification::EnableDetails(BOOL bEnable) {
  m_comboCert.EnableWindow(bEnable);
  for (int i = 0; i < 4; ++i) {
    m_label[i].EnableWindow(bEnable);
    m_value[i].EnableWindow(bEnable);
  }
}

void CPage8021X_ClientCertification::OnUseCertificate() {
  const int checked = m_checkUse.GetCheck();
  EnableDetails(checked != 0);
  NotifyWorkerInt(kCodeCheck, checked, TRUE);
}

void CPage8021X_ClientCertification::OnCertificateChanged() {
  NotifyWorkerInt(kCodeRow, m_comboCert.GetCurSel(), TRUE);
}

void CPage8021X_ClientCertification::SendValues() {
  if (!GetSafeHwnd()) return;
  UpdateData(TRUE);
  NotifyWorkerInt(kCodeRow, m_comboCert.GetCurSel(), TRUE);
  NotifyWorkerInt(kCodeCheck, m_checkUse.GetCheck(), TRUE);
}

void CPage8021X_ClientCertification::FillCertList(const CString& text) { FillCertificateList(m_comboCert, text); }

void CPage8021X_ClientCertification::EnableForMethod(int nEap, int nInner) {
  if (!GetSafeHwnd()) return;
  if ((nEap == 0 && nInner == 1) || nEap == 1) {
    // The inner EAP-TLS and TLS itself need a client certificate.
    m_checkUse.SetCheck(1);
    m_checkUse.EnableWindow(FALSE);
    EnableDetails(TRUE);
  } else if (nEap == 0) {
    m_checkUse.EnableWindow(TRUE);
    OnUseCertificate();
  } else if (nEap == 2) {
    m_checkUse.EnableWindow(TRUE);
    EnableDetails(TRUE);
  }
}

void CPage8021X_ClientCertification::ApplyCode(UINT nCode, const CString& value) {
  if (!GetSafeHwnd()) return;
  if (nCode == 69) {
    m_checkUse.SetCheck(atoi(value));
  } else if (nCode >= 70 && nCode <= 73) {
    m_value[nCode - 70].SetWindowText(value);
  } else if (nCode == 74) {
    FillCertList(value);
  }
}
