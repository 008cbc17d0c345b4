#include "skinvane/GxComboBox.h"

BEGIN_MESSAGE_MAP(CGxComboBox, CComboBox)
  ON_WM_CTLCOLOR_REFLECT()
  ON_WM_CREATE()
END_MESSAGE_MAP()

CGxComboBox::CGxComboBox() {
  m_bkColor = GetSysColor(COLOR_WINDOW);
  m_textColor = GetSysColor(COLOR_WINDOWTEXT);
  m_owner = this;
}

CGxComboBox::~CGxComboBox() = default;

int CGxComboBox::EnableEditing(int enable) {
  m_editing = enable;
  return 1;
}

BOOL CGxComboBox::PreTranslateMessage(MSG* msg) {
  RelayEvent_ToolTip(msg);
  return CComboBox::PreTranslateMessage(msg);
}

LRESULT CGxComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!m_editing && (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK || message == WM_KEYDOWN ||
                     message == WM_VKEYTOITEM))
    return 0;
  return CComboBox::WindowProc(message, wParam, lParam);
}

void CGxComboBox::SetFont(CFont* font, int redraw) {
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font ? font->GetSafeHandle() : nullptr), redraw);
}

int CGxComboBox::OnCreate(LPCREATESTRUCT create) {
  if (CComboBox::OnCreate(create) == -1) return -1;
  SetTextFont(9, "Times New Roman", 0, 0, 0, 0);
  return 0;
}

HBRUSH CGxComboBox::CtlColor(CDC* dc, UINT) {
  dc->SetBkColor(m_bkColor);
  dc->SetTextColor(m_textColor);
  return static_cast<HBRUSH>(m_bkBrush.GetSafeHandle());
}
