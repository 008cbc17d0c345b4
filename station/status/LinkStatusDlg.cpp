#include "station/status/LinkStatusDlg.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <vector>

#include "frontend/BridgeCodes.h"
#include "frontend/SkinFunctions.h"
#include "frontend/UiBridge.h"
#include "platform/wire/Bytes.h"
#include "worker/PageTopLine.h"
#include "station/status/ShowDbmFlag.h"
#include "worker/DriverCodes.h"
#include "worker/HideDlg.h"
#include "worker/ModuleFunctions.h"
#include "worker/OidRequest.h"
#include "worker/WorkerGlobals.h"

namespace {

// String table texts of the page (each build has its own numbers).
constexpr UINT IDS_LINK_QUALITY_FORMAT = LinkStatusIdOfBuild(313, 6);
constexpr UINT IDS_SIGNAL_FORMATS[3] = {LinkStatusIdOfBuild(328, 55), 327, 5276};
constexpr UINT IDS_SIGNAL_DBM_FORMATS[3] = {LinkStatusIdOfBuild(374, 6406), LinkStatusIdOfBuild(375, 6407),
                                            LinkStatusIdOfBuild(376, 6408)};
constexpr UINT IDS_SIGNAL_NO_CHAIN[3] = {LinkStatusIdOfBuild(371, 400), LinkStatusIdOfBuild(372, 401),
                                         LinkStatusIdOfBuild(373, 402)};
constexpr UINT IDS_NOISE_FORMAT = 251;
constexpr UINT IDS_NOISE_DBM_FORMAT = 370;
constexpr UINT IDS_LINK_EVENT_FIRST = 297;  // 297..307: link events 0..10
constexpr UINT kLinkEventCount = 11;
constexpr DWORD kHardwareRadioOffEvent = 2;
constexpr UINT IDS_ICV_ERROR = LinkStatusIdOfBuild(7297, 311);
constexpr UINT IDS_CENTRAL_CHANNEL = LinkStatusIdOfBuild(7296, 4282);
// Chain 0's RSSI: Wavorel asks the standard OID_802_11_RSSI.
constexpr DWORD kRssiCodes[3] = {WAVOREL_BUILD_XP ? OID_802_11_RSSI : OID_VX_RSSI0, OID_VX_RSSI1, OID_VX_RSSI2};
// A transmit power the driver does not report: WavorelVista leaves the text
// empty, Wavorel prints the 0 it started from ("Lowest").
constexpr bool kPowerTextWhenUnread = WAVOREL_BUILD_XP;

// Labels and the string each shows at start.
constexpr UINT kLabelsVista[][2] = {{1022, 316},  {1025, 312},  {1028, 7300}, {1032, 6379}, {1036, 6380},
                                    {1039, 6381}, {1042, 308},  {1046, 309},  {1051, 310},  {1071, 315},
                                    {1079, 314},  {1074, 315},  {1085, 314},  {1061, 6382}, {1065, 6383}};
constexpr UINT kLabelsXp[][2] = {{1026, 12},   {1028, 5},  {1030, 61}, {1032, 6379}, {1034, 6380},
                                 {1036, 6381}, {1038, 56}, {1040, 57}, {1042, 58},   {1054, 11},
                                 {1056, 9},    {1055, 11}, {1057, 9},  {1052, 6382}, {1053, 6383}};
static_assert(std::size(kLabelsVista) == std::size(kLabelsXp));
constexpr const UINT (&kLabels)[std::size(kLabelsXp)][2] = WAVOREL_BUILD_XP ? kLabelsXp : kLabelsVista;
constexpr UINT kValueIds[CLinkStatusDlg::kBoundTextCount] = {
    IDC_LINK_STATUS,     IDC_LINK_EXTRA_INFO, IDC_LINK_CHANNEL,   IDC_LINK_AUTH,          IDC_LINK_ENCRYPTION,
    IDC_LINK_NETWORK_TYPE, IDC_LINK_IP_ADDRESS, IDC_LINK_SUBNET_MASK, IDC_LINK_GATEWAY, IDC_LINK_TX_SPEED,
    IDC_LINK_TX_THROUGHPUT, IDC_LINK_RX_SPEED, IDC_LINK_RX_THROUGHPUT};
constexpr UINT kBarIds[CLinkStatusDlg::kBarCount] = {IDC_LINK_QUALITY_BAR, IDC_LINK_SIGNAL1_BAR, IDC_LINK_SIGNAL2_BAR,
                                                     IDC_LINK_SIGNAL3_BAR, IDC_LINK_NOISE_BAR};
constexpr UINT kBarFormats[CLinkStatusDlg::kBarCount] = {IDS_LINK_QUALITY_FORMAT, IDS_SIGNAL_FORMATS[0],
                                                         IDS_SIGNAL_FORMATS[1], IDS_SIGNAL_FORMATS[2],
                                                         IDS_NOISE_FORMAT};
constexpr UINT kHtValueIds[6] = {IDC_LINK_HT_BW, IDC_LINK_HT_GI, IDC_LINK_HT_STBC,
                                 IDC_LINK_HT_MCS, IDC_LINK_HT_SNR0, IDC_LINK_HT_SNR1};
constexpr UINT kHtStatics[12] = {IDC_LINK_HT_BW_LABEL, IDC_LINK_HT_GI_LABEL, IDC_LINK_HT_STBC_LABEL,
                                 IDC_LINK_HT_MCS_LABEL, IDC_LINK_HT_SNR0_LABEL, IDC_LINK_HT_SNR1_LABEL,
                                 IDC_LINK_HT_BW, IDC_LINK_HT_GI, IDC_LINK_HT_STBC,
                                 IDC_LINK_HT_MCS, IDC_LINK_HT_SNR0, IDC_LINK_HT_SNR1};
// The HT block shown on 802.11n adapters (STBC stays hidden).
constexpr UINT kHtShown[10] = {IDC_LINK_HT_BW_LABEL,   IDC_LINK_HT_BW,   IDC_LINK_HT_GI_LABEL,   IDC_LINK_HT_GI,
                               IDC_LINK_HT_MCS_LABEL,  IDC_LINK_HT_MCS,  IDC_LINK_HT_SNR0_LABEL, IDC_LINK_HT_SNR0,
                               IDC_LINK_HT_SNR1_LABEL, IDC_LINK_HT_SNR1};

constexpr COLORREF kGreen = 0x00FF00;
constexpr COLORREF kYellow = 0x32E6FA;
constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kLightBlue = 0xF0CAA6;
constexpr COLORREF kReceiveBar = 0x00FFFF;
constexpr DWORD kPercentText = CProgress::kShowPercent;
constexpr DWORD kPlainText = CProgress::kShowPercent | CProgress::kShowPosition;
constexpr int kBarFontHeight = 16;
constexpr char kBarFontFace[] = "Trebuchet MS";
constexpr UINT kMarqueePeriodMs = 55;
constexpr int kHistogramLabelWidth = 50;
constexpr DWORD kSnrUnknown = 44;
constexpr int kQuietNoiseDbm = -92;
constexpr int kNoiseRawOffset = 143;

// The SSID bytes of an NDIS_802_11_SSID record.
constexpr ULONG kSsidBytes = 32;
// Bytes over the 2-second period, in Mbps.
constexpr double kBytesPerMbps = 250.0 * 1000.0;


COLORREF LevelColour(int percent) { return percent < 35 ? kRed : percent < 70 ? kYellow : kGreen; }
COLORREF NoiseColour(int percent) { return percent < 35 ? kGreen : percent < 70 ? kYellow : kRed; }

// "%.3f Mbps" from 1 Mbps up, else the value in Kbps.
CString ThroughputText(double mbps) {
  CString text;
  if (mbps >= 1.0)
    text.Format("%.3f Mbps", mbps);
  else
    text.Format("%.3f Kbps", mbps * 1000.0);
  return text;
}

// A 4-byte query into a preset value; FALSE when the driver refused it.
BOOL QueryPresetDword(DWORD oid, DWORD& value) {
  DWORD returned = 0;
  return QueryOid(oid, &value, sizeof value, &returned);
}

}  // namespace

