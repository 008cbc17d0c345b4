#include "widgets/ComboBoxSuper.h"

#include <algorithm>

namespace {

constexpr int kDefaultColumns = 100;
constexpr int kDefaultColumnWidth = 50;
constexpr COLORREF kColumnLineColour = 0xC0C0C0;

}  // namespace

CComboBoxSuper::CComboBoxSuper() {
  m_columnWidths.SetSize(kDefaultColumns);
  for (INT_PTR i = 0; i < m_columnWidths.GetSize(); ++i) m_columnWidths[i] = kDefaultColumnWidth;
}

CComboBoxSuper::~CComboBoxSuper() = default;

void CComboBoxSuper::SetColumnCount(int count) {
  const INT_PTR old = m_columnWidths.GetSize();
  m_columnWidths.SetSize(std::max(count, 0));
  for (INT_PTR i = old; i < m_columnWidths.GetSize(); ++i) m_columnWidths[i] = kDefaultColumnWidth;
  if (GetSafeHwnd()) Invalidate(TRUE);
}

void CComboBoxSuper::SetColumnWidth(int column, int width) {
  if (column < 0 || column >= GetColumnCount()) return;
  m_columnWidths[column] = width;
  if (GetSafeHwnd()) Invalidate();
}

void CComboBoxSuper::SetImageList(CImageList* imageList) { m_pImageList = imageList; }

CComboBoxSuperItem* CComboBoxSuper::FindRecord(int item) const {
  if (!ValidItem(item)) return nullptr;
  void* data = GetItemDataPtr(item);
  if (data == nullptr || data == reinterpret_cast<void*>(CB_ERR)) return nullptr;
  auto owned = std::find_if(m_records.begin(), m_records.end(),
                            [data](const std::unique_ptr<CComboBoxSuperItem>& r) { return r.get() == data; });
  return owned == m_records.end() ? nullptr : owned->get();
}

CComboBoxSuperItem* CComboBoxSuper::GetItemRecord(int item) {
  if (!ValidItem(item)) return nullptr;
  if (CComboBoxSuperItem* record = FindRecord(item)) return record;
  m_records.push_back(std::make_unique<CComboBoxSuperItem>());
  CComboBoxSuperItem* record = m_records.back().get();
  SetItemDataPtr(item, record);
  return record;
}

void CComboBoxSuper::SetColumnText(int item, int column, const CString& text) {
  if (CComboBoxSuperItem* record = GetItemRecord(item)) record->mapStrings[column] = text;
}

CString CComboBoxSuper::GetColumnText(int item, int column) {
  CString text;
  if (!ValidItem(item)) return text;
  if (column == 0) {
    GetLBText(item, text);
    return text;
  }
  return GetItemRecord(item)->mapStrings[column];
}

void CComboBoxSuper::DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct) {
  const auto data = reinterpret_cast<CComboBoxSuperItem*>(lpDeleteItemStruct->itemData);
  m_records.erase(std::remove_if(m_records.begin(), m_records.end(),
                                 [data](const std::unique_ptr<CComboBoxSuperItem>& r) { return r.get() == data; }),
                  m_records.end());
}

void CComboBoxSuper::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  const int item = static_cast<int>(lpDrawItemStruct->itemID);
  if (GetCount() == 0 || !ValidItem(item)) return;
  CDC* dc = CDC::FromHandle(lpDrawItemStruct->hDC);
  CString text;
  GetLBText(item, text);
  const COLORREF oldText = dc->GetTextColor();
  const COLORREF oldBack = dc->GetBkColor();

  const bool selected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
  CRect rect(lpDrawItemStruct->rcItem);
  if (selected) {
    dc->SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
    dc->SetBkColor(GetSysColor(COLOR_HIGHLIGHT));
    dc->FillSolidRect(&rect, GetSysColor(COLOR_HIGHLIGHT));
  } else {
    dc->FillSolidRect(&rect, dc->GetBkColor());
  }
  rect.DeflateRect(1, 0);

  const CComboBoxSuperItem* record = FindRecord(item);
  if (m_pImageList && m_pImageList->GetSafeHandle() && m_bShowImages) {
    if (record && record->nImageIndex != -1) {
      HICON icon = m_pImageList->ExtractIcon(record->nImageIndex);
      if (icon) {
        DrawIconEx(dc->GetSafeHdc(), rect.left, rect.top, icon, 0, 0, 0, nullptr, DI_NORMAL);
        DestroyIcon(icon);
      }
    }
    int cx = 0, cy = 0;
    ImageList_GetIconSize(m_pImageList->GetSafeHandle(), &cx, &cy);
    rect.left += cx;
  }

  CFont boldFont;
  CFont* oldFont = nullptr;
  if (record) {
    if (record->bBold) {
      LOGFONT logFont{};
      if (GetObject(GetCurrentObject(dc->GetSafeHdc(), OBJ_FONT), sizeof logFont, &logFont)) {
        logFont.lfWeight = FW_BOLD;
        if (boldFont.CreateFontIndirect(&logFont)) oldFont = dc->SelectObject(&boldFont);
      }
    }
    if (!(selected && record->crTextColor == 0)) dc->SetTextColor(record->crTextColor);
  }

  if (GetColumnCount() < 2)
    dc->DrawText(text, &rect, DT_SINGLELINE | DT_VCENTER);
  else
    DrawColumns(*dc, rect, text, record);

  if (oldFont) dc->SelectObject(oldFont);
  dc->SetTextColor(oldText);
  dc->SetBkColor(oldBack);
}

void CComboBoxSuper::DrawColumns(CDC& dc, const CRect& rect, const CString& text,
                                 const CComboBoxSuperItem* record) {
  CPen pen(PS_SOLID, 1, kColumnLineColour);
  CPen* oldPen = dc.SelectObject(&pen);
  const int last = GetColumnCount() - 1;
  int x = 0;
  for (int i = 0; i <= last; ++i) {
    const int width = m_columnWidths[i];
    if (i != last) {
      dc.MoveTo(rect.left + x + width, rect.top);
      dc.LineTo(rect.left + x + width, rect.bottom);
    }
    CRect cell(rect.left + x + 1, rect.top, i == last ? rect.right : rect.left + x + width, rect.bottom);
    x += width;
    CString cellText;
    if (i == 0)
      cellText = text;
    else if (!record || !record->mapStrings.Lookup(i, cellText))
      continue;
    dc.DrawText(cellText, &cell, DT_SINGLELINE | DT_VCENTER);
  }
  dc.SelectObject(oldPen);
}
