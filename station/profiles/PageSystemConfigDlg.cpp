#include "station/profiles/PageSystemConfigDlg.h"

#include <cstdlib>
#include <cstring>

#include "frontend/BridgeCodes.h"
#include "frontend/UiBridge.h"
#include "platform/wire/Bytes.h"
#include "platform/wire/NdisBssidList.h"
#include "station/profiles/EditorFieldCodes.h"
#include "worker/PageTopLine.h"
#include "station/profiles/ProfileEditorDlg.h"
#include "worker/BssLists.h"
#include "worker/ChannelList.h"
#include "worker/ChannelTable.h"
#include "worker/DriverCodes.h"
#include "worker/ModuleFunctions.h"
#include "worker/OidRequest.h"
#include "worker/WorkerGlobals.h"

namespace {

// Language strings of the labels.
struct LabelText {
  int id;
  UINT stringId;
};
constexpr LabelText kLabels[] = {{IDC_SC_PROFILE_NAME_LABEL, 42}, {IDC_SC_SSID_LABEL, 43},
                                 {IDC_SC_POWER_SAVE_LABEL, 6259}, {IDC_SC_NETWORK_TYPE_LABEL, 47},
                                 {IDC_SC_TX_POWER_LABEL, 6260},   {IDC_SC_PREAMBLE_LABEL, 2161},
                                 {IDC_SC_CHANNEL_LABEL, 44},      {IDC_SC_RTS_LABEL, 195},
                                 {IDC_SC_FRAG_LABEL, 197}};

// The controls this build keeps hidden (their fields are still saved).
constexpr int kHiddenControls[] = {
    IDC_SC_POWER_SAVE_LABEL, IDC_SC_CAM,          IDC_SC_PSM,          IDC_SC_CAM_TEXT,     IDC_SC_PSM_TEXT,
    IDC_SC_PREAMBLE_LABEL,   IDC_SC_PREAMBLE,     IDC_SC_CHANNEL_LABEL, IDC_SC_CHANNEL,     IDC_SC_USE_RTS,
    IDC_SC_USE_FRAG,         IDC_SC_RTS_LABEL,    IDC_SC_FRAG_LABEL,   IDC_SC_RTS_SLIDER,   IDC_SC_FRAG_SLIDER,
    IDC_SC_RTS_MIN_TEXT,     IDC_SC_RTS_MAX_TEXT, IDC_SC_FRAG_MIN_TEXT, IDC_SC_FRAG_MAX_TEXT, IDC_SC_RTS_VALUE,
    IDC_SC_FRAG_VALUE};
static_assert(sizeof kHiddenControls / sizeof kHiddenControls[0] == 21, "21 controls stay hidden");

// Transmit power commands by index 0..6, and their button texts.
constexpr UINT kTxPowerCommands[] = {ID_TX_POWER_AUTO, ID_TX_POWER_100, ID_TX_POWER_75, ID_TX_POWER_50,
                                     ID_TX_POWER_25,   ID_TX_POWER_10,  ID_TX_POWER_LOWEST};
const char* const kTxPowerTexts[] = {"Auto", "100%", "75 %", "50 %", "25 %", "10 %", "Lowest"};
constexpr int kTxPowerCount = 7;

constexpr int kJapanChannelBase = 200;
constexpr int kJapanChannels[] = {8, 12, 16};
// Channels the list never offers.
bool IsOfferedChannel(int channel) { return channel != 34 && channel != 38 && channel != 42 && channel != 46; }

constexpr int kSliderLine = 32;
constexpr int kSliderPage = 256;
constexpr UINT kMenuToolbarNetworkType = 309;
constexpr UINT kMenuToolbarTxPower = 317;
constexpr UINT kMenuToolbarPreamble = 313;
constexpr COLORREF kMenuIconMask = 0xFF00FF;
constexpr size_t kAdhocModeWord = 4;

// Sets a flag for the life of a scope.
class CScopedFlag {
 public:
  explicit CScopedFlag(BOOL& flag) : m_flag(flag), m_old(flag) { m_flag = TRUE; }
  ~CScopedFlag() { m_flag = m_old; }
  CScopedFlag(const CScopedFlag&) = delete;
  CScopedFlag& operator=(const CScopedFlag&) = delete;

 private:
  BOOL& m_flag;
  BOOL m_old;
};

}  // namespace