BEGIN_MESSAGE_MAP(CLinkStatusDlg, CDialog)
  ON_WM_SHOWWINDOW()
  ON_WM_TIMER()
  ON_WM_PAINT()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CLinkStatusDlg::CLinkStatusDlg(CWnd* pParent) : CDialog(IDD_LINK_STATUS, pParent) {}

CLinkStatusDlg::~CLinkStatusDlg() = default;

std::array<double, kThroughputSamples> CLinkStatusDlg::s_txHistory{};
std::array<double, kThroughputSamples> CLinkStatusDlg::s_rxHistory{};

CString CLinkStatusDlg::LoadText(UINT id) {
  auto known = m_tableTexts.find(id);
  if (known == m_tableTexts.end()) {
    CString text;
    text.LoadString(id);
    known = m_tableTexts.emplace(id, text).first;
  }
  return GetMLText(known->second);
}

void CLinkStatusDlg::ShowChangedTexts(const std::array<CString, kBoundTextCount>& shown) {
  for (int i = 0; i < kBoundTextCount; ++i)
    if (m_texts[i] != shown[i]) SetDlgItemText(kValueIds[i], m_texts[i]);
}

void CLinkStatusDlg::SetItemText(UINT id, LPCSTR text) { SetWindowTextIfChanged(GetDlgItem(id), text); }

