// CListFrame: the frame control a page's report list is fitted into
// (FitListIntoFrame makes it the list's parent). It hands the list's
// notifications on: first back to the list itself (MFC reflection, so the
// list draws its rows and takes its clicks), then to the page, which also
// gets the list's click message.
#pragma once

#include "platform/Platform.h"

class CListFrame : public CStatic {
 public:
  CListFrame();
  ~CListFrame() override;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
