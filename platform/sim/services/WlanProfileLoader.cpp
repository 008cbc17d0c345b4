// The WLAN profile reader is built as its own module (libwavxml.so) with
// libxml2, so only a run that reads a profile document maps libxml2 and ICU:
// this is the platform library's parseWlanProfile, which loads the module on
// first use and hands the document to it.
#include "platform/sim/services/WlanProfile.h"
#include "platform/win/kernel/CompanionModule.h"
#include "platform/win/services/Wlan.h"

namespace wavorel::sim {

bool parseWlanProfile(const std::string& xml, WlanProfile& out, uint32_t& reason) {
  using Parse = bool (*)(const std::string&, WlanProfile&, uint32_t&);
  static CompanionModule module("libwavxml.so");
  static const Parse parse = module.entryAs<Parse>("wavorel_parse_wlan_profile");
  if (parse) return parse(xml, out, reason);
  reason = WLAN_REASON_CODE_UNKNOWN;
  return false;
}

}  // namespace wavorel::sim
