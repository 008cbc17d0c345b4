// The Native Wi-Fi service's profiles of one interface, in their connection
// order: each keeps the document exactly as it was given (UTF-8), its flags
// (all-user or WLAN_PROFILE_USER), what the service read from it, and the EAP
// user data set for it. The store lives in the platform root
// ("wlansvc/<interface GUID>.profiles") and is rewritten whole on each change.
#pragma once

#include <string>
#include <vector>

#include "platform/sim/services/WlanProfile.h"

namespace wavorel::sim {

struct StoredProfile {
  std::string xml;
  uint32_t flags = 0;
  WlanProfile profile;
  std::string eapUserData;
};

class WlanProfileStore {
 public:
  explicit WlanProfileStore(std::string interfaceGuid);

  const std::vector<StoredProfile>& profiles() const { return profiles_; }
  StoredProfile* find(const std::string& name);
  const StoredProfile* findBySsid(const std::string& ssid) const;
  // A new name goes last; an overwritten profile keeps its place.
  void put(StoredProfile p);
  bool remove(const std::string& name);
  bool move(const std::string& name, size_t position);
  void save() const;

 private:
  std::string path() const;
  void load();

  std::string guid_;
  std::vector<StoredProfile> profiles_;
};

}  // namespace wavorel::sim
