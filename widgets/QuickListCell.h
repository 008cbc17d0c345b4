// CQuickListCell: the request record of CQuickList. The list resets it before
// every request, fills in the cell it asks for, and the parent completes it in
// its WM_QUICKLIST_GETITEM handler. A COLORREF of 0xFF000000 means "not set:
// use the system colour of the drawing rules"; CLR_NONE (0xFFFFFFFF) means
// "paint nothing".
#pragma once

#include "platform/Platform.h"

constexpr COLORREF kQuickListDefaultColor = 0xFF000000;

class CQuickListCell {
 public:
  CQuickListCell() { Reset(nullptr); }
  CQuickListCell(const CQuickListCell&) = default;
  CQuickListCell& operator=(const CQuickListCell&) = default;

  // Every field back to its reset value; `imageList` is the list's small
  // image list.
  void Reset(CImageList* imageList);
  int GetRow() const { return m_nRow; }
  int GetColumn() const { return m_nColumn; }

  CString m_strText;
  CString m_strTipText;  // empty: no tip
  BYTE m_bNoHighlight;
  BYTE m_bBold;
  BYTE m_bItalic;
  UINT m_nTextFormat;  // DrawText flags
  int m_nImage;        // -1: none
  CImageList* m_pImageList;
  BYTE m_bImageBkUnhighlighted;
  BYTE m_bCenterImage;
  UINT m_nSelectedImageStyle;  // image-list style of a selected cell; 0: plain
  UINT m_nCheckState;          // DrawFrameControl state of the check box
  BYTE m_bCheckBox;
  BYTE m_bCenterCheckBox;
  BYTE m_bCheckBoxBkUnhighlighted;
  int m_nProgressMax;  // a bar when 1 or more
  int m_nProgressValue;
  COLORREF m_crBar;  // kept for the parent; not drawn
  COLORREF m_crBarText;
  UINT m_nBarEdge;  // DrawEdge style of the bar frame; 0: none
  COLORREF m_crText;
  COLORREF m_crBackground;
  COLORREF m_crHotText;
  COLORREF m_crSelectedText;
  COLORREF m_crSelectedBackground;
  COLORREF m_crSelectedBackgroundNoFocus;
  COLORREF m_crFocusText;
  COLORREF m_crFocusBackground;
  int m_nRow;
  int m_nColumn;
  BYTE m_bSelected;
  BYTE m_bHot;
};
