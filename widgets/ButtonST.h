// CButtonST: the push button, check box and radio button of the station
// pages, drawn by the program: an icon beside, above or behind a word-wrapped
// caption, six palette colours, a flat look that raises its border only while
// the mouse is over it, an optional drop-down IcoMenu opened under the button
// and a tool tip.
//
// Subclass a button (DDX_Control or SubclassDlgItem); it becomes owner-drawn
// and draws itself through the WM_DRAWITEM its parent reflects. Setters return
// 0 for success or a small error code.
#pragma once

#include "platform/Platform.h"
#include "widgets/IcoMenu.h"

class CButtonST : public CButton {
 public:
  // Palette indexes.
  enum { BTNST_COLOR_BK_IN = 0, BTNST_COLOR_FG_IN, BTNST_COLOR_BK_OUT, BTNST_COLOR_FG_OUT, BTNST_COLOR_BK_FOCUS,
         BTNST_COLOR_FG_FOCUS, BTNST_MAX_COLORS };
  // Setter results.
  enum { BTNST_OK = 0, BTNST_INVALIDRESOURCE = 1, BTNST_INVALIDINDEX = 3, BTNST_INVALIDLAYOUT = 4,
         BTNST_BADPARAM = 5, BTNST_INVALIDPRESSEDSTYLE = 6 };
  // Second icons of SetIcons and LoadIconPair.
  static constexpr INT_PTR kGreyCopy = -2;
  static constexpr INT_PTR kDarkCopy = -3;

  CButtonST();
  ~CButtonST() override;

  DWORD SetContentLayout(BYTE byLayout, BOOL bRepaint = TRUE);
  DWORD SetPressedStyle(BYTE byStyle, BOOL bRepaint = TRUE);
  DWORD SetCheckState(int nCheck, BOOL bRepaint = TRUE);
  int GetCheckState() const { return m_nCheck; }
  DWORD SetDefaultColors(BOOL bRepaint = TRUE);
  DWORD SetPaletteColor(BYTE byIndex, COLORREF crColor, BOOL bRepaint = TRUE);
  COLORREF GetPaletteColor(BYTE byIndex) const { return byIndex < BTNST_MAX_COLORS ? m_crColors[byIndex] : 0; }
  DWORD ShiftPaletteColor(BYTE byIndex, short shDelta, BOOL bRepaint = TRUE);
  DWORD SetFlatBorder(BOOL bFlatBorder, BOOL bRepaint = TRUE);
  // Second icon: 0 none, kGreyCopy or kDarkCopy of the first, or an icon.
  // The button owns the icons it is given.
  DWORD SetIcons(HICON hIconIn, HICON hIconOut);
  DWORD LoadIconPair(int nIconIn, int nIconOut);
  DWORD AttachDropMenu(UINT nMenu, HWND hTarget, BOOL bMenuStyle, UINT nToolbarID, int nIconX, int nIconY,
                       COLORREF crMask, BOOL bRepaint = TRUE);
  DWORD SetMenuNotify(HWND hWnd, UINT nMessage, LPARAM lParam);
  void SetTooltipText(LPCTSTR lpszText, BOOL bActivate = TRUE);
  void CancelHover();

  BOOL IsHovered() const { return m_bMouseOnButton; }
  BOOL IsMenuOpen() const { return m_bMenuOpen; }
  IcoMenu& GetDropMenu() { return m_menu; }
  HICON GetIcon(int index) const { return index == 0 || index == 1 ? m_icons[index].hIcon : nullptr; }
  CToolTipCtrl& GetToolTip() { return m_toolTip; }

  // Painting steps (each returns 0).
  virtual DWORD PaintBackground(CDC* pDC, CRect* pRect);
  virtual DWORD PaintBorder(CDC* pDC, CRect* pRect);
  virtual DWORD PaintIcon(CDC* pDC, BOOL bHasTitle, RECT* rpItem, CRect* rpCaption, BOOL bIsPressed, BOOL bIsDisabled);
  virtual DWORD PaintCaption(CDC* pDC, LPCTSTR lpszText, RECT* rpItem, CRect* rpCaption, BOOL bIsPressed,
                             BOOL bIsDisabled);

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  void PreSubclassWindow() override;
  LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetCheck(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetCheck(WPARAM wParam, LPARAM lParam);
  UINT OnGetDlgCode();
  HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnMouseLeave();
  void OnKillFocus(CWnd* pNewWnd);
  LRESULT OnCancelMode(WPARAM wParam, LPARAM lParam);
  void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  void OnEnable(BOOL bEnable);
  LRESULT OnSysColorChange(WPARAM wParam, LPARAM lParam);
  BOOL OnClicked();
  void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  LRESULT OnMenuChar(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

  BOOL m_bIsFlat = TRUE;
  BOOL m_bMouseOnButton = FALSE;
  BOOL m_bIsPressed = FALSE;
  BOOL m_bIsFocused = FALSE;
  BOOL m_bIsDisabled = FALSE;

 private:
  struct Icon {
    HICON hIcon = nullptr;
    int cx = 0;
    int cy = 0;
  };
  void FreeIcons();
  void Repaint(BOOL bRepaint) {
    if (bRepaint && GetSafeHwnd()) Invalidate();
  }
  // Grey or darkened copy of an icon (its mask kept); null when it cannot be read.
  static HICON CopyIcon(HICON hIcon, bool grey);
  void ClickRadio();

  CString m_strTooltip;
  IcoMenu m_menu;
  HWND m_hMenuTarget = nullptr;
  BOOL m_bMenuOpen = FALSE;
  BOOL m_bIsDefault = FALSE;
  BOOL m_bIsCheckBox = FALSE;
  BOOL m_bIsRadio = FALSE;
  BYTE m_byLayout = 0;
  BOOL m_bFlatBorder = TRUE;
  int m_nImageSpacing = 3;
  CPoint m_ptPressedOffset{1, 1};
  COLORREF m_crColors[BTNST_MAX_COLORS];
  CToolTipCtrl m_toolTip;
  int m_nCheck = 0;
  Icon m_icons[2];
  HWND m_hMenuNotifyWnd = nullptr;
  UINT m_nMenuNotifyMessage = 0;
  LPARAM m_lMenuNotifyParam = 0;
};
