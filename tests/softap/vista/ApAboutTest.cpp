// The About page on the worker's own sheet (the front end's page change 73
// "3"): the values mirrored with codes 149 to 159, the rows an adapter
// without an EEPROM version or firmware hides, the IP refresh and the web
// button.
#include <string>
#include <vector>

#include "platform/win/kernel/VersionInfo.h"
#include "softap/QzPropSheet_AP.h"
#include "tests/softap/ApWorkerTest.h"

namespace softap::testing {
namespace {

class ApAboutTest : public ApWorkerTest {
 protected:
  static CQzPropSheet_AP* sheet() { return worker() ? worker()->GetSheet() : nullptr; }
  static CAboutPage_AP& page() { return sheet()->GetAboutPage(); }
  // AP mode on the default world with `from` replaced by `to` in it, the
  // chip family `family` (-1: the adapter's own) when the page opens.
  void startOn(const std::string& from = "", const std::string& to = "", int family = -1) {
    std::string world(wavorel::sim::defaultWorldText());
    if (!from.empty()) {
      ASSERT_NE(world.find(from), std::string::npos) << from;
      world.replace(world.find(from), from.size(), to);
    }
    useWorld(world);
    startWith({});
    ASSERT_NE(sheet(), nullptr);
    if (family >= 0) g_nApFamilyIndex = family;
    received().clear();
    ASSERT_EQ(NotifyWorker(BRIDGE_CMD_PAGE_CHANGED, "3", TRUE), 0);
    pump();
    ASSERT_EQ(sheet()->GetActivePage(), &page());
  }
  static bool shown(UINT id) { return page().GetDlgItem(static_cast<int>(id))->GetStyle() & WS_VISIBLE; }
  // AP mode left and the module cleared, so the next startOn starts afresh.
  void stop() {
    DestroyHideDlgAP();
    pump();
    resetModule();
  }
};

TEST_F(ApAboutTest, ValuesAreShownAndMirrored) {
  startOn();
  EXPECT_EQ(lastOf(149), "AP CopyRight");
  EXPECT_EQ(lastOf(151), "3.1.4.0") << "the world's driver file";
  EXPECT_EQ(lastOf(154), "03-18-2009");
  EXPECT_EQ(lastOf(152), "1.2");
  EXPECT_EQ(lastOf(155), "2.5") << "family 8 reports its firmware";
  EXPECT_EQ(lastOf(158), "00-0E-2E-5A-10-01");
  EXPECT_TRUE(shown(CAboutPage_AP::kFirmwareLabelId));
  EXPECT_TRUE(shown(CAboutPage_AP::kEepromLabelId));
  EXPECT_EQ(page().GetValue(CAboutPage_AP::kDriverVersion), "3.1.4.0");
  CString caption;
  page().GetDlgItem(CAboutPage_AP::kWebId)->GetWindowText(caption);
  EXPECT_EQ(caption, CAboutPage_AP::kWebAddress);
  wavorel::clearProcessStarts();
  page().SendMessage(WM_COMMAND, CAboutPage_AP::kWebId);
  ASSERT_FALSE(wavorel::processStarts().empty());
  EXPECT_EQ(wavorel::processStarts().back().verb, "open");
  EXPECT_EQ(wavorel::processStarts().back().program, CAboutPage_AP::kWebAddress);
}

TEST_F(ApAboutTest, TheUtilityIsTheProgramsOwnFile) {
  char module[MAX_PATH] = "";
  GetModuleFileName(nullptr, module, sizeof module);
  writeFileDated(module, 2009, 11, 5);
  startOn();
  EXPECT_EQ(lastOf(150), "1.0.0.1") << "the program's version resource";
  EXPECT_EQ(lastOf(153), "11-05-2009");
  EXPECT_EQ(page().GetValue(CAboutPage_AP::kUtilityVersion), "1.0.0.1");
  EXPECT_EQ(page().GetValue(CAboutPage_AP::kUtilityDate), "11-05-2009");
}

TEST_F(ApAboutTest, TheDriverFileFollowsTheOsIndexAndTheChipFamily) {
  // The world places its driver files in system32\drivers: by default the
  // family's XP and Vista names (family 8: vx31.sys, vxw31.sys), or one file
  // of its own.
  const std::string defaultFiles = "DriverFileVersion = 3.1.4.0\nDriverDate = 2009-03-18";
  const std::string file64 = "DriverFile = vxw31x.sys\nDriverFileVersion = 6.4.0.2\nDriverDate = 2010-07-04";
  struct Case {
    const char* what;
    int os;
    BOOL wow64;
    const std::string* files;
    const char* version;  // nullptr: no driver values sent
    const char* date;
  };
  const Case cases[] = {
      {"Vista", 11, FALSE, &defaultFiles, "3.1.4.0", "03-18-2009"},
      {"Vista under WOW64 without its 64-bit driver", 11, TRUE, &defaultFiles, "", ""},
      {"Vista under WOW64", 11, TRUE, &file64, "6.4.0.2", "07-04-2010"},
      {"Vista's own name missing", 11, FALSE, &file64, "", ""},
      {"XP", 8, FALSE, &defaultFiles, "3.1.4.0", "03-18-2009"},
      {"XP x64 under WOW64", 10, TRUE, &defaultFiles, "3.1.4.0", "03-18-2009"},
      {"2000", 7, FALSE, &defaultFiles, "3.1.4.0", "03-18-2009"},
      {"9x: family 8 has no 9x driver", 5, FALSE, &defaultFiles, "", ""},
      {"before 9x: no driver file", 2, FALSE, &defaultFiles, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string world(wavorel::sim::defaultWorldText());
    world.replace(world.find(defaultFiles), defaultFiles.size(), *c.files);
    useWorld(world);
    startWith({});
    ASSERT_NE(sheet(), nullptr);
    g_nApOsType = c.os;
    g_bApWow64 = c.wow64;
    received().clear();
    ASSERT_EQ(NotifyWorker(BRIDGE_CMD_PAGE_CHANGED, "3", TRUE), 0);
    pump();
    EXPECT_EQ(lastOf(151), c.version ? c.version : "<none>");
    EXPECT_EQ(lastOf(154), c.date ? c.date : "<none>");
    stop();
  }
}

TEST_F(ApAboutTest, A9xDriverIsReadFromTheSystemFolderItself) {
  startWith({});
  ASSERT_NE(sheet(), nullptr);
  // Family 7's 9x driver beside the system's files, and a file of the same
  // name in the drivers folder that must not be read.
  char system[MAX_PATH] = "";
  GetSystemDirectory(system, sizeof system);
  wavorel::FileVersionInfo info;
  const std::pair<std::string, WORD> files[] = {{"", 2}, {"\\drivers", 9}};
  for (const auto& [folder, version] : files) {
    const std::string path = std::string(system) + folder + "\\vx329x.sys";
    writeFileDated(path, 2004, 2, folder.empty() ? 29 : 1);
    info.fileVersion[0] = version;
    wavorel::registerFileVersion(path, info);
  }
  g_nApOsType = 4;
  g_nApFamilyIndex = 7;
  received().clear();
  ASSERT_EQ(NotifyWorker(BRIDGE_CMD_PAGE_CHANGED, "3", TRUE), 0);
  pump();
  EXPECT_EQ(lastOf(151), "2.0.0.0");
  EXPECT_EQ(lastOf(154), "02-29-2004");
}

TEST_F(ApAboutTest, MissingVersionsHideTheirRows) {
  struct Case {
    const char* from;
    const char* to;
    int family;
    UINT hiddenLabel;
    UINT missingCode;
  };
  const Case cases[] = {{"EepromVersion = 1.2", "EepromVersion = none", -1, CAboutPage_AP::kEepromLabelId, 152},
                        {"", "", 1, CAboutPage_AP::kFirmwareLabelId, 155},
                        {"", "", 0, CAboutPage_AP::kFirmwareLabelId, 155}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.family);
    startOn(c.from, c.to, c.family);
    EXPECT_FALSE(shown(c.hiddenLabel));
    EXPECT_EQ(lastOf(c.missingCode), "<none>");
    stop();
  }
}

TEST_F(ApAboutTest, IpValuesComeOnlyFromTheAdapterWithThePagesMac) {
  startOn();
  // The AP has no address of its own on the simulated machine.
  EXPECT_EQ(lastOf(156), "0.0.0.0");
  EXPECT_EQ(lastOf(157), "0.0.0.0");
  EXPECT_EQ(valuesOf(159).size(), 1u);
  received().clear();
  tick(CAboutPage_AP::kRefreshMs);
  EXPECT_EQ(valuesOf(156).size(), 1u) << "refreshed every 5 s";
  sheet()->SetActivePage(&sheet()->GetConfigPage());
  received().clear();
  tick(3 * CAboutPage_AP::kRefreshMs);
  EXPECT_TRUE(valuesOf(156).empty()) << "not while another page is active";
}

TEST_F(ApAboutTest, WithoutTheMacNoAdapterMatches) {
  std::string world(wavorel::sim::defaultWorldText());
  useWorld(world);
  startWith({});
  ASSERT_NE(sheet(), nullptr);
  received().clear();
  wavorel::sim::machine().failCode(0x01010102, 1);
  ASSERT_EQ(NotifyWorker(BRIDGE_CMD_PAGE_CHANGED, "3", TRUE), 0);
  pump();
  EXPECT_EQ(lastOf(158), "00-00-00-00-00-00");
  for (UINT code : {156u, 157u, 159u}) EXPECT_TRUE(valuesOf(code).empty()) << code;
  EXPECT_TRUE(page().GetValue(CAboutPage_AP::kIpAddress).IsEmpty());
}

}  // namespace
}  // namespace softap::testing
