// The rectangle, frame, image and line members of CDC.
#include "platform/mfc/DC.h"

namespace {

HBRUSH handleOf(CBrush* brush) { return brush ? static_cast<HBRUSH>(*brush) : nullptr; }

}  // namespace

void CDC::FillRect(LPCRECT rect, CBrush* brush) { ::FillRect(m_hDC, rect, handleOf(brush)); }

void CDC::FrameRect(LPCRECT rect, CBrush* brush) { ::FrameRect(m_hDC, rect, handleOf(brush)); }

void CDC::Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight) {
  if (!rect) return;
  Draw3dRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, topLeft, bottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight) {
  FillSolidRect(x, y, cx - 1, 1, topLeft);
  FillSolidRect(x, y, 1, cy - 1, topLeft);
  FillSolidRect(x + cx - 1, y, 1, cy, bottomRight);
  FillSolidRect(x, y + cy - 1, cx, 1, bottomRight);
}

BOOL CDC::DrawState(CPoint at, CSize size, HICON icon, UINT flags, HBRUSH brush) {
  return ::DrawState(m_hDC, brush, nullptr, reinterpret_cast<LPARAM>(icon), 0, at.x, at.y, size.cx, size.cy,
                     flags | DST_ICON);
}

BOOL CDC::DrawState(CPoint at, CSize size, HICON icon, UINT flags, CBrush* brush) {
  return DrawState(at, size, icon, flags, handleOf(brush));
}

BOOL CDC::DrawState(CPoint at, CSize size, HBITMAP bitmap, UINT flags, HBRUSH brush) {
  return ::DrawState(m_hDC, brush, nullptr, reinterpret_cast<LPARAM>(bitmap), 0, at.x, at.y, size.cx, size.cy,
                     flags | DST_BITMAP);
}

BOOL CDC::DrawState(CPoint at, CSize size, CBitmap* bitmap, UINT flags, CBrush* brush) {
  return DrawState(at, size, bitmap ? static_cast<HBITMAP>(*bitmap) : nullptr, flags, handleOf(brush));
}

CPoint CDC::MoveTo(int x, int y) {
  POINT previous{0, 0};
  ::MoveToEx(m_hDC, x, y, &previous);
  return CPoint(previous.x, previous.y);
}
