#include "widgets/FillAround.h"

void FillAround(CDC* pDC, CRect area, CRect hole, COLORREF colour) {
  // Both as a fill and a clip would take them: corners in any order.
  area.NormalizeRect();
  hole.NormalizeRect();
  // The DC keeps its background colour.
  const COLORREF oldBack = pDC->GetBkColor();
  CRect cut;
  if (!cut.IntersectRect(&area, &hole)) {
    pDC->FillSolidRect(&area, colour);
  } else {
    // The bands above and below the hole, and the pieces left and right of it.
    const CRect pieces[] = {{area.left, area.top, area.right, cut.top},
                            {area.left, cut.bottom, area.right, area.bottom},
                            {area.left, cut.top, cut.left, cut.bottom},
                            {cut.right, cut.top, area.right, cut.bottom}};
    for (const CRect& piece : pieces)
      if (!piece.IsRectEmpty()) pDC->FillSolidRect(&piece, colour);
  }
  pDC->SetBkColor(oldBack);
}
