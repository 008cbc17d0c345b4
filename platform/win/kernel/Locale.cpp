#include "platform/win/kernel/Locale.h"

#include <atomic>

#include "platform/win/kernel/Root.h"

namespace {

const LCID kEnglishUs = 0x0409;
std::atomic<LCID> systemLocale{kEnglishUs};
std::atomic<LCID> userLocale{kEnglishUs};

const bool registered = [] {
  wavorel::registerStateReset([] { wavorel::setDefaultLocales(kEnglishUs, kEnglishUs); });
  return true;
}();

}  // namespace

LCID GetSystemDefaultLCID() { return systemLocale.load(); }
LCID GetUserDefaultLCID() { return userLocale.load(); }
LANGID GetSystemDefaultLangID() { return LANGIDFROMLCID(systemLocale.load()); }
LANGID GetUserDefaultLangID() { return LANGIDFROMLCID(userLocale.load()); }

void wavorel::setDefaultLocales(LCID system, LCID user) {
  systemLocale = system;
  userLocale = user;
}
