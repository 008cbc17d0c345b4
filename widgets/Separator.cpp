#include "widgets/Separator.h"

BEGIN_MESSAGE_MAP(CSeparator, CStatic)
  ON_WM_PAINT()
END_MESSAGE_MAP()

void CSeparator::OnPaint() {
  CPaintDC dc(this);
  CRect window;
  GetWindowRect(&window);
  const int w = window.Width(), h = window.Height();
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  if (h > w) {
    dc.Draw3dRect(w / 2, 0, 2, h, shadow, light);
    return;
  }
  dc.Draw3dRect(0, h / 2, w, 2, shadow, light);
  CString text;
  GetWindowText(text);
  if (text.IsEmpty()) return;
  const DWORD style = GetStyle();
  const DWORD type = style & SS_TYPEMASK;
  UINT format = DT_SINGLELINE | DT_VCENTER;
  if (type == SS_CENTER) {
    text = "  " + text + "  ";
    format |= DT_CENTER;
  } else if (type == SS_RIGHT) {
    text = "  " + text;
    format |= DT_RIGHT;
  } else {
    text += "  ";
    format |= DT_LEFT;
  }
  if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
  CFont* font = GetFont();
  CFont* oldFont = font ? dc.SelectObject(font) : nullptr;
  dc.SetBkMode(OPAQUE);
  dc.SetBkColor(GetSysColor(COLOR_BTNFACE));
  CRect client;
  GetClientRect(&client);
  dc.DrawText(text, &client, format);
  if (oldFont) dc.SelectObject(oldFont);
}
