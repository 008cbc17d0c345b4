// Whole-file rewrites that never leave a half-written file: the data goes to a
// temporary file beside the target, is flushed, and replaces the target by a
// rename.
#pragma once

#include <string>

namespace wavorel {

// Returns false (target untouched) when any step fails.
bool writeFileAtomically(const std::string& linuxPath, const std::string& data);
// Reads a whole file; false when it cannot be opened.
bool readWholeFile(const std::string& linuxPath, std::string& data);

}  // namespace wavorel
