#include "tests/worker/DiscoveryTest.h"

namespace worker::testing {
namespace {

class AdapterDiscoveryTest : public DiscoveryTest {};

TEST_F(AdapterDiscoveryTest, OneSupportedAdapterIsTakenWithoutAsking) {
  answerChoice(nullptr, IDOK);
  ASSERT_EQ(discover(), 1);
  EXPECT_TRUE(shown.empty()) << "one candidate never opens the choice dialog";
  EXPECT_STREQ(g_szHardwareId, "USB\\VID_F0A5&PID_0101");
  EXPECT_STREQ(g_szFriendlyName, kDefaultFriendlyName);
  EXPECT_EQ(openedNames, std::vector<std::string>{kDefaultFriendlyName});
  EXPECT_EQ(g_strAdapterGuid, CString(guid().c_str()));
  EXPECT_EQ(g_strDevicePath, CString("\\\\.\\") + CString(guid().c_str()));
  EXPECT_EQ(g_strDriverKey, expectedDriverKey("0007"));
  EXPECT_EQ(g_nFamilyIndex, 8);
  EXPECT_EQ(g_nBusType, 1);
  EXPECT_EQ(g_bUsbFound, 1);
  EXPECT_EQ(g_nBuiltinRow, 0);
  EXPECT_EQ(g_bVx52Family, 0);
  EXPECT_EQ(g_bHtFamily, 1);
  EXPECT_EQ(g_nHtFamilyIndex, 3);
  EXPECT_EQ(g_bAdapterChanged, 0) << "the first discovery never marks a change";

  // The driver request path now reaches the adapter.
  EXPECT_EQ(IsAdapterPresent(), 1);
  EXPECT_TRUE(QueryDriverVersion());
}

TEST_F(AdapterDiscoveryTest, NoCandidateLeavesTheStateAlone) {
  const struct {
    const char* what;
    std::string world;
    bool openable;
  } cases[] = {
      {"unsupported board",
       "[Adapter1]\nHardwareId = USB\\VID_1234&PID_5678\nGuid = {22222222-2222-3333-4444-555555555555}\n"
       "Description = Other card\nMac = 00-0E-2E-00-00-09\n",
       true},
      {"supported board whose device does not open", std::string(wavorel::sim::defaultWorldText()), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    useWorld(c.world);
    if (!c.openable) machine().setOpenable(guid(), false);
    g_strDevicePath = "\\\\.\\previous";
    g_strDriverKey.Empty();
    answerChoice(nullptr, IDOK);
    EXPECT_EQ(discover(), 0);
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(openedNames.empty());
    EXPECT_EQ(g_strDevicePath, "\\\\.\\previous");
    EXPECT_TRUE(g_strDriverKey.IsEmpty());
  }
}

TEST_F(AdapterDiscoveryTest, TwoCandidatesAreOfferedAndTheSelectedOneIsTaken) {
  useTwoAdapters();
  answerChoice([](HWND dialog) { pickRow(dialog, 1); }, IDOK);
  ASSERT_EQ(discover(), 1);
  ASSERT_EQ(shown.size(), 1u);
  const Shown& s = shown[0];
  EXPECT_EQ(s.caption, "Select a Wireless LAN card");
  EXPECT_EQ(s.rows, (std::vector<std::string>{kDefaultFriendlyName, "802.11n PCI Card"}))
      << "a device without a friendly name is listed by its description";
  EXPECT_EQ(s.openFlag, 1);
  EXPECT_EQ(g_bSelCardDlgOpen, 0);
  // After the selection change the second adapter's properties are shown;
  // a property it lacks reads empty, not the first adapter's.
  EXPECT_EQ(s.description, "802.11n PCI Card");
  EXPECT_EQ(s.hardwareId, "PCI\\VEN_F0A5&DEV_0701&SUBSYS_00011234");
  EXPECT_EQ(s.location, "PCI bus 3, device 0, function 0");
  EXPECT_EQ(s.maker, "");

  EXPECT_STREQ(g_szHardwareId, "PCI\\VEN_F0A5&DEV_0701");
  EXPECT_STREQ(g_szFriendlyName, "802.11n PCI Card");
  EXPECT_EQ(g_strAdapterGuid, kSecondGuid);
  EXPECT_EQ(g_strDriverKey, expectedDriverKey("0012"));
  EXPECT_EQ(g_nFamilyIndex, 7);
  EXPECT_EQ(g_nBusType, 0);
  EXPECT_EQ(g_bPciFound, 1);
  EXPECT_EQ(g_nHtFamilyIndex, 2);
}

TEST_F(AdapterDiscoveryTest, TheChoiceDialogShowsTheFirstAdapterFirstAndAnyCloseTakesTheSelection) {
  useTwoAdapters();
  answerChoice(nullptr, IDCANCEL);
  ASSERT_EQ(discover(), 1);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].description, "802.11n USB Wireless LAN Card");
  EXPECT_EQ(shown[0].hardwareId, "USB\\VID_F0A5&PID_0101&REV_0001");
  EXPECT_EQ(shown[0].location, "Port_#0002.Hub_#0003");
  EXPECT_EQ(shown[0].maker, "Wavorel");
  EXPECT_EQ(g_strAdapterGuid, CString(guid().c_str())) << "cancelled with row 0 selected";

