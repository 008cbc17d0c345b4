// Finds and starts the program of a command line (the rules are in Process.h).
#pragma once

#include <memory>
#include <string>

#include "platform/win/kernel/ProcessObject.h"
#include "platform/win/kernel/ThreadObject.h"

namespace wavorel {

struct Launched {
  std::shared_ptr<ProcessObject> process;
  std::shared_ptr<ThreadObject> thread;  // the first thread
  std::string program;  // the program found, or the name sought when none was
};

// `applicationName` may be empty (the program comes from the command line);
// `currentDirectory` is a Windows path, empty for the caller's. Returns 0 or
// the Win32 error; sets no last error.
DWORD launchProgram(const std::string& applicationName, const std::string& commandLine,
                    const std::string& currentDirectory, Launched& launched);

}  // namespace wavorel
