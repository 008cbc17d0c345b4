#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/lingwell/Lingwell.h"
#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/Paths.h"

namespace fs = std::filesystem;

namespace wavorel {
namespace {

class LingwellTest : public testing::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    std::string program = root() + "/program";
    fs::create_directories(program + "/language");
    setProgramFolder(program, "WavorelVista.exe");
    std::ofstream(program + "/language/english.ini", std::ios::binary)
        << "[Text]\r\nCompanyName=Quendal\r\nError=Error!\r\n";
    std::ofstream(program + "/language/SimpChinese.ini", std::ios::binary)
        << "[Text]\r\nError=\xB4\xED\xCE\xF3\r\nConnect=\" Lian \"\r\nSoft AP  Status : Good=Hao\r\n";
  }
};

TEST_F(LingwellTest, TranslatesInCurrentLanguageThenEnglishThenKey) {
  EXPECT_STREQ(GetCurLanguageType(), "English");
  EXPECT_STREQ(GetMLText("error"), "Error!");
  EXPECT_STREQ(GetMLText("Connect"), "Connect");

  ASSERT_TRUE(SetCurLanguageType("SimpChinese"));
  EXPECT_STREQ(GetCurLanguageType(), "SimpChinese");
  struct Case {
    const char* key;
    const char* expected;
  } cases[] = {
      {"Error", "\xB4\xED\xCE\xF3"},
      {"CONNECT", " Lian "},
      {"Soft AP  Status : Good", "Hao"},
      {"CompanyName", "Quendal"},
      {"Not translated ", "Not translated "},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_STREQ(GetMLText(c.key), c.expected) << c.key;
  EXPECT_STREQ(GetMLText(nullptr), "");
}

TEST_F(LingwellTest, OnlyTypesWithAFileBecomeCurrent) {
  EXPECT_STREQ(GetDefaultLanguageType(), "English");
  ASSERT_TRUE(SetCurLanguageType("SimpChinese"));
  for (const char* refused : {"German", "", "..\\program\\language\\SimpChinese", "C:SimpChinese"}) {
    EXPECT_FALSE(SetCurLanguageType(refused)) << refused;
    EXPECT_STREQ(GetCurLanguageType(), "SimpChinese");
  }
  EXPECT_FALSE(SetCurLanguageType(nullptr));
  fs::remove(root() + "/program/language/english.ini");
  EXPECT_TRUE(SetCurLanguageType("English"));
  EXPECT_STREQ(GetMLText("Error"), "Error") << "English needs no file";
}

}  // namespace
}  // namespace wavorel
