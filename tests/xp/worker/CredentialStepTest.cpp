#include <algorithm>
#include <cstring>

#include "tests/xp/worker/XpWorkerTest.h"

namespace xpworker::testing {
namespace {

class CredentialStepTest : public XpWorkerTest {
 protected:
  void SetUp() override {
    XpWorkerTest::SetUp();
    ASSERT_TRUE(SupplicantInit());
    ASSERT_TRUE(SupplicantSelectAdapter());
    context.host = &host;
    context.credentialPrompt = [this] {
      ++prompts;
      _PROFILE_DATA* asked = XpWorkerState().SupplicantCredentials.get();
      supplicant::testing::PutText(asked->Identity, sizeof asked->Identity, "bob");
      supplicant::testing::PutText(asked->Password, sizeof asked->Password, "typed");
      return answer;
    };
    context.singleSignOn = [this] {
      ++logons;
      return logonAnswer;
    };
    wavorel::sim::clearDriverCalls();
  }
  // A PEAP record whose inner method asks for the password each time.
  _PROFILE_DATA& gtc(supplicant::testing::Method method) {
    _PROFILE_DATA& p = enterprise("Corp", method, "alice", "stored");
    p.TunnelProtocol = 6;
    p.PasswordMode = 0;
    return p;
  }
  // Queues the record and an SSID set behind it.
  void queueWithFollower(const _PROFILE_DATA& r) {
    queueConnect(r);
    queueKind(kActionSetSsid);
  }
  static bool sent(const std::string& line) {
    const Trace t = trace();
    return std::find(t.begin(), t.end(), line) != t.end();
  }

