// Whole-file rewrites that never leave a half-written file: the data goes to a
// temporary file beside the target, is flushed to disk (durable state only),
// and replaces the target by a rename. A rewrite keeps the file's mode (a new file is 0600),
// and a path that is a symbolic link is written through to the link's target,
// so the link stays a link.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace wavorel {

// Whether a rewrite is flushed to disk before the rename: durable files that
// are rewritten rarely are (Synced); files that die with the process (the
// session's) never are, readers still never see half of one (Unsynced).
// Settings that come in bursts (registry hives) are Deferred: each rewrite
// replaces the file at once, so other processes and the next start see it
// even when this process is killed, and the file is flushed to disk later,
// once for many rewrites, by syncDeferredFiles (the message loop calls it
// before it sleeps, and it runs at exit). A file left unflushed longer than
// kMaxDeferredSyncMs is flushed by its next rewrite.
enum class Durability { Synced, Deferred, Unsynced };
constexpr long kMaxDeferredSyncMs = 1000;

// Returns false (target untouched) when any step fails.
bool writeFileAtomically(const std::string& linuxPath, const std::string& data,
                         Durability durability = Durability::Synced);
// The same with the data in pieces, written one after the other (no copy of
// them joined).
bool writeFileAtomically(const std::string& linuxPath, std::initializer_list<std::string_view> pieces,
                         Durability durability = Durability::Synced);
// Flushes the files of Deferred rewrites still waiting (with their
// folders), all of them or only `linuxPath`; false when a flush failed.
bool syncDeferredFiles();
bool syncDeferredFile(const std::string& linuxPath);
// Whether a Deferred rewrite waits for its flush (cheap: the loop asks it on
// every idle pass).
bool deferredSyncPending();
// How many files this process has flushed to disk, for tests and
// benchmarks.
unsigned long fileSyncCount();

// Reads a whole file; false when it cannot be opened.
bool readWholeFile(const std::string& linuxPath, std::string& data);

}  // namespace wavorel
