#include "station/status/SiteList.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <memory>
#include <string>

#include "frontend/UiBridge.h"
#include "platform/wire/Bytes.h"
#include "platform/wire/NdisBssidList.h"
#include "worker/BssInfoElements.h"
#include "worker/ChannelTable.h"
#include "worker/HideDlg.h"
#include "worker/ModuleFunctions.h"

namespace {

using namespace wavorel::wire::ndis::bssid;
using wavorel::wire::getU32;
namespace configuration = wavorel::wire::ndis::configuration;

constexpr int kWeakestRssi = -100;
constexpr int kRssiModulus = 101;
// The Japanese channels J8, J12 and J16 are stored as 200 + 8, 12, 16.
constexpr UINT kJapanBase = 200;
// A row of the code 26 text: seven quoted fields, an SSID of up to 32 bytes.
constexpr size_t kUsualRowTextLength = 80;

DWORD Field(const BYTE* record, size_t offset) { return getU32(record + offset); }

DWORD Frequency(const BYTE* record) { return Field(record, kConfiguration + configuration::kDsConfig); }

bool IsJapanChannel(UINT channel) {
  return channel == kJapanBase + 8 || channel == kJapanBase + 12 || channel == kJapanBase + 16;
}

// Appends "%lld" of `value`.
void AppendNumber(CString& text, long long value) {
  char digits[24];
  *std::to_chars(digits, digits + sizeof digits - 1, value).ptr = '\0';
  text += digits;
}

// Appends `\t"%d"`, in one piece.
void AppendNumberField(std::string& text, int value) {
  char field[16] = {'\t', '"'};
  char* end = std::to_chars(field + 2, field + sizeof field - 1, value).ptr;
  *end++ = '"';
  text.append(field, static_cast<size_t>(end - field));
}

// `"%s"` of a text field, made fit for the bridge.
void AppendQuotedField(std::string& text, const char* field) {
  text += '"';
  const size_t start = text.size();
  text += field;
  MendNotifyField(&text[start], text.size() - start);
  text += '"';
}

// The SSID bytes of a record: SsidLength of them (cut to 32) up to the first
// zero byte. Returns their count.
int SsidBytes(const BYTE* record, const char** bytes) {
  const DWORD length = std::min<DWORD>(Field(record, kSsidLength), kSsidSize);
  const BYTE* start = record + kSsid;
  *bytes = reinterpret_cast<const char*>(start);
  return static_cast<int>(std::find(start, start + length, 0) - start);
}

// The sort key of an SSID without regard to case: A-Z folded to a-z, ended by
// a zero, so keys compare as CompareNoCase compares the SSIDs.
using SsidKey = std::array<char, kSsidSize + 1>;
SsidKey FoldedSsid(const BYTE* record) {
  const char* bytes = nullptr;
  const int length = SsidBytes(record, &bytes);
  SsidKey key;
  for (int i = 0; i < length; ++i) {
    const char c = bytes[i];
    key[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  }
  key[length] = '\0';
  return key;
}

}  // namespace

CString SiteSsid(const BYTE* record) {
  const char* bytes = nullptr;
  const int length = SsidBytes(record, &bytes);
  return CString(bytes, length);
}

int SiteRssi(const BYTE* record) {
  const int rssi = static_cast<int>(Field(record, kRssi));
  return rssi < kWeakestRssi ? kWeakestRssi : rssi % kRssiModulus;
}

CString SiteChannelText(DWORD frequencyKhz) {
  CString text;
  const CHANNEL_FREQUENCY* row = FindChannelByFrequency(frequencyKhz);
  if (!row) return text;
  if (IsJapanChannel(row->Channel)) {
    text = "J";
    AppendNumber(text, row->Channel - kJapanBase);
  } else {
    AppendNumber(text, row->Channel);
  }
  return text;
}

CString SiteDetailChannelText(DWORD frequencyKhz) {
  CString text;
  const CHANNEL_FREQUENCY* row = FindChannelByFrequency(frequencyKhz);
  if (!row) return text;
  const int mhz = static_cast<int>(frequencyKhz / 1000);
  if (IsJapanChannel(row->Channel))
    text.Format("J%u <--> %d MHz", row->Channel - kJapanBase, mhz);
  else
    text.Format("%u <--> %d MHz", row->Channel, mhz);
  return text;
}

int SiteChannelNumber(DWORD frequencyKhz) {
  const CHANNEL_FREQUENCY* row = FindChannelByFrequency(frequencyKhz);
  return row ? static_cast<int>(row->Channel) : 0;
}

bool IsShownSiteRecord(const BYTE* record, DWORD length) {
  return length >= kHeadSize && Field(record, kIeLength) <= length - kHeadSize;
}

SiteRow MakeSiteRow(const BYTE* record, DWORD length) {
  SiteRow row;
  row.infrastructureMode = static_cast<int>(Field(record, kInfrastructureMode));
  row.ssid = SiteSsid(record);
  row.networkType = static_cast<int>(Field(record, kNetworkTypeInUse));
  row.channelText = SiteChannelText(Frequency(record));
  const BssElementMarks marks = ReadBssElementMarks(record, length);
  row.ht = marks.ht;
  row.wps = marks.wps;
  row.secured = Field(record, kPrivacy) != 0 || marks.secured;
  row.rssi = SiteRssi(record);
  return row;
}

void BuildSiteRows(const BYTE* list, DWORD size, std::vector<SiteRow>& rows, std::vector<DWORD>* offsets) {
  ForEachSiteRecord(list, size, [&](const BYTE* record, DWORD length) {
    rows.push_back(MakeSiteRow(record, length));
    if (offsets) offsets->push_back(static_cast<DWORD>(record - list));
  });
}

CString MakeSurveyRowsText(const std::vector<SiteRow>& rows) {
  std::string text;
  text.reserve(rows.size() * kUsualRowTextLength);
  for (size_t i = 0; i < rows.size(); ++i) {
    const SiteRow& row = rows[i];
    if (i > 0) text += "\r\n";
    // "%s"\t"%d"\t"%d"\t"%d"\t"%s"\t"%d"\t"%d"
    AppendQuotedField(text, row.ssid);
    AppendNumberField(text, row.connected);
    AppendNumberField(text, row.infrastructureMode);
    AppendNumberField(text, row.networkType);
    text += '\t';
    AppendQuotedField(text, row.channelText);
    AppendNumberField(text, row.secured);
    AppendNumberField(text, RssiToPercent(row.rssi));
  }
  return CString(text.data(), static_cast<int>(text.size()));
}

bool SiteSecurityFields(const BYTE* record, DWORD length, CString& auth, CString& cipher) {
  CStringArray fields;
  SplitString(ParseBssInfoElements(record, length, kBssTextSecurity), ";", fields);
  if (fields.GetSize() < 2) return false;
  auth = fields.GetAt(0);
  cipher = fields.GetAt(1);
  return true;
}

LPCSTR SiteNetworkTypeText(DWORD infrastructureMode) {
  switch (infrastructureMode) {
    case 1:
      return "Infrastructure";
    case 0:
      return "Ad-Hoc";
    default:
      return "Unknown";
  }
}

CString SiteBssidText(const BYTE* record) {
  const BYTE* mac = record + kMacAddress;
  CString text;
  text.Format("%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
  return text;
}

void SortSiteList(BYTE* list, DWORD size, FILETIME* stamps, int stampCount, int key) {
  if (!list || size < wavorel::wire::ndis::kListHeadSize || getU32(list) == 0) return;
  if (key != kSiteSortSsid && key != kSiteSortChannel && key != kSiteSortSignal) return;
  struct Record {
    const BYTE* at;
    DWORD length;
  };
  std::vector<Record> records;
  WalkBssList(list, size, [&](const BYTE* record, DWORD length) { records.push_back({record, length}); });
  const size_t count = records.size();
  // The records in their new order: a stable sort of their indices, so that
  // records of equal keys keep the order they came in (by SSID without regard
  // to case, by channel ascending, by signal descending).
  std::vector<size_t> order(count);
  for (size_t i = 0; i < count; ++i) order[i] = i;
  if (key == kSiteSortSsid) {
    std::vector<SsidKey> keys;
    keys.reserve(count);
    for (const Record& r : records) keys.push_back(FoldedSsid(r.at));
    std::stable_sort(order.begin(), order.end(),
                     [&keys](size_t a, size_t b) { return std::strcmp(keys[a].data(), keys[b].data()) < 0; });
  } else {
    std::vector<int> keys;
    keys.reserve(count);
    for (const Record& r : records)
      keys.push_back(key == kSiteSortChannel ? SiteChannelNumber(Frequency(r.at))
                                             : static_cast<int>(Field(r.at, kRssi)));
    if (key == kSiteSortSignal)
      std::stable_sort(order.begin(), order.end(), [&keys](size_t a, size_t b) { return keys[a] > keys[b]; });
    else
      std::stable_sort(order.begin(), order.end(), [&keys](size_t a, size_t b) { return keys[a] < keys[b]; });
  }

  // Every byte of the new list is written once: the records, then zeros to the end.
  std::unique_ptr<BYTE[]> sorted(new BYTE[size]);
  std::vector<FILETIME> newStamps(static_cast<size_t>(std::max(stampCount, 0)), FILETIME{});
  DWORD at = wavorel::wire::ndis::kListHeadSize;
  for (size_t n = 0; n < order.size(); ++n) {
    const Record& r = records[order[n]];
    std::memcpy(sorted.get() + at, r.at, r.length);
    at += r.length;
    if (stamps && n < newStamps.size() && order[n] < newStamps.size()) newStamps[n] = stamps[order[n]];
  }
  std::memset(sorted.get(), 0, wavorel::wire::ndis::kListHeadSize);
  std::memset(sorted.get() + at, 0, size - at);
  wavorel::wire::putU32(sorted.get(), static_cast<uint32_t>(order.size()));
  std::memcpy(list, sorted.get(), size);
  if (stamps) std::copy(newStamps.begin(), newStamps.end(), stamps);
}
