// libFuzzer target for the site editor's reader of the worker's UI codes
// 35-84: the input is a run of records (code byte, length byte, value
// bytes) applied to a fresh editor, then OK is pressed. Every value, number
// or text, of any length is taken without a fault; a certificate list never
// gives more rows than its line breaks (CR or LF, each one) allow.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "frontend/DlgOneSiteEditor.h"
#include "frontend/SiteEditor.h"
#include "frontend/SiteEditorIds.h"
#include "tests/fuzz/FuzzRoot.h"
#include "platform/Platform.h"
#include "platform/win/kernel/Clock.h"

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

// One platform root and virtual clock for the whole run.
bool setUp() {
  static TemporaryRoot root;
  static const std::shared_ptr<wavorel::VirtualClock> clock = wavorel::installVirtualClock();
  return !root.path.empty() && clock != nullptr;
}

int lines(const CString& text) {
  int count = 1;
  for (int i = 0; i < text.GetLength(); ++i) count += text[i] == '\n' || text[i] == '\r';
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool ready = setUp();
  if (!ready) return 0;
  CDlgOneSiteEditor* editor = GetSiteEditor();
  if (!editor) return 0;
  int saveWithoutShowing = 0;
  size_t at = 0;
  while (at + 2 <= size) {
    // Codes 33-86: two on each side of the editor's range.
    const UINT code = 33 + data[at] % 54;
    const size_t length = std::min<size_t>(data[at + 1], size - at - 2);
    const CString value(reinterpret_cast<const char*>(data + at + 2), static_cast<int>(length));
    saveWithoutShowing = data[at] >= 0x80;
    ApplySiteEditorCode(code, value, saveWithoutShowing);
    if (code == 74 || code == 79) {
      CWnd* sub = editor->GetSecurityPage().Get8021XTab().GetPage(code == 74 ? 1 : 2);
      HWND combo = ::GetDlgItem(sub->GetSafeHwnd(), code == 74 ? IDC_CCERT_LIST : IDC_SCERT_LIST);
      check(::SendMessage(combo, CB_GETCOUNT, 0, 0) <= lines(value));
    }
    at += 2 + length;
  }
  editor->SendMessage(WM_COMMAND, IDC_SITE_OK, 0);
  editor->SendMessage(WM_COMMAND, IDC_SITE_CANCEL, 0);
  MSG msg;
  while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessage(&msg);
  DestroySiteEditor();
  return 0;
}
