#include "softap/LinkStatusPage_AP.h"

#include <algorithm>
#include <vector>

#include "platform/wire/Bytes.h"
#include "platform/wire/VendorRecords.h"
#include "softap/ApDriver.h"
#include "softap/ApModule.h"
#include "softap/ApPoll.h"
#include "softap/ApRecords.h"
#include "softap/ApTables.h"
#include "worker/ChannelTable.h"
#include "worker/DriverCodes.h"

namespace {

// Strings of the page.
constexpr UINT kLabelStrings[] = {7011, 7304, 7005, 7058, 7056, 7054, 7009, 7010, 7007, 7006, 7305, 7055, 7057, 7059};
constexpr UINT kDbmFormatText = 7323;
constexpr UINT kNotReadyText = 7124;
constexpr UINT kDisconnectedText = 7068;
constexpr UINT kRadioOffText = 7069;
constexpr UINT kCentralChannelText = 7296;
constexpr UINT kGoodText = 7049;
constexpr UINT kNormalText = 7050;
constexpr UINT kWeakText = 7051;
// The noise words. "Strong" has an id of its own: the station's link page
// holds 7297.
constexpr UINT kStrongText = 7330;
constexpr UINT kNoiseNormalText = 7298;
constexpr UINT kLowText = 7299;
// Link events 0..10: 7284, then 7286 on (7285 is the page's caption).
constexpr UINT kLinkUpText = 7284;
constexpr UINT kLinkDownText = 7286;
constexpr DWORD kLastLinkEvent = 10;
constexpr DWORD kLinkDownEvent = 1;

constexpr int kNoChain = -200;
constexpr int kNoSnr = 44;
constexpr DWORD kBlockSize = 20;
constexpr DWORD kBlockSizePlain = 16;
constexpr DWORD kFullPower = 0xFFFFFFFFu;
constexpr DWORD kLowestPower = 7;
constexpr int kJapanFirst = 208;
// Rates of the receive-rate index without 802.11n, in Mbit/s.
constexpr double kRxRates[] = {1, 2, 5.5, 11, 6, 9, 12, 18, 24, 36, 48, 54};

CString loaded(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

// A 32-bit value read whatever the query's result (0 when nothing came).
DWORD readWord(DWORD oid) {
  DWORD value = 0;
  DWORD returned = 0;
  QueryDriverOid_AP(oid, &value, sizeof value, &returned);
  return value;
}

// A signed value whose failed query reads as `fallback`.
int readSigned(DWORD oid, int fallback) {
  DWORD value = 0;
  return QueryDriverDword_AP(oid, value) ? static_cast<int>(value) : fallback;
}

CString qualityWord(int percent) { return loaded(percent > 70 ? kGoodText : percent > 40 ? kNormalText : kWeakText); }

}  // namespace

IMPLEMENT_DYNCREATE(CLinkStatusPage_AP, CPropertyPage)

BEGIN_MESSAGE_MAP(CLinkStatusPage_AP, CPropertyPage)
  ON_WM_TIMER()
  ON_WM_DESTROY()
  ON_BN_CLICKED(1711, &CLinkStatusPage_AP::OnLinkButton)
  ON_BN_CLICKED(1713, &CLinkStatusPage_AP::OnLinkButton)
END_MESSAGE_MAP()

CLinkStatusPage_AP::CLinkStatusPage_AP() : CPropertyPage(IDD, kCaption) {
  m_strTexts[kSnr0] = "SNR0:";
  m_strTexts[kSnr1] = "SNR1:";
}

void CLinkStatusPage_AP::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  for (int i = 0; i < kTextCount; ++i) DDX_Text(pDX, static_cast<int>(kTextIds[i]), m_strTexts[i]);
  DDX_Control(pDX, kChainBarIds[2], m_signal3);
  DDX_Control(pDX, kChainBarIds[1], m_signal2);
  DDX_Control(pDX, kChainBarIds[0], m_signal1);
  DDX_Control(pDX, kQualityBarId, m_quality);
  DDX_Control(pDX, kNoiseBarId, m_noise);
  DDX_Check(pDX, kDbmCheckId, m_bDbm);
}

