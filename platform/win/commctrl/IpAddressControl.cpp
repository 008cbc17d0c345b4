#include "platform/win/commctrl/IpAddressControl.h"

#include <algorithm>

#include "platform/win/user/Paint.h"
#include "platform/win/commctrl/Notify.h"

namespace wavorel {

LRESULT IpAddressControl::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case IPM_CLEARADDRESS:
      for (Field& f : fields_) f.value = -1;
      typed_.clear();
      redraw();
      return 0;
    case IPM_SETADDRESS: {
      auto address = static_cast<DWORD>(lParam);
      for (int i = 0; i < kFields; ++i) fields_[i].value = static_cast<int>((address >> (8 * (3 - i))) & 0xFF);
      typed_.clear();
      redraw();
      return TRUE;
    }
    case IPM_GETADDRESS: {
      DWORD address = 0;
      int filled = 0;
      for (int i = 0; i < kFields; ++i) {
        if (fields_[i].value < 0) continue;
        ++filled;
        address |= static_cast<DWORD>(fields_[i].value) << (8 * (3 - i));
      }
      if (lParam) *reinterpret_cast<DWORD*>(lParam) = address;
      return filled;
    }
    case IPM_SETRANGE:
      if (wParam >= kFields) return FALSE;
      fields_[wParam].low = LOBYTE(LOWORD(lParam));
      fields_[wParam].high = HIBYTE(LOWORD(lParam));
      return TRUE;
    case IPM_SETFOCUS: {
      finish(false);
      int field = static_cast<int>(wParam);
      if (field < 0 || field >= kFields) {
        // Out of range: the first blank field.
        field = 0;
        while (field < kFields - 1 && fields_[field].value >= 0) ++field;
      }
      current_ = field;
      SetFocus(hwnd());
      return 0;
    }
    case IPM_ISBLANK:
      return std::all_of(std::begin(fields_), std::end(fields_), [](const Field& f) { return f.value < 0; });
    case WM_CHAR:
      onChar(static_cast<char>(wParam));
      return 0;
    case WM_KILLFOCUS:
      finish(false);
      notify(EN_KILLFOCUS);
      return 0;
    case WM_SETFOCUS:
      notify(EN_SETFOCUS);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTCHARS | DLGC_WANTARROWS;
    case WM_PAINT:
      return paintThroughPrintClient(hwnd());
    case WM_PRINTCLIENT:
      paintLook(reinterpret_cast<HDC>(wParam));
      return 0;
    default:
      return byDefault(msg, wParam, lParam);
  }
}

void IpAddressControl::onChar(char c) {
  if (c >= '0' && c <= '9') {
    typed_ += c;
    fields_[current_].value = std::stoi(typed_);
    notify(EN_CHANGE);
    if (typed_.size() == 3) finish(true);
  } else if (c == '.' || c == ' ') {
    if (!typed_.empty()) finish(true);
  } else if (c == VK_BACK) {
    if (typed_.empty() && fields_[current_].value >= 0) typed_ = std::to_string(fields_[current_].value);
    if (typed_.empty()) return;
    typed_.pop_back();
    fields_[current_].value = typed_.empty() ? -1 : std::stoi(typed_);
    notify(EN_CHANGE);
  }
}

void IpAddressControl::finish(bool advance) {
  Field& field = fields_[current_];
  if (!typed_.empty()) {
    typed_.clear();
    field.value = std::clamp(field.value, field.low, field.high);
    NMIPADDRESS nm{};
    nm.iField = current_;
    nm.iValue = field.value;
    sendNotify(hwnd(), IPN_FIELDCHANGED, &nm.hdr);
    // The parent may put another value in range.
    if (nm.iValue >= field.low && nm.iValue <= field.high) field.value = nm.iValue;
    redraw();
  }
  if (advance && current_ < kFields - 1) ++current_;
}

}  // namespace wavorel
