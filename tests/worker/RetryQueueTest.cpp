// The retry queue of failed driver sets, against the simulated driver on the
// virtual clock.
#include <cstring>

#include "tests/worker/DriverTest.h"

namespace worker::testing {
namespace {

class RetryQueueTest : public DriverTest {
 protected:
  static constexpr DWORD kApMode = OID_VX_AP_MODE_SET | OID_STATION_SET_MASK;
  static constexpr DWORD kPspXlink = OID_VX_PRIVATE_0134_SET | OID_STATION_SET_MASK;

  // How many requests with `code` reached the driver.
  static size_t sent(DWORD code) {
    size_t n = 0;
    for (const auto& c : calls()) n += c.code == code;
    return n;
  }
  static BOOL setDword(DWORD oid, DWORD value) {
    DWORD returned = 0;
    return SetOid(oid, &value, sizeof(value), &returned, 3);
  }
  static bool timerStillArmed(UINT_PTR id) {
    // Killing an armed thread timer succeeds; one already killed is unknown.
    return KillTimer(nullptr, id) != FALSE;
  }
};

TEST_F(RetryQueueTest, SetFailingThreeTimesIsSentThreeTimes500msApartThenDropped) {
  machine().failCode(kApMode, 3);
  EXPECT_FALSE(setDword(OID_VX_AP_MODE_SET, 0));
  ASSERT_EQ(GetSetOidQueue().GetCount(), 1);
  const _SET_INFORMATION_DATA record = GetSetOidQueue().GetAt(0);
  EXPECT_EQ(record.Oid, kApMode);
  EXPECT_EQ(record.Size, 4u);
  EXPECT_EQ(record.RetriesLeft, 2);
  EXPECT_EQ(sent(kApMode), 1u);

  wavorel::runFor(499);
  EXPECT_EQ(sent(kApMode), 1u) << "no retry before 500 ms";
  wavorel::runFor(1);
  EXPECT_EQ(sent(kApMode), 2u);
  EXPECT_EQ(GetSetOidQueue().GetAt(0).RetriesLeft, 1);
  wavorel::runFor(499);
  EXPECT_EQ(sent(kApMode), 2u);
  wavorel::runFor(1);
  EXPECT_EQ(sent(kApMode), 3u);
  EXPECT_EQ(GetSetOidQueue().GetCount(), 0);
  EXPECT_FALSE(timerStillArmed(record.TimerId));

  wavorel::runFor(3000);
  EXPECT_EQ(sent(kApMode), 3u) << "a set is tried three times in all";
}

TEST_F(RetryQueueTest, SetFailingOnceLeavesAfterTheFirstRetry) {
  machine().failCode(kApMode, 1);
  EXPECT_FALSE(setDword(OID_VX_AP_MODE_SET, 0));
  ASSERT_EQ(GetSetOidQueue().GetCount(), 1);
  const UINT_PTR timer = GetSetOidQueue().GetAt(0).TimerId;

  wavorel::runFor(500);
  EXPECT_EQ(sent(kApMode), 2u);
  EXPECT_EQ(calls().back().error, 0u) << "the retry succeeded";
  EXPECT_EQ(GetSetOidQueue().GetCount(), 0);
  EXPECT_FALSE(timerStillArmed(timer));
  wavorel::runFor(2000);
  EXPECT_EQ(sent(kApMode), 2u);
}

TEST_F(RetryQueueTest, TwoQueuedSetsAreEachDrivenByTheirOwnTimer) {
  machine().failCode(kApMode, 3);
  machine().failCode(kPspXlink, 1);
  EXPECT_FALSE(setDword(OID_VX_AP_MODE_SET, 0));
  EXPECT_FALSE(SetPspXlink(1));
  ASSERT_EQ(GetSetOidQueue().GetCount(), 2);
  const UINT_PTR apTimer = GetSetOidQueue().GetAt(0).TimerId;
  const UINT_PTR pspTimer = GetSetOidQueue().GetAt(1).TimerId;
  EXPECT_NE(apTimer, pspTimer);

  // Each tick sends its own record: the PSP-Xlink set goes out once more with
  // its own data and leaves; the AP-mode set stays with one try left.
  wavorel::runFor(500);
  EXPECT_EQ(sent(kApMode), 2u);
  EXPECT_EQ(sent(kPspXlink), 2u);
  for (const auto& c : calls()) {
    if (c.code == kPspXlink) {
      EXPECT_EQ(c.data, (std::vector<uint8_t>{1, 0, 0, 0}));
    }
  }
  ASSERT_EQ(GetSetOidQueue().GetCount(), 1);
  EXPECT_EQ(GetSetOidQueue().GetAt(0).TimerId, apTimer);
  EXPECT_FALSE(timerStillArmed(pspTimer));

  wavorel::runFor(500);
  EXPECT_EQ(sent(kApMode), 3u);
  EXPECT_EQ(sent(kPspXlink), 2u);
  EXPECT_EQ(GetSetOidQueue().GetCount(), 0);
}

TEST_F(RetryQueueTest, UnpluggedAdapterDrainsTheWholeQueueOnTheNextTick) {
  machine().failCode(kApMode, 3);
  machine().failCode(kPspXlink, 3);
  setDword(OID_VX_AP_MODE_SET, 0);
  SetPspXlink(0);
  ASSERT_EQ(GetSetOidQueue().GetCount(), 2);
  const UINT_PTR first = GetSetOidQueue().GetAt(0).TimerId;
  const UINT_PTR second = GetSetOidQueue().GetAt(1).TimerId;

  machine().setPresent(guid(), false);
  wavorel::sim::clearDriverCalls();
  wavorel::runFor(500);
  EXPECT_EQ(GetSetOidQueue().GetCount(), 0);
  EXPECT_TRUE(calls().empty()) << "nothing reaches a device that is gone";
  EXPECT_FALSE(timerStillArmed(first));
  EXPECT_FALSE(timerStillArmed(second));
}

TEST_F(RetryQueueTest, DeviceThatDoesNotOpenQueuesNothing) {
  for (bool unplugged : {false, true}) {
    SCOPED_TRACE(unplugged ? "unplugged" : "refusing to open");
    if (unplugged) {
      machine().setOpenable(guid(), true);
      machine().setPresent(guid(), false);
    } else {
      machine().setOpenable(guid(), false);
    }
    EXPECT_FALSE(setDword(OID_VX_AP_MODE_SET, 0));
    EXPECT_EQ(GetSetOidQueue().GetCount(), 0);
    EXPECT_TRUE(calls().empty());
  }
}

TEST_F(RetryQueueTest, FailedSetWithoutDataIsQueuedWithoutACopy) {
  const DWORD disassociate = OID_802_11_DISASSOCIATE | OID_STATION_SET_MASK;
  machine().failCode(disassociate, 1);
  DWORD returned = 7;
  EXPECT_FALSE(SetOid(OID_802_11_DISASSOCIATE, nullptr, 0, &returned, 3));
  EXPECT_EQ(returned, 0u);
  ASSERT_EQ(GetSetOidQueue().GetCount(), 1);
  EXPECT_EQ(GetSetOidQueue().GetAt(0).Data, nullptr);
  wavorel::runFor(500);
  EXPECT_EQ(sent(disassociate), 2u);
  EXPECT_EQ(GetSetOidQueue().GetCount(), 0);
}

TEST_F(RetryQueueTest, QueuedCopyIsIndependentOfTheCallersBuffer) {
  machine().failCode(kPspXlink, 1);
  DWORD value = 1;
  DWORD returned = 0;
  SetOid(OID_VX_PRIVATE_0134_SET, &value, sizeof(value), &returned, 3);
  value = 0;  // the caller's buffer is reused before the retry
  wavorel::runFor(500);
  ASSERT_EQ(sent(kPspXlink), 2u);
  EXPECT_EQ(calls().back().data, (std::vector<uint8_t>{1, 0, 0, 0}));
}

TEST_F(RetryQueueTest, SingleTryIsNeverQueued) {
  machine().failCode(kApMode, 1);
  DWORD value = 0;
  DWORD returned = 0;
  EXPECT_FALSE(SetOid(OID_VX_AP_MODE_SET, &value, sizeof(value), &returned, 1));
  EXPECT_EQ(GetSetOidQueue().GetCount(), 0);
}

TEST_F(RetryQueueTest, FreedQueueLetsItsTimersEndThemselves) {
  machine().failCode(kApMode, 3);
  setDword(OID_VX_AP_MODE_SET, 0);
  const UINT_PTR timer = GetSetOidQueue().GetAt(0).TimerId;
  GetSetOidQueue().Free();
  EXPECT_EQ(GetSetOidQueue().GetCount(), 0);
  wavorel::runFor(500);
  EXPECT_EQ(sent(kApMode), 1u);
  EXPECT_FALSE(timerStillArmed(timer)) << "the tick found the queue empty and killed its timer";
}

}  // namespace
}  // namespace worker::testing
