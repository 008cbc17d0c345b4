#include "widgets/InfoWnd.h"

namespace {

constexpr UINT kTextFormat = DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL;  // 0x2810

// The background of every pop-up: the colour of the first one constructed.
struct ClassBrush {
  bool coloured = false;
  COLORREF colour = 0;
  HBRUSH brush = nullptr;
};
ClassBrush& classBrush() {
  static ClassBrush brush;
  return brush;
}

}  // namespace

BEGIN_MESSAGE_MAP(CInfoWnd, CWnd)
  ON_WM_PAINT()
  ON_WM_LBUTTONUP()
  ON_WM_TIMER()
END_MESSAGE_MAP()

CInfoWnd::CInfoWnd(COLORREF crBackground) {
  ClassBrush& shared = classBrush();
  if (!shared.coloured) {
    shared.coloured = true;
    shared.colour = crBackground;
  }
  WNDCLASS wc{};
  if (GetClassInfo(AfxGetInstanceHandle(), kClassName, &wc)) return;
  if (!shared.brush || !GetObjectType(shared.brush)) shared.brush = CreateSolidBrush(shared.colour);
  wc.style = CS_SAVEBITS;
  wc.lpfnWndProc = ::DefWindowProc;
  wc.hInstance = AfxGetInstanceHandle();
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = shared.brush;
  wc.lpszClassName = kClassName;
  if (!RegisterClass(&wc)) AfxThrowResourceException();
}

BOOL CInfoWnd::Create(CWnd* pOwner) {
  m_pOwner = pOwner;
  return CreateEx(WS_EX_TOOLWINDOW, kClassName, nullptr, WS_POPUP | WS_BORDER, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, pOwner ? pOwner->GetSafeHwnd() : nullptr, nullptr);
}

void CInfoWnd::ShowInfo(CWnd* pControl, LPCTSTR lpszText) {
  if (!GetSafeHwnd() || IsWindowVisible() || !pControl) return;
  CRect control;
  pControl->GetWindowRect(&control);
  m_strText = CString(" ") + (lpszText ? lpszText : "") + " ";
  CSize size;
  TEXTMETRIC metrics{};
  {
    CClientDC dc(this);
    CFont* font = m_pOwner ? m_pOwner->GetFont() : nullptr;
    CFont* oldFont = font ? dc.SelectObject(font) : nullptr;
    size = dc.GetTextExtent(m_strText);
    dc.GetTextMetrics(&metrics);
    if (oldFont) dc.SelectObject(oldFont);
  }
  const int width = size.cx + metrics.tmOverhang + 2;
  const int height = size.cy + metrics.tmDescent + 2;
  int left = control.left, top = control.top - m_nGapY - height;
  if (m_nPlacement & kBelow) {
    top = control.bottom + m_nGapY;
  } else if (m_nPlacement & kRight) {
    left = control.right + m_nGapX;
    top = control.top;
  } else if (m_nPlacement & kLeft) {
    left = control.left - m_nGapX - width;
    top = control.top;
  }
  m_rcShown = CRect(left, top, left + width, top + height);
  SetWindowPos(&wndTop, left - 3, top - 1, width + 3, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  m_nTimer = SetTimer(kTimerId, kShowTime, nullptr);
}

void CInfoWnd::HideInfo() {
  if (GetSafeHwnd()) ShowWindow(SW_HIDE);
}

void CInfoWnd::OnPaint() {
  CPaintDC dc(this);
  CFont* font = m_pOwner ? m_pOwner->GetFont() : nullptr;
  CFont* oldFont = font ? dc.SelectObject(font) : nullptr;
  dc.SetBkMode(TRANSPARENT);
  CRect rect = m_rcShown;
  ScreenToClient(&rect);
  dc.DrawText(m_strText, &rect, kTextFormat);
  if (oldFont) dc.SelectObject(oldFont);
}

void CInfoWnd::OnLButtonUp(UINT nFlags, CPoint point) {
  HideInfo();
  CWnd::OnLButtonUp(nFlags, point);
}

void CInfoWnd::OnTimer(UINT_PTR nIDEvent) {
  KillTimer(m_nTimer);
  HideInfo();
  CWnd::OnTimer(nIDEvent);
}