BEGIN_MESSAGE_MAP(CPageSystemConfigDlg, CDialog)
  ON_COMMAND(ID_NETWORK_INFRASTRUCTURE, &CPageSystemConfigDlg::OnInfrastructure)
  ON_COMMAND(ID_NETWORK_ADHOC, &CPageSystemConfigDlg::OnAdhoc)
  ON_COMMAND_RANGE(ID_TX_POWER_AUTO, ID_TX_POWER_LOWEST, &CPageSystemConfigDlg::OnTxPower)
  ON_COMMAND_RANGE(ID_TX_POWER_100, ID_TX_POWER_100, &CPageSystemConfigDlg::OnTxPower)
  ON_COMMAND_RANGE(ID_PREAMBLE_AUTO, ID_PREAMBLE_LONG, &CPageSystemConfigDlg::OnPreamble)
  ON_BN_CLICKED(IDC_SC_USE_RTS, &CPageSystemConfigDlg::OnUseRts)
  ON_BN_CLICKED(IDC_SC_USE_FRAG, &CPageSystemConfigDlg::OnUseFrag)
  ON_BN_CLICKED(IDC_SC_CAM, &CPageSystemConfigDlg::OnPowerSave)
  ON_BN_CLICKED(IDC_SC_PSM, &CPageSystemConfigDlg::OnPowerSave)
  ON_EN_CHANGE(IDC_SC_RTS_VALUE, &CPageSystemConfigDlg::OnRtsChange)
  ON_EN_CHANGE(IDC_SC_FRAG_VALUE, &CPageSystemConfigDlg::OnFragChange)
  ON_WM_PAINT()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CPageSystemConfigDlg::CPageSystemConfigDlg(CWnd* pParent) : CDialog(IDD_PAGE_SYSTEM_CONFIG, pParent) {}

CPageSystemConfigDlg::~CPageSystemConfigDlg() = default;

void CPageSystemConfigDlg::ResetFields() {
  m_strProfileName.Empty();
  m_strSsid.Empty();
  m_strChannel.Empty();
  m_nAdhocMode = 1;
  m_nNetworkType = 0;
  m_nPreamble = 0;
  m_nPowerSave = 0;
  m_nTxPower = 0;
  m_nACPowerCam = 0;
  m_bUseRts = FALSE;
  m_nRtsSlider = kRtsThresholdMax;
  m_bUseFrag = FALSE;
  m_nFragSlider = kFragThresholdMax;
  m_nRtsValue = kRtsThresholdMax;
  m_nFragValue = kFragThresholdMax;
}

void CPageSystemConfigDlg::DoDataExchange(CDataExchange* pDX) {
  CScopedFlag exchanging(m_bExchanging);
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_SC_NETWORK_TYPE, m_btnNetworkType);
  DDX_Control(pDX, IDC_SC_PREAMBLE, m_btnPreamble);
  DDX_Control(pDX, IDC_SC_TX_POWER, m_btnTxPower);
  DDX_Control(pDX, IDC_SC_CAM, m_radioCam);
  DDX_Control(pDX, IDC_SC_PSM, m_radioPsm);
  DDX_Control(pDX, IDC_SC_USE_RTS, m_checkRts);
  DDX_Control(pDX, IDC_SC_USE_FRAG, m_checkFrag);
  DDX_Control(pDX, IDC_SC_SSID, m_comboSsid);
  DDX_Control(pDX, IDC_SC_CHANNEL, m_comboChannel);
  DDX_Control(pDX, IDC_SC_RTS_SLIDER, m_sliderRts);
  DDX_Control(pDX, IDC_SC_FRAG_SLIDER, m_sliderFrag);
  DDX_Control(pDX, IDC_SC_RTS_VALUE, m_editRts);
  DDX_Control(pDX, IDC_SC_FRAG_VALUE, m_editFrag);
  DDX_Text(pDX, IDC_SC_PROFILE_NAME, m_strProfileName);
  DDX_CBString(pDX, IDC_SC_SSID, m_strSsid);
  DDX_CBString(pDX, IDC_SC_CHANNEL, m_strChannel);
  DDX_Radio(pDX, IDC_SC_CAM, m_nPowerSave);
  DDX_Check(pDX, IDC_SC_USE_RTS, m_bUseRts);
  DDX_Check(pDX, IDC_SC_USE_FRAG, m_bUseFrag);
  DDX_Text(pDX, IDC_SC_RTS_VALUE, m_nRtsValue);
  DDX_Text(pDX, IDC_SC_FRAG_VALUE, m_nFragValue);
  if (pDX->m_bSaveAndValidate) {
    m_nRtsSlider = m_sliderRts.GetPos();
    m_nFragSlider = m_sliderFrag.GetPos();
  } else {
    m_sliderRts.SetPos(m_nRtsSlider);
    m_sliderFrag.SetPos(m_nFragSlider);
  }
}

