// Windows paths on this machine. A drive letter X: is the folder
// platformRoot()/drive_x. C: always exists (made on first use, with
// C:\Windows\system32 and C:\Windows\Temp); other drives exist only when
// their folder does. The real folder of the running program is mounted at
// "C:\Program Files\<ExeBase>", and the program's module name is that folder
// plus "<ExeBase>.exe" (the Linux executable has no extension).
//
// Resolution rules:
// - '/' and '\' both separate; doubled separators count once; "." is dropped
//   and ".." goes up one level. A ".." above the drive root fails with
//   ERROR_ACCESS_DENIED (the path escapes the machine).
// - A path without a drive ("a\b", "\a") is taken against the current
//   directory (which starts at the program folder); "X:a" too when the current
//   directory is on X:, else against the root of X:.
// - Each component that exists is looked up case-insensitively ("Skin" finds
//   "skin"); a component that does not exist keeps the case given, so a new file
//   is created with that name.
// - <>:"|?* and control characters in a component fail with ERROR_INVALID_NAME;
//   a full path of MAX_PATH (260) characters or more with
//   ERROR_FILENAME_EXCED_RANGE; an empty path with ERROR_PATH_NOT_FOUND; "\\.\name" names a device
//   (see Devices.h) and "\\server\share" is not supported (ERROR_BAD_PATHNAME).
#pragma once

#include <string>

#include "platform/win/kernel/Types.h"

namespace wavorel {

// Maps a Windows path to the Linux path it names. On failure returns false and
// sets the last error.
bool resolveWindowsPath(const std::string& winPath, std::string& linuxPath);
// Makes a Windows path absolute and normal ("C:\A\b", no trailing separator
// except on a drive root) without touching the disk, or "" with the last error
// set. Same rules as resolveWindowsPath.
std::string fullWindowsPath(const std::string& winPath);
// The Windows path of a Linux path on this machine ("" when it lies outside
// every drive and the program folder).
std::string toWindowsPath(const std::string& linuxPath);

// The program folder: `linuxDir` becomes "C:\Program Files\<ExeBase>" and the
// module file name is that folder plus `exeName` (".exe" is added unless the
// name already ends in it). The default is the folder and name of the running
// executable; a platform root switch restores it and resets the current
// directory to the program folder.
void setProgramFolder(const std::string& linuxDir, const std::string& exeName);
std::string programFolderLinux();
// "C:\Program Files\<ExeBase>" (no trailing separator).
std::string programFolderWindows();
// The module's file name, "C:\Program Files\<ExeBase>\<ExeBase>.exe".
std::string moduleFileName();

// The current directory as a Windows path (no trailing separator except on a
// drive root).
std::string currentDirectory();
// Sets it; the folder must exist (false + the error of missingPathError, or
// ERROR_DIRECTORY for a file).
bool setCurrentDirectory(const std::string& winPath);

// The error Windows gives for a resolved path that does not exist:
// ERROR_FILE_NOT_FOUND when its folder exists, else ERROR_PATH_NOT_FOUND.
DWORD missingPathError(const std::string& linuxPath);

// True for "\\.\name" paths (either separator).
bool isDevicePath(const std::string& winPath);

}  // namespace wavorel
