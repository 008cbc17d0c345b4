#include "widgets/ButtonST.h"

#include <algorithm>

#include "widgets/WorkerClosingFlag.h"

namespace {

constexpr int kMaxTipWidth = 400;
constexpr UINT_PTR kToolId = 1;
constexpr int kMinimumIconSide = 16;
constexpr UINT kTypeBits = 0x0F;

}  // namespace

BEGIN_MESSAGE_MAP(CButtonST, CButton)
  ON_MESSAGE(BM_SETSTYLE, &CButtonST::OnSetStyle)
  ON_MESSAGE(BM_GETCHECK, &CButtonST::OnGetCheck)
  ON_MESSAGE(BM_SETCHECK, &CButtonST::OnSetCheck)
  ON_WM_GETDLGCODE()
  ON_WM_CTLCOLOR_REFLECT()
  ON_WM_MOUSEMOVE()
  ON_WM_MOUSELEAVE()
  ON_WM_KILLFOCUS()
  ON_MESSAGE(WM_CANCELMODE, &CButtonST::OnCancelMode)
  ON_WM_ACTIVATE()
  ON_WM_ENABLE()
  ON_MESSAGE(WM_SYSCOLORCHANGE, &CButtonST::OnSysColorChange)
  ON_CONTROL_REFLECT_EX(BN_CLICKED, &CButtonST::OnClicked)
  ON_WM_MEASUREITEM()
  ON_MESSAGE(WM_MENUCHAR, &CButtonST::OnMenuChar)
END_MESSAGE_MAP()

CButtonST::CButtonST() { SetDefaultColors(FALSE); }

CButtonST::~CButtonST() { FreeIcons(); }

void CButtonST::PreSubclassWindow() {
  const UINT type = GetButtonStyle() & kTypeBits;
  if (type == BS_DEFPUSHBUTTON) m_bIsDefault = TRUE;
  if (type & 0x2) m_bIsCheckBox = TRUE;
  if ((type & 0x4) || ((type & 0x1) && (type & 0x8))) m_bIsRadio = TRUE;
  ModifyStyle(kTypeBits, BS_OWNERDRAW, SWP_FRAMECHANGED);
  CButton::PreSubclassWindow();
}

// --- Setters ---

DWORD CButtonST::SetContentLayout(BYTE byLayout, BOOL bRepaint) {
  if (byLayout > 3) return BTNST_INVALIDLAYOUT;
  m_byLayout = byLayout;
  Repaint(bRepaint);
  return BTNST_OK;
}

DWORD CButtonST::SetPressedStyle(BYTE byStyle, BOOL bRepaint) {
  if (byStyle == 0)
    m_ptPressedOffset = CPoint(1, 1);
  else if (byStyle == 1)
    m_ptPressedOffset = CPoint(0, 2);
  else
    return BTNST_INVALIDPRESSEDSTYLE;
  Repaint(bRepaint);
  return BTNST_OK;
}

DWORD CButtonST::SetCheckState(int nCheck, BOOL bRepaint) {
  if (m_bIsCheckBox || m_bIsRadio) {
    m_nCheck = nCheck != 0;
    Repaint(bRepaint);
  }
  return BTNST_OK;
}

DWORD CButtonST::SetDefaultColors(BOOL bRepaint) {
  m_crColors[BTNST_COLOR_BK_IN] = GetSysColor(COLOR_BTNFACE);
  m_crColors[BTNST_COLOR_FG_IN] = GetSysColor(COLOR_BTNTEXT);
  m_crColors[BTNST_COLOR_BK_OUT] = GetSysColor(COLOR_BTNFACE);
  m_crColors[BTNST_COLOR_FG_OUT] = GetSysColor(COLOR_BTNTEXT);
  m_crColors[BTNST_COLOR_BK_FOCUS] = GetSysColor(COLOR_BTNFACE);
  m_crColors[BTNST_COLOR_FG_FOCUS] = GetSysColor(COLOR_BTNTEXT);
  Repaint(bRepaint);
  return BTNST_OK;
}

