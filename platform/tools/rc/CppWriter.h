// Writes the compiled resources as a C++ source file: read-only tables and a
// static-init registration of them under the program's module or a named one.
#pragma once

#include <ostream>
#include <string>

#include "platform/tools/rc/ResourceSet.h"

namespace wavrc {

// `moduleName` empty: the resources are the program's own.
void writeCpp(const ResourceSet& set, const std::string& scriptName, const std::string& moduleName, std::ostream& out);

}  // namespace wavrc
