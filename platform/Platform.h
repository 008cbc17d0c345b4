// The umbrella header of the platform stand-in: the Win32 subset, the MFC
// subset and the language library, as the system's sources use them.
#pragma once

#include "platform/win/Types.h"
#include "platform/win/Errors.h"
// Registry
#include "platform/win/Registry.h"
// INI files
#include "platform/win/PrivateProfile.h"
