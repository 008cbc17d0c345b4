// A second process on the test's platform root (WAVOREL_ROOT), on the real
// clock, for the tests of what crosses processes. It reports on stdout as
// "name=value" lines.
//
//   window <title>   publishes a window of class "PeerWnd", prints its handle
//                    and serves it until WM_CLOSE; WM_USER+1 renames it to
//                    "Renamed by itself", WM_COPYDATA answers dwData plus the
//                    sum of the block's bytes
//   send <hwnd>      talks to a window of the test in ways it must refuse,
//                    then once as it should (see main)
//   as-user <uid> <hwnd>  the same plain request as another user
//   registry-writer  sets HKCU\Software\Peer "Counter" to 1, 2, 3... and prints
//                    each value once RegSetValueEx has returned
//   start            starts on the root and prints HKCU\Software\Peer "Counter"
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/Platform.h"
#include "platform/win/kernel/UniqueFd.h"
#include "platform/win/user/CrossProcessMessage.h"
#include "platform/win/user/Desktop.h"
#include "platform/win/user/DesktopServer.h"
#include "platform/win/user/WindowManager.h"

namespace {

void report(const std::string& name, long long value) {
  std::printf("%s=%lld\n", name.c_str(), value);
  std::fflush(stdout);
}

void report(const std::string& name, const std::string& value) {
  std::printf("%s=%s\n", name.c_str(), value.c_str());
  std::fflush(stdout);
}

LRESULT CALLBACK peerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_USER + 1:
      SetWindowText(hwnd, "Renamed by itself");
      return 1;
    case WM_COPYDATA: {
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      LRESULT sum = static_cast<LRESULT>(data->dwData);
      for (DWORD i = 0; i < data->cbData; ++i) sum += static_cast<const unsigned char*>(data->lpData)[i];
      return sum;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

int serveWindow(const char* title) {
  WNDCLASS wc{};
  wc.lpfnWndProc = peerProc;
  wc.lpszClassName = "PeerWnd";
  RegisterClass(&wc);
  HWND w = CreateWindowEx(0, "PeerWnd", title, WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  if (!w) return 2;
  report("hwnd", static_cast<long long>(reinterpret_cast<uintptr_t>(w)));
  MSG m;
  while (GetMessage(&m, nullptr, 0, 0) > 0) DispatchMessage(&m);
  return 0;
}

// One raw request to the process owning `hwnd`, as a hostile process would
// write it. Returns the reply's error (0: ok, with its result in `result`),
// or -1 when the connection was closed without a reply.
long long raw(HWND hwnd, const std::string& frame, LRESULT* result = nullptr, std::string* text = nullptr) {
  wavorel::UniqueFd fd =
      wavorel::DesktopServer::connect(wavorel::Desktop::processFolder(wavorel::WindowManager::processOfHandle(hwnd)));
  if (!fd.valid()) return -2;
  if (::send(fd.get(), frame.data(), frame.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(frame.size())) return -1;
  ::shutdown(fd.get(), SHUT_WR);
  std::string in;
  char buf[4096];
  for (;;) {
    // The connection is non-blocking: wait for the reply or the close.
    ssize_t n = ::recv(fd.get(), buf, sizeof buf, 0);
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
      usleep(1000);
      continue;
    }
    if (n <= 0) break;
    in.append(buf, static_cast<size_t>(n));
  }
  if (in.size() < sizeof(wavorel::CrossProcessReply)) return -1;
  wavorel::CrossProcessReply reply;
  std::memcpy(&reply, in.data(), sizeof reply);
  if (result) *result = static_cast<LRESULT>(reply.result);
  if (text) *text = in.substr(sizeof reply);
  return reply.ok ? 0 : reply.error;
}

std::string frame(HWND hwnd, UINT kind, UINT msg, WPARAM wParam, LPARAM lParam, const std::string& payload = "",
                  uint32_t magic = wavorel::CrossProcessRequest::kMagic) {
  wavorel::CrossProcessRequest req{
      magic, kind, reinterpret_cast<uintptr_t>(hwnd), msg, static_cast<uint32_t>(payload.size()), wParam, lParam};
  return std::string(reinterpret_cast<const char*>(&req), sizeof req) + payload;
}

int sendAsHostile(HWND target) {
  constexpr UINT kSend = wavorel::CrossProcessRequest::kSend;
  constexpr UINT kPost = wavorel::CrossProcessRequest::kPost;
  const LPARAM forged = static_cast<LPARAM>(0x41414141);
  // Through the platform: a message whose parameter is a pointer is refused here.
  SetLastError(0);
  report("api-pointer-result", SendMessage(target, WM_GETMINMAXINFO, 0, forged));
  report("api-pointer-error", GetLastError());
  SetLastError(0);
  report("api-post-settext", PostMessage(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x")));
  report("api-post-settext-error", GetLastError());
  // Past the platform, straight onto the socket.
  report("raw-pointer-send", raw(target, frame(target, kSend, WM_NOTIFY, 1, forged)));
  report("raw-pointer-post", raw(target, frame(target, kPost, WM_DRAWITEM, 1, forged)));
  LRESULT length = 0;
  std::string text;
  report("raw-gettext", raw(target, frame(target, kSend, WM_GETTEXT, 64, forged), &length, &text));
  report("raw-gettext-text", text);
  report("raw-gettext-length", length);
  report("raw-bad-magic", raw(target, frame(target, kSend, WM_USER, 0, 0, "", 0x12345678)));
  report("raw-cut-short", raw(target, frame(target, kSend, WM_USER, 0, 0).substr(0, 20)));
  std::string huge = frame(target, kSend, WM_SETTEXT, 0, 0);
  uint32_t tooBig = wavorel::kMaxCrossProcessPayload + 1;
  std::memcpy(&huge[offsetof(wavorel::CrossProcessRequest, payloadSize)], &tooBig, sizeof tooBig);
  report("raw-too-big", raw(target, huge));
  report("raw-payload-on-plain", raw(target, frame(target, kSend, WM_USER + 7, 0, 0, "junk")));
  report("raw-not-top-level",
         raw(target, frame(reinterpret_cast<HWND>(reinterpret_cast<uintptr_t>(target) + 4), kSend, WM_USER + 7, 0, 0)));
  // And as it should: the target still answers.
  SetLastError(0);
  report("plain-result", SendMessage(target, WM_USER + 7, 3, 4));
  report("plain-error", GetLastError());
  char title[8];
  report("gettext-length", SendMessage(target, WM_GETTEXT, sizeof title, reinterpret_cast<LPARAM>(title)));
  report("gettext-text", title);
  return 0;
}

int sendAsUser(uid_t uid, HWND target) {
  if (setuid(uid) != 0) return 3;
  report("as-user", raw(target, frame(target, wavorel::CrossProcessRequest::kSend, WM_USER + 7, 0, 0)));
  return 0;
}

int writeRegistry() {
  HKEY key = nullptr;
  if (RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Peer", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return 2;
  for (DWORD i = 1;; ++i) {
    if (RegSetValueEx(key, "Counter", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&i), sizeof i) != ERROR_SUCCESS)
      return 3;
    report("ack", i);
  }
}

int start() {
  HKEY key = nullptr;
  LONG status = RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Peer", 0, KEY_READ, &key);
  report("open", status);
  DWORD value = 0;
  DWORD size = sizeof value;
  if (status == ERROR_SUCCESS) {
    report("query", RegQueryValueEx(key, "Counter", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size));
    report("counter", value);
    RegCloseKey(key);
  }
  return 0;
}

HWND handle(const char* text) { return reinterpret_cast<HWND>(static_cast<uintptr_t>(std::stoull(text))); }

}  // namespace

int main(int argc, char** argv) {
  std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "window" && argc == 3) return serveWindow(argv[2]);
  if (mode == "send" && argc == 3) return sendAsHostile(handle(argv[2]));
  if (mode == "as-user" && argc == 4) return sendAsUser(static_cast<uid_t>(std::stoul(argv[2])), handle(argv[3]));
  if (mode == "registry-writer") return writeRegistry();
  if (mode == "start") return start();
  std::fprintf(stderr,
               "usage: platform-peer window <title> | send <hwnd> | as-user <uid> <hwnd> | registry-writer | start\n");
  return 64;
}