DWORD CButtonST::SetPaletteColor(BYTE byIndex, COLORREF crColor, BOOL bRepaint) {
  if (byIndex >= BTNST_MAX_COLORS) return BTNST_INVALIDINDEX;
  m_crColors[byIndex] = crColor;
  Repaint(bRepaint);
  return BTNST_OK;
}

DWORD CButtonST::ShiftPaletteColor(BYTE byIndex, short shDelta, BOOL bRepaint) {
  if (byIndex >= BTNST_MAX_COLORS) return BTNST_INVALIDINDEX;
  if (shDelta < -255 || shDelta > 255) return BTNST_BADPARAM;
  const COLORREF colour = m_crColors[byIndex];
  const int channels[3] = {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
  int delta = shDelta;
  for (int c : channels) delta = delta > 0 ? std::min(delta, 255 - c) : std::max(delta, -c);
  m_crColors[byIndex] = RGB(channels[0] + delta, channels[1] + delta, channels[2] + delta);
  Repaint(bRepaint);
  return BTNST_OK;
}

DWORD CButtonST::SetFlatBorder(BOOL bFlatBorder, BOOL bRepaint) {
  m_bFlatBorder = bFlatBorder;
  Repaint(bRepaint);
  return BTNST_OK;
}

void CButtonST::FreeIcons() {
  for (Icon& icon : m_icons) {
    if (icon.hIcon) DestroyIcon(icon.hIcon);
    icon = Icon{};
  }
}

HICON CButtonST::CopyIcon(HICON hIcon, bool grey) {
  ICONINFO info{};
  if (!GetIconInfo(hIcon, &info)) return nullptr;
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  BITMAP bitmap{};
  HICON copy = nullptr;
  if (info.hbmColor && GetObject(info.hbmColor, sizeof bitmap, &bitmap)) {
    HGDIOBJ old = SelectObject(dc.GetSafeHdc(), info.hbmColor);
    for (int y = 0; y < bitmap.bmHeight; ++y) {
      for (int x = 0; x < bitmap.bmWidth; ++x) {
        const COLORREF pixel = dc.GetPixel(x, y);
        if ((pixel & 0xFFFFFF) == 0) continue;
        const int r = GetRValue(pixel), g = GetGValue(pixel), b = GetBValue(pixel);
        if (grey) {
          const int level = static_cast<int>(0.299 * r + 0.587 * g + 0.114 * b);
          dc.SetPixel(x, y, RGB(level, level, level));
        } else {
          const auto darker = [](int c) { return static_cast<int>(c - c * 0.25); };
          dc.SetPixel(x, y, RGB(darker(r), darker(g), darker(b)));
        }
      }
    }
    SelectObject(dc.GetSafeHdc(), old);
    copy = CreateIconIndirect(&info);
  }
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return copy;
}

DWORD CButtonST::SetIcons(HICON hIconIn, HICON hIconOut) {
  FreeIcons();
  if (!hIconIn) return BTNST_OK;
  const auto special = reinterpret_cast<INT_PTR>(hIconOut);
  if (special == kGreyCopy || special == kDarkCopy) hIconOut = CopyIcon(hIconIn, special == kGreyCopy);
  m_icons[0].hIcon = hIconIn;
  m_icons[1].hIcon = hIconOut;
  for (Icon& icon : m_icons) {
    if (!icon.hIcon) continue;
    ICONINFO info{};
    if (!GetIconInfo(icon.hIcon, &info)) {
      FreeIcons();
      return BTNST_INVALIDRESOURCE;
    }
    icon.cx = static_cast<int>(info.xHotspot * 2);
    icon.cy = static_cast<int>(info.yHotspot * 2);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
  }
  Repaint(TRUE);
  return BTNST_OK;
}

DWORD CButtonST::LoadIconPair(int nIconIn, int nIconOut) {
  HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(nIconIn), RT_GROUP_ICON);
  auto hIconIn = static_cast<HICON>(LoadImage(module, MAKEINTRESOURCE(nIconIn), IMAGE_ICON, 0, 0, 0));
  HICON hIconOut = reinterpret_cast<HICON>(static_cast<INT_PTR>(nIconOut));
  if (nIconOut > 0) {
    module = AfxFindResourceHandle(MAKEINTRESOURCE(nIconOut), RT_GROUP_ICON);
    hIconOut = static_cast<HICON>(LoadImage(module, MAKEINTRESOURCE(nIconOut), IMAGE_ICON, 0, 0, 0));
  }
  return SetIcons(hIconIn, hIconOut);
}

