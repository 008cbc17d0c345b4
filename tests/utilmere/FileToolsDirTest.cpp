#include "utilmere/Utilmere.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <type_traits>
#include <vector>

#include "tests/utilmere/UtilmereTest.h"

namespace {

// The walkers own their lists: a copy would free them twice.
static_assert(!std::is_copy_constructible_v<CGxDir> && !std::is_copy_assignable_v<CGxDir>);
static_assert(!std::is_copy_constructible_v<CGxDirEx> && !std::is_copy_assignable_v<CGxDirEx>);

std::vector<std::string> items(const CStringArray& list) {
  std::vector<std::string> out;
  for (INT_PTR i = 0; i < list.GetSize(); ++i) out.emplace_back(list[i]);
  return out;
}

using Names = std::vector<std::string>;

class FileToolsDirTest : public utilmere::testing::UtilmereTest {
 protected:
  void file(const std::string& relative, size_t size) {
    writeLinuxFile(root() + "/drive_c/w/" + relative, std::string(size, 'z'));
  }
  // C:\w\a with files, subfolders p and q (q\r below it) and entries whose
  // names begin with a point.
  void makeTree() {
    file("a/1.txt", 10);
    file("a/2.log", 20);
    file("a/p/3.txt", 30);
    file("a/q/4.txt", 40);
    file("a/q/r/5.txt", 50);
    file("a/.hidden/6.txt", 60);
    file("a/.dot.txt", 70);
    file("b/7.txt", 5);
    file("b/9.bin", 100);
  }
};

TEST_F(FileToolsDirTest, OneLevelListsSubfoldersButNotTheirFiles) {
  makeTree();
  CGxDir dir("C:\\w\\a", 0, 0);
  EXPECT_EQ(items(dir.GetFileList()), (Names{"a\\1.txt", "a\\2.log"}));
  EXPECT_EQ(items(dir.GetDirList()), (Names{"C:\\w\\a\\p\\", "C:\\w\\a\\q\\"}));
  EXPECT_EQ(dir.GetAmountBytes(), 30u);
}

TEST_F(FileToolsDirTest, RecursiveWalkIsDepthFirstLastFoundFirst) {
  makeTree();
  CGxDir dir("C:\\w\\a\\", 1, 0);
  EXPECT_EQ(items(dir.GetFileList()),
            (Names{"a\\1.txt", "a\\2.log", "a\\q\\4.txt", "a\\q\\r\\5.txt", "a\\p\\3.txt"}));
  EXPECT_EQ(items(dir.GetDirList()),
            (Names{"C:\\w\\a\\p\\", "C:\\w\\a\\q\\", "C:\\w\\a\\q\\r\\"}));
  EXPECT_EQ(dir.GetAmountBytes(), 150u);
}

TEST_F(FileToolsDirTest, PatternMatchesFilesButEveryFolderIsEntered) {
  makeTree();
  CGxDir dir("C:\\w\\a\\*.txt", 1, 1);
  EXPECT_EQ(items(dir.GetFileList()),
            (Names{"C:\\w\\a\\1.txt", "C:\\w\\a\\q\\4.txt", "C:\\w\\a\\q\\r\\5.txt", "C:\\w\\a\\p\\3.txt"}));
  EXPECT_EQ(dir.GetAmountBytes(), 130u);

  CGxDir missing("C:\\w\\none\\*.txt", 1, 0);
  EXPECT_EQ(missing.GetFileList().GetSize(), 0);
  EXPECT_EQ(missing.GetDirList().GetSize(), 0);
  EXPECT_EQ(missing.GetAmountBytes(), 0u);
}

TEST_F(FileToolsDirTest, DriveRootNamesStartAtTheRoot) {
  writeLinuxFile(root() + "/drive_c/top.txt", "t");
  CGxDir dir("C:\\", 0, 0);
  const Names files = items(dir.GetFileList());
  EXPECT_NE(std::find(files.begin(), files.end(), "top.txt"), files.end());
  const Names folders = items(dir.GetDirList());
  EXPECT_NE(std::find(folders.begin(), folders.end(), "C:\\Windows\\"), folders.end());
}

TEST_F(FileToolsDirTest, SeveralFoldersPatternsAndExclusions) {
  makeTree();
  CGxDirEx dir("C:\\w\\a;C:\\w\\b", "*.txt;*.log", "2*.*;9*.*", 0, 1);
  EXPECT_EQ(items(dir.GetFileList()), (Names{"C:\\w\\a\\1.txt", "C:\\w\\b\\7.txt"}));
  // Once per pattern.
  EXPECT_EQ(items(dir.GetDirList()),
            (Names{"C:\\w\\a\\p\\", "C:\\w\\a\\q\\", "C:\\w\\a\\p\\", "C:\\w\\a\\q\\"}));
  // Only listed files count: 9.bin, excluded but never listed, takes nothing off.
  EXPECT_EQ(dir.GetAmountBytes(), 15u);

  // An exclusion removes the first identical entry only.
  CGxDirEx twice("C:\\w\\a\\", "*.txt;1*.*", "1.txt", 0, 0);
  EXPECT_EQ(items(twice.GetFileList()), (Names{"a\\1.txt"}));
  EXPECT_EQ(twice.GetAmountBytes(), 10u);

  CGxDirEx none(nullptr, "*.*", nullptr, 1, 0);
  EXPECT_EQ(none.GetFileList().GetSize(), 0);
  EXPECT_EQ(none.GetAmountBytes(), 0u);
}

}  // namespace
