#include "worker/IniProfileStore.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "utilmere/Utilmere.h"
#include "worker/HexStringToBytes.h"
#include "worker/ModuleFunctions.h"
#include "worker/WorkerGlobals.h"

const char* const g_profileKeys[kProfileKeyCount] = {
    "ACPowerCam",     "AuthenProtocol",     "AuthMode",       "Channel",         "ClientCertData",
    "ClientCertLen",  "CipherMode",         "FragThresh",     "ID",              "IntermediateCert",
    "LeapEnabled",    "LeapEncryType",      "LeapPassword",   "LeapUserName",    "LeapDomainName",
    "NameRule",       "NetworkType",        "Password",       "PasswordMode",    "PreambleType",
    "ProvisioningTunnel", "ProvisionMode",  "PSMode",         "RtsThresh",       "ServerCertData",
    "ServerCertLen",  "ServerName",         "SessionResumption", "SSID",         "TunnelID",
    "TunnelPassword", "TunnelProtocol",     "DomainName",     "TXPower",         "Use8021X",
    "UseClientCert",  "UseFrag",            "UsePAC",         "UseRts",          "UseServerCert",
    "WEPKey1",        "WEPKey1Type",        "WEPKey2",        "WEPKey2Type",     "WEPKey3",
    "WEPKey3Type",    "WEPKey4",            "WEPKey4Type",    "WEPKeyUse",       "WPAPSK",
    "ActiveTime",     "PACFilePath",        "SSID_inHex",     "UseSmartCard",
};

namespace {

const char* const kFamilyPrefixes[] = {"VX52PCI_", "VX52USB_", "VX53PCI_", "VX53USB_", "VX42_",
                                       "VX41_",    "VX32_",    "VX32_",    "VX31_"};
const char* const kKindSuffixes[] = {"_sta", "_ap", "_prof", "_wsc"};

constexpr char kSsidKey[] = "SSID";
constexpr char kSsidInHexKey[] = "SSID_inHex";
constexpr char kConfigSection[] = "Config";
constexpr size_t kMaxSsid = 32;
constexpr DWORD kFlagSize = 128;
constexpr DWORD kCopySize = 128;
// Room for the hexadecimal SSID text; a longer text is not decoded.
constexpr DWORD kHexTextSize = 1024;
constexpr DWORD kFirstListSize = 1000;
constexpr DWORD kMaxListSize = 64u << 20;

bool HasLineBreak(const char* text) { return std::strpbrk(text, "\r\n") != nullptr; }

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// What is stored for `value`: inside double quotes when the reader would
// otherwise trim or unquote it.
CString StoredForm(LPCSTR value) {
  const size_t length = std::strlen(value);
  if (length == 0) return CString(value);
  auto needsQuotes = [](char c) { return IsBlank(c) || c == '"' || c == '\''; };
  if (!needsQuotes(value[0]) && !needsQuotes(value[length - 1])) return CString(value);
  return CString("\"") + value + "\"";
}

// Every write of the store: refuses texts that would break the file's lines
// or section headers.
BOOL WriteStoreValue(const CString& file, LPCSTR section, LPCSTR key, LPCSTR value) {
  if (HasLineBreak(section) || std::strchr(section, ']') || HasLineBreak(key) || HasLineBreak(value)) {
    Log(GXLOG_WARNING, "Profile store: refused [%s] %s (line break or \"]\")", section, key);
    return FALSE;
  }
  return WritePrivateProfileString(section, key, StoredForm(value), file);
}

// Decodes the hexadecimal SSID text (a blank is the digit 0) into `out`: at
// most 32 bytes, cut to `size` - 1, terminated. False when the text is no such
// text.
bool DecodeSsidHex(const char* text, char* out, int size) {
  const size_t length = std::strlen(text);
  if (length % 2) return false;
  std::string digits(text, length);
  for (char& c : digits) {
    if (c == ' ') {
      c = '0';
    } else if (HexDigitValue(c) > 15) {
      return false;
    }
  }
  const size_t count = std::min({length / 2, kMaxSsid, static_cast<size_t>(size - 1)});
  BYTE bytes[kMaxSsid] = {};
  HexStringToBytes(digits.c_str(), bytes, static_cast<int>(count));
  std::memcpy(out, bytes, count);
  out[count] = '\0';
  return true;
}

void CopyCut(const char* text, char* out, int size) {
  const size_t count = std::min(std::strlen(text), static_cast<size_t>(size - 1));
  std::memcpy(out, text, count);
  out[count] = '\0';
}

char FoldCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsIniBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// The section name of a header line (first non-blank character "["): the text
// up to the first "]" or the line's end, trimmed. False for other lines.
bool HeaderName(const std::string& line, std::string& name) {
  size_t at = 0;
  while (at < line.size() && IsIniBlank(line[at])) ++at;
  if (at == line.size() || line[at] != '[') return false;
  size_t end = line.find_first_of("]\r\n", at + 1);
  if (end == std::string::npos) end = line.size();
  size_t start = at + 1;
  while (start < end && IsIniBlank(line[start])) ++start;
  while (end > start && IsIniBlank(line[end - 1])) --end;
  name.assign(line, start, end - start);
  return true;
}

bool SameSectionName(const std::string& a, const char* b) {
  const size_t length = std::strlen(b);
  if (a.size() != length) return false;
  for (size_t i = 0; i < length; ++i)
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  return true;
}

}  // namespace

