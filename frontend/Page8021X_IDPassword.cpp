#include "frontend/Page8021X_IDPassword.h"

#include "frontend/SiteEditor.h"
#include "frontend/SiteEditorIds.h"
#include "frontend/SkinFunctions.h"
#include "frontend/UiBridge.h"

namespace {
constexpr COLORREF kGroupBackground = 0xE9E9E9;
}  // namespace

BEGIN_MESSAGE_MAP(CPage8021X_IDPassword, CGxTabPage)
END_MESSAGE_MAP()

CPage8021X_IDPassword::CPage8021X_IDPassword(CWnd* pParent) : CGxTabPage(IDD_PAGE8021X_IDPASSWORD, pParent) {
  SetRegionFile(SiteEditorSkinPath("TabCtrlPage_SecurityOption.bmp"), kSiteSkinKey);
}

CPage8021X_IDPassword::~CPage8021X_IDPassword() = default;

void CPage8021X_IDPassword::DoDataExchange(CDataExchange* pDX) {
  CGxTabPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_IDPW_GROUP, m_groupId);
  DDX_Control(pDX, IDC_IDPW_ID_LABEL, m_labelId);
  DDX_Control(pDX, IDC_IDPW_ID, m_editId);
  DDX_Control(pDX, IDC_IDPW_PASSWORD_LABEL, m_labelPassword);
  DDX_Control(pDX, IDC_IDPW_PASSWORD, m_editPassword);
  DDX_Control(pDX, IDC_IDPW_DOMAIN_LABEL, m_labelDomain);
  DDX_Control(pDX, IDC_IDPW_DOMAIN, m_editDomain);
  DDX_Control(pDX, IDC_IDPW_TUNNEL_GROUP, m_groupTunnel);
  DDX_Control(pDX, IDC_IDPW_TUNNEL_ID_LABEL, m_labelTunnelId);
  DDX_Control(pDX, IDC_IDPW_TUNNEL_ID, m_editTunnelId);
  DDX_Control(pDX, IDC_IDPW_TUNNEL_PASSWORD_LABEL, m_labelTunnelPassword);
  DDX_Control(pDX, IDC_IDPW_TUNNEL_PASSWORD, m_editTunnelPassword);
  DDX_Control(pDX, IDC_IDPW_MODE_LABEL, m_labelMode);
  DDX_Control(pDX, IDC_IDPW_SOFT_TOKEN, m_radioSoftToken);
  DDX_Control(pDX, IDC_IDPW_STATIC_PASSWORD, m_radioStaticPassword);
  DDX_Radio(pDX, IDC_IDPW_SOFT_TOKEN, m_nPasswordMode);
}

BOOL CPage8021X_IDPassword::OnInitDialog() {
  CGxTabPage::OnInitDialog();
  m_groupId.SetBkColorGx(kGroupBackground);
  m_groupTunnel.SetBkColorGx(kGroupBackground);
  for (CGxStatic* label : {&m_labelId, &m_labelPassword, &m_labelDomain, &m_labelTunnelId, &m_labelTunnelPassword,
                           &m_labelMode}) {
    SkinSmallText(label);
  }
  for (CGxEdit* edit : {&m_editId, &m_editPassword, &m_editDomain, &m_editTunnelId, &m_editTunnelPassword}) {
    SkinCommonEdit(edit);
  }
  SkinRadioButton(&m_radioSoftToken, nullptr);
  SkinRadioButton(&m_radioStaticPassword, nullptr);
  return TRUE;
}

void CPage8021X_IDPassword::SendValues() {
  if (!GetSafeHwnd()) return;
  UpdateData(TRUE);
  const UINT first = BRIDGE_CMD_EDITOR_8021X_IDPW_FIELD;
  CWnd* texts[] = {&m_editId, &m_editPassword, &m_editDomain, &m_editTunnelId, &m_editTunnelPassword};
  for (UINT i = 0; i < 5; ++i) {
    CString text;
    texts[i]->GetWindowText(text);
    NotifyWorker(first + i, text, TRUE);
  }
  NotifyWorkerInt(first + 5, m_nPasswordMode, TRUE);
}

void CPage8021X_IDPassword::SetShowPassword(BOOL bShow) {
  if (!GetSafeHwnd()) return;
  for (CGxEdit* edit : {&m_editPassword, &m_editTunnelPassword}) {
    edit->SetPasswordChar(bShow ? 0 : '*');
    edit->Invalidate();
  }
  ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void CPage8021X_IDPassword::EnablePair(CGxStatic& label, CGxEdit& edit, BOOL bEnable) {
  label.EnableWindow(bEnable);
  edit.EnableWindow(bEnable);
}

void CPage8021X_IDPassword::EnableForMethod(int nEap, int nInner) {
  if (!GetSafeHwnd()) return;
  // Columns: password, domain, tunnel ID, tunnel password, password mode.
  struct Row {
    BOOL password, domain, tunnelId, tunnelPassword, mode;
  };
  Row row{};
  switch (nEap) {
    case 0:  // PEAP, by its inner method
      if (nInner == 0) row = {FALSE, FALSE, TRUE, TRUE, FALSE};
      else if (nInner == 1) row = {FALSE, FALSE, TRUE, FALSE, FALSE};
      else if (nInner == 2) row = {FALSE, FALSE, TRUE, TRUE, TRUE};
      else return;
      break;
    case 1: row = {FALSE, FALSE, FALSE, FALSE, FALSE}; break;  // TLS / Smart Card
    case 2: row = {FALSE, FALSE, TRUE, TRUE, FALSE}; break;    // TTLS
    case 3: row = {FALSE, TRUE, TRUE, TRUE, TRUE}; break;      // EAP-FAST
    case 4: row = {TRUE, FALSE, FALSE, FALSE, FALSE}; break;
    default: return;
  }
  EnablePair(m_labelId, m_editId, TRUE);
  EnablePair(m_labelPassword, m_editPassword, row.password);
  EnablePair(m_labelDomain, m_editDomain, row.domain);
  EnablePair(m_labelTunnelId, m_editTunnelId, row.tunnelId);
  EnablePair(m_labelTunnelPassword, m_editTunnelPassword, row.tunnelPassword);
  m_labelMode.EnableWindow(row.mode);
  m_radioSoftToken.EnableWindow(row.mode);
  m_radioStaticPassword.EnableWindow(row.mode);
}

void CPage8021X_IDPassword::ApplyCode(UINT nCode, const CString& value) {
  if (!GetSafeHwnd()) return;
  switch (nCode) {
    case 63: m_editId.SetWindowText(value); break;
    case 64: m_editPassword.SetWindowText(value); break;
    case 65: m_editTunnelId.SetWindowText(value); break;
    case 66: m_editTunnelPassword.SetWindowText(value); break;
    case 67: m_editDomain.SetWindowText(value); break;
    case 68:
      m_nPasswordMode = atoi(value);
      UpdateData(FALSE);
      break;
    default: break;
  }
}
