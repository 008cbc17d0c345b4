#include "platform/win/commctrl/Notify.h"

#include <algorithm>
#include <cstring>

namespace wavorel {

LRESULT sendNotify(HWND control, UINT code, NMHDR* record) {
  record->hwndFrom = control;
  record->idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(control));
  record->code = code;
  HWND parent = GetParent(control);
  return parent ? SendMessage(parent, WM_NOTIFY, record->idFrom, reinterpret_cast<LPARAM>(record)) : 0;
}

int copyText(const std::string& text, LPSTR buffer, int size) {
  if (buffer == nullptr || size <= 0) return 0;
  size_t n = std::min(text.size(), static_cast<size_t>(size - 1));
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return static_cast<int>(n);
}

}  // namespace wavorel
