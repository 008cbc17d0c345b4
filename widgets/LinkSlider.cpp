#include "widgets/LinkSlider.h"

#include "widgets/SmartEdit.h"

BEGIN_MESSAGE_MAP(CLinkSlider, CSliderCtrl)
  ON_WM_HSCROLL_REFLECT()
END_MESSAGE_MAP()

DWORD CLinkSlider::SetLinkedEdit(CSmartEdit* pEdit) {
  m_pEdit = pEdit;
  const DWORD style = GetStyle();
  if (style & TBS_VERT) m_bInverted = 1;
  return style;
}

void CLinkSlider::SetRange(int nMin, int nMax) {
  m_nMin = nMin;
  m_nMax = nMax;
  CSliderCtrl::SetRange(nMin, nMax, TRUE);
}

void CLinkSlider::SetLinkedPos(int nValue) {
  m_nPos = m_bInverted ? m_nMin + m_nMax - nValue : nValue;
  SendMessage(TBM_SETPOS, TRUE, m_nPos);
}

void CLinkSlider::HScroll(UINT nSBCode, UINT nPos) {
  if (!m_pEdit) return;
  int position = 0;
  switch (nSBCode) {
    case SB_LINEUP:
    case SB_LINEDOWN:
    case SB_PAGEUP:
    case SB_PAGEDOWN:
      position = GetPos();
      break;
    case SB_THUMBTRACK:
      position = static_cast<int>(nPos);
      break;
    default:
      return;
  }
  m_pEdit->SetValueText(position);
}
