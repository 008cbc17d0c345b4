#include "platform/sim/services/ServiceManager.h"
#include "platform/win/kernel/Account.h"
#include "platform/win/kernel/System.h"
#include "tests/worker/ModuleTest.h"
#include "tests/worker/WzcServiceView.h"

namespace worker::testing {
namespace {

class WzcControlTest : public ModuleTest {
 protected:
  static wavorel::sim::ServiceState service() { return WzcService(); }
  static long long controlFlags() { return WzcControlFlags(); }
  static void setControlFlags(DWORD flags) { SetWzcControlFlags(flags); }
  static void touchManager() { TouchServiceManager(); }
  void settle() { SettleWzcService(clock()); }
};

TEST_F(WzcControlTest, StopWzcServiceStopsAndOptionallyMakesItDemandStart) {
  ASSERT_EQ(service().state, static_cast<uint32_t>(SERVICE_RUNNING));
  StopWzcService(0);
  settle();
  EXPECT_EQ(service().state, static_cast<uint32_t>(SERVICE_STOPPED));
  EXPECT_EQ(service().startType, static_cast<uint32_t>(SERVICE_AUTO_START));

  StopWzcService(0);  // already stopped: nothing changes
  EXPECT_EQ(service().state, static_cast<uint32_t>(SERVICE_STOPPED));
  EXPECT_EQ(service().startType, static_cast<uint32_t>(SERVICE_AUTO_START));

  StopWzcService(1);
  EXPECT_EQ(service().state, static_cast<uint32_t>(SERVICE_STOPPED));
  EXPECT_EQ(service().startType, static_cast<uint32_t>(SERVICE_DEMAND_START));
}

TEST_F(WzcControlTest, TakingTheAdapterBackClearsTheFlagAndRestartsTheService) {
  touchManager();
  ASSERT_EQ(controlFlags(), 0x8000);
  setControlFlags(0x8003);
  EnableWzcOnInterface(0);
  EXPECT_EQ(controlFlags(), 0x0003);
  // Stopped to take the flag, then started again (the stop and the start
  // were waited for).
  const auto state = service();
  EXPECT_EQ(state.state, static_cast<uint32_t>(SERVICE_RUNNING));
  EXPECT_EQ(state.startType, static_cast<uint32_t>(SERVICE_AUTO_START));
}

TEST_F(WzcControlTest, HandingOverSetsTheFlagAndStartsAStoppedService) {
  touchManager();
  setControlFlags(0);
  StopWzcService(1);
  settle();
  EnableWzcOnInterface(1);
  EXPECT_EQ(controlFlags(), 0x8000);
  // Running when the call returns: the worker's next look finds it so.
  EXPECT_EQ(service().state, static_cast<uint32_t>(SERVICE_RUNNING));
  EXPECT_EQ(service().startType, static_cast<uint32_t>(SERVICE_AUTO_START));
}

TEST_F(WzcControlTest, UnderWow64TheInterfaceKeyIsReachedThrough64BitView) {
  touchManager();
  wavorel::setWow64(true);
  g_nOsType = 11;
  EnableWzcOnInterface(0);
  wavorel::setWow64(false);
  EXPECT_EQ(controlFlags(), 0);
}

TEST_F(WzcControlTest, AFlagAlreadyRightLeavesARunningServiceAlone) {
  touchManager();
  EnableWzcOnInterface(1);
  EXPECT_EQ(controlFlags(), 0x8000);
  EXPECT_EQ(service().state, static_cast<uint32_t>(SERVICE_RUNNING));
}

TEST_F(WzcControlTest, AnInterfaceKeyThatDoesNotOpenChangesNoFlagButStartsTheService) {
  StopWzcService(1);
  settle();
  g_strAdapterGuid = "{00000000-0000-0000-0000-000000000000}";
  EnableWzcOnInterface(0);
  EXPECT_EQ(controlFlags(), -1);
  EXPECT_EQ(service().state, static_cast<uint32_t>(SERVICE_RUNNING));
}

TEST_F(WzcControlTest, AStandardUserCannotOpenTheServiceAndNothingHappens) {
  touchManager();
  wavorel::setRunningAsAdministrator(false);
  StopWzcService(1);
  EnableWzcOnInterface(0);
  wavorel::setRunningAsAdministrator(true);
  EXPECT_EQ(service().state, static_cast<uint32_t>(SERVICE_RUNNING));
  EXPECT_EQ(service().startType, static_cast<uint32_t>(SERVICE_AUTO_START));
  EXPECT_EQ(controlFlags(), 0x8000);
}

}  // namespace
}  // namespace worker::testing
