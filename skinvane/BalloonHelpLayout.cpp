// The look of CBalloonHelp: its texts, fonts, colours and icon, its size and
// place by the anchor, its region with the tail, and its painting.
#include <algorithm>

#include "skinvane/BalloonHelp.h"
#include "utilmere/Utilmere.h"

namespace {

constexpr int kMargin = 8;
constexpr int kTailHeight = 12;
constexpr int kTailWidth = 12;
constexpr int kTailInset = 16;
constexpr int kCloseSize = 16;
constexpr int kIconGap = 4;
constexpr int kMaxTextWidth = 400;

}  // namespace

void CBalloonHelp::SetTitle(const CString& title) {
  m_title = title;
  if (GetSafeHwnd()) {
    SetWindowText(title);
    PositionWindow();
  }
}

void CBalloonHelp::SetContent(const CString& content) {
  m_content = content;
  if (GetSafeHwnd()) PositionWindow();
}

void CBalloonHelp::SetTitleFont(CFont* font) {
  LOGFONT info = {};
  if (!font || !font->GetLogFont(&info)) return;
  m_titleFont.DeleteObject();
  m_titleFont.CreateFontIndirect(&info);
  if (GetSafeHwnd()) PositionWindow();
}

void CBalloonHelp::SetContentFont(CFont* font) {
  LOGFONT info = {};
  if (!font || !font->GetLogFont(&info)) return;
  m_contentFont.DeleteObject();
  m_contentFont.CreateFontIndirect(&info);
  if (GetSafeHwnd()) PositionWindow();
}

void CBalloonHelp::SetIcon(HICON icon) {
  m_icon.DeleteImageList();
  if (!icon) return;
  CSize size = gxGetIconSize(icon);
  if (size.cx <= 0 || size.cy <= 0) size = CSize(16, 16);
  if (m_icon.Create(size.cx, size.cy, ILC_COLOR32 | ILC_MASK, 1, 1)) m_icon.Add(icon);
  if (GetSafeHwnd()) PositionWindow();
}

void CBalloonHelp::SetIcon(HBITMAP bitmap, COLORREF mask) {
  m_icon.DeleteImageList();
  BITMAP info = {};
  if (!bitmap || !GetObject(bitmap, sizeof(info), &info)) return;
  if (m_icon.Create(info.bmWidth, info.bmHeight, ILC_COLOR32 | ILC_MASK, 1, 1))
    m_icon.Add(CBitmap::FromHandle(bitmap), mask);
  if (GetSafeHwnd()) PositionWindow();
}

void CBalloonHelp::SetIcon(HBITMAP bitmap, HBITMAP mask) {
  m_icon.DeleteImageList();
  BITMAP info = {};
  if (!bitmap || !GetObject(bitmap, sizeof(info), &info)) return;
  if (m_icon.Create(info.bmWidth, info.bmHeight, ILC_COLOR32 | ILC_MASK, 1, 1))
    m_icon.Add(CBitmap::FromHandle(bitmap), mask ? CBitmap::FromHandle(mask) : nullptr);
  if (GetSafeHwnd()) PositionWindow();
}

void CBalloonHelp::SetIcon(CImageList* list, int index) {
  if (!list || index < 0 || index >= list->GetImageCount()) return;
  HICON icon = list->ExtractIcon(index);
  SetIcon(icon);
  if (icon) DestroyIcon(icon);
}

void CBalloonHelp::SetAnchorPoint(CPoint anchor) {
  m_anchor = anchor;
  if (GetSafeHwnd()) PositionWindow();
}

void CBalloonHelp::SetForegroundColor(COLORREF colour) {
  m_foreground = colour;
  if (GetSafeHwnd()) Invalidate();
}

void CBalloonHelp::SetBackgroundColor(COLORREF colour) {
  m_background = colour;
  if (GetSafeHwnd()) Invalidate();
}

