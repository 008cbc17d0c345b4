#include "platform/sim/services/WlanProfile.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cctype>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "platform/win/services/Wlan.h"

namespace wavorel::sim {

namespace {

constexpr const char* kProfileNamespace = "http://www.microsoft.com/networking/WLAN/profile/v1";

// The elements each element of the schema may hold. OneX and IHV content
// belongs to other schemas and is not looked into.
const std::map<std::string, std::set<std::string>>& schema() {
  static const std::map<std::string, std::set<std::string>> s = {
      {"WLANProfile", {"name", "SSIDConfig", "connectionType", "connectionMode", "autoSwitch", "MSM", "IHV"}},
      {"SSIDConfig", {"SSID", "nonBroadcast"}},
      {"SSID", {"hex", "name"}},
      {"MSM", {"connectivity", "security"}},
      {"connectivity", {"phyType"}},
      {"security", {"authEncryption", "sharedKey", "keyIndex", "PMKCacheMode", "PMKCacheTTL", "PMKCacheSize",
                    "preAuthMode", "preAuthThrottle", "OneX"}},
      {"authEncryption", {"authentication", "encryption", "useOneX"}},
      {"sharedKey", {"keyType", "protected", "keyMaterial"}},
  };
  return s;
}

const std::set<std::string>& leafElements() {
  static const std::set<std::string> s = {"name", "nonBroadcast", "hex", "connectionType", "connectionMode",
                                          "autoSwitch", "phyType", "authentication", "encryption", "useOneX",
                                          "keyType", "protected", "keyMaterial", "keyIndex", "PMKCacheMode",
                                          "PMKCacheTTL", "PMKCacheSize", "preAuthMode", "preAuthThrottle"};
  return s;
}

struct DocFree {
  void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
};

std::string nameOf(const xmlNode* n) { return reinterpret_cast<const char*>(n->name); }

std::string textOf(xmlNode* n) {
  xmlChar* t = xmlNodeGetContent(n);
  std::string s = t ? reinterpret_cast<const char*>(t) : "";
  xmlFree(t);
  size_t a = s.find_first_not_of(" \t\r\n");
  size_t b = s.find_last_not_of(" \t\r\n");
  return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

bool inProfileNamespace(const xmlNode* n) {
  return n->ns && n->ns->href && std::strcmp(reinterpret_cast<const char*>(n->ns->href), kProfileNamespace) == 0;
}

// Checks the tree below `parent` against the schema; collects leaf texts by path.
bool walk(xmlNode* parent, const std::string& path, std::map<std::string, std::string>& leaves) {
  std::string parentName = nameOf(parent);
  if (parentName == "OneX" || parentName == "IHV") return true;
  auto allowed = schema().find(parentName);
  for (xmlNode* c = parent->children; c; c = c->next) {
    if (c->type == XML_TEXT_NODE || c->type == XML_CDATA_SECTION_NODE) {
      if (allowed != schema().end() && !textOf(c).empty()) return false;  // text where elements belong
      continue;
    }
    if (c->type != XML_ELEMENT_NODE) continue;
    std::string name = nameOf(c);
    if (allowed == schema().end() || !allowed->second.count(name)) return false;
    if (name != "OneX" && name != "IHV" && !inProfileNamespace(c)) return false;
    std::string childPath = path + "/" + name;
    if (leafElements().count(name) && !schema().count(name)) {
      for (xmlNode* g = c->children; g; g = g->next)
        if (g->type == XML_ELEMENT_NODE) return false;
      if (!leaves.emplace(childPath, textOf(c)).second && name != "phyType") return false;  // given twice
      continue;
    }
    if (!walk(c, childPath, leaves)) return false;
  }
  return true;
}

bool hexBytes(const std::string& hex, std::string& out) {
  if (hex.size() % 2) return false;
  out.clear();
  for (size_t i = 0; i < hex.size(); i += 2) {
    if (!std::isxdigit(static_cast<unsigned char>(hex[i])) || !std::isxdigit(static_cast<unsigned char>(hex[i + 1])))
      return false;
    out.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  }
  return true;
}

bool oneOf(const std::string& v, std::initializer_list<const char*> values) {
  for (const char* x : values)
    if (v == x) return true;
  return false;
}

bool fail(uint32_t& reason, uint32_t code) {
  reason = code;
  return false;
}

}  // namespace

bool parseWlanProfile(const std::string& xml, WlanProfile& out, uint32_t& reason) {
  reason = WLAN_REASON_CODE_SUCCESS;
  std::unique_ptr<xmlDoc, DocFree> doc(xmlReadMemory(xml.data(), static_cast<int>(xml.size()), "profile.xml", "UTF-8",
                                                     XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
  if (!doc) return fail(reason, WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA);
  xmlNode* root = xmlDocGetRootElement(doc.get());
  if (!root || nameOf(root) != "WLANProfile" || !inProfileNamespace(root))
    return fail(reason, WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA);
  std::map<std::string, std::string> v;
  if (!walk(root, "", v)) return fail(reason, WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA);
  auto get = [&v](const char* path) {
    auto it = v.find(path);
    return it == v.end() ? std::string() : it->second;
  };
  auto has = [&v](const char* path) { return v.count(path) != 0; };

  WlanProfile p;
  p.name = get("/name");
  if (!has("/name") || !has("/connectionType") || !has("/MSM/security/authEncryption/authentication") ||
      !has("/MSM/security/authEncryption/encryption"))
    return fail(reason, WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA);
  if (p.name.empty() || p.name.size() > 255) return fail(reason, WLAN_REASON_CODE_INVALID_PROFILE_NAME);
  if (has("/SSIDConfig/SSID/hex")) {
    if (!hexBytes(get("/SSIDConfig/SSID/hex"), p.ssid)) return fail(reason, WLAN_REASON_CODE_PROFILE_SSID_INVALID);
  } else if (has("/SSIDConfig/SSID/name")) {
    p.ssid = get("/SSIDConfig/SSID/name");
  } else {
    return fail(reason, WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA);
  }
  if (p.ssid.empty() || p.ssid.size() > DOT11_SSID_MAX_LENGTH) return fail(reason, WLAN_REASON_CODE_PROFILE_SSID_INVALID);

  std::string type = get("/connectionType");
  std::string mode = has("/connectionMode") ? get("/connectionMode") : "auto";
  p.authentication = get("/MSM/security/authEncryption/authentication");
  p.encryption = get("/MSM/security/authEncryption/encryption");
  std::string oneX = has("/MSM/security/authEncryption/useOneX") ? get("/MSM/security/authEncryption/useOneX") : "false";
  if (!oneOf(type, {"ESS", "IBSS"}) || !oneOf(mode, {"auto", "manual"}) ||
      !oneOf(p.authentication, {"open", "shared", "WPA", "WPAPSK", "WPA2", "WPA2PSK"}) ||
      !oneOf(p.encryption, {"none", "WEP", "TKIP", "AES"}) || !oneOf(oneX, {"true", "false"}))
    return fail(reason, WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA);
  p.ibss = type == "IBSS";
  p.autoConnect = mode == "auto";
  p.oneX = oneX == "true";
  p.keyType = get("/MSM/security/sharedKey/keyType");
  p.keyMaterial = get("/MSM/security/sharedKey/keyMaterial");
  if (has("/MSM/security/sharedKey") || has("/MSM/security/sharedKey/keyType")) {
    if (!oneOf(p.keyType, {"networkKey", "passPhrase"})) return fail(reason, WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA);
  }
  if (has("/MSM/security/keyIndex")) {
    std::string k = get("/MSM/security/keyIndex");
    if (k.size() != 1 || k[0] < '0' || k[0] > '3') return fail(reason, WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA);
    p.keyIndex = k[0] - '0';
  }
  bool psk = p.authentication == "WPAPSK" || p.authentication == "WPA2PSK";
  if (psk && p.keyMaterial.empty()) return fail(reason, WLAN_REASON_CODE_SECURITY_MISSING);
  out = std::move(p);
  return true;
}

}  // namespace wavorel::sim
