#include <cstring>
#include <string>
#include <vector>

#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/Account.h"
#include "utilmere/RegistryTools.h"

namespace {

class RegistryToolsTest : public wavorel::testing::PlatformTest {
 protected:
  // A text value and its type, or type -1.
  static std::pair<long, std::string> readText(HKEY root, const char* key, const char* name) {
    char text[512] = {};
    DWORD size = sizeof text - 1;
    const long type = ReadRegister(root, key, name, text, &size);
    return {type, text};
  }
  static int writeText(HKEY root, const char* key, const char* name, const char* text) {
    DWORD size = static_cast<DWORD>(std::strlen(text)) + 1;
    return WriteRegister(root, key, name, REG_SZ, text, &size);
  }
};

using Found = std::vector<std::string>;

Found listOf(const CStringArray& array) {
  Found list;
  for (INT_PTR i = 0; i < array.GetSize(); ++i) list.emplace_back(array[i].GetString());
  return list;
}

TEST_F(RegistryToolsTest, WriteCreatesKeysAndReadGivesTypeAndSize) {
  DWORD value = 0x12345678;
  DWORD size = sizeof value;
  ASSERT_EQ(WriteRegister(HKEY_CURRENT_USER, "Software\\Test\\Deep\\Key", "Number", REG_DWORD, &value, &size), 1);
  EXPECT_EQ(IsExistSubKey(HKEY_CURRENT_USER, "Software\\Test\\Deep"), 1);

  DWORD read = 0;
  DWORD readSize = sizeof read;
  EXPECT_EQ(ReadRegister(HKEY_CURRENT_USER, "Software\\Test\\Deep\\Key", "Number", &read, &readSize), REG_DWORD);
  EXPECT_EQ(read, 0x12345678u);
  EXPECT_EQ(readSize, 4u);

  ASSERT_EQ(writeText(HKEY_CURRENT_USER, "Software\\Test", "Name", "value"), 1);
  EXPECT_EQ(readText(HKEY_CURRENT_USER, "Software\\Test", "Name"), std::make_pair(long{REG_SZ}, std::string("value")));
}

TEST_F(RegistryToolsTest, MissingValuesAndKeysReadAsMinusOneAndLeaveTheBuffer) {
  writeText(HKEY_CURRENT_USER, "Software\\Test", "Name", "value");
  struct Case {
    const char* key;
    const char* name;
  } cases[] = {{"Software\\Test", "Missing"}, {"Software\\Missing", "Name"}};
  for (const Case& c : cases) {
    char buffer[8] = "keep";
    DWORD size = sizeof buffer;
    EXPECT_EQ(ReadRegister(HKEY_CURRENT_USER, c.key, c.name, buffer, &size), -1) << c.key << " " << c.name;
    EXPECT_STREQ(buffer, "keep");
  }
  char small[2] = {};
  DWORD size = sizeof small;
  EXPECT_EQ(ReadRegister(HKEY_CURRENT_USER, "Software\\Test", "Name", small, &size), -1);
  EXPECT_EQ(IsExistSubKey(HKEY_CURRENT_USER, "Software\\Missing"), 0);
}

TEST_F(RegistryToolsTest, StandardUserReadsMachineValuesThroughTheReadOnlyRetry) {
  ASSERT_EQ(writeText(HKEY_LOCAL_MACHINE, "Software\\Vendor", "Setting", "admin"), 1);
  wavorel::setRunningAsAdministrator(false);

  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software\\Vendor", 0, KEY_ALL_ACCESS, &key), ERROR_ACCESS_DENIED);
  EXPECT_EQ(readText(HKEY_LOCAL_MACHINE, "Software\\Vendor", "Setting"),
            std::make_pair(long{REG_SZ}, std::string("admin")));

  EXPECT_EQ(writeText(HKEY_LOCAL_MACHINE, "Software\\Vendor", "Setting", "user"), 0);
  EXPECT_EQ(writeText(HKEY_LOCAL_MACHINE, "Software\\Other", "Setting", "user"), 0);
  EXPECT_EQ(DeleteValueRegister(HKEY_LOCAL_MACHINE, "Software\\Vendor", "Setting"), 0);
  EXPECT_EQ(RegDeleteAllSubKey(HKEY_LOCAL_MACHINE, "Software\\Vendor"), 0);
  EXPECT_EQ(readText(HKEY_LOCAL_MACHINE, "Software\\Vendor", "Setting").second, "admin");
  EXPECT_EQ(IsExistSubKey(HKEY_LOCAL_MACHINE, "Software\\Other"), 0);
}

TEST_F(RegistryToolsTest, CreatingAndDeletingKeys) {
  HKEY key = nullptr;
  ASSERT_EQ(CreateRegisterSubKey(HKEY_CURRENT_USER, "Software\\Tree\\A\\B", &key), 1);
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(RegSetValueEx(key, "v", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(CreateRegisterSubKey(HKEY_CURRENT_USER, "Software\\Tree\\C\\", nullptr), 1);
  EXPECT_EQ(CreateRegisterSubKey(HKEY_CURRENT_USER, "", nullptr), 0);
  EXPECT_EQ(CreateRegisterSubKey(HKEY_CURRENT_USER, "\\\\", nullptr), 0);

  EXPECT_EQ(DeleteKeyRegister(HKEY_CURRENT_USER, "Software\\Tree", "A"), 0);  // A has a child
  EXPECT_EQ(DeleteKeyRegister(HKEY_CURRENT_USER, "Software\\Tree", "C"), 1);
  EXPECT_EQ(IsExistSubKey(HKEY_CURRENT_USER, "Software\\Tree\\C"), 0);

  writeText(HKEY_CURRENT_USER, "Software\\Tree", "keep", "1");
  EXPECT_EQ(DeleteValueRegister(HKEY_CURRENT_USER, "Software\\Tree", "keep"), 1);
  EXPECT_EQ(DeleteValueRegister(HKEY_CURRENT_USER, "Software\\Tree", "keep"), 0);

  EXPECT_EQ(RegDeleteAllSubKey(HKEY_CURRENT_USER, "Software\\Tree\\"), 1);
  EXPECT_EQ(IsExistSubKey(HKEY_CURRENT_USER, "Software\\Tree"), 0);
  EXPECT_EQ(IsExistSubKey(HKEY_CURRENT_USER, "Software"), 1);
  EXPECT_EQ(RegDeleteAllSubKey(HKEY_CURRENT_USER, ""), 0);
  EXPECT_EQ(RegDeleteAllSubKey(HKEY_CURRENT_USER, "Software\\Tree"), 0);
}

TEST_F(RegistryToolsTest, PathSplitAtTheFirstBackslash) {
  struct Case {
    const char* path;
    const char* first;
    const char* rest;
  } cases[] = {
      {"HKLM\\Software\\Key\\\\", "HKLM", "Software\\Key"},
      {"Software", "Software", ""},
      {"\\Lead", "", "Lead"},
      {"", "", ""},
      {nullptr, "", ""},
  };
  for (const Case& c : cases) {
    CString rest = "old";
    EXPECT_EQ(PartKeyBySubKey(c.path, &rest), c.first);
    EXPECT_EQ(rest, c.rest);
  }
  EXPECT_EQ(PartKeyBySubKey("a\\b", nullptr), "a");
}

TEST_F(RegistryToolsTest, FileTypesAndVerbs) {
  CString fileType = "Wavorel.Profile";
  ASSERT_EQ(RegFileType("WPF", fileType, "C:\\p.exe,1", "\"C:\\p.exe\" \"%1\"", 0), 1);
  char text[64] = {};
  DWORD size = sizeof text;
  EXPECT_EQ(ReadRegister(HKEY_CLASSES_ROOT, ".wpf", nullptr, text, &size), REG_EXPAND_SZ);
  EXPECT_STREQ(text, "Wavorel.Profile");
  EXPECT_EQ(size, 16u);  // the terminating zero counts
  EXPECT_EQ(readText(HKEY_CLASSES_ROOT, "Wavorel.Profile\\DefaultIcon", nullptr).second, "C:\\p.exe,1");
  EXPECT_EQ(readText(HKEY_CLASSES_ROOT, "Wavorel.Profile\\shell\\open\\command", nullptr).second,
            "\"C:\\p.exe\" \"%1\"");

  // Registered already: the caller learns the registered type.
  CString other = "Other.Type";
  EXPECT_EQ(RegFileType(".wpf", other, "i", "c", 0), 1);
  EXPECT_EQ(other, "Wavorel.Profile");
  EXPECT_EQ(IsExistSubKey(HKEY_CLASSES_ROOT, "Other.Type"), 0);
  other = "Other.Type";
  EXPECT_EQ(RegFileType(".wpf", other, "i", "c", 1), 1);
  EXPECT_EQ(readText(HKEY_CLASSES_ROOT, ".wpf", nullptr).second, "Other.Type");
  EXPECT_EQ(RegFileType("", other, "i", "c", 0), 0);
  CString empty;
  EXPECT_EQ(RegFileType(".x", empty, "i", "c", 0), 0);

  EXPECT_EQ(AddFileTypeMenu("Other.Type", "print", "old", 0), 1);
  EXPECT_EQ(AddFileTypeMenu("Other.Type", "print", "new", 0), 1);
  EXPECT_EQ(readText(HKEY_CLASSES_ROOT, "Other.Type\\shell\\print\\command", nullptr).second, "old");
  EXPECT_EQ(AddFileTypeMenu("Other.Type", "print", "new", 1), 1);
  EXPECT_EQ(readText(HKEY_CLASSES_ROOT, "Other.Type\\shell\\print\\command", nullptr).second, "new");
  EXPECT_EQ(AddFileTypeMenu("", "print", "new", 1), 0);

  EXPECT_EQ(DeleteFileTypeMenu("WPF", "print"), 1);
  EXPECT_EQ(IsExistSubKey(HKEY_CLASSES_ROOT, "Other.Type\\shell\\print"), 0);
  EXPECT_EQ(IsExistSubKey(HKEY_CLASSES_ROOT, "Other.Type\\shell\\open"), 1);
  EXPECT_EQ(DeleteFileTypeMenu("WPF", "print"), 0);  // nothing left to delete
  EXPECT_EQ(DeleteFileTypeMenu("", "print"), 0);
}

TEST_F(RegistryToolsTest, UrlProtocols) {
  ASSERT_EQ(RegWebProtocol("wavorel", "C:\\Program\\w.exe", 2), 1);
  EXPECT_EQ(readText(HKEY_CLASSES_ROOT, "wavorel", nullptr).second, "wavorelProtocol");
  EXPECT_EQ(readText(HKEY_CLASSES_ROOT, "wavorel", "URL Protocol").second, "C:\\Program\\w.exe");
  EXPECT_EQ(readText(HKEY_CLASSES_ROOT, "wavorel\\DefaultIcon", nullptr).second, "C:\\Program\\w.exe,2");
  EXPECT_EQ(readText(HKEY_CLASSES_ROOT, "wavorel\\shell\\open\\command", nullptr),
            std::make_pair(long{REG_EXPAND_SZ}, std::string("\"C:\\Program\\w.exe\" \"%1\"")));

  EXPECT_EQ(RegWebProtocol("wavorel", "C:\\elsewhere.exe", 0), 2);
  EXPECT_EQ(readText(HKEY_CLASSES_ROOT, "wavorel", "URL Protocol").second, "C:\\Program\\w.exe");
  EXPECT_EQ(RegWebProtocol("", "C:\\w.exe", 0), 0);
  EXPECT_EQ(RegWebProtocol("x", nullptr, 0), 0);

  EXPECT_EQ(UnRegWebProtocol("wavorel"), 1);
  EXPECT_EQ(IsExistSubKey(HKEY_CLASSES_ROOT, "wavorel"), 0);
  EXPECT_EQ(UnRegWebProtocol(nullptr), 0);
}

TEST_F(RegistryToolsTest, AutoRunCommandLines) {
  const char* run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run\\";
  char name[] = "Wavorel";
  ASSERT_EQ(AddAutoRunProgram(name, "/AutoHide", "C:\\W\\Wavorel.exe"), 1);
  EXPECT_EQ(readText(HKEY_LOCAL_MACHINE, run, "Wavorel"),
            std::make_pair(long{REG_EXPAND_SZ}, std::string("\"C:\\W\\Wavorel.exe\" /AutoHide")));
  const std::string longPath(300, 'p');
  char other[] = "Long";
  ASSERT_EQ(AddAutoRunProgram(other, "", longPath.c_str()), 1);
  EXPECT_EQ(readText(HKEY_LOCAL_MACHINE, run, "Long").second, "\"" + std::string(259, 'p') + "\"");

  EXPECT_EQ(DeleteAutoRunProgram(name), 1);
  EXPECT_EQ(DeleteAutoRunProgram(name), 0);
  wavorel::setRunningAsAdministrator(false);
  EXPECT_EQ(AddAutoRunProgram(name, nullptr, "C:\\W\\Wavorel.exe"), 0);
  EXPECT_EQ(DeleteAutoRunProgram(other), 0);
}

TEST_F(RegistryToolsTest, SearchListsMatchingKeysAndStringValues) {
  writeText(HKEY_CURRENT_USER, "Software\\Find\\netcard", "Desc", "wireless card");
  writeText(HKEY_CURRENT_USER, "Software\\Find\\netcard", "Other", "none");
  writeText(HKEY_CURRENT_USER, "Software\\Find\\plain", "cardName", "x");
  DWORD number = 7;
  DWORD size = sizeof number;
  WriteRegister(HKEY_CURRENT_USER, "Software\\Find\\plain", "card", REG_DWORD, &number, &size);

  CStringArray keys, names, data;
  ASSERT_EQ(RegSearch("card", SEARCH_TYPE_CONTAIN, HKEY_CURRENT_USER, "Software\\Find", 1, keys, names, data, nullptr,
                      0),
            1);
  EXPECT_EQ(listOf(keys), (Found{"Software\\Find\\netcard\\", "Software\\Find\\netcard\\", "Software\\Find\\plain\\"}));
  EXPECT_EQ(listOf(names), (Found{"", "Desc", "cardName"}));
  EXPECT_EQ(listOf(data), (Found{"", "wireless card", "x"}));

  // A text holding the search text twice ends with it too.
  writeText(HKEY_CURRENT_USER, "Software\\Find\\twice", "Echo", "here and here");
  struct Case {
    _ENUM_SEARCH_TYPE kind;
    const char* text;
    Found names;
  } cases[] = {
      {SEARCH_TYPE_EQUAL, "x", {"cardName"}},
      {SEARCH_TYPE_BEGIN, "card", {"cardName"}},
      {SEARCH_TYPE_END, "card", {"", "Desc"}},
      {SEARCH_TYPE_END, "here", {"Echo"}},
      {SEARCH_TYPE_END, "and here", {"Echo"}},
      {SEARCH_TYPE_END, "here and", {}},
      {SEARCH_TYPE_END, "there and here", {}},  // longer than the text
      {SEARCH_TYPE_BEGIN, "here", {"Echo"}},
      {SEARCH_TYPE_EXCLUDE, "card", {"", "Other", "", "", "Echo"}},  // Find, netcard's Other, plain, twice
  };
  for (const Case& c : cases) {
    keys.RemoveAll();
    names.RemoveAll();
    data.RemoveAll();
    RegSearch(c.text, c.kind, HKEY_CURRENT_USER, "Software\\Find", 1, keys, names, data, nullptr, 0);
    EXPECT_EQ(listOf(names), c.names) << c.kind << " " << c.text;
  }
  EXPECT_EQ(RegSearch("", SEARCH_TYPE_CONTAIN, HKEY_CURRENT_USER, "Software", 1, keys, names, data, nullptr, 0), 0);
  EXPECT_EQ(RegSearch("a", SEARCH_TYPE_CONTAIN, HKEY_CURRENT_USER, "Software\\None", 1, keys, names, data, nullptr,
                      0),
            0);
}

}  // namespace
