// The INI file's index: lookups after parsing and after every change find
// what a walk of the lines would (the first section of a name, the first key
// of a name in it), and a large file is indexed once.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "platform/win/kernel/IniFile.h"

namespace wavorel {
namespace {

std::string valueOf(const IniFile& ini, const char* section, const char* key) {
  const std::string* v = ini.find(section, key);
  return v ? *v : "<none>";
}

TEST(IniFileTest, LookupsUseTheFirstSectionAndKeyOfANameBeforeAndAfterChanges) {
  IniFile ini = IniFile::parse(
      "; head\n[Home]\nSSID=one\nssid=two\nKey=k\n[Work]\nSSID=w\n[HOME]\nSSID=three\nOnly=second\n");
  EXPECT_EQ(valueOf(ini, "home", "ssid"), "one");
  EXPECT_EQ(valueOf(ini, "Home", "Only"), "<none>") << "the second [Home] is not looked into";
  EXPECT_EQ(ini.sectionNames(), (std::vector<std::string>{"Home", "Work"}));
  EXPECT_EQ(ini.keyNames("HOME"), (std::vector<std::string>{"SSID", "Key"}));

  ini.set("Home", "Added", "a");  // a new line inside the first section moves every later line
  EXPECT_EQ(valueOf(ini, "Work", "SSID"), "w");
  EXPECT_EQ(valueOf(ini, "Home", "Added"), "a");
  EXPECT_EQ(ini.keyNames("Home"), (std::vector<std::string>{"SSID", "Key", "Added"}));

  EXPECT_TRUE(ini.removeKey("home", "SSID"));  // both of the first section, not the second section's
  EXPECT_EQ(valueOf(ini, "Home", "SSID"), "<none>");
  EXPECT_EQ(valueOf(ini, "Home", "Key"), "k");

  ini.set("New", "x", "1");
  EXPECT_EQ(valueOf(ini, "new", "X"), "1");
  EXPECT_TRUE(ini.removeSection("home"));  // every section of the name
  EXPECT_EQ(ini.sectionNames(), (std::vector<std::string>{"Work", "New"}));
  EXPECT_EQ(valueOf(ini, "Home", "Key"), "<none>");
  EXPECT_EQ(ini.serialize(), "; head\r\n[Work]\r\nSSID=w\r\n[New]\r\nx=1\r\n");
  EXPECT_FALSE(ini.removeSection("Home"));
}

TEST(IniFileTest, LookupsInALargeFileDoNotWalkIt) {
  std::string text;
  const int kSections = 20000;
  for (int i = 0; i < kSections; ++i)
    text += "[Section" + std::to_string(i) + "]\nA=1\nB=2\nValue=" + std::to_string(i) + "\n";
  const auto start = std::chrono::steady_clock::now();
  IniFile ini = IniFile::parse(text);
  long long sum = 0;
  for (int i = 0; i < kSections; ++i) sum += std::stoll(*ini.find("section" + std::to_string(i), "value"));
  const auto spent = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(sum, static_cast<long long>(kSections) * (kSections - 1) / 2);
  EXPECT_EQ(ini.sectionNames().size(), static_cast<size_t>(kSections));
  // A walk of the lines for each lookup takes minutes here; the index, a fraction of a second.
  EXPECT_LT(std::chrono::duration_cast<std::chrono::seconds>(spent).count(), 10);
}

}  // namespace
}  // namespace wavorel
