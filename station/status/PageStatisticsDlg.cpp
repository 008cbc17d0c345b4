#include "station/status/PageStatisticsDlg.h"

#include <cstring>

#include "frontend/UiBridge.h"
#include "station/status/LinkStatusDlg.h"
#include "worker/DriverCodes.h"
#include "worker/HideDlg.h"
#include "worker/ModuleFunctions.h"
#include "worker/OidRequest.h"
#include "worker/PageTopLine.h"
#include "worker/StationHost.h"

namespace {

constexpr int kTabFontHeight = 16;
constexpr char kTabFontFace[] = "Trebuchet MS";
constexpr int kResetTries = 3;

CString LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return GetMLText(text);
}

}  // namespace

BEGIN_MESSAGE_MAP(CPageStatisticsDlg, CDialog)
  ON_WM_SHOWWINDOW()
  ON_WM_TIMER()
  ON_WM_PAINT()
  ON_WM_DESTROY()
  ON_BN_CLICKED(IDC_STAT_RESET, &CPageStatisticsDlg::OnResetCounter)
END_MESSAGE_MAP()

CPageStatisticsDlg::CPageStatisticsDlg(CWnd* pParent)
    : CDialog(IDD_PAGE_STATISTICS, pParent), m_pageTx(nullptr), m_pageRx(nullptr) {}

CPageStatisticsDlg::~CPageStatisticsDlg() = default;

std::unique_ptr<CShadeButtonST> CPageStatisticsDlg::MakeTabButton(UINT textId, UINT id, const CRect& rect) {
  auto button = std::make_unique<CShadeButtonST>();
  if (!button->Create(LoadText(textId), WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, m_pTabDialog.get(), id))
    return nullptr;
  button->SetFont(&m_tabFont, TRUE);
  button->BuildShadeBitmaps(4, 8, 40, 5, 0, 0xB4B4B4, 0x00FF00);
  button->SetContentLayout(1, TRUE);
  return button;
}

BOOL CPageStatisticsDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_pTabDialog = std::make_unique<CTabDialog>(IDD_STAT_TABS, this);
  if (!m_pTabDialog->Create(IDD_STAT_TABS, this)) {
    m_pTabDialog.reset();
    return TRUE;
  }
  m_tabFont.CreateFont(kTabFontHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, kTabFontFace);
  // The tab buttons sit in the template's two placeholders, the pages below them.
  CRect area, transmit, receive;
  GetControlRect(area, this, IDC_STAT_TAB_AREA);
  GetControlRect(transmit, this, IDC_STAT_TAB_TRANSMIT);
  GetControlRect(receive, this, IDC_STAT_TAB_RECEIVE);
  for (UINT id : {IDC_STAT_TAB_AREA, IDC_STAT_TAB_TRANSMIT, IDC_STAT_TAB_RECEIVE})
    if (CWnd* placeholder = GetDlgItem(id)) placeholder->ShowWindow(SW_HIDE);
  m_pTabDialog->SetWindowPos(nullptr, area.left, transmit.top, area.Width(), area.bottom - transmit.top,
                             SWP_NOZORDER | SWP_SHOWWINDOW);
  const auto inContainer = [&](CRect rect) {
    rect.OffsetRect(-area.left, -transmit.top);
    return rect;
  };
  m_tabButtons[0] = MakeTabButton(IDS_STAT_TAB_TRANSMIT, IDC_STAT_TAB_TRANSMIT, inContainer(transmit));
  m_tabButtons[1] = MakeTabButton(IDS_STAT_TAB_RECEIVE, IDC_STAT_TAB_RECEIVE, inContainer(receive));
  if (m_pageTx.Create(IDD_STATISTICS_TX, m_pTabDialog.get()))
    m_pTabDialog->AddPage(&m_pageTx, m_tabButtons[0].get());
  if (m_pageRx.Create(IDD_STATISTICS_RX, m_pTabDialog.get()))
    m_pTabDialog->AddPage(&m_pageRx, m_tabButtons[1].get());
  CRect pages(0, transmit.Height(), area.Width(), area.bottom - transmit.top);
  m_pTabDialog->ArrangePages(pages, 0, 0, 0);

  CWnd* reset = GetDlgItem(IDC_STAT_RESET);
  if (reset) {
    m_btnReset.SubclassWindow(reset->GetSafeHwnd());
    m_btnReset.SetWindowText(LoadText(IDS_STAT_RESET));
    m_btnReset.BuildShadeBitmaps(2, 8, 10, 0, 0, 0, 0);
  }
  return TRUE;
}

BOOL CPageStatisticsDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  // Enter and Escape never close the hidden page.
  const UINT id = LOWORD(wParam);
  if (id == IDOK || id == IDCANCEL) return TRUE;
  return CDialog::OnCommand(wParam, lParam);
}

void CPageStatisticsDlg::OnShowWindow(BOOL bShow, UINT nStatus) {
  CDialog::OnShowWindow(bShow, nStatus);
  if (bShow) {
    m_nTimer = SetTimer(kStatisticsTimer, kStatisticsPeriodMs, nullptr);
  } else {
    if (m_nTimer) KillTimer(m_nTimer);
    m_nTimer = 0;
  }
}

void CPageStatisticsDlg::SetPolling(BOOL on) {
  if (!on) {
    if (m_nTimer) KillTimer(m_nTimer);
    m_nTimer = 0;
    return;
  }
  OnTimer(kStatisticsTimer);
  m_nTimer = SetTimer(kStatisticsTimer, kStatisticsPeriodMs, nullptr);
}

void CPageStatisticsDlg::OnTimer(UINT_PTR nIDEvent) {
  PollCounters();
  CDialog::OnTimer(nIDEvent);
}

void CPageStatisticsDlg::OnResetCounter() {
  for (CString& value : m_pageTx.m_values) value = "0";
  for (CString& value : m_pageRx.m_values) value = "0";
  if (m_pageTx.GetSafeHwnd()) m_pageTx.UpdateData(FALSE);
  if (m_pageRx.GetSafeHwnd()) m_pageRx.UpdateData(FALSE);
  DWORD written = 0;
  SetOid(OID_VX_RESET_COUNTERS_SET, nullptr, 0, &written, kResetTries);
  // The link page's next throughput sample counts from zero.
  CStationHost* host = g_pHideDlg ? g_pHideDlg->GetHost() : nullptr;
  if (auto* link = host ? dynamic_cast<CLinkStatusDlg*>(host->GetSecondaryDialog(kHostDlgLinkStatus)) : nullptr)
    link->ResetByteCounts();
}

void CPageStatisticsDlg::OnPaint() { PaintPageTopLine(this); }

void CPageStatisticsDlg::OnDestroy() {
  CDialog::OnDestroy();
  if (m_nTimer) KillTimer(m_nTimer);
  m_nTimer = 0;
}
