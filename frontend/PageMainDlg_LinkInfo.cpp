#include "frontend/PageMainDlg_LinkInfo.h"

#include "frontend/SkinFunctions.h"
#include "frontend/StationPageIds.h"
#include "frontend/StationPageTools.h"

namespace {

// Label and value ids in the order of the link codes 5 to 16.
constexpr UINT kLabelIds[CPageMainDlg_LinkInfo::kValueCount] = {
    IDC_LINK_STATUS_LABEL, IDC_LINK_SSID_LABEL, IDC_LINK_BSSID_LABEL, IDC_LINK_AUTH_LABEL,
    IDC_LINK_ENCRYPTION_LABEL, IDC_LINK_NETTYPE_LABEL, IDC_LINK_IP_LABEL, IDC_LINK_MASK_LABEL,
    IDC_LINK_GATEWAY_LABEL, IDC_LINK_SPEED_LABEL, IDC_LINK_RX_LABEL, IDC_LINK_TX_LABEL};
constexpr UINT kValueIds[CPageMainDlg_LinkInfo::kValueCount] = {
    IDC_LINK_STATUS, IDC_LINK_SSID, IDC_LINK_BSSID, IDC_LINK_AUTH, IDC_LINK_ENCRYPTION, IDC_LINK_NETTYPE,
    IDC_LINK_IP, IDC_LINK_MASK, IDC_LINK_GATEWAY, IDC_LINK_SPEED, IDC_LINK_RX, IDC_LINK_TX};

constexpr int kBarInsetX = 10;
constexpr int kBarInsetY = 8;

void SkinBar(CProgressST& bar) {
  bar.SetBitmap(StationSkinPath("SignalForeImage.bmp"), 1);
  bar.SetRange(0, 100);
  bar.ModifyStyleEx(WS_EX_STATICEDGE, 0);
  bar.SetBK_Bitmap(StationSkinPath("SignalBKImage.bmp"));
  bar.DeflateRect(kBarInsetX, kBarInsetY, kBarInsetX, kBarInsetY);
}

void SkinBarCaption(CGxStatic& caption) {
  caption.SetTextColor(0xFFFFFF);
  caption.SetTextFont(9, GetSkinFontName(), 1, 0, 0, 0);
}

}  // namespace

BEGIN_MESSAGE_MAP(CPageMainDlg_LinkInfo, CGxTabPage)
END_MESSAGE_MAP()

CPageMainDlg_LinkInfo::CPageMainDlg_LinkInfo(CWnd* pParent) : CGxTabPage(IDD_PAGE_STATION_LINKINFO, pParent) {
  SetRegionFile(StationSkinPath("TabCtrlPage_LinkInfo.bmp"), kStationPageSkinKey);
}

CPageMainDlg_LinkInfo::~CPageMainDlg_LinkInfo() = default;

void CPageMainDlg_LinkInfo::DoDataExchange(CDataExchange* pDX) {
  CGxTabPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_LINK_TITLE, m_title);
  for (int i = 0; i < kValueCount; ++i) {
    DDX_Control(pDX, kLabelIds[i], m_labels[i]);
    DDX_Control(pDX, kValueIds[i], m_values[i]);
  }
  DDX_Control(pDX, IDC_LINK_SIGNAL_CAPTION, m_captionSignal);
  DDX_Control(pDX, IDC_LINK_QUALITY_CAPTION, m_captionQuality);
}

BOOL CPageMainDlg_LinkInfo::OnInitDialog() {
  CGxTabPage::OnInitDialog();
  m_barSignal.SubclassDlgItem(IDC_LINK_SIGNAL_BAR, this);
  m_barQuality.SubclassDlgItem(IDC_LINK_QUALITY_BAR, this);
  SkinBar(m_barSignal);
  SkinBar(m_barQuality);
  SkinBarCaption(m_captionSignal);
  SkinBarCaption(m_captionQuality);
  for (int i = 0; i < kValueCount; ++i) SkinLabelValuePair(&m_labels[i], &m_values[i], 9, 1, 9, 0);
  SkinPageTitle(&m_title);
  return TRUE;
}

void CPageMainDlg_LinkInfo::ShowDisconnected() {
  if (!m_values[0].GetSafeHwnd()) return;
  SetWindowTextIfChanged(&m_values[0], GetMLText("Disconnected"));
  for (int i = 1; i < kValueCount; ++i) SetWindowTextIfChanged(&m_values[i], "");
  m_barSignal.SetPos(0);
  m_barQuality.SetPos(0);
}

CGxEdit* CPageMainDlg_LinkInfo::GetValue(int index) {
  return index >= 0 && index < kValueCount ? &m_values[index] : nullptr;
}
