// libFuzzer target for Wavorel's profile page reading the registry store: the
// input makes a "\Profile\Station" tree (profile keys of fuzzed names, each
// with fuzzed values and subkeys, XpRegistryInput.h) and the driver key's
// "CurProfile"; LoadProfileList lists it and every row's details are read.
// Input: byte 0 picks "CurProfile" (a row's name, a name of no key, or
// none); then per profile a name length, the name, a 2-byte entry length and
// that many bytes of entries.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "station/profiles/PageProfileDlg.h"
#include "tests/fuzz/FuzzRoot.h"
#include "tests/fuzz/XpRegistryInput.h"
#include "worker/WorkerGlobals.h"

namespace {

constexpr size_t kMostProfiles = 8;

void SetCurrentProfileName(const std::string& name) {
  HKEY key = nullptr;
  if (RegCreateKeyEx(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return;
  RegSetValueEx(key, "CurProfile", 0, REG_SZ, reinterpret_cast<const BYTE*>(name.c_str()),
                static_cast<DWORD>(name.size() + 1));
  RegCloseKey(key);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TemporaryRoot root;
  if (root.path.empty() || size == 0) return 0;
  static std::unique_ptr<CPageProfileDlg> page;
  if (!page) {
    g_strDriverKey = "SYSTEM\\Fuzz\\0000";
    static HWND host = CreateWindowEx(0, "STATIC", "host", WS_POPUP, 0, 0, 700, 400, nullptr, nullptr, nullptr, nullptr);
    page = std::make_unique<CPageProfileDlg>(CWnd::FromHandle(host));
    if (!page->Create(IDD_PAGE_PROFILE, CWnd::FromHandle(host))) std::abort();
  }
  const std::string station = std::string(g_strDriverKey) + "\\Profile\\Station";
  SHDeleteKey(HKEY_LOCAL_MACHINE, station.c_str());

  std::vector<std::string> names;
  size_t at = 1;
  while (at < size && names.size() < kMostProfiles) {
    const size_t nameLength = std::min<size_t>(data[at], size - at - 1);
    std::string name(reinterpret_cast<const char*>(data + at + 1), nameLength);
    at += 1 + nameLength;
    size_t entries = 0;
    if (at + 2 <= size) {
      entries = std::min<size_t>(data[at] | (data[at + 1] << 8), size - at - 2);
      at += 2;
    }
    if (name.find('\\') == std::string::npos && name.find('\0') == std::string::npos && !name.empty()) {
      xpfuzz::WriteEntries(station + "\\" + name, data + at, entries);
      names.push_back(name);
    }
    at += entries;
  }
  const uint8_t pick = data[0];
  SetCurrentProfileName(pick < names.size() ? names[pick] : pick % 2 ? "no such key" : "");

  page->LoadProfileList();
  const int rows = static_cast<int>(page->m_profiles.size());
  if (static_cast<size_t>(rows) > names.size()) std::abort();
  for (int row = -1; row <= rows; ++row) {
    page->ShowProfileDetails(row);
    const bool listed = row >= 0 && row < rows;
    if (!listed && !page->m_details[0].IsEmpty()) std::abort();
    if (listed && page->m_details[0] != page->m_profiles[row].Name) std::abort();
    if (page->m_details[1].GetLength() >= static_cast<int>(256)) std::abort();
  }
  const int current = page->FindCurrentProfileRow();
  if (current < -1 || current >= rows) std::abort();
  page->SetRowState(current, 0);
  return 0;
}
