#include "softap/BlockAckPicker_AP.h"

#include "frontend/UiBridge.h"
#include "softap/ApMacList.h"

namespace {

constexpr int kTidCount = 8;
constexpr DWORD kListStyles = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP;
constexpr double kColumnShare = 0.9;

}  // namespace

void FillTidList(CComboBox& list) {
  CString text;
  for (int tid = 0; tid < kTidCount; ++tid) {
    text.Format("%d", tid);
    list.AddString(text);
  }
  list.SetCurSel(0);
}

void SetUpPeerList(CListCtrl& list) {
  list.SetExtendedStyle(kListStyles);
  CRect area;
  list.GetWindowRect(&area);
  list.InsertColumn(0, "BSSID", LVCFMT_LEFT, static_cast<int>(area.Width() * kColumnShare));
}

void AddPeerRow(CListCtrl& list, const CString& mac) {
  const int row = list.InsertItem(list.GetItemCount(), mac);
  if (row == 0) list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

BOOL TakeSelectedPeer(CListCtrl& list, MacAddress& mac) {
  const int row = list.GetNextItem(-1, LVNI_SELECTED);
  if (row < 0) {
    NotifyUIMessageBox("Please select BSSID", nullptr, MB_ICONERROR);
    return FALSE;
  }
  mac = MacFromText(list.GetItemText(row, 0));
  return TRUE;
}
