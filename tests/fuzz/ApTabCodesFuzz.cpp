// libFuzzer target for the AP tab control's reader of the AP worker's reports
// (codes 1 and 96 to 160, one past each end of the AP codes): the input is a
// run of records (code byte, length byte, value bytes) sent to one tab
// control with its four pages made. Every value of any length is taken
// without a fault, and one report changes the address list by one row at
// most (the clear excepted).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "frontend/TableCtrl_AP.h"
#include "frontend/UiBridge.h"
#include "platform/Platform.h"
#include "platform/win/kernel/Clock.h"
#include "tests/fuzz/FuzzRoot.h"

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

// One platform root, virtual clock and tab control (on a host static of a
// parent window) with every page made, for the whole run.
CTableCtrl_AP* table() {
  static TemporaryRoot root;
  static const std::shared_ptr<wavorel::VirtualClock> clock = wavorel::installVirtualClock();
  static CTableCtrl_AP* made = [] {
    HWND parent = ::CreateWindowEx(0, "STATIC", "", WS_POPUP, 0, 0, 600, 470, nullptr, nullptr, nullptr, nullptr);
    HWND host = ::CreateWindowEx(0, "STATIC", "", WS_CHILD, 0, 100, 590, 360, parent, nullptr, nullptr, nullptr);
    auto* control = dynamic_cast<CTableCtrl_AP*>(CTableCtrl_AP::Make(CWnd::FromHandle(host)));
    if (control) {
      control->KillTimer(TIMER_AP_START_WORKER);
      control->CreateAllPageWindows();
    }
    return control;
  }();
  return root.path.empty() || !clock ? nullptr : made;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CTableCtrl_AP* control = table();
  if (!control) return 0;
  CListBox& list = control->GetAccessControlPage().GetList();
  size_t at = 0;
  while (at + 2 <= size) {
    // Code 1, then 96 to 160.
    const UINT pick = data[at] % 66;
    const UINT code = pick == 0 ? BRIDGE_UI_CONNECTION_STATE : pick + 95;
    const size_t length = std::min<size_t>(data[at + 1], size - at - 2);
    const CString value(reinterpret_cast<const char*>(data + at + 2), static_cast<int>(length));
    at += 2 + length;
    const int rowsBefore = list.GetCount();
    SendNotifyText(control->GetSafeHwnd(), code, value, FALSE);
    if (code != BRIDGE_UI_ACL_LIST_CLEAR) check(std::abs(list.GetCount() - rowsBefore) <= 1);
  }
  MSG msg;
  while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessage(&msg);
  return 0;
}
