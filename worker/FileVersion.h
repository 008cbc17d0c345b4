// What the about pages show of a file: the fixed file version of its version
// information, its "LegalCopyright" text and its modification date.
#pragma once

#include "platform/Platform.h"

// Reads the version of `path` in `versionFormat` (four %d: major, minor,
// build, revision), its copyright when `copyright` is given, and its date
// "%m-%d-%Y". A file without version information changes nothing and gives
// FALSE.
BOOL ReadFileVersion(LPCSTR path, LPCSTR versionFormat, CString& version, CString& date, CString* copyright);