CString CLinkStatusDlg::SsidText(const UCHAR* bytes, ULONG length) {
  const char* text = reinterpret_cast<const char*>(bytes);
  return CString(text, static_cast<int>(strnlen(text, std::min<ULONG>(length, kSsidBytes))));
}

void CLinkStatusDlg::ClearLinkValues(int notHt) {
  for (int i = kStatus + 1; i < kBoundTextCount; ++i) m_texts[i].Empty();
  // Setting a bar repaints it: one already at 0 is left as it is.
  for (CProgressCtrlX& bar : m_bars)
    if (bar.GetPos() != 0) bar.SetPos(0);
  if (notHt != m_bHtNotApplicable || notHt == 0) SetHTStatusText(1, 0);
  PushSample(0.0, s_txHistory, m_dTxMax, m_histTx);
  PushSample(0.0, s_rxHistory, m_dRxMax, m_histRx);
  UpdateData(FALSE);
}

void CLinkStatusDlg::AddCentralChannel(const LinkStatusRecord& record) {
  CString central;
  central.Format(" : %d", static_cast<int>(record.centralChannel));
  m_texts[kChannel] += "; " + LoadText(IDS_CENTRAL_CHANNEL) + central;
}

void CLinkStatusDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  for (int i = 0; i < kBoundTextCount; ++i) DDX_Text(pDX, kValueIds[i], m_texts[i]);
  for (int i = 0; i < kBarCount; ++i) DDX_Control(pDX, kBarIds[i], m_bars[i]);
  DDX_Control(pDX, IDC_LINK_TX_HISTOGRAM, m_histTx);
  DDX_Control(pDX, IDC_LINK_RX_HISTOGRAM, m_histRx);
  DDX_Control(pDX, IDC_LINK_TX_SEPARATOR, m_sepTx);
  DDX_Control(pDX, IDC_LINK_RX_SEPARATOR, m_sepRx);
  DDX_Control(pDX, IDC_LINK_HT_SEPARATOR, m_sepHt);
}

BOOL CLinkStatusDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  for (const auto& [control, stringId] : kLabels) ShowControlText(this, GetDlgItem(control), stringId);

  LOGFONT font{};
  font.lfHeight = kBarFontHeight;
  std::strncpy(font.lfFaceName, kBarFontFace, LF_FACESIZE - 1);
  m_barFont.CreateFontIndirect(&font);
  for (int i = 0; i < kBarCount; ++i) {
    CProgressCtrlX& bar = m_bars[i];
    bar.ShowWindow(SW_SHOW);
    bar.SetEvenColors(3, kGreen, kLightBlue, kGreen);
    bar.StartMarquee(kMarqueePeriodMs, 1);
    bar.SetTextFormat(LoadText(kBarFormats[i]), kPercentText);
    bar.SetTextFont(&m_barFont);
    bar.SetPos(0);
  }

  std::memset(m_mac, 0, sizeof m_mac);
  DWORD returned = 0;
  QueryOid(OID_802_3_CURRENT_ADDRESS, m_mac, sizeof m_mac, &returned);

  InitHistogram(m_histTx, m_dTxMax, kGreen);
  InitHistogram(m_histRx, m_dRxMax, kReceiveBar);
  m_sepHt.ShowWindow(SW_SHOW);
  for (UINT id : kHtStatics)
    if (CWnd* control = GetDlgItem(id)) control->ShowWindow(SW_SHOW);
  s_txHistory.fill(0.0);
  s_rxHistory.fill(0.0);
  return TRUE;
}

