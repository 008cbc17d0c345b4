#include "softap/ApMacList.h"

#include <cstring>

#include "frontend/UiBridge.h"
#include "utilmere/Utilmere.h"
#include "worker/HexStringToBytes.h"
#include "worker/ModuleFunctions.h"

namespace {

constexpr char kErrorCaption[] = "AP Error Message";
constexpr char kInvalidMac[] = "Invalid MAC";
constexpr char kMulticastMac[] = "Multicast MAC Not Accepted";
constexpr char kDuplicatedMac[] = "Duplicated MAC";

bool allHex(const char* text, size_t length) {
  for (size_t i = 0; i < length; ++i)
    if (HexDigitValue(text[i]) == 255) return false;
  return true;
}

}  // namespace

CString InsertMacDashes(const CString& digits) {
  if (digits.GetLength() != kMacTextDigits) return digits;
  CString text;
  for (int i = 0; i < kMacTextDigits; i += 2) {
    if (i > 0) text += '-';
    text += digits.Mid(i, 2);
  }
  return text;
}

CString RemoveMacDashes(const CString& text) {
  CString digits(text);
  digits.Remove('-');
  return digits;
}

BOOL IsMacDigits(const CString& text) {
  return text.GetLength() == kMacTextDigits && allHex(text, kMacTextDigits);
}

MacAddress MacFromText(const CString& text) {
  MacAddress mac{};
  const CString digits = RemoveMacDashes(text);
  if (IsMacDigits(digits)) HexStringToBytes(digits, mac.data(), static_cast<int>(mac.size()));
  return mac;
}

std::vector<CString> ParseMacMultiString(const char* data, size_t size, size_t limit, size_t& dropped) {
  std::vector<CString> rows;
  dropped = 0;
  for (size_t at = 0; at < size;) {
    size_t length = 0;
    while (at + length < size && data[at + length] != '\0') ++length;
    if (length == static_cast<size_t>(kMacTextDigits) && allHex(data + at, length)) {
      const CString row = InsertMacDashes(CString(data + at, kMacTextDigits));
      bool known = false;
      for (const CString& r : rows) known = known || r.CompareNoCase(row) == 0;
      if (!known && rows.size() < limit)
        rows.push_back(row);
      else if (!known)
        ++dropped;
    }
    at += length + 1;
  }
  return rows;
}

BOOL ReadMacListValue(HKEY key, LPCSTR name, size_t limit, std::vector<CString>& rows) {
  DWORD size = 0;
  if (RegQueryValueEx(key, name, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) return FALSE;
  std::vector<char> data(size_t{size} + 1, '\0');
  if (RegQueryValueEx(key, name, nullptr, nullptr, reinterpret_cast<LPBYTE>(data.data()), &size) != ERROR_SUCCESS)
    return FALSE;
  size_t dropped = 0;
  rows = ParseMacMultiString(data.data(), size, limit, dropped);
  if (dropped > 0)
    Log(GXLOG_WARNING, "AP list \"%s\": %u stored addresses beyond the first %u left out", name,
        static_cast<unsigned>(dropped), static_cast<unsigned>(limit));
  return TRUE;
}

std::string BuildMacMultiString(const std::vector<CString>& rows) {
  std::string data;
  for (const CString& row : rows) {
    const CString digits = RemoveMacDashes(row);
    data.append(digits, static_cast<size_t>(digits.GetLength()));
    data.push_back('\0');
  }
  data.push_back('\0');
  return data;
}

BOOL CheckNewMac(const CString& text, const CListBox& list) {
  if (!IsMacDigits(text)) {
    NotifyUIMessageBox(kInvalidMac, kErrorCaption, MB_ICONERROR);
    return FALSE;
  }
  if (HexDigitValue(text[1]) & 1) {
    NotifyUIMessageBox(kMulticastMac, kErrorCaption, MB_ICONERROR);
    return FALSE;
  }
  const CString row = InsertMacDashes(text);
  CString listed;
  for (int i = 0; i < list.GetCount(); ++i) {
    list.GetText(i, listed);
    if (listed.CompareNoCase(row) == 0) {
      NotifyUIAlert(kDuplicatedMac, MB_ICONEXCLAMATION);
      return FALSE;
    }
  }
  return TRUE;
}
