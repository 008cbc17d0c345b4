#include "platform/mfc/PaintDC.h"

#include "platform/mfc/Exception.h"
#include "platform/mfc/Wnd.h"

CPaintDC::CPaintDC(CWnd* wnd) : m_ps{}, m_hWnd(wnd ? wnd->GetSafeHwnd() : nullptr) {
  if (!Attach(::BeginPaint(m_hWnd, &m_ps))) AfxThrowResourceException();
}

CPaintDC::~CPaintDC() {
  Detach();
  ::EndPaint(m_hWnd, &m_ps);
}