void CLinkStatusDlg::InitHistogram(COskelStaticHistogram& histogram, double maximum, COLORREF colour) {
  histogram.ShowWindow(SW_SHOW);
  histogram.SetLabelWidth(kHistogramLabelWidth);
  histogram.SetLabelCount(2);
  histogram.m_strLabels[0] = "Max";
  histogram.m_strLabels[1] = ThroughputText(maximum);
  histogram.m_crBar = colour;
}

BOOL CLinkStatusDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  // Enter and Escape never close the hidden page.
  const UINT id = LOWORD(wParam);
  if (id == IDOK || id == IDCANCEL) return TRUE;
  return CDialog::OnCommand(wParam, lParam);
}

void CLinkStatusDlg::OnShowWindow(BOOL bShow, UINT nStatus) {
  CDialog::OnShowWindow(bShow, nStatus);
  if (!bShow) {
    if (m_nTimer) KillTimer(m_nTimer);
    m_nTimer = 0;
    return;
  }
  m_htTable.Rebuild();
  m_tableTexts.clear();
  for (CString& text : m_texts) text.Empty();
  m_dTxMax = m_dRxMax = 0.0;
  for (COskelStaticHistogram* histogram : {&m_histTx, &m_histRx}) {
    histogram->m_strLabels[1] = "0.000 Mbps";
    histogram->ClearSamples();
  }
  UpdateChainBars();
  ShowHTControls();
  m_nTimer = SetTimer(kLinkStatusTimer, kLinkStatusPeriodMs, nullptr);
}

void CLinkStatusDlg::OnTimer(UINT_PTR nIDEvent) {
  MeasurementPass();
  CDialog::OnTimer(nIDEvent);
}

void CLinkStatusDlg::OnPaint() { PaintPageTopLine(this); }

void CLinkStatusDlg::OnDestroy() {
  CDialog::OnDestroy();
  if (m_nTimer) KillTimer(m_nTimer);
  m_nTimer = 0;
}

void CLinkStatusDlg::MeasurementPass() {
  UpdateData(TRUE);
  std::array<CString, kBoundTextCount> shown;
  std::copy(std::begin(m_texts), std::end(m_texts), shown.begin());
  const BOOL radioOff = UpdateLinkEvent();
  const int notHt = IsPhyNotHt();
  BOOL queryOk = FALSE;
  CString ssid;
  const BOOL connected = ReadConnection(&queryOk, ssid, m_bssid);
  if (!queryOk || radioOff) {
    ShowNotConnected(notHt, queryOk, radioOff);
  } else if (!connected) {
    ShowNotConnected(notHt, 1, 0);
  } else {
    const CString power = FormatTxPower();
    UpdateConnectionText(ssid, m_bssid);
    GetNetworkTexts();
    UpdateAdapterAddresses();
    UpdateRxRate(notHt);
    LinkStatusRecord record;
    const BOOL recordOk = QueryLinkStatusBlock(record);
    UpdateChannelText();
    if (recordOk) {
      UpdateTxRate(record);
      AppendCentralChannel(record);
      UpdateThroughput(m_bFirstSample, record);
      m_bFirstSample = 0;
      UpdateLinkQuality(record);
    }
    int rssi[3] = {};
    DWORD snr[2] = {};
    UpdateSignalBars(rssi);
    UpdateSnrTexts(notHt, snr);
    UpdateNoiseBar(rssi, snr);
    CString extra;
    if (g_bIcvError) {
      extra.Format(" -- %s ", static_cast<LPCSTR>(LoadText(IDS_ICV_ERROR)));
      m_texts[kExtraInfo] += extra;
    }
    extra.Format(" [TxPower:%s]", static_cast<LPCSTR>(power));
    m_texts[kExtraInfo] += extra;
  }
  ShowChangedTexts(shown);
}

