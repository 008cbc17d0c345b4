// The text members of CDC.
#include "platform/mfc/DC.h"

CFont* CDC::SelectObject(CFont* font) {
  return CFont::FromHandle(static_cast<HFONT>(::SelectObject(m_hDC, font ? font->m_hObject : nullptr)));
}

int CDC::DrawText(const CString& text, LPRECT rect, UINT format) {
  return ::DrawText(m_hDC, text.GetString(), text.GetLength(), rect, format);
}

BOOL CDC::TextOut(int x, int y, const CString& text) { return ::TextOut(m_hDC, x, y, text.GetString(), text.GetLength()); }

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text, LPINT dx) {
  return ::ExtTextOut(m_hDC, x, y, options, rect, text.GetString(), static_cast<UINT>(text.GetLength()), dx);
}

CSize CDC::GetTextExtent(LPCTSTR text, int count) const {
  SIZE size{0, 0};
  if (!::GetTextExtentPoint32(m_hAttribDC ? m_hAttribDC : m_hDC, text, count, &size)) return CSize(0, 0);
  return CSize(size.cx, size.cy);
}

CSize CDC::GetTextExtent(const CString& text) const { return GetTextExtent(text.GetString(), text.GetLength()); }
