#include "softap/MacTablePage_AP.h"

#include <vector>

#include "softap/ApDriver.h"
#include "softap/ApModule.h"
#include "softap/ApTables.h"
#include "worker/DriverCodes.h"

namespace {

constexpr DWORD kListStyles = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP;

struct Column {
  const char* header;
  double factor;  // tenths of the list's width
};
constexpr Column kColumns[] = {
    {"MAC Address", 2.2}, {"AID", 0.8}, {"Power Saving Mode", 0.8}, {"Status", 6.5}};

}  // namespace

IMPLEMENT_DYNCREATE(CMacTablePage_AP, CPropertyPage)

BEGIN_MESSAGE_MAP(CMacTablePage_AP, CPropertyPage)
  ON_WM_TIMER()
END_MESSAGE_MAP()

CMacTablePage_AP::CMacTablePage_AP() : CPropertyPage(kTemplate) {}

void CMacTablePage_AP::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_Control(pDX, kListId, m_list);
}

BOOL CMacTablePage_AP::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  m_list.SetExtendedStyle(kListStyles);
  CRect area;
  m_list.GetWindowRect(&area);
  const int tenth = area.Width() / 10;
  int column = 0;
  for (const Column& c : kColumns)
    m_list.InsertColumn(column++, c.header, LVCFMT_LEFT, static_cast<int>(tenth * c.factor));
  m_rateTable.Build();
  return TRUE;
}

BOOL CMacTablePage_AP::OnSetActive() {
  SetTimer(kRefreshTimer, kRefreshMs, nullptr);
  return CPropertyPage::OnSetActive();
}

BOOL CMacTablePage_AP::OnKillActive() {
  KillTimer(kRefreshTimer);
  return CPropertyPage::OnKillActive();
}

void CMacTablePage_AP::OnTimer(UINT_PTR nIDEvent) {
  Refresh();
  CPropertyPage::OnTimer(nIDEvent);
}

void CMacTablePage_AP::Refresh() {
  if (!m_list.GetSafeHwnd()) return;
  const BOOL ht = g_bApHtFamily;
  std::vector<BYTE> table(ht ? aptable::station::kHtSize : aptable::station::kSize, 0);
  DWORD returned = 0;
  if (!QueryDriverOid_AP(OID_VX_STATION_TABLE, table.data(), static_cast<DWORD>(table.size()), &returned)) return;
  m_list.DeleteAllItems();
  int row = 0;
  for (const ApStationEntry& e : ParseStationTable(table.data(), returned, ht)) {
    m_list.InsertItem(row, FormatMacText(e.mac.data()));
    CString aid;
    aid.Format("%d", e.aid);
    m_list.SetItemText(row, 1, aid);
    m_list.SetItemText(row, 2, e.powerSave ? "Yes" : "No");
    if (ht) m_list.SetItemText(row, 3, StationStatusText(e.setting, m_rateTable));
    ++row;
  }
}
