#include "frontend/PictureDraw.h"

CPictureDraw::CPictureDraw(CWnd* owner) : m_owner(owner) {}

CPictureDraw::~CPictureDraw() = default;

RECT CPictureDraw::TargetRect() const {
  if (m_rect.left != 0 || m_rect.top != 0 || m_rect.right != 0 || m_rect.bottom != 0) return m_rect;
  RECT client{0, 0, 0, 0};
  if (m_owner != nullptr && ::IsWindow(m_owner->GetSafeHwnd())) ::GetClientRect(m_owner->GetSafeHwnd(), &client);
  return client;
}

void CPictureDraw::Draw(CDC* dc) {
  if (m_icon != nullptr || !m_picture.HasPicture() || dc == nullptr) return;
  const RECT target = TargetRect();
  const SIZE natural = m_picture.GetSizeInPixels(dc);
  CRect shown;
  shown.IntersectRect(CRect(target.left, target.top, target.left + natural.cx, target.top + natural.cy), &target);
  m_picture.Render(dc, shown);
}

BOOL CPictureDraw::EraseBackground(CDC* dc) {
  if (m_owner == nullptr || !::IsWindow(m_owner->GetSafeHwnd())) return FALSE;
  if (m_icon != nullptr || !m_picture.HasPicture() || dc == nullptr) return TRUE;
  const RECT target = TargetRect();
  m_picture.EraseAround(dc, m_owner->GetSafeHwnd(), target, POINT{target.left, target.top});
  return TRUE;
}