DWORD CButtonST::AttachDropMenu(UINT nMenu, HWND hTarget, BOOL bMenuStyle, UINT nToolbarID, int nIconX, int nIconY,
                                COLORREF crMask, BOOL bRepaint) {
  m_menu.DestroyMenu();
  m_hMenuTarget = hTarget;
  if (nMenu != 0) {
    IcoMenu::SetXPStyle(bMenuStyle);
    if (!m_menu.LoadMenu(nMenu)) return BTNST_INVALIDRESOURCE;
    if (nToolbarID != 0) {
      m_menu.SetBitmapBackground(crMask);
      m_menu.SetIconSize(std::max(nIconX, kMinimumIconSide), std::max(nIconY, kMinimumIconSide));
      if (!m_menu.LoadToolbar(nToolbarID)) return BTNST_INVALIDRESOURCE;
    }
  }
  Repaint(bRepaint);
  return BTNST_OK;
}

DWORD CButtonST::SetMenuNotify(HWND hWnd, UINT nMessage, LPARAM lParam) {
  m_hMenuNotifyWnd = hWnd;
  m_nMenuNotifyMessage = nMessage;
  m_lMenuNotifyParam = lParam;
  return BTNST_OK;
}

void CButtonST::SetTooltipText(LPCTSTR lpszText, BOOL bActivate) {
  if (!lpszText) return;
  if (!m_toolTip.GetSafeHwnd()) {
    if (!m_toolTip.Create(this)) return;
    m_toolTip.SetMaxTipWidth(kMaxTipWidth);
  }
  if (m_toolTip.GetToolCount() == 0) {
    CRect client;
    GetClientRect(&client);
    m_toolTip.AddTool(this, lpszText, &client, kToolId);
  }
  m_strTooltip = lpszText;
  m_toolTip.UpdateTipText(lpszText, this, kToolId);
  m_toolTip.Activate(bActivate);
}

void CButtonST::CancelHover() {
  if (m_bIsFlat && m_bMouseOnButton) {
    m_bMouseOnButton = FALSE;
    Invalidate();
  }
}

// --- Messages ---

LRESULT CButtonST::OnSetStyle(WPARAM wParam, LPARAM lParam) {
  const UINT type = static_cast<UINT>(wParam) & kTypeBits;
  if (type == BS_DEFPUSHBUTTON)
    m_bIsDefault = TRUE;
  else if (type == BS_PUSHBUTTON)
    m_bIsDefault = FALSE;
  return DefWindowProc(BM_SETSTYLE, (wParam & ~static_cast<WPARAM>(kTypeBits)) | BS_OWNERDRAW, lParam);
}

LRESULT CButtonST::OnGetCheck(WPARAM, LPARAM) { return (m_bIsCheckBox || m_bIsRadio) ? m_nCheck : 0; }

LRESULT CButtonST::OnSetCheck(WPARAM wParam, LPARAM) {
  if (m_bIsCheckBox || m_bIsRadio) {
    m_nCheck = wParam == BST_CHECKED || wParam == BST_INDETERMINATE;
    Invalidate();
  }
  return 0;
}

