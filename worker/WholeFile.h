// Whole small files of both programs (the store's files, the profile page's
// order file): read at once, and replaced through a temporary file.
#pragma once

#include <string>

#include "platform/Platform.h"

// The whole file into `text`; false when it cannot be opened or read.
bool ReadWholeFile(const CString& path, std::string& text);
// Writes `text` to "<path>.tmp" and renames it over `path`; false (the old
// file untouched, the temporary removed) when any step fails.
bool WriteFileAtomically(const CString& path, const std::string& text);
