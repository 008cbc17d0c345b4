// The platform root: the folder that holds this machine's drives, registry
// hives and session state. WAVOREL_ROOT chooses it; the default is
// ~/.local/share/wavorel. Tests give every test its own. What lies below it is
// the user's private data: once the root is chosen, folders are created 0700
// and files 0600 (the process's file-creation mask is 077).
#pragma once

#include <functional>
#include <string>

namespace wavorel {

// The root folder (a Linux path, without a trailing slash). Created on first
// use, when what killed processes left there is also cleared (LeftoverFiles.h).
std::string platformRoot();
// Switches the root (tests), clearing its left-overs as a start does. Runs the
// registered resets so that no module keeps state from the previous root.
void setPlatformRoot(const std::string& path);

// Modules that cache state derived from the root (registry hives, open INI
// caches, the language table...) register a reset here.
void registerStateReset(std::function<void()> fn);
void resetPlatformState();

}  // namespace wavorel
