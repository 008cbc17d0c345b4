// Wavorel's site survey page in its host on the simulated machine: the
// connected row by the driver's media state, the worker's BSSID and the
// adapter's channel; the rescan schedule after a lost link; radio off; the
// buttons under Zero Configuration, without the supplicant and for a standard
// user; an open network queued to the worker bound to its BSSID.
#include "tests/xp/station/hosted/SiteSurveyXpTest.h"

#include <gtest/gtest.h>

#include "frontend/BridgeCodes.h"
#include "worker/ActionQueue.h"
#include "xp/supplicant/AuthStatus.h"

namespace xpsurvey::testing {
namespace {

using worker::testing::BssRecord;
using worker::testing::BssRecordFields;
using worker::testing::Bytes;
using worker::testing::Element;

// An RSN element: WPA2 with a pre-shared key and AES.
Bytes Wpa2PskElement() {
  return Element(48, {0x01, 0x00, 0x00, 0x0F, 0xAC, 0x04, 0x01, 0x00, 0x00, 0x0F, 0xAC, 0x04, 0x01, 0x00, 0x00,
                      0x0F, 0xAC, 0x02, 0x00, 0x00});
}

BssRecordFields Fields(const char* ssid, BYTE lastMacByte, DWORD frequency) {
  BssRecordFields f;
  f.ssid = ssid;
  f.mac[5] = lastMacByte;
  f.frequency = frequency;
  return f;
}

TEST_F(SiteSurveyXpTest, BssidOnTwoChannelsIsMarkedOnTheAdaptersChannelOnly) {
  const DWORD frequency = joinAndTrack("CafeFree");
  ASSERT_NE(frequency, 0u);
  BYTE bssid[6] = {};
  std::copy(g_currentBssid, g_currentBssid + 6, bssid);
  openSurvey();
  BssRecordFields elsewhere = Fields("CafeFree", 0, frequency == 2484000 ? 2412000 : 2484000);
  std::copy(bssid, bssid + 6, elsewhere.mac);
  BssRecordFields here = elsewhere;
  here.frequency = frequency;
  useSiteList({BssRecord(elsewhere), BssRecord(Fields("Other", 9, frequency)), BssRecord(here)});
  received().clear();
  tick();
  // Sorted by SSID, equal names in list order: the record on the adapter's
  // channel is row 1.
  ASSERT_EQ(survey().GetRows()[2].ssid, "Other");
  EXPECT_EQ(lastOf(BRIDGE_UI_SURVEY_MARK_CONNECTED), "1");
  EXPECT_EQ(survey().GetRows()[1].connected, 1);
  EXPECT_EQ(survey().GetRows()[0].connected, 0);
  EXPECT_EQ(survey().m_nConnectedState, -3) << "a standing link";

  // Only the record on the other channel: its row is sent, and after six
  // ticks without an accepted record the seventh asks for a rescan.
  useSiteList({BssRecord(elsewhere), BssRecord(Fields("Other", 9, frequency))});
  survey().m_nNotFoundTicks = 0;
  wavorel::sim::clearDriverCalls();
  for (int i = 1; i <= 6; ++i) {
    tick();
    EXPECT_EQ(lastOf(BRIDGE_UI_SURVEY_MARK_CONNECTED), "0") << "tick " << i;
    EXPECT_FALSE(scanSent()) << "tick " << i;
    survey().m_bRescanPending = 0;
  }
  tick();
  EXPECT_TRUE(scanSent());
  EXPECT_EQ(survey().m_nNotFoundTicks, 0);
  EXPECT_EQ(survey().m_bRescanPending, 1);
}

TEST_F(SiteSurveyXpTest, LostLinkRescansOnTheFourthTickThenEveryThirty) {
  joinAndTrack("CafeFree");
  openSurvey();
  tick();
  ASSERT_EQ(survey().m_nConnectedState, -3);

  // The worker's poll saw the link go: its BSSID is zero.
  std::memset(g_currentBssid, 0, sizeof g_currentBssid);
  std::vector<int> rescanTicks;
  for (int i = 1; i <= 64; ++i) {
    wavorel::sim::clearDriverCalls();
    tick();
    if (scanSent()) rescanTicks.push_back(i);
  }
  EXPECT_EQ(rescanTicks, (std::vector<int>{4, 34, 64}));
}

TEST_F(SiteSurveyXpTest, PendingScanHoldsTheRebuildAndTheTick) {
  openSurvey();
  useSiteList({BssRecord(Fields("Alpha", 1, 2412000))});
  received().clear();
  survey().m_bRescanPending = 1;
  const int counter = survey().m_nConnectedState;
  XpWorkerState().ScanPending = 1;
  advance(2000);
  EXPECT_TRUE(valuesOf(BRIDGE_UI_SURVEY_ROW).empty());
  EXPECT_TRUE(valuesOf(BRIDGE_UI_SURVEY_MARK_CONNECTED).empty());
  EXPECT_EQ(survey().m_nConnectedState, counter);
  EXPECT_FALSE(survey().GetDlgItem(IDC_SS_RESCAN)->IsWindowEnabled());
  tick();
  EXPECT_EQ(valuesOf(BRIDGE_UI_SURVEY_ROW).back(), "\"Alpha\"\t\"0\"\t\"1\"\t\"0\"\t\"1\"\t\"0\"\t\"100\"");
  EXPECT_EQ(survey().m_bRescanPending, 0);
}

TEST_F(SiteSurveyXpTest, RadioOffEmptiesTheListAndLeavesOnlyItEnabled) {
  openSurvey();
  useSiteList({BssRecord(Fields("Alpha", 1, 2412000)), BssRecord(Fields("Beta", 2, 2437000))});
  ASSERT_EQ(survey().List().GetItemCount(), 2);
  g_bRadioOn = 0;
  received().clear();
  tick();
  EXPECT_EQ(survey().GetRowCount(), 0);
  EXPECT_EQ(survey().List().GetItemCount(), 0);
  EXPECT_EQ(valuesOf(BRIDGE_UI_SURVEY_ROW), std::vector<std::string>{""});
  EXPECT_EQ(lastOf(BRIDGE_UI_SURVEY_MARK_CONNECTED), "-1");
  for (int id : {IDC_SS_RESCAN, IDC_SS_CONNECT, IDC_SS_ADD_TO_PROFILE, IDC_SS_SORT_SSID, IDC_SS_SORT_CHANNEL,
                 IDC_SS_SORT_SIGNAL, IDC_SS_SHOW_DBM, IDC_SS_SSID_LABEL, IDC_SS_SHOW_DBM_LABEL})
    EXPECT_FALSE(survey().GetDlgItem(id)->IsWindowEnabled()) << id;
  EXPECT_TRUE(survey().List().IsWindowEnabled());
}

TEST_F(SiteSurveyXpTest, ConnectAndAddFollowZeroConfigurationTheSupplicantAndTheUser) {
  openSurvey();
  BssRecordFields secured = Fields("Locked", 3, 2437000);
  secured.privacy = 1;
  secured.elements = Wpa2PskElement();
  useSiteList({BssRecord(secured)});
  struct Case {
    const char* what;
    int toolMode;
    int portState;
    int administrator;
    int securityIndex;
    bool connect;
    bool add;
  };
  const Case cases[] = {
      {"supplicant has the adapter", kConfigToolUtility, 6, 1, 1, true, true},
      {"secured, no supplicant", kConfigToolUtility, 0, 1, 1, false, false},
      {"open, no supplicant", kConfigToolUtility, 0, 1, 0, true, true},
      {"standard user", kConfigToolUtility, 6, 0, 1, true, false},
      {"Zero Configuration", kConfigToolZeroConfig, 6, 1, 0, false, false},
  };
  for (const Case& c : cases) {
    ConfigToolMode = c.toolMode;
    XpWorkerState().SupplicantPortState = c.portState;
    g_bAdministrator = c.administrator;
    survey().m_nSecurityKind = c.securityIndex;
    survey().UpdateButtons();
    EXPECT_EQ(survey().ConnectButton().IsWindowEnabled() != FALSE, c.connect) << c.what;
    EXPECT_EQ(survey().AddToProfileButton().IsWindowEnabled() != FALSE, c.add) << c.what;
  }

  // A WPA network is not connected without the supplicant, nor is anything
  // under Zero Configuration; either way the link is marked as the page's
  // own, no longer a stored profile's.
  for (int toolMode : {kConfigToolUtility, kConfigToolZeroConfig}) {
    ConfigToolMode = toolMode;
    XpWorkerState().SupplicantPortState = 0;
    g_bAdministrator = 1;
    g_bConnectedByProfile = 1;
    SetAuthFailureKind(kAuthFailureTimeout);
    survey().ConnectSelected(0);
    EXPECT_EQ(g_bConnectedByProfile, 0) << toolMode;
    EXPECT_EQ(GetAuthFailureKind(), kAuthFailureActivation) << toolMode;
    EXPECT_TRUE(GetActionQueue().empty()) << toolMode;
    EXPECT_TRUE(valuesOf(BRIDGE_UI_SURVEY_SAVE_REQUEST).empty()) << toolMode;
  }
  // Zero Configuration's tick clears the page's pending-connection fields.
  survey().m_bByBssid = survey().m_bBySsid = 1;
  tick();
  EXPECT_EQ(survey().m_bByBssid, 0);
  EXPECT_EQ(survey().m_bBySsid, 0);
}

TEST_F(SiteSurveyXpTest, OpenNetworkIsQueuedBoundToItsBssidAndJoined) {
  openSurvey();
  ASSERT_GT(scanWorld(), 0u);
  survey().RebuildList();
  survey().m_bRescanPending = 0;
  const int cafe = rowOf("CafeFree");
  ASSERT_GE(cafe, 0);
  setDriverText("CurProfile", "Office");
  received().clear();
  wavorel::sim::clearDriverCalls();

  survey().ConnectSelected(cafe);
  wavorel::pumpMessages();
  EXPECT_EQ(lastOf(BRIDGE_UI_SURVEY_SAVE_REQUEST), "0");
  const _PROFILE_DATA* record = survey().GetConnectRecord();
  ASSERT_NE(record, nullptr);
  const BYTE cafeMac[6] = {0x00, 0x1D, 0x7E, 0x11, 0x22, 0x02};
  EXPECT_EQ(record->UseBssid, 1u);
  EXPECT_EQ(std::memcmp(record->Bssid, cafeMac, 6), 0);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(record->Ssid.Ssid), record->Ssid.SsidLength), "CafeFree");
  EXPECT_EQ(record->AuthMode, 0u);
  EXPECT_EQ(record->CipherMode, 1u);
  EXPECT_EQ(record->RtsThresh, 2347u);
  EXPECT_EQ(record->FragThresh, 0u);
  EXPECT_EQ(record->PreambleType, 2u);
  EXPECT_EQ(record->NetworkType, 1u);
  EXPECT_EQ(record->ChannelFrequency, 2412000u);
  EXPECT_EQ(survey().m_bByBssid, 1);
  EXPECT_EQ(survey().m_bBySsid, 0);
  EXPECT_EQ(driverText("CurProfile"), "") << "the blank connection is written first";