BOOL CPageSystemConfigDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  for (const LabelText& label : kLabels) {
    if (CWnd* control = GetDlgItem(label.id)) ShowControlText(this, control, label.stringId);
  }
  m_comboSsid.SetColumnCount(2);
  CRect rect;
  m_comboSsid.GetWindowRect(&rect);
  m_comboSsid.SetColumnWidth(0, rect.Width() * 12 / 10);
  m_comboSsid.SetColumnWidth(1, rect.Width() * 8 / 10);
  m_comboSsid.SetDroppedWidth(rect.Width() * 2);
  m_comboChannel.SetColumnCount(1);

  m_btnNetworkType.AttachDropMenu(IDR_NETWORK_TYPE_MENU, m_hWnd, TRUE, kMenuToolbarNetworkType, 16, 16, kMenuIconMask);
  m_btnTxPower.AttachDropMenu(IDR_TX_POWER_MENU, m_hWnd, TRUE, kMenuToolbarTxPower, 16, 16, kMenuIconMask);
  m_btnPreamble.AttachDropMenu(IDR_PREAMBLE_MENU, m_hWnd, TRUE, kMenuToolbarPreamble, 16, 16, kMenuIconMask);

  m_editRts.LinkSlider(this, IDC_SC_RTS_SLIDER);
  m_editRts.SetIntRange(0, kRtsThresholdMax, kSliderLine, kSliderPage);
  m_editFrag.LinkSlider(this, IDC_SC_FRAG_SLIDER);
  m_editFrag.SetIntRange(kFragThresholdMin, kFragThresholdMax, kSliderLine, kSliderPage);
  m_editRts.SetValueText(m_nRtsValue);
  m_editFrag.SetValueText(m_nFragValue);
  m_sliderRts.SetLinkedPos(m_nRtsSlider);
  m_sliderFrag.SetLinkedPos(m_nFragSlider);

  for (int id : kHiddenControls) ShowControl(id, FALSE);
  return TRUE;
}

BOOL CPageSystemConfigDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  // Enter and Escape never close a hidden page.
  if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) return TRUE;
  return CDialog::OnCommand(wParam, lParam);
}

void CPageSystemConfigDlg::EnableControl(int id, BOOL enable) {
  if (CWnd* control = GetDlgItem(id)) control->EnableWindow(enable);
}

