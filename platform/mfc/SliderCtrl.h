// CSliderCtrl: the trackbar.
#pragma once

#include "platform/mfc/Wnd.h"
#include "platform/win/commctrl/Trackbar.h"

class CSliderCtrl : public CWnd {
  DECLARE_DYNAMIC(CSliderCtrl)

 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE);
  void SetRangeMin(int nMin, BOOL bRedraw = FALSE) { SendMessage(TBM_SETRANGEMIN, bRedraw, nMin); }
  void SetRangeMax(int nMax, BOOL bRedraw = FALSE) { SendMessage(TBM_SETRANGEMAX, bRedraw, nMax); }
  void GetRange(int& nMin, int& nMax) const;
  int GetRangeMin() const { return static_cast<int>(SendMessage(TBM_GETRANGEMIN)); }
  int GetRangeMax() const { return static_cast<int>(SendMessage(TBM_GETRANGEMAX)); }
  int GetPos() const { return static_cast<int>(SendMessage(TBM_GETPOS)); }
  void SetPos(int nPos) { SendMessage(TBM_SETPOS, TRUE, nPos); }
  void SetTicFreq(int nFreq) { SendMessage(TBM_SETTICFREQ, static_cast<WPARAM>(nFreq)); }
  int SetPageSize(int nSize) { return static_cast<int>(SendMessage(TBM_SETPAGESIZE, 0, nSize)); }
  int GetPageSize() const { return static_cast<int>(SendMessage(TBM_GETPAGESIZE)); }
  int SetLineSize(int nSize) { return static_cast<int>(SendMessage(TBM_SETLINESIZE, 0, nSize)); }
  int GetLineSize() const { return static_cast<int>(SendMessage(TBM_GETLINESIZE)); }
};
