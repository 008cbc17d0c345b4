// The run-time's names are macros; headers of the C++ library included after
// them must still compile and keep their own conversions.
#include "platform/win/kernel/Crt.h"
#include "platform/win/kernel/CrtTime.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <iomanip>
#include <random>
#include <sstream>
#include <string>

#include "platform/testing/PlatformTest.h"

namespace wavorel {
namespace {

using CrtNamesTest = testing::PlatformTest;

TEST_F(CrtNamesTest, QualifiedCallsReachTheRuntimeAndTheCppLibraryKeepsItsOwn) {
  EXPECT_EQ(std::atoi("2147483648"), INT_MAX);
  EXPECT_EQ(std::strtoul("100000000", nullptr, 16), 0xFFFFFFFFu);
  std::srand(1);
  EXPECT_EQ(std::rand(), 41);
  const time_t t = 1204726029;
  EXPECT_EQ(std::gmtime(&t)->tm_mday, 5);
  EXPECT_EQ(std::time(nullptr), _time64(nullptr));

  EXPECT_EQ(std::stoul("4294967296"), 4294967296UL) << "std::stoul stays the host's 64-bit conversion";
  std::ostringstream out;
  out << std::put_time(std::gmtime(&t), "%Y-%m-%d");
  EXPECT_EQ(out.str(), "2008-03-05");
}

}  // namespace
}  // namespace wavorel