UINT CButtonST::OnGetDlgCode() {
  UINT code = CButton::OnGetDlgCode();
  code &= ~static_cast<UINT>(DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON | DLGC_RADIOBUTTON);
  if (m_bIsRadio)
    code |= DLGC_RADIOBUTTON;
  else
    code |= m_bIsDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON;
  return code;
}

HBRUSH CButtonST::CtlColor(CDC*, UINT) { return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)); }

void CButtonST::OnMouseMove(UINT nFlags, CPoint point) {
  CButton::OnMouseMove(nFlags, point);
  CPoint screen = point;
  ClientToScreen(&screen);
  const HWND under = ::WindowFromPoint(screen);
  if ((nFlags & MK_LBUTTON) && !m_bMouseOnButton) return;
  if (!m_bIsFlat) return;
  if (under == m_hWnd) {
    if (m_bMouseOnButton) {
      SetTooltipText(m_strTooltip, TRUE);
      return;
    }
    m_bMouseOnButton = TRUE;
    Invalidate();
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = m_hWnd;
    TrackMouseEvent(&track);
  } else {
    CancelHover();
  }
}

void CButtonST::OnMouseLeave() { CancelHover(); }

void CButtonST::OnKillFocus(CWnd* pNewWnd) {
  CButton::OnKillFocus(pNewWnd);
  CancelHover();
}

LRESULT CButtonST::OnCancelMode(WPARAM, LPARAM) {
  const LRESULT result = Default();
  CancelHover();
  return result;
}

void CButtonST::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
  CButton::OnActivate(nState, pWndOther, bMinimized);
  if (nState == WA_INACTIVE) CancelHover();
}

void CButtonST::OnEnable(BOOL bEnable) {
  CButton::OnEnable(bEnable);
  if (bEnable) return;
  if (CWnd* parent = GetParent()) {
    HWND next = ::GetNextDlgTabItem(parent->GetSafeHwnd(), m_hWnd, FALSE);
    ::SetFocus(next && next != m_hWnd ? next : parent->GetSafeHwnd());
  }
  CancelHover();
}

LRESULT CButtonST::OnSysColorChange(WPARAM, LPARAM) {
  const LRESULT result = Default();
  SetDefaultColors(TRUE);
  return result;
}

void CButtonST::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  if (lpMeasureItemStruct->CtlType == ODT_MENU && m_menu.GetSafeHmenu()) {
    m_menu.MeasureItem(lpMeasureItemStruct);
    return;
  }
  CButton::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

LRESULT CButtonST::OnMenuChar(WPARAM wParam, LPARAM lParam) {
  CMenu* menu = CMenu::FromHandle(reinterpret_cast<HMENU>(lParam));
  if (IcoMenu::IsIcoMenu(menu)) return IcoMenu::FindKeyboardShortcut(LOWORD(wParam), HIWORD(wParam), menu);
  return Default();
}

BOOL CButtonST::PreTranslateMessage(MSG* pMsg) {
  if (m_toolTip.GetSafeHwnd()) m_toolTip.RelayEvent(pMsg);
  if (pMsg->message == WM_LBUTTONDBLCLK) pMsg->message = WM_LBUTTONDOWN;
  return CButton::PreTranslateMessage(pMsg);
}

void CButtonST::ClickRadio() {
  SendMessage(BM_SETCHECK, BST_CHECKED);
  CWnd* parent = GetParent();
  if (!parent) return;
  for (BOOL backwards : {TRUE, FALSE}) {
    for (HWND h = ::GetNextDlgGroupItem(parent->GetSafeHwnd(), m_hWnd, backwards); h && h != m_hWnd;
         h = ::GetNextDlgGroupItem(parent->GetSafeHwnd(), h, backwards))
      ::SendMessage(h, BM_SETCHECK, BST_UNCHECKED, 0);
  }
}

