#include "frontend/PageAP_SecuritySetting.h"

#include "frontend/ApPageIds.h"
#include "frontend/SkinFunctions.h"
#include "frontend/StationPageTools.h"
#include "frontend/TableCtrl_AP.h"
#include "frontend/UiBridge.h"
#include "utilmere/Utilmere.h"

namespace {

constexpr UINT kKeyRadioIds[4] = {IDC_APSECU_KEY1_RADIO, IDC_APSECU_KEY2_RADIO, IDC_APSECU_KEY3_RADIO,
                                  IDC_APSECU_KEY4_RADIO};
constexpr UINT kKeyTypeIds[4] = {IDC_APSECU_KEY1_TYPE, IDC_APSECU_KEY2_TYPE, IDC_APSECU_KEY3_TYPE,
                                 IDC_APSECU_KEY4_TYPE};
constexpr UINT kKeyIds[4] = {IDC_APSECU_KEY1, IDC_APSECU_KEY2, IDC_APSECU_KEY3, IDC_APSECU_KEY4};
constexpr UINT kKeyTypeLabelIds[4] = {IDC_APSECU_KEY1_TYPE_LABEL, IDC_APSECU_KEY2_TYPE_LABEL,
                                      IDC_APSECU_KEY3_TYPE_LABEL, IDC_APSECU_KEY4_TYPE_LABEL};
constexpr UINT kKeyLabelIds[4] = {IDC_APSECU_KEY1_LABEL, IDC_APSECU_KEY2_LABEL, IDC_APSECU_KEY3_LABEL,
                                  IDC_APSECU_KEY4_LABEL};

// Key types: row 0 hexadecimal digits, any other any character.
constexpr WORD kParseHexDigits = 0x40;
constexpr int kHexKeyLimit = 26;
constexpr int kAsciiKeyLimit = 13;

constexpr UINT_PTR kShowKeyTimer = 1;
constexpr UINT kShowKeyDelayMs = 10;

}  // namespace

BEGIN_MESSAGE_MAP(CPageAP_SecuritySetting, CGxTabPage)
  ON_CBN_SELCHANGE(IDC_APSECU_AUTH, &CPageAP_SecuritySetting::OnAuthChanged)
  ON_CBN_SELCHANGE(IDC_APSECU_ENC, &CPageAP_SecuritySetting::OnEncryptionChanged)
  ON_CONTROL(EN_UPDATE, IDC_APSECU_PSK, &CPageAP_SecuritySetting::OnPskUpdate)
  ON_CONTROL_RANGE(BN_CLICKED, IDC_APSECU_KEY1_RADIO, IDC_APSECU_KEY4_RADIO, &CPageAP_SecuritySetting::OnKeyRadio)
  ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_APSECU_KEY1_TYPE, IDC_APSECU_KEY4_TYPE,
                   &CPageAP_SecuritySetting::OnKeyTypeChanged)
  ON_CONTROL_RANGE(EN_UPDATE, IDC_APSECU_KEY1, IDC_APSECU_KEY4, &CPageAP_SecuritySetting::OnKeyUpdate)
  ON_BN_CLICKED(IDC_APSECU_SHOW_KEY, &CPageAP_SecuritySetting::OnShowKeyContent)
  ON_BN_CLICKED(IDC_APPAGE_APPLY, &CPageAP_SecuritySetting::OnApply)
  ON_WM_TIMER()
  ON_MESSAGE(WM_TABPAGE_ENTER, &CPageAP_SecuritySetting::OnTabPageEnter)
END_MESSAGE_MAP()

CPageAP_SecuritySetting::CPageAP_SecuritySetting(CWnd* pParent) : CGxTabPage(IDD_PAGE_AP_SECURITY, pParent) {
  SetRegionFile(StationSkinPath("TabCtrlPage_AP.bmp"), kStationPageSkinKey);
}

CPageAP_SecuritySetting::~CPageAP_SecuritySetting() = default;

void CPageAP_SecuritySetting::DoDataExchange(CDataExchange* pDX) {
  CGxTabPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_APPAGE_TITLE, m_title);
  DDX_Control(pDX, IDC_APSECU_AUTH_LABEL, m_labelAuth);
  DDX_Control(pDX, IDC_APSECU_AUTH, m_comboAuth);
  DDX_Control(pDX, IDC_APSECU_ENC_LABEL, m_labelEncryption);
  DDX_Control(pDX, IDC_APSECU_ENC, m_comboEncryption);
  DDX_Control(pDX, IDC_APSECU_SHOW_KEY, m_checkShowKey);
  DDX_Control(pDX, IDC_APSECU_PSK_LABEL, m_labelPsk);
  DDX_Control(pDX, IDC_APSECU_PSK, m_editPsk);
  DDX_Control(pDX, IDC_APSECU_WEP_GROUP, m_groupWep);
  for (int i = 0; i < kKeyCount; ++i) {
    DDX_Control(pDX, static_cast<int>(kKeyRadioIds[i]), m_radioKey[i]);
    DDX_Control(pDX, static_cast<int>(kKeyTypeIds[i]), m_comboKeyType[i]);
    DDX_Control(pDX, static_cast<int>(kKeyIds[i]), m_editKey[i]);
    DDX_Control(pDX, static_cast<int>(kKeyTypeLabelIds[i]), m_labelKeyType[i]);
    DDX_Control(pDX, static_cast<int>(kKeyLabelIds[i]), m_labelKey[i]);
  }
  DDX_Control(pDX, IDC_APPAGE_APPLY, m_btnApply);
  DDX_Radio(pDX, IDC_APSECU_KEY1_RADIO, m_nKeyIndex);
}

