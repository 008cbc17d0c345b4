#include "platform/win/commctrl/UpDownControl.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/win/user/ClassRegistry.h"
#include "platform/win/commctrl/Notify.h"

namespace wavorel {
namespace {

void registerUpDownClass() {
  if (ClassRegistry::instance().find(UPDOWN_CLASS)) return;
  WNDCLASS wc{};
  wc.style = CS_GLOBALCLASS;
  wc.lpfnWndProc = controlProc<UpDownControl>;
  wc.lpszClassName = UPDOWN_CLASS;
  RegisterClass(&wc);
}

const bool g_registrar = (addSystemClassRegistrar(registerUpDownClass), true);

// Decimal text of `value`, with a comma between groups of three digits when
// `grouped`.
std::string numberText(int value, bool grouped) {
  std::string digits = std::to_string(std::abs(static_cast<long>(value)));
  if (grouped)
    for (size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
  return value < 0 ? "-" + digits : digits;
}

}  // namespace

LRESULT UpDownControl::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
      if (style() & UDS_AUTOBUDDY) buddy_ = GetWindow(hwnd(), GW_HWNDPREV);
      return byDefault(msg, wParam, lParam);
    case UDM_SETRANGE:
      lower_ = static_cast<short>(HIWORD(lParam));
      upper_ = static_cast<short>(LOWORD(lParam));
      moveTo(pos_);
      return 0;
    case UDM_SETRANGE32:
      lower_ = static_cast<int>(wParam);
      upper_ = static_cast<int>(lParam);
      moveTo(pos_);
      return 0;
    case UDM_GETRANGE:
      return MAKELONG(static_cast<WORD>(upper_), static_cast<WORD>(lower_));
    case UDM_GETRANGE32:
      if (wParam) *reinterpret_cast<int*>(wParam) = lower_;
      if (lParam) *reinterpret_cast<int*>(lParam) = upper_;
      return 0;
    case UDM_SETPOS:
      return static_cast<WORD>(moveTo(static_cast<short>(LOWORD(lParam))));
    case UDM_SETPOS32:
      return moveTo(static_cast<int>(lParam));
    case UDM_GETPOS: {
      bool ok = readBuddy();
      return MAKELONG(static_cast<WORD>(pos_), ok ? 0 : 1);
    }
    case UDM_GETPOS32: {
      bool ok = readBuddy();
      if (lParam) *reinterpret_cast<BOOL*>(lParam) = ok ? FALSE : TRUE;
      return pos_;
    }
    case UDM_SETBUDDY: {
      HWND old = buddy_;
      buddy_ = reinterpret_cast<HWND>(wParam);
      return reinterpret_cast<LRESULT>(old);
    }
    case UDM_GETBUDDY:
      return reinterpret_cast<LRESULT>(buddy_);
    case UDM_SETACCEL: {
      const auto* table = reinterpret_cast<const UDACCEL*>(lParam);
      if (table == nullptr || wParam == 0) return FALSE;
      accel_.assign(table, table + wParam);
      return TRUE;
    }
    case UDM_GETACCEL: {
      auto* out = reinterpret_cast<UDACCEL*>(lParam);
      size_t n = std::min(static_cast<size_t>(wParam), accel_.size());
      if (out) std::copy_n(accel_.begin(), n, out);
      return static_cast<LRESULT>(accel_.size());
    }
    case WM_LBUTTONDOWN: {
      RECT client;
      GetClientRect(hwnd(), &client);
      // The up arrow is the upper half, the right arrow (UDS_HORZ) the right half.
      bool up = (style() & UDS_HORZ) ? GET_X_LPARAM(lParam) >= client.right / 2
                                     : GET_Y_LPARAM(lParam) < client.bottom / 2;
      SetCapture(hwnd());
      click(up);
      return 0;
    }
    case WM_LBUTTONUP:
      if (GetCapture() != hwnd()) return 0;
      ReleaseCapture();
      report(SB_ENDSCROLL);
      return 0;
    default:
      return byDefault(msg, wParam, lParam);
  }
}

int UpDownControl::moveTo(int pos) {
  int old = pos_;
  pos_ = std::clamp(pos, std::min(lower_, upper_), std::max(lower_, upper_));
  return old;
}

void UpDownControl::click(bool up) {
  readBuddy();
  int step = static_cast<int>(accel_.front().nInc);
  bool towardsUpper = up == (upper_ >= lower_);
  NMUPDOWN request{};
  request.iPos = pos_;
  request.iDelta = towardsUpper ? step : -step;
  if (sendNotify(hwnd(), UDN_DELTAPOS, &request.hdr)) return;
  const int low = std::min(lower_, upper_);
  const int high = std::max(lower_, upper_);
  long next = static_cast<long>(pos_) + request.iDelta;
  if (next > high) next = (style() & UDS_WRAP) ? low : high;
  if (next < low) next = (style() & UDS_WRAP) ? high : low;
  if (next == pos_) return;
  pos_ = static_cast<int>(next);
  writeBuddy();
  report(SB_THUMBPOSITION);
}

bool UpDownControl::readBuddy() {
  if (!(style() & UDS_SETBUDDYINT) || !IsWindow(buddy_)) return true;
  char text[64] = {};
  GetWindowText(buddy_, text, static_cast<int>(sizeof text));
  std::string digits;
  for (const char* p = text; *p; ++p)
    if (*p != ',') digits += *p;
  char* end = nullptr;
  long value = std::strtol(digits.c_str(), &end, 10);
  if (digits.empty() || *end != '\0' || value < std::min(lower_, upper_) || value > std::max(lower_, upper_))
    return false;
  pos_ = static_cast<int>(value);
  return true;
}

void UpDownControl::writeBuddy() const {
  if (!(style() & UDS_SETBUDDYINT) || !IsWindow(buddy_)) return;
  SetWindowText(buddy_, numberText(pos_, !(style() & UDS_NOTHOUSANDS)).c_str());
}

void UpDownControl::report(WORD code) const {
  UINT msg = (style() & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL;
  sendParent(msg, MAKEWPARAM(code, static_cast<WORD>(pos_)), reinterpret_cast<LPARAM>(hwnd()));
}

}  // namespace wavorel
