#include "frontend/Page8021X_EAPFast.h"

#include "frontend/DlgOneSiteEditor.h"
#include "frontend/SiteEditor.h"
#include "frontend/SiteEditorIds.h"
#include "frontend/SkinFunctions.h"
#include "frontend/UiBridge.h"

namespace {

constexpr UINT kCodeTunnel = BRIDGE_CMD_EDITOR_EAPFAST_FIELD;  // 58
constexpr UINT kCodeUnauthenticated = kCodeTunnel + 1;        // 59
constexpr UINT kCodeUsePac = kCodeTunnel + 2;                 // 60
constexpr UINT kCodePath = kCodeTunnel + 3;                   // 61

const char* const kTunnelRows[] = {"EAP-MSCHAP v2", "EAP-TLS / Smart Card"};

// The kind of the editor the page belongs to (the page lives only inside it).
int EditorKind() {
  CDlgOneSiteEditor* editor = GetSiteEditor();
  return editor ? editor->GetEditorKind() : 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CPage8021X_EAPFast, CGxTabPage)
  ON_BN_CLICKED(IDC_FAST_USE_PAC, &CPage8021X_EAPFast::OnUsePac)
  ON_BN_CLICKED(IDC_FAST_REMOVE, &CPage8021X_EAPFast::OnRemove)
  ON_BN_CLICKED(IDC_FAST_IMPORT, &CPage8021X_EAPFast::OnImport)
END_MESSAGE_MAP()

CPage8021X_EAPFast::CPage8021X_EAPFast(CWnd* pParent) : CGxTabPage(IDD_PAGE8021X_EAPFAST, pParent) {
  SetRegionFile(SiteEditorSkinPath("TabCtrlPage_SecurityOption.bmp"), kSiteSkinKey);
}

CPage8021X_EAPFast::~CPage8021X_EAPFast() = default;

void CPage8021X_EAPFast::DoDataExchange(CDataExchange* pDX) {
  CGxTabPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_FAST_TUNNEL_LABEL, m_labelTunnel);
  DDX_Control(pDX, IDC_FAST_TUNNEL, m_comboTunnel);
  DDX_Control(pDX, IDC_FAST_UNAUTH, m_checkUnauthenticated);
  DDX_Control(pDX, IDC_FAST_USE_PAC, m_checkUsePac);
  DDX_Control(pDX, IDC_FAST_REMOVE, m_btnRemove);
  DDX_Control(pDX, IDC_FAST_IMPORT, m_btnImport);
  DDX_Control(pDX, IDC_FAST_PATH_LABEL, m_labelPath);
  DDX_Control(pDX, IDC_FAST_PATH, m_editPath);
  DDX_Check(pDX, IDC_FAST_UNAUTH, m_nUnauthenticated);
  DDX_Check(pDX, IDC_FAST_USE_PAC, m_nUsePac);
}

BOOL CPage8021X_EAPFast::OnInitDialog() {
  CGxTabPage::OnInitDialog();
  SkinCheckButton(&m_checkUnauthenticated, nullptr);
  SkinCheckButton(&m_checkUsePac, nullptr);
  SkinCommonButton(&m_btnRemove, 1, nullptr, nullptr);
  SkinCommonButton(&m_btnImport, 1, nullptr, nullptr);
  SkinLabelValuePair(&m_labelPath, &m_editPath, 9, 1, 9, 0);
  for (const char* row : kTunnelRows) m_comboTunnel.AddString(row);
  m_comboTunnel.SetCurSel(0);
  return TRUE;
}

void CPage8021X_EAPFast::OnUsePac() {
  const BOOL checked = m_checkUsePac.GetCheck() != 0;
  for (CWnd* control : std::initializer_list<CWnd*>{&m_btnRemove, &m_btnImport, &m_labelPath, &m_editPath}) {
    control->EnableWindow(checked);
  }
}

void CPage8021X_EAPFast::OnRemove() { NotifyWorkerInt(BRIDGE_CMD_EAPFAST_BUTTON1, EditorKind(), TRUE); }

void CPage8021X_EAPFast::OnImport() { NotifyWorkerInt(BRIDGE_CMD_EAPFAST_BUTTON2, EditorKind(), TRUE); }

void CPage8021X_EAPFast::SendValues() {
  if (!GetSafeHwnd()) return;
  UpdateData(TRUE);
  NotifyWorkerInt(kCodeTunnel, m_comboTunnel.GetCurSel(), TRUE);
  NotifyWorkerInt(kCodeUnauthenticated, m_nUnauthenticated, TRUE);
  NotifyWorkerInt(kCodeUsePac, m_nUsePac, TRUE);
  CString path;
  m_editPath.GetWindowText(path);
  NotifyWorker(kCodePath, path, TRUE);
}

void CPage8021X_EAPFast::EnableForMethod(int, int) {
  if (GetSafeHwnd()) OnUsePac();
}

void CPage8021X_EAPFast::ApplyCode(UINT nCode, const CString& value) {
  if (!GetSafeHwnd()) return;
  switch (nCode) {
    case 80:
    case 81:
      UpdateData(TRUE);
      (nCode == 80 ? m_nUnauthenticated : m_nUsePac) = atoi(value);
      UpdateData(FALSE);
      break;
    case 82: m_comboTunnel.SetCurSel(atoi(value)); break;
    case 83: m_editPath.SetWindowText(value); break;
    case 84:
      m_labelTunnel.EnableWindow(atoi(value) != 0);
      m_comboTunnel.EnableWindow(atoi(value) != 0);
      break;
    default: break;
  }
}
