#include "platform/sim/radio/World.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <mutex>
#include <optional>
#include <sstream>
#include <unordered_set>

#include "platform/win/kernel/IniFile.h"
#include "platform/win/registry/Registry.h"

namespace wavorel::sim {

namespace {

std::string fold(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

bool startsWith(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && fold(s.substr(0, prefix.size())) == fold(prefix);
}

// Refusal of lines that are neither headers, entries, comments nor blank, and
// of sections and keys given twice; and where a section or key stands in the
// text, looked up again when a refusal names it.
class LineMap {
 public:
  LineMap(std::string_view text, const std::string& file) : text_(text), file_(file) {
    std::unordered_set<std::string> sections, keys;
    bool inSection = false;
    forEachLine([&](int number, std::string_view line) {
      if (line.empty() || line[0] == ';' || line[0] == '#') return false;
      if (line[0] == '[') {
        if (line.back() != ']') fail(number, "section header without ']'");
        std::string section = fold(trim(line.substr(1, line.size() - 2)));
        if (section.empty()) fail(number, "empty section name");
        if (!sections.insert(section).second) fail(number, "section given twice");
        keys.clear();
        inSection = true;
        return false;
      }
      size_t eq = line.find('=');
      if (eq == std::string_view::npos) fail(number, "not a section header or an entry");
      if (!inSection) fail(number, "entry before the first section");
      std::string key = fold(trim(line.substr(0, eq)));
      if (key.empty()) fail(number, "entry without a name");
      if (!keys.insert(key).second) fail(number, "key given twice");
      return false;
    });
  }

  [[noreturn]] void fail(int line, const std::string& reason) const {
    throw WorldError(file_ + ":" + std::to_string(line) + ": " + reason);
  }
  // The line of a section's header, 0 when there is none.
  int section(std::string_view name) const { return find(name, {}); }
  // The line of a key of a section, else of the section.
  int key(std::string_view section, std::string_view key) const {
    int line = find(section, key);
    return line ? line : this->section(section);
  }

 private:
  // Calls `visit(number, trimmed line)` for each line until it returns true.
  template <class Visit>
  void forEachLine(Visit visit) const {
    int number = 0;
    size_t pos = 0;
    while (pos <= text_.size()) {
      size_t end = text_.find('\n', pos);
      if (end == std::string_view::npos) end = text_.size();
      std::string_view line = trim(text_.substr(pos, end - pos));
      ++number;
      pos = end + 1;
      if (number == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") line = trim(line.substr(3));
      if (visit(number, line)) return;
    }
  }
  // The header of `section`, or with a key the key's entry in it; 0 when missing.
  int find(std::string_view section, std::string_view key) const {
    const std::string wantedSection = fold(section), wantedKey = fold(key);
    bool inside = false;
    int found = 0;
    forEachLine([&](int number, std::string_view line) {
      if (!line.empty() && line[0] == '[') {
        inside = fold(trim(line.substr(1, line.size() - 1 - (line.back() == ']')))) == wantedSection;
        if (inside && wantedKey.empty()) found = number;
        return found != 0;
      }
      size_t eq = line.find('=');
      if (inside && !wantedKey.empty() && eq != std::string_view::npos && fold(trim(line.substr(0, eq))) == wantedKey)
        found = number;
      return found != 0;
    });
    return found;
  }

  std::string_view text_;
  std::string file_;
};

// Reads the keys of one section; every key must be taken by the parser, so a
// misspelt key is refused instead of ignored.
class SectionReader {
 public:
  SectionReader(const IniFile& ini, const LineMap& lines, std::string name) : lines_(lines), name_(std::move(name)) {
    for (const std::string& k : ini.keyNames(name_)) entries_.push_back({fold(k), k, *ini.find(name_, k), false});
  }

  std::optional<std::string> text(std::string_view key) {
    const std::string folded = fold(key);
    for (Entry& e : entries_) {
      if (e.folded != folded) continue;
      e.used = true;
      return std::string(IniFile::unquote(e.value));
    }
    return std::nullopt;
  }
  std::string required(std::string_view key) {
    auto v = text(key);
    if (!v || v->empty()) lines_.fail(lines_.section(name_), "missing " + std::string(key));
    return *v;
  }
  [[noreturn]] void fail(std::string_view key, const std::string& reason) const {
    lines_.fail(lines_.key(name_, key), std::string(key) + ": " + reason);
  }

  long long integer(std::string_view key, long long lo, long long hi, long long fallback) {
    auto v = text(key);
    if (!v) return fallback;
    const std::string& s = *v;
    char* end = nullptr;
    errno = 0;
    long long n = std::strtoll(s.c_str(), &end, 0);
    if (s.empty() || *end != '\0' || errno != 0) fail(key, "not a number: " + s);
    if (n < lo || n > hi) fail(key, "out of range " + std::to_string(lo) + ".." + std::to_string(hi) + ": " + s);
    return n;
  }
  bool flag(std::string_view key, bool fallback) {
    auto v = text(key);
    if (!v) return fallback;
    std::string s = fold(*v);
    if (s == "yes" || s == "true" || s == "1" || s == "on") return true;
    if (s == "no" || s == "false" || s == "0" || s == "off") return false;
    fail(key, "not yes or no: " + *v);
  }
  template <class T>
  T choice(std::string_view key, const std::vector<std::pair<std::string_view, T>>& options, T fallback) {
    auto v = text(key);
    if (!v) return fallback;
    for (const auto& [name, value] : options)
      if (fold(name) == fold(*v)) return value;
    fail(key, "unknown value: " + *v);
  }
  Mac mac(std::string_view key) {
    std::string s = required(key);
    Mac m{};
    size_t at = 0;
    for (size_t i = 0; i < 6; ++i) {
      if (i > 0) {
        if (at >= s.size() || (s[at] != '-' && s[at] != ':')) fail(key, "not a MAC address: " + s);
        ++at;
      }
      if (at + 2 > s.size() || !std::isxdigit(static_cast<unsigned char>(s[at])) ||
          !std::isxdigit(static_cast<unsigned char>(s[at + 1])))
        fail(key, "not a MAC address: " + s);
      m[i] = static_cast<uint8_t>(std::stoul(s.substr(at, 2), nullptr, 16));
      at += 2;
    }
    if (at != s.size()) fail(key, "not a MAC address: " + s);
    return m;
  }
  std::string hexBytes(std::string_view key) {
    std::string s = *text(key);
    if (s.size() % 2 != 0) fail(key, "odd number of hexadecimal digits");
    std::string out;
    for (size_t i = 0; i < s.size(); i += 2) {
      if (!std::isxdigit(static_cast<unsigned char>(s[i])) || !std::isxdigit(static_cast<unsigned char>(s[i + 1])))
        fail(key, "not hexadecimal: " + s);
      out.push_back(static_cast<char>(std::stoul(s.substr(i, 2), nullptr, 16)));
    }
    return out;
  }
  // "major.minor" (0..255 each), or "none".
  std::array<int, 2> version(std::string_view key, std::array<int, 2> fallback) {
    auto v = text(key);
    if (!v) return fallback;
    if (fold(*v) == "none") return {-1, -1};
    unsigned major = 0, minor = 0;
    char end = 0;
    if (std::sscanf(v->c_str(), "%u.%u%c", &major, &minor, &end) != 2 || major > 255 || minor > 255)
      fail(key, "not a version major.minor: " + *v);
    return {static_cast<int>(major), static_cast<int>(minor)};
  }
  // "YYYY-MM-DD".
  std::array<int, 3> date(std::string_view key, const std::string& text) {
    int year = 0, month = 0, day = 0;
    char end = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &end) != 3 || year < 1601 || year > 9999 ||
        month < 1 || month > 12 || day < 1 || day > 31)
      fail(key, "not a date YYYY-MM-DD: " + text);
    return {year, month, day};
  }
  // "a.b.c.d", each 0..65535.
  std::array<uint16_t, 4> fileVersion(std::string_view key, std::array<uint16_t, 4> fallback) {
    auto v = text(key);
    if (!v) return fallback;
    unsigned w[4];
    char end = 0;
    if (std::sscanf(v->c_str(), "%u.%u.%u.%u%c", &w[0], &w[1], &w[2], &w[3], &end) != 4 || w[0] > 65535 ||
        w[1] > 65535 || w[2] > 65535 || w[3] > 65535)
      fail(key, "not a file version a.b.c.d: " + *v);
    return {static_cast<uint16_t>(w[0]), static_cast<uint16_t>(w[1]), static_cast<uint16_t>(w[2]),
            static_cast<uint16_t>(w[3])};
  }
  std::array<uint8_t, 4> ipv4(std::string_view key) {
    auto v = text(key);
    if (!v) return {};
    unsigned b[4];
    char end = 0;
    if (std::sscanf(v->c_str(), "%u.%u.%u.%u%c", &b[0], &b[1], &b[2], &b[3], &end) != 4 || b[0] > 255 ||
        b[1] > 255 || b[2] > 255 || b[3] > 255)
      fail(key, "not an IPv4 address: " + *v);
    return {static_cast<uint8_t>(b[0]), static_cast<uint8_t>(b[1]), static_cast<uint8_t>(b[2]),
            static_cast<uint8_t>(b[3])};
  }
  uint64_t seconds(std::string_view key) { return static_cast<uint64_t>(integer(key, 0, 86400 * 365, 0)) * 1000; }

  // Keys starting with `prefix` in file order, prefix removed; they count as used.
  std::vector<std::pair<std::string, std::string>> prefixed(std::string_view prefix) {
    std::vector<std::pair<std::string, std::string>> out;
    for (Entry& e : entries_) {
      if (!startsWith(e.key, prefix)) continue;
      e.used = true;
      out.emplace_back(e.key.substr(prefix.size()), std::string(IniFile::unquote(e.value)));
    }
    return out;
  }
  // Refuses the first (by name) key that no reader took.
  void finish() const {
    const Entry* unknown = nullptr;
    for (const Entry& e : entries_)
      if (!e.used && (!unknown || e.folded < unknown->folded)) unknown = &e;
    if (unknown) lines_.fail(lines_.key(name_, unknown->folded), "unknown key " + unknown->folded);
  }
  const std::string& name() const { return name_; }

 private:
  struct Entry {
    std::string folded;  // the key without case
    std::string key;     // as written
    std::string value;
    bool used;
  };

  const LineMap& lines_;
  std::string name_;
  std::vector<Entry> entries_;  // file order
};

// The longest a step of joining a network may take.
constexpr long long kMaxStepMs = 60000;

// The driver files of a chip family: the names of the XP and the Vista driver.
std::vector<std::string> familyDriverFiles(int family) {
  static const char* const kNames[9][2] = {
      {"vx52.sys", "vx52.sys"},   {"vx52usb.sys", "vxw52u.sys"},  {"vx53.sys", "vxw53.sys"},
      {"vx53usb.sys", "vxw53usb.sys"}, {"vx42.sys", "vxw42.sys"}, {"vx41.sys", "vxw41.sys"},
      {"vx32.sys", "vxw32a.sys"}, {"vx32.sys", "vxw32.sys"},      {"vx31.sys", "vxw31.sys"}};
  const auto& row = kNames[family];
  if (std::string(row[0]) == row[1]) return {row[0]};
  return {row[0], row[1]};
}

bool validGuid(const std::string& g) {
  static const char* kShape = "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}";
  if (g.size() != 38) return false;
  for (size_t i = 0; i < g.size(); ++i) {
    if (kShape[i] == 'X' ? !std::isxdigit(static_cast<unsigned char>(g[i])) : g[i] != kShape[i]) return false;
  }
  return true;
}

std::string upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

WorldAdapter readAdapter(SectionReader& r, unsigned index) {
  WorldAdapter a;
  a.hardwareId = r.required("HardwareId");
  a.bus = r.choice<Bus>("Bus", {{"USB", Bus::Usb}, {"PCI", Bus::Pci}}, startsWith(a.hardwareId, "PCI\\") ? Bus::Pci : Bus::Usb);
  if (!startsWith(a.hardwareId, a.bus == Bus::Usb ? "USB\\VID_" : "PCI\\VEN_"))
    r.fail("HardwareId", "does not name a device on the adapter's bus: " + a.hardwareId);
  a.family = static_cast<int>(r.integer("Family", 0, 8, a.bus == Bus::Usb ? 5 : 7));
  bool usbFamily = a.family == 1 || a.family == 5 || a.family == 8;
  bool pciFamily = a.family == 0 || a.family == 4 || a.family == 6 || a.family == 7;
  if ((a.bus == Bus::Usb && !usbFamily) || (a.bus == Bus::Pci && !pciFamily))
    r.fail("Family", "not a chip family of the adapter's bus: " + std::to_string(a.family));
  a.guid = upper(r.required("Guid"));
  if (!validGuid(a.guid)) r.fail("Guid", "not a GUID in braces: " + a.guid);
  a.description = r.required("Description");
  a.friendlyName = r.text("FriendlyName").value_or("");
  a.manufacturer = r.text("Manufacturer").value_or("");
  a.location = r.text("Location").value_or("");
  a.mac = r.mac("Mac");
  a.chains = static_cast<int>(r.integer("Chains", 1, 3, 1));
  a.band5 = r.choice<bool>("Bands", {{"2.4", false}, {"2.4+5", true}}, false);
  a.ht = r.flag("HT", false);
  a.present = r.flag("Present", true);
  a.hardwareRadio = r.flag("HardwareRadio", true);
  a.classIndex = static_cast<unsigned>(r.integer("ClassIndex", 0, 9999, index));
  a.countryRegion = static_cast<uint32_t>(r.integer("CountryRegion", 0, 0xFFFF, 0));
  a.driverVersion = static_cast<uint16_t>(r.integer("DriverVersion", 0, 0xFFFF, 0x0501));
  a.register54 = static_cast<uint32_t>(r.integer("Register54", 0, 0xFFFFFFFF, 0));
  if (auto file = r.text("DriverFile")) {
    if (file->empty() || file->find_first_of("\\/:") != std::string::npos)
      r.fail("DriverFile", "not a file name: " + *file);
    a.driverFiles = {*file};
  } else {
    a.driverFiles = familyDriverFiles(a.family);
  }
  a.driverFileVersion = r.fileVersion("DriverFileVersion", a.driverFileVersion);
  if (auto date = r.text("DriverDate")) a.driverDate = r.date("DriverDate", *date);
  a.eepromVersion = r.version("EepromVersion", a.eepromVersion);
  a.firmwareVersion = r.version("FirmwareVersion", a.firmwareVersion);
  a.ccx = static_cast<int>(r.integer("Ccx", 0, 4, 0));
  for (auto& [name, value] : r.prefixed("Reg.")) {
    RegistryValue v;
    if (startsWith(value, "dword:")) {
      std::string digits = value.substr(6);
      char* end = nullptr;
      unsigned long n = std::strtoul(digits.c_str(), &end, 16);
      if (digits.empty() || digits.size() > 8 || *end != '\0') r.fail("Reg." + name, "not dword:<hex>: " + value);
      uint32_t d = static_cast<uint32_t>(n);
      v.type = REG_DWORD;
      v.data.assign(reinterpret_cast<const char*>(&d), 4);
    } else {
      v.type = REG_SZ;
      v.data = value + '\0';
    }
    if (name.empty()) r.fail("Reg.", "value without a name");
    a.driverValues.emplace_back(name, std::move(v));
  }
  return a;
}

bool enterprise(Security s) {
  return s == Security::Wpa2Enterprise || s == Security::WpaEnterprise || s == Security::WepEnterprise;
}

// The authentication server of an 802.1X network; its keys belong to no other kind.
void readEapServer(SectionReader& r, WorldNetwork& n) {
  static const char* const kKeys[] = {"EapMethods",    "EapInner",        "EapIdentity", "EapPassword",
                                      "EapDomain",     "EapServerName",   "EapServerIssuer", "EapTimeout",
                                      "EapFastAid",    "EapPasswordChange"};
  if (!enterprise(n.security)) {
    for (const char* key : kKeys)
      if (r.text(key)) r.fail(key, "only 802.1X networks have an authentication server");
    return;
  }
  WorldEap& e = n.eap;
  if (auto list = r.text("EapMethods")) {
    static const std::vector<std::pair<std::string_view, int>> kMethods = {
        {"PEAP", kEapPeap}, {"TLS", kEapTls}, {"TTLS", kEapTtls}, {"FAST", kEapFast}, {"MD5", kEapMd5}, {"LEAP", kEapLeap}};
    e.methods.clear();
    std::stringstream items(*list);
    std::string item;
    while (std::getline(items, item, ',')) {
      std::string name(trim(item));
      auto it = std::find_if(kMethods.begin(), kMethods.end(), [&](const auto& m) { return fold(m.first) == fold(name); });
      if (it == kMethods.end()) r.fail("EapMethods", "unknown method: " + name);
      if (std::find(e.methods.begin(), e.methods.end(), it->second) == e.methods.end()) e.methods.push_back(it->second);
    }
    if (e.methods.empty()) r.fail("EapMethods", "names no method");
  }
  e.inner = static_cast<int>(r.integer("EapInner", 0, 255, 0));
  for (auto [key, text] : {std::pair{"EapIdentity", &e.identity}, {"EapPassword", &e.password}, {"EapDomain", &e.domain}}) {
    *text = r.text(key).value_or("");
    if (text->size() > 128) r.fail(key, "longer than 128 bytes");
  }
  e.serverName = r.text("EapServerName").value_or(e.serverName);
  if (e.serverName.empty() || e.serverName.size() > 255) r.fail("EapServerName", "must have 1 to 255 characters");
  e.serverIssuer = r.text("EapServerIssuer").value_or("");
  e.timeoutMs = static_cast<uint64_t>(r.integer("EapTimeout", 0, 600, 0)) * 1000;
  if (r.text("EapFastAid")) {
    e.fastAid = r.hexBytes("EapFastAid");
    if (e.fastAid.empty() || e.fastAid.size() > 32) r.fail("EapFastAid", "must have 1 to 32 bytes");
  } else {
    e.fastAid = std::string("\x5A\x17\xA1\xD0", 4) + n.ssid.substr(0, 12);
  }
  e.passwordChange = r.flag("EapPasswordChange", false);
}

WorldNetwork readNetwork(SectionReader& r) {
  WorldNetwork n;
  auto ssid = r.text("Ssid");
  n.ssid = ssid.value_or("");
  if (n.ssid.size() > 32) r.fail("Ssid", "longer than 32 bytes");
  n.hidden = r.flag("Hidden", false);
  n.bssid = r.mac("Bssid");
  n.channel = static_cast<int>(r.integer("Channel", 1, 196, 1));
  if (channelFrequencyKhz(n.channel) == 0) r.fail("Channel", "no such channel: " + std::to_string(n.channel));
  n.signalDbm = static_cast<int>(r.integer("Signal", -100, -10, -60));
  n.variationDbm = static_cast<int>(r.integer("Variation", 0, 30, 0));
  n.security = r.choice<Security>("Security",
                                  {{"Open", Security::Open},
                                   {"WEP", Security::Wep},
                                   {"WPA-PSK", Security::WpaPsk},
                                   {"WPA2-PSK", Security::Wpa2Psk},
                                   {"WPA2-Enterprise", Security::Wpa2Enterprise},
                                   {"WPA-Enterprise", Security::WpaEnterprise},
                                   {"WEP-Enterprise", Security::WepEnterprise}},
                                  Security::Open);
  bool wpa = n.security == Security::WpaPsk || n.security == Security::Wpa2Psk ||
             n.security == Security::Wpa2Enterprise || n.security == Security::WpaEnterprise;
  n.ciphers = r.choice<unsigned>("Cipher", {{"TKIP", kCipherTkip}, {"CCMP", kCipherCcmp}, {"TKIP+CCMP", kCipherTkip | kCipherCcmp}},
                                 n.security == Security::WpaPsk || n.security == Security::WpaEnterprise ? kCipherTkip
                                                                                                         : kCipherCcmp);
  if (!wpa) n.ciphers = 0;
  if (n.security == Security::WpaPsk || n.security == Security::Wpa2Psk) {
    n.passphrase = r.required("Passphrase");
    if (n.passphrase.size() < 8 || n.passphrase.size() > 63) r.fail("Passphrase", "must have 8 to 63 characters");
  } else if (r.text("Passphrase")) {
    r.fail("Passphrase", "only WPA-PSK and WPA2-PSK networks have one");
  }
  for (int i = 0; i < 4; ++i) {
    std::string key = "Key" + std::to_string(i + 1);
    if (!r.text(key)) continue;
    if (n.security != Security::Wep) r.fail(key, "only WEP networks have keys");
    n.wepKeys[i] = r.hexBytes(key);
    if (n.wepKeys[i].size() != 5 && n.wepKeys[i].size() != 13) r.fail(key, "a WEP key has 10 or 26 hexadecimal digits");
  }
  n.wepKeyIndex = static_cast<int>(r.integer("KeyIndex", 1, 4, 1)) - 1;
  if (n.security == Security::Wep && n.wepKeys[n.wepKeyIndex].empty()) r.fail("KeyIndex", "names a key that is not given");
  n.eapAccepts = r.choice<bool>("Eap", {{"accept", true}, {"reject", false}}, true);
  readEapServer(r, n);
  n.wps = r.choice<WpsMethod>("WPS", {{"no", WpsMethod::None}, {"PushButton", WpsMethod::PushButton}, {"Pin", WpsMethod::Pin}},
                              WpsMethod::None);
  if (auto pin = r.text("WpsPin")) {
    n.wpsPin = *pin;
    bool digits = n.wpsPin.size() == 8;
    for (char c : n.wpsPin) digits = digits && std::isdigit(static_cast<unsigned char>(c));
    if (!digits) r.fail("WpsPin", "a PIN has 8 digits");
  }
  if (n.wps == WpsMethod::Pin && n.wpsPin.empty()) r.fail("WpsPin", "missing for a PIN network");
  n.wpsConfigured = r.choice<bool>("WpsState", {{"Configured", true}, {"Unconfigured", false}}, true);
  n.ht = r.flag("HT", false);
  n.adhoc = r.choice<bool>("Mode", {{"Infrastructure", false}, {"AdHoc", true}}, false);
  n.beaconPeriod = static_cast<int>(r.integer("BeaconPeriod", 20, 1000, 100));
  n.address = r.ipv4("Address");
  n.dhcp = r.flag("Dhcp", true);
  n.dhcpDelayMs = static_cast<uint64_t>(r.integer("DhcpDelay", 0, 600, 0)) * 1000;
  n.appearsMs = r.seconds("Appears");
  n.leavesMs = r.seconds("Leaves");
  if (n.leavesMs != 0 && n.leavesMs <= n.appearsMs) r.fail("Leaves", "not after Appears");
  if (n.ssid.empty() && !n.hidden) r.fail("Ssid", "missing (a network without one is Hidden)");
  return n;
}

uint32_t parseCode(const LineMap& lines, const std::string& section, const std::string& key, const std::string& text) {
  char* end = nullptr;
  unsigned long n = std::strtoul(text.c_str(), &end, 16);
  if (text.empty() || *end != '\0' || text.size() > 8) lines.fail(lines.key(section, key), "not a hexadecimal code: " + text);
  return static_cast<uint32_t>(n);
}

}  // namespace

uint32_t channelFrequencyKhz(int channel) {
  if (channel >= 1 && channel <= 13) return 2412000 + 5000 * static_cast<uint32_t>(channel - 1);
  if (channel == 14) return 2484000;
  static const int k5[] = {34,  36,  38,  40,  42,  44,  46,  48,  52,  56,  60,  64,  100, 104,
                           108, 112, 116, 120, 124, 128, 132, 136, 140, 149, 153, 157, 161, 165};
  for (int c : k5)
    if (c == channel) return 5000000 + 5000 * static_cast<uint32_t>(c);
  if (channel == 184 || channel == 188 || channel == 192 || channel == 196)
    return 4000000 + 5000 * static_cast<uint32_t>(channel);
  return 0;
}

WorldCertificate readCertificate(SectionReader& r) {
  WorldCertificate c;
  c.store = r.choice<std::string>("Store", {{"MY", "MY"}, {"ROOT", "ROOT"}}, "");
  if (c.store.empty()) r.required("Store");
  c.subject = r.required("Subject");
  c.issuer = r.text("Issuer").value_or(c.subject);
  c.friendlyName = r.text("FriendlyName").value_or("");
  c.expires = r.date("Expires", r.required("Expires"));
  c.hashReadable = r.flag("HashReadable", true);
  return c;
}

World parseWorld(std::string_view text, const std::string& fileName) {
  LineMap lines(text, fileName);
  IniFile ini = IniFile::parse(text);
  World world;
  std::vector<std::string> sections = ini.sectionNames();
  world.networks.reserve(
      static_cast<size_t>(std::count_if(sections.begin(), sections.end(), [](const std::string& section) {
        return startsWith(section, "Network");
      })));
  std::map<std::string, size_t> adapterIndex;
  std::vector<std::string> clientSections;
  for (const std::string& section : sections) {
    SectionReader r(ini, lines, section);
    if (startsWith(section, "Adapter")) {
      world.adapters.push_back(readAdapter(r, static_cast<unsigned>(world.adapters.size())));
      adapterIndex[fold(section)] = world.adapters.size() - 1;
    } else if (startsWith(section, "Network")) {
      world.networks.push_back(readNetwork(r));
    } else if (startsWith(section, "Certificate")) {
      world.certificates.push_back(readCertificate(r));
    } else if (startsWith(section, "Client")) {
      clientSections.push_back(section);
      continue;  // read once every adapter is known
    } else if (fold(section) == "faults") {
      for (auto& [code, count] : r.prefixed("Fail.")) {
        world.faults.failCounts[parseCode(lines, section, "Fail." + code, code)] =
            static_cast<int>(r.integer("Fail." + code, 1, 1000000, 1));
      }
      for (auto& [code, bytes] : r.prefixed("Short.")) {
        world.faults.shortAnswers[parseCode(lines, section, "Short." + code, code)] =
            static_cast<uint32_t>(r.integer("Short." + code, 0, 65536, 0));
      }
      for (auto& [code, value] : r.prefixed("Value.")) {
        world.faults.stuckValues[parseCode(lines, section, "Value." + code, code)] =
            static_cast<uint32_t>(r.integer("Value." + code, -2147483648LL, 4294967295LL, 0));
      }
      for (auto& [name, guid] : r.prefixed("NoOpen.")) {
        std::string g = upper(guid);
        if (!validGuid(g)) lines.fail(lines.key(section, "NoOpen." + name), "not a GUID in braces: " + guid);
        world.faults.unopenable.insert(g);
      }
    } else if (fold(section) == "machine") {
      auto step = [&r](const char* key, uint64_t& ms) {
        ms = static_cast<uint64_t>(r.integer(key, 1, kMaxStepMs, static_cast<long long>(ms)));
      };
      step("AuthenticationMs", world.timing.authenticationMs);
      step("AssociationMs", world.timing.associationMs);
      step("HandshakeMs", world.timing.handshakeMs);
      step("EapMs", world.timing.eapMs);
      world.driverCallLog =
          static_cast<size_t>(r.integer("DriverCallLog", 1, 1000000, static_cast<long long>(world.driverCallLog)));
      world.ipx = r.flag("Ipx", false);
    } else if (fold(section) == "domain") {
      world.domain.name = r.required("Name");
      world.domain.controller = r.required("Controller");
      if (world.domain.name.size() > 255 || world.domain.controller.size() > 255 ||
          world.domain.controller.find_first_of("\\/") != std::string::npos)
        r.fail("Controller", "not a computer name: " + world.domain.controller);
      world.domain.reachable = r.flag("Reachable", true);
    } else if (fold(section) == "services") {
      world.registryServiceListening =
          r.choice<bool>("RegistryService", {{"listening", true}, {"stopped", false}}, true);
    } else {
      lines.fail(lines.section(section), "unknown section " + section);
    }
    r.finish();
  }
  for (const std::string& section : clientSections) {
    SectionReader r(ini, lines, section);
    WorldClient c;
    std::string adapter = r.required("Adapter");
    auto it = adapterIndex.find(fold(adapter));
    if (it == adapterIndex.end()) r.fail("Adapter", "no such adapter section: " + adapter);
    c.adapter = it->second;
    c.mac = r.mac("Mac");
    c.passphrase = r.text("Passphrase").value_or("");
    if (c.passphrase.size() > 63 || (!c.passphrase.empty() && c.passphrase.size() < 8))
      r.fail("Passphrase", "must have 8 to 63 characters");
    if (r.text("WepKey")) {
      c.wepKey = r.hexBytes("WepKey");
      if (c.wepKey.size() != 5 && c.wepKey.size() != 13) r.fail("WepKey", "a WEP key has 10 or 26 hexadecimal digits");
    }
    c.eapAccepts = r.choice<bool>("Eap", {{"accept", true}, {"reject", false}}, true);
    c.signalDbm = static_cast<int>(r.integer("Signal", -100, -10, -55));
    const unsigned phy = r.choice<unsigned>("Phy", {{"cck", 0}, {"ofdm", 1}, {"ht", 2}}, 2);
    const unsigned rate = static_cast<unsigned>(r.integer("Rate", 0, 127, 7));
    const bool wide = r.integer("Bandwidth", 20, 40, 20) == 40;
    const bool shortGi = r.flag("ShortGi", false);
    c.txSetting = static_cast<uint16_t>(phy << 14 | (shortGi ? 1u << 8 : 0) | (wide ? 1u << 7 : 0) | rate);
    c.arrivesMs = r.seconds("Arrives");
    c.leavesMs = r.seconds("Leaves");
    if (c.leavesMs != 0 && c.leavesMs <= c.arrivesMs) r.fail("Leaves", "not after Arrives");
    r.finish();
    world.clients.push_back(c);
  }
  std::set<std::string> guids;
  for (const auto& [section, index] : adapterIndex) {
    if (!guids.insert(world.adapters[index].guid).second)
      lines.fail(lines.key(section, "Guid"), "Guid: another adapter has " + world.adapters[index].guid);
  }
  return world;
}

World loadWorld() {
  const char* path = std::getenv("WAVOREL_WORLD");
  std::string text, name;
  if (!path || !*path) {
    text = defaultWorldText();
    name = "(built-in world)";
  } else {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw WorldError(std::string(path) + ":0: cannot be read");
    std::ostringstream read;
    read << in.rdbuf();
    text = read.str();
    name = path;
  }
  // A process reads its world twice as it starts (the device names when the
  // library loads, the machine on first use): the same text is parsed once.
  static std::mutex mutex;
  static std::string lastText, lastName;
  static std::optional<World> last;
  std::lock_guard<std::mutex> lock(mutex);
  if (last && lastName == name && lastText == text) return *last;
  World world = parseWorld(text, name);
  last = world;
  lastText = std::move(text);
  lastName = std::move(name);
  return world;
}

}  // namespace wavorel::sim
