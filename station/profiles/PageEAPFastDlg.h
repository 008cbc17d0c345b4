// CPageEAPFastDlg: the EAP-FAST sub-page of the 802.1X page (template 366):
// unauthenticated provisioning, the protected access credential (PAC) file
// and the provisioning tunnel. The PAC path is at most 255 bytes (the
// profile's field): a longer one is refused with a warning.
#pragma once

#include "platform/Platform.h"
#include "widgets/ButtonST.h"

constexpr UINT IDD_PAGE_EAP_FAST = 366;

constexpr int IDC_EF_ALLOW_UNAUTH = 3141;
constexpr int IDC_EF_ALLOW_UNAUTH_LABEL = 1673;
constexpr int IDC_EF_USE_PAC = 3138;
constexpr int IDC_EF_USE_PAC_LABEL = 1675;
constexpr int IDC_EF_TUNNEL = 1797;
constexpr int IDC_EF_TUNNEL_LABEL = 1319;
constexpr int IDC_EF_PATH = 1677;
constexpr int IDC_EF_PATH_LABEL = 3155;
constexpr int IDC_EF_REMOVE = 5161;
constexpr int IDC_EF_IMPORT = 5162;

constexpr int kPacPathLimit = 255;

class CPageEAPFastDlg : public CDialog {
 public:
  explicit CPageEAPFastDlg(CWnd* pParent = nullptr);

  // Defaults of a new profile: no path, both checks 1, tunnel 0.
  void SetDefaults();
  // Fields to controls and the tunnel button's text.
  void Refresh();
  // A path for the PAC field; FALSE (with a warning) when it is longer than
  // the field holds.
  BOOL SetPacPath(const CString& path);
  // Bridge commands 58-61.
  BOOL RunBridgeCommand(UINT code, const CString& value);

  BOOL OnInitDialog() override;

  BOOL m_bAllowUnauthProvision = FALSE;
  BOOL m_bUsePac = TRUE;
  int m_nProvisioningTunnel = 0;  // 0 EAP-MSCHAP v2, 1 EAP-TLS/SmartCard, 2 Generic Token Card
  CString m_strPacPath;

  CButtonST& TunnelButton() { return m_btnTunnel; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnImport();
  void OnRemove();
  void OnUsePacClicked();
  void OnFieldClicked();
  void OnTunnelCommand(UINT nID);
  void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  void EnablePacControls();
  // FALSE (with a warning) for a path longer than the field holds.
  static BOOL AcceptPacPath(const CString& path);

  CButtonST m_btnTunnel;
};
