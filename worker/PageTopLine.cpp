#include "worker/PageTopLine.h"

void PaintPageTopLine(CWnd* page) {
  CPaintDC dc(page);
  CRect rect;
  page->GetClientRect(&rect);
  dc.Draw3dRect(0, 0, rect.Width(), 2, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
}
