#include "widgets/Select.h"

void CSelFont::Select(CFont* pFont) {
  if (!pFont || !pFont->GetSafeHandle()) return;
  HGDIOBJ old = ::SelectObject(m_pDC->GetSafeHdc(), pFont->GetSafeHandle());
  if (!m_bChanged) {
    m_hOld = old;
    m_bChanged = true;
  }
}

void CSelFont::Restore() {
  if (!m_bChanged) return;
  ::SelectObject(m_pDC->GetSafeHdc(), m_hOld);
  m_bChanged = false;
}

void CSelBkMode::Select(int mode) {
  const int old = m_pDC->SetBkMode(mode);
  if (!m_bChanged) {
    m_old = old;
    m_bChanged = true;
  }
}

void CSelBkMode::Restore() {
  if (!m_bChanged) return;
  m_pDC->SetBkMode(m_old);
  m_bChanged = false;
}

void CSelTextColor::Select(COLORREF colour) {
  const COLORREF old = m_pDC->SetTextColor(colour);
  if (!m_bChanged) {
    m_old = old;
    m_bChanged = true;
  }
}

void CSelTextColor::Restore() {
  if (!m_bChanged) return;
  m_pDC->SetTextColor(m_old);
  m_bChanged = false;
}

void CSelTextAlign::Select(UINT align) {
  const UINT old = m_pDC->SetTextAlign(align);
  if (!m_bChanged) {
    m_old = old;
    m_bChanged = true;
  }
}

void CSelTextAlign::Restore() {
  if (!m_bChanged) return;
  m_pDC->SetTextAlign(m_old);
  m_bChanged = false;
}
