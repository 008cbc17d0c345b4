#include "station/profiles/PageEAPFastDlg.h"

#include <cstdlib>

#include "frontend/UiBridge.h"
#include "station/profiles/EditorFieldCodes.h"
#include "station/profiles/Page8021XDlg.h"
#include "station/profiles/PageControls.h"
#include "worker/HideDlg.h"
#include "worker/ModuleFunctions.h"

namespace {

struct LabelText {
  int id;
  UINT stringId;
};
constexpr LabelText kLabels[] = {{IDC_EF_ALLOW_UNAUTH_LABEL, 464}, {IDC_EF_USE_PAC_LABEL, 461},
                                 {IDC_EF_TUNNEL_LABEL, 465},       {IDC_EF_PATH_LABEL, 460},
                                 {IDC_EF_REMOVE, 463},             {IDC_EF_IMPORT, 462}};
constexpr UINT kPacFilterText = 458;
constexpr char kPacFileName[] = "*.pac";

}  // namespace

BEGIN_MESSAGE_MAP(CPageEAPFastDlg, CDialog)
  ON_BN_CLICKED(IDC_EF_IMPORT, &CPageEAPFastDlg::OnImport)
  ON_BN_CLICKED(IDC_EF_REMOVE, &CPageEAPFastDlg::OnRemove)
  ON_BN_CLICKED(IDC_EF_USE_PAC, &CPageEAPFastDlg::OnUsePacClicked)
  ON_BN_CLICKED(IDC_EF_ALLOW_UNAUTH, &CPageEAPFastDlg::OnFieldClicked)
  ON_BN_CLICKED(IDC_EF_TUNNEL, &CPageEAPFastDlg::OnFieldClicked)
  ON_COMMAND_RANGE(ID_INNER_MSCHAPV2, ID_INNER_GTC, &CPageEAPFastDlg::OnTunnelCommand)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CPageEAPFastDlg::CPageEAPFastDlg(CWnd* pParent) : CDialog(IDD_PAGE_EAP_FAST, pParent) {}

void CPageEAPFastDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_EF_TUNNEL, m_btnTunnel);
  DDX_Check(pDX, IDC_EF_ALLOW_UNAUTH, m_bAllowUnauthProvision);
  DDX_Check(pDX, IDC_EF_USE_PAC, m_bUsePac);
  DDX_Text(pDX, IDC_EF_PATH, m_strPacPath);
}

BOOL CPageEAPFastDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  for (const LabelText& label : kLabels) {
    if (CWnd* control = GetDlgItem(label.id)) ShowControlText(this, control, label.stringId);
  }
  m_btnTunnel.AttachDropMenu(IDR_INNER_MENU, m_hWnd, TRUE, IDR_INNER_TOOLBAR, 16, 16, kMenuIconMask8021X);
  const BOOL enhanced = CPage8021XDlg::IsEapFastEnhanced();
  EnablePageItem(this, IDC_EF_ALLOW_UNAUTH, enhanced);
  EnablePageItem(this, IDC_EF_ALLOW_UNAUTH_LABEL, enhanced);
  ShowPageItem(this, IDC_EF_TUNNEL, enhanced);
  ShowPageItem(this, IDC_EF_TUNNEL_LABEL, enhanced);
  NotifyUIInt(EDITOR_FIELD_PROVISIONING_SHOWN, (m_btnTunnel.GetStyle() & WS_VISIBLE) != 0, TRUE);
  m_bAllowUnauthProvision = TRUE;
  m_bUsePac = TRUE;
  Refresh();
  NotifyUIInt(EDITOR_FIELD_ALLOW_UNAUTH_PROVISION, m_bAllowUnauthProvision, TRUE);
  NotifyUIInt(EDITOR_FIELD_USE_PAC, m_bUsePac, TRUE);
  NotifyUIInt(EDITOR_FIELD_PROVISIONING_TUNNEL, m_nProvisioningTunnel, TRUE);
  NotifyUI(EDITOR_FIELD_PAC_PATH, m_strPacPath, TRUE);
  return TRUE;
}

void CPageEAPFastDlg::OnDestroy() {
  m_btnTunnel.DestroyWindow();
  CDialog::OnDestroy();
}

void CPageEAPFastDlg::SetDefaults() {
  m_strPacPath.Empty();
  m_bAllowUnauthProvision = TRUE;
  m_bUsePac = TRUE;
  m_nProvisioningTunnel = 0;
  Refresh();
}

void CPageEAPFastDlg::Refresh() {
  UpdateData(FALSE);
  m_btnTunnel.SetWindowText(CPage8021XDlg::InnerMethodText(m_nProvisioningTunnel));
  EnablePacControls();
}

void CPageEAPFastDlg::EnablePacControls() {
  for (int id : {IDC_EF_IMPORT, IDC_EF_PATH_LABEL, IDC_EF_PATH, IDC_EF_REMOVE}) EnablePageItem(this, id, m_bUsePac);
}

BOOL CPageEAPFastDlg::AcceptPacPath(const CString& path) {
  if (path.GetLength() <= kPacPathLimit) return TRUE;
  WarningMessageBox("The PAC file path is too long.");
  return FALSE;
}

BOOL CPageEAPFastDlg::SetPacPath(const CString& path) {
  if (!AcceptPacPath(path)) return FALSE;
  m_strPacPath = path;
  UpdateData(FALSE);
  NotifyUI(EDITOR_FIELD_PAC_PATH, m_strPacPath, TRUE);
  return TRUE;
}

void CPageEAPFastDlg::OnImport() {
  CFileDialog dialog(TRUE, nullptr, kPacFileName, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, LoadPageText(kPacFilterText),
                     this);
  if (dialog.DoModal() != IDOK) return;
  SetPacPath(dialog.GetPathName());
}

void CPageEAPFastDlg::OnRemove() { SetPacPath(""); }

void CPageEAPFastDlg::OnUsePacClicked() {
  UpdateData(TRUE);
  EnablePacControls();
}

void CPageEAPFastDlg::OnFieldClicked() { UpdateData(TRUE); }

void CPageEAPFastDlg::OnTunnelCommand(UINT nID) {
  m_nProvisioningTunnel = static_cast<int>(nID - ID_INNER_MSCHAPV2);
  NotifyUIInt(EDITOR_FIELD_PROVISIONING_TUNNEL, m_nProvisioningTunnel, TRUE);
  m_btnTunnel.SetWindowText(CPage8021XDlg::InnerMethodText(m_nProvisioningTunnel));
  if (auto* page = dynamic_cast<CPage8021XDlg*>(SubPageOwner(this))) page->OnProvisioningTunnelChanged();
}

BOOL CPageEAPFastDlg::RunBridgeCommand(UINT code, const CString& value) {
  const int number = std::atoi(value);
  switch (code) {
    case 58:
      if (number == 0 || number == 1) SendMessage(WM_COMMAND, ID_INNER_MSCHAPV2 + static_cast<UINT>(number), 0);
      return TRUE;
    case 59:
      m_bAllowUnauthProvision = number;
      break;
    case 60:
      m_bUsePac = number;
      EnablePacControls();
      break;
    case 61:
      if (!AcceptPacPath(value)) return TRUE;
      m_strPacPath = value;
      break;
    default:
      return FALSE;
  }
  UpdateData(FALSE);
  return TRUE;
}
