// The copy of every value of one registry key into another: one enumeration
// that the profile pages and the soft-AP settings share. Values of any size
// are copied whole; the copy reports the first value it could not read or
// write.
#pragma once

#include <functional>

#include "platform/Platform.h"

// Writes one value of the enumeration; the registry call's result.
using RegistryValueWriter = std::function<LONG(LPCSTR name, DWORD type, const BYTE* data, DWORD size)>;

// Hands every value of `source` to `write`, in the key's order, names and
// data of any size, at most 999999 values. TRUE when the enumeration ended
// with every value read and written; FALSE at the first value that cannot be
// read (an unusable `source` included) or written, and nothing after it is
// copied.
BOOL EnumRegistryValues(HKEY source, const RegistryValueWriter& write);

// Every value of `source` written into `destination` with RegSetValueEx; the
// result as EnumRegistryValues's.
BOOL CopyRegistryKeyValues(HKEY source, HKEY destination);
