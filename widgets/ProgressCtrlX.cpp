#include "widgets/ProgressCtrlX.h"

#include <cstring>

BEGIN_MESSAGE_MAP(CProgressCtrlX, CProgressCtrl)
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
  ON_WM_TIMER()
  ON_MESSAGE(PBM_SETRANGE, &CProgressCtrlX::OnSetRange)
  ON_MESSAGE(PBM_SETRANGE32, &CProgressCtrlX::OnSetRange32)
  ON_MESSAGE(PBM_GETRANGE, &CProgressCtrlX::OnGetRange)
  ON_MESSAGE(PBM_SETPOS, &CProgressCtrlX::OnSetPos)
  ON_MESSAGE(PBM_DELTAPOS, &CProgressCtrlX::OnDeltaPos)
  ON_MESSAGE(PBM_STEPIT, &CProgressCtrlX::OnStepIt)
  ON_MESSAGE(PBM_SETSTEP, &CProgressCtrlX::OnSetStep)
  ON_MESSAGE(PBM_GETPOS, &CProgressCtrlX::OnGetPos)
  ON_MESSAGE(PBM_SETBARCOLOR, &CProgressCtrlX::OnSetBarColor)
  ON_MESSAGE(PBM_SETBKCOLOR, &CProgressCtrlX::OnSetBkColor)
  ON_MESSAGE(WM_SETTEXT, &CProgressCtrlX::OnSetText)
  ON_MESSAGE(WM_GETTEXT, &CProgressCtrlX::OnGetText)
  ON_MESSAGE(WM_GETTEXTLENGTH, &CProgressCtrlX::OnGetTextLength)
  ON_MESSAGE(WM_SETFONT, &CProgressCtrlX::OnSetFont)
  ON_MESSAGE(WM_GETFONT, &CProgressCtrlX::OnGetFont)
END_MESSAGE_MAP()

int CProgressCtrlX::SetPos(int pos) {
  const int previous = CProgress::SetPos(pos);
  Invalidate(TRUE);
  return previous;
}

void CProgressCtrlX::SetTextFont(CFont* pFont) {
  SetFontHandle(pFont ? static_cast<HFONT>(pFont->GetSafeHandle()) : nullptr);
  Invalidate(TRUE);
}

void CProgressCtrlX::StartMarquee(UINT period, int step) {
  m_nMarqueeStep = step;
  KillTimer(kMarqueeTimer);
  SetTimer(kMarqueeTimer, period, nullptr);
}

BOOL CProgressCtrlX::OnEraseBkgnd(CDC*) { return TRUE; }

void CProgressCtrlX::OnPaint() {
  CPaintDC dc(this);
  CPalette* oldPalette = nullptr;
  if (CPalette* palette = GetPalette()) {
    oldPalette = dc.SelectPalette(palette, FALSE);
    dc.RealizePalette();
  }
  CRect client;
  GetClientRect(&client);
  Draw(&dc, client);
  if (oldPalette) dc.SelectPalette(oldPalette, FALSE);
}

void CProgressCtrlX::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == kStepTimer) {
    StepIt();
    Repaint();
  } else if (nIDEvent == kMarqueeTimer) {
    AdvanceMarquee(m_nMarqueeStep);
    Repaint();
  } else {
    CProgressCtrl::OnTimer(nIDEvent);
  }
}

LRESULT CProgressCtrlX::ApplyRange(int a, int b) {
  int lower = 0, upper = 0;
  GetRange(lower, upper);
  SetRange(a, b);
  Repaint();
  return MAKELRESULT(lower, upper);
}

LRESULT CProgressCtrlX::OnSetRange(WPARAM, LPARAM lParam) { return ApplyRange(LOWORD(lParam), HIWORD(lParam)); }

LRESULT CProgressCtrlX::OnSetRange32(WPARAM wParam, LPARAM lParam) {
  return ApplyRange(static_cast<int>(wParam), static_cast<int>(lParam));
}

LRESULT CProgressCtrlX::OnGetRange(WPARAM wParam, LPARAM lParam) {
  int lower = 0, upper = 0;
  GetRange(lower, upper);
  if (auto* range = reinterpret_cast<PBRANGE*>(lParam)) {
    range->iLow = lower;
    range->iHigh = upper;
  }
  return wParam ? lower : upper;
}

LRESULT CProgressCtrlX::OnSetPos(WPARAM wParam, LPARAM) {
  const int previous = CProgress::SetPos(static_cast<int>(wParam));
  Repaint();
  return previous;
}

LRESULT CProgressCtrlX::OnDeltaPos(WPARAM wParam, LPARAM) {
  const int previous = OffsetPos(static_cast<int>(wParam));
  Repaint();
  return previous;
}

LRESULT CProgressCtrlX::OnStepIt(WPARAM, LPARAM) {
  const int previous = StepIt();
  Repaint();
  return previous;
}

LRESULT CProgressCtrlX::OnSetStep(WPARAM wParam, LPARAM) {
  const int previous = SetStep(static_cast<int>(wParam));
  Repaint();
  return previous;
}

LRESULT CProgressCtrlX::OnGetPos(WPARAM, LPARAM) { return GetPos(); }

LRESULT CProgressCtrlX::OnSetBarColor(WPARAM wParam, LPARAM lParam) {
  const auto to = static_cast<COLORREF>(lParam);
  SetEvenColors(2, to, wParam ? static_cast<COLORREF>(wParam) : to);
  Repaint();
  return CLR_DEFAULT;
}

LRESULT CProgressCtrlX::OnSetBkColor(WPARAM, LPARAM lParam) {
  const COLORREF previous = CProgress::SetBkColor(static_cast<COLORREF>(lParam));
  Repaint();
  return previous;
}

LRESULT CProgressCtrlX::OnSetText(WPARAM, LPARAM lParam) {
  SetFormatString(lParam ? reinterpret_cast<LPCSTR>(lParam) : "");
  Repaint();
  return TRUE;
}

LRESULT CProgressCtrlX::OnGetText(WPARAM wParam, LPARAM lParam) {
  auto* buffer = reinterpret_cast<LPSTR>(lParam);
  if (!buffer || wParam == 0) return 0;
  const CString text = FormatText();
  lstrcpyn(buffer, text, static_cast<int>(wParam));
  return static_cast<LRESULT>(strlen(buffer));
}

LRESULT CProgressCtrlX::OnGetTextLength(WPARAM, LPARAM) { return FormatText().GetLength(); }

LRESULT CProgressCtrlX::OnSetFont(WPARAM wParam, LPARAM lParam) {
  SetFontHandle(reinterpret_cast<HFONT>(wParam));
  if (lParam) ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  return 0;
}

LRESULT CProgressCtrlX::OnGetFont(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(GetFontHandle()); }