BOOL CLinkStatusPage_AP::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  m_rateTable.Build();
  for (int i = 0; i <= kNoiseLabel; ++i) m_strTexts[i] = loaded(kLabelStrings[i]);
  SetDlgItemText(kDbmCheckId, loaded(kDbmFormatText));
  UpdateData(FALSE);
  ShowHTControls();
  return TRUE;
}

int CLinkStatusPage_AP::GetBar(UINT id) const {
  const CWnd* bar = GetDlgItem(id);
  return bar ? static_cast<int>(bar->SendMessage(PBM_GETPOS)) : -1;
}

void CLinkStatusPage_AP::ShowHTControls() {
  for (UINT id : {kBwId, kGiId, kMcsId, kSnrIds[0], kSnrIds[1], kHtGroupId})
    if (CWnd* control = GetDlgItem(id)) control->ShowWindow(g_bApHtFamily ? SW_SHOW : SW_HIDE);
  if (CWnd* stbc = GetDlgItem(kStbcId)) stbc->ShowWindow(SW_HIDE);
}

void CLinkStatusPage_AP::SetHTStatusText(int mode, const WORD* setting) {
  if (!g_bApHtFamily) return;
  if (mode == 1) {
    const char* labels[] = {"BW: ", "GI: ", "MCS: ", "SNR0: ", "SNR1: "};
    const UINT ids[] = {kBwId, kGiId, kMcsId, kSnrIds[0], kSnrIds[1]};
    for (size_t i = 0; i < std::size(ids); ++i) SetDlgItemText(ids[i], labels[i]);
    if (WAVOREL_BUILD_XP) SetDlgItemText(kStbcId, "STBC: ");
    return;
  }
  SetDlgItemText(kBwId, Bandwidth40Of(*setting) ? "BW: 40" : "BW: 20");
  SetDlgItemText(kGiId, ShortGiOf(*setting) ? "GI: short" : "GI: long");
  CString mcs;
  mcs.Format("MCS: %d", McsOf(*setting));
  SetDlgItemText(kMcsId, mcs);
  if (WAVOREL_BUILD_XP) SetDlgItemText(kStbcId, (*setting & kStbcBits) ? "STBC: used" : "STBC: none");
}

void CLinkStatusPage_AP::ClearHTStatusText() {
  const WORD setting = static_cast<WORD>(readWord(OID_VX_HT_PHY_WORD));
  if (PhyModeOf(setting) >= kApPhyHt) return;
  const char* labels[] = {"BW: n/a", "GI: n/a", "MCS: n/a", "SNR0: n/a", "SNR1: n/a"};
  const UINT ids[] = {kBwId, kGiId, kMcsId, kSnrIds[0], kSnrIds[1]};
  for (size_t i = 0; i < std::size(ids); ++i) SetDlgItemText(ids[i], labels[i]);
  if (WAVOREL_BUILD_XP) SetDlgItemText(kStbcId, "STBC: n/a");
}

void CLinkStatusPage_AP::GetTxRate(DWORD oid, double* rate) {
  const WORD setting = static_cast<WORD>(readWord(oid));
  *rate = TransmitSettingRate(setting, m_rateTable);
  if (oid == OID_VX_HT_PHY_WORD) SetHTStatusText(0, &setting);
}

