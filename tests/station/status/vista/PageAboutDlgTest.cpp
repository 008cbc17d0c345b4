// The about page on the host: every show reads the program's version
// resource, the driver file of the adapter's family, the EEPROM and firmware
// versions and the MAC address.
#include "station/status/PageAboutDlg.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/station/status/vista/LinkStatusTest.h"

namespace station::testing {
namespace {

class PageAboutDlgTest : public LinkStatusTest {
 protected:
  CPageAboutDlg& about() { return *static_cast<CPageAboutDlg*>(host()->GetTabPage(kHostTabAbout)); }
  std::string value(CPageAboutDlg::Value which) {
    CString text;
    about().GetDlgItemText(CPageAboutDlg::kValueIds[which], text);
    return static_cast<LPCSTR>(text);
  }
  bool shown(UINT id) { return (about().GetDlgItem(id)->GetStyle() & WS_VISIBLE) != 0; }
  void show() {
    about().ShowWindow(SW_HIDE);
    about().ShowWindow(SW_SHOW);
  }
};

TEST_F(PageAboutDlgTest, ShowsTheProgramTheDriverAndTheAdapter) {
  startWithHost();
  ASSERT_NE(host()->GetTabPage(kHostTabAbout), nullptr);
  show();
  EXPECT_EQ("1.0.0.1\n", value(CPageAboutDlg::kProgramVersion));
  // The program file's date: the platform's program file is made here with a
  // known modification time.
  char module[256] = "";
  GetModuleFileName(nullptr, module, sizeof module);
  writeFileDated(module, 2009, 3, 14);
  show();
  EXPECT_EQ("03-14-2009", value(CPageAboutDlg::kProgramDate));
  EXPECT_STREQ("Copyright (C) 2008 Quendal", about().GetCopyright().GetString());

  const auto& config = wavorel::sim::machine().adapter(0).config();
  char version[64];
  std::snprintf(version, sizeof version, "%d.%d.%d.%d\n", config.driverFileVersion[0],
                config.driverFileVersion[1], config.driverFileVersion[2], config.driverFileVersion[3]);
  EXPECT_EQ(version, value(CPageAboutDlg::kDriverVersion));
  char date[16];
  std::snprintf(date, sizeof date, "%02d-%02d-%04d", config.driverDate[1], config.driverDate[2], config.driverDate[0]);
  EXPECT_EQ(date, value(CPageAboutDlg::kDriverDate));
  EXPECT_EQ("1.2", value(CPageAboutDlg::kEeprom));
  EXPECT_EQ("2.5", value(CPageAboutDlg::kFirmware));
  EXPECT_TRUE(shown(IDC_ABOUT_EEPROM_LABEL));
  EXPECT_TRUE(shown(IDC_ABOUT_FIRMWARE_LABEL));
  const auto& mac = config.mac;
  char macText[32];
  std::snprintf(macText, sizeof macText, "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4],
                mac[5]);
  EXPECT_EQ(macText, value(CPageAboutDlg::kMac));
}

TEST_F(PageAboutDlgTest, AVersionTheAdapterCannotTellHidesItsRow) {
  struct Case {
    const char* from;
    const char* to;
    UINT hiddenLabel, hiddenValue, shownLabel;
  };
  const Case cases[] = {
      {"EepromVersion = 1.2", "EepromVersion = none", IDC_ABOUT_EEPROM_LABEL, 1086, IDC_ABOUT_FIRMWARE_LABEL},
      {"FirmwareVersion = 2.5", "FirmwareVersion = none", IDC_ABOUT_FIRMWARE_LABEL, 1090, IDC_ABOUT_EEPROM_LABEL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.to);
    reopenIn(worldWith(c.from, c.to));
    g_strAdapterGuid = guid().c_str();
    startWithHost();
    show();
    EXPECT_FALSE(shown(c.hiddenLabel));
    EXPECT_FALSE(shown(c.hiddenValue));
    EXPECT_TRUE(shown(c.shownLabel));
  }
}

}  // namespace
}  // namespace station::testing
