// The poll's signal-to-tray rule and the event-log store.
#include <gtest/gtest.h>

#include "softap/ApPoll.h"

namespace softap::testing {
namespace {

TEST(ApPollState, RssiGivesPercentAndTrayIcon) {
  struct Case {
    int dBm, percent;
    UINT icon;
  } cases[] = {
      {-20, 100, kApTrayGood}, {-40, 100, kApTrayGood}, {-54, 72, kApTrayGood},   {-55, 70, kApTrayNormal},
      {-60, 60, kApTrayNormal}, {-69, 42, kApTrayNormal}, {-70, 40, kApTrayWeak}, {-80, 20, kApTrayWeak},
      {-81, 15, kApTrayWeak},   {-84, 0, kApTrayWeak},    {-85, 0, kApTrayWeak},  {-100, 0, kApTrayWeak},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RssiToPercent_AP(c.dBm), c.percent) << c.dBm << " dBm";
    EXPECT_EQ(TrayIconOfPercent_AP(RssiToPercent_AP(c.dBm)), c.icon) << c.dBm << " dBm";
  }
}

TEST(ApPollState, TrayStatesByIcon) {
  struct Case {
    UINT icon;
    int state;
    const char* text;
  } cases[] = {{190, 3, "Soft AP  Status : Good"},
               {183, 4, "Soft AP  Status : Normal"},
               {186, 5, "Soft AP  Status : Weak"},
               {194, 0, "Soft AP  Status : Lost"},
               {219, 1, "Soft AP  Status : Not Exist"}};
  for (const Case& c : cases) {
    const AP_TRAY_STATE* state = FindApTrayState(c.icon);
    ASSERT_NE(state, nullptr) << c.icon;
    EXPECT_EQ(state->State, c.state);
    EXPECT_STREQ(state->Text, c.text);
  }
  EXPECT_EQ(FindApTrayState(563), nullptr);
}

std::vector<_VX_802_11_EVENT_LOG> events(int count, int first) {
  std::vector<_VX_802_11_EVENT_LOG> out(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) out[static_cast<size_t>(i)].Time.dwLowDateTime = static_cast<DWORD>(first + i);
  return out;
}

class ApEventLogStore : public ::testing::Test {
 protected:
  void SetUp() override { ClearApEventLog(); }
  void TearDown() override { ClearApEventLog(); }
};

TEST_F(ApEventLogStore, OverflowDropsTheOldestAndLowersShown) {
  for (int i = 0; i < 95; i += 5) StoreApEvents(events(5, i));
  ASSERT_EQ(g_apEventLog.GetSize(), 95);
  g_nApEventLogShown = 90;
  StoreApEvents(events(8, 95));
  ASSERT_EQ(g_apEventLog.GetSize(), 100);
  EXPECT_EQ(g_apEventLog[0].Time.dwLowDateTime, 3u) << "the 3 oldest went";
  EXPECT_EQ(g_apEventLog[99].Time.dwLowDateTime, 102u);
  EXPECT_EQ(g_nApEventLogShown, 87);

  g_nApEventLogShown = 2;
  StoreApEvents(events(10, 200));
  EXPECT_EQ(g_apEventLog.GetSize(), 100);
  EXPECT_EQ(g_nApEventLogShown, 0) << "never below 0";
  ClearApEventLog();
  EXPECT_EQ(g_apEventLog.GetSize(), 0);
}

}  // namespace
}  // namespace softap::testing