BOOL CButtonST::OnClicked() {
  SetFocus();
  if (m_bIsCheckBox) {
    m_nCheck = !m_nCheck;
    Invalidate();
  } else if (m_bIsRadio) {
    ClickRadio();
  } else if (m_menu.GetSafeHmenu()) {
    m_bMenuOpen = TRUE;
    Invalidate();
    UpdateWindow();
    CMenu* popup = m_menu.GetSubMenu(0);
    if (popup) {
      if (m_hMenuNotifyWnd)
        ::SendMessage(m_hMenuNotifyWnd, m_nMenuNotifyMessage, reinterpret_cast<WPARAM>(popup->GetSafeHmenu()),
                      m_lMenuNotifyParam);
      CRect rect;
      GetWindowRect(&rect);
      const UINT command = static_cast<UINT>(
          popup->TrackPopupMenu(TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, rect.left, rect.bottom, this));
      // The host is being destroyed around this button: leave it alone.
      if (WorkerClosingFlag) return TRUE;
      m_bMenuOpen = FALSE;
      Invalidate();
      if (command) ::PostMessage(m_hMenuTarget, WM_COMMAND, command, 0);
    } else {
      m_bMenuOpen = FALSE;
    }
  }
  Invalidate();
  return FALSE;
}

// --- Drawing ---

void CButtonST::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  CDC* dc = CDC::FromHandle(lpDrawItemStruct->hDC);
  const UINT state = lpDrawItemStruct->itemState;
  if (m_bIsCheckBox || m_bIsRadio)
    m_bIsPressed = (state & ODS_SELECTED) || m_nCheck;
  else
    m_bIsPressed = (state & ODS_SELECTED) || (m_menu.GetSafeHmenu() && m_bMenuOpen);
  m_bIsFocused = (state & ODS_FOCUS) != 0;
  m_bIsDisabled = (state & ODS_DISABLED) != 0;
  const int oldMode = dc->SetBkMode(TRANSPARENT);

  CRect item(lpDrawItemStruct->rcItem);
  CRect frame = item;
  PaintBackground(dc, &frame);
  PaintBorder(dc, &frame);

  CRect caption = item;
  CString title;
  GetWindowText(title);
  if (m_icons[0].hIcon) PaintIcon(dc, !title.IsEmpty(), &item, &caption, m_bIsPressed, m_bIsDisabled);
  if (!title.IsEmpty()) PaintCaption(dc, title, &item, &caption, m_bIsPressed, m_bIsDisabled);
  if (!m_bIsFlat && m_bIsFocused) {
    CRect focus = item;
    focus.DeflateRect(3, 3);
    dc->DrawFocusRect(&focus);
  }
  dc->SetBkMode(oldMode);
}

DWORD CButtonST::PaintBackground(CDC* pDC, CRect* pRect) {
  if (!m_bIsFlat && (m_bIsFocused || m_bIsDefault)) {
    CBrush black(RGB(0, 0, 0));
    pDC->FrameRect(pRect, &black);
    pRect->DeflateRect(1, 1);
  }
  const COLORREF colour = (m_bMouseOnButton || m_bIsPressed) ? m_crColors[BTNST_COLOR_BK_IN]
                          : m_bIsFocused                      ? m_crColors[BTNST_COLOR_BK_FOCUS]
                                                              : m_crColors[BTNST_COLOR_BK_OUT];
  pDC->FillSolidRect(pRect, colour);
  return BTNST_OK;
}

DWORD CButtonST::PaintBorder(CDC* pDC, CRect* pRect) {
  if (m_bIsPressed) {
    if (m_bIsFlat) {
      if (m_bFlatBorder) pDC->Draw3dRect(pRect, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHILIGHT));
    } else {
      CBrush shadow(GetSysColor(COLOR_BTNSHADOW));
      pDC->FrameRect(pRect, &shadow);
    }
  } else if (!m_bIsFlat) {
    pDC->Draw3dRect(pRect, GetSysColor(COLOR_BTNHILIGHT), GetSysColor(COLOR_3DDKSHADOW));
    CRect inner = *pRect;
    inner.DeflateRect(1, 1);
    pDC->Draw3dRect(&inner, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_BTNSHADOW));
  } else if (m_bMouseOnButton && m_bFlatBorder) {
    pDC->Draw3dRect(pRect, GetSysColor(COLOR_BTNHILIGHT), GetSysColor(COLOR_BTNSHADOW));
  }
  return BTNST_OK;
}

