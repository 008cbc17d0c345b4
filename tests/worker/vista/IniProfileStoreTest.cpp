#include <filesystem>

#include "tests/worker/vista/ProfileStoreTest.h"

namespace worker::testing {
namespace {

using IniProfileStoreTest = ProfileStoreTest;

TEST_F(IniProfileStoreTest, FileNamesJoinFolderFamilyPrefixGuidAndKind) {
  const char* prefixes[] = {"VX52PCI_", "VX52USB_", "VX53PCI_", "VX53USB_", "VX42_",
                            "VX41_",    "VX32_",    "VX32_",    "VX31_"};
  for (int family = 0; family < 9; ++family) {
    g_nFamilyIndex = family;
    EXPECT_EQ(std::string(IniProfileFileName("{G}", kIniKindStation, 0)), std::string("C:\\Data\\") + prefixes[family] + "{G}_sta");
  }
  EXPECT_EQ(std::string(IniProfileFileName("{G}", kIniKindAp, 1)), "C:\\Program Files\\WavorelVista\\VX31_{G}_ap");
  EXPECT_EQ(std::string(IniProfileFileName("{G}", kIniKindProfiles, 0)), "C:\\Data\\VX31_{G}_prof");
  EXPECT_EQ(std::string(IniProfileFileName("{G}", kIniKindWps, 0)), "C:\\Data\\VX31_{G}_wsc");
  EXPECT_EQ(std::string(IniProfileFileName("{G}", 4, 0)), "C:\\Data\\VX31_{G}") << "a kind outside the table";

  // The two families of "VX32_" share their files.
  g_nFamilyIndex = 6;
  ASSERT_TRUE(write(kIniKindProfiles, "Home", "AuthMode", "7"));
  g_nFamilyIndex = 7;
  EXPECT_EQ(read(kIniKindProfiles, "Home", "AuthMode"), "7");
  g_nFamilyIndex = 5;
  EXPECT_EQ(read(kIniKindProfiles, "Home", "AuthMode"), "");
}

TEST_F(IniProfileStoreTest, EveryKeyRoundTripsAndValuesKeepTheirBlanksAndQuotes) {
  ASSERT_EQ(sizeof g_profileKeys / sizeof g_profileKeys[0], 54u);
  for (int i = 0; i < kProfileKeyCount; ++i) {
    const std::string value = "value " + std::to_string(i);
    if (std::string(g_profileKeys[i]) == "SSID_inHex") continue;
    ASSERT_TRUE(write(kIniKindProfiles, "Home", g_profileKeys[i], value.c_str())) << g_profileKeys[i];
  }
  for (int i = 0; i < kProfileKeyCount; ++i) {
    const std::string key = g_profileKeys[i];
    if (key == "SSID_inHex") {
      EXPECT_EQ(read(kIniKindProfiles, "Home", g_profileKeys[i]), "1") << "written beside the SSID";
    } else {
      EXPECT_EQ(read(kIniKindProfiles, "Home", g_profileKeys[i]), "value " + std::to_string(i)) << key;
    }
  }

  const char* awkward[] = {" leading blank", "trailing blank ", "\"quoted\"", "'single'", "\"", " ", "a \"b\" c",
                           "x=y;z"};
  for (const char* value : awkward) {
    ASSERT_TRUE(write(kIniKindStation, "Config", "WPAPSK", value)) << value;
    EXPECT_EQ(read(kIniKindStation, "Config", "WPAPSK"), value);
  }
  // Old files without quotes read as before.
  writeFile(kIniKindStation, "[Config]\r\nPassword=  plain text  \r\nID=\"quoted\"\r\n");
  EXPECT_EQ(read(kIniKindStation, "Config", "Password"), "plain text");
  EXPECT_EQ(read(kIniKindStation, "Config", "ID"), "quoted");
}

TEST_F(IniProfileStoreTest, SsidIsStoredAsHexTwoDigitsPerByte) {
  ASSERT_TRUE(write(kIniKindStation, "Config", "SSID", "AB"));
  EXPECT_EQ(raw(kIniKindStation, "Config", "SSID"), "4142");
  EXPECT_EQ(raw(kIniKindStation, "Config", "SSID_inHex"), "1");
  EXPECT_EQ(read(kIniKindStation, "Config", "SSID"), "AB");

  const char low[] = {'\x0a', ' ', '\x7f', '\xff', 0};
  ASSERT_TRUE(write(kIniKindStation, "Config", "SSID", low));
  EXPECT_EQ(raw(kIniKindStation, "Config", "SSID"), "0A207FFF") << "bytes below 0x10 keep their zero";
  EXPECT_EQ(read(kIniKindStation, "Config", "SSID"), low);
}

struct DecodeCase {
  const char* stored;
  int size;
  const char* read;
};

TEST_F(IniProfileStoreTest, StoredSsidTextsDecodeOnlyWhenTheyAreHex) {
  const std::string longHex(66, '4');  // 33 bytes of 'D'
  const DecodeCase cases[] = {
      {"41 a42", 256, "A\nB"},                              // a blank is the digit 0
      {"41424", 256, "41424"},                              // odd length: as stored
      {"41G2", 256, "41G2"},                                // not a digit: as stored
      {"4142434445", 4, "ABC"},                             // cut to the caller's buffer
      {longHex.c_str(), 256, "DDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDD"},  // at most 32 bytes
      {"", 256, ""},
  };
  for (const DecodeCase& c : cases) {
    writeFile(kIniKindStation, std::string("[Config]\r\nSSID_inHex=1\r\nSSID=") + c.stored + "\r\n");
    EXPECT_EQ(read(kIniKindStation, "Config", "SSID", c.size), c.read) << c.stored;
  }
  writeFile(kIniKindStation, "[Config]\r\nSSID=4142\r\n");
  EXPECT_EQ(read(kIniKindStation, "Config", "SSID"), "4142") << "no SSID_inHex: unchanged";
  writeFile(kIniKindStation, "[Config]\r\nSSID_inHex=0\r\nSSID=4142\r\n");
  EXPECT_EQ(read(kIniKindStation, "Config", "SSID"), "4142");
  // A text value is cut to the buffer and terminated.
  writeFile(kIniKindStation, "[Config]\r\nServerName=radius.example\r\n");
  EXPECT_EQ(read(kIniKindStation, "Config", "ServerName", 7), "radius");
}

TEST_F(IniProfileStoreTest, LineBreaksAndBracketsAreRefusedAndNothingIsWritten) {
  ASSERT_TRUE(write(kIniKindProfiles, "Home", "AuthMode", "7"));
  const std::string before = readFile(kIniKindProfiles);
  EXPECT_FALSE(write(kIniKindProfiles, "Home", "Password", "two\r\nlines"));
  EXPECT_FALSE(write(kIniKindProfiles, "Home", "Password", "line\n"));
  EXPECT_FALSE(write(kIniKindProfiles, "Ho]me", "AuthMode", "1"));
  EXPECT_FALSE(write(kIniKindProfiles, "Ho\nme", "AuthMode", "1"));
  EXPECT_FALSE(ClearIniProfileSection(g_strAdapterGuid, "New\r\n[Injected]"));
  EXPECT_EQ(readFile(kIniKindProfiles), before);
  // An SSID is stored as hex, so its bytes may be anything.
  EXPECT_TRUE(write(kIniKindProfiles, "Home", "SSID", "a\r\nb"));
  EXPECT_EQ(read(kIniKindProfiles, "Home", "SSID"), "a\r\nb");
}

TEST_F(IniProfileStoreTest, ClearWritesEmptyKeysAndCopyFillsConfig) {
  for (const char* key : g_profileKeys) ASSERT_TRUE(write(kIniKindProfiles, "Home", key, "x"));
  ASSERT_TRUE(write(kIniKindProfiles, "Home", "SSID", "HomeNet"));
  ASSERT_TRUE(write(kIniKindProfiles, "Home", "WPAPSK", " spaced secret "));
  ASSERT_TRUE(CopyProfileToConfigSection(g_strAdapterGuid, "Home"));
  EXPECT_EQ(read(kIniKindStation, "Config", "SSID"), "HomeNet");
  EXPECT_EQ(read(kIniKindStation, "Config", "WPAPSK"), " spaced secret ");
  for (const char* key : g_profileKeys) {
    if (std::string(key) == "SSID" || std::string(key) == "WPAPSK" || std::string(key) == "SSID_inHex") continue;
    EXPECT_EQ(raw(kIniKindStation, "Config", key), "x") << key;
  }

  ASSERT_TRUE(ClearIniProfileSection(g_strAdapterGuid, "Home"));
  for (const char* key : g_profileKeys) EXPECT_EQ(raw(kIniKindProfiles, "Home", key), "") << key;
}

TEST_F(IniProfileStoreTest, TheSectionListIsWholeHoweverLong) {
  std::string text;
  for (int i = 0; i < 150; ++i) text += "[A profile with a rather long name number " + std::to_string(i) + "]\r\nAuthMode=0\r\n";
  writeFile(kIniKindProfiles, text);
  CStringArray names;
  names.Add("stale");
  ListIniSectionNames(g_strAdapterGuid, &names);
  ASSERT_EQ(names.GetSize(), 150);
  EXPECT_EQ(std::string(names[0]), "A profile with a rather long name number 0");
  EXPECT_EQ(std::string(names[149]), "A profile with a rather long name number 149");

  std::filesystem::remove(fileOf(kIniKindProfiles));
  WritePrivateProfileString(nullptr, nullptr, nullptr, IniProfileFileName(g_strAdapterGuid, kIniKindProfiles, 0));
  ListIniSectionNames(g_strAdapterGuid, &names);
  EXPECT_EQ(names.GetSize(), 0);
}

TEST_F(IniProfileStoreTest, DeletingHomeKeepsHome2ByteForByte) {
  const std::string head = "; profiles of this adapter\r\n\r\n";
  const std::string home2 = "[Home2]\r\nSSID=486F6D6532\r\nSSID_inHex=1\r\nWPAPSK=\" spaced \"\r\n\r\n";
  const std::string cafe = "[Cafe]\nAuthMode=0\n";
  writeFile(kIniKindProfiles, head + "[Home]\r\nAuthMode=7\r\n" + home2 + "  [ home ]  \r\nAuthMode=1\r\n" + cafe);
  ASSERT_EQ(read(kIniKindProfiles, "Home2", "WPAPSK"), " spaced ");
  ASSERT_TRUE(RewriteStationProfileFile(g_strAdapterGuid, "Home"));
  EXPECT_EQ(readFile(kIniKindProfiles), head + home2 + cafe)
      << "lines before the first section stay; every section named Home goes, whatever its case and blanks";
  EXPECT_EQ(read(kIniKindProfiles, "Home", "AuthMode"), "");
  EXPECT_EQ(read(kIniKindProfiles, "Home2", "SSID"), "Home2");
  EXPECT_FALSE(std::filesystem::exists(fileOf(kIniKindProfiles) + ".tmp"));
}

TEST_F(IniProfileStoreTest, AFailedRewriteLeavesTheFileWhole) {
  EXPECT_FALSE(RewriteStationProfileFile(g_strAdapterGuid, "Home")) << "no file";
  EXPECT_FALSE(std::filesystem::exists(fileOf(kIniKindProfiles)));

  const std::string text = "[Home]\r\nAuthMode=7\r\n[Cafe]\r\nAuthMode=0\r\n";
  writeFile(kIniKindProfiles, text);
  std::filesystem::create_directory(fileOf(kIniKindProfiles) + ".tmp");  // the temporary file cannot be made
  EXPECT_FALSE(RewriteStationProfileFile(g_strAdapterGuid, "Home"));
  EXPECT_EQ(readFile(kIniKindProfiles), text);
}

}  // namespace
}  // namespace worker::testing
