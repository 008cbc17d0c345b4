#include "platform/sim/services/WlanProfileStore.h"

#include <filesystem>
#include <sstream>

#include "platform/win/kernel/AtomicFile.h"
#include "platform/win/kernel/Root.h"

namespace wavorel::sim {

// File form: per profile one line "profile <flags> <xml bytes> <eap bytes>",
// followed by the document and the EAP user data.

WlanProfileStore::WlanProfileStore(std::string interfaceGuid) : guid_(std::move(interfaceGuid)) { load(); }

std::string WlanProfileStore::path() const { return platformRoot() + "/wlansvc/" + guid_ + ".profiles"; }

void WlanProfileStore::load() {
  std::string data;
  if (!readWholeFile(path(), data)) return;
  size_t pos = 0;
  while (pos < data.size()) {
    size_t eol = data.find('\n', pos);
    if (eol == std::string::npos) break;
    std::istringstream head(data.substr(pos, eol - pos));
    std::string word;
    StoredProfile p;
    size_t xmlSize = 0, eapSize = 0;
    if (!(head >> word >> p.flags >> xmlSize >> eapSize) || word != "profile") break;
    pos = eol + 1;
    if (data.size() - pos < xmlSize + eapSize) break;
    p.xml = data.substr(pos, xmlSize);
    p.eapUserData = data.substr(pos + xmlSize, eapSize);
    pos += xmlSize + eapSize;
    uint32_t reason = 0;
    if (parseWlanProfile(p.xml, p.profile, reason)) profiles_.push_back(std::move(p));
  }
}

void WlanProfileStore::save() const {
  std::string data;
  for (const StoredProfile& p : profiles_) {
    data += "profile " + std::to_string(p.flags) + " " + std::to_string(p.xml.size()) + " " +
            std::to_string(p.eapUserData.size()) + "\n";
    data += p.xml;
    data += p.eapUserData;
  }
  std::error_code ec;
  std::filesystem::create_directories(platformRoot() + "/wlansvc", ec);
  writeFileAtomically(path(), data);
}

StoredProfile* WlanProfileStore::find(const std::string& name) {
  for (StoredProfile& p : profiles_)
    if (p.profile.name == name) return &p;
  return nullptr;
}

const StoredProfile* WlanProfileStore::findBySsid(const std::string& ssid) const {
  for (const StoredProfile& p : profiles_)
    if (p.profile.ssid == ssid) return &p;
  return nullptr;
}

void WlanProfileStore::put(StoredProfile p) {
  if (StoredProfile* old = find(p.profile.name)) {
    *old = std::move(p);
  } else {
    profiles_.push_back(std::move(p));
  }
  save();
}

bool WlanProfileStore::remove(const std::string& name) {
  for (auto it = profiles_.begin(); it != profiles_.end(); ++it) {
    if (it->profile.name != name) continue;
    profiles_.erase(it);
    save();
    return true;
  }
  return false;
}

bool WlanProfileStore::move(const std::string& name, size_t position) {
  if (position >= profiles_.size()) return false;
  for (size_t i = 0; i < profiles_.size(); ++i) {
    if (profiles_[i].profile.name != name) continue;
    StoredProfile p = std::move(profiles_[i]);
    profiles_.erase(profiles_.begin() + static_cast<std::ptrdiff_t>(i));
    profiles_.insert(profiles_.begin() + static_cast<std::ptrdiff_t>(position), std::move(p));
    save();
    return true;
  }
  return false;
}

}  // namespace wavorel::sim
