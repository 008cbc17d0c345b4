// What a killed process leaves behind, cleared when a process starts on a
// platform root: temporary files of atomic rewrites ("<file>.tmp<pid>") whose
// writer is gone, under the root and in the program folder, and the session
// folders of dead instances (<root>/session/desktop/<pid>/, whose "lock" a
// live instance holds for its whole life, see Desktop.h).
#pragma once

#include <string>

namespace wavorel {

// Removes the left-overs under `root` (a Linux path) and, when `programFolder`
// is not empty, the temporary files directly in it.
void removeLeftovers(const std::string& root, const std::string& programFolder);

}  // namespace wavorel
