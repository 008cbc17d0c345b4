// IcoMenuMemDC: the off-screen DC an IcoMenu item is drawn through while only
// its selection changes: a memory DC and bitmap of the item's size, copied
// back (SRCCOPY) when it is destroyed; on a printing DC it draws straight to
// the target.
#pragma once

#include "widgets/MemDC.h"

class IcoMenuMemDC : public CMemDC {
 public:
  IcoMenuMemDC(CDC* pDC, const CRect& rect) : CMemDC(pDC, &rect, FALSE) {}
};
