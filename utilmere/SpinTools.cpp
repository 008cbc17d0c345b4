// The spin-button handler of numeric edits.
#include <algorithm>
#include <cstdlib>

#include "utilmere/WindowTools.h"

namespace {

// The multiple of `step` (at least 1) next below or above `value`; a value on
// a multiple moves a whole step.
long nextMultiple(long value, long step, bool down) {
  long below = value - ((value % step) + step) % step;  // rounds towards minus infinity
  if (down) return below == value ? value - step : below;
  return below + step;
}

}  // namespace

void HandleSpanClick(CWnd* dialog, int editId, NMHDR* notification, LRESULT* result, int maximum, int minimum,
                     int step) {
  CWnd* edit = dialog != nullptr && ::IsWindow(dialog->m_hWnd) ? dialog->GetDlgItem(editId) : nullptr;
  if (edit != nullptr && notification != nullptr) {
    const auto* spin = reinterpret_cast<const NMUPDOWN*>(notification);
    CString text;
    edit->GetWindowText(text);
    const long value = std::strtol(text, nullptr, 10);
    long next = nextMultiple(value, std::max(step, 1), spin->iDelta == 1);
    next = std::min<long>(std::max<long>(next, minimum), maximum);
    CString written;
    written.Format("%ld", next);
    edit->SetWindowText(written);
    edit->SendMessage(EM_SETSEL, 0, -1);
    edit->SetFocus();
  }
  if (result != nullptr) *result = 0;
}