BOOL CPageAP_SecuritySetting::OnInitDialog() {
  CGxTabPage::OnInitDialog();
  SkinPageTitle(&m_title);
  for (CGxStatic* label : {&m_labelAuth, &m_labelEncryption, &m_labelPsk}) SkinSmallText(label);
  SkinCheckButton(&m_checkShowKey, nullptr);
  SkinCommonEdit(&m_editPsk);
  for (int i = 0; i < kKeyCount; ++i) {
    SkinRadioButton(&m_radioKey[i], nullptr);
    SkinSmallText(&m_labelKeyType[i]);
    SkinSmallText(&m_labelKey[i]);
    SkinCommonEdit(&m_editKey[i]);
  }
  SkinCommonButton(&m_btnApply, 0, nullptr, nullptr);
  SetTimer(kShowKeyTimer, kShowKeyDelayMs, nullptr);
  for (int i = 0; i < kKeyCount; ++i) KeyTypeChanged(i);
  m_editPsk.LimitText(kPskLimit);
  return TRUE;
}

void CPageAP_SecuritySetting::ClearAllKeys() {
  if (!GetSafeHwnd()) return;
  m_bClearing = TRUE;
  m_editPsk.SetWindowText("");
  for (CGxEdit& key : m_editKey) key.SetWindowText("");
  m_bClearing = FALSE;
}

int CPageAP_SecuritySetting::KeyOfId(const UINT (&ids)[kKeyCount], UINT nId) {
  for (int i = 0; i < kKeyCount; ++i)
    if (ids[i] == nId) return i;
  return -1;
}

void CPageAP_SecuritySetting::OnAuthChanged() {
  const int index = m_comboAuth.GetCurSel();
  NotifyWorkerInt(BRIDGE_CMD_AP_AUTH_TYPE, index, TRUE);
  if (index < 0 || index >= m_comboAuth.GetCount()) return;
  CString item;
  m_comboAuth.GetLBText(index, item);
  if (item.Find("WPA-PSK") >= 0 || item.Find("WPA2-PSK") >= 0)
    m_labelPsk.SetWindowText(FormatString("%s %s", item.GetString(), GetMLText("Key").GetString()));
}

void CPageAP_SecuritySetting::OnEncryptionChanged() {
  NotifyWorkerInt(BRIDGE_CMD_AP_ENCRYPTION, m_comboEncryption.GetCurSel(), TRUE);
}

void CPageAP_SecuritySetting::OnPskUpdate() {
  if (!m_bClearing) NotifyWorker(BRIDGE_CMD_AP_WPA_PSK, gxGetWindowText(&m_editPsk), TRUE);
}

void CPageAP_SecuritySetting::OnKeyRadio(UINT) {
  UpdateData(TRUE);
  NotifyWorkerInt(BRIDGE_CMD_AP_WEP_KEY_INDEX, m_nKeyIndex, TRUE);
}

void CPageAP_SecuritySetting::OnKeyTypeChanged(UINT nId) {
  const int n = KeyOfId(kKeyTypeIds, nId);
  if (n >= 0) KeyTypeChanged(n);
}

void CPageAP_SecuritySetting::KeyTypeChanged(int n) {
  ApplyKeyRule(n);
  PostKeyType(n);
}

void CPageAP_SecuritySetting::PostKeyType(int n) {
  NotifyWorkerInt(BRIDGE_CMD_AP_WEP_KEY_TYPE + static_cast<UINT>(n), m_comboKeyType[n].GetCurSel(), TRUE);
}

void CPageAP_SecuritySetting::ApplyKeyRule(int n) {
  if (n < 0 || n >= kKeyCount || !m_editKey[n].GetSafeHwnd()) return;
  const BOOL hex = m_comboKeyType[n].GetCurSel() == 0;
  m_editKey[n].SetParseType(hex ? kParseHexDigits : GX_PARSE_NONE);
  m_editKey[n].LimitText(hex ? kHexKeyLimit : kAsciiKeyLimit);
}

void CPageAP_SecuritySetting::OnKeyUpdate(UINT nId) {
  const int n = KeyOfId(kKeyIds, nId);
  if (n >= 0 && !m_bClearing) NotifyWorker(BRIDGE_CMD_AP_WEP_KEY + static_cast<UINT>(n), gxGetWindowText(&m_editKey[n]), TRUE);
}

void CPageAP_SecuritySetting::OnShowKeyContent() { ApplyShowKeyContent(); }

void CPageAP_SecuritySetting::ApplyShowKeyContent() {
  const char mask = m_checkShowKey.GetCheck() ? 0 : '*';
  for (CGxEdit& key : m_editKey) key.SetPasswordChar(mask);
  m_editPsk.SetPasswordChar(mask);
  ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CPageAP_SecuritySetting::OnApply() {
  NotifyWorker(BRIDGE_CMD_AP_APPLY_SECURITY, "", TRUE);
  CTableCtrl_AP::ApplyOnBasicPage(this);
}

void CPageAP_SecuritySetting::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kShowKeyTimer) return;
  KillTimer(kShowKeyTimer);
  ApplyShowKeyContent();
  Invalidate(TRUE);
}
