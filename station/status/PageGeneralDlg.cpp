#include "station/status/PageGeneralDlg.h"

#include <cstring>

#include "worker/ModuleFunctions.h"
#include "worker/PageTopLine.h"

namespace {

constexpr int kBarFontHeight = 16;
constexpr char kBarFontFace[] = "Trebuchet MS";
// The bar's text format keeps at most this many characters.
constexpr int kSignalFormatLimit = 256;
constexpr int kBarBorder = 3;

// Label control, string id: the labels the profile pages share keep their
// strings; the others are the string of their control's id.
struct Label {
  int id;
  UINT text;
};
constexpr Label kLabels[] = {
    {IDC_GENERAL_SSID_LABEL, 43},
    {IDC_GENERAL_MAC_LABEL, IDC_GENERAL_MAC_LABEL},
    {IDC_GENERAL_AUTH_LABEL, IDC_GENERAL_AUTH_LABEL},
    {IDC_GENERAL_ENCRYPT_LABEL, IDC_GENERAL_ENCRYPT_LABEL},
    {IDC_GENERAL_CHANNEL_LABEL, 44},
    {IDC_GENERAL_NETWORK_TYPE_LABEL, 47},
    {IDC_GENERAL_BEACON_LABEL, IDC_GENERAL_BEACON_LABEL},
    {IDC_GENERAL_RATES_LABEL, IDC_GENERAL_RATES_LABEL},
};

}  // namespace

BEGIN_MESSAGE_MAP(CPageGeneralDlg, CDialog)
  ON_WM_PAINT()
END_MESSAGE_MAP()

CPageGeneralDlg::CPageGeneralDlg(CWnd* pParent) : CDialog(IDD_PAGE_GENERAL, pParent) {}

CPageGeneralDlg::~CPageGeneralDlg() = default;

void CPageGeneralDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_GENERAL_SSID, m_strSsid);
  DDX_Text(pDX, IDC_GENERAL_MAC, m_strMacAddress);
  DDX_Text(pDX, IDC_GENERAL_AUTH, m_strAuthType);
  DDX_Text(pDX, IDC_GENERAL_ENCRYPT, m_strEncryptType);
  DDX_Text(pDX, IDC_GENERAL_CHANNEL, m_strChannel);
  DDX_Text(pDX, IDC_GENERAL_NETWORK_TYPE, m_strNetworkType);
  DDX_Text(pDX, IDC_GENERAL_RATES, m_strSupportedRates);
  DDX_Text(pDX, IDC_GENERAL_BEACON, m_strBeaconInterval);
  DDX_Control(pDX, IDC_GENERAL_SSID_LABEL, m_lblSsid);
  DDX_Control(pDX, IDC_GENERAL_MAC_LABEL, m_lblMacAddress);
  DDX_Control(pDX, IDC_GENERAL_AUTH_LABEL, m_lblAuthType);
  DDX_Control(pDX, IDC_GENERAL_ENCRYPT_LABEL, m_lblEncryptType);
  DDX_Control(pDX, IDC_GENERAL_CHANNEL_LABEL, m_lblChannel);
  DDX_Control(pDX, IDC_GENERAL_NETWORK_TYPE_LABEL, m_lblNetworkType);
  DDX_Control(pDX, IDC_GENERAL_BEACON_LABEL, m_lblBeaconInterval);
  DDX_Control(pDX, IDC_GENERAL_RATES_LABEL, m_lblSupportedRates);
  DDX_Control(pDX, IDC_GENERAL_SIGNAL, m_ctrlSignal);
}

BOOL CPageGeneralDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  for (const Label& label : kLabels) ShowControlText(this, GetDlgItem(label.id), label.text);

  m_ctrlSignal.SetBorders(CRect(kBarBorder, kBarBorder, kBarBorder, kBarBorder));
  m_ctrlSignal.SendMessage(PBM_SETBARCOLOR, 0, kSignalGoodColor);
  m_ctrlSignal.SendMessage(PBM_SETBKCOLOR, 0, kSignalBackColor);
  LOGFONT font{};
  font.lfHeight = kBarFontHeight;
  std::strncpy(font.lfFaceName, kBarFontFace, LF_FACESIZE - 1);
  m_barFont.CreateFontIndirect(&font);
  m_ctrlSignal.SetTextFont(&m_barFont);
  CString format;
  format.LoadString(IDS_GENERAL_SIGNAL_FORMAT);
  m_strSignalText = GetMLText(format).Left(kSignalFormatLimit);
  m_ctrlSignal.SetTextFormat(m_strSignalText, CProgress::kShowPercent);
  m_ctrlSignal.SetPos(0);
  return TRUE;
}

void CPageGeneralDlg::SetSignal(int percent) {
  if (!m_ctrlSignal.GetSafeHwnd()) return;
  if (percent <= 100) {
    const COLORREF bar = percent < 35 ? kSignalWeakColor : percent < 70 ? kSignalNormalColor : kSignalGoodColor;
    m_ctrlSignal.SendMessage(PBM_SETBARCOLOR, 0, bar);
    m_ctrlSignal.SendMessage(PBM_SETBKCOLOR, 0, kSignalBackColor);
  }
  m_ctrlSignal.SetPos(percent);
}

void CPageGeneralDlg::OnPaint() { PaintPageTopLine(this); }
