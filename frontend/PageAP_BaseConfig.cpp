#include "frontend/PageAP_BaseConfig.h"

#include "frontend/ApPageIds.h"
#include "frontend/SkinFunctions.h"
#include "frontend/StationPageTools.h"
#include "frontend/UiBridge.h"

BEGIN_MESSAGE_MAP(CPageAP_BaseConfig, CGxTabPage)
  ON_CBN_SELCHANGE(IDC_APBASE_MODE, &CPageAP_BaseConfig::OnModeChanged)
  ON_CONTROL(EN_UPDATE, IDC_APBASE_SSID, &CPageAP_BaseConfig::OnSsidUpdate)
  ON_CBN_SELCHANGE(IDC_APBASE_CHANNEL, &CPageAP_BaseConfig::OnChannelChanged)
  ON_BN_CLICKED(IDC_APPAGE_APPLY, &CPageAP_BaseConfig::OnApply)
  ON_BN_CLICKED(IDC_APBASE_RESTORE, &CPageAP_BaseConfig::OnRestoreDefault)
END_MESSAGE_MAP()

CPageAP_BaseConfig::CPageAP_BaseConfig(CWnd* pParent) : CGxTabPage(IDD_PAGE_AP_BASECONFIG, pParent) {
  SetRegionFile(StationSkinPath("TabCtrlPage_AP.bmp"), kStationPageSkinKey);
}

CPageAP_BaseConfig::~CPageAP_BaseConfig() = default;

void CPageAP_BaseConfig::DoDataExchange(CDataExchange* pDX) {
  CGxTabPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_APPAGE_TITLE, m_title);
  DDX_Control(pDX, IDC_APBASE_MODE_LABEL, m_labelMode);
  DDX_Control(pDX, IDC_APBASE_MODE, m_comboMode);
  DDX_Control(pDX, IDC_APBASE_SSID, m_editSsid);
  DDX_Control(pDX, IDC_APBASE_SSID_LABEL, m_labelSsid);
  DDX_Control(pDX, IDC_APBASE_CHANNEL_LABEL, m_labelChannel);
  DDX_Control(pDX, IDC_APBASE_CHANNEL, m_comboChannel);
  DDX_Control(pDX, IDC_APPAGE_APPLY, m_btnApply);
  DDX_Control(pDX, IDC_APBASE_RESTORE, m_btnRestore);
}

BOOL CPageAP_BaseConfig::OnInitDialog() {
  CGxTabPage::OnInitDialog();
  SkinPageTitle(&m_title);
  for (CGxStatic* label : {&m_labelMode, &m_labelSsid, &m_labelChannel}) SkinSmallText(label);
  SkinCommonEdit(&m_editSsid);
  SkinCommonButton(&m_btnApply, 0, nullptr, nullptr);
  SkinCommonButton(&m_btnRestore, 0, nullptr, StationSkinPath("Button_RestoreDefault.bmp"));
  return TRUE;
}

void CPageAP_BaseConfig::OnModeChanged() {
  NotifyWorkerInt(BRIDGE_CMD_AP_WIRELESS_MODE, m_comboMode.GetCurSel(), TRUE);
}

void CPageAP_BaseConfig::OnSsidUpdate() { NotifyWorker(BRIDGE_CMD_AP_SSID, gxGetWindowText(&m_editSsid), TRUE); }

void CPageAP_BaseConfig::OnChannelChanged() {
  NotifyWorkerInt(BRIDGE_CMD_AP_CHANNEL, m_comboChannel.GetCurSel(), TRUE);
}

void CPageAP_BaseConfig::OnApply() { NotifyWorker(BRIDGE_CMD_AP_APPLY_CONFIG, "", TRUE); }

void CPageAP_BaseConfig::OnRestoreDefault() { NotifyWorker(BRIDGE_CMD_AP_RESTORE_DEFAULT, "", TRUE); }
