// The environment a test starts a program in: this process's own without
// the display and the platform's switches, then the test's root, headless,
// and the test's extra entries ("NAME=value").
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include <unistd.h>

namespace wavorel::testing {

inline std::vector<std::string> headlessEnvironment(const std::string& root, const std::vector<std::string>& extra) {
  std::vector<std::string> environment;
  for (char** e = environ; *e; ++e) {
    if (std::strncmp(*e, "DISPLAY=", 8) == 0 || std::strncmp(*e, "WAVOREL_", 8) == 0) continue;
    environment.push_back(*e);
  }
  environment.push_back("WAVOREL_ROOT=" + root);
  environment.push_back("WAVOREL_HEADLESS=1");
  environment.insert(environment.end(), extra.begin(), extra.end());
  return environment;
}

}  // namespace wavorel::testing
