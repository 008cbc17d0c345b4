// The entries of libwavxml.so, the module that holds the WLAN profile reader
// and with it libxml2 (see WlanProfileLoader.cpp).
#include "platform/sim/services/EapUserData.h"
#include "platform/sim/services/WlanProfile.h"

extern "C" __attribute__((visibility("default"))) bool wavorel_parse_wlan_profile(const std::string& xml,
                                                                                  wavorel::sim::WlanProfile& out,
                                                                                  uint32_t& reason) {
  return wavorel::sim::parseWlanProfile(xml, out, reason);
}

extern "C" __attribute__((visibility("default"))) bool wavorel_eap_user_data_well_formed(const std::string& xml) {
  return wavorel::sim::wellFormedEapUserData(xml);
}
