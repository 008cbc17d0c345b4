#include "platform/mfc/ProgressCtrl.h"

IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)

BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create(PROGRESS_CLASS, nullptr, dwStyle, rect, pParentWnd, nID);
}

void CProgressCtrl::GetRange(int& nLower, int& nUpper) const {
  PBRANGE range{};
  SendMessage(PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
  nLower = range.iLow;
  nUpper = range.iHigh;
}
