// The server's password change: the prompt is shown by the UI thread, OK
// makes the typed password the profile's and stores it in both registry
// places, Cancel stores nothing; and the supplicant ends cleanly while a
// prompt is open, an exchange is half done or the ring is full.
#include <atomic>

#include "tests/xp/supplicant/SupplicantLayerTest.h"

namespace supplicant::testing {
namespace {

using PasswordChangeTest = SupplicantLayerTest;

TEST_F(PasswordChangeTest, OkStoresTheNewPasswordInBothKeysAndCancelStoresNothing) {
  const std::vector<std::string> shown = {"page 8", "expand"};
  for (int answer : {kPromptCancel, kPromptOk}) {
    SCOPED_TRACE(answer == kPromptOk ? "OK" : "Cancel");
    useWorld(kWorld);
    host_.calls.clear();
    enterprise("Change", kPeap, "alice", "old-one");
    startAndConnect();
    ASSERT_TRUE(driveUntil([&] { return IsPromptActive() && host_.calls == shown; }));
    AnswerPasswordPrompt(answer, "alice", "new-one");
    ASSERT_TRUE(driveUntil([] { return !IsPromptActive(); }));
    const bool ok = answer == kPromptOk;
    for (const char* sub : {"", "\\Profile\\Station\\Office"}) {
      EXPECT_EQ(driverText("TunnelPassword", sub), ok ? "new-one" : "<none>") << sub;
      EXPECT_EQ(driverText("Password", sub), ok ? "new-one" : "<none>") << sub;
    }
    EXPECT_EQ(std::string(profile_.TunnelPassword), ok ? "new-one" : "old-one");
    EXPECT_EQ(g_nReassociate, ok ? 1 : 0);
    if (ok) {
      EXPECT_TRUE(driveUntil([] { return adapter().connected(); }));
    }
    SupplicantClose();
  }
}

TEST_F(PasswordChangeTest, WithoutACurrentProfileNameOnlyTheDriverKeyIsWritten) {
  setDriverText("CurProfile", "");
  enterprise("Change", kPeap, "alice", "old-one");
  startAndConnect();
  ASSERT_TRUE(driveUntil([] { return IsPromptActive(); }));
  AnswerPasswordPrompt(kPromptOk, "alice", "new-one");
  ASSERT_TRUE(driveUntil([] { return !IsPromptActive(); }));
  EXPECT_EQ(driverText("TunnelPassword"), "new-one");
  EXPECT_EQ(driverText("TunnelPassword", "\\Profile\\Station"), "<none>");
}

TEST_F(PasswordChangeTest, TheSupplicantEndsWhileAPromptIsOpenOrAnExchangeIsHalfDone) {
  enterprise("Change", kPeap, "alice", "old-one");
  startAndConnect();
  ASSERT_TRUE(driveUntil([] { return IsPromptActive(); }));
  SupplicantClose();  // the prompt ends with Cancel, the request thread with its stop record
  EXPECT_FALSE(IsPromptActive());
  EXPECT_FALSE(IsUiThreadRunning());
  EXPECT_EQ(GetCurrentPort(), nullptr);
  EXPECT_EQ(driverText("TunnelPassword"), "<none>");

  // Deferred requests in flight, then the end.
  clearLines();
  enterprise("Corp", kPeap, "alice", "secret");
  startAndConnect();
  ASSERT_TRUE(driveUntil([] { return ringHas("PEAP Authenticating..."); }));
  SupplicantClose();
  EXPECT_FALSE(IsUiThreadRunning());
  drive(2000);  // nothing answers or posts any more
  EXPECT_FALSE(ringHas("Wireless client is authenticated."));

  // And once the checks run (on their own thread, which ends with the rest).
  clearLines();
  startAndConnect();
  ASSERT_TRUE(driveUntil([] { return ringHas("DHCP is Enabled."); }));
  SupplicantClose();
  EXPECT_FALSE(IsUiThreadRunning());
}

TEST_F(PasswordChangeTest, TheSupplicantEndsWhileLibraryThreadsWaitOnAFullRingBehindAPrompt) {
  enterprise("Change", kPeap, "alice", "old-one");
  startAndConnect();
  ASSERT_TRUE(driveUntil([] { return IsPromptActive(); }));
  _PM_PORT* port = GetCurrentPort();
  ASSERT_NE(port, nullptr);
  // The request thread waits on the prompt; library threads defer requests
  // to it until the ring holds ten and the next ones wait for room.
  constexpr int kCallers = 13;
  std::atomic<int> returned{0};
  std::atomic<int> refused{0};
  std::vector<std::thread> callers;
  for (int i = 0; i < kCallers; ++i)
    callers.emplace_back([&, i] {
      AC_CRED_REQUEST request{};
      request.id = 9000u + static_cast<uint32_t>(i);
      request.kind = AC_REQ_SESSION_START;
      if (SupplicantCredentialCallback(port, &request) == -1) ++refused;
      ++returned;
    });
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (returned < kUiMailboxSlots && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(returned, kUiMailboxSlots);
  EXPECT_TRUE(IsPromptActive());

  // The end cancels the prompt, turns the waiting puts away and stops the
  // thread behind the records still in the ring.
  SupplicantClose();
  for (std::thread& t : callers) t.join();
  EXPECT_EQ(refused, kCallers - kUiMailboxSlots);
  EXPECT_FALSE(IsPromptActive());
  EXPECT_FALSE(IsUiThreadRunning());
  EXPECT_FALSE(IsUiRequestPending());
  EXPECT_EQ(GetCurrentPort(), nullptr);
  EXPECT_EQ(driverText("TunnelPassword"), "<none>");
}

}  // namespace
}  // namespace supplicant::testing
