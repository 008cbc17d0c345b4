// The named constants a resource script may use without defining them: window,
// dialog and control styles, menu and version flags, languages, dialog ids.
#pragma once

#include <cstdint>
#include <string>

namespace wavrc {

bool lookupConstant(const std::string& name, uint32_t& value);

}  // namespace wavrc
