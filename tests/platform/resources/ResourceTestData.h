// Helpers of the resource tests: the ids of the test scripts and access to
// the files beside them.
#pragma once

#include <string>
#include <vector>

#include "platform/win/kernel/Types.h"
#include "tests/platform/resources/data/resource.h"

namespace wavorel::testing {

// The bytes of a file of the test scripts' folder.
std::vector<BYTE> dataFile(const std::string& name);
// The data of a resource; empty when it is absent.
std::vector<BYTE> resourceBytes(HINSTANCE module, LPCSTR type, LPCSTR name);

inline WORD le16(const std::vector<BYTE>& b, size_t p) { return static_cast<WORD>(b.at(p) | (b.at(p + 1) << 8)); }
inline DWORD le32(const std::vector<BYTE>& b, size_t p) { return le16(b, p) | (static_cast<DWORD>(le16(b, p + 2)) << 16); }
// A zero-terminated UTF-16 text at `p` (ASCII only), moving `p` past it.
std::string wideAt(const std::vector<BYTE>& b, size_t& p);

}  // namespace wavorel::testing
