#include "platform/sim/services/WlanProfileStore.h"

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>

#include "platform/win/kernel/AtomicFile.h"
#include "platform/win/kernel/PlatformLog.h"
#include "platform/win/kernel/Root.h"

namespace wavorel::sim {

namespace {

constexpr std::string_view kHeaderWord = "profile ";

// One decimal field of a header: digits only, at most `max`.
bool field(std::string_view& line, uint64_t max, uint64_t& out) {
  size_t n = 0;
  out = 0;
  while (n < line.size() && line[n] >= '0' && line[n] <= '9') {
    out = out * 10 + static_cast<uint64_t>(line[n] - '0');
    if (out > max) return false;
    ++n;
  }
  if (n == 0) return false;
  line.remove_prefix(n);
  return true;
}

// "profile <flags> <xml bytes> <eap bytes>", the sizes within `remaining`.
bool header(std::string_view line, size_t remaining, uint32_t& flags, size_t& xmlSize, size_t& eapSize) {
  if (line.substr(0, kHeaderWord.size()) != kHeaderWord) return false;
  line.remove_prefix(kHeaderWord.size());
  uint64_t f = 0, x = 0, e = 0;
  if (!field(line, 0xFFFFFFFFu, f) || line.empty() || line[0] != ' ') return false;
  line.remove_prefix(1);
  if (!field(line, remaining, x) || line.empty() || line[0] != ' ') return false;
  line.remove_prefix(1);
  if (!field(line, remaining - x, e) || !line.empty()) return false;
  flags = static_cast<uint32_t>(f);
  xmlSize = static_cast<size_t>(x);
  eapSize = static_cast<size_t>(e);
  return true;
}

void report(const std::string& path, const std::string& what) {
  logNote("Native Wi-Fi profile store %s: %s", path.c_str(), what.c_str());
}

// A free name beside `path` for a copy of a damaged file.
std::string asideName(const std::string& path) {
  std::string name = path + ".damaged";
  for (int n = 2; std::filesystem::exists(name); ++n) name = path + ".damaged." + std::to_string(n);
  return name;
}

}  // namespace

WlanProfileStore::WlanProfileStore(std::string interfaceGuid) : guid_(std::move(interfaceGuid)) { load(); }

std::string WlanProfileStore::path() const { return platformRoot() + "/wlansvc/" + guid_ + ".profiles"; }

std::vector<StoredProfile> WlanProfileStore::read(const std::string& data, std::vector<std::string>& problems) {
  std::vector<StoredProfile> out;
  size_t pos = 0;
  while (pos < data.size()) {
    size_t eol = data.find('\n', pos);
    size_t lineEnd = eol == std::string::npos ? data.size() : eol;
    size_t body = eol == std::string::npos ? data.size() : eol + 1;
    uint32_t flags = 0;
    size_t xmlSize = 0, eapSize = 0;
    std::string_view line(data.data() + pos, lineEnd - pos);
    if (!header(line, data.size() - body, flags, xmlSize, eapSize)) {
      // Not a header whose entry fits: go on at the next line that starts one.
      problems.push_back("byte " + std::to_string(pos) + ": not the header of an entry that fits in the file");
      size_t next = data.find("\n" + std::string(kHeaderWord), pos);
      pos = next == std::string::npos ? data.size() : next + 1;
      continue;
    }
    StoredProfile p;
    p.flags = flags;
    p.xml = data.substr(body, xmlSize);
    p.eapUserData = data.substr(body + xmlSize, eapSize);
    pos = body + xmlSize + eapSize;
    uint32_t reason = 0;
    if (!parseWlanProfile(p.xml, p.profile, reason)) {
      char code[16];
      std::snprintf(code, sizeof code, "0x%08X", reason);
      problems.push_back("byte " + std::to_string(body) + ": a profile the service refuses (reason " + code + ")");
      continue;
    }
    bool taken = false;
    for (const StoredProfile& q : out) taken = taken || q.profile.name == p.profile.name;
    if (taken) {
      problems.push_back("byte " + std::to_string(body) + ": profile \"" + p.profile.name + "\" given again");
      continue;
    }
    out.push_back(std::move(p));
  }
  return out;
}

void WlanProfileStore::load() {
  const std::string file = path();
  struct stat st {};
  if (::stat(file.c_str(), &st) != 0) return;  // no store yet
  std::string data;
  std::vector<std::string> problems;
  if (readWholeFile(file, data)) {
    profiles_ = read(data, problems);
  } else {
    problems.push_back("cannot be read");
  }
  if (problems.empty()) return;
  for (const std::string& p : problems) report(file, p);
  // Keep every byte of the damaged file, then write what was read.
  std::string aside = asideName(file);
  std::error_code ec;
  std::filesystem::rename(file, aside, ec);
  if (ec) {
    writable_ = false;
    report(file, "cannot be kept aside (" + ec.message() + "); it is not written over");
    return;
  }
  report(file, "kept as " + aside + " with " + std::to_string(profiles_.size()) + " profiles read from it");
  save();
}

std::string WlanProfileStore::serialize(const std::vector<StoredProfile>& profiles) {
  std::string data;
  for (const StoredProfile& p : profiles) {
    data += std::string(kHeaderWord) + std::to_string(p.flags) + " " + std::to_string(p.xml.size()) + " " +
            std::to_string(p.eapUserData.size()) + "\n";
    data += p.xml;
    data += p.eapUserData;
  }
  return data;
}

void WlanProfileStore::save() const {
  if (!writable_) return;
  std::error_code ec;
  std::filesystem::create_directories(platformRoot() + "/wlansvc", ec);
  writeFileAtomically(path(), serialize(profiles_));
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
