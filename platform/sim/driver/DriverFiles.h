// The driver files an adapter's driver installed in the system folder
// ("drivers" below it): each file exists with the world's modification date,
// and the version API answers its version information.
#pragma once

#include <string>

#include "platform/sim/radio/World.h"

namespace wavorel::sim {

// The Windows path of one of the driver's files.
std::string driverFilePath(const std::string& fileName);
// Creates the adapter's driver files where missing, dates them and registers
// their version information.
void installDriverFiles(const WorldAdapter& adapter);

}  // namespace wavorel::sim
