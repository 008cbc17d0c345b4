// libFuzzer target for the profile page's order file: the input is the file
// "ProfilesAlign.dat", applied to a list of five profiles; the rows taken
// must be distinct entries of that list, and writing them back and reading
// that again must give the same rows.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/Platform.h"
#include "station/profiles/PageProfileDlg.h"
#include "tests/fuzz/FuzzRoot.h"

namespace {

const char* const kNames[] = {"Home", "Home2", "Cafe", "cafe", "Shop Net"};

void WriteOrderFile(const std::string& bytes) {
  HANDLE file = CreateFile(CPageProfileDlg::OrderFileName(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  if (!bytes.empty()) WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::vector<CString> Apply(const std::string& bytes) {
  WriteOrderFile(bytes);
  CPageProfileDlg page;
  for (const char* name : kNames) page.m_profiles.emplace_back(-1, name, name, 0, 1);
  page.ApplySavedOrder();
  std::vector<CString> rows;
  for (const _PROFILE_LIST_ITEM& item : page.m_profiles) rows.push_back(item.Name);
  return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TemporaryRoot root;
  if (root.path.empty()) return 0;
  const std::vector<CString> rows = Apply(std::string(reinterpret_cast<const char*>(data), size));
  for (size_t i = 0; i < rows.size(); ++i) {
    if (std::count(rows.begin(), rows.end(), rows[i]) != 1) std::abort();
    if (std::none_of(std::begin(kNames), std::end(kNames), [&](const char* n) { return rows[i] == n; }))
      std::abort();
  }
  if (rows.empty()) return 0;
  const CString text = CPageProfileDlg::MakeOrderText(rows);
  const std::vector<CString> again = Apply(std::string(text, static_cast<size_t>(text.GetLength())));
  // "Cafe" and "cafe" are one section name to the store: the second is left out.
  std::vector<CString> expected;
  for (const CString& row : rows)
    if (std::none_of(expected.begin(), expected.end(), [&](const CString& e) { return e.CompareNoCase(row) == 0; }))
      expected.push_back(row);
  if (again != expected) std::abort();
  return 0;
}