BOOL CLinkStatusDlg::UpdateLinkEvent() {
  DWORD code = 0;
  if (!QueryPresetDword(OID_VX_LINK_EVENT, code) || code >= kLinkEventCount) {
    m_texts[kExtraInfo].Empty();
    return FALSE;
  }
  m_texts[kExtraInfo] = LoadText(IDS_LINK_EVENT_FIRST + code);
  return code == kHardwareRadioOffEvent;
}

int CLinkStatusDlg::IsPhyNotHt() {
  DWORD word = 0;
  QueryPresetDword(OID_VX_HT_PHY_WORD, word);
  const DWORD mode = (word >> 14) & 3;
  return mode == 2 || mode == 3 ? 0 : 1;
}

CString CLinkStatusDlg::FormatTxPower() {
  DWORD power = 0;
  CString text;
  if (!QueryPresetDword(OID_VX_TX_POWER, power) && !kPowerTextWhenUnread) return text;
  char buffer[32];
  if (power == 0xFFFFFFFF || power == 100)
    std::snprintf(buffer, sizeof buffer, "100%%");
  else if (power > 6)
    std::snprintf(buffer, sizeof buffer, "%d%%", static_cast<int>(power));
  else
    std::snprintf(buffer, sizeof buffer, "Lowest");
  text = buffer;
  return text;
}

void CLinkStatusDlg::UpdateConnectionText(const CString& ssid, const BYTE bssid[6]) {
  CString bssidText;
  bssidText.Format("%02X-%02X-%02X-%02X-%02X-%02X", bssid[0], bssid[1], bssid[2], bssid[3], bssid[4], bssid[5]);
  BYTE ip[4] = {};
  DWORD returned = 0;
  const BOOL ipOk = QueryOid(OID_VX_IP_ADDRESS, ip, sizeof ip, &returned);
  if (ipOk && (ip[0] | ip[1] | ip[2] | ip[3]) != 0) {
    m_texts[kIpAddress].Format("%d.%d.%d.%d", ip[0], ip[1], ip[2], ip[3]);
    m_texts[kStatus].Format("%s <--> %s [%s]", static_cast<LPCSTR>(ssid), static_cast<LPCSTR>(bssidText),
                            static_cast<LPCSTR>(m_texts[kIpAddress]));
  } else {
    m_texts[kStatus].Format("%s <--> %s", static_cast<LPCSTR>(ssid), static_cast<LPCSTR>(bssidText));
  }
  if (!ssid.IsEmpty()) NotifyUI(BRIDGE_UI_LINK_SSID, ssid, TRUE);
  if (!bssidText.IsEmpty()) NotifyUI(BRIDGE_UI_LINK_BSSID, bssidText, TRUE);
  if (!m_texts[kIpAddress].IsEmpty()) NotifyUI(BRIDGE_UI_LINK_IP_ADDRESS, m_texts[kIpAddress], TRUE);
}

void CLinkStatusDlg::UpdateAdapterAddresses() {
  m_texts[kIpAddress].Empty();
  m_texts[kSubnetMask].Empty();
  m_texts[kGateway].Empty();
  ULONG size = 0;
  DWORD result = GetAdaptersInfo(nullptr, &size);
  if (result != ERROR_BUFFER_OVERFLOW) {
    if (result == ERROR_NO_DATA) std::printf("\n No Interfaces Present.\n");
    return;
  }
  // Whole IP_ADAPTER_INFO records, so the walk never reads past the block.
  std::vector<IP_ADAPTER_INFO> table(size / sizeof(IP_ADAPTER_INFO) + 1);
  size = static_cast<ULONG>(table.size() * sizeof(IP_ADAPTER_INFO));
  if (GetAdaptersInfo(table.data(), &size) != ERROR_SUCCESS) return;
  for (const IP_ADAPTER_INFO* adapter = table.data(); adapter; adapter = adapter->Next) {
    if (adapter->AddressLength != 6 || std::memcmp(adapter->Address, m_mac, 6) != 0) continue;
    m_texts[kIpAddress] = adapter->IpAddressList.IpAddress.String;
    NotifyUI(BRIDGE_UI_LINK_IP_ADDRESS, m_texts[kIpAddress], TRUE);
    m_texts[kSubnetMask] = adapter->IpAddressList.IpMask.String;
    NotifyUI(BRIDGE_UI_LINK_SUBNET_MASK, m_texts[kSubnetMask], TRUE);
    m_texts[kGateway] = adapter->GatewayList.IpAddress.String;
    NotifyUI(BRIDGE_UI_LINK_GATEWAY, m_texts[kGateway], TRUE);
  }
}

