#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/mfc/File.h"
#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/FileSystem.h"

namespace fs = std::filesystem;

namespace wavorel {
namespace {

class CFileTest : public testing::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    fs::create_directories(root() + "/drive_c/Data");
  }
  std::string bytes(const std::string& rel) const {
    std::ifstream in(root() + "/drive_c/" + rel, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
};

TEST_F(CFileTest, OpenFailuresFillTheException) {
  std::ofstream(root() + "/drive_c/Data/ro.bin") << "x";
  SetFileAttributes("C:\\Data\\ro.bin", FILE_ATTRIBUTE_READONLY);
  struct Case {
    const char* path;
    UINT flags;
    int cause;
    LONG osError;
  } cases[] = {
      {"C:\\Data\\none.bin", CFile::modeRead, CFileException::fileNotFound, ERROR_FILE_NOT_FOUND},
      {"C:\\None\\x.bin", CFile::modeCreate | CFile::modeWrite, CFileException::badPath, ERROR_PATH_NOT_FOUND},
      {"C:\\Data\\ro.bin", CFile::modeWrite, CFileException::accessDenied, ERROR_ACCESS_DENIED},
      {"C:\\Data", CFile::modeRead, CFileException::accessDenied, ERROR_ACCESS_DENIED},
      {"C:\\Data\\a|b", CFile::modeRead, CFileException::badPath, ERROR_INVALID_NAME},
  };
  for (const Case& c : cases) {
    CFile f;
    CFileException e;
    EXPECT_FALSE(f.Open(c.path, c.flags, &e)) << c.path;
    EXPECT_EQ(e.m_cause, c.cause) << c.path;
    EXPECT_EQ(e.m_lOsError, c.osError) << c.path;
    EXPECT_STREQ(e.m_strFileName, c.path);
    EXPECT_EQ(f.m_hFile, CFile::hFileNull);
    EXPECT_FALSE(f.Open(c.path, c.flags));  // no exception object: just FALSE
  }
  // The opening constructor throws instead.
  try {
    CFile f("C:\\Data\\none.bin", CFile::modeRead);
    ADD_FAILURE() << "no exception";
  } catch (CFileException* e) {
    EXPECT_EQ(e->m_cause, CFileException::fileNotFound);
    e->Delete();
  }
}

TEST_F(CFileTest, ReadWriteSeekLength) {
  CFile f;
  ASSERT_TRUE(f.Open("C:\\Data\\f.bin", CFile::modeCreate | CFile::modeReadWrite | CFile::typeBinary));
  f.Write("hello world", 11);
  EXPECT_EQ(f.GetPosition(), 11u);
  EXPECT_EQ(f.GetLength(), 11u);
  f.SeekToBegin();
  char buf[8] = {};
  EXPECT_EQ(f.Read(buf, 5), 5u);
  EXPECT_STREQ(buf, "hello");
  EXPECT_EQ(f.Seek(-5, CFile::end), 6u);
  f.SetLength(8);
  EXPECT_EQ(f.SeekToEnd(), 8u);
  EXPECT_EQ(f.Read(buf, 5), 0u);
  f.Flush();
  f.Close();
  EXPECT_EQ(f.m_hFile, CFile::hFileNull);
  EXPECT_EQ(bytes("Data/f.bin"), "hello wo");

  // modeNoTruncate keeps the content; modeCreate alone empties it.
  ASSERT_TRUE(f.Open("C:\\Data\\F.BIN", CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite));
  f.SeekToEnd();
  f.Write("!", 1);
  f.Close();
  EXPECT_EQ(bytes("Data/f.bin"), "hello wo!");
  {
    CFile g("C:\\Data\\f.bin", CFile::modeCreate | CFile::modeWrite);
  }  // closed by the destructor
  EXPECT_EQ(bytes("Data/f.bin"), "");
}

TEST_F(CFileTest, FailingCallsThrow) {
  CFile reader("C:\\Data\\r.bin", CFile::modeCreate | CFile::modeRead | CFile::shareDenyWrite);
  try {
    reader.Write("x", 1);
    ADD_FAILURE() << "no exception";
  } catch (CFileException* e) {
    EXPECT_EQ(e->m_cause, CFileException::accessDenied);
    EXPECT_STREQ(e->m_strFileName, "C:\\Data\\r.bin");
    e->Delete();
  }
  // shareDenyWrite keeps writers out.
  CFile writer;
  CFileException e;
  EXPECT_FALSE(writer.Open("C:\\Data\\r.bin", CFile::modeWrite | CFile::shareDenyNone, &e));
  EXPECT_EQ(e.m_cause, CFileException::sharingViolation);
  try {
    reader.Seek(-1, CFile::begin);
    ADD_FAILURE() << "no exception";
  } catch (CFileException* ex) {
    EXPECT_EQ(ex->m_cause, CFileException::badSeek);
    ex->Delete();
  }
  reader.Close();

  CFile::Rename("C:\\Data\\r.bin", "C:\\Data\\s.bin");
  CFile::Remove("C:\\Data\\s.bin");
  try {
    CFile::Remove("C:\\Data\\s.bin");
    ADD_FAILURE() << "no exception";
  } catch (CFileException* ex) {
    EXPECT_EQ(ex->m_cause, CFileException::fileNotFound);
    EXPECT_EQ(ex->m_lOsError, ERROR_FILE_NOT_FOUND);
    ex->Delete();
  }
}

TEST_F(CFileTest, StatusByName) {
  int64_t start = clock().utcFileTime();
  {
    CFile f("C:\\Data\\st.bin", CFile::modeCreate | CFile::modeWrite);
    clock().advance(3600 * 1000);
    f.Write("abc", 3);
  }
  CFileStatus st;
  ASSERT_TRUE(CFile::GetStatus("c:\\data\\ST.BIN", st));
  EXPECT_EQ(st.m_size, 3u);
  EXPECT_EQ(st.m_ctime.GetTime(), (start - kFileTimeUnixEpoch) / 10000000);
  EXPECT_EQ(st.m_mtime.GetTime(), st.m_ctime.GetTime() + 3600);
  EXPECT_EQ(st.m_attribute, FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_STREQ(st.m_szFullName, "C:\\data\\ST.BIN");
  EXPECT_FALSE(CFile::GetStatus("C:\\Data\\none", st));
}

}  // namespace
}  // namespace wavorel
