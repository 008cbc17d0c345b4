// Wavorel's WPS page in its host on the simulated machine: the link ended by
// driver codes before a push-button run, its credential stored under
// "WscProfile" and joined; the rescan wait on timer 1 by wireless mode and the
// automatic PIN run it restarts; the link check of timer 8; Disconnect and the
// deletion of the credential in use, which apply the station profile again;
// a profile row beyond the credential count.
#include "tests/xp/station/hosted/WpsPageXpTest.h"

#include <gtest/gtest.h>

namespace xpsurvey::testing {
namespace {

namespace table = wavorel::wire::wps::table;
namespace credential = wavorel::wire::wps::credential;

TEST_F(WpsPageXpTest, PushButtonRunEndsTheLinkStoresTheCredentialAndJoinsIt) {
  join("CafeFree");
  openWps();
  // The supplicant holds the adapter, as the worker's tick leaves it; it
  // runs the key handshake of the credential's network.
  ASSERT_TRUE(SupplicantInit());
  ASSERT_TRUE(SupplicantSelectAdapter());
  ASSERT_GT(scanWorld(), 0u);
  wps().BuildApList();
  wavorel::sim::clearDriverCalls();
  wps().OnBnClickedPbc();
  // The link ends by driver codes before the driver's run starts.
  const std::vector<DWORD> sets = setCodes();
  ASSERT_GE(sets.size(), 4u);
  EXPECT_EQ(std::vector<DWORD>(sets.begin(), sets.begin() + 4),
            (std::vector<DWORD>{OID_802_11_AUTHENTICATION_MODE, OID_802_11_DISASSOCIATE,
                                OID_VX_PRIVATE_0151 & ~kSetBit, OID_VX_WPS_START & ~kSetBit}));
  EXPECT_EQ(wscText("", "NumberofProfile"), "0") << "the cleared table is stored first";

  ASSERT_TRUE(waitForStatus("PBC - Configured"));
  EXPECT_EQ(wscText("", "NumberofProfile"), "1");
  EXPECT_EQ(wscText("\\Profile0", "SSID"), "PrintHub");
  EXPECT_EQ(wscText("\\Profile0", "Key"), "printmeplease");
  // The credential is handed to the worker, which joins its network; no
  // all-zero BSSID reaches the driver while the access point is not known.
  EXPECT_EQ(g_bWpsConnect, 1);
  advance(3000);
  EXPECT_TRUE(wasSet(OID_VX_PRIVATE_0149));
  for (const std::vector<uint8_t>& bssid : setData(OID_802_11_BSSID))
    EXPECT_NE(bssid, std::vector<uint8_t>(6, 0));
  ASSERT_NE(GetCurrentProfile(), nullptr);
  EXPECT_EQ(currentProfileSsid(), "PrintHub");
  wavorel::sim::Adapter& adapter = machine().adapter(0);
  for (int waited = 0; waited < 20000 && !adapter.connected(); waited += 500) advance(500);
  ASSERT_TRUE(adapter.connected());
  ASSERT_NE(adapter.network(), nullptr);
  EXPECT_EQ(adapter.network()->ssid, "PrintHub");
  BYTE bssid[6] = {};
  DWORD frequency = 0;
  currentLink(bssid, frequency);
  EXPECT_EQ(std::vector<BYTE>(bssid, bssid + 6), (std::vector<BYTE>{0x00, 0x1D, 0x7E, 0x11, 0x22, 0x06}));
}

TEST_F(WpsPageXpTest, RescanRefillsTheApListAfterTheWaitOfTheWirelessMode) {
  openWps();
  ASSERT_GT(scanWorld(), 0u);
  std::vector<BYTE> scanned(BssidSiteList.get(), BssidSiteList.get() + kBssListSize);
  const struct {
    int mode;
    int waitMs;
  } cases[] = {{9, 3500}, {2, 5500}, {3, 5500}, {0, 3500}};
  for (const auto& c : cases) {
    g_nWirelessMode = c.mode;
    std::memset(BssidSiteList.get(), 0, kBssListSize);
    wps().BuildApList();
    ASSERT_TRUE(wps().GetApEntries().empty());
      wavorel::sim::clearDriverCalls();
    XpWorkerState().ScanPending = 0;
    wps().OnBnClickedRescan();
    std::copy(scanned.begin(), scanned.end(), BssidSiteList.get());
    advance(c.waitMs - 100);
    EXPECT_TRUE(scanSent()) << c.mode;
    EXPECT_TRUE(wps().GetApEntries().empty()) << c.mode;
    EXPECT_FALSE(wps().GetDlgItem(IDC_WPS_RESCAN)->IsWindowEnabled()) << c.mode;
    advance(200);
    EXPECT_FALSE(wps().GetApEntries().empty()) << c.mode;
    EXPECT_TRUE(wps().GetDlgItem(IDC_WPS_RESCAN)->IsWindowEnabled()) << c.mode;
  }
}

TEST_F(WpsPageXpTest, AutomaticPinRunWithoutAChosenApStartsAgainAfterTheRescanWait) {
  openWps();
  ASSERT_GT(scanWorld(), 0u);
  g_nWirelessMode = 9;
  wps().m_bAutoSelect = 1;
  g_nWpsMethod = kWpsMethodPin;
  g_nWpsAutoApIndex = -1;
  wps().OnBnClickedRescan();
  wavorel::sim::clearDriverCalls();
  advance(3600);
  EXPECT_TRUE(wasSet(OID_VX_WPS_START));
  EXPECT_EQ(g_nWpsMethod, kWpsMethodPin);

  // Push button: the wait only refills the list.
  wps().KillTimer(kWpsStatePollTimer);
  g_nWpsMethod = kWpsMethodPbc;
  wps().OnBnClickedRescan();
  wavorel::sim::clearDriverCalls();
  advance(3600);
  EXPECT_FALSE(wasSet(OID_VX_WPS_START));
}

TEST_F(WpsPageXpTest, LinkCheckIsIdleWhileConnectedAndStartsPinAgainWhenTheLinkIsGone) {
  join("CafeFree");
  openWps();
  wps().SetTimer(kWpsAutoStepTimer, 5000, nullptr);
  wavorel::sim::clearDriverCalls();
  advance(5100);
  EXPECT_FALSE(wasSet(OID_VX_PRIVATE_0151));
  EXPECT_FALSE(wasSet(OID_802_11_DISASSOCIATE));
  // Without a link the PIN start runs again: the link is ended, the band set.
  machine().adapter(0).disassociate();
  wps().SetTimer(kWpsAutoStepTimer, 5000, nullptr);
  advance(5100);
  EXPECT_TRUE(wasSet(OID_VX_PRIVATE_0151));
  EXPECT_TRUE(wasSet(OID_802_11_DISASSOCIATE));
}

TEST_F(WpsPageXpTest, DisconnectEndsTheWpsLinkAndAppliesTheStationProfileAgain) {
  storeStationProfile("CafeFree");
  openWps();
  FreeCurrentProfile();
  g_bWpsConnect = 1;
  wavorel::sim::clearDriverCalls();
  wps().OnBnClickedDisconnect();
  EXPECT_TRUE(wasSet(OID_802_11_DISASSOCIATE));
  EXPECT_EQ(g_bWpsConnect, 0);
  EXPECT_EQ(wps().GetStatusText(), "WPS status is disconnected");
  EXPECT_EQ(currentProfileSsid(), "CafeFree") << "the station profile applied again";
  advance(1000);
  const std::vector<std::vector<uint8_t>> ssids = setData(OID_802_11_SSID);
  ASSERT_FALSE(ssids.empty());
  ASSERT_GE(ssids.back().size(), 36u);
  EXPECT_EQ(std::string(ssids.back().begin() + 4, ssids.back().begin() + 4 + 8), "CafeFree");
}

TEST_F(WpsPageXpTest, DeletingTheCredentialInUseStoresTheRestThenDisconnects) {
  storeStationProfile("CafeFree");
  openWps();
  putCredential(0, "First");
  putCredential(1, "Second");
  setCount(2);
  wps().LoadProfileList();
  FreeCurrentProfile();
  g_bWpsConnect = 1;
  g_nWpsCurrentIndex = 0;
  selectProfileRow(0);
  wavorel::sim::clearDriverCalls();
  wps().OnBnClickedDelete();
  EXPECT_EQ(WpsCredentialCount(), 1);
  EXPECT_EQ(wscText("", "NumberofProfile"), "1");
  EXPECT_EQ(wscText("\\Profile0", "SSID"), "Second");
  EXPECT_EQ(wscText("\\Profile1", "SSID"), "");
  EXPECT_EQ(wps().GetProfileEntries().size(), 1u);
  EXPECT_TRUE(wasSet(OID_802_11_DISASSOCIATE));
  EXPECT_EQ(currentProfileSsid(), "CafeFree");
  EXPECT_EQ(g_bWpsConnect, 0);
}

TEST_F(WpsPageXpTest, ProfileRowBeyondTheCredentialCountDeletesNothing) {
  openWps();
  putCredential(0, "First");
  putCredential(1, "Second");
  setCount(2);
  wps().LoadProfileList();
  selectProfileRow(1);
  // The driver's table shrank after the list was filled.
  setCount(1);
  const std::string stored = wscText("", "NumberofProfile");
  g_bWpsConnect = 1;
  g_nWpsCurrentIndex = 1;
  wavorel::sim::clearDriverCalls();
  wps().OnBnClickedDelete();
  EXPECT_EQ(WpsCredentialCount(), 1);
  EXPECT_EQ(wscText("", "NumberofProfile"), stored) << "nothing stored";
  const BYTE* second = g_wscCredentialTable.data() + table::recordAt(1);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(second + credential::kSsid), 6), "Second");
  EXPECT_FALSE(wasSet(OID_802_11_DISASSOCIATE));
  EXPECT_EQ(g_bWpsConnect, 1);
}

}  // namespace
}  // namespace xpsurvey::testing
