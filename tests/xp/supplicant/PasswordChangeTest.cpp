// The server's password change: the prompt is shown by the UI thread, OK
// makes the typed password the profile's and stores it in both registry
// places, Cancel stores nothing; and the supplicant ends cleanly while a
// prompt is open or an exchange is half done.
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

}  // namespace
}  // namespace supplicant::testing
