#include "softap/EventLogPage_AP.h"

#include <algorithm>

#include "softap/ApPoll.h"

namespace {

constexpr UINT kTimeColumn = 7170;     // "Event Time (yy/mm/dd- hh:mm:ss)"
constexpr UINT kMessageColumn = 7171;  // "Message"
constexpr UINT kClearText = 7169;      // "Clear"
// The texts of event codes 0..5.
constexpr UINT kFirstEventText = 7175;
constexpr USHORT kLastTextCode = 5;

CString LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

}  // namespace

IMPLEMENT_DYNCREATE(CEventLogPage_AP, CPropertyPage)

BEGIN_MESSAGE_MAP(CEventLogPage_AP, CPropertyPage)
  ON_WM_TIMER()
  ON_BN_CLICKED(CEventLogPage_AP::kClearId, &CEventLogPage_AP::OnClear)
END_MESSAGE_MAP()

CEventLogPage_AP::CEventLogPage_AP() : CPropertyPage(IDD, kCaption) {}

void CEventLogPage_AP::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_Control(pDX, kListId, m_list);
}

BOOL CEventLogPage_AP::OnSetActive() {
  SetTimer(kRefreshTimer, kRefreshMs, nullptr);
  return CPropertyPage::OnSetActive();
}

BOOL CEventLogPage_AP::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  CRect area;
  m_list.GetClientRect(&area);
  const int tenth = area.Width() / 10;
  m_list.InsertColumn(0, LoadText(kTimeColumn), LVCFMT_LEFT, static_cast<int>(tenth * 4.0));
  m_list.InsertColumn(1, LoadText(kMessageColumn), LVCFMT_LEFT, static_cast<int>(tenth * 5.9));
  m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_INFOTIP);
  SetDlgItemText(kClearId, LoadText(kClearText));
  return TRUE;
}

void CEventLogPage_AP::OnTimer(UINT_PTR nIDEvent) {
  Refresh();
  CPropertyPage::OnTimer(nIDEvent);
}

CString CEventLogPage_AP::FormatEventTime(const FILETIME& time) {
  FILETIME local{};
  SYSTEMTIME st{};
  CString text;
  // A time that is no time in UTC (the top bit set) shows none, whatever
  // the shift to local time would make of it.
  if (FileTimeToSystemTime(&time, &st) && FileTimeToLocalFileTime(&time, &local) && FileTimeToSystemTime(&local, &st))
    text.Format("%04d / %02d / %02d - %02d : %02d : %02d", st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute,
                st.wSecond);
  return text;
}

CString CEventLogPage_AP::FormatEventMessage(const _VX_802_11_EVENT_LOG& entry) {
  CString text;
  if (entry.EventCode == 0) {
    text = LoadText(kFirstEventText);
  } else if (entry.EventCode <= kLastTextCode) {
    const BYTE* mac = entry.MacAddress;
    CString address;
    address.Format("%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    text.Format(" %s %s", static_cast<LPCSTR>(address),
                static_cast<LPCSTR>(LoadText(kFirstEventText + entry.EventCode)));
  }
  return text;
}

void CEventLogPage_AP::Refresh() {
  if (!m_list.GetSafeHwnd()) return;
  const int count = static_cast<int>(g_apEventLog.GetSize());
  for (int i = std::clamp(g_nApEventLogShown, 0, count); i < count; ++i) {
    const _VX_802_11_EVENT_LOG& entry = g_apEventLog[i];
    const int row = m_list.InsertItem(m_list.GetItemCount(), FormatEventTime(entry.Time));
    m_list.SetItemText(row, 1, FormatEventMessage(entry));
  }
  g_nApEventLogShown = count;
  while (m_list.GetItemCount() > kMaxRows) m_list.DeleteItem(0);
}

void CEventLogPage_AP::OnClear() {
  m_list.DeleteAllItems();
  ClearApEventLog();
}
