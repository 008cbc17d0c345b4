// CStatic: labels, icons and bitmaps. An owner-drawn static (SS_OWNERDRAW)
// draws itself in DrawItem.
#pragma once

#include "platform/mfc/Wnd.h"
#include "platform/win/controls/ControlConstants.h"

class CStatic : public CWnd {
  DECLARE_DYNAMIC(CStatic)

 public:
  BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xFFFF);

  HBITMAP SetBitmap(HBITMAP hBitmap);
  HBITMAP GetBitmap() const;
  HICON SetIcon(HICON hIcon);
  HICON GetIcon() const;

  // Draws an owner-drawn static; this class draws nothing itself.
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

 protected:
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