BOOL IsSameSectionName(LPCSTR a, LPCSTR b) {
  std::string left(a ? a : ""), right(b ? b : "");
  for (std::string* text : {&left, &right}) {
    size_t start = 0, end = text->size();
    while (start < end && IsIniBlank((*text)[start])) ++start;
    while (end > start && IsIniBlank((*text)[end - 1])) --end;
    *text = text->substr(start, end - start);
  }
  return SameSectionName(left, right.c_str()) ? TRUE : FALSE;
}

CString IniProfileFileName(const CString& namePart, int kind, int folderFlag) {
  CString name = folderFlag == 1 ? g_strProgramFolder : g_strDataFolder;
  if (g_nFamilyIndex >= 0 && g_nFamilyIndex < static_cast<int>(std::size(kFamilyPrefixes)))
    name += kFamilyPrefixes[g_nFamilyIndex];
  name += namePart;
  if (kind >= 0 && kind < static_cast<int>(std::size(kKindSuffixes))) name += kKindSuffixes[kind];
  return name;
}

void ReadIniValue(const CString& namePart, int kind, const CString& section, const CString& key, char* out, int size,
                  int folderFlag) {
  if (!out || size <= 0) return;
  const CString file = IniProfileFileName(namePart, kind, folderFlag);
  char inHex[kFlagSize] = "";
  GetPrivateProfileString(section, kSsidInHexKey, "", inHex, sizeof inHex, file);
  if (key.CompareNoCase(kSsidKey) == 0 && std::strcmp(inHex, "1") == 0) {
    std::vector<char> text(kHexTextSize);
    const DWORD got = GetPrivateProfileString(section, key, "", text.data(), kHexTextSize, file);
    if (got + 1 >= kHexTextSize || !DecodeSsidHex(text.data(), out, size)) CopyCut(text.data(), out, size);
    return;
  }
  GetPrivateProfileString(section, key, "", out, static_cast<DWORD>(size), file);
}

BOOL WriteIniValue(const CString& namePart, int kind, const CString& section, const CString& key, LPCSTR value,
                   int folderFlag) {
  if (!value) value = "";
  const CString file = IniProfileFileName(namePart, kind, folderFlag);
  if (key.CompareNoCase(kSsidKey) != 0) return WriteStoreValue(file, section, key, value);
  CString hex;
  for (const char* c = value; *c; ++c) hex.AppendFormat("%02X", static_cast<BYTE>(*c));
  const BOOL ssid = WriteStoreValue(file, section, key, hex);
  const BOOL flag = ssid && WriteStoreValue(file, section, kSsidInHexKey, "1");
  return ssid && flag;
}

BOOL ClearIniProfileSection(const CString& namePart, const CString& profileName) {
  const CString file = IniProfileFileName(namePart, kIniKindProfiles, 0);
  BOOL ok = TRUE;
  for (const char* key : g_profileKeys) ok = WriteStoreValue(file, profileName, key, "") && ok;
  return ok;
}

BOOL CopyProfileToConfigSection(const CString& namePart, const CString& profileName) {
  const CString from = IniProfileFileName(namePart, kIniKindProfiles, 0);
  const CString to = IniProfileFileName(namePart, kIniKindStation, 0);
  BOOL ok = TRUE;
  for (const char* key : g_profileKeys) {
    char value[kCopySize] = "";
    GetPrivateProfileString(profileName, key, "", value, sizeof value, from);
    ok = WriteStoreValue(to, kConfigSection, key, value) && ok;
  }
  return ok;
}

void ListIniSectionNames(const CString& namePart, CStringArray* names) {
  if (!names) return;
  names->RemoveAll();
  const CString file = IniProfileFileName(namePart, kIniKindProfiles, 0);
  std::vector<char> list;
  DWORD got = 0;
  for (DWORD size = kFirstListSize;; size *= 2) {
    list.assign(size, '\0');
    got = GetPrivateProfileSectionNames(list.data(), size, file);
    if (got + 2 < size || size >= kMaxListSize) break;  // whole (a cut list fills size - 2)
  }
  for (const char* name = list.data(); *name && name < list.data() + got; name += std::strlen(name) + 1)
    names->Add(name);
}

BOOL RewriteStationProfileFile(const CString& namePart, const CString& profileName) {
  const CString path = IniProfileFileName(namePart, kIniKindProfiles, 0);
  std::string text;
  if (!ReadWholeFile(path, text)) return FALSE;
  std::string kept;
  kept.reserve(text.size());
  bool keep = true;  // lines before the first section stay
  for (size_t at = 0; at < text.size();) {
    size_t end = text.find('\n', at);
    end = end == std::string::npos ? text.size() : end + 1;
    const std::string line = text.substr(at, end - at);
    std::string name;
    if (HeaderName(line, name)) keep = !SameSectionName(name, profileName);
    if (keep) kept += line;
    at = end;
  }
  if (!WriteFileAtomically(path, kept)) {
    Log(GXLOG_WARNING, "Profile store: cannot rewrite %s", static_cast<LPCSTR>(path));
    return FALSE;
  }
  WritePrivateProfileString(nullptr, nullptr, nullptr, path);  // forget the cached copy
  return TRUE;
}
