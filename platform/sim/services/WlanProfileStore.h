// The Native Wi-Fi service's profiles of one interface, in their connection
// order: each keeps the document exactly as it was given (UTF-8), its flags
// (all-user or WLAN_PROFILE_USER), what the service read from it, and the EAP
// user data set for it. The store lives in the platform root
// ("wlansvc/<interface GUID>.profiles") and is rewritten whole on each change.
//
// File form: per profile a header line "profile <flags> <document bytes>
// <EAP user data bytes>" (decimal), then the document and the user data. A
// file that does not read back whole (a header that is not one, sizes past
// the end, a document the service does not take, a name given twice) loses
// only its bad entries, each reported on stderr with its reason; the file
// itself is kept aside as "<name>.damaged" (".damaged.2" ... when taken) with
// every byte it had, and the store is written anew from what was read.
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

  // A store file's form of `profiles`, and its reading: the profiles that
  // read back, and one reason for each part that did not.
  static std::string serialize(const std::vector<StoredProfile>& profiles);
  static std::vector<StoredProfile> read(const std::string& data, std::vector<std::string>& problems);

 private:
  std::string path() const;
  void load();

  std::string guid_;
  std::vector<StoredProfile> profiles_;
  bool writable_ = true;  // false when a damaged file could not be kept aside
};

}  // namespace wavorel::sim
