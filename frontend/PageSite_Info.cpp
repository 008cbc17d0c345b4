#include "frontend/PageSite_Info.h"

#include <cstring>

#include "frontend/GxTabCtrl.h"
#include "frontend/SiteEditor.h"
#include "frontend/SiteEditorIds.h"
#include "frontend/SkinFunctions.h"
#include "frontend/UiBridge.h"
#include "frontend/WavorelApp.h"

namespace {

constexpr int kTextLimit = 32;
// Characters a profile name must not hold (the blank and the hyphen may).
constexpr char kIllegalNameChars[] = "~!@#$%^&*()_={}|[]\\:;'?></.,+`\"";
// The Japanese channels are shown as "J8", "J12", "J16" (208, 212, 216).
constexpr int kJapanChannelBase = 200;

}  // namespace

BEGIN_MESSAGE_MAP(CPageSite_Info, CGxTabPage)
  ON_CONTROL(EN_UPDATE, IDC_INFO_NAME, &CPageSite_Info::OnNameUpdate)
  ON_CBN_SELCHANGE(IDC_INFO_NETTYPE, &CPageSite_Info::UpdateChannelControls)
END_MESSAGE_MAP()

CPageSite_Info::CPageSite_Info(CWnd* pParent) : CGxTabPage(IDD_PAGESITE_INFO, pParent) {
  SetRegionFile(SiteEditorSkinPath("TabCtrlPageSite_Info.bmp"), kSiteSkinKey);
}

CPageSite_Info::~CPageSite_Info() = default;

void CPageSite_Info::DoDataExchange(CDataExchange* pDX) {
  CGxTabPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_INFO_NAME_LABEL, m_labelName);
  DDX_Control(pDX, IDC_INFO_NAME, m_editName);
  DDX_Control(pDX, IDC_INFO_SSID_LABEL, m_labelSsid);
  DDX_Control(pDX, IDC_INFO_SSID, m_editSsid);
  DDX_Control(pDX, IDC_INFO_NETTYPE_LABEL, m_labelNetworkType);
  DDX_Control(pDX, IDC_INFO_NETTYPE, m_comboNetworkType);
  DDX_Control(pDX, IDC_INFO_CHANNEL_LABEL, m_labelChannel);
  DDX_Control(pDX, IDC_INFO_CHANNEL, m_comboChannel);
  DDX_Control(pDX, IDC_INFO_PSP, m_checkPsp);
  DDX_CBString(pDX, IDC_INFO_CHANNEL, m_strChannel);
}

BOOL CPageSite_Info::OnInitDialog() {
  CGxTabPage::OnInitDialog();
  SkinCommonEdit(&m_editName);
  SkinCommonEdit(&m_editSsid);
  m_comboNetworkType.SetCurSel(0);
  UpdateChannelControls();
  SkinCheckButton(&m_checkPsp, nullptr);
  BOOL psp = FALSE;
  ReadPspXlink(&psp);
  m_checkPsp.SetCheck(psp ? 1 : 0);
  m_comboNetworkType.SetCurSel(0);
  m_comboChannel.SetCurSel(0);
  m_editName.LimitText(kTextLimit);
  m_editSsid.LimitText(kTextLimit);
  return TRUE;
}

void CPageSite_Info::UpdateChannelControls() {
  const int show = m_comboNetworkType.GetCurSel() == 0 ? SW_SHOW : SW_HIDE;
  m_labelChannel.ShowWindow(show);
  m_comboChannel.ShowWindow(show);
  m_checkPsp.ShowWindow(show);
}

void CPageSite_Info::OnNameUpdate() {
  CString name;
  m_editName.GetWindowText(name);
  if (name.FindOneOf(kIllegalNameChars) < 0) return;
  NotifyUIAlert(GetMLText("Contain illegal character."), MB_ICONEXCLAMATION);
  m_editName.SetSel(0, -1);
  m_editName.SetFocus();
}

void CPageSite_Info::SelectInEditor() {
  if (CGxTabCtrl* tabs = dynamic_cast<CGxTabCtrl*>(GetParent())) tabs->SelectPage(this);
}

BOOL CPageSite_Info::Validate() {
  UpdateData(TRUE);
  CString name, ssid;
  m_editName.GetWindowText(name);
  m_editSsid.GetWindowText(ssid);
  CWnd* field = nullptr;
  const char* message = nullptr;
  if (name.GetLength() < 1) {
    field = &m_editName;
    message = "Please entry profile name";
  } else if (ssid.GetLength() < 1) {
    field = &m_editSsid;
    message = "Please entry SSID";
  }
  if (!field) return TRUE;
  SelectInEditor();
  ShowSiteEditorError(field, GetMLText(message));
  return FALSE;
}

int CPageSite_Info::ChannelNumber(const CString& text) {
  CString channel(text);
  channel.Trim();
  if (!channel.IsEmpty() && (channel[0] == 'J' || channel[0] == 'j')) {
    const int japan = atoi(channel.Mid(1));
    return japan > 0 ? kJapanChannelBase + japan : 0;
  }
  return atoi(channel);
}

void CPageSite_Info::SendValues() {
  UpdateData(TRUE);
  CString name, ssid;
  m_editName.GetWindowText(name);
  m_editSsid.GetWindowText(ssid);
  NotifyWorker(BRIDGE_CMD_EDITOR_PROFILE_NAME, name, TRUE);
  NotifyWorker(BRIDGE_CMD_EDITOR_SSID, ssid, TRUE);
  NotifyWorkerInt(BRIDGE_CMD_EDITOR_NETWORK_TYPE, m_comboNetworkType.GetCurSel(), TRUE);
  // The worker takes the value as "channel minus 1": the channel shown, also
  // one set by the worker that is no item of the list.
  NotifyWorkerInt(BRIDGE_CMD_EDITOR_CHANNEL, ChannelNumber(m_strChannel) - 1, TRUE);
  WritePspXlink(m_checkPsp.GetCheck() != 0);
}

void CPageSite_Info::ApplyCode(UINT nCode, const CString& value) {
  if (!GetSafeHwnd()) return;
  switch (nCode) {
    case 36: m_editName.SetWindowText(value); break;
    case 37: m_editSsid.SetWindowText(value); break;
    case 38:
      m_strChannel = value;
      UpdateData(FALSE);
      break;
    case 39:
      SetComboCurSelSafe(&m_comboNetworkType, atoi(value));
      UpdateChannelControls();
      break;
    default: break;
  }
}
