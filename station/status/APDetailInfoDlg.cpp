#include "station/status/APDetailInfoDlg.h"

#include <algorithm>
#include <cstring>

#include "station/status/Page80211nDlg.h"
#include "station/status/PageCCXDlg.h"
#include "station/status/PageGeneralDlg.h"
#include "station/status/PageWPSStatusDlg.h"
#include "station/status/SiteList.h"
#include "worker/BssInfoElements.h"
#include "worker/HideDlg.h"
#include "worker/ModuleFunctions.h"
#include "worker/PageTopLine.h"
#include "worker/StationHost.h"

namespace {

constexpr int kTabFontHeight = 20;
constexpr char kTabFontFace[] = "Trebuchet MS";
constexpr const char* kTabCaptions[CAPDetailInfoDlg::kTabCount] = {"General", "WPS", "CCX", "802.11n"};
constexpr char kFieldSeparator[] = ";";
constexpr char kHtFlagOn[] = "TRUE";

CString LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return GetMLText(text);
}

// The fields of a ";"-separated text; reading one past the end throws
// CInvalidArgException.
void SplitFields(const CString& text, CStringArray& fields) { SplitString(text, kFieldSeparator, fields); }

// The rate bytes up to the first 0, in 500 kbit/s units; the high bit marks
// a basic rate and is not part of the rate.
CString RatesText(const NDIS_WLAN_BSSID_EX& record) {
  CString text;
  for (BYTE rate : record.SupportedRates) {
    if (rate == 0) break;
    const int halves = rate & 0x7F;
    CString one;
    if (halves % 2)
      one.Format("%.1f, ", halves * 0.5);
    else
      one.Format("%d, ", halves / 2);
    text += one;
  }
  if (!text.IsEmpty()) text = text.Left(text.GetLength() - 2);
  return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CAPDetailInfoDlg, CDialog)
  ON_WM_PAINT()
  ON_WM_SHOWWINDOW()
  ON_BN_CLICKED(IDC_DETAIL_CLOSE, &CAPDetailInfoDlg::OnCloseClicked)
END_MESSAGE_MAP()

CAPDetailInfoDlg::CAPDetailInfoDlg(CWnd* pParent) : CDialog(IDD_AP_DETAIL_INFO, pParent) {}

CAPDetailInfoDlg::~CAPDetailInfoDlg() {
  m_pPageGeneral.reset();
  m_pPageWPS.reset();
  m_pPageCCX.reset();
  m_pPage80211n.reset();
  for (auto& button : m_tabButtons) button.reset();
  m_pTabDialog.reset();
}

void CAPDetailInfoDlg::SetBssRecord(const NDIS_WLAN_BSSID_EX* record) { m_pBssRecord = record; }

CShadeButtonST* CAPDetailInfoDlg::GetTabButton(int tab) const {
  return tab >= 0 && tab < kTabCount ? m_tabButtons[tab].get() : nullptr;
}

void CAPDetailInfoDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_DETAIL_CLOSE, m_btnClose);
}

CRect CAPDetailInfoDlg::PlaceholderRect(int id) {
  CRect rect;
  GetControlRect(rect, this, id);
  return rect;
}

BOOL CAPDetailInfoDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_pTabDialog = std::make_unique<CTabDialog>(IDD_DETAIL_TABS, this);
  if (!m_pTabDialog->Create(IDD_DETAIL_TABS, this)) return FALSE;
  // The tab dialog spans the page area from 2 pixels under its top.
  CRect client;
  GetClientRect(&client);
  const CRect area = PlaceholderRect(IDC_DETAIL_PAGE_AREA);
  m_pTabDialog->SetWindowPos(nullptr, 0, area.top + 2, client.Width(), area.Height() - 2,
                             SWP_NOZORDER | SWP_SHOWWINDOW);
  if (!CreateTabs()) return FALSE;

  // The pages take the tab dialog below the tab buttons.
  CRect pages;
  m_pTabDialog->GetClientRect(&pages);
  const CRect first = PlaceholderRect(kDetailTabPlaceIds[kTabGeneral]);
  pages.top = first.bottom - (area.top + 2);
  m_pTabDialog->ArrangePages(pages, 0, 0, kTabGeneral);

  CRect close;
  m_btnClose.GetWindowRect(&close);
  ScreenToClient(&close);
  m_btnClose.MoveWindow(&close, TRUE);
  m_btnClose.SetWindowText(LoadText(IDS_DETAIL_CLOSE));
  m_btnClose.BuildShadeBitmaps(2, 8, 10, 0, 0, 0, 0);
  return TRUE;
}