double CLinkStatusDlg::DecodeRate(DWORD oid) {
  static constexpr double kCck[12] = {1, 2, 5.5, 11, 0, 0, 0, 0, 1, 2, 5.5, 11};
  static constexpr bool kCckKnown[12] = {true, true, true, true, false, false, false, false, true, true, true, true};
  static constexpr double kOfdm[8] = {6, 9, 12, 18, 24, 36, 48, 54};
  DWORD value = 0;
  QueryPresetDword(oid, value);
  const WORD word = static_cast<WORD>(value & 0xFFFF);
  const int index = word & 0x7F;
  double rate = 0.0;
  switch (word >> 14) {
    case 0:
      if (index < 12 && kCckKnown[index]) rate = kCck[index];
      break;
    case 1:
      if (index < 8) rate = kOfdm[index];
      break;
    default:
      if (!m_htTable.Lookup((word >> 7) & 1, (word >> 8) & 1, index, &rate)) rate = 0.0;
      break;
  }
  if (oid == OID_VX_HT_PHY_WORD && m_bHtNotApplicable == 0) SetHTStatusText(0, word);
  return rate;
}

void CLinkStatusDlg::UpdateTxRate(const LinkStatusRecord& record) {
  const double rate = g_bHtFamily ? DecodeRate(OID_VX_HT_PHY_WORD) : record.txRateUnits * 0.5;
  m_texts[kTxSpeed].Format("%.1f Mbps", rate);
  NotifyUI(BRIDGE_UI_LINK_LINK_SPEED, m_texts[kTxSpeed], TRUE);
}

void CLinkStatusDlg::UpdateRxRate(int notHt) {
  static constexpr double kLegacy[12] = {1, 2, 5.5, 11, 6, 9, 12, 18, 24, 36, 48, 54};
  double rate = 1.0;
  if (g_bHtFamily) {
    if (notHt == 1 && m_bHtNotApplicable != 1) {
      m_bHtNotApplicable = 1;
      SetHTStatusText(1, 0);
    }
    if (notHt != 1) m_bHtNotApplicable = notHt;
    rate = DecodeRate(OID_VX_TX_RATE);
  } else {
    DWORD index = 0;
    if (QueryPresetDword(OID_VX_TX_RATE, index) && index < std::size(kLegacy)) rate = kLegacy[index];
  }
  m_texts[kRxSpeed].Format("%.1f Mbps", rate);
}

BOOL CLinkStatusDlg::QueryLinkStatusBlock(LinkStatusRecord& record) {
  BYTE block[20] = {};
  DWORD returned = 0;
  const BOOL ok = QueryOid(OID_VX_LINK_STATUS_BLOCK, block, g_bHtFamily ? 20 : 16, &returned);
  using wavorel::wire::getU32;
  record.txRateUnits = getU32(block);
  record.rawQuality = getU32(block + 4);
  record.txBytes = getU32(block + 8);
  record.rxBytes = getU32(block + 12);
  record.centralChannel = getU32(block + 16);
  return ok;
}

void CLinkStatusDlg::UpdateThroughput(BOOL first, const LinkStatusRecord& record) {
  if (first) {
    m_prevTxBytes = record.txBytes;
    m_prevRxBytes = record.rxBytes;
    return;
  }
  AddThroughputSample(record.txBytes, m_prevTxBytes, s_txHistory, m_dTxMax, m_histTx, kTxThroughput,
                      BRIDGE_UI_LINK_TX_THROUGHPUT);
  AddThroughputSample(record.rxBytes, m_prevRxBytes, s_rxHistory, m_dRxMax, m_histRx, kRxThroughput,
                      BRIDGE_UI_LINK_RX_THROUGHPUT);
}

