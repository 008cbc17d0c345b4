// The one kind of failure of the resource compiler: a message tied to a place
// in a script, shown as "file:line: message".
#pragma once

#include <stdexcept>
#include <string>

namespace wavrc {

class RcError : public std::runtime_error {
 public:
  RcError(const std::string& file, int line, const std::string& message)
      : std::runtime_error(file + ":" + std::to_string(line) + ": " + message) {}
};

}  // namespace wavrc
