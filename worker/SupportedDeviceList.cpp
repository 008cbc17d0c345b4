#include "worker/SupportedDeviceList.h"

#include <cctype>
#include <cstring>
#include <string>

#include "utilmere/Utilmere.h"
#include "worker/Settings.h"
#include "worker/WorkerGlobals.h"

namespace {

struct Section {
  LPCSTR name;
  int family;
};
constexpr Section kSections[] = {{"VX52", 0}, {"VX52USB", 1}, {"VX42", 4}, {"VX41", 5}, {"VX32", 7}, {"VX31", 8}};

bool hexDigits(const std::string& text, size_t at, size_t count) {
  for (size_t i = at; i < at + count; ++i)
    if (!std::isxdigit(static_cast<unsigned char>(text[i]))) return false;
  return true;
}

// The first 21 characters of `id` upper-cased when they form a hardware ID
// of the family's bus; empty otherwise.
std::string usableId(const char* id, int family) {
  std::string text(id);
  if (text.size() < static_cast<size_t>(kHardwareIdLength)) return {};
  text.resize(kHardwareIdLength);
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  const char* form = IsUsbFamily(family) ? "USB\\VID_" : "PCI\\VEN_";
  const char* middle = IsUsbFamily(family) ? "&PID_" : "&DEV_";
  if (text.compare(0, 8, form) != 0 || text.compare(12, 5, middle) != 0) return {};
  if (!hexDigits(text, 8, 4) || !hexDigits(text, 17, 4)) return {};
  return text;
}

}  // namespace

int CSupportedDeviceList::LoadDeviceIdIni(int capacity) {
  if (capacity > 0) m_entries.clear();
  int count = 0;
  for (const Section& section : kSections) {
    for (int n = 1;; ++n) {
      char value[256];
      GetModuleIniString(section.name, FormatString("DeviceID_%d", n), "", value, sizeof value, "INI");
      if (value[0] == '\0') break;
      const std::string id = usableId(value, section.family);
      if (id.empty()) continue;
      if (count < capacity) {
        Entry entry{};
        std::memcpy(entry.hardwareId, id.c_str(), kHardwareIdLength + 1);
        entry.family = section.family;
        m_entries.push_back(entry);
      }
      ++count;
    }
  }
  return count;
}

void CSupportedDeviceList::MatchIniDeviceId(LPCSTR hardwareId) const {
  for (const Entry& entry : m_entries) {
    if (std::strncmp(hardwareId, entry.hardwareId, kHardwareIdLength) != 0) continue;
    g_nFamilyIndex = entry.family;
    if (IsUsbFamily(entry.family)) {
      g_nBusType = 1;
      g_bUsbFound = 1;
    } else {
      g_bPciFound = 1;
      g_nBusType = 0;
      g_bUsbFound = 0;
    }
    return;
  }
}
