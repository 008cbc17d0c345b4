#include "station/status/Page80211nDlg.h"

#include "worker/PageTopLine.h"

namespace {

constexpr char kHtFlagOn[] = "TRUE";
constexpr char kNotAvailable[] = "n/a";

// One row of the list: a group heading (text 0) or a property showing the
// HT text of that number (1..54).
struct RowDefinition {
  const char* property;
  int text;
};
// The labels stand as they are, repeats included.
constexpr RowDefinition kRows[CPage80211nDlg::kRowCount] = {
    {"Secondary Channel Offset element", 0},
    {"Secondary Channel Offset", 1},
    {"Extended Capabilities information element", 0},
    {"HT Information Exchange Support", 2},
    {"Neighbor Report element", 0},
    {"Mobility Domain", 3},
    {"High Throughput", 4},
    {"HT Capabilities element", 0},
    {"HT Capability", 5},
    {"LDPC Coding Capability", 6},
    {"Supported Channel Width Set", 7},
    {"SM Power Save", 8},
    {"Greenfield", 9},
    {"Short GI for 20 MHz", 10},
    {"Short GI for 40 MHz", 11},
    {"Tx STBC", 12},
    {"Rx STBC", 13},
    {"HT-delayed BlockAck", 14},
    {"Maximum A-MSDU Length", 15},
    {"DSSS/CCK Mode in 40MHz", 16},
    {"PSMP Support", 17},
    {"HT Capability PSMP Support", 18},
    {"Maximum A-MSDU Length", 19},
    {"Forty MHz Intolerant", 20},
    {"L-SIG TXOP Protection Support", 21},
    {"A-MPDU Parameters field", 0},
    {"Maximum Rx A-MPDU Factor", 22},
    {"Minimum MPDU Start Spacing", 23},
    {"Supported MCS Set field", 0},
    {"Tx MCS Set Defined", 24},
    {"Tx Rx MCS Set Not Equal", 25},
    {"Tx Maximum Number Spatial Streams Supported", 26},
    {"Tx Unequal Modulation Support", 27},
    {"HT Capabilities Info", 0},
    {"DSS/CCK Mode in 40 MHz", 28},
    {"HT Information PSMP Support", 29},
    {"A-MPDU Parameters", 0},
    {"Maximum Rx A-MPDU Factor", 30},
    {"Minimum MPDU Start Spacing", 31},
    {"HT Extended Capabilities", 0},
    {"+HTC Support", 32},
    {"RD Responder", 33},
    {"HT Information element", 0},
    {"Primary Channel", 34},
    {"HT Information Secondary Channel Offset", 35},
    {"STA Channel Width", 36},
    {"RIFS Mode", 37},
    {"PSMP STAs Only", 38},
    {"Service Interval Granularity", 39},
    {"Operating Mode", 40},
    {"Non-greenfield STAs Present", 41},
    {"Transmit Burst Limit", 42},
    {"OBSS None-HT STAs Present", 43},
    {"Dual Beacon", 44},
    {"Dual CTS Protection", 45},
    {"Secondary Beacon", 46},
    {"L-SIG TXOP Protection Full Support", 47},
    {"PCO Active", 48},
    {"PCP Phase", 49},
    {"Basic MCS Set", 50},
    {"Basic MCS Set 0", 51},
    {"Basic MCS Set 1", 52},
    {"Basic MCS Set 2", 53},
    {"Basic MCS Set 3", 54},
};

}  // namespace

BEGIN_MESSAGE_MAP(CPage80211nDlg, CDialog)
  ON_WM_PAINT()
  ON_MESSAGE(WM_QUICKLIST_GETITEM, &CPage80211nDlg::OnGetListItem)
END_MESSAGE_MAP()

CPage80211nDlg::CPage80211nDlg(CWnd* pParent) : CDialog(IDD_PAGE_80211N, pParent) {}

void CPage80211nDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_80211N_LIST, m_list);
}

BOOL CPage80211nDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_list.ShowWindow(SW_SHOW);
  m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
  m_list.EnableCellNavigation(FALSE);
  CRect client;
  m_list.GetClientRect(&client);
  const int width = client.Width();
  m_list.InsertColumn(0, "Property", LVCFMT_LEFT, width * 5 / 9);
  m_list.InsertColumn(1, "Value", LVCFMT_LEFT, width * 3 / 9);
  return TRUE;
}

void CPage80211nDlg::FillHtRows() {
  const bool ht = m_strHt[kHtTextFields - 1] == kHtFlagOn;
  m_rows.clear();
  for (const RowDefinition& row : kRows) {
    const bool group = row.text == 0;
    const CString value = group ? CString() : ht ? m_strHt[row.text - 1] : CString(kNotAvailable);
    m_rows.push_back({static_cast<BYTE>(group ? 1 : 0), row.property, value});
  }
  RefreshHtList();
}

void CPage80211nDlg::RefreshHtList() {
  if (!m_list.GetSafeHwnd()) return;
  LockWindowUpdate(m_list.GetSafeHwnd());
  m_list.SetItemCount(static_cast<int>(m_rows.size()));
  LockWindowUpdate(nullptr);
  const int top = m_list.GetTopIndex();
  m_list.RedrawItems(top, top + m_list.GetCountPerPage());
}

LRESULT CPage80211nDlg::OnGetListItem(WPARAM, LPARAM lParam) {
  UpdateData(TRUE);
  auto* cell = reinterpret_cast<CQuickListCell*>(lParam);
  if (!cell) return 0;
  const int row = cell->GetRow();
  if (row < 0 || row >= static_cast<int>(m_rows.size())) return 0;
  const HtInfoRow& item = m_rows[row];
  switch (cell->GetColumn()) {
    case 0:
      cell->m_bBold = item.bGroup;
      cell->m_strText.Format("%s", static_cast<LPCSTR>(item.strProperty));
      break;
    case 1:
      cell->m_strText.Format("%s", static_cast<LPCSTR>(item.strValue));
      break;
    default:
      break;
  }
  return 0;
}

void CPage80211nDlg::OnPaint() { PaintPageTopLine(this); }
