// CComboBoxSuper: an owner-drawn combo box (CBS_OWNERDRAWFIXED |
// CBS_HASSTRINGS) whose items may show an icon from an image list, be drawn
// in their own colour and in bold, and carry several columns of text split
// by grey vertical lines. Items are added with the ordinary combo box calls;
// column 0 is the item's own text, further columns live in the item's record.
#pragma once

#include <memory>
#include <vector>

#include "platform/Platform.h"
#include "widgets/ComboBoxSuperItem.h"

class CComboBoxSuper : public CComboBox {
 public:
  CComboBoxSuper();
  ~CComboBoxSuper() override;
  CComboBoxSuper(const CComboBoxSuper&) = delete;
  CComboBoxSuper& operator=(const CComboBoxSuper&) = delete;

  // New columns are 50 pixels wide.
  void SetColumnCount(int count);
  int GetColumnCount() const { return static_cast<int>(m_columnWidths.GetSize()); }
  // Ignored for a column outside 0..count-1.
  void SetColumnWidth(int column, int width);
  // Icons drawn in front of the items (not owned; null: none).
  void SetImageList(CImageList* imageList);

  // The item's record, attached on first use; null for an item out of range.
  CComboBoxSuperItem* GetItemRecord(int item);
  void SetColumnText(int item, int column, const CString& text);
  // Column 0 is the item's combo text; empty for an item out of range.
  CString GetColumnText(int item, int column);

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct) override;

 private:
  bool ValidItem(int item) const { return item >= 0 && item < GetCount(); }
  // The record attached to an item, without creating one.
  CComboBoxSuperItem* FindRecord(int item) const;
  void DrawColumns(CDC& dc, const CRect& rect, const CString& text, const CComboBoxSuperItem* record);

  CArray<int, int> m_columnWidths;
  CImageList* m_pImageList = nullptr;
  BOOL m_bShowImages = TRUE;
  // Every record attached to an item; a record leaves when its item is deleted.
  std::vector<std::unique_ptr<CComboBoxSuperItem>> m_records;
};
