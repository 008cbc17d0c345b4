#include "skinvane/SortHeaderCtrl.h"

BEGIN_MESSAGE_MAP(CSortHeaderCtrl, CHeaderCtrl)
  ON_WM_PAINT()
END_MESSAGE_MAP()

void CSortHeaderCtrl::SetSortArrow(int column, int ascending) {
  m_sortColumn = column;
  m_sortAscending = ascending;
  HDITEM item = {};
  item.mask = HDI_FORMAT;
  if (GetItem(column, &item)) {
    item.fmt |= HDF_OWNERDRAW;
    SetItem(column, &item);
  }
  Invalidate();
}

void CSortHeaderCtrl::OnPaint() {
  // The control paints its items, then the owner-drawn ones are painted over.
  Default();
  CClientDC dc(this);
  const int count = GetItemCount();
  for (int i = 0; i < count; ++i) {
    HDITEM item = {};
    item.mask = HDI_FORMAT;
    if (!GetItem(i, &item) || !(item.fmt & HDF_OWNERDRAW)) continue;
    DRAWITEMSTRUCT draw = {};
    draw.itemID = static_cast<UINT>(i);
    draw.hwndItem = m_hWnd;
    draw.hDC = dc.GetSafeHdc();
    GetItemRect(i, &draw.rcItem);
    DrawItem(&draw);
  }
}

void CSortHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT draw) {
  CDC* dc = CDC::FromHandle(draw->hDC);
  CRect rect(draw->rcItem);
  const int saved = dc->SaveDC();
  dc->FillSolidRect(&rect, GetSysColor(COLOR_BTNFACE));
  if (draw->itemState & ODS_SELECTED) rect.OffsetRect(1, 2);

  char text[256] = "";
  HDITEM item = {};
  item.mask = HDI_TEXT | HDI_FORMAT;
  item.pszText = text;
  item.cchTextMax = sizeof(text);
  GetItem(static_cast<int>(draw->itemID), &item);

  UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX | DT_NOCLIP;
  if ((item.fmt & HDF_JUSTIFYMASK) == HDF_CENTER)
    format |= DT_CENTER;
  else if ((item.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT)
    format |= DT_RIGHT;

  const int margin = rect.Height() / 4;
  CRect label = rect;
  label.left += margin;
  label.right -= margin;
  if (static_cast<int>(draw->itemID) == m_sortColumn) {
    label.right -= 3 * margin;
    DrawArrow(*dc, rect, margin);
  }
  dc->SetBkMode(TRANSPARENT);
  dc->SetTextColor(GetSysColor(COLOR_BTNTEXT));
  HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
  if (font) SelectObject(dc->GetSafeHdc(), font);
  if (label.right > label.left) dc->DrawText(text, -1, &label, format);
  dc->RestoreDC(saved);
}

void CSortHeaderCtrl::DrawArrow(CDC& dc, const CRect& item, int margin) {
  CPen light(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
  CPen shadow(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  const int right = item.right - 2 * margin;
  const int left = right - margin;
  const int top = item.top + (item.Height() - margin) / 2;
  const int bottom = top + margin;
  const int middle = (left + right) / 2;
  CPen* old = dc.SelectObject(&light);
  if (m_sortAscending) {
    dc.MoveTo(right, bottom);
    dc.LineTo(left, bottom);
    dc.SelectObject(&shadow);
    dc.LineTo(middle, top);
    dc.SelectObject(&light);
    dc.LineTo(right, bottom);
  } else {
    dc.MoveTo(middle, bottom);
    dc.LineTo(right, top);
    dc.SelectObject(&shadow);
    dc.LineTo(left, top);
    dc.LineTo(middle, bottom);
  }
  dc.SelectObject(old);
}