void CLinkStatusDlg::AddThroughputSample(DWORD bytes, DWORD& previous, std::array<double, kThroughputSamples>& history,
                                         double& maximum, COskelStaticHistogram& histogram, Text text, UINT code) {
  // An unsigned difference: a counter that wrapped since the last pass still
  // gives the bytes carried.
  const DWORD delta = bytes - previous;
  previous = bytes;
  const double mbps = delta / kBytesPerMbps;
  m_texts[text] = ThroughputText(mbps);
  NotifyUI(code, m_texts[text], TRUE);
  PushSample(mbps, history, maximum, histogram);
}

void CLinkStatusDlg::PushSample(double mbps, std::array<double, kThroughputSamples>& history, double& maximum,
                                COskelStaticHistogram& histogram) {
  std::rotate(history.begin(), history.begin() + 1, history.end());
  history.back() = mbps;
  const double previous = maximum;
  maximum = *std::max_element(history.begin(), history.end());
  // The histogram repaints whole on a new scale: only when it changes.
  if (maximum != previous) histogram.SetFullScale(maximum);
  histogram.m_strLabels[1] = ThroughputText(maximum);
  histogram.AddSample(mbps);
}

void CLinkStatusDlg::UpdateLinkQuality(const LinkStatusRecord& record) {
  DWORD quality = static_cast<DWORD>(std::min(record.rawQuality * 1.2 + 10.0, 100.0));
  if (m_prevQuality != 0) quality = static_cast<DWORD>((quality + m_prevQuality) * 0.5 + 0.5);
  m_prevQuality = quality;
  const int percent = static_cast<int>(quality);
  SetBar(kQualityBar, percent, LevelColour(percent), LoadText(IDS_LINK_QUALITY_FORMAT), kPercentText);
  NotifyUIInt(BRIDGE_UI_LINK_QUALITY, percent, TRUE);
}

void CLinkStatusDlg::SetBar(Bar which, int position, COLORREF colour, LPCSTR text, DWORD mode) {
  CProgressCtrlX& bar = m_bars[which];
  // A bar repaints whole when set: one that shows the same stays as it is.
  const bool same = bar.GetPos() == position && bar.GetColorCount() == 3 && bar.GetColor(0) == colour &&
                    bar.GetFormatString() == text && (bar.GetStyle() & kPlainText) == mode;
  if (same) return;
  bar.SetEvenColors(3, colour, kLightBlue, colour);
  bar.SetTextFormat(text, mode);
  bar.SetPos(position);
}

void CLinkStatusDlg::UpdateSignalBars(int rssi[3]) {
  int percent[3] = {};
  for (int chain = 0; chain < 3; ++chain) {
    DWORD value = 0;
    // A chain the driver does not answer for reads as missing.
    rssi[chain] = QueryPresetDword(kRssiCodes[chain], value) ? static_cast<int>(value) : kNoChainDbm;
    percent[chain] = RssiToPercent(rssi[chain]);
  }
  if (m_prevSignal1 != 0) percent[0] = static_cast<int>((percent[0] + m_prevSignal1) * 0.5 + 0.5);
  m_prevSignal1 = static_cast<DWORD>(percent[0]);
  for (int chain = 0; chain < 3; ++chain) {
    const Bar bar = static_cast<Bar>(kSignal1Bar + chain);
    if (rssi[chain] == kNoChainDbm) {
      SetBar(bar, 0, m_bars[bar].GetColor(0), LoadText(IDS_SIGNAL_NO_CHAIN[chain]), kPlainText);
      if (chain == 0) NotifyUIInt(BRIDGE_UI_SIGNAL_STRENGTH, 0, TRUE);
      continue;
    }
    const int shown = std::min(percent[chain], 100);
    if (g_bShowDbm) {
      CString text;
      text.Format(LoadText(IDS_SIGNAL_DBM_FORMATS[chain]), rssi[chain]);
      SetBar(bar, shown, LevelColour(shown), text, kPlainText);
    } else {
      SetBar(bar, shown, LevelColour(shown), LoadText(IDS_SIGNAL_FORMATS[chain]), kPercentText);
    }
    if (chain == 0) NotifyUIInt(BRIDGE_UI_SIGNAL_STRENGTH, shown, TRUE);
  }
}

