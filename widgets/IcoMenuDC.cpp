#include "widgets/IcoMenuDC.h"

IcoMenuDC::IcoMenuDC(bool menuFont)
    : m_hWnd(AfxGetMainWnd() ? AfxGetMainWnd()->GetSafeHwnd() : GetDesktopWindow()), m_pDC(&m_own) {
  m_own.Attach(GetDC(m_hWnd));
  if (menuFont) SelectMenuFont();
}

IcoMenuDC::IcoMenuDC(CDC* pDC) : m_pDC(pDC) { SelectMenuFont(); }

IcoMenuDC::~IcoMenuDC() {
  if (m_pOldFont) m_pDC->SelectObject(m_pOldFont);
  if (m_hWnd) ReleaseDC(m_hWnd, m_own.Detach());
}

void IcoMenuDC::SelectMenuFont() {
  NONCLIENTMETRICS metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) &&
      m_font.CreateFontIndirect(&metrics.lfMenuFont))
    m_pOldFont = m_pDC->SelectObject(&m_font);
}
