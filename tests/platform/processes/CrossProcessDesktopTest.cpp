// Messages between two real processes of one platform root, and what a
// hostile local process can and cannot do to a running instance.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "Peer.h"
#include "platform/Platform.h"
#include "platform/testing/PlatformTest.h"
#include "platform/win/user/Desktop.h"

namespace wavorel::testing {
namespace {

constexpr const char* kClass = "TargetWnd";

class CrossProcessDesktop : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    WNDCLASS wc{};
    wc.lpfnWndProc = proc;
    wc.lpszClassName = kClass;
    ASSERT_NE(RegisterClass(&wc), 0);
    plainMessages = 0;
  }

  HWND makeTarget() {
    return CreateWindowEx(0, kClass, "Target window", WS_POPUP, 0, 0, 40, 40, nullptr, nullptr, nullptr, nullptr);
  }

  static HWND handle(const std::string& text) {
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(std::stoull(text)));
  }

  static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_USER + 7) {
      ++plainMessages;
      return static_cast<LRESULT>(wParam * 1000 + static_cast<WPARAM>(lParam));
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
  }
  static inline int plainMessages = 0;
};

// The second process tries pointer messages through the platform and past it,
// straight on the socket, with frames that are malformed: every one is
// refused or its connection closed, and the first process answers the plain
// message that follows as if nothing happened.
TEST_F(CrossProcessDesktop, PointerMessagesAreRefusedAndTheTargetKeepsRunning) {
  HWND target = makeTarget();
  ASSERT_NE(target, nullptr);
  Peer peer(root(), {"send", std::to_string(reinterpret_cast<uintptr_t>(target))});
  auto report = peer.rest();
  EXPECT_EQ(peer.wait(), 0);
  const std::pair<const char*, std::string> expected[] = {
      {"api-pointer-result", "0"},
      {"api-pointer-error", std::to_string(ERROR_ACCESS_DENIED)},
      {"api-post-settext", "0"},
      {"api-post-settext-error", std::to_string(ERROR_MESSAGE_SYNC_ONLY)},
      {"raw-pointer-send", std::to_string(ERROR_ACCESS_DENIED)},
      {"raw-pointer-post", std::to_string(ERROR_ACCESS_DENIED)},
      {"raw-gettext", "0"},  // the text is copied; the forged pointer is never used
      {"raw-gettext-text", "Target window"},
      {"raw-gettext-length", "13"},
      {"raw-bad-magic", "-1"},  // -1: closed without a reply
      {"raw-cut-short", "-1"},
      {"raw-too-big", "-1"},
      {"raw-payload-on-plain", "-1"},
      {"raw-not-top-level", std::to_string(ERROR_INVALID_WINDOW_HANDLE)},
      {"plain-result", "3004"},
      {"plain-error", "0"},
      {"gettext-length", "7"},  // cut to the caller's 8-byte buffer
      {"gettext-text", "Target "},
  };
  for (const auto& e : expected) EXPECT_EQ(report[e.first], e.second) << e.first;
  EXPECT_EQ(plainMessages, 1) << "only the well-formed plain message arrived";
  EXPECT_TRUE(IsWindow(target));
  EXPECT_EQ(SendMessage(target, WM_USER + 7, 1, 2), 1002);
}

// A window change in one process reaches the other's FindWindow through the
// published (unsynced) session file; texts and data blocks cross as copies.
TEST_F(CrossProcessDesktop, ChangesReachTheOtherProcessAndTextsCrossAsCopies) {
  Peer peer(root(), {"window", "Peer window"});
  HWND w = handle(peer.next("hwnd"));
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(FindWindow("PeerWnd", "Peer window"), w);

  EXPECT_EQ(SendMessage(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Renamed from outside")), TRUE);
  EXPECT_EQ(FindWindow("PeerWnd", "Renamed from outside"), w);
  EXPECT_EQ(SendMessage(w, WM_USER + 1, 0, 0), 1);
  EXPECT_EQ(FindWindow("PeerWnd", "Renamed by itself"), w);
  EXPECT_EQ(FindWindow("PeerWnd", "Renamed from outside"), nullptr);

  char text[9] = "xxxxxxxx";
  EXPECT_EQ(SendMessage(w, WM_GETTEXT, 6, reinterpret_cast<LPARAM>(text)), 5);
  EXPECT_STREQ(text, "Renam") << "no more than the buffer holds, terminated";
  EXPECT_EQ(text[6], 'x');

  char block[] = {1, 2, 3, 4};
  COPYDATASTRUCT data{100, sizeof block, block};
  EXPECT_EQ(SendMessage(w, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 110);

  SetLastError(0);
  EXPECT_FALSE(PostMessage(w, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MESSAGE_SYNC_ONLY));
  EXPECT_TRUE(PostMessage(w, WM_CLOSE, 0, 0));
  EXPECT_EQ(peer.wait(), 0);
  EXPECT_EQ(FindWindow("PeerWnd", nullptr), nullptr);
}

// A process that does not answer: the send gives up when the platform clock
// has moved the time-out, not after real seconds.
TEST_F(CrossProcessDesktop, SendTimesOutOnThePlatformClock) {
  Peer peer(root(), {"window", "Stopped"});
  HWND w = handle(peer.next("hwnd"));
  ASSERT_NE(w, nullptr);
  ASSERT_EQ(::kill(peer.pid(), SIGSTOP), 0);
  uint64_t start = clock().tickMs();
  SetLastError(0);
  {
    ClockAdvancer passes(clock(), Desktop::kSendTimeoutMs);
    EXPECT_EQ(SendMessage(w, WM_USER + 3, 0, 0), 0);
  }
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TIMEOUT));
  EXPECT_EQ(clock().tickMs() - start, static_cast<uint64_t>(Desktop::kSendTimeoutMs));
  ::kill(peer.pid(), SIGCONT);
}

// The socket is a file in a folder only its user can enter, and the server
// checks who connects: a process of another user that gets that far anyway
// is dropped without a reply.
TEST_F(CrossProcessDesktop, OtherUsersAreDropped) {
  HWND target = makeTarget();
  ASSERT_NE(target, nullptr);
  std::string folder = Desktop::processFolder(static_cast<DWORD>(getpid()));
  struct stat st {};
  ASSERT_EQ(stat(folder.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  ASSERT_EQ(stat((folder + "/socket").c_str(), &st), 0);
  EXPECT_TRUE(S_ISSOCK(st.st_mode));
  if (geteuid() != 0) GTEST_SKIP() << "only root can start a process of another user";
  // Let the other user reach the socket, so that only the server's check stands in its way.
  for (std::string dir = folder; dir.size() >= root().size(); dir = dir.substr(0, dir.rfind('/')))
    ASSERT_EQ(chmod(dir.c_str(), 0711), 0);
  ASSERT_EQ(chmod((folder + "/socket").c_str(), 0666), 0);
  Peer peer(root(), {"as-user", "65534", std::to_string(reinterpret_cast<uintptr_t>(target))});
  EXPECT_EQ(peer.next("as-user"), "-1");
  EXPECT_EQ(peer.wait(), 0);
  EXPECT_EQ(plainMessages, 0);
}

}  // namespace
}  // namespace wavorel::testing
