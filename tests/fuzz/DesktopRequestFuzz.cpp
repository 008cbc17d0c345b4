// libFuzzer target for the desktop's reader of requests from other processes:
// any bytes written to this process's socket get a reply or a closed
// connection, never a crash or a read past what arrived. The frame's window
// field is pointed at a real top-level window when its first byte is even,
// so that the messages reach a window procedure.
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/Platform.h"
#include "platform/win/kernel/Clock.h"
#include "platform/win/kernel/Root.h"
#include "platform/win/kernel/UniqueFd.h"
#include "platform/win/user/CrossProcessMessage.h"
#include "platform/win/user/Desktop.h"
#include "platform/win/user/DesktopServer.h"
#include "platform/win/user/MessageQueue.h"

namespace {

LRESULT CALLBACK targetProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CLOSE:
      return 0;  // nothing may end the target
    case WM_COPYDATA: {
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      LRESULT sum = 0;
      for (DWORD i = 0; i < data->cbData; ++i) sum += static_cast<const unsigned char*>(data->lpData)[i];
      return sum;
    }
    default:
      return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

struct Target {
  std::string root;
  HWND hwnd = nullptr;
  Target() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "wavorel-fuzz-XXXXXX").string();
    if (mkdtemp(tmpl.data())) root = tmpl;
    wavorel::setPlatformRoot(root);
    WNDCLASS wc{};
    wc.lpfnWndProc = targetProc;
    wc.lpszClassName = "FuzzTarget";
    RegisterClass(&wc);
    hwnd = CreateWindowEx(0, "FuzzTarget", "Target", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  }
  ~Target() {
    wavorel::resetPlatformState();
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Target target;
  std::string frame(reinterpret_cast<const char*>(data), size);
  if (frame.size() >= offsetof(wavorel::CrossProcessRequest, msg) && (data[0] & 1) == 0) {
    uint64_t hwnd = reinterpret_cast<uintptr_t>(target.hwnd);
    std::memcpy(&frame[offsetof(wavorel::CrossProcessRequest, hwnd)], &hwnd, sizeof hwnd);
  }
  wavorel::UniqueFd fd = wavorel::DesktopServer::connect(wavorel::Desktop::processFolder(GetCurrentProcessId()));
  if (!fd.valid()) return 0;
  // Whatever the socket takes now; a peer that stops writing is left with what arrived.
  ssize_t sent = ::send(fd.get(), frame.data(), frame.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
  (void)sent;
  ::shutdown(fd.get(), SHUT_WR);
  auto queue = wavorel::MessageQueue::current();
  for (;;) {
    pollfd p{fd.get(), POLLIN, 0};
    queue->wait(&p, 1, wavorel::clock().tickMs() + 2000, "the fuzzed request", [] { return false; });
    if (!p.revents) break;
    char buf[4096];
    ssize_t n = ::recv(fd.get(), buf, sizeof buf, MSG_DONTWAIT);
    if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) break;
  }
  MSG m;
  while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
  }
  return 0;
}
