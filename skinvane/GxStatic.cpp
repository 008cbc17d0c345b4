#include "skinvane/GxStatic.h"

#include "skinvane/SkinColors.h"

BEGIN_MESSAGE_MAP(CGxStatic, CStatic)
  ON_WM_CTLCOLOR_REFLECT()
  ON_WM_ERASEBKGND()
  ON_WM_SETCURSOR()
  ON_MESSAGE(WM_SETTEXT, &CGxStatic::OnSetText)
END_MESSAGE_MAP()

CGxStatic::CGxStatic() { m_owner = this; }

CGxStatic::~CGxStatic() = default;

void CGxStatic::PreSubclassWindow() {
  CStatic::PreSubclassWindow();
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

BOOL CGxStatic::PreTranslateMessage(MSG* msg) {
  RelayEvent_ToolTip(msg);
  return CStatic::PreTranslateMessage(msg);
}

void CGxStatic::Refresh() {
  ShowWindow(SW_HIDE);
  ShowWindow(SW_SHOW);
}

CSize CGxStatic::GetTextSize() {
  CString text;
  GetWindowText(text);
  CClientDC dc(this);
  HFONT font = m_textFont && m_textFont->GetSafeHandle() ? static_cast<HFONT>(m_textFont->GetSafeHandle())
                                                          : reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
  HGDIOBJ old = font ? SelectObject(dc.GetSafeHdc(), font) : nullptr;
  CSize size = dc.GetTextExtent(text);
  if (old) SelectObject(dc.GetSafeHdc(), old);
  return size;
}

void CGxStatic::SetToolTipText(const CString& text, int activate) {
  CWndCommonAttr::SetToolTipText(text, activate);
  if (GetSafeHwnd()) ModifyStyle(0, SS_NOTIFY);
}

void CGxStatic::GxInvalidate(int erase) {
  if (GetSafeHwnd()) Invalidate(erase);
}

HBRUSH CGxStatic::CtlColor(CDC* dc, UINT) {
  return skinvane::skinColorAnswer(dc, m_transparent, m_textColor, m_bkColor, m_bkBrush);
}

BOOL CGxStatic::OnEraseBkgnd(CDC* dc) {
  if (m_transparent) {
    dc->SetBkMode(TRANSPARENT);
    return TRUE;
  }
  dc->SetBkColor(m_bkColor);
  return static_cast<BOOL>(Default());
}

BOOL CGxStatic::OnSetCursor(CWnd*, UINT, UINT) {
  if (m_cursor) ::SetCursor(m_cursor);
  return TRUE;
}

LRESULT CGxStatic::OnSetText(WPARAM, LPARAM) {
  Default();
  Refresh();
  return 1;
}