void CPageSystemConfigDlg::ShowControl(int id, BOOL show) {
  if (CWnd* control = GetDlgItem(id)) control->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CPageSystemConfigDlg::ReadAdhocMode() {
  DWORD config[kStationConfigWords] = {};
  DWORD returned = 0;
  if (QueryOid(OID_VX_PRIVATE_0111, config, sizeof config, &returned) &&
      returned >= (kAdhocModeWord + 1) * sizeof(DWORD))
    m_nAdhocMode = static_cast<int>(config[kAdhocModeWord]);
}

int CPageSystemConfigDlg::FillSsidList(const CString& match) {
  m_comboSsid.ResetContent();
  int matched = -1;
  if (!BssidSiteList) return matched;
  // A copy, so that a rescan during the fill cannot change the list under it.
  auto list = std::make_unique<BYTE[]>(kBssListSize);
  std::memcpy(list.get(), BssidSiteList.get(), kBssListSize);
  WalkBssList(list.get(), kBssListSize, [&](const BYTE* record, DWORD) {
    using namespace wavorel::wire::ndis::bssid;
    DWORD length = wavorel::wire::getU32(record + kSsidLength);
    if (length > kSsidSize) length = kSsidSize;
    const CString ssid(reinterpret_cast<const char*>(record + kSsid), static_cast<int>(length));
    const BYTE* mac = record + kMacAddress;
    CString bssid;
    bssid.Format("%02X%02X%02X%02X%02X%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    const int row = m_comboSsid.AddString(ssid);
    if (row < 0) return;
    m_comboSsid.SetColumnText(row, 1, bssid);
    if (matched < 0 && !match.IsEmpty() && ssid == match) matched = row;
  });
  return matched;
}

void CPageSystemConfigDlg::LoadDefaults(const CString& profileName) {
  ResetFields();
  UpdateData(FALSE);
  m_strProfileName = profileName;
  NotifyUI(EDITOR_FIELD_PROFILE_NAME, m_strProfileName, TRUE);
  FillSsidList(CString());
  OnInfrastructure();
  OnTxPower(ID_TX_POWER_AUTO);
  OnPreamble(ID_PREAMBLE_AUTO);
  ReadAdhocMode();
  FillChannelList();
  UpdateData(FALSE);
}

void CPageSystemConfigDlg::LoadFromSite(const CString& profileName, const CString& ssid, int infrastructureMode,
                                        DWORD frequencyKhz) {
  ResetFields();
  UpdateData(FALSE);
  m_strProfileName = profileName;
  NotifyUI(EDITOR_FIELD_PROFILE_NAME, m_strProfileName, TRUE);
  m_strSsid = ssid;
  NotifyUI(EDITOR_FIELD_SSID, m_strSsid, TRUE);
  const int row = FillSsidList(m_strSsid);
  OnInfrastructure();
  if (infrastructureMode != 1) OnAdhoc();
  OnTxPower(ID_TX_POWER_AUTO);
  OnPreamble(ID_PREAMBLE_AUTO);
  ReadAdhocMode();
  if (const CHANNEL_FREQUENCY* channel = FindChannelByFrequency(frequencyKhz)) {
    m_strChannel = ChannelText(static_cast<int>(channel->Channel));
    NotifyUI(EDITOR_FIELD_CHANNEL, m_strChannel, TRUE);
  }
  FillChannelList();
  UpdateData(FALSE);
  if (row >= 0) m_comboSsid.SetCurSel(row);
}

void CPageSystemConfigDlg::LoadFromProfile() {
  int row = FillSsidList(m_strSsid);
  if (row >= 0) {
    m_comboSsid.GetLBText(row, m_strSsid);
    NotifyUI(EDITOR_FIELD_SSID, m_strSsid, TRUE);
  } else {
    row = m_comboSsid.AddString(m_strSsid);
  }
  m_comboSsid.SetCurSel(row);
  if (m_nNetworkType == 1)
    OnInfrastructure();
  else
    OnAdhoc();
  if (m_nTxPower >= 0 && m_nTxPower < kTxPowerCount) OnTxPower(kTxPowerCommands[m_nTxPower]);
  OnPreamble(m_nPreamble ? ID_PREAMBLE_LONG : ID_PREAMBLE_AUTO);
  ReadAdhocMode();
  FillChannelList();
  UpdateData(FALSE);
}

void CPageSystemConfigDlg::OnInfrastructure() {
  m_nNetworkType = 1;
  NotifyUIInt(EDITOR_FIELD_NETWORK_TYPE, 1, TRUE);
  m_btnNetworkType.SetWindowText("Infrastructure");
  ShowControl(IDC_SC_CHANNEL_LABEL, FALSE);
  ShowControl(IDC_SC_CHANNEL, FALSE);
  for (int id : {IDC_SC_POWER_SAVE_LABEL, IDC_SC_CAM, IDC_SC_PSM, IDC_SC_CAM_TEXT, IDC_SC_PSM_TEXT})
    EnableControl(id, TRUE);
  m_nPreamble = 0;
  m_btnPreamble.SetWindowText("Auto");
  EnableControl(IDC_SC_PREAMBLE_LABEL, FALSE);
  EnableControl(IDC_SC_PREAMBLE, FALSE);
}

void CPageSystemConfigDlg::OnAdhoc() {
  m_nNetworkType = 0;
  NotifyUIInt(EDITOR_FIELD_NETWORK_TYPE, 0, TRUE);
  m_btnNetworkType.SetWindowText("Adhoc");
  for (int id : {IDC_SC_POWER_SAVE_LABEL, IDC_SC_CAM, IDC_SC_PSM, IDC_SC_CAM_TEXT, IDC_SC_PSM_TEXT})
    EnableControl(id, FALSE);
  EnableControl(IDC_SC_PREAMBLE_LABEL, TRUE);
  EnableControl(IDC_SC_PREAMBLE, TRUE);
  if (auto* editor = CProfileEditorDlg::FromPage(this)) {
    if (CPageAuthEncryDlg* security = editor->GetAuthEncryPage()) security->Hide8021XCheck();
    editor->EnableTab(CProfileEditorDlg::kTab8021X, FALSE);
  }
  FillChannelList();
}

void CPageSystemConfigDlg::OnTxPower(UINT nID) {
  for (int i = 0; i < kTxPowerCount; ++i) {
    if (kTxPowerCommands[i] != nID) continue;
    m_nTxPower = i;
    m_btnTxPower.SetWindowText(kTxPowerTexts[i]);
  }
}

void CPageSystemConfigDlg::OnPreamble(UINT nID) {
  m_nPreamble = nID == ID_PREAMBLE_LONG ? 1 : 0;
  m_btnPreamble.SetWindowText(m_nPreamble ? "Long" : "Auto");
}

void CPageSystemConfigDlg::FillChannelList() {
  BYTE channels[kMaxChannels] = {};
  int count = 0;
  GetChannelList(m_nNetworkType, g_nWirelessMode, m_nAdhocMode, channels, &count);
  m_comboChannel.ResetContent();
  const int wanted = ChannelNumber(m_strChannel);
  int selected = 0;
  for (int i = 0; i < count; ++i) {
    if (!IsOfferedChannel(channels[i])) continue;
    const int row = m_comboChannel.AddString(ChannelText(channels[i]));
    if (row >= 0 && channels[i] == wanted && !m_strChannel.IsEmpty()) selected = row;
  }
  m_comboChannel.SetCurSel(selected);
}

CString CPageSystemConfigDlg::ChannelText(int channel) {
  CString text;
  for (int japan : kJapanChannels) {
    if (channel == kJapanChannelBase + japan) {
      text.Format("J%d", japan);
      return text;
    }
  }
  text.Format("%d", channel);
  return text;
}

int CPageSystemConfigDlg::ChannelNumber(const CString& text) {
  for (int japan : kJapanChannels) {
    if (text == ChannelText(kJapanChannelBase + japan)) return kJapanChannelBase + japan;
  }
  return std::atoi(text);
}

void CPageSystemConfigDlg::OnUseRts() {
  UpdateData(TRUE);
  if (!m_bUseRts) {
    m_editRts.SetIntValue(kRtsThresholdMax);
    m_sliderRts.SetLinkedPos(kRtsThresholdMax);
    UpdateData(TRUE);
  }
  for (int id : {IDC_SC_RTS_VALUE, IDC_SC_RTS_SLIDER, IDC_SC_RTS_MIN_TEXT, IDC_SC_RTS_MAX_TEXT})
    EnableControl(id, m_bUseRts);
}

void CPageSystemConfigDlg::OnUseFrag() {
  UpdateData(TRUE);
  if (!m_bUseFrag) {
    m_editFrag.SetIntValue(kFragThresholdMax);
    m_sliderFrag.SetLinkedPos(kFragThresholdMax);
    UpdateData(TRUE);
  }
  for (int id : {IDC_SC_FRAG_VALUE, IDC_SC_FRAG_SLIDER, IDC_SC_FRAG_MIN_TEXT, IDC_SC_FRAG_MAX_TEXT})
    EnableControl(id, m_bUseFrag);
}

void CPageSystemConfigDlg::OnRtsChange() {
  if (m_bExchanging || !UpdateData(TRUE)) return;
  if (m_nRtsValue > kRtsThresholdMax) m_nRtsValue = kRtsThresholdMax;
  m_nRtsSlider = m_nRtsValue;
  UpdateData(FALSE);
}

void CPageSystemConfigDlg::OnFragChange() {
  if (m_bExchanging || !UpdateData(TRUE)) return;
  if (m_nFragValue > kFragThresholdMax) {
    m_nFragValue = kFragThresholdMax;
    m_nFragSlider = kFragThresholdMax;
  } else if (m_nFragValue >= kFragThresholdMin) {
    m_nFragSlider = m_nFragValue;
  } else {
    // Left as typed, so that a number can be typed digit by digit.
    m_nFragSlider = kFragThresholdMin;
  }
  UpdateData(FALSE);
}

void CPageSystemConfigDlg::OnPowerSave() {
  UpdateData(TRUE);
  if (auto* editor = CProfileEditorDlg::FromPage(this)) editor->PressTab(CProfileEditorDlg::kTabSystemConfig);
}

BOOL CPageSystemConfigDlg::RunBridgeCommand(UINT code, const CString& value) {
  switch (code) {
    case BRIDGE_CMD_EDITOR_PROFILE_NAME:
      m_strProfileName = value;
      break;
    case BRIDGE_CMD_EDITOR_SSID:
      m_strSsid = value;
      break;
    case BRIDGE_CMD_EDITOR_NETWORK_TYPE:
      m_nNetworkType = std::atoi(value);
      break;
    case BRIDGE_CMD_EDITOR_CHANNEL:
      m_strChannel.Format("%d", std::atoi(value) + 1);
      break;
    default:
      return FALSE;
  }
  UpdateData(FALSE);
  return TRUE;
}

void CPageSystemConfigDlg::OnPaint() { PaintPageTopLine(this); }

void CPageSystemConfigDlg::OnDestroy() {
  for (CButtonST* button : {&m_btnNetworkType, &m_btnTxPower, &m_btnPreamble}) {
    if (button->GetSafeHwnd()) button->DestroyWindow();
  }
  CDialog::OnDestroy();
}
