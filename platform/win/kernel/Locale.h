// Locale identifiers of the machine: the system's and the user's default
// locale. Both are settings of the simulated machine (reset with the platform
// state); by default English (United States), 0x0409.
#pragma once

#include "platform/win/kernel/Types.h"

#define LANG_NEUTRAL 0x00
#define LANG_ENGLISH 0x09
#define SUBLANG_NEUTRAL 0x00
#define SUBLANG_DEFAULT 0x01
#define SUBLANG_SYS_DEFAULT 0x02
#define SORT_DEFAULT 0x0

LCID GetSystemDefaultLCID();
LCID GetUserDefaultLCID();
LANGID GetSystemDefaultLangID();
LANGID GetUserDefaultLangID();

namespace wavorel {

void setDefaultLocales(LCID systemLocale, LCID userLocale);

}  // namespace wavorel
