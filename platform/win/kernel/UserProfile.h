// The profile of the account the programs run under, "User": its folders on
// drive C: (C:\Users\User) and the values a logon gives its session in
// HKEY_CURRENT_USER\Volatile Environment (the registry writes them, see
// Registry.h).
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace wavorel {

// Name and text of each value of a logon's "Volatile Environment": USERNAME,
// USERPROFILE, HOMEDRIVE, HOMEPATH, APPDATA and LOCALAPPDATA. Makes the
// profile's application-data folders (AppData\Roaming and AppData\Local) under
// the current platform root.
std::vector<std::pair<std::string, std::string>> logonEnvironment();

}  // namespace wavorel
