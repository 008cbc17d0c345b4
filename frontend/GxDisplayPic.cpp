#include "frontend/GxDisplayPic.h"

#include "utilmere/Utilmere.h"

BEGIN_MESSAGE_MAP(CGxDisplayPic, CStatic)
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
END_MESSAGE_MAP()

CGxDisplayPic::CGxDisplayPic() = default;

CGxDisplayPic::~CGxDisplayPic() {
  if (m_icon != nullptr) DestroyIcon(m_icon);
}

BOOL CGxDisplayPic::SetIcon(HICON icon) {
  m_icon = icon;
  return icon != nullptr;
}

BOOL CGxDisplayPic::LoadIconFile(const char* path) {
  return SetIcon(ExtractIcon(AfxGetInstanceHandle(), path != nullptr ? path : "", 0));
}

void CGxDisplayPic::BeginModalState() { EnableWindow(FALSE); }

void CGxDisplayPic::EndModalState() { EnableWindow(TRUE); }

BOOL CGxDisplayPic::OnEraseBkgnd(CDC* dc) {
  if (m_icon != nullptr || !m_picture.HasPicture()) return TRUE;
  CRect client;
  GetClientRect(&client);
  m_picture.EraseAround(dc, m_hWnd, client, POINT{0, 0});
  return TRUE;
}

void CGxDisplayPic::OnPaint() {
  CPaintDC dc(this);
  dc.SetBkMode(TRANSPARENT);
  CRect client;
  GetClientRect(&client);
  if (m_icon != nullptr) {
    gxDrawIcon(&dc, m_icon, client);
    return;
  }
  if (!m_picture.HasPicture()) return;
  CRect target = client;
  if (m_fillRect == 0) {
    const SIZE natural = m_picture.GetSizeInPixels(&dc);
    target.IntersectRect(&client, CRect(0, 0, natural.cx, natural.cy));
  }
  m_picture.Render(&dc, target);
}
