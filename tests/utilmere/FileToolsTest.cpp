#include "utilmere/Utilmere.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/utilmere/UtilmereTest.h"

namespace {

class FileToolsTest : public utilmere::testing::UtilmereTest {
 protected:
  std::string linuxC(const std::string& relative) const { return root() + "/drive_c/" + relative; }
};

TEST_F(FileToolsTest, WholeBuffersWrittenAndRead) {
  char data[] = "abcde";
  EXPECT_EQ(WriteDataToFile("C:\\d.bin", data, 3, "wb", -1), 3);
  EXPECT_EQ(WriteDataToFile("C:\\d.bin", data + 3, 2, "ab+", -1), 2);  // appends
  EXPECT_EQ(WriteDataToFile("C:\\d.bin", const_cast<char*>("X"), 1, "rb+", 0), 1);  // overwrites from the start
  EXPECT_EQ(WriteDataToFile("C:\\d.bin", const_cast<char*>("YY"), 2, "r+b", 2), 2);
  EXPECT_EQ(readLinuxFile(linuxC("d.bin")), "XbYYe");

  char buffer[16] = {};
  EXPECT_EQ(ReadDataFromFile("C:\\d.bin", buffer, sizeof(buffer), 3), 2);
  EXPECT_STREQ(buffer, "Ye");
  EXPECT_EQ(ReadDataFromFile("C:\\d.bin", buffer, 2, -1), 2);
  EXPECT_EQ(std::string(buffer, 2), "Xb");

  EXPECT_EQ(WriteDataToFile(nullptr, data, 1, "wb", -1), -1);
  EXPECT_EQ(WriteDataToFile("", data, 1, "wb", -1), -1);
  EXPECT_EQ(WriteDataToFile("C:\\d.bin", data, 1, nullptr, -1), -1);
  EXPECT_EQ(WriteDataToFile("C:\\d.bin", nullptr, 1, "wb", -1), -1);
  EXPECT_EQ(WriteDataToFile("C:\\missing\\d.bin", data, 1, "wb", -1), -1);
  EXPECT_EQ(ReadDataFromFile("C:\\none.bin", buffer, 4, -1), -1);
  EXPECT_EQ(ReadDataFromFile(nullptr, buffer, 4, -1), -1);
  EXPECT_EQ(ReadDataFromFile("C:\\d.bin", nullptr, 4, -1), -1);
  EXPECT_EQ(readLinuxFile(linuxC("d.bin")), "XbYYe");
}

TEST_F(FileToolsTest, DatedAndTemporaryNames) {
  setNow(2008, 3, 14, 9, 5, 1);
  EXPECT_STREQ(GenerateDateFileName("C:\\Logs\\", "Log-x", "txt"), "C:\\Logs\\Log-x-200803.txt");
  EXPECT_STREQ(GenerateDateFileName(nullptr, nullptr, nullptr), "-200803.");
  EXPECT_STREQ(GetTempPathFileName("a.tmp"), "C:\\Windows\\Temp\\a.tmp");
  EXPECT_STREQ(GetTempPathFileName(nullptr), "C:\\Windows\\Temp\\");
}

TEST_F(FileToolsTest, FolderChainsMade) {
  int created = -1;
  EXPECT_EQ(MakeSureDirectory("C:\\a\\b\\c", &created), 1);
  EXPECT_EQ(created, 2);
  EXPECT_TRUE(std::filesystem::is_directory(linuxC("a/b/c")));
  EXPECT_EQ(MakeSureDirectory("C:\\a\\b\\c\\", &created), 1);
  EXPECT_EQ(created, 1);  // every folder already existed
  EXPECT_EQ(MakeSureDirectory("C:\\a\\x\\", nullptr), 1);
  EXPECT_TRUE(std::filesystem::is_directory(linuxC("a/x")));

  writeLinuxFile(linuxC("file"), "f");
  const std::string longComponent = "C:\\" + std::string(256, 'n');
  const char* failures[] = {"C:\\file\\below", longComponent.c_str(), "", nullptr};
  for (const char* path : failures) {
    created = -1;
    EXPECT_EQ(MakeSureDirectory(path, &created), 0) << (path ? path : "null");
    EXPECT_EQ(created, 0);
  }
  EXPECT_EQ(MakeSureDirectory(("C:\\" + std::string(255, 'n')).c_str(), &created), 1);
}

TEST_F(FileToolsTest, ExistenceAndAttributes) {
  setNow(2008, 3, 14, 9, 5, 1);
  const __int64 made = gxGetCurrentTime();
  EXPECT_EQ(WriteDataToFile("C:\\five.txt", const_cast<char*>("12345"), 5, "wb", -1), 5);
  clock().advance(3600 * 1000);
  EXPECT_EQ(WriteDataToFile("C:\\five.txt", const_cast<char*>("12345"), 5, "r+b", 0), 5);
  DWORD created = 0;
  EXPECT_EQ(gxGetFileAttr("C:\\five.txt", &created), 5);
  EXPECT_EQ(created, static_cast<DWORD>(made));
  EXPECT_EQ(gxGetFileAttr("C:\\five.txt", nullptr), 5);
  EXPECT_EQ(gxGetFileAttr("C:\\Windows", &created), 0);
  EXPECT_EQ(gxGetFileAttr("C:\\none.txt", &created), 0);
  EXPECT_EQ(gxGetFileAttr(nullptr, &created), 0);

  // A size the result cannot hold shows as the largest int, never negative.
  writeLinuxFile(linuxC("big.bin"), "");
  std::filesystem::resize_file(linuxC("big.bin"), 3ull << 30);
  EXPECT_EQ(gxGetFileAttr("C:\\big.bin", nullptr), 0x7FFFFFFF);

  EXPECT_EQ(IsFileExist("C:\\five.txt"), 1);
  EXPECT_EQ(IsFileExist("C:\\Windows"), 1);
  EXPECT_EQ(IsFileExist("C:\\none.txt"), 0);
  EXPECT_EQ(IsFileExist(""), 0);
  EXPECT_EQ(IsFileExist(nullptr), 0);
}

TEST_F(FileToolsTest, SeparatorAppended) {
  const std::string long300(300, 'p');
  const struct {
    const char* path;
    char separator;
    std::string expected;
  } cases[] = {
      {"C:\\a", '\\', "C:\\a\\"},
      {"C:\\a\\", '\\', "C:\\a\\"},
      {"a/b", '/', "a/b/"},
      {"", '\\', ""},
      {nullptr, '\\', ""},
      {"C:\\\x83\x5C", '\\', "C:\\\x83\x5C\\"},  // the second byte of a double-byte character
      {long300.c_str(), '\\', std::string(259, 'p') + "\\"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(std::string(StandardizationPathBuffer(c.path, c.separator)), c.expected);
  }

  char buffer[8] = "C:\\ab";
  StandardizationPathBuffer(buffer, sizeof(buffer), '\\', 0);
  EXPECT_STREQ(buffer, "C:\\ab\\");
  char full[8] = "C:\\abcd";  // no room left for the separator
  StandardizationPathBuffer(full, sizeof(full), '\\', 0);
  EXPECT_STREQ(full, "C:\\abcd");
  char dirty[16] = "C:\\a?b|c";
  StandardizationPathBuffer(dirty, sizeof(dirty), '\\', 1);
  EXPECT_STREQ(dirty, "C:\\a_b_c\\");
  char unterminated[4] = {'a', 'b', 'c', 'd'};
  StandardizationPathBuffer(unterminated, sizeof(unterminated), '\\', 0);
  EXPECT_STREQ(unterminated, "abc");
  StandardizationPathBuffer(nullptr, 10, '\\', 1);
}

TEST_F(FileToolsTest, FileNamesCleaned) {
  const struct {
    const char* path;
    int flatten;
    char filler;
    const char* expected;
  } cases[] = {
      {"C:\\dir\\fi?le.txt", 0, '_', "C:\\dir\\fi_le.txt"},
      {"C:\\dir\\a<b>|c\"d*e:f", 0, '_', "C:\\dir\\a_b__c_d_e_f"},
      {"\\a:b\\", 0, '_', "\\a_b\\"},
      {"C:\\dir\\file", 1, '_', "C__dir_file"},
      {"a/b\\c?", 1, '-', "a-b-c-"},
      {"x?y", 0, '\0', "x_y"},
      {"\x83|\x83\\", 1, '_', "\x83|\x83\\"},  // second bytes of double-byte characters
      {"", 0, '_', ""},
      {nullptr, 0, '_', ""},
  };
  for (const auto& c : cases) {
    EXPECT_STREQ(StandardizationFileForPathName(c.path, c.flatten, c.filler), c.expected)
        << (c.path ? c.path : "null");
  }
}

TEST_F(FileToolsTest, PathsSplitAtTheirLastSeparator) {
  const struct {
    const char* path;
    const char* file;
    const char* folder;
  } cases[] = {
      {"C:\\a\\b.txt", "b.txt", "C:\\a\\"},
      {"C:\\\\a\\\\b.txt", "b.txt", "C:\\\\a\\\\"},  // doubled backslashes stay as given
      {"C:/a\\b/c.txt", "c.txt", "C:/a\\b/"},
      {"name.txt", "name.txt", ""},
      {"C:\\a\\", "", "C:\\a\\"},
      {"C:\\Windows", "", "C:\\Windows\\"},  // an existing folder
      {"C:\\Windows\\", "", "C:\\Windows\\"},
      {"C:\\x\\\x83\x5Cy", "\x83\x5Cy", "C:\\x\\"},
      {"", "", ""},
      {nullptr, "", ""},
  };
  for (const auto& c : cases) {
    char file[MAX_PATH];
    char folder[MAX_PATH];
    EXPECT_EQ(PartFileAndPathByFullPath(c.path, file, sizeof(file), folder, sizeof(folder)), 1);
    EXPECT_STREQ(file, c.file) << (c.path ? c.path : "null");
    EXPECT_STREQ(folder, c.folder) << (c.path ? c.path : "null");
  }
  char file[6];
  char folder[6];
  EXPECT_EQ(PartFileAndPathByFullPath("C:\\a\\b.txt", file, sizeof(file), folder, 5), 0);
  EXPECT_STREQ(file, "b.txt");
  EXPECT_STREQ(folder, "");
  EXPECT_EQ(PartFileAndPathByFullPath("C:\\a\\bb.txt", file, sizeof(file), folder, sizeof(folder)), 0);
  EXPECT_STREQ(file, "");
  EXPECT_STREQ(folder, "C:\\a\\");
  char wide[MAX_PATH];
  EXPECT_EQ(PartFileAndPathByFullPath("C:\\a\\b.txt", nullptr, 0, wide, sizeof(wide)), 1);
  EXPECT_STREQ(wide, "C:\\a\\");
}

TEST_F(FileToolsTest, PathsSplitIntoFolderNameAndExtension) {
  const struct {
    const char* path;
    const char* folder;
    const char* name;
    const char* extension;
  } cases[] = {
      {"C:\\a.b\\name.tar.gz", "C:\\a.b\\", "name.tar", "gz"},
      {"C:\\a.b\\noext", "C:\\a.b\\", "noext", ""},
      {"file.txt", "", "file", "txt"},
      {"C:/x\\y/z.c", "C:/x\\y/", "z", "c"},
      {"C:\\dir\\", "C:\\dir\\", "", ""},
  };
  for (const auto& c : cases) {
    CString folder, name, extension;
    EXPECT_EQ(PartPathAndFileAndExtensionName(c.path, &folder, &name, &extension), 1);
    EXPECT_STREQ(folder, c.folder) << c.path;
    EXPECT_STREQ(name, c.name) << c.path;
    EXPECT_STREQ(extension, c.extension) << c.path;
  }
  CString folder = "old";
  EXPECT_EQ(PartPathAndFileAndExtensionName(nullptr, &folder, nullptr, nullptr), 0);
  EXPECT_STREQ(folder, "");
}

}  // namespace
