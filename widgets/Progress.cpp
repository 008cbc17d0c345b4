#include "widgets/Progress.h"

#include <algorithm>
#include <cstdlib>

#include "widgets/MemDC.h"
#include "widgets/Select.h"

namespace {

constexpr DWORD kTextModes = CProgress::kShowPercent | CProgress::kShowPosition;
constexpr UINT kTextAlign = TA_CENTER | TA_BOTTOM;

}  // namespace

CProgress::CProgress()
    : m_clrBk(GetSysColor(COLOR_BTNFACE)),
      m_clrTextOnBar(GetSysColor(COLOR_CAPTIONTEXT)),
      m_clrTextOnBk(GetSysColor(COLOR_BTNTEXT)) {
  BOOL gradientCaptions = FALSE;
  SystemParametersInfo(SPI_GETGRADIENTCAPTIONS, 0, &gradientCaptions, 0);
  SetEvenColors(2, GetSysColor(COLOR_ACTIVECAPTION),
                GetSysColor(gradientCaptions ? COLOR_GRADIENTACTIVECAPTION : COLOR_ACTIVECAPTION));
}

BOOL CProgress::ModifyStyle(DWORD dwRemove, DWORD dwAdd) {
  const DWORD old = m_dwStyle;
  m_dwStyle = (m_dwStyle & ~dwRemove) | dwAdd;
  return old != m_dwStyle;
}

BOOL CProgress::CanChangePos(int, int) { return TRUE; }

void CProgress::OnPosChanged(int) {}

void CProgress::UpdatePos(int pos) {
  pos = std::clamp(pos, m_nLower, m_nUpper);
  if (pos == m_nPos || !CanChangePos(m_nPos, pos)) return;
  m_nPos = pos;
  OnPosChanged(pos);
}

void CProgress::SetRange(int a, int b) {
  m_nLower = std::min(a, b);
  m_nUpper = std::max(a, b);
  UpdatePos(m_nPos);
}

BOOL CProgress::SnakeStep(int value, BOOL relative) {
  if (!(GetStyle() & kSnake)) return FALSE;
  int head = value;
  if (relative) {
    head = m_nPos;
    if (head == m_nUpper && head - m_nTail < m_nSnakeSize) head = m_nTail + m_nSnakeSize;
    head += std::abs(value);
  }
  if (head > m_nUpper + m_nSnakeSize) {
    head += m_nLower - m_nSnakeSize - m_nUpper;
    head = std::min(head, m_nUpper + m_nSnakeSize);
    if (GetStyle() & kSnakeBackwards)
      ModifyStyle(kSnakeBackwards, 0);
    else
      ModifyStyle(0, kSnakeBackwards);
  }
  m_nTail = std::max(head - m_nSnakeSize, m_nLower);
  UpdatePos(head);
  return TRUE;
}

int CProgress::SetPos(int pos) {
  const int previous = m_nPos;
  if (!SnakeStep(pos, FALSE)) UpdatePos(pos);
  return previous;
}

int CProgress::OffsetPos(int delta) {
  const int previous = m_nPos;
  if (!SnakeStep(delta, TRUE)) UpdatePos(m_nPos + delta);
  return previous;
}

int CProgress::SetStep(int step) {
  const int previous = m_nStep;
  m_nStep = step;
  return previous;
}

COLORREF CProgress::SetBkColor(COLORREF colour) {
  const COLORREF previous = m_clrBk;
  m_clrBk = colour;
  return previous;
}

void CProgress::SetClipRgn(const CRgn* pRgn) {
  m_rgnClip.DeleteObject();
  if (pRgn && pRgn->GetSafeHandle() && m_rgnClip.CreateRectRgn(0, 0, 0, 0)) m_rgnClip.CopyRgn(pRgn);
}

void CProgress::SetTextFormat(LPCSTR format, DWORD mode) {
  if (format && *format && mode) {
    ModifyStyle(kTextModes, mode & kTextModes);
    m_strTextFormat = format;
  } else {
    ModifyStyle(kTextModes, 0);
    m_strTextFormat.Empty();
  }
}

float CProgress::GetPercent() {
  const DWORD style = GetStyle();
  if (style & kShowPercent) {
    if (m_nUpper == m_nLower) return 0;
    return static_cast<float>(m_nPos - m_nLower) * 100 / static_cast<float>(m_nUpper - m_nLower);
  }
  if (style & kShowPosition) return static_cast<float>(m_nPos);
  return 0;
}

CString CProgress::FormatText() {
  CString text;
  const DWORD style = GetStyle();
  if (style & kShowPercent)
    text.Format(m_strTextFormat.IsEmpty() ? "%d%%" : static_cast<LPCSTR>(m_strTextFormat),
                static_cast<int>(GetPercent()));
  else if (style & kShowPosition)
    text.Format(m_strTextFormat.IsEmpty() ? "%d" : static_cast<LPCSTR>(m_strTextFormat), m_nPos);
  return text;
}

void CProgress::AdvanceMarquee(int step) {
  const int span = static_cast<int>((m_nUpper - m_nLower) * GetLengthFactor());
  m_nSnakeOffset = span == 0 ? 0 : (m_nSnakeOffset + step) % span;
}

