// The 802.11n setting page and its Block-Ack dialogs on the host: the record
// sent to the driver and kept in "BACapability", the controls it enables,
// and sessions added and deleted with the peers of the simulated link, as the
// lists show them on the next tick.
#include "station/status/Page80211nSettingDlg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/station/status/vista/StationToolsTest.h"

namespace station::testing {
namespace {

using Bytes = std::vector<uint8_t>;
constexpr uint32_t kHtSettingSet = 0xFF8C0026;
constexpr uint32_t kBlockAckAdd = 0xFF8C0025;
constexpr uint32_t kBlockAckDelete = 0xFF8C0027;

class Page80211nSettingDlgTest : public StationToolsTest {
 protected:
  // The row texts of a list, columns joined by "|".
  std::vector<std::string> rows(BOOL recipient) {
    std::vector<std::string> out;
    const int count = ht().GetList(recipient).GetItemCount();
    const auto& data = ht().GetRows(recipient);
    for (int row = 0; row < count && row < static_cast<int>(data.size()); ++row) {
      std::string text;
      for (const CString& column : data[static_cast<size_t>(row)].columns) text += std::string(column) + "|";
      out.push_back(text);
    }
    return out;
  }
  // Opens a session dialog with the page's button, as the user would.
  void openDialog(int button) { press(ht(), button); }
  void chooseTid(CWnd& dialog, int tid) {
    ControlRef<CComboBox>(&dialog, IDC_BA_TID).get()->SetCurSel(tid);
  }
  std::vector<std::string> peers(CBlockAckDlg& dialog) {
    std::vector<std::string> out;
    for (int row = 0; row < dialog.GetPeerList().GetItemCount(); ++row)
      out.emplace_back(static_cast<LPCSTR>(dialog.GetPeerList().GetItemText(row, 0)));
    return out;
  }
  // A direct link to `peer` through the WMM page's controls.
  void setUpDirectLink(const char* peer) {
    writeText("WMMCapable", "1");
    show(wmm());
    click(wmm(), IDC_WMM_DLS, BST_CHECKED);
    for (int i = 0; i < 6; ++i)
      wmm().SetDlgItemText(IDC_WMM_MAC_EDITS[i], std::string(peer + i * 3, 2).c_str());
    wmm().SetDlgItemText(IDC_WMM_TIMEOUT, "0");
    press(wmm(), IDC_WMM_DLS_APPLY);
    wmm().ShowWindow(SW_HIDE);
  }
};

TEST_F(Page80211nSettingDlgTest, FirstShowSendsTheDefaultsAndApplyKeepsThem) {
  startWithHost();
  wavorel::sim::clearDriverCalls();
  show(ht());
  EXPECT_EQ((Bytes{32, 32, 1, 0, 1, 0, 3, 1}), lastSet(kHtSettingSet));
  EXPECT_TRUE(checked(ht(), IDC_HT_AMSDU));
  EXPECT_TRUE(checked(ht(), IDC_HT_AMSDU_3839));
  EXPECT_TRUE(checked(ht(), IDC_HT_SM_ENABLE));
  EXPECT_TRUE(checked(ht(), IDC_HT_MPDU_AGGREGATION));
  EXPECT_TRUE(checked(ht(), IDC_HT_AUTO));
  EXPECT_EQ("0", text(ht(), IDC_HT_DENSITY));
  EXPECT_TRUE(enabled(ht(), IDC_HT_DENSITY));
  EXPECT_FALSE(enabled(ht(), IDC_HT_ORIGINATOR_ADD)) << "Auto: the driver makes the sessions";
  EXPECT_FALSE(visible(ht(), IDC_HT_AMSDU_7935));
  EXPECT_FALSE(visible(ht(), IDC_HT_ORIGINATOR_DELETE_ALL));
  EXPECT_FALSE(visible(ht(), IDC_HT_RECIPIENT_ADD));
  DWORD type = 0;
  readValue("BACapability", &type);
  EXPECT_EQ(static_cast<DWORD>(REG_NONE), type) << "showing writes nothing";

  press(ht(), IDC_HT_APPLY);
  readValue("BACapability", &type);
  EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
  EXPECT_EQ(0x03432020u, readDword("BACapability"));

  // Manual: the session buttons act; aggregation off: nothing but A-MSDU and
  // power save, and the policy 2 is kept.
  click(ht(), IDC_HT_MANUAL, BST_CHECKED);
  EXPECT_FALSE(checked(ht(), IDC_HT_AUTO));
  press(ht(), IDC_HT_APPLY);
  for (int id : {IDC_HT_ORIGINATOR_ADD, IDC_HT_ORIGINATOR_DELETE, IDC_HT_RECIPIENT_DELETE})
    EXPECT_TRUE(enabled(ht(), id)) << id;
  EXPECT_EQ(0u, readDword("BACapability") >> 16 & 1) << "manual";
  click(ht(), IDC_HT_MPDU_AGGREGATION, BST_UNCHECKED);
  press(ht(), IDC_HT_APPLY);
  EXPECT_EQ(2u, readDword("BACapability") >> 17 & 3);
  EXPECT_EQ(2, lastSet(kHtSettingSet).at(2));
  for (int id : {IDC_HT_MANUAL, IDC_HT_AUTO, IDC_HT_DENSITY, IDC_HT_ORIGINATOR_ADD, IDC_HT_ORIGINATOR_DELETE,
                 IDC_HT_RECIPIENT_DELETE})
    EXPECT_FALSE(enabled(ht(), id)) << id;
  click(ht(), IDC_HT_AMSDU, BST_UNCHECKED);
  EXPECT_FALSE(enabled(ht(), IDC_HT_AMSDU_3839));
}

TEST_F(Page80211nSettingDlgTest, StoredValuesReadBackByTheirBits) {
  startWithHost();
  struct Case {
    const char* name;
    DWORD type;
    std::vector<uint8_t> value;
    Bytes sent;          // the record the next show sends
    int checkedRadios[3];  // A-MSDU size, power save, mode
    const char* density;
  };
  const Case cases[] = {
      {"bits 26-31 ignored", REG_DWORD, {0x20, 0x20, 0x43, 0xFF}, {32, 32, 1, 0, 1, 0, 3, 1},
       {IDC_HT_AMSDU_3839, IDC_HT_SM_ENABLE, IDC_HT_AUTO}, "0"},
      {"the AP's example bytes", REG_DWORD, {32, 32, 251, 1}, {32, 32, 1, 7, 1, 1, 1, 1},
       {IDC_HT_AMSDU_7935, IDC_HT_SM_DYNAMIC, IDC_HT_AUTO}, "7"},
      {"static power save, manual, windows", REG_DWORD, {0x40, 0x08, 0x1A, 0x00}, {64, 8, 1, 3, 0, 1, 0, 0},
       {IDC_HT_AMSDU_7935, IDC_HT_SM_STATIC, IDC_HT_MANUAL}, "3"},
      {"a text is no record", REG_SZ, {'1', '2', 0}, {64, 8, 1, 3, 0, 1, 0, 0},
       {IDC_HT_AMSDU_7935, IDC_HT_SM_STATIC, IDC_HT_MANUAL}, "3"},
      {"three bytes are no record", REG_BINARY, {1, 2, 3}, {64, 8, 1, 3, 0, 1, 0, 0},
       {IDC_HT_AMSDU_7935, IDC_HT_SM_STATIC, IDC_HT_MANUAL}, "3"},
  };
  for (const Case& c : cases) {
    writeValue("BACapability", c.type, c.value.data(), static_cast<DWORD>(c.value.size()));
    show(ht());
    EXPECT_EQ(c.sent, lastSet(kHtSettingSet)) << c.name;
    for (int id : c.checkedRadios) EXPECT_TRUE(checked(ht(), id)) << c.name << " " << id;
    EXPECT_EQ(c.density, text(ht(), IDC_HT_DENSITY)) << c.name;
  }
  // Written back, bits 26-31 are clear.
  const uint8_t high[] = {0x20, 0x20, 0x43, 0xFF};
  writeValue("BACapability", REG_DWORD, high, sizeof high);
  show(ht());
  press(ht(), IDC_HT_APPLY);
  EXPECT_EQ(0x03432020u, readDword("BACapability"));
}

TEST_F(Page80211nSettingDlgTest, SessionsAddedAndDeletedThroughTheDialogsAreListed) {
  connectHome();
  show(ht());
  advance(1000);
  EXPECT_TRUE(rows(FALSE).empty());

  openDialog(IDC_HT_ORIGINATOR_ADD);
  CAddBlockAckDlg& add = addDialog();
  EXPECT_TRUE(shown(add));
  EXPECT_EQ(1, g_bHostExpanded) << "the host shows its lower area";
  EXPECT_EQ(1, add.m_nOriginator);
  ASSERT_EQ(std::vector<std::string>{bssid()}, peers(add));
  EXPECT_EQ(0, add.GetPeerList().GetNextItem(-1, LVNI_SELECTED));
  add.SetDlgItemText(IDC_BA_WINDOW_SIZE, "300");
  chooseTid(add, 5);
  wavorel::sim::clearDriverCalls();
  press(add, IDC_BA_OK);
  EXPECT_EQ((Bytes{0, 0x00, 0x1D, 0x7E, 0x11, 0x22, 0x01, 5, 44, 0, 0, 0, 0, 0}), lastSet(kBlockAckAdd))
      << "the window size's low 8 bits";
  EXPECT_FALSE(shown(add));
  EXPECT_TRUE(shown(page())) << "back to the first secondary dialog";
  advance(1000);
  EXPECT_EQ(std::vector<std::string>{bssid() + "|-|-|-|-|-|44|-|-|"}, rows(FALSE));
  EXPECT_TRUE(rows(TRUE).empty());

  // A second TID of the same peer, then one deleted.
  openDialog(IDC_HT_ORIGINATOR_ADD);
  add.SetDlgItemText(IDC_BA_WINDOW_SIZE, "16");
  chooseTid(add, 0);
  press(add, IDC_BA_OK);
  advance(1000);
  EXPECT_EQ(std::vector<std::string>{bssid() + "|16|-|-|-|-|44|-|-|"}, rows(FALSE));

  openDialog(IDC_HT_ORIGINATOR_DELETE);
  CDeleteBlockAckDlg& remove = deleteDialog();
  EXPECT_EQ(1, remove.m_nOneSession);
  EXPECT_TRUE(visible(remove, IDC_BA_TID));
  chooseTid(remove, 5);
  press(remove, IDC_BA_OK);
  EXPECT_EQ((Bytes{0, 0x00, 0x1D, 0x7E, 0x11, 0x22, 0x01, 5, 0, 0, 0, 0, 0, 0}), lastSet(kBlockAckDelete));
  advance(1000);
  EXPECT_EQ(std::vector<std::string>{bssid() + "|16|-|-|-|-|-|-|-|"}, rows(FALSE));

  // "-All" (hidden on the page, pressed by its id) ends every session of the peer.
  openDialog(IDC_HT_ORIGINATOR_DELETE_ALL);
  EXPECT_EQ(1, remove.m_nAllSessions);
  EXPECT_FALSE(visible(remove, IDC_BA_TID));
  EXPECT_FALSE(visible(remove, IDC_BA_TID_LABEL));
  press(remove, IDC_BA_OK);
  EXPECT_EQ(1, lastSet(kBlockAckDelete).at(12));
  advance(1000);
  EXPECT_TRUE(rows(FALSE).empty());
  openDialog(IDC_HT_ORIGINATOR_DELETE);
  EXPECT_TRUE(visible(remove, IDC_BA_TID)) << "one session again: the TID is chosen again";
  press(remove, IDC_BA_CANCEL);

  // The recipient's "-" asks with the recipient flag.
  openDialog(IDC_HT_RECIPIENT_DELETE);
  press(remove, IDC_BA_OK);
  EXPECT_EQ(1, lastSet(kBlockAckDelete).at(0));
}

TEST_F(Page80211nSettingDlgTest, PeersPutTheCurrentBssidFirstAndNoPeerGivesTheWarning) {
  connectHome();
  const char* peer = "00-0A-0B-0C-0D-0E";
  setUpDirectLink(peer);
  // Both peers of the link are listed; the current BSSID (here the direct
  // link's peer, as the worker would keep it) comes first.
  show(ht());
  openDialog(IDC_HT_RECIPIENT_ADD);
  EXPECT_EQ((std::vector<std::string>{bssid(), peer}), peers(addDialog()));
  const BYTE direct[6] = {0x00, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E};
  std::copy(direct, direct + 6, g_currentBssid);
  show(addDialog());
  EXPECT_EQ((std::vector<std::string>{peer, bssid()}), peers(addDialog()));
  press(addDialog(), IDC_BA_OK);
  EXPECT_EQ(1, lastSet(kBlockAckAdd).at(0)) << "the recipient's +";

  // Without a link the station table is empty: OK only warns.
  wavorel::sim::machine().setPresent(guid(), false);
  openDialog(IDC_HT_ORIGINATOR_ADD);
  EXPECT_TRUE(peers(addDialog()).empty());
  wavorel::sim::clearDriverCalls();
  received().clear();
  press(addDialog(), IDC_BA_OK);
  EXPECT_EQ(std::vector<std::string>{"Please choose BSSID"}, messages());
  EXPECT_TRUE(sets(kBlockAckAdd).empty());
  EXPECT_TRUE(shown(addDialog())) << "the dialog stays";
}

TEST_F(Page80211nSettingDlgTest, TheTablePollRunsWhileShown) {
  connectHome();
  show(ht());
  EXPECT_NE(0u, ht().GetTimerId());
  wavorel::sim::clearDriverCalls();
  advance(3000);
  const auto polls = [] {
    int count = 0;
    for (const wavorel::sim::DriverCall& call : wavorel::sim::driverCalls()) count += call.code == 0xFF0C0025;
    return count;
  };
  EXPECT_EQ(3, polls());
  ht().ShowWindow(SW_HIDE);
  wavorel::sim::clearDriverCalls();
  advance(3000);
  EXPECT_EQ(0, polls());
}

}  // namespace
}  // namespace station::testing
