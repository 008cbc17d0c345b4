// GoogleTest fixture that gives each test its own platform: a fresh root in a
// temporary folder (drives, registry hives, session state), a virtual clock and
// a clean set of module states. Derive test fixtures from it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/win/kernel/Clock.h"

namespace wavorel::testing {

class PlatformTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The Linux folder of this test's platform root.
  const std::string& root() const { return root_; }
  VirtualClock& clock() { return *clock_; }

 private:
  std::string root_;
  std::shared_ptr<VirtualClock> clock_;
};

}  // namespace wavorel::testing