CSize CBalloonHelp::DrawHeader(CDC* dc, bool draw) {
  CSize size(0, 0);
  IMAGEINFO image = {};
  const int top = m_tailAtTop ? kTailHeight + kMargin : kMargin;
  int left = kMargin;
  if (m_icon.GetSafeHandle() && m_icon.GetImageInfo(0, &image)) {
    const CRect icon(image.rcImage);
    if (draw) m_icon.Draw(dc, 0, CPoint(left, top), ILD_TRANSPARENT);
    size.cx = icon.Width() + kIconGap;
    size.cy = icon.Height();
    left += size.cx;
  }
  CFont* old = dc->SelectObject(&m_titleFont);
  CRect text(left, top, left + kMaxTextWidth, top);
  dc->DrawText(m_title, &text, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
  if (draw) {
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(m_foreground);
    dc->DrawText(m_title, &text, DT_SINGLELINE | DT_NOPREFIX);
  }
  dc->SelectObject(old);
  size.cx += text.Width();
  size.cy = std::max<LONG>(size.cy, text.Height());
  if (m_options & BALLOON_SHOW_CLOSE_BUTTON) {
    size.cx += kIconGap + kCloseSize;
    size.cy = std::max<LONG>(size.cy, kCloseSize);
  }
  return size;
}

CSize CBalloonHelp::DrawContent(CDC* dc, int top, bool draw) {
  CFont* old = dc->SelectObject(&m_contentFont);
  CRect text(kMargin, top, kMargin + kMaxTextWidth, top);
  dc->DrawText(m_content, &text, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
  if (draw) {
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(m_foreground);
    dc->DrawText(m_content, &text, DT_WORDBREAK | DT_NOPREFIX);
  }
  dc->SelectObject(old);
  return text.Size();
}

CSize CBalloonHelp::CalcClientSize() {
  CClientDC dc(this);
  const CSize header = DrawHeader(&dc, false);
  const CSize content = m_content.IsEmpty() ? CSize(0, 0) : DrawContent(&dc, 0, false);
  const int gap = m_content.IsEmpty() ? 0 : kMargin / 2;
  return CSize(std::max(header.cx, content.cx) + 2 * kMargin,
               header.cy + gap + content.cy + 2 * kMargin + kTailHeight);
}

CRect CBalloonHelp::CloseButtonRect() const {
  CRect client;
  GetClientRect(&client);
  const int top = (m_tailAtTop ? kTailHeight : 0) + kMargin / 2;
  return CRect(client.right - kMargin / 2 - kCloseSize, top, client.right - kMargin / 2, top + kCloseSize);
}

void CBalloonHelp::PositionWindow() {
  if (!GetSafeHwnd()) return;
  CRect window;
  GetWindowRect(&window);
  CSize size = CalcClientSize();
  // The edit line keeps the height it added.
  if (m_edit) size.cy = std::max<LONG>(size.cy, window.Height());
  const CSize screen = GetScreenSize();
  // The quadrant that fits: below the anchor in the upper half, else above;
  // to the right of it in the left half, else to the left.
  m_tailAtTop = m_anchor.y < screen.cy / 2;
  const bool toRight = m_anchor.x < screen.cx / 2;
  const int left = toRight ? m_anchor.x - kTailInset : m_anchor.x + kTailInset - size.cx;
  const int top = m_tailAtTop ? m_anchor.y : m_anchor.y - size.cy;
  SetWindowPos(nullptr, left, top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);

  // The body and a tail of rows narrowing towards the anchor.
  const int bodyTop = m_tailAtTop ? kTailHeight : 0;
  CRgn body;
  body.CreateRectRgn(0, bodyTop, size.cx, bodyTop + size.cy - kTailHeight);
  const int tip = m_anchor.x - left;
  for (int row = 0; row < kTailHeight; ++row) {
    const int y = m_tailAtTop ? row : size.cy - 1 - row;
    const int width = kTailWidth * (row + 1) / kTailHeight;
    const int x0 = toRight ? tip : tip - width;
    CRgn line;
    line.CreateRectRgn(x0, y, x0 + std::max(1, width), y + 1);
    body.CombineRgn(&body, &line, RGN_OR);
  }
  m_region.DeleteObject();
  m_region.CreateRectRgn(0, 0, 0, 0);
  m_region.CopyRgn(&body);
  SetWindowRgn(static_cast<HRGN>(body.Detach()), TRUE);
}

void CBalloonHelp::DrawCloseButton(CDC* dc) {
  if (!(m_options & BALLOON_SHOW_CLOSE_BUTTON)) return;
  CRect button = CloseButtonRect();
  dc->DrawFrameControl(&button, DFC_CAPTION, DFCS_CAPTIONCLOSE | m_closeState);
}

BOOL CBalloonHelp::OnEraseBkgnd(CDC*) { return TRUE; }

void CBalloonHelp::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  dc.FillSolidRect(&client, m_background);
  CBrush frame;
  frame.CreateSolidBrush(m_foreground);
  CRect body = client;
  if (m_tailAtTop)
    body.top += kTailHeight;
  else
    body.bottom -= kTailHeight;
  dc.FrameRect(&body, &frame);
  const CSize header = DrawHeader(&dc, true);
  DrawContent(&dc, body.top + kMargin + header.cy + kMargin / 2, true);
  DrawCloseButton(&dc);
}
