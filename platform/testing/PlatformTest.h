// GoogleTest fixture that gives each test its own platform: a fresh root in a
// temporary folder (drives, registry hives, session state), a virtual clock and
// a clean set of module states. Derive test fixtures from it.
//
// The virtual clock moves only when the test moves it (clock().advance(ms),
// runFor(ms), Sleep, a ClockAdvancer for a wait that is to time out): a wait
// on it that nothing satisfies fails the test with the wait's name. So does
// any fault the platform logs, such as an exception escaping a window
// procedure, a timer callback or a hook (PlatformLog.h).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/testing/ClockAdvancer.h"
#include "platform/testing/Drivers.h"
#include "platform/win/kernel/Clock.h"
#include "platform/win/kernel/PlatformLog.h"
#include "platform/win/kernel/Types.h"

namespace wavorel::testing {

class PlatformTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The Linux folder of this test's platform root.
  const std::string& root() const { return root_; }
  VirtualClock& clock() { return *clock_; }
  // Makes the file at the Windows path `path` (its folder must exist) with a
  // last-write time at noon UTC of the day given.
  static void writeFileDated(const std::string& path, WORD year, WORD month, WORD day);

 private:
  std::string root_;
  std::shared_ptr<VirtualClock> clock_;
  FaultHandler previousFaultHandler_;
};

}  // namespace wavorel::testing
