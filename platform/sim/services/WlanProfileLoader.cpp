// The WLAN profile and EAP user data readers are built as their own module
// (libwavxml.so) with libxml2, so only a run that reads such a document maps
// libxml2 and ICU: these are the platform library's parseWlanProfile and
// wellFormedEapUserData, which load the module on first use and hand the
// document to it.
#include "platform/sim/services/EapUserData.h"
#include "platform/sim/services/WlanProfile.h"
#include "platform/win/kernel/CompanionModule.h"
#include "platform/win/services/Wlan.h"

namespace wavorel::sim {

namespace {

CompanionModule& xmlModule() {
  static CompanionModule module("libwavxml.so");
  return module;
}

}  // namespace

bool parseWlanProfile(const std::string& xml, WlanProfile& out, uint32_t& reason) {
  using Parse = bool (*)(const std::string&, WlanProfile&, uint32_t&);
  static const Parse parse = xmlModule().entryAs<Parse>("wavorel_parse_wlan_profile");
  if (parse) return parse(xml, out, reason);
  reason = WLAN_REASON_CODE_UNKNOWN;
  return false;
}

bool wellFormedEapUserData(const std::string& xml) {
  using Check = bool (*)(const std::string&);
  static const Check check = xmlModule().entryAs<Check>("wavorel_eap_user_data_well_formed");
  return check && check(xml);
}

}  // namespace wavorel::sim
