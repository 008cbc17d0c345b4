#include <cstring>
#include <string>
#include <vector>

#include "platform/win/kernel/Root.h"
#include "tests/platform/registry/RegistryFixture.h"

namespace wavorel::testing {
namespace {

using RegistryValues = RegistryTest;

struct ValueCase {
  const char* name;
  DWORD type;
  std::string data;
};

std::vector<ValueCase> valueCases() {
  std::string binary;
  for (int i = 0; i < 100; ++i) binary += static_cast<char>(i * 7);
  return {
      {"Text", REG_SZ, std::string("a \"q\" b\\c\0", 10)},
      {"NoTerminator", REG_SZ, "1"},
      {"InnerZero", REG_SZ, std::string("ab\0cd\0", 6)},
      {"LineBreak", REG_SZ, std::string("one\ntwo\0", 8)},
      {"EmptySz", REG_SZ, std::string("\0", 1)},
      {"ZeroBytes", REG_SZ, ""},
      {"Expand", REG_EXPAND_SZ, std::string("%SystemRoot%\\x\0", 15)},
      {"Multi", REG_MULTI_SZ, std::string("001122334455\0aabbccddeeff\0\0", 27)},
      {"EmptyMulti", REG_MULTI_SZ, std::string("\0", 1)},
      {"Count", REG_DWORD, std::string("\x0a\0\0\0", 4)},
      {"ShortDword", REG_DWORD, std::string("\x01\x02", 2)},
      {"Blob", REG_BINARY, binary},
      {"Nothing", REG_NONE, ""},
      {"", REG_SZ, std::string("default\0", 8)},
  };
}

TEST_F(RegistryValues, EveryTypeAndSizeRoundTripsThroughTheHiveFile) {
  HKEY key = create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Test\\Values");
  for (const auto& c : valueCases()) ASSERT_EQ(set(key, c.name, c.type, c.data), ERROR_SUCCESS) << c.name;
  ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);

