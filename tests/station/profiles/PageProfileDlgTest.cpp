// The profile page's parts that need no window: the new profile name and the
// order file's text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "station/profiles/PageProfileDlg.h"

namespace {

std::vector<std::string> Strings(const std::vector<CString>& names) {
  std::vector<std::string> out;
  for (const CString& name : names) out.emplace_back(name, static_cast<size_t>(name.GetLength()));
  return out;
}

std::string NewNameOf(const std::vector<const char*>& rows) {
  CPageProfileDlg page;
  for (const char* name : rows) page.m_profiles.emplace_back(-1, name, "ssid", 0, 1);
  CString name;
  EXPECT_TRUE(page.GetNewProfileName(name));
  return std::string(name);
}

TEST(PageProfileDlgTest, NewProfileNameFollowsTheLargestNumber) {
  const struct {
    std::vector<const char*> rows;
    const char* name;
  } table[] = {
      {{}, "Unname Profile1"},
      {{"Unname Profile1", "UNNAME PROFILE7"}, "Unname Profile8"},
      {{"Unname Profile", "Home"}, "Unname Profile1"},
      {{"unname profile12abc", "Unname Profile-4"}, "Unname Profile13"},
      {{"Unname Profile3", "Unname Profile2147483647", "Unname Profile99999999999999"}, "Unname Profile4"},
      {{"Unname Profile999999999"}, "Unname Profile1000000000"},
      {{"Unnam"}, "Unname Profile1"},
  };
  for (const auto& row : table) EXPECT_EQ(NewNameOf(row.rows), row.name) << row.name;
}

TEST(PageProfileDlgTest, OrderTextLeavesOutOnlyExactDuplicates) {
  const struct {
    std::vector<CString> names;
    const char* text;
  } table[] = {
      {{"Home2", "Home"}, "Home2\r\nHome"},
      {{"Home", "Home2"}, "Home\r\nHome2"},
      {{"Home", " HOME ", "Home2", "home"}, "Home\r\nHome2"},
      {{"A"}, "A"},
      {{}, ""},
  };
  for (const auto& row : table) EXPECT_EQ(std::string(CPageProfileDlg::MakeOrderText(row.names)), row.text);
}

TEST(PageProfileDlgTest, OrderTextSplitsAtAnyLineEnd) {
  const struct {
    std::string text;
    std::vector<std::string> names;
  } table[] = {
      {"A\r\nB", {"A", "B"}},
      {"A\rB\nC", {"A", "B", "C"}},
      {"\r\n\r\nA\n\n", {"A"}},
      {"NoLineEnd", {"NoLineEnd"}},
      {std::string("x\0y\rz", 5), {std::string("x\0y", 3), "z"}},
      {"", {}},
  };
  for (const auto& row : table) {
    const CString text(row.text.data(), static_cast<int>(row.text.size()));
    EXPECT_EQ(Strings(CPageProfileDlg::ParseOrderText(text)), row.names);
  }
  const std::string line(1 << 20, 'n');
  const std::vector<CString> one = CPageProfileDlg::ParseOrderText(CString(line.data(), static_cast<int>(line.size())));
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(one[0].GetLength(), 1 << 20);
}

}  // namespace
