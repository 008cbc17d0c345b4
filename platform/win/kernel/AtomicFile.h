// Whole-file rewrites that never leave a half-written file: the data goes to a
// temporary file beside the target, is flushed to disk (durable state only),
// and replaces the target by a rename. A rewrite keeps the file's mode (a new file is 0600),
// and a path that is a symbolic link is written through to the link's target,
// so the link stays a link.
#pragma once

#include <string>

namespace wavorel {

// Whether a rewrite is flushed to disk before the rename: settings are; files
// that die with the process (the session's) need not be, readers still never
// see half of one.
enum class Durability { Synced, Unsynced };

// Returns false (target untouched) when any step fails.
bool writeFileAtomically(const std::string& linuxPath, const std::string& data,
                         Durability durability = Durability::Synced);
// Reads a whole file; false when it cannot be opened.
bool readWholeFile(const std::string& linuxPath, std::string& data);

}  // namespace wavorel