  QuietHost host;
  int answer = kPromptOk;
  int prompts = 0;
  int logonAnswer = kPromptOk;
  int logons = 0;
};

TEST_F(CredentialStepTest, ThePromptsAnswerFillsBothPairsAndTheConnectionGoesOn) {
  queueWithFollower(gtc(supplicant::testing::kPeap));
  EXPECT_EQ(ProcessXpActions(context), 2);
  EXPECT_EQ(prompts, 1);
  EXPECT_EQ(g_bApplyRequested, 0);
  const _PROFILE_DATA& used = *XpWorkerState().SupplicantCredentials;
  EXPECT_STREQ(used.TunnelID, "bob");
  EXPECT_STREQ(used.TunnelPassword, "typed");
  EXPECT_TRUE(sent("S 0DF10139 4 =00000000"));
  EXPECT_TRUE(queue.empty());
}

TEST_F(CredentialStepTest, CancellingThePromptEndsTheRunAndKeepsWhatFollows) {
  answer = kPromptCancel;
  queueWithFollower(gtc(supplicant::testing::kPeap));
  EXPECT_EQ(ProcessXpActions(context), 1);
  EXPECT_FALSE(sent("S 0DF10139 4 =00000000")) << "nothing after the credentials";
  ASSERT_EQ(queue.size(), 1u);
  EXPECT_EQ(queue.front().Kind, kActionSetSsid);
}

TEST_F(CredentialStepTest, WithoutAHostThePromptIsNotAskedAndAStoredPasswordNever) {
  context.host = nullptr;
  queueConnect(gtc(supplicant::testing::kPeap));
  ProcessXpActions(context);
  _PROFILE_DATA& stored = gtc(supplicant::testing::kPeap);
  stored.PasswordMode = 1;
  context.host = &host;
  queueConnect(stored);
  ProcessXpActions(context);
  EXPECT_EQ(prompts, 0);
}

TEST_F(CredentialStepTest, CertificatesAreCopiedOnlyWhenUsedAndCutToTheirArea) {
  _PROFILE_DATA& p = enterprise("Corp", supplicant::testing::kTls, "alice", "secret");
  p.UseClientCert = 1;
  p.ClientCertLen = 5000;  // a length from the store past the field
  std::memset(p.ClientCertData, 0xAB, sizeof p.ClientCertData);
  p.UseServerCert = 0;
  p.ServerCertLen = 20;
  std::memset(p.ServerCertData, 0xCD, sizeof p.ServerCertData);
  queueConnect(p);
  ProcessXpActions(context);
  const _PROFILE_DATA& used = *XpWorkerState().SupplicantCredentials;
  EXPECT_EQ(used.ClientCertLen, sizeof used.ClientCertData);
  EXPECT_EQ(used.ClientCertData[sizeof used.ClientCertData - 1], 0xAB);
  EXPECT_EQ(used.ServerCertLen, 0u);
  EXPECT_EQ(used.ServerCertData[0], 0);
}

TEST_F(CredentialStepTest, TheLeapAccountIsWhatTheSupplicantSignsOnWith) {
  // A LEAP profile keeps its account in the LEAP fields only (the 802.1X
  // values are not read for it).
  _PROFILE_DATA& p = profile("Legacy", 3, 4);
  p.LeapEnabled = 1;
  supplicant::testing::PutText(p.LeapUserName, sizeof p.LeapUserName, "bob");
  p.LeapUserNameLength = 3;
  supplicant::testing::PutText(p.LeapPassword, sizeof p.LeapPassword, "secret-and-more");
  p.LeapPasswordLength = 6;  // the stored length wins over the text
  XpWorkerState().LogonCredentialSwitch = 0;
  queueConnect(p);
  ProcessXpActions(context);
  const _PROFILE_DATA& used = *XpWorkerState().SupplicantCredentials;
  EXPECT_EQ(used.AuthenProtocol, 5u);
  EXPECT_STREQ(used.Identity, "bob");
  EXPECT_STREQ(used.TunnelPassword, "secret");
  EXPECT_TRUE(driveUntil([this] { return adapter().connected(); }));

  // An account longer than the credential fields is cut to them.
  p.LeapUserNameLength = sizeof p.LeapUserName;
  std::memset(p.LeapUserName, 'u', sizeof p.LeapUserName);
  queueConnect(p);
  ProcessXpActions(context);
  EXPECT_EQ(std::strlen(XpWorkerState().SupplicantCredentials->Identity),
            sizeof XpWorkerState().SupplicantCredentials->Identity - 1);
}

TEST_F(CredentialStepTest, TheLogonStepRunsForFastAndLeapWhileTheSwitchIsOnAndItsCancelEndsTheRun) {
  struct Case {
    const char* name;
    supplicant::testing::Method method;
    BYTE leap;
    int switchOn;
    int logonAnswer;
    int logons;
    bool ended;
  };
  const Case cases[] = {
      {"EAP-FAST", supplicant::testing::kFast, 0, 1, kPromptOk, 1, false},
      {"EAP-FAST cancelled", supplicant::testing::kFast, 0, 1, kPromptCancel, 1, true},
      {"LEAP byte", supplicant::testing::kPeap, 1, 1, kPromptCancel, 1, true},
      {"switch off skips once", supplicant::testing::kFast, 0, 0, kPromptCancel, 0, false},
      {"PEAP", supplicant::testing::kPeap, 0, 1, kPromptCancel, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    queue.clear();
    logons = 0;
    logonAnswer = c.logonAnswer;
    XpWorkerState().LogonCredentialSwitch = c.switchOn;
    _PROFILE_DATA& p = enterprise("Corp", c.method, "alice", "secret");
    p.LeapEnabled = c.leap;
    queueWithFollower(p);
    ProcessXpActions(context);
    EXPECT_EQ(logons, c.logons);
    EXPECT_EQ(queue.size(), c.ended ? 1u : 0u);
    if (!c.ended) {
      EXPECT_EQ(XpWorkerState().LogonCredentialSwitch, 1);
    }
    if (c.leap) {
      EXPECT_EQ(XpWorkerState().SupplicantCredentials->AuthenProtocol, 5u);
    }
  }
}

}  // namespace
}  // namespace xpworker::testing
