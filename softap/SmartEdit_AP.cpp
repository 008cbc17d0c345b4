#include "softap/SmartEdit_AP.h"

#include <cstdlib>

#include "widgets/LinkSlider.h"
#include "widgets/SmartEdit.h"

BEGIN_MESSAGE_MAP(CSmartEdit_AP, CEdit)
  ON_WM_CHAR()
  ON_CONTROL_REFLECT(EN_KILLFOCUS, &CSmartEdit_AP::OnKillFocusReflect)
END_MESSAGE_MAP()

void CSmartEdit_AP::SignalBadInput() { MessageBeep(0xFFFFFFFF); }

WORD CSmartEdit_AP::SetCharClassMask(WORD wMask) {
  m_wMask = wMask;
  return m_wMask;
}

void CSmartEdit_AP::SetRange(int nMin, int nMax) {
  m_nMin = nMin;
  m_nMax = nMax;
}

int CSmartEdit_AP::SetValue(int nValue) {
  if (nValue == m_nValue) return 0;
  m_nValue = nValue;
  CString text;
  text.Format("%d", nValue);
  SetWindowText(text);
  return 1;
}

void CSmartEdit_AP::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (m_wMask & CSmartEdit::CharClass(nChar))
    CEdit::OnChar(nChar, nRepCnt, nFlags);
  else
    SignalBadInput();
}

void CSmartEdit_AP::OnKillFocusReflect() {
  if (!m_pSlider) return;
  CString text;
  GetWindowText(text);
  m_nValue = atoi(text);
  const int typed = m_nValue;
  if (m_nValue < m_nMin)
    m_nValue = m_nMin;
  else if (m_nValue > m_nMax)
    m_nValue = m_nMax;
  const bool corrected = m_nValue != typed;
  if (corrected) SignalBadInput();
  m_pSlider->SetLinkedPos(m_nValue);
  if (corrected) {
    text.Format("%d", m_nValue);
    SetWindowText(text);
  }
}
