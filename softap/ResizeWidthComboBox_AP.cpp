#include "softap/ResizeWidthComboBox_AP.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CResizeWidthComboBox_AP, CComboBox)
  ON_CONTROL_REFLECT(CBN_DROPDOWN, &CResizeWidthComboBox_AP::OnDropDown)
END_MESSAGE_MAP()

void CResizeWidthComboBox_AP::OnDropDown() {
  CClientDC dc(this);
  CFont* previous = dc.SelectObject(GetFont());
  const int scrollBar = GetSystemMetrics(SM_CXVSCROLL);
  int widest = 0;
  CString text;
  for (int i = 0; i < GetCount(); ++i) {
    GetLBText(i, text);
    widest = std::max(widest, static_cast<int>(dc.GetTextExtent(text).cx) + scrollBar);
  }
  widest += dc.GetTextExtent(CString("0")).cx;
  dc.SelectObject(previous);
  SetDroppedWidth(static_cast<UINT>(widest));
}