  // The worker applied it by driver codes; the adapter joins it and the next
  // tick marks its row.
  advance(1000);
  const std::vector<uint8_t> cafeBssid(cafeMac, cafeMac + 6);
  EXPECT_EQ(setData(OID_802_11_BSSID), std::vector<std::vector<uint8_t>>{cafeBssid});
  advance(4000);
  ASSERT_TRUE(machine().adapter(0).connected());
  std::copy(cafeMac, cafeMac + 6, g_currentBssid);
  received().clear();
  tick();
  EXPECT_EQ(lastOf(BRIDGE_UI_SURVEY_MARK_CONNECTED), std::to_string(cafe));
}

TEST_F(SiteSurveyXpTest, StartReadsTheAdhocOfdmWordOfTheStationBlock) {
  openSurvey();
  DWORD block[8] = {};
  DWORD returned = 0;
  ASSERT_TRUE(QueryOid(OID_VX_PRIVATE_0111, block, sizeof block, &returned));
  EXPECT_EQ(survey().m_dwAdhocOfdm, block[4]);
  // A failed read leaves the word at 0.
  closeHost();
  machine().failCode(OID_VX_PRIVATE_0111, 10);
  EXPECT_EQ(openSurvey().m_dwAdhocOfdm, 0u);
}

}  // namespace
}  // namespace xpsurvey::testing
