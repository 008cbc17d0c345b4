#include "skinvane/SkinColors.h"

namespace skinvane {

HBRUSH skinColorAnswer(CDC* dc, int transparent, COLORREF text, COLORREF background, const CBrush& brush) {
  HBRUSH answer;
  if (transparent) {
    dc->SetBkMode(TRANSPARENT);
    answer = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  } else {
    dc->SetBkMode(OPAQUE);
    dc->SetBkColor(background);
    answer = static_cast<HBRUSH>(brush.GetSafeHandle());
  }
  dc->SetTextColor(text);
  return answer;
}

}  // namespace skinvane