BOOL CLinkStatusPage_AP::OnSetActive() {
  DWORD block[kBlockSize / 4] = {};
  DWORD returned = 0;
  QueryDriverOid_AP(OID_VX_LINK_STATUS_BLOCK, block, g_bApHtFamily ? kBlockSize : kBlockSizePlain, &returned);
  m_dwPrevTx = block[2];
  m_dwPrevRx = block[3];
  // A chain is there when its RSSI reads and is not the absent mark.
  m_bChain1 = readSigned(OID_VX_RSSI1, kNoChain) != kNoChain;
  m_bChain2 = readSigned(OID_VX_RSSI2, kNoChain) != kNoChain;
  struct Move {
    UINT noise;
    UINT chain1;
    UINT chain2;
  };
  const Move moves[] = {{1697, 1715, 1717}, {1709, 1720, 1737}, {1699, 1718, 1735}, {kNoiseBarId, 1669, 1672}};
  auto hide = [this](UINT id) {
    if (CWnd* control = GetDlgItem(id)) control->ShowWindow(SW_HIDE);
  };
  if (!m_bChain1 || !m_bChain2) {
    for (const Move& m : moves) {
      hide(m.chain2);
      if (!m_bChain1) hide(m.chain1);
      CWnd* target = GetDlgItem(m_bChain1 ? m.chain2 : m.chain1);
      CWnd* noise = GetDlgItem(m.noise);
      if (!target || !noise) continue;
      CRect place;
      target->GetWindowRect(&place);
      ScreenToClient(&place);
      noise->MoveWindow(place.left, place.top, place.Width(), place.Height());
      noise->ShowWindow(SW_SHOW);
      noise->Invalidate();
    }
  }
  m_nTimer = SetTimer(kRefreshTimer, kRefreshMs, nullptr);
  return CPropertyPage::OnSetActive();
}

BOOL CLinkStatusPage_AP::OnKillActive() {
  KillTimer(m_nTimer);
  return CPropertyPage::OnKillActive();
}

void CLinkStatusPage_AP::OnDestroy() {
  CPropertyPage::OnDestroy();
  KillTimer(m_nTimer);
}

void CLinkStatusPage_AP::OnLinkButton() {}

void CLinkStatusPage_AP::ClearRow(Text word, Text value, UINT bar) {
  m_strTexts[word].Empty();
  m_strTexts[value].Empty();
  if (CWnd* control = GetDlgItem(bar)) control->SendMessage(PBM_SETPOS, 0);
}

void CLinkStatusPage_AP::OnTimer(UINT_PTR nIDEvent) {
  UpdateData(TRUE);
  BOOL connected = FALSE;
  BYTE bssid[6] = {};
  if (!QueryLink(&connected, bssid)) {
    m_strTexts[kStatus] = loaded(kNotReadyText);
    for (Text t : {kChannel, kTxRate, kRxRate, kTxThroughput, kRxThroughput}) m_strTexts[t].Empty();
    m_strTexts[kQualityValue].Empty();
    m_quality.SetPos(0);
    ClearRow(kChain0Word, kChain0Value, kChainBarIds[0]);
    ClearRow(kChain1Word, kChain1Value, kChainBarIds[1]);
    ClearRow(kChain2Word, kChain2Value, kChainBarIds[2]);
    UpdateData(FALSE);
  } else {
    if (connected && std::any_of(std::begin(bssid), std::end(bssid), [](BYTE b) { return b != 0; }))
      ShowLink(bssid);
    else
      ShowNoLink();
  }
  CPropertyPage::OnTimer(nIDEvent);
}

void CLinkStatusPage_AP::ShowNoLink() {
  std::vector<BYTE> config(wavorel::wire::vendor::stationconfig::kSize, 0);
  DWORD returned = 0;
  QueryDriverOid_AP(OID_VX_PRIVATE_0111, config.data(), static_cast<DWORD>(config.size()), &returned);
  const DWORD radio = wavorel::wire::getU32(config.data() + wavorel::wire::vendor::stationconfig::kRadio);
  m_strTexts[kStatus] = loaded(radio == 0 ? kRadioOffText : kDisconnectedText);
  for (Text t : {kChannel, kTxRate, kRxRate, kTxThroughput, kRxThroughput}) m_strTexts[t].Empty();
  ClearRow(kQualityWord, kQualityValue, kQualityBarId);
  for (int chain = 0; chain < 3; ++chain)
    ClearRow(static_cast<Text>(kChain0Word + 2 * chain), static_cast<Text>(kChain0Value + 2 * chain),
             kChainBarIds[chain]);
  ClearRow(kNoiseWord, kNoiseValue, kNoiseBarId);
  m_strTexts[kExtra] = loaded(kLinkDownText);
  SetHTStatusText(1, nullptr);
  m_strTexts[kSnr0] = "SNR0:";
  m_strTexts[kSnr1] = "SNR1:";
  UpdateData(FALSE);
  m_dwPrevTx = m_dwPrevRx = 0;
}

