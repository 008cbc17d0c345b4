// Code written the way the system's sources are: only the umbrella header and
// the Windows names.
#include "platform/Platform.h"

#include <string>
#include <vector>

#include "platform/testing/PlatformTest.h"

namespace {

using UmbrellaTest = wavorel::testing::PlatformTest;

TEST_F(UmbrellaTest, SystemStyleCodeSeesTheWindowsRunTime) {
  srand(1);
  EXPECT_EQ(rand(), 41);
  EXPECT_EQ(atol("4294967295"), 2147483647);

  CString line;
  line.Format("%I64d|%ld|%02X|%hs", 5000000000LL, static_cast<LONG>(-3), 0x0A, "x");
  EXPECT_STREQ(static_cast<LPCTSTR>(line), "5000000000|-3|0A|x");

  CreateDirectory("C:\\Logs", nullptr);
  FILE* f = fopen("C:\\Logs\\a.txt", "a");
  ASSERT_NE(f, nullptr);
  fputs("one\n", f);
  fclose(f);
  HANDLE h = CreateFile("C:\\LOGS\\A.TXT", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  char buf[16] = {};
  DWORD got = 0;
  EXPECT_TRUE(ReadFile(h, buf, sizeof buf, &got, nullptr));
  EXPECT_EQ(std::string(buf, got), "one\r\n");
  CloseHandle(h);

  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Demo", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  DWORD mode = 1;
  EXPECT_EQ(RegSetValueEx(key, "Mode", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&mode), sizeof mode), ERROR_SUCCESS);
  RegCloseKey(key);

  EXPECT_TRUE(WritePrivateProfileString("Advance", "OpenFile", "1", "C:\\Logs\\p.ini"));
  EXPECT_EQ(GetPrivateProfileInt("advance", "openfile", 0, "C:\\Logs\\p.ini"), 1u);

  DWORD t0 = GetTickCount();
  Sleep(250);
  EXPECT_EQ(GetTickCount() - t0, 250u);
}

}  // namespace
