#include "skinvane/GxGroupBox.h"

#include "skinvane/SkinColors.h"

BEGIN_MESSAGE_MAP(CGxGroupBox, CButton)
  ON_WM_CTLCOLOR_REFLECT()
  ON_WM_ERASEBKGND()
  ON_WM_CREATE()
END_MESSAGE_MAP()

CGxGroupBox::CGxGroupBox() { m_owner = this; }

CGxGroupBox::~CGxGroupBox() = default;

void CGxGroupBox::InitGroupBox() {
  if (m_initialised || !GetSafeHwnd()) return;
  m_initialised = 1;
  // The whole button-type nibble becomes a group box; every other bit stays.
  const DWORD style = GetStyle();
  SetWindowLong(m_hWnd, GWL_STYLE, static_cast<LONG>((style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_GROUPBOX));
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
  GetClientRect(&m_clientRect);
}

void CGxGroupBox::PreSubclassWindow() {
  CButton::PreSubclassWindow();
  InitGroupBox();
}

int CGxGroupBox::OnCreate(LPCREATESTRUCT create) {
  if (CButton::OnCreate(create) == -1) return -1;
  InitGroupBox();
  return 0;
}

void CGxGroupBox::SetBkColorGx(COLORREF colour) {
  CWndCommonAttr::SetBkColorGx(colour);
  m_transparent = 0;
}

HBRUSH CGxGroupBox::CtlColor(CDC* dc, UINT) {
  return skinvane::skinColorAnswer(dc, m_transparent, m_textColor, m_bkColor, m_bkBrush);
}

BOOL CGxGroupBox::OnEraseBkgnd(CDC* dc) {
  if (m_transparent)
    dc->SetBkMode(TRANSPARENT);
  else
    dc->SetBkColor(m_bkColor);
  return static_cast<BOOL>(Default());
}