DWORD CButtonST::PaintIcon(CDC* pDC, BOOL bHasTitle, RECT* rpItem, CRect* rpCaption, BOOL bIsPressed,
                           BOOL bIsDisabled) {
  const bool first = bIsPressed || m_bMouseOnButton || ((m_bIsCheckBox || m_bIsRadio) && m_nCheck);
  const Icon& icon = first || !m_icons[1].hIcon ? m_icons[0] : m_icons[1];
  const CRect item(rpItem);
  const int s = m_nImageSpacing;
  const int w = icon.cx, h = icon.cy;
  CPoint at(item.left + (item.Width() - w) / 2, item.top + (item.Height() - h) / 2);
  switch (m_byLayout) {
    case 0:
      if (bHasTitle) {
        at.x = item.left + s;
        rpCaption->left += s + w + 5;
      }
      break;
    case 1:
      if (bHasTitle) {
        rpCaption->top += h;
        at.y = (rpCaption->top - item.top - 16) / 2;
      }
      break;
    case 2:
      if (bHasTitle) {
        rpCaption->right -= rpCaption->left + s + w;
        rpCaption->left = s;
        at.x = item.right - s - w;
      }
      break;
    default:
      at = item.TopLeft();
      break;
  }
  if (bIsPressed && !(m_bIsCheckBox && m_bIsRadio)) at.Offset(m_ptPressedOffset);
  pDC->DrawState(at, CSize(w, h), icon.hIcon, DST_ICON | (bIsDisabled ? DSS_DISABLED : DSS_NORMAL),
                 static_cast<HBRUSH>(nullptr));
  return BTNST_OK;
}

DWORD CButtonST::PaintCaption(CDC* pDC, LPCTSTR lpszText, RECT*, CRect* rpCaption, BOOL bIsPressed,
                              BOOL bIsDisabled) {
  CRect caption = *rpCaption;
  if (bIsPressed && !(m_bIsCheckBox && m_bIsRadio)) caption.OffsetRect(m_ptPressedOffset);
  const bool push = !m_bIsCheckBox && !m_bIsRadio;
  const UINT format = DT_WORDBREAK | (push ? DT_CENTER : 0);
  CRect block = caption;
  pDC->DrawText(lpszText, -1, &block, format | DT_CALCRECT);
  block.OffsetRect((caption.Width() - block.Width()) / 2 + caption.left - block.left,
                   (caption.Height() - block.Height()) / 2 + caption.top - block.top);
  if (bIsDisabled) {
    CRect moved = block;
    moved.OffsetRect(1, 1);
    pDC->SetTextColor(GetSysColor(COLOR_3DHILIGHT));
    pDC->DrawText(lpszText, -1, &moved, format);
    pDC->SetTextColor(GetSysColor(COLOR_3DSHADOW));
    pDC->DrawText(lpszText, -1, &block, format);
    return BTNST_OK;
  }
  int text = BTNST_COLOR_FG_OUT, back = BTNST_COLOR_BK_OUT;
  if (m_bMouseOnButton || bIsPressed) {
    text = BTNST_COLOR_FG_IN;
    back = BTNST_COLOR_BK_IN;
  } else if (m_bIsFocused) {
    text = BTNST_COLOR_FG_FOCUS;
    back = BTNST_COLOR_BK_FOCUS;
  }
  pDC->SetTextColor(m_crColors[text]);
  pDC->SetBkColor(m_crColors[back]);
  pDC->DrawText(lpszText, -1, &block, format);
  return BTNST_OK;
}
