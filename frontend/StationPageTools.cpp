#include "frontend/StationPageTools.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "frontend/SkinFunctions.h"
#include "frontend/UiBridge.h"
#include "utilmere/Utilmere.h"

namespace {

constexpr DWORD kConnectGapMs = 3000;
constexpr DWORD kListExtraStyle = 0x140;  // LVS_EX_ONECLICKACTIVATE | LVS_EX_FLATSB

// The tick of each page's last accepted Connect.
DWORD g_dwLastConnect[static_cast<size_t>(ConnectPage::kCount)] = {};

}  // namespace

CString StationSkinPath(LPCTSTR file) { return FormatString("%sSkin\\%s", GetCurDir(), file); }

void SetUpStationList(CSortListCtrl& list, const char* section, const char* headings, LPCTSTR imageFile,
                      COLORREF background, CWnd* frame) {
  list.SetRegSection(section);
  list.SetListCtrlGridAttr(0, 1);
  list.SetExtendedStyle(list.GetExtendedStyle() | kListExtraStyle);
  list.SetHeadings(headings);
  list.SubclassWindow();
  list.LoadColumnInfo();
  if (imageFile) {
    const CString path = StationSkinPath(imageFile);
    list.InitImageList(path, path, kStationPageSkinKey);
  }
  list.SetBkColor(background);
  FitListIntoFrame(&list, frame);
}

void SplitStationText(const CString& text, LPCTSTR separator, CStringArray& out) {
  if (text.IsEmpty()) return;
  const int step = static_cast<int>(std::strlen(separator));
  int start = 0;
  for (int at = text.Find(separator); at >= 0 && step > 0; at = text.Find(separator, start)) {
    out.Add(text.Mid(start, at - start));
    start = at + step;
  }
  out.Add(text.Mid(start));
}

int GetRowImage(CListCtrl& list, int row) {
  if (row < 0 || row >= list.GetItemCount()) return -1;
  LVITEM item = {};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  return list.GetItem(&item) ? item.iImage : -1;
}

int ClickedRow(CListCtrl& list, const NMITEMACTIVATE* click) {
  if (!click) return -1;
  if (click->iItem >= 0) return click->iItem;
  return list.HitTest(CPoint(click->ptAction));
}

BOOL AcceptConnect(CWnd& button, ConnectPage page) {
  if (!button.GetSafeHwnd() || !button.IsWindowEnabled()) return FALSE;
  DWORD& lastTick = g_dwLastConnect[static_cast<size_t>(page)];
  const DWORD now = GetTickCount();
  if (now - lastTick < kConnectGapMs) return FALSE;
  lastTick = now;
  return TRUE;
}

void ResetConnectTicks() { std::fill(std::begin(g_dwLastConnect), std::end(g_dwLastConnect), 0); }

BOOL ConfirmConnectAnother() {
  const CString text = GetMLText("The device has connected to wireless network. Do you need to connect another one ?");
  return NotifyUIMessageBox(text, nullptr, MB_ICONQUESTION) == IDYES;
}