void CLinkStatusPage_AP::ShowLink(const BYTE bssid[6]) {
  const CString ssidText = QueryLinkSsid();

  // Channel and frequency; a frequency the table does not know shows none.
  BYTE config[aprecord::config::kSize] = {};
  DWORD returned = 0;
  QueryDriverOid_AP(OID_AP_CONFIGURATION, config, sizeof config, &returned);
  const DWORD frequency = wavorel::wire::getU32(config + aprecord::config::kDsConfig);
  m_strTexts[kChannel].Empty();
  if (const CHANNEL_FREQUENCY* row = FindChannelByFrequency(frequency)) {
    if (row->Channel >= static_cast<UINT>(kJapanFirst))
      m_strTexts[kChannel].Format("J%u <--> %d MHz", row->Channel - 200, static_cast<int>(frequency / 1000));
    else
      m_strTexts[kChannel].Format("%u <--> %d MHz", row->Channel, static_cast<int>(frequency / 1000));
  }

  const DWORD power = readWord(OID_VX_TX_POWER);
  CString powerText;
  if (power == kFullPower || power == 100)
    powerText = "100%";
  else if (power < kLowestPower)
    powerText = "Lowest";
  else
    powerText.Format("%d%%", static_cast<int>(power));

  BYTE ip[4] = {};
  const BOOL ipRead = QueryDriverOid_AP(OID_VX_IP_ADDRESS_AP, ip, sizeof ip, &returned);
  m_strTexts[kStatus].Format("%s <--> %s", static_cast<LPCSTR>(ssidText), static_cast<LPCSTR>(FormatMacText(bssid)));
  if (ipRead && (ip[0] | ip[1] | ip[2] | ip[3]) != 0) {
    CString address;
    address.Format(" [%d.%d.%d.%d]", ip[0], ip[1], ip[2], ip[3]);
    m_strTexts[kStatus] += address;
  }

  DWORD event = 0;
  if (QueryDriverDword_AP(OID_VX_LINK_EVENT, event) && event <= kLastLinkEvent)
    m_strTexts[kExtra] = loaded(event == 0 ? kLinkUpText : kLinkDownText + event - kLinkDownEvent);
  else
    m_strTexts[kExtra].Empty();

  double rxRate = 1.0;
  if (g_bApHtFamily) {
    GetTxRate(OID_VX_TX_RATE, &rxRate);
  } else {
    DWORD index = 0;
    if (QueryDriverDword_AP(OID_VX_TX_RATE, index) && index < std::size(kRxRates)) rxRate = kRxRates[index];
  }
  m_strTexts[kRxRate].Format("%.1f", rxRate);

  DWORD block[kBlockSize / 4] = {};
  const BOOL blockRead =
      QueryDriverOid_AP(OID_VX_LINK_STATUS_BLOCK, block, g_bApHtFamily ? kBlockSize : kBlockSizePlain, &returned);
  double txRate = 1.0;
  if (g_bApHtFamily) {
    GetTxRate(OID_VX_HT_PHY_WORD, &txRate);
    if (!m_strTexts[kChannel].IsEmpty()) {
      CString central;
      central.Format("; %s : %d", static_cast<LPCSTR>(loaded(kCentralChannelText)), static_cast<int>(block[4]));
      m_strTexts[kChannel] += central;
    }
  } else {
    txRate = block[0] * 0.5;
  }
  m_strTexts[kTxRate].Format("%.1f", txRate);

  if (blockRead) {
    m_strTexts[kTxThroughput].Format("%.1f", static_cast<DWORD>(block[2] - m_dwPrevTx) / 250.0);
    m_strTexts[kRxThroughput].Format("%.1f", static_cast<DWORD>(block[3] - m_dwPrevRx) / 250.0);
    m_dwPrevTx = block[2];
    m_dwPrevRx = block[3];
  } else {
    m_strTexts[kTxThroughput].Format("%.1f", block[2] / 250.0);
    m_strTexts[kRxThroughput].Format("%.1f", block[3] / 250.0);
    m_dwPrevTx = m_dwPrevRx = 0;
  }

  DWORD quality = std::min<DWORD>(static_cast<DWORD>(block[1] * 1.2 + 10.0), 100);
  if (m_dwPrevQuality != 0) quality = static_cast<DWORD>((quality + m_dwPrevQuality) * 0.5 + 0.5);
  m_dwPrevQuality = quality;
  m_strTexts[kQualityWord] = qualityWord(static_cast<int>(quality));
  m_strTexts[kQualityValue].Format("%d%%", static_cast<int>(quality));
  m_quality.SetPos(static_cast<int>(quality));

  const int rssi[3] = {readSigned(OID_AP_RSSI, kNoChain), readSigned(OID_VX_RSSI1, kNoChain),
                       readSigned(OID_VX_RSSI2, kNoChain)};
  CProgressCtrl* bars[3] = {&m_signal1, &m_signal2, &m_signal3};
  for (int chain = 2; chain >= 0; --chain) {
    const Text word = static_cast<Text>(kChain0Word + 2 * chain);
    const Text value = static_cast<Text>(kChain0Value + 2 * chain);
    int percent = 0;
    if (rssi[chain] == kNoChain) {
      m_strTexts[word].Empty();
      m_strTexts[value].Empty();
    } else {
      percent = std::min(RssiToPercent_AP(rssi[chain]), 100);
      m_strTexts[word] = qualityWord(percent);
      if (m_bDbm)
        m_strTexts[value].Format("%d dBm", rssi[chain]);
      else
        m_strTexts[value].Format("%d%%", percent);
    }
    bars[chain]->SetPos(percent);
  }

  const int snr[2] = {readSigned(OID_VX_SNR0, kNoSnr), readSigned(OID_VX_SNR1, kNoSnr)};
  for (int chain = 0; chain < 2; ++chain) {
    CString& text = m_strTexts[chain == 0 ? kSnr0 : kSnr1];
    if (snr[chain] == kNoSnr)
      text.Format("SNR%d: n/a", chain);
    else
      text.Format("SNR%d: %d", chain, snr[chain]);
  }

  const DWORD rawNoise = readWord(OID_VX_NOISE_LEVEL);
  int noise = static_cast<int>(rawNoise) - 143;
  if (g_bApHtFamily) {
    const int strongest = std::max({rssi[0], rssi[1], rssi[2]});
    noise = strongest < -70 ? strongest - std::min(snr[0], snr[1]) : -92;
  }
  const int noisePercent = std::clamp((noise + 100) * 10 / 3, 0, 100);
  m_strTexts[kNoiseWord] = loaded(noisePercent >= 91 ? kStrongText : noisePercent > 50 ? kNoiseNormalText : kLowText);
  m_noise.SetPos(noisePercent);
  if (m_bDbm)
    m_strTexts[kNoiseValue].Format("%d dBm", noise);
  else
    m_strTexts[kNoiseValue].Format("%d%%", noisePercent);

  CString powerNote;
  powerNote.Format(" [TxPower:%s]", static_cast<LPCSTR>(powerText));
  m_strTexts[kExtra] += powerNote;
  UpdateData(FALSE);
  ClearHTStatusText();
}