  shown.clear();
  answerChoice([](HWND dialog) { pickRow(dialog, 1); }, IDCANCEL);
  ASSERT_EQ(discover(), 1);
  EXPECT_EQ(g_strAdapterGuid, kSecondGuid);
}

TEST_F(AdapterDiscoveryTest, RediscoveryMarksAnotherAdapterAsAChange) {
  useTwoAdapters();
  machine().setPresent(kSecondGuid, false);
  ASSERT_EQ(discover(), 1);
  EXPECT_EQ(g_bAdapterChanged, 0);

  // The poll empties the driver key before it looks again; the same adapter is no change.
  g_strDriverKey.Empty();
  ASSERT_EQ(discover(), 1);
  EXPECT_EQ(g_bAdapterChanged, 0);

  // The first adapter leaves, the second arrives: another driver key.
  machine().setPresent(guid(), false);
  machine().setPresent(kSecondGuid, true);
  g_strDriverKey.Empty();
  ASSERT_EQ(discover(), 1);
  EXPECT_EQ(g_strAdapterGuid, kSecondGuid);
  EXPECT_EQ(g_bAdapterChanged, 1);
}

TEST_F(AdapterDiscoveryTest, AnAdapterThatLeavesAfterDiscoveryFailsTheFirstCalls) {
  ASSERT_EQ(discover(), 1);
  machine().setPresent(guid(), false);
  wavorel::sim::clearDriverCalls();
  DWORD value = 0, returned = 0;
  EXPECT_FALSE(QueryOid(OID_VX_AP_MODE, &value, sizeof value, &returned));
  EXPECT_FALSE(SetOid(OID_VX_AP_MODE_SET, &value, sizeof value, &returned, 3));
  EXPECT_EQ(GetSetOidQueue().GetCount(), 0) << "a set whose device does not open is not queued";
  EXPECT_EQ(IsAdapterPresent(), 0);
  EXPECT_TRUE(calls().empty());
}

TEST_F(AdapterDiscoveryTest, GenerationsWithoutAKnownDevicePathFindNothing) {
  const struct {
    DWORD platform, major, minor, build;
  } versions[] = {{VER_PLATFORM_WIN32_WINDOWS, 4, 10, 2222},  // 98 SE: the family's device name
                  {VER_PLATFORM_WIN32_NT, 4, 0, 1381}};       // NT 4: no path at all
  for (const auto& v : versions) {
    wavorel::OsVersion os;
    os.platformId = v.platform;
    os.major = v.major;
    os.minor = v.minor;
    os.build = v.build;
    wavorel::setOsVersion(os);
    GetOsType();
    EXPECT_EQ(discover(), 0) << g_nOsType;
  }
}

}  // namespace
}  // namespace worker::testing
