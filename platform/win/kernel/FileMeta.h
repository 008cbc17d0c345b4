// What Windows keeps about a file beyond its bytes, on a Linux file: the three
// file times (on the platform clock), the attribute bits and the error codes
// that Linux failures become. Shared by the file, folder, find and C run-time
// functions.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win/kernel/Types.h"

namespace wavorel {

// FILETIME values (100-ns units since 1601).
struct FileTimes {
  int64_t created = 0;
  int64_t accessed = 0;
  int64_t written = 0;
};

// The times of a file or folder; false (errno set) when it cannot be read.
bool readFileTimes(const std::string& linuxPath, FileTimes& out);
bool readFileTimes(int fd, FileTimes& out);
// Sets the times that are not negative; the others stay.
bool writeFileTimes(const std::string& linuxPath, int64_t created, int64_t accessed, int64_t written);
bool writeFileTimes(int fd, int64_t created, int64_t accessed, int64_t written);
// A file or folder that was just made: all three times are now.
void stampCreated(int fd);
void stampCreated(const std::string& linuxPath);
// Data or entries changed: the last-write time is now.
void stampWritten(int fd);
void stampWritten(const std::string& linuxPath);

// The FILE_ATTRIBUTE_* bits of a file or folder, or INVALID_FILE_ATTRIBUTES
// (errno set). READONLY is the owner's write permission of a file; HIDDEN,
// SYSTEM and ARCHIVE are kept beside it (a file without them stored is ARCHIVE).
DWORD readAttributes(const std::string& linuxPath);
// Stores the bits; DIRECTORY and NORMAL are ignored.
bool writeAttributes(const std::string& linuxPath, DWORD attributes);

// The Win32 error for a failed Linux call.
DWORD errorFromErrno(int err);

}  // namespace wavorel