  resetPlatformState();  // drop the cached hive: everything below comes from HKLM.reg
  ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Test\\Values", 0, KEY_READ, &key), ERROR_SUCCESS);
  for (const auto& c : valueCases()) {
    DWORD type = 99;
    std::string data;
    ASSERT_EQ(get(key, c.name, type, data), ERROR_SUCCESS) << c.name;
    EXPECT_EQ(type, c.type) << c.name;
    EXPECT_EQ(data, c.data) << c.name;
  }
  DWORD values = 0;
  ASSERT_EQ(RegQueryInfoKey(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                            nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(values, valueCases().size());
  RegCloseKey(key);
}

TEST_F(RegistryValues, HiveFileIsRegedit4TextAPersonCanRead) {
  HKEY key = create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Test\\Values");
  for (const auto& c : valueCases()) ASSERT_EQ(set(key, c.name, c.type, c.data), ERROR_SUCCESS);
  RegCloseKey(key);
  RegCloseKey(create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Empty"));

  std::string text = hiveText("HKLM.reg");
  EXPECT_EQ(text.compare(0, 9, "REGEDIT4\n"), 0) << text;
  for (const char* line : {
           "\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Empty]\n",
           "\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test\\Values]\n",
           "\n\"Text\"=\"a \\\"q\\\" b\\\\c\"\n",
           "\n\"NoTerminator\"=hex(1):31\n",
           "\n\"InnerZero\"=hex(1):61,62,00,63,64,00\n",
           "\n\"EmptySz\"=\"\"\n",
           "\n\"ZeroBytes\"=hex(1):\n",
           "\n\"Expand\"=hex(2):25,53,79,73,74,65,6d,52,6f,6f,74,25,5c,78,00\n",
           "\n\"Count\"=dword:0000000a\n",
           "\n\"ShortDword\"=hex(4):01,02\n",
           "\n\"Blob\"=hex:00,07,0e,15,",
           "\n\"Nothing\"=hex(0):\n",
           "\n@=\"default\"\n",
       }) {
    EXPECT_NE(text.find(line), std::string::npos) << "missing " << line << " in\n" << text;
  }
  // Long hex lists go on over lines of at most 80 characters.
  size_t lineStart = 0;
  while (lineStart < text.size()) {
    size_t end = text.find('\n', lineStart);
    EXPECT_LE(end - lineStart, 80u) << text.substr(lineStart, end - lineStart);
    lineStart = end + 1;
  }
}

TEST_F(RegistryValues, StringSizesAreWhatTheWriterGave) {
  HKEY key = create(HKEY_CURRENT_USER, "Software\\Sizes");
  struct Case {
    DWORD setSize;
    DWORD readSize;
  } cases[] = {{4, 4}, {3, 3}};  // "abc" with and without its terminator
  for (const auto& c : cases) {
    ASSERT_EQ(RegSetValueEx(key, "v", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), c.setSize), ERROR_SUCCESS);
    resetPlatformState();
    char buf[16];
    std::memset(buf, 0x55, sizeof buf);
    DWORD size = sizeof buf, type = 0;
    ASSERT_EQ(RegQueryValueEx(key, "v", nullptr, &type, reinterpret_cast<LPBYTE>(buf), &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, c.readSize);
    EXPECT_EQ(std::memcmp(buf, "abc", 3), 0);
    EXPECT_EQ(buf[3], c.setSize == 4 ? '\0' : '\x55') << "nothing is added past the stored bytes";
  }
  RegCloseKey(key);
}

TEST_F(RegistryValues, QueryReportsSizesAndMoreData) {
  HKEY key = create(HKEY_CURRENT_USER, "Software\\Query");
  ASSERT_EQ(set(key, "Name", REG_SZ, std::string("hello\0", 6)), ERROR_SUCCESS);

  DWORD type = 0, size = 0;
  EXPECT_EQ(RegQueryValueEx(key, "Name", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

  char small[4] = {'x', 'x', 'x', 'x'};
  size = sizeof small;
  EXPECT_EQ(RegQueryValueEx(key, "Name", nullptr, nullptr, reinterpret_cast<LPBYTE>(small), &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 6u) << "the size needed";

  char exact[6];
  size = sizeof exact;
  EXPECT_EQ(RegQueryValueEx(key, "Name", nullptr, nullptr, reinterpret_cast<LPBYTE>(exact), &size), ERROR_SUCCESS);
  EXPECT_STREQ(exact, "hello");

  char untouched[8] = "keep";
  size = sizeof untouched;
  EXPECT_EQ(RegQueryValueEx(key, "Missing", nullptr, &type, reinterpret_cast<LPBYTE>(untouched), &size),
            ERROR_FILE_NOT_FOUND);
  EXPECT_STREQ(untouched, "keep");
  EXPECT_EQ(RegQueryValueEx(key, "Name", nullptr, nullptr, reinterpret_cast<LPBYTE>(exact), nullptr),
            ERROR_INVALID_PARAMETER);

  // The default value is named by NULL or "", and is absent until set.
  EXPECT_EQ(RegQueryValueEx(key, nullptr, nullptr, &type, nullptr, &size), ERROR_FILE_NOT_FOUND);
  ASSERT_EQ(set(key, nullptr, REG_SZ, std::string("d\0", 2)), ERROR_SUCCESS);
  std::string data;
  EXPECT_EQ(get(key, "", type, data), ERROR_SUCCESS);
  EXPECT_EQ(data, std::string("d\0", 2));
  RegCloseKey(key);
}

TEST_F(RegistryValues, NamesIgnoreCaseAndKeepTheirFirstSpelling) {
  HKEY key = create(HKEY_CURRENT_USER, "Software\\MixedCase");
  ASSERT_EQ(setDword(key, "PinCode", 1), ERROR_SUCCESS);
  ASSERT_EQ(setDword(key, "PINCODE", 2), ERROR_SUCCESS);
  RegCloseKey(key);

  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "SOFTWARE\\mixedcase", 0, KEY_READ, &key), ERROR_SUCCESS);
  DWORD type = 0;
  std::string data;
  ASSERT_EQ(get(key, "pincode", type, data), ERROR_SUCCESS);
  EXPECT_EQ(data, std::string("\2\0\0\0", 4));
  char name[32];
  DWORD nameSize = sizeof name;
  ASSERT_EQ(RegEnumValue(key, 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_STREQ(name, "PinCode");
  EXPECT_EQ(RegEnumValue(key, 1, name, &nameSize, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
  RegCloseKey(key);

  char keyName[32];
  DWORD keySize = sizeof keyName;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "software", 0, KEY_READ, &key), ERROR_SUCCESS);
  ASSERT_EQ(RegEnumKeyEx(key, 0, keyName, &keySize, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_STREQ(keyName, "MixedCase");
  RegCloseKey(key);
}

TEST_F(RegistryValues, DeleteValue) {
  HKEY key = create(HKEY_CURRENT_USER, "Software\\Delete");
  ASSERT_EQ(setDword(key, "a", 1), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValue(key, "A"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValue(key, "a"), ERROR_FILE_NOT_FOUND);
  resetPlatformState();
  DWORD type = 0;
  std::string data;
  EXPECT_EQ(get(key, "a", type, data), ERROR_FILE_NOT_FOUND);
  RegCloseKey(key);
}

}  // namespace
}  // namespace wavorel::testing