BOOL CAPDetailInfoDlg::CreateTabs() {
  m_tabFont.DeleteObject();
  m_tabFont.CreateFont(kTabFontHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, kTabFontFace);
  for (int tab = 0; tab < kTabCount; ++tab) {
    CRect rect = PlaceholderRect(kDetailTabPlaceIds[tab]);
    ::MapWindowPoints(m_hWnd, m_pTabDialog->GetSafeHwnd(), reinterpret_cast<LPPOINT>(&rect), 2);
    auto button = std::make_unique<CShadeButtonST>();
    if (!button->Create(kTabCaptions[tab], WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, m_pTabDialog.get(),
                        static_cast<UINT>(kDetailTabButtonIds[tab])))
      return FALSE;
    button->SetFont(&m_tabFont, TRUE);
    button->BuildShadeBitmaps(4, 8, 40, 5, 0, 0xB4B4B4, 0x00FF00);
    m_tabButtons[tab] = std::move(button);
  }
  m_pPageGeneral = std::make_unique<CPageGeneralDlg>(m_pTabDialog.get());
  if (!m_pPageGeneral->Create(IDD_PAGE_GENERAL, m_pTabDialog.get())) return FALSE;
  m_pTabDialog->AddPage(m_pPageGeneral.get(), m_tabButtons[kTabGeneral].get());
  m_pPageWPS = std::make_unique<CPageWPSStatusDlg>(m_pTabDialog.get());
  if (!m_pPageWPS->Create(IDD_PAGE_WPS_STATUS, m_pTabDialog.get())) return FALSE;
  m_pTabDialog->AddPage(m_pPageWPS.get(), m_tabButtons[kTabWps].get());
  m_pPageCCX = std::make_unique<CPageCCXDlg>(m_pTabDialog.get());
  if (!m_pPageCCX->Create(IDD_PAGE_CCX, m_pTabDialog.get())) return FALSE;
  m_pTabDialog->AddPage(m_pPageCCX.get(), m_tabButtons[kTabCcx].get());
  m_pPage80211n = std::make_unique<CPage80211nDlg>(m_pTabDialog.get());
  if (!m_pPage80211n->Create(IDD_PAGE_80211N, m_pTabDialog.get())) return FALSE;
  m_pTabDialog->AddPage(m_pPage80211n.get(), m_tabButtons[kTab80211n].get());
  return TRUE;
}

void CAPDetailInfoDlg::OnPaint() { PaintPageTopLine(this); }

