#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/AtomicFile.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Paths.h"
#include "platform/win/kernel/PrivateProfile.h"

namespace fs = std::filesystem;

namespace wavorel {
namespace {

constexpr char kFile[] = "C:\\cfg\\test.ini";

class IniTest : public testing::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    fs::create_directories(path());
  }
  // The Linux path of C:\cfg or of a file in it.
  std::string path(const std::string& name = "") const {
    return root() + "/drive_c/cfg" + (name.empty() ? "" : "/" + name);
  }
  void put(const std::string& text, const std::string& name = "test.ini") const {
    std::ofstream(path(name), std::ios::binary) << text;
  }
  std::string content(const std::string& name = "test.ini") const {
    std::string text;
    readWholeFile(path(name), text);
    return text;
  }
  std::string read(const char* section, const char* key, const char* def = "", const char* file = kFile) {
    char buf[256];
    DWORD n = GetPrivateProfileString(section, key, def, buf, sizeof buf, file);
    EXPECT_EQ(n, std::string(buf).size());
    return buf;
  }
};

TEST_F(IniTest, ReadsValuesWithWindowsRules) {
  put("; leading comment\n"
      "[Config]\n"
      "  Name  =  Alpha  \n"
      "Quoted=\"  spaced  \"\n"
      "Single='x'\n"
      "Half=\"abc\n"
      "Empty=\n"
      "Name=second copy\n"
      "[Other]\n"
      "Key=other\n");
  struct Case {
    const char* section;
    const char* key;
    const char* def;
    const char* expected;
  } cases[] = {
      {"config", "NAME", "d", "Alpha"},
      {"Config", "Quoted", "d", "  spaced  "},
      {"Config", "Single", "d", "x"},
      {"Config", "Half", "d", "\"abc"},
      {"Config", "Empty", "d", ""},
      {"Config", "Missing", "dflt  \t", "dflt"},
      {"Config", "Missing", "  lead", "  lead"},
      {"Config", "Missing", nullptr, ""},
      {"Nope", "Key", "d", "d"},
      {"OTHER", "key", "d", "other"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(read(c.section, c.key, c.def), c.expected) << c.section << "/" << c.key;
  }
}

TEST_F(IniTest, MissingFileGivesDefaultAndFileNotFound) {
  SetLastError(0);
  EXPECT_EQ(read("Config", "Name", "fallback ", "C:\\cfg\\none.ini"), "fallback");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(GetPrivateProfileInt("Config", "Type", 1, "C:\\cfg\\none.ini"), 1u);
  char buf[4] = {'x', 'x', 'x', 'x'};
  EXPECT_EQ(GetPrivateProfileSectionNames(buf, sizeof buf, "C:\\cfg\\none.ini"), 0u);
  EXPECT_EQ(buf[0], '\0');
  EXPECT_EQ(buf[1], '\0');
}

TEST_F(IniTest, ValueCutToBufferReturnsSizeMinusOne) {
  put("[S]\nName=Alpha\n");
  struct Case {
    DWORD size;
    DWORD expectedReturn;
    const char* expected;
  } cases[] = {{4, 3, "Alp"}, {1, 0, ""}, {5, 4, "Alph"}, {6, 5, "Alpha"}, {64, 5, "Alpha"}};
  for (const Case& c : cases) {
    char buf[64];
    std::fill(std::begin(buf), std::end(buf), '#');
    EXPECT_EQ(GetPrivateProfileString("S", "Name", "", buf, c.size, kFile), c.expectedReturn) << c.size;
    EXPECT_STREQ(buf, c.expected);
    if (c.size < 64) {
      EXPECT_EQ(buf[c.size], '#') << "wrote past the buffer";
    }
  }
  char one = '#';
  EXPECT_EQ(GetPrivateProfileString("S", "Missing", "default", &one, 1, kFile), 0u);
  EXPECT_EQ(one, '\0');
}

TEST_F(IniTest, SectionNameListOfAThousandBytesCutToSmallBuffer) {
  std::string text;
  std::string expected;
  for (int i = 0; i < 100; ++i) {
    std::string name = "Profile" + std::to_string(100 + i);  // 10 characters
    text += "[" + name + "]\r\nSSID=x\r\n";
    expected += name;
    expected += '\0';
  }
  put(text);
  ASSERT_EQ(expected.size(), 1100u);

  std::vector<char> big(2000, '#');
  EXPECT_EQ(GetPrivateProfileSectionNames(big.data(), 2000, kFile), 1100u);
  EXPECT_EQ(std::string(big.data(), 1101), expected + '\0');

  std::vector<char> thousand(1001, '#');
  EXPECT_EQ(GetPrivateProfileSectionNames(thousand.data(), 1000, kFile), 998u);
  EXPECT_EQ(std::string(thousand.data(), 998), expected.substr(0, 998));
  EXPECT_EQ(thousand[998], '\0');
  EXPECT_EQ(thousand[999], '\0');
  EXPECT_EQ(thousand[1000], '#');

  char small[13];
  std::fill(std::begin(small), std::end(small), '#');
  EXPECT_EQ(GetPrivateProfileString(nullptr, nullptr, "", small, 12, kFile), 10u);
  EXPECT_EQ(std::string(small, 12), std::string("Profile100\0\0", 12));
  EXPECT_EQ(small[12], '#');

  // A cut in the middle of the second name keeps its first characters.
  char cut[15];
  EXPECT_EQ(GetPrivateProfileSectionNames(cut, sizeof cut, kFile), 13u);
  EXPECT_EQ(std::string(cut, 15), std::string("Profile100\0Pr\0\0", 15));
}

TEST_F(IniTest, KeyListOfSection) {
  put("[S]\nOne=1\nnoequals\n;Two=2\nthree = 3\nONE=dup\n[T]\nFour=4\n");
  char buf[64];
  EXPECT_EQ(GetPrivateProfileString("s", nullptr, "x", buf, sizeof buf, kFile), 10u);
  EXPECT_EQ(std::string(buf, 11), std::string("One\0three\0\0", 11));
  EXPECT_EQ(GetPrivateProfileString("s", nullptr, "x", buf, 7, kFile), 5u);
  EXPECT_EQ(std::string(buf, 7), std::string("One\0t\0\0", 7));
  EXPECT_EQ(GetPrivateProfileString("Missing", nullptr, "x", buf, sizeof buf, kFile), 0u);
  EXPECT_EQ(std::string(buf, 2), std::string("\0\0", 2));
}

TEST_F(IniTest, SectionEntriesAsKeyValueList) {
  put("[S]\nOne = 1\nnoequals\n;Two=2\nthree=  3 \nONE=dup\n[T]\nFour=4\n");
  char buf[64];
  EXPECT_EQ(GetPrivateProfileSection("s", buf, sizeof buf, kFile), 14u);
  EXPECT_EQ(std::string(buf, 15), std::string("One=1\0three=3\0\0", 15));
  EXPECT_EQ(GetPrivateProfileSection("S", buf, 9, kFile), 7u);
  EXPECT_EQ(std::string(buf, 9), std::string("One=1\0t\0\0", 9));
  EXPECT_EQ(GetPrivateProfileSection("Missing", buf, sizeof buf, kFile), 0u);
}

TEST_F(IniTest, ReadsIntegers) {
  put("[S]\nA=42\nB=-7\nC=12abc\nD=abc\nE=0x1F\nF=  8  \nG=\nH=\"5\"\nI=+3\nJ=4294967295\nK=0x\n");
  struct Case {
    const char* key;
    UINT expected;
  } cases[] = {
      {"A", 42},  {"B", static_cast<UINT>(-7)}, {"C", 12}, {"D", 0},          {"E", 31},         {"F", 8},
      {"G", 99},  {"H", 5},                     {"I", 3},  {"J", 0xFFFFFFFFu}, {"Missing", 99}, {"K", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(GetPrivateProfileInt("s", c.key, 99, kFile), c.expected) << c.key;
  EXPECT_EQ(GetPrivateProfileInt("Nope", "A", -1, kFile), static_cast<UINT>(-1));
}

TEST_F(IniTest, WriteCreatesFileAndSectionsWithCrLf) {
  ASSERT_TRUE(WritePrivateProfileString("Config", "SSID", "home", kFile));
  ASSERT_TRUE(WritePrivateProfileString("Config", "Channel", "6", kFile));
  ASSERT_TRUE(WritePrivateProfileString("Common", "PinCode", "1234", kFile));
  ASSERT_TRUE(WritePrivateProfileString("config", "ssid", "work", kFile));
  EXPECT_EQ(content(), "[Config]\r\nSSID=work\r\nChannel=6\r\n[Common]\r\nPinCode=1234\r\n");
  EXPECT_EQ(read("CONFIG", "Ssid"), "work");
}

TEST_F(IniTest, WriteReplacesInPlaceKeepingCommentsAndOrder) {
  put("; profiles\n"
      "[Home]\n"
      "SSID = old ; not a comment\n"
      "; keep me\n"
      "Channel=1\n"
      "\n"
      "[Work]\n"
      "SSID=w\n");
  ASSERT_TRUE(WritePrivateProfileString("home", "ssid", "new", kFile));
  ASSERT_TRUE(WritePrivateProfileString("Home", "Added", "a", kFile));
  EXPECT_EQ(content(),
            "; profiles\r\n"
            "[Home]\r\n"
            "SSID=new\r\n"
            "; keep me\r\n"
            "Channel=1\r\n"
            "Added=a\r\n"
            "\r\n"
            "[Work]\r\n"
            "SSID=w\r\n");
}

TEST_F(IniTest, NullValueDeletesKeyAndNullKeyDeletesSection) {
  put("[Home]\r\nSSID=h\r\nChannel=1\r\n\r\n[Home2]\r\nSSID=h2\r\n[Work]\r\nSSID=w\r\n");
  ASSERT_TRUE(WritePrivateProfileString("Home", "SSID", nullptr, kFile));
  EXPECT_EQ(read("Home", "SSID", "gone"), "gone");
  ASSERT_TRUE(WritePrivateProfileString("HOME", nullptr, nullptr, kFile));
  EXPECT_EQ(content(), "[Home2]\r\nSSID=h2\r\n[Work]\r\nSSID=w\r\n");
  EXPECT_EQ(read("Home2", "SSID"), "h2");

  // Deleting what is not there leaves a missing file missing.
  EXPECT_TRUE(WritePrivateProfileString("X", nullptr, nullptr, "C:\\cfg\\none.ini"));
  EXPECT_TRUE(WritePrivateProfileString("X", "k", nullptr, "C:\\cfg\\none.ini"));
  EXPECT_FALSE(fs::exists(path("none.ini")));
}

TEST_F(IniTest, MalformedFileReadsWithDefinedResults) {
  const std::string text =
      "\xEF\xBB\xBF"
      "Orphan=1\r\n"
      "[broken\r\n"
      "Key=in broken\r\n"
      "noequals\r\n"
      "=empty key\r\n"
      "[ Spaced ] trailing\r\n"
      "Key=spaced\r\n"
      "[]\r\n"
      "Key=nameless";
  put(text);
  EXPECT_EQ(read("", "Orphan", "none"), "none");
  EXPECT_EQ(read("broken", "Key"), "in broken");
  EXPECT_EQ(read("broken", "noequals", "d"), "d");
  EXPECT_EQ(read("broken", "", "d"), "empty key");
  EXPECT_EQ(read("Spaced", "Key"), "spaced");
  EXPECT_EQ(read("", "Key"), "nameless");
  char names[64];
  EXPECT_EQ(GetPrivateProfileSectionNames(names, sizeof names, kFile), 14u);
  EXPECT_EQ(std::string(names, 15), std::string("broken\0Spaced\0\0\0", 15));

  // A write keeps every line it does not touch, and the byte-order mark.
  ASSERT_TRUE(WritePrivateProfileString("Spaced", "Key", "v", kFile));
  std::string expected = text;
  expected.replace(expected.find("Key=spaced"), 10, "Key=v");
  EXPECT_EQ(content(), expected + "\r\n");
}

TEST_F(IniTest, FailedWriteReturnsFalseAndLeavesNoFile) {
  SetLastError(0);
  EXPECT_FALSE(WritePrivateProfileString("S", "k", "v", "C:\\cfg\\missing\\x.ini"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_FALSE(fs::exists(path("missing")));

  SetLastError(0);
  EXPECT_FALSE(WritePrivateProfileString(nullptr, "k", "v", kFile));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(fs::exists(path("test.ini")));
  EXPECT_TRUE(fs::is_empty(path()));
}

TEST_F(IniTest, NameWithoutFolderLivesInWindowsFolder) {
  ASSERT_TRUE(WritePrivateProfileString("S", "k", "v", "app.ini"));
  EXPECT_TRUE(fs::exists(root() + "/drive_c/Windows/app.ini"));
  EXPECT_EQ(read("S", "k", "", "C:\\WINDOWS\\APP.INI"), "v");
  EXPECT_EQ(read("S", "k", "", "App.ini"), "v");
}

TEST_F(IniTest, RelativeNamesFollowTheCurrentDirectory) {
  fs::create_directories(root() + "/drive_c/other");
  ASSERT_TRUE(setCurrentDirectory("C:\\cfg"));
  ASSERT_TRUE(WritePrivateProfileString("config", "type", "2", ".\\setting"));
  EXPECT_EQ(content("setting"), "[config]\r\ntype=2\r\n");
  EXPECT_EQ(GetPrivateProfileInt("config", "type", 1, ".\\setting"), 2u);
  ASSERT_TRUE(setCurrentDirectory("C:\\other"));
  EXPECT_EQ(GetPrivateProfileInt("config", "type", 1, ".\\setting"), 1u);
}

TEST_F(IniTest, ReadsSeeChangesMadeBehindTheCache) {
  put("[S]\nk=one\n");
  EXPECT_EQ(read("S", "k"), "one");
  put("[S]\nk=three\n", "other.ini");
  fs::rename(path("other.ini"), path("test.ini"));
  EXPECT_EQ(read("S", "k"), "three");
  put("[S]\nk=fourth\n");
  EXPECT_EQ(read("S", "k"), "fourth");
  fs::remove(path("test.ini"));
  EXPECT_EQ(read("S", "k", "gone"), "gone");
  put("[S]\nk=upper\n", "TEST.INI");
  EXPECT_EQ(read("S", "k"), "upper");
  fs::remove(path("TEST.INI"));
  ASSERT_TRUE(WritePrivateProfileString("S", "k", "five", kFile));
  EXPECT_EQ(content(), "[S]\r\nk=five\r\n");
  EXPECT_EQ(read("S", "k"), "five");
}

TEST_F(IniTest, TwoWriterProcessesLoseNoWrite) {
  constexpr int kEach = 300;
  ASSERT_TRUE(WritePrivateProfileString("Start", "k", "v", kFile));
  std::vector<pid_t> writers;
  for (const char* who : {"first", "second"}) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      int failures = 0;
      for (int i = 0; i < kEach; ++i) {
        const std::string key = std::string(who) + std::to_string(i);
        // Each write first reads the file through the cache, as a program does.
        read("Shared", key.c_str());
        if (!WritePrivateProfileString("Shared", key.c_str(), std::to_string(i).c_str(), kFile)) ++failures;
      }
      _exit(failures == 0 ? 0 : 1);
    }
    writers.push_back(child);
  }
  for (pid_t child : writers) {
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "a writer's call failed";
  }
  char keys[16384];
  DWORD length = GetPrivateProfileString("Shared", nullptr, "", keys, sizeof keys, kFile);
  int count = 0;
  for (const char* k = keys; k < keys + length && *k; k += std::strlen(k) + 1) ++count;
  EXPECT_EQ(count, 2 * kEach);
  for (const char* key : {"first0", "first299", "second0", "second299"}) EXPECT_NE(read("Shared", key, "lost"), "lost") << key;
  EXPECT_EQ(read("Start", "k"), "v");
}

TEST_F(IniTest, FilesArePrivateAndRewritesKeepTheirModeAndLinks) {
  auto modeOf = [](const std::string& p) {
    struct stat st {};
    EXPECT_EQ(::lstat(p.c_str(), &st), 0) << p;
    return st.st_mode;
  };
  // A new file is its owner's alone.
  ASSERT_TRUE(WritePrivateProfileString("S", "k", "1", kFile));
  EXPECT_EQ(modeOf(path("test.ini")) & 07777, 0600u);
  // A mode the user chose stays across rewrites.
  ASSERT_EQ(::chmod(path("test.ini").c_str(), 0640), 0);
  ASSERT_TRUE(WritePrivateProfileString("S", "k", "2", kFile));
  EXPECT_EQ(modeOf(path("test.ini")) & 07777, 0640u);

  // An INI that is a symbolic link stays one: the write goes to its target.
  fs::create_directories(root() + "/elsewhere");
  const std::string target = root() + "/elsewhere/real.ini";
  std::ofstream(target, std::ios::binary) << "[S]\r\nk=old\r\n";
  ASSERT_EQ(::chmod(target.c_str(), 0604), 0);
  fs::create_symlink("../../elsewhere/real.ini", path("linked.ini"));
  ASSERT_TRUE(WritePrivateProfileString("S", "k", "new", "C:\\cfg\\linked.ini"));
  EXPECT_TRUE(S_ISLNK(modeOf(path("linked.ini"))));
  std::string text;
  ASSERT_TRUE(readWholeFile(target, text));
  EXPECT_EQ(text, "[S]\r\nk=new\r\n");
  EXPECT_EQ(modeOf(target) & 07777, 0604u);
  EXPECT_EQ(read("S", "k", "", "C:\\cfg\\linked.ini"), "new");
  // No temporary file is left beside the link or the target.
  for (const auto& folder : {path(), root() + "/elsewhere"})
    for (const auto& entry : fs::directory_iterator(folder))
      EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
}

}  // namespace
}  // namespace wavorel
