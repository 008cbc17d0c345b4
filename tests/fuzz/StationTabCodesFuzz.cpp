// libFuzzer target for the station tab control's reader of the worker's
// reports (codes 1 to 96 but the message box and the site editor's): the
// input is a run of records (code byte, length byte, value bytes) sent to
// one tab control whose pages are created as the records ask. Every value of
// any length is taken without a fault; a list never holds more rows than
// its text has row breaks, and every row picture is one of its strip's.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "frontend/TableCtrl_QZ.h"
#include "frontend/UiBridge.h"
#include "platform/Platform.h"
#include "platform/win/kernel/Clock.h"
#include "tests/fuzz/FuzzRoot.h"

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

int rowBreaks(const CString& text) {
  int count = 1;
  for (int at = text.Find("\r\n"); at >= 0; at = text.Find("\r\n", at + 2)) ++count;
  return count;
}

void checkImages(CListCtrl& list, int limit) {
  for (int row = 0; row < list.GetItemCount(); ++row) {
    LVITEM item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    check(list.GetItem(&item) && item.iImage >= 0 && item.iImage < limit);
  }
}

// One platform root, virtual clock and tab control (on a host static of a
// parent window) for the whole run.
CTableCtrl_QZ* table() {
  static TemporaryRoot root;
  static const std::shared_ptr<wavorel::VirtualClock> clock = wavorel::installVirtualClock();
  static CTableCtrl_QZ* made = [] {
    HWND parent = ::CreateWindowEx(0, "STATIC", "", WS_POPUP, 0, 0, 600, 470, nullptr, nullptr, nullptr, nullptr);
    HWND host = ::CreateWindowEx(0, "STATIC", "", WS_CHILD, 0, 100, 590, 360, parent, nullptr, nullptr, nullptr);
    return dynamic_cast<CTableCtrl_QZ*>(CTableCtrl_QZ::Make(CWnd::FromHandle(host)));
  }();
  return root.path.empty() || !clock ? nullptr : made;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CTableCtrl_QZ* control = table();
  if (!control) return 0;
  size_t at = 0;
  while (at + 2 <= size) {
    // Codes 1-34 and 85-96, two past each end, and the pages shown in turn.
    const UINT pick = data[at] % 50;
    const UINT code = pick < 36 ? pick : pick + 49;
    const size_t length = std::min<size_t>(data[at + 1], size - at - 2);
    const CString value(reinterpret_cast<const char*>(data + at + 2), static_cast<int>(length));
    at += 2 + length;
    if (code == BRIDGE_UI_MESSAGE_BOX) {
      control->SetCurSel(static_cast<int>(length % 5));
      continue;
    }
    SendNotifyText(control->GetSafeHwnd(), code, value, FALSE);
    if (code == BRIDGE_UI_SURVEY_ROW && control->GetSurveyPage().GetSafeHwnd())
      check(control->GetSurveyPage().GetList().GetItemCount() <= rowBreaks(value));
    if (code == BRIDGE_UI_PROFILE_ROW && control->GetProfilePage().GetSafeHwnd())
      check(control->GetProfilePage().GetList().GetItemCount() <= rowBreaks(value));
    if (code == BRIDGE_UI_WPS_PROFILE_ROW && control->GetWpsPage().GetSafeHwnd())
      check(control->GetWpsPage().GetProfileList().GetItemCount() <= rowBreaks(value));
  }
  if (control->GetSurveyPage().GetSafeHwnd()) checkImages(control->GetSurveyPage().GetList(), 10);
  if (control->GetProfilePage().GetSafeHwnd()) checkImages(control->GetProfilePage().GetList(), 4);
  if (control->GetWpsPage().GetSafeHwnd()) checkImages(control->GetWpsPage().GetProfileList(), 3);
  MSG msg;
  while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessage(&msg);
  return 0;
}