void CAPDetailInfoDlg::OnShowWindow(BOOL bShow, UINT nStatus) {
  CDialog::OnShowWindow(bShow, nStatus);
  if (!bShow) return;
  if (m_btnClose.GetSafeHwnd()) m_btnClose.SendMessage(BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  if (!m_pBssRecord || !m_pPageGeneral) return;
  const auto* bytes = reinterpret_cast<const BYTE*>(m_pBssRecord);
  const DWORD length = m_pBssRecord->Length;
  FillGeneralPage(ParseBssInfoElements(bytes, length, kBssTextSecurity));
  FillWPSPage(ParseBssInfoElements(bytes, length, kBssTextWps));
  FillCCXPage(ParseBssInfoElements(bytes, length, kBssTextVendor));
  Fill80211nPage(ParseBssInfoElements(bytes, length, kBssTextHt));
}

void CAPDetailInfoDlg::FillGeneralPage(const CString& security) {
  if (!m_pBssRecord || !m_pPageGeneral) return;
  const NDIS_WLAN_BSSID_EX& record = *m_pBssRecord;
  CStringArray fields;
  SplitFields(security, fields);
  // Both fields are read before the page changes.
  const CString authentication = fields.GetAt(0), cipher = fields.GetAt(1);
  CPageGeneralDlg& page = *m_pPageGeneral;
  const auto* bytes = reinterpret_cast<const BYTE*>(&record);
  page.m_strSsid = SiteSsid(bytes);
  if (page.m_strSsid.IsEmpty()) page.m_strSsid = "Hidden";
  page.m_strMacAddress = SiteBssidText(bytes);
  page.m_strAuthType = authentication;
  page.m_strEncryptType = cipher == "None" && record.Privacy != 0 ? CString("WEP") : cipher;
  page.m_strChannel = SiteDetailChannelText(record.Config.DSConfig);
  page.m_strNetworkType = SiteNetworkTypeText(record.InfrastructureMode);
  page.m_strBeaconInterval.Format("%d", static_cast<int>(record.Config.BeaconPeriod));
  page.SetSignal(RssiToPercent(record.Rssi));
  page.m_strSupportedRates = RatesText(record);
  page.UpdateData(FALSE);
}

void CAPDetailInfoDlg::FillWPSPage(const CString& wps) {
  if (!m_pPageWPS || !m_pPageGeneral) return;
  CStringArray fields;
  SplitFields(wps, fields);
  if (fields.GetSize() < kWpsTextFields - 1) AfxThrowInvalidArgException();
  CPageWPSStatusDlg& page = *m_pPageWPS;
  page.m_strAuthentication = m_pPageGeneral->m_strAuthType;
  page.m_strEncryption = m_pPageGeneral->m_strEncryptType;
  CString* values[] = {&page.m_strConfigMethods, &page.m_strPasswordId, &page.m_strSelectedRegistrar,
                       &page.m_strState,         &page.m_strVersion,    &page.m_strSetupLocked,
                       &page.m_strUuid,          &page.m_strRfBands};
  for (int i = 0; i < static_cast<int>(std::size(values)); ++i) *values[i] = fields.GetAt(i);
  if (page.m_strPasswordId == "Unknown") page.m_strPasswordId.Empty();
  page.UpdateData(FALSE);
}

void CAPDetailInfoDlg::FillCCXPage(const CString& vendor) {
  if (!m_pPageCCX) return;
  CStringArray fields;
  SplitFields(vendor, fields);
  const CString cckm = fields.GetAt(0), cmic = fields.GetAt(1), ckip = fields.GetAt(2);
  m_pPageCCX->m_strCckm = cckm;
  m_pPageCCX->m_strCmic = cmic;
  m_pPageCCX->m_strCkip = ckip;
  m_pPageCCX->UpdateData(FALSE);
}

void CAPDetailInfoDlg::Fill80211nPage(const CString& ht) {
  if (!m_pPage80211n) return;
  CStringArray fields;
  SplitFields(ht, fields);
  if (fields.GetSize() < kHtTextFields) AfxThrowInvalidArgException();
  for (int i = 0; i < kHtTextFields; ++i) m_pPage80211n->m_strHt[i] = fields.GetAt(i);
  m_pPage80211n->FillHtRows();
  if (CShadeButtonST* button = m_tabButtons[kTab80211n].get())
    button->ShowWindow(fields.GetAt(kHtTextFields - 1) == kHtFlagOn ? SW_SHOW : SW_HIDE);
}

void CAPDetailInfoDlg::OnCloseClicked() {
  if (g_pHideDlg) g_pHideDlg->ShowPage(kHostDlgLinkStatus);
}