void CLinkStatusDlg::UpdateSnrTexts(int notHt, DWORD snr[2]) {
  static constexpr DWORD kSnrCodes[2] = {OID_VX_SNR0, OID_VX_SNR1};
  static constexpr UINT kSnrIds[2] = {IDC_LINK_HT_SNR0, IDC_LINK_HT_SNR1};
  for (int i = 0; i < 2; ++i) {
    snr[i] = 0;
    const BOOL ok = QueryPresetDword(kSnrCodes[i], snr[i]);
    if (!ok || snr[i] == kSnrUnknown) {
      SetItemText(kSnrIds[i], "n/a");
    } else if (notHt == 0) {
      CString text;
      text.Format("%d", static_cast<int>(snr[i]));
      SetItemText(kSnrIds[i], text);
    }
  }
}

void CLinkStatusDlg::UpdateNoiseBar(const int rssi[3], const DWORD snr[2]) {
  DWORD raw = 0;
  QueryPresetDword(OID_VX_NOISE_LEVEL, raw);
  // Wide arithmetic: the driver's words may hold any value.
  long long noise;
  if (g_bHtFamily) {
    const int best = std::max({rssi[0], rssi[1], rssi[2]});
    const DWORD smallest = std::min(snr[0], snr[1]);
    noise = best < -70 ? best - static_cast<long long>(smallest) : kQuietNoiseDbm;
  } else {
    noise = static_cast<long long>(static_cast<int>(raw)) - kNoiseRawOffset;
  }
  const int percent = static_cast<int>(std::clamp(((noise + 100) * 10) / 3, 0LL, 100LL));
  if (g_bShowDbm) {
    CString text;
    text.Format(LoadText(IDS_NOISE_DBM_FORMAT), static_cast<int>(std::clamp(noise, -1000000LL, 1000000LL)));
    SetBar(kNoiseBar, percent, NoiseColour(percent), text, kPlainText);
  } else {
    SetBar(kNoiseBar, percent, NoiseColour(percent), LoadText(IDS_NOISE_FORMAT), kPercentText);
  }
}

void CLinkStatusDlg::SetHTStatusText(int mode, WORD value) {
  if (!g_bHtFamily) return;
  if (mode == 1) {
    for (UINT id : kHtValueIds) SetItemText(id, "n/a");
    return;
  }
  SetItemText(IDC_LINK_HT_BW, (value & 0x80) ? "40" : "20");
  SetItemText(IDC_LINK_HT_GI, (value & 0x100) ? "short" : "long");
  SetItemText(IDC_LINK_HT_STBC, (value & 0x600) ? "used" : "none");
  CString mcs;
  mcs.Format("%d", value & 0x7F);
  SetItemText(IDC_LINK_HT_MCS, mcs);
}

void CLinkStatusDlg::ShowHTControls() {
  const int show = g_bHtFamily ? SW_SHOW : SW_HIDE;
  for (UINT id : kHtShown)
    if (CWnd* control = GetDlgItem(id)) control->ShowWindow(show);
  m_sepHt.ShowWindow(show);
  for (UINT id : {IDC_LINK_HT_STBC_LABEL, IDC_LINK_HT_STBC})
    if (CWnd* control = GetDlgItem(id)) control->ShowWindow(SW_HIDE);
}

void CLinkStatusDlg::UpdateChainBars() {
  DWORD value = 0;
  m_bChain2 = QueryPresetDword(OID_VX_RSSI1, value) ? 1 : 0;
  m_bChain3 = QueryPresetDword(OID_VX_RSSI2, value) ? 1 : 0;
  CRect place;
  if (!m_bChain2) {
    m_bars[kSignal2Bar].ShowWindow(SW_HIDE);
    m_bars[kSignal3Bar].ShowWindow(SW_HIDE);
    GetControlRect(place, this, IDC_LINK_SIGNAL2_BAR);
    m_bars[kNoiseBar].MoveWindow(&place);
  } else if (!m_bChain3) {
    m_bars[kSignal3Bar].ShowWindow(SW_HIDE);
    GetControlRect(place, this, IDC_LINK_SIGNAL3_BAR);
    m_bars[kNoiseBar].MoveWindow(&place);
  }
}
