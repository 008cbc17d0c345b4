#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <set>
#include <string>
#include <vector>

#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/CloseHandle.h"
#include "platform/win/kernel/CrtFiles.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/FileSystem.h"
#include "platform/win/kernel/Files.h"
#include "platform/win/kernel/FindFile.h"
#include "platform/win/kernel/Folders.h"
#include "platform/win/kernel/Root.h"

namespace fs = std::filesystem;

namespace wavorel {
namespace {

class Files : public testing::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    fs::create_directories(root() + "/drive_c/Data");
  }
  std::string onDisk(const std::string& rel) const { return root() + "/drive_c/" + rel; }
  std::string bytes(const std::string& rel) const {
    std::ifstream in(onDisk(rel), std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  void put(const std::string& rel, const std::string& data) const {
    std::ofstream(onDisk(rel), std::ios::binary) << data;
  }
  static HANDLE open(const char* path, DWORD access, DWORD disposition, DWORD share = 0) {
    return CreateFile(path, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  }
};

TEST_F(Files, CreationDispositions) {
  struct Case {
    DWORD disposition;
    bool exists;
    bool opens;
    DWORD error;
    const char* contentAfter;  // for an existing file holding "old"
  } cases[] = {
      {CREATE_NEW, false, true, 0, ""},
      {CREATE_NEW, true, false, ERROR_FILE_EXISTS, "old"},
      {CREATE_ALWAYS, false, true, 0, ""},
      {CREATE_ALWAYS, true, true, ERROR_ALREADY_EXISTS, ""},
      {OPEN_EXISTING, false, false, ERROR_FILE_NOT_FOUND, nullptr},
      {OPEN_EXISTING, true, true, 0, "old"},
      {OPEN_ALWAYS, false, true, 0, ""},
      {OPEN_ALWAYS, true, true, ERROR_ALREADY_EXISTS, "old"},
      {TRUNCATE_EXISTING, false, false, ERROR_FILE_NOT_FOUND, nullptr},
      {TRUNCATE_EXISTING, true, true, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "disposition " << c.disposition << " exists " << c.exists);
    fs::remove(onDisk("Data/f.txt"));
    fs::remove(onDisk("Data/F.TXT"));
    if (c.exists) put("Data/f.txt", "old");
    SetLastError(12345);
    HANDLE h = open("C:\\Data\\F.TXT", GENERIC_READ | GENERIC_WRITE, c.disposition);
    EXPECT_EQ(h != INVALID_HANDLE_VALUE, c.opens);
    EXPECT_EQ(GetLastError(), c.error);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    if (c.contentAfter) {
      EXPECT_EQ(bytes(c.exists ? "Data/f.txt" : "Data/F.TXT"), c.contentAfter);
    } else {
      EXPECT_FALSE(fs::exists(onDisk("Data/f.txt")) || fs::exists(onDisk("Data/F.TXT")));
    }
  }
  // A new file takes the case it was given.
  HANDLE h = open("c:\\data\\NewName.Txt", GENERIC_WRITE, CREATE_NEW);
  CloseHandle(h);
  EXPECT_TRUE(fs::exists(onDisk("Data/NewName.Txt")));
}

TEST_F(Files, OpenFailures) {
  put("Data/ro.txt", "x");
  ASSERT_TRUE(SetFileAttributes("C:\\Data\\ro.txt", FILE_ATTRIBUTE_READONLY));
  struct Case {
    const char* path;
    DWORD access;
    DWORD disposition;
    DWORD error;
  } cases[] = {
      {"C:\\Nowhere\\f.txt", GENERIC_READ, OPEN_EXISTING, ERROR_PATH_NOT_FOUND},
      {"C:\\Nowhere\\f.txt", GENERIC_WRITE, CREATE_ALWAYS, ERROR_PATH_NOT_FOUND},
      {"C:\\Data", GENERIC_READ, OPEN_EXISTING, ERROR_ACCESS_DENIED},
      {"C:\\Data\\ro.txt", GENERIC_WRITE, OPEN_EXISTING, ERROR_ACCESS_DENIED},
      {"C:\\Data\\ro.txt", GENERIC_READ, CREATE_ALWAYS, ERROR_ACCESS_DENIED},
      {"C:\\Data\\a*.txt", GENERIC_READ, OPEN_EXISTING, ERROR_INVALID_NAME},
      {"C:\\Data\\x.txt", GENERIC_READ, TRUNCATE_EXISTING, ERROR_INVALID_PARAMETER},
      {"C:\\Data\\x.txt", GENERIC_READ, 0, ERROR_INVALID_PARAMETER},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(open(c.path, c.access, c.disposition), INVALID_HANDLE_VALUE) << c.path;
    EXPECT_EQ(GetLastError(), c.error) << c.path;
  }
  EXPECT_EQ(bytes("Data/ro.txt"), "x");
  HANDLE h = open("C:\\Data\\ro.txt", GENERIC_READ, OPEN_EXISTING);
  EXPECT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
}

TEST_F(Files, ShareModesBetweenHandles) {
  put("Data/s.txt", "abc");
  HANDLE reader = open("C:\\Data\\s.txt", GENERIC_READ, OPEN_EXISTING, FILE_SHARE_READ);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_EQ(open("C:\\Data\\s.txt", GENERIC_WRITE, OPEN_EXISTING, FILE_SHARE_READ | FILE_SHARE_WRITE),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  // Reading alongside needs to share the first handle's reading.
  EXPECT_EQ(open("C:\\Data\\s.txt", GENERIC_READ, OPEN_EXISTING, 0), INVALID_HANDLE_VALUE);
  HANDLE second = open("C:\\Data\\s.txt", GENERIC_READ, OPEN_EXISTING, FILE_SHARE_READ);
  EXPECT_NE(second, INVALID_HANDLE_VALUE);
  // No handle shares deleting: the file stays.
  EXPECT_FALSE(DeleteFile("C:\\Data\\s.txt"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  EXPECT_FALSE(MoveFile("C:\\Data\\s.txt", "C:\\Data\\t.txt"));
  CloseHandle(second);
  CloseHandle(reader);
  EXPECT_TRUE(DeleteFile("C:\\Data\\s.txt"));
}

TEST_F(Files, ReadWriteSeekAndSize) {
  HANDLE h = open("C:\\Data\\rw.bin", GENERIC_READ | GENERIC_WRITE, CREATE_NEW);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD n = 0;
  ASSERT_TRUE(WriteFile(h, "0123456789", 10, &n, nullptr));
  EXPECT_EQ(n, 10u);
  EXPECT_EQ(SetFilePointer(h, -4, nullptr, FILE_CURRENT), 6u);
  char buf[16] = {};
  ASSERT_TRUE(ReadFile(h, buf, sizeof buf, &n, nullptr));
  EXPECT_EQ(n, 4u);
  EXPECT_STREQ(buf, "6789");
  ASSERT_TRUE(ReadFile(h, buf, sizeof buf, &n, nullptr));  // end of file: success, nothing read
  EXPECT_EQ(n, 0u);

  EXPECT_EQ(SetFilePointer(h, -1, nullptr, FILE_BEGIN), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NEGATIVE_SEEK));
  LONG high = 0;
  EXPECT_EQ(SetFilePointer(h, 2, &high, FILE_BEGIN), 2u);
  EXPECT_EQ(high, 0);
  ASSERT_TRUE(SetEndOfFile(h));
  DWORD sizeHigh = 7;
  EXPECT_EQ(GetFileSize(h, &sizeHigh), 2u);
  EXPECT_EQ(sizeHigh, 0u);
  LARGE_INTEGER pos, to;
  to.QuadPart = 0;
  ASSERT_TRUE(SetFilePointerEx(h, to, &pos, FILE_END));
  EXPECT_EQ(pos.QuadPart, 2);
  // Synchronous I/O at an OVERLAPPED position.
  OVERLAPPED ov = {};
  ov.Offset = 1;
  ASSERT_TRUE(WriteFile(h, "Z", 1, &n, &ov));
  ASSERT_TRUE(FlushFileBuffers(h));
  EXPECT_TRUE(CloseHandle(h));
  EXPECT_EQ(bytes("Data/rw.bin"), "0Z");

  h = open("C:\\Data\\rw.bin", GENERIC_READ, OPEN_EXISTING, FILE_SHARE_READ);
  EXPECT_FALSE(WriteFile(h, "x", 1, &n, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  CloseHandle(h);
  EXPECT_FALSE(ReadFile(h, buf, 1, &n, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(Files, TimesFollowThePlatformClock) {
  int64_t start = clock().utcFileTime();
  HANDLE h = open("C:\\Data\\t.txt", GENERIC_READ | GENERIC_WRITE, CREATE_NEW);
  clock().advance(60 * 60 * 1000);  // one hour
  DWORD n;
  WriteFile(h, "x", 1, &n, nullptr);
  FILETIME created, accessed, written;
  ASSERT_TRUE(GetFileTime(h, &created, &accessed, &written));
  EXPECT_EQ(fileTimeToInt(created), start);
  EXPECT_EQ(fileTimeToInt(written), start + 36000000000LL);

  // SetFileTime: a zero time leaves that time alone.
  FILETIME zero = {0, 0};
  FILETIME old = intToFileTime(start - 10000000LL * 86400);
  ASSERT_TRUE(SetFileTime(h, &zero, nullptr, &old));
  CloseHandle(h);

  WIN32_FILE_ATTRIBUTE_DATA data;
  ASSERT_TRUE(GetFileAttributesEx("C:\\Data\\t.txt", GetFileExInfoStandard, &data));
  EXPECT_EQ(fileTimeToInt(data.ftCreationTime), start);
  EXPECT_EQ(fileTimeToInt(data.ftLastWriteTime), start - 10000000LL * 86400);
  EXPECT_EQ(data.nFileSizeLow, 1u);
  EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_ARCHIVE);  // as Windows gives a new file
}

TEST_F(Files, FindFilesByPattern) {
  put("Data/A.INI", "1234");
  put("Data/b.ini", "");
  put("Data/c.ini.bak", "");
  put("Data/README", "");
  fs::create_directories(onDisk("Data/Sub"));
  auto list = [](const char* pattern) {
    std::string names;
    WIN32_FIND_DATA fd;
    HANDLE h = FindFirstFile(pattern, &fd);
    if (h == INVALID_HANDLE_VALUE) return std::string("error ") + std::to_string(GetLastError());
    do {
      names += std::string(names.empty() ? "" : " ") + fd.cFileName;
    } while (FindNextFile(h, &fd));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    EXPECT_TRUE(FindClose(h));
    return names;
  };
  EXPECT_EQ(list("C:\\Data\\*.ini"), "A.INI b.ini");
  EXPECT_EQ(list("c:/data/*.*"), ". .. A.INI b.ini c.ini.bak README Sub");
  EXPECT_EQ(list("C:\\Data\\*"), ". .. A.INI b.ini c.ini.bak README Sub");
  EXPECT_EQ(list("C:\\Data\\?.ini"), "A.INI b.ini");
  EXPECT_EQ(list("C:\\Data\\readme.*"), "README");
  EXPECT_EQ(list("C:\\Data\\a.ini"), "A.INI");
  EXPECT_EQ(list("C:\\Data\\*.exe"), "error 2");
  EXPECT_EQ(list("C:\\None\\*.*"), "error 3");
  EXPECT_EQ(list("C:\\*.*").find(". "), std::string::npos);  // a drive root has no "." and ".."

  WIN32_FIND_DATA fd;
  HANDLE h = FindFirstFile("C:\\Data\\a*", &fd);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(fd.nFileSizeLow, 4u);
  EXPECT_EQ(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
  FindClose(h);
  h = FindFirstFile("C:\\Data\\sub", &fd);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_STREQ(fd.cFileName, "Sub");
  EXPECT_EQ(fd.dwFileAttributes, FILE_ATTRIBUTE_DIRECTORY);
  FindClose(h);
  EXPECT_FALSE(FindClose(h));
}

TEST_F(Files, CopyMoveDelete) {
  put("Data/src.txt", "data");
  put("Data/dst.txt", "old");
  EXPECT_FALSE(CopyFile("C:\\Data\\src.txt", "C:\\Data\\DST.txt", TRUE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
  EXPECT_EQ(bytes("Data/dst.txt"), "old");
  EXPECT_TRUE(CopyFile("C:\\Data\\src.txt", "C:\\Data\\DST.txt", FALSE));
  EXPECT_EQ(bytes("Data/dst.txt"), "data");
  EXPECT_TRUE(CopyFile("C:\\Data\\src.txt", "C:\\Data\\new.txt", TRUE));
  EXPECT_EQ(bytes("Data/new.txt"), "data");
  EXPECT_FALSE(CopyFile("C:\\Data\\none.txt", "C:\\Data\\x.txt", FALSE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

  EXPECT_FALSE(MoveFile("C:\\Data\\src.txt", "C:\\Data\\new.txt"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_TRUE(MoveFileEx("C:\\Data\\src.txt", "C:\\Data\\new.txt", MOVEFILE_REPLACE_EXISTING));
  EXPECT_FALSE(fs::exists(onDisk("Data/src.txt")));
  EXPECT_TRUE(MoveFile("C:\\Data\\new.txt", "C:\\Data\\NEW.TXT"));  // a change of case only
  EXPECT_EQ(bytes("Data/NEW.TXT"), "data");

  ASSERT_TRUE(SetFileAttributes("C:\\Data\\new.txt", FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(GetFileAttributes("C:\\Data\\new.txt"), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(DeleteFile("C:\\Data\\new.txt"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  ASSERT_TRUE(SetFileAttributes("C:\\Data\\new.txt", FILE_ATTRIBUTE_NORMAL));
  EXPECT_TRUE(DeleteFile("C:\\Data\\new.txt"));
  EXPECT_FALSE(DeleteFile("C:\\Data\\new.txt"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(DeleteFile("C:\\Data"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

TEST_F(Files, Directories) {
  EXPECT_TRUE(CreateDirectory("C:\\Data\\Logs", nullptr));
  EXPECT_FALSE(CreateDirectory("c:\\data\\logs", nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_FALSE(CreateDirectory("C:\\Data\\A\\B", nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(GetFileAttributes("C:\\Data\\Logs"), FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(GetFileAttributes("C:\\Data\\none"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(GetFileAttributes("C:\\None\\none"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

  put("Data/Logs/x.txt", "");
  EXPECT_FALSE(RemoveDirectory("C:\\Data\\Logs"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIR_NOT_EMPTY));
  EXPECT_FALSE(RemoveDirectory("C:\\Data\\Logs\\x.txt"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY));
  EXPECT_TRUE(DeleteFile("C:\\Data\\Logs\\x.txt"));
  EXPECT_TRUE(RemoveDirectory("C:\\Data\\LOGS"));
  EXPECT_FALSE(fs::exists(onDisk("Data/Logs")));
  EXPECT_FALSE(RemoveDirectory("C:\\"));
}

TEST_F(Files, SystemAndTemporaryFolders) {
  char buf[MAX_PATH];
  EXPECT_EQ(GetSystemDirectory(buf, MAX_PATH), 19u);
  EXPECT_STREQ(buf, "C:\\Windows\\system32");
  EXPECT_EQ(GetWindowsDirectory(buf, 5), 11u);  // too small: the size needed
  GetWindowsDirectory(buf, MAX_PATH);
  EXPECT_STREQ(buf, "C:\\Windows");
  ASSERT_EQ(GetTempPath(MAX_PATH, buf), 16u);
  EXPECT_STREQ(buf, "C:\\Windows\\Temp\\");
  EXPECT_EQ(GetFileAttributes(buf), FILE_ATTRIBUTE_DIRECTORY);

  char name[MAX_PATH];
  UINT first = GetTempFileName(buf, "wavx", 0, name);
  ASSERT_NE(first, 0u);
  char want[MAX_PATH];
  snprintf(want, sizeof want, "C:\\Windows\\Temp\\wav%X.TMP", first);
  EXPECT_STREQ(name, want);
  EXPECT_NE(GetFileAttributes(name), INVALID_FILE_ATTRIBUTES);  // made
  char second[MAX_PATH];
  EXPECT_NE(GetTempFileName(buf, "wav", 0, second), first);
  EXPECT_EQ(GetTempFileName("C:\\Data", "ab", 0x1A2B, name), 0x1A2Bu);
  EXPECT_STREQ(name, "C:\\Data\\ab1A2B.TMP");
  EXPECT_EQ(GetFileAttributes(name), INVALID_FILE_ATTRIBUTES);  // only named
  EXPECT_EQ(GetTempFileName("C:\\None", "ab", 0, name), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY));
}

TEST_F(Files, CrtTextModeWritesCrLf) {
  FILE* f = fopen("C:\\Sorvik_test.txt", "a+");
  ASSERT_NE(f, nullptr);
  fputs("Start to coinitializeEx\n", f);
  fprintf(f, "End %d\n", 1);
  fclose(f);
  f = fopen("C:\\Sorvik_test.txt", "a");
  fputs("more\n", f);
  fclose(f);
  EXPECT_EQ(bytes("Sorvik_test.txt"), "Start to coinitializeEx\r\nEnd 1\r\nmore\r\n");

  f = fopen("c:\\sorvik_test.TXT", "r");
  ASSERT_NE(f, nullptr);
  char line[64];
  ASSERT_NE(fgets(line, sizeof line, f), nullptr);
  EXPECT_STREQ(line, "Start to coinitializeEx\n");
  EXPECT_EQ(ftell(f), 25);  // bytes on disk
  fclose(f);

  // Binary mode keeps the bytes; a lone CR and a CR at the end stay in text mode.
  f = fopen("C:\\Data\\b.txt", "wb");
  fputs("a\nb\rc\r", f);
  fclose(f);
  EXPECT_EQ(bytes("Data/b.txt"), "a\nb\rc\r");
  f = fopen("C:\\Data\\b.txt", "rt");
  char all[16] = {};
  EXPECT_EQ(fread(all, 1, sizeof all, f), 6u);
  EXPECT_STREQ(all, "a\nb\rc\r");
  fclose(f);
}

TEST_F(Files, CrtModesAndErrors) {
  put("Data/m.bin", "0123456789");
  FILE* f = fopen("C:\\Data\\m.bin", "rb+");
  ASSERT_NE(f, nullptr);
  fseek(f, 4, SEEK_SET);
  fwrite("XY", 1, 2, f);
  fclose(f);
  EXPECT_EQ(bytes("Data/m.bin"), "0123XY6789");
  f = fopen("C:\\Data\\m.bin", "ab+");  // appends wherever the pointer is
  fseek(f, 0, SEEK_SET);
  fwrite("Z", 1, 1, f);
  fclose(f);
  EXPECT_EQ(bytes("Data/m.bin"), "0123XY6789Z");
  f = fopen("C:\\Data\\m.bin", "w");
  fclose(f);
  EXPECT_EQ(bytes("Data/m.bin"), "");

  struct Case {
    const char* path;
    const char* mode;
    int err;
  } cases[] = {
      {"C:\\Data\\none.txt", "r", ENOENT},
      {"C:\\None\\x.txt", "w", ENOENT},
      {"C:\\Data", "r", EACCES},
      {"C:\\Data\\x.txt", "q", EINVAL},
      {"C:\\Data\\x?.txt", "w", EINVAL},
  };
  for (const Case& c : cases) {
    errno = 0;
    EXPECT_EQ(fopen(c.path, c.mode), nullptr) << c.path;
    EXPECT_EQ(errno, c.err) << c.path;
  }
  // An open stream does not share deleting.
  f = fopen("C:\\Data\\m.bin", "r");
  EXPECT_FALSE(DeleteFile("C:\\Data\\m.bin"));
  fclose(f);
  EXPECT_TRUE(DeleteFile("C:\\Data\\m.bin"));
}

// Appending writers never overwrite each other: two processes, each opening,
// appending one line and closing as a log writer does, keep every line whole.
TEST_F(Files, AppendingProcessesKeepEveryLineWhole) {
  constexpr int kEach = 300;
  const std::string padding(100, '-');
  std::vector<pid_t> writers;
  for (char who : {'a', 'b'}) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      int failures = 0;
      for (int i = 0; i < kEach; ++i) {
        // Text and binary streams, and an append-only handle.
        const std::string line = std::string(1, who) + std::to_string(i) + padding + "\n";
        if (i % 3 == 2) {
          HANDLE h = CreateFile("C:\\Data\\log.txt", FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
          DWORD written = 0;
          SetFilePointer(h, 0, nullptr, FILE_BEGIN);  // an append-only handle writes at the end all the same
          if (h == INVALID_HANDLE_VALUE || !WriteFile(h, line.data(), static_cast<DWORD>(line.size()), &written, nullptr))
            ++failures;
          CloseHandle(h);
          continue;
        }
        FILE* f = fopen("C:\\Data\\log.txt", i % 3 == 0 ? "ab+" : "a");
        if (!f) {
          ++failures;
          continue;
        }
        if (fwrite(line.data(), 1, line.size(), f) != line.size()) ++failures;
        fclose(f);
      }
      _exit(failures == 0 ? 0 : 1);
    }
    writers.push_back(child);
  }
  for (pid_t child : writers) {
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
  }
  std::istringstream in(bytes("Data/log.txt"));
  std::set<std::string> seen;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t dash = line.find('-');
    ASSERT_NE(dash, std::string::npos) << line;
    EXPECT_EQ(line.substr(dash), padding) << line;
    EXPECT_TRUE(seen.insert(line.substr(0, dash)).second) << line;
  }
  EXPECT_EQ(seen.size(), 2u * kEach);
}

// The platform's files are the user's private data.
TEST_F(Files, CreatedFilesAndFoldersAreTheOwnersAlone) {
  auto modeOf = [](const std::string& p) {
    struct stat st {};
    EXPECT_EQ(::stat(p.c_str(), &st), 0) << p;
    return st.st_mode & 07777;
  };
  EXPECT_EQ(modeOf(root()), 0700u);
  HANDLE h = open("C:\\Data\\made.bin", GENERIC_WRITE, CREATE_NEW);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  EXPECT_EQ(modeOf(onDisk("Data/made.bin")), 0600u);
  FILE* f = fopen("C:\\Data\\made.txt", "w");
  ASSERT_NE(f, nullptr);
  fclose(f);
  EXPECT_EQ(modeOf(onDisk("Data/made.txt")), 0600u);
  ASSERT_TRUE(CreateDirectory("C:\\Data\\Folder", nullptr));
  EXPECT_EQ(modeOf(onDisk("Data/Folder")), 0700u);
  EXPECT_EQ(_mkdir("C:\\Data\\Other"), 0);
  EXPECT_EQ(modeOf(onDisk("Data/Other")), 0700u);

  // A new platform root is made 0700, its missing parents too.
  const std::string fresh = root() + "/fresh/root";
  setPlatformRoot(fresh);
  EXPECT_EQ(modeOf(fresh), 0700u);
  EXPECT_EQ(modeOf(root() + "/fresh"), 0700u);
  setPlatformRoot(root());
}

TEST_F(Files, CrtStatAccessMkdir) {
  int64_t start = clock().utcFileTime();
  EXPECT_EQ(_mkdir("C:\\Data\\New"), 0);
  EXPECT_EQ(_mkdir("C:\\Data\\new"), -1);
  EXPECT_EQ(errno, EEXIST);
  EXPECT_EQ(_mkdir("C:\\None\\x"), -1);
  EXPECT_EQ(errno, ENOENT);

  FILE* f = fopen("C:\\Data\\New\\s.txt", "w");
  fputs("abc", f);
  fclose(f);
  struct _stat st;
  ASSERT_EQ(_stat("C:\\Data\\NEW\\S.TXT", &st), 0);
  EXPECT_EQ(st.st_size, 3);
  EXPECT_EQ(st.st_mode & _S_IFMT, _S_IFREG);
  EXPECT_EQ(st.st_mtime, (start - kFileTimeUnixEpoch) / 10000000);
  EXPECT_EQ(st.st_dev, 2u);
  ASSERT_EQ(_stat("C:\\Data\\New", &st), 0);
  EXPECT_EQ(st.st_mode & _S_IFMT, _S_IFDIR);
  EXPECT_EQ(_stat("C:\\Data\\none", &st), -1);
  EXPECT_EQ(errno, ENOENT);

  EXPECT_EQ(_access("C:\\Data\\New\\s.txt", 6), 0);
  SetFileAttributes("C:\\Data\\New\\s.txt", FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(_access("C:\\Data\\New\\s.txt", 4), 0);
  EXPECT_EQ(_access("C:\\Data\\New\\s.txt", 2), -1);
  EXPECT_EQ(errno, EACCES);
  EXPECT_EQ(_access("C:\\Data\\New\\none", 0), -1);
  EXPECT_EQ(errno, ENOENT);
}

}  // namespace
}  // namespace wavorel