void CProgress::Draw(CDC* pDC, const CRect& rect) {
  const int saved = pDC->SaveDC();
  if (m_rgnClip.GetSafeHandle()) {
    CRgn placed;
    placed.CreateRectRgn(0, 0, 0, 0);
    placed.CopyRgn(&m_rgnClip);
    CPoint origin = rect.TopLeft();
    pDC->LPtoDP(&origin);
    placed.OffsetRgn(origin);
    pDC->SelectClipRgn(&placed);
  }
  {
    const bool paintsBackground = m_pBkBrush || m_clrBk != CLR_NONE;
    CMemDC dc(pDC, &rect, !paintsBackground);
    if (m_pBkBrush)
      dc.FillRect(&rect, m_pBkBrush);
    else if (m_clrBk != CLR_NONE)
      dc.FillSolidRect(&rect, m_clrBk);

    CRect bar(rect.left + m_rcBorders.left, rect.top + m_rcBorders.top, rect.right - m_rcBorders.right,
              rect.bottom - m_rcBorders.bottom);
    CRect fill(bar.left, bar.top, bar.left, bar.top);
    const DWORD style = GetStyle();
    const int range = m_nUpper - m_nLower;
    if (m_nLower <= m_nPos && m_nPos <= m_nUpper && range != 0) {
      const bool vertical = (style & kVertical) != 0;
      const int length = vertical ? bar.Height() : bar.Width();
      const int end = static_cast<int>(static_cast<float>(length) * (m_nPos - m_nLower) / range);
      const int start = (style & kSnake) ? static_cast<int>(static_cast<float>(length) * (m_nTail - m_nLower) / range) : 0;
      const bool backwards = (style & kSnakeBackwards) != 0;
      SetDirection(vertical ? (backwards ? kTopToBottom : kBottomToTop) : (backwards ? kRightToLeft : kLeftToRight));
      fill = Strip(bar, start, end);
      if (m_pBarBrush) {
        dc.FillRect(&fill, m_pBarBrush);
      } else {
        const int extentStart = (style & kStretchGradient) ? start : 0;
        const int extentEnd = (style & kStretchGradient) ? end : length;
        const int extentLength = extentEnd - extentStart;
        CGradient::Draw(&dc, Strip(bar, extentStart, extentEnd), start - extentStart, end - extentStart,
                        m_nSnakeOffset * extentLength / range);
      }
    }
    DrawText(&dc, rect, fill);
  }
  pDC->RestoreDC(saved);
}

void CProgress::DrawText(CDC* pDC, const CRect& rcBar, const CRect& rcFill) {
  const DWORD style = GetStyle();
  if (!(style & kTextModes)) return;
  const CString text = FormatText();
  CSelFont font(pDC, m_hFont ? CFont::FromHandle(m_hFont) : nullptr);
  CSelBkMode mode(pDC, TRANSPARENT);
  CSelTextAlign align(pDC, kTextAlign);

  const CSize extent = pDC->GetTextExtent(text);
  LOGFONT logFont{};
  GetObject(GetCurrentObject(pDC->GetSafeHdc(), OBJ_FONT), sizeof logFont, &logFont);
  // The box the text covers on the screen, and where its reference point
  // (the middle of the text's bottom edge) lies from the box's centre.
  CSize box = extent;
  CPoint anchor(0, extent.cy / 2);
  switch (((logFont.lfEscapement % 3600) + 3600) % 3600) {
    case 900:
      box = CSize(extent.cy, extent.cx);
      anchor = CPoint(extent.cy / 2, 0);
      break;
    case 1800:
      anchor = CPoint(0, -extent.cy / 2);
      break;
    case 2700:
      box = CSize(extent.cy, extent.cx);
      anchor = CPoint(-extent.cy / 2, 0);
      break;
    default:
      break;
  }
  const bool onBar = (style & kTextOnBar) != 0;
  const CRect& place = onBar ? rcFill : rcBar;
  CPoint centre = place.CenterPoint();
  const DWORD horizontal = style & (kTextLeft | kTextRight);
  const DWORD verticalBits = style & (kTextTop | kTextBottom);
  if (horizontal == kTextLeft) centre.x = place.left + box.cx / 2;
  if (horizontal == kTextRight) centre.x = place.right - (box.cx - box.cx / 2);
  if (verticalBits == kTextTop) centre.y = place.top + box.cy / 2;
  if (verticalBits == kTextBottom) centre.y = place.bottom - (box.cy - box.cy / 2);
  const CPoint at(centre.x + anchor.x, centre.y + anchor.y);

  if (onBar) {
    const CRect covered(centre.x - box.cx / 2, centre.y - box.cy / 2, centre.x - box.cx / 2 + box.cx,
                        centre.y - box.cy / 2 + box.cy);
    CRect inside;
    if (inside.IntersectRect(&covered, &rcFill) && inside == covered) {
      CSelTextColor colour(pDC, m_clrTextOnBar);
      DrawClippedText(pDC, rcFill, text, at);
    }
    return;
  }
  {
    const int saved = pDC->SaveDC();
    pDC->ExcludeClipRect(&rcFill);
    CSelTextColor colour(pDC, m_clrTextOnBk);
    DrawClippedText(pDC, rcBar, text, at);
    pDC->RestoreDC(saved);
  }
  if (m_clrTextOnBk != m_clrTextOnBar) {
    CSelTextColor colour(pDC, m_clrTextOnBar);
    DrawClippedText(pDC, rcFill, text, at);
  }
}

void CProgress::DrawClippedText(CDC* pDC, const CRect& clip, const CString& text, const CPoint& at) {
  if (clip.IsRectEmpty()) return;
  const int saved = pDC->SaveDC();
  pDC->IntersectClipRect(&clip);
  pDC->TextOut(at.x, at.y, text);
  pDC->RestoreDC(saved);
}
