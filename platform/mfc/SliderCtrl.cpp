#include "platform/mfc/SliderCtrl.h"

IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)

BOOL CSliderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create(TRACKBAR_CLASS, nullptr, dwStyle, rect, pParentWnd, nID);
}

void CSliderCtrl::SetRange(int nMin, int nMax, BOOL bRedraw) {
  SendMessage(TBM_SETRANGEMIN, FALSE, nMin);
  SendMessage(TBM_SETRANGEMAX, bRedraw, nMax);
}

void CSliderCtrl::GetRange(int& nMin, int& nMax) const {
  nMin = GetRangeMin();
  nMax = GetRangeMax();
}
