#include <cstring>
#include <string>

#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/CodePage.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Resources.h"
#include "platform/win/kernel/Root.h"
#include "tests/platform/resources/ResourceTestData.h"

namespace wavorel {
namespace {

using ResourcesStrings = testing::PlatformTest;
using ResourcesLookup = testing::PlatformTest;

HINSTANCE stringModule() { return findModuleInstance("ResStrings.dll"); }

TEST_F(ResourcesStrings, LoadStringCopiesCutsAndTerminates) {
  struct Case {
    UINT id;
    int bufferMax;
    const char* text;
  } cases[] = {
      {IDS_HELLO, 64, "Hello, world"},
      {IDS_HELLO, 13, "Hello, world"},  // exactly fits with its terminator
      {IDS_HELLO, 6, "Hello"},
      {IDS_HELLO, 1, ""},
      {IDS_ESCAPES, 64, "Tab\there\r\nquote \" and \"x\" \\ end"},
      {IDS_WIDE, 64, "Caf\xE9 Caf\xE9"},  // U+00E9 in the ANSI page 1252
      {118, 64, "second table, same block"},
  };
  for (const Case& c : cases) {
    char buffer[80];
    std::memset(buffer, '#', sizeof buffer);
    int n = LoadString(nullptr, c.id, buffer, c.bufferMax);
    EXPECT_STREQ(buffer, c.text) << "id " << c.id << " max " << c.bufferMax;
    EXPECT_EQ(n, static_cast<int>(std::strlen(c.text)));
    EXPECT_EQ(buffer[c.bufferMax], '#') << "nothing written past the buffer";
  }
}

TEST_F(ResourcesStrings, LoadStringNeverSplitsADoubleByteCharacter) {
  setAnsiCodePage(932);
  char buffer[8];
  EXPECT_EQ(LoadString(programInstance(), 119, buffer, sizeof buffer), 4);
  EXPECT_EQ(LoadString(programInstance(), 119, buffer, 4), 2) << "room for 3 bytes holds one character";
  EXPECT_EQ(std::strlen(buffer), 2u);
  EXPECT_EQ(LoadString(programInstance(), 119, buffer, 2), 0);
  EXPECT_STREQ(buffer, "");
}

TEST_F(ResourcesStrings, MissingStringsAndBadBuffersGiveZero) {
  char buffer[16] = "unchanged";
  SetLastError(0);
  EXPECT_EQ(LoadString(nullptr, IDS_HELLO + 2, buffer, sizeof buffer), 0) << "empty slot of an existing block";
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(LoadString(nullptr, 5000, buffer, sizeof buffer), 0) << "no such block";
  EXPECT_EQ(LoadString(nullptr, 0x10064, buffer, sizeof buffer), 0) << "ids are 16 bits";

  std::strcpy(buffer, "unchanged");
  EXPECT_EQ(LoadString(nullptr, IDS_HELLO, buffer, 0), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_STREQ(buffer, "unchanged") << "the ANSI form hands out no pointer and writes nothing";
  EXPECT_EQ(LoadString(nullptr, IDS_HELLO, nullptr, 16), 0);
}

TEST_F(ResourcesStrings, ResourceModuleIsSearchedBeforeTheProgram) {
  ASSERT_NE(stringModule(), nullptr) << "the module script registers under its name";
  LPCSTR helloBlock = MAKEINTRESOURCE(IDS_HELLO / 16 + 1);
  LPCSTR moduleBlock = MAKEINTRESOURCE(IDS_MODULE_ONLY / 16 + 1);
  EXPECT_EQ(resourceModule(), programInstance());
  EXPECT_EQ(findResourceModule(helloBlock, RT_STRING), programInstance());

  setResourceModule(stringModule());
  EXPECT_EQ(findResourceModule(helloBlock, RT_STRING), stringModule());
  EXPECT_EQ(findResourceModule(moduleBlock, RT_STRING), stringModule());
  EXPECT_EQ(findResourceModule(MAKEINTRESOURCE(IDD_MAIN), RT_DIALOG), programInstance()) << "falls back to the program";
  EXPECT_EQ(findResourceModule(MAKEINTRESOURCE(999), RT_DIALOG), stringModule()) << "neither: the resource module";
  char buffer[32];
  EXPECT_EQ(LoadString(stringModule(), IDS_HELLO, buffer, sizeof buffer), 21);
  EXPECT_STREQ(buffer, "Hello from the module");
  EXPECT_EQ(LoadString(programInstance(), IDS_MODULE_ONLY, buffer, sizeof buffer), 0);

  resetPlatformState();
  EXPECT_EQ(resourceModule(), programInstance()) << "a state reset restores the program";
}

TEST_F(ResourcesLookup, FindResourceByIdNameAndType) {
  struct Case {
    LPCSTR type;
    LPCSTR name;
    bool found;
  } cases[] = {
      {RT_DIALOG, MAKEINTRESOURCE(IDD_MAIN), true},
      {RT_DIALOG, "#200", true},
      {RT_DIALOG, "config", true},  // names compare without case
      {RT_DIALOG, "CONFIG", true},
      {RT_DLGINIT, "Config", true},
      {RT_MENU, MAKEINTRESOURCE(IDR_TRAY), true},
      {RT_GROUP_ICON, MAKEINTRESOURCE(IDI_APP), true},
      {RT_ICON, MAKEINTRESOURCE(1), true},
      {RT_GROUP_CURSOR, MAKEINTRESOURCE(IDC_HAND_CURSOR), true},
      {RT_BITMAP, MAKEINTRESOURCE(IDB_LOGO), true},
      {RT_TOOLBAR, MAKEINTRESOURCE(IDR_TOOLBAR), true},
      {RT_VERSION, MAKEINTRESOURCE(1), true},
      {RT_MENU, MAKEINTRESOURCE(IDD_MAIN), false},
      {RT_DIALOG, "Config2", false},
      {RT_DIALOG, "#20x", false},
      {RT_DIALOG, "#", false},
      {"PNG", MAKEINTRESOURCE(1), false},
  };
  for (const Case& c : cases) {
    HRSRC res = FindResource(nullptr, c.name, c.type);
    EXPECT_EQ(res != nullptr, c.found) << (IS_INTRESOURCE(c.name) ? std::to_string(reinterpret_cast<uintptr_t>(c.name)) : c.name);
  }
  SetLastError(0);
  EXPECT_EQ(FindResource(nullptr, "Config2", RT_DIALOG), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(FindResource(nullptr, MAKEINTRESOURCE(1), "PNG"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
}

TEST_F(ResourcesLookup, LoadAndSizeCheckTheResourceHandle) {
  HRSRC res = FindResource(programInstance(), MAKEINTRESOURCE(IDR_TOOLBAR), RT_TOOLBAR);
  ASSERT_NE(res, nullptr);
  EXPECT_EQ(SizeofResource(nullptr, res), 14u);
  HGLOBAL data = LoadResource(nullptr, res);
  EXPECT_EQ(LockResource(data), data);
  EXPECT_FALSE(FreeResource(data));
  EXPECT_EQ(LoadResource(stringModule(), res), nullptr) << "the handle belongs to the program";
  EXPECT_EQ(SizeofResource(stringModule(), res), 0u);
  int notAResource = 0;
  EXPECT_EQ(LoadResource(nullptr, reinterpret_cast<HRSRC>(&notAResource)), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
  EXPECT_EQ(FindResource(moduleInstance("NeverRegistered.dll"), MAKEINTRESOURCE(1), RT_VERSION), nullptr);
}

TEST_F(ResourcesLookup, FindResourceExPrefersTheLanguageAskedFor) {
  LPCSTR block = MAKEINTRESOURCE(IDS_HELLO / 16 + 1);
  auto firstString = [&](WORD language) {
    HRSRC res = FindResourceEx(stringModule(), RT_STRING, block, language);
    if (res == nullptr) return std::string("none");
    auto* data = static_cast<const BYTE*>(LockResource(LoadResource(stringModule(), res)));
    std::vector<BYTE> b(data, data + SizeofResource(stringModule(), res));
    size_t p = 0;
    for (UINT i = 0; i < IDS_HELLO % 16; ++i) p += 2 + 2 * testing::le16(b, p);
    std::string s;
    for (WORD i = 0, n = testing::le16(b, p); i < n; ++i) s += static_cast<char>(testing::le16(b, p + 2 + 2 * i));
    return s;
  };
  EXPECT_EQ(firstString(0x0407), "Hallo");
  EXPECT_EQ(firstString(0x0807), "Hallo") << "same primary language";
  EXPECT_EQ(firstString(0x0409), "Hello from the module");
  EXPECT_EQ(firstString(0x040C), "Hello from the module") << "no French: the user's language";
  EXPECT_EQ(firstString(0), "Hello from the module") << "neutral: the user's language";
}

TEST_F(ResourcesLookup, ModuleInstancesAreStableByName) {
  HINSTANCE a = moduleInstance("Extra.dll");
  EXPECT_EQ(moduleInstance("EXTRA.DLL"), a);
  EXPECT_EQ(findModuleInstance("extra.dll"), a);
  EXPECT_NE(a, programInstance());
  EXPECT_NE(moduleInstance("Other.dll"), a);
  EXPECT_EQ(findModuleInstance("Unknown.dll"), nullptr);
}

}  // namespace
}  // namespace wavorel
