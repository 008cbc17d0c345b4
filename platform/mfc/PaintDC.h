// CPaintDC: BeginPaint in the constructor, EndPaint in the destructor, for a
// window's OnPaint.
#pragma once

#include "platform/mfc/DC.h"
#include "platform/win/user/Paint.h"

class CWnd;

class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* wnd);
  ~CPaintDC() override;

  PAINTSTRUCT m_ps;

 protected:
  HWND m_hWnd;
};
