// GUIDs and their registry text "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
#pragma once

#include <string>

#include "platform/win/kernel/Types.h"

namespace wavorel::sim {

std::string guidText(const GUID& guid);  // upper case
// False for text that is not a GUID in braces.
bool parseGuidText(const std::string& text, GUID& out);

}  // namespace wavorel::sim
