// libFuzzer target for the authentication status log over the message ring:
// the input's first four bytes are the slot index of WM_AUTH_STATUS_EVENT
// (little-endian, any value), the rest fills the ring's 51,200 bytes from its
// start (binary bytes, slots without terminator). The log appends, ends on
// "OK" or ignores the index; it must never read outside the ring.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "platform/Platform.h"
#include "platform/win/kernel/Clock.h"
#include "station/profiles/AuthenStatusDlg.h"
#include "tests/fuzz/FuzzRoot.h"
#include "worker/WorkerGlobals.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TemporaryRoot root;
  if (root.path.empty()) return 0;
  // Each appended line pauses 100 ms: on the virtual clock that costs nothing.
  static const std::shared_ptr<wavorel::VirtualClock> clock = wavorel::installVirtualClock();
  static std::unique_ptr<CAuthenStatusDlg> log;
  if (!log) {
    // The log is a child dialog: a plain pop-up stands for the host.
    static HWND host =
        CreateWindowEx(0, "STATIC", "host", WS_POPUP, 0, 0, 700, 400, nullptr, nullptr, nullptr, nullptr);
    log = std::make_unique<CAuthenStatusDlg>(CWnd::FromHandle(host));
    log->Create(IDD_AUTHEN_STATUS, CWnd::FromHandle(host));
  }
  if (size < 4) return 0;
  uint32_t slot = 0;
  std::memcpy(&slot, data, sizeof slot);
  std::memset(g_authStatusEvents, 0, sizeof g_authStatusEvents);
  std::memcpy(g_authStatusEvents, data + 4, std::min(size - 4, sizeof g_authStatusEvents));
  log->SendMessage(WM_AUTH_STATUS_EVENT, static_cast<WPARAM>(static_cast<int32_t>(slot)), 0);
  // The list is asked for the last line's cells, as when it paints.
  const int rows = static_cast<int>(log->GetEvents().size());
  if (rows > 0) {
    log->GetList().GetCellInfo(rows - 1, 0);
    log->GetList().GetCellInfo(rows - 1, 1);
  }
  if (rows > 64) log->ReadNames();
  return 0;
}
