// The supported-device list of the program INI: one section per chip family
// ("VX52", "VX52USB", "VX42", "VX41", "VX32", "VX31") with the keys
// "DeviceID_1", "DeviceID_2", ... up to the first missing or empty one. When
// it holds any ID it replaces the built-in tables.
#pragma once

#include <vector>

#include "platform/Platform.h"
#include "worker/DeviceTables.h"

class CSupportedDeviceList {
 public:
  struct Entry {
    char hardwareId[kHardwareIdLength + 1];  // upper case, 21 characters
    int family;
  };

  // Reads the INI's lists and returns the number of usable IDs in all
  // sections. With capacity 0 it only counts; otherwise it keeps the first
  // `capacity` of them in order. An ID that is not a hardware ID of its
  // section's bus ("USB\VID_xxxx&PID_yyyy" or "PCI\VEN_xxxx&DEV_yyyy",
  // hexadecimal digits, any case) is passed over and not counted.
  int LoadDeviceIdIni(int capacity);
  // The first entry equal to the ID's first 21 characters sets the family,
  // bus and found-flag globals; no hit changes nothing.
  void MatchIniDeviceId(LPCSTR hardwareId) const;

  int GetCount() const { return static_cast<int>(m_entries.size()); }
  const Entry& GetEntry(int index) const { return m_entries.at(static_cast<size_t>(index)); }
  void RemoveAll() { m_entries.clear(); }

 private:
  std::vector<Entry> m_entries;
};
