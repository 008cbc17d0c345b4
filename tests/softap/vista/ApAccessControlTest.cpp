// The Access Control page on the worker's own sheet, driven as the front end
// drives it (bridge commands 92 to 98): the addresses it takes and refuses,
// the mirror codes, the in-place change, Apply into the registry and the
// driver, the stations the simulated AP then admits, and stored lists that
// do not fit the record.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "softap/ApMacList.h"
#include "softap/QzPropSheet_AP.h"
#include "tests/softap/vista/ApConfigPageTest.h"

namespace softap::testing {
namespace {

using Commands = std::vector<std::pair<UINT, std::string>>;

constexpr char kListed[] = "00-24-D7-00-00-0A";
constexpr char kOther[] = "00-24-D7-00-00-0B";

class ApAccessControlTest : public ApConfigPageTest {
 protected:
  // AP mode with `changes`, the sheet's Access Control page activated as
  // the front end's page change does it; posts and driver calls cleared.
  void begin(const Texts& changes = {}) {
    startWith(changes);
    ASSERT_NE(sheet(), nullptr);
    send({{BRIDGE_CMD_PAGE_CHANGED, "2"}});
    ASSERT_TRUE(::IsWindow(page().GetSafeHwnd()));
    received().clear();
    wavorel::sim::clearDriverCalls();
  }
  static CQzPropSheet_AP* sheet() { return worker() ? worker()->GetSheet() : nullptr; }
  static CAccessControlPage_AP& page() { return sheet()->GetAccessControlPage(); }
  static void send(const Commands& commands) {
    for (const auto& [code, value] : commands) ASSERT_EQ(NotifyWorker(code, value.c_str(), TRUE), 0);
    pump();
  }
  static void add(const std::string& mac) { send({{BRIDGE_CMD_ACL_MAC_TEXT, mac}, {BRIDGE_CMD_ACL_ADD, ""}}); }
  static CListBox* list() { return &page().GetList(); }
  // Whether the simulated AP's station table holds the station.
  static bool admitted(const char* mac) {
    std::vector<BYTE> table(324, 0);
    DWORD returned = 0;
    if (!QueryDriverOid_AP(0xFF0C0029, table.data(), static_cast<DWORD>(table.size()), &returned)) return false;
    const MacAddress wanted = MacFromText(mac);
    for (uint32_t i = 0; i < u32(table, 0) && i < 32; ++i)
      if (std::equal(wanted.begin(), wanted.end(), table.begin() + 4 + i * 10)) return true;
    return false;
  }
  static std::string multiString(const std::vector<std::string>& entries) {
    std::string data;
    for (const std::string& e : entries) data += e + std::string(1, '\0');
    return data + std::string(1, '\0');
  }
};

TEST_F(ApAccessControlTest, InitialisationMirrorsThePolicyListAndStoredAddresses) {
  writeApDefault(kBase);
  writeText(driverKeyOf() + "\\ApDefault", "AccessControlPolicy", "2");
  writeList(driverKeyOf() + "\\ApDefault", "AccessControlList", {"0024D700000A", "0024d700000a", "", "12345", "0024D70000ZZ",
                                                 "0024D700000B"});
  ASSERT_TRUE(start());
  received().clear();
  send({{BRIDGE_CMD_PAGE_CHANGED, "2"}});
  EXPECT_EQ(valuesOf(BRIDGE_UI_ACL_POLICY_CLEAR), std::vector<std::string>{""});
  EXPECT_EQ(valuesOf(BRIDGE_UI_ACL_POLICY_ITEM),
            (std::vector<std::string>{"Disable", "All Permitted", "All Blocked"}));
  EXPECT_EQ(valuesOf(BRIDGE_UI_ACL_LIST_ADD), (std::vector<std::string>{kListed, kOther}))
      << "empty, short, non-hex and duplicate entries skipped";
  EXPECT_EQ(valuesOf(BRIDGE_UI_ACL_POLICY), (std::vector<std::string>{"2", "2"}));
  EXPECT_EQ(lastOf(BRIDGE_UI_ACL_LIST_ENABLE), "1");
  EXPECT_EQ(lastOf(BRIDGE_UI_ACL_BUTTON_ENABLE), "1") << "Add: room left";
}

TEST_F(ApAccessControlTest, AddsWellFormedAddressesAndRefusesTheOthers) {
  begin({{"AccessControlPolicy", "1"}});
  for (const char* mac : {"0024D700000A", "0024D700000B", "0024D700000C"}) add(mac);
  EXPECT_EQ(valuesOf(BRIDGE_UI_ACL_LIST_ADD),
            (std::vector<std::string>{kListed, kOther, "00-24-D7-00-00-0C"}));
  EXPECT_EQ(valuesOf(BRIDGE_UI_ACL_POLICY), (std::vector<std::string>{"1", "1", "1"})) << "137 after each add";

  struct Refusal {
    const char* text;
    const char* box;  // type, caption, text
  };
  const Refusal refusals[] = {
      {"0124D700000D", "16\r\nAP Error Message\r\nMulticast MAC Not Accepted"},
      {"0024D700000", "16\r\nAP Error Message\r\nInvalid MAC"},
      {"0024D700000A0024D700000A0024D700000A", "16\r\nAP Error Message\r\nInvalid MAC"},
      {"0024D70000GG", "16\r\nAP Error Message\r\nInvalid MAC"},
      {"0024d700000b", "48\r\n\r\nDuplicated MAC"},
  };
  for (const Refusal& r : refusals) {
    SCOPED_TRACE(r.text);
    received().clear();
    add(r.text);
    EXPECT_EQ(valuesOf(BRIDGE_UI_MESSAGE_BOX), std::vector<std::string>{r.box});
    EXPECT_TRUE(valuesOf(BRIDGE_UI_ACL_LIST_ADD).empty());
    EXPECT_EQ(list()->GetCount(), 3);
  }
}

TEST_F(ApAccessControlTest, TheThirtySecondAddDisablesAddAndAFullListReachesDriverAndKeyWhole) {
  begin({{"AccessControlPolicy", "2"}});
  char mac[16];
  for (int i = 0; i < 32; ++i) {
    std::snprintf(mac, sizeof mac, "0024D70001%02X", i);
    add(mac);
    if (i == 30) {
      EXPECT_TRUE(valuesOf(BRIDGE_UI_ACL_BUTTON_ENABLE).empty()) << "Add still on at 31";
    }
  }
  EXPECT_EQ(lastOf(BRIDGE_UI_ACL_BUTTON_ENABLE), "0") << "145: the 32nd Add disables Add";
  EXPECT_FALSE(page().GetDlgItem(CMacListPage_AP::kAddId)->IsWindowEnabled());
  send({{BRIDGE_CMD_ACL_SELECT, "5"}, {BRIDGE_CMD_ACL_DELETE, ""}});
  EXPECT_EQ(lastOf(BRIDGE_UI_ACL_LIST_DELETE), "5");
  EXPECT_EQ(lastOf(BRIDGE_UI_ACL_BUTTON_ENABLE), "1");
  add("0024D70001FF");

  send({{BRIDGE_CMD_ACL_APPLY, ""}});
  const std::string stored = readValue(driverKeyOf() + "\\ApDefault", "AccessControlList");
  ASSERT_EQ(stored.size(), 32u * 13 + 1);
  EXPECT_EQ(stored.substr(0, 13), std::string("0024D7000100") + '\0');
  EXPECT_EQ(readValue(driverKeyOf(), "AccessControlList"), stored) << "copied into the driver key whole";
  EXPECT_EQ(readValue(driverKeyOf(), "AccessControlPolicy"), "2");
  const auto sets = setsOf(0xFF8C0046);
  ASSERT_EQ(sets.size(), 1u);
  ASSERT_EQ(sets[0].data.size(), 264u);
  EXPECT_EQ(u32(sets[0].data, 0), 2u);
  EXPECT_EQ(u32(sets[0].data, 4), 32u);
  EXPECT_EQ(sets[0].data[8 + 31 * 8 + 5], 0xFF) << "the last row";
  EXPECT_EQ(sets[0].data[8 + 31 * 8 + 6], 0);

  send({{BRIDGE_CMD_ACL_REMOVE_ALL, ""}});
  EXPECT_EQ(lastOf(BRIDGE_UI_ACL_LIST_CLEAR), "");
  EXPECT_EQ(list()->GetCount(), 0);
  EXPECT_EQ(lastOf(BRIDGE_UI_ACL_BUTTON_ENABLE), "1");
}

TEST_F(ApAccessControlTest, PoliciesDecideWhichClientsTheApAdmits) {
  struct Case {
    const char* policy;
    bool listedIn, otherIn;  // admitted once both arrived
    uint32_t policySent;
    uint32_t countSent;
  };
  const Case cases[] = {{"1", true, false, 1, 1}, {"2", false, true, 2, 1}, {"0", true, true, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.policy);
    useDefaultWorld("", client("Listed", kListed, "Arrives = 5") + client("Other", kOther, "Arrives = 5"));
    begin();
    send({{BRIDGE_CMD_ACL_POLICY, "1"}});
    add("0024D700000A");
    send({{BRIDGE_CMD_ACL_POLICY, c.policy}, {BRIDGE_CMD_ACL_APPLY, ""}});
    EXPECT_EQ(readValue(driverKeyOf() + "\\ApDefault", "AccessControlList"), multiString({"0024D700000A"}))
        << "the list is stored whatever the policy";
    const auto sets = setsOf(0xFF8C0046);
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(u32(sets[0].data, 0), c.policySent);
    EXPECT_EQ(u32(sets[0].data, 4), c.countSent);
    tick(6000);
    EXPECT_EQ(admitted(kListed), c.listedIn);
    EXPECT_EQ(admitted(kOther), c.otherIn);
    if (std::string(c.policy) == "0") {
      EXPECT_EQ(lastOf(BRIDGE_UI_ACL_LIST_ENABLE), "0");
    }
    restart();
  }
}

TEST_F(ApAccessControlTest, AnEmptyListUnderAllBlockedSendsNoPolicy) {
  begin({{"AccessControlPolicy", "2"}});
  send({{BRIDGE_CMD_ACL_APPLY, ""}});
  const auto sets = setsOf(0xFF8C0046);
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(u32(sets[0].data, 0), 0u);
  EXPECT_EQ(u32(sets[0].data, 4), 0u);
  EXPECT_EQ(readValue(driverKeyOf() + "\\ApDefault", "AccessControlList"), std::string(1, '\0'));
}

TEST_F(ApAccessControlTest, InPlaceChangeReplacesTheRowAndADuplicateKeepsItOpen) {
  begin({{"AccessControlPolicy", "1"}});
  for (const char* mac : {"0024D700000A", "0024D700000B"}) add(mac);
  send({{BRIDGE_CMD_ACL_SELECT, "1"}});
  received().clear();
  page().SendMessage(WM_COMMAND, MAKEWPARAM(CAccessControlPage_AP::kListId, LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(list()->GetSafeHwnd()));
  pump();
  ASSERT_TRUE(page().IsChanging());
  CWnd* edit = page().GetDlgItem(CMacListPage_AP::kChangeEditId);
  CString text;
  edit->GetWindowText(text);
  EXPECT_EQ(text, "0024D700000B");
  EXPECT_EQ(valuesOf(BRIDGE_UI_ACL_APPLY_ENABLE), std::vector<std::string>{"0"});
  EXPECT_EQ(valuesOf(BRIDGE_UI_ACL_POLICY_ENABLE), std::vector<std::string>{"0"});
  EXPECT_EQ(lastOf(BRIDGE_UI_ACL_LIST_ENABLE), "0");
  // Laid over the row, the buttons beside it.
  CRect row;
  CRect placed;
  CRect modify;
  list()->GetItemRect(1, &row);
  list()->ClientToScreen(&row);
  edit->GetWindowRect(&placed);
  page().GetDlgItem(CMacListPage_AP::kModifyId)->GetWindowRect(&modify);
  EXPECT_EQ(placed.TopLeft(), row.TopLeft());
  EXPECT_EQ(placed.Width(), 90);
  EXPECT_EQ(placed.Height(), row.Height() - 1);
  EXPECT_EQ(modify.left, placed.right + 1);
  EXPECT_EQ(modify.Width(), 55);

  edit->SetWindowText("0024D700000A");
  page().SendMessage(WM_COMMAND, CMacListPage_AP::kModifyId);
  pump();
  EXPECT_EQ(lastOf(BRIDGE_UI_MESSAGE_BOX), "48\r\n\r\nDuplicated MAC");
  EXPECT_TRUE(page().IsChanging());

  edit->SetWindowText("0024D700000E");
  page().SendMessage(WM_COMMAND, CMacListPage_AP::kModifyId);
  pump();
  EXPECT_FALSE(page().IsChanging());
  EXPECT_EQ(lastOf(BRIDGE_UI_ACL_LIST_DELETE), "1");
  EXPECT_EQ(lastOf(BRIDGE_UI_ACL_LIST), "1\r\n00-24-D7-00-00-0E");
  EXPECT_EQ(page().GetRows(), (std::vector<CString>{kListed, "00-24-D7-00-00-0E"}));
  EXPECT_EQ(lastOf(BRIDGE_UI_ACL_APPLY_ENABLE), "1");
  EXPECT_EQ(lastOf(BRIDGE_UI_ACL_POLICY_ENABLE), "1");
  EXPECT_EQ(lastOf(BRIDGE_UI_ACL_LIST_ENABLE), "1");

  // Escape ends a change without closing anything.
  list()->SetCurSel(0);
  page().SendMessage(WM_COMMAND, MAKEWPARAM(CAccessControlPage_AP::kListId, LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(list()->GetSafeHwnd()));
  ASSERT_TRUE(page().IsChanging());
  page().SendMessage(WM_COMMAND, IDCANCEL);
  EXPECT_FALSE(page().IsChanging());
  EXPECT_TRUE(::IsWindow(sheet()->GetSafeHwnd()));
  EXPECT_EQ(list()->GetCount(), 2);
}

TEST_F(ApAccessControlTest, CommandsOutsideTheirRangesChangeNothing) {
  begin({{"AccessControlPolicy", "1"}});
  add("0024D700000A");
  send({{BRIDGE_CMD_ACL_SELECT, "0"}, {BRIDGE_CMD_ACL_SELECT, "-1"}, {BRIDGE_CMD_ACL_SELECT, "1"}});
  EXPECT_EQ(list()->GetCurSel(), 0) << "-1 and 1 select nothing";
  received().clear();
  send({{BRIDGE_CMD_ACL_POLICY, "3"}, {BRIDGE_CMD_ACL_POLICY, "-1"}});
  EXPECT_EQ(page().GetPolicy(), 1);
  EXPECT_TRUE(received().empty());
  // A long text is taken whole and refused on Add.
  add(std::string(4000, 'A'));
  EXPECT_EQ(lastOf(BRIDGE_UI_MESSAGE_BOX), "16\r\nAP Error Message\r\nInvalid MAC");
}

TEST_F(ApAccessControlTest, StoredListsAreCutToTheFirst32DistinctAddresses) {
  std::vector<std::string> stored;
  char mac[16];
  for (int i = 0; i < 90; ++i) {
    std::snprintf(mac, sizeof mac, "0024D70002%02X", i);
    stored.push_back(mac);
    if (i == 3) stored.push_back("0024d7000203");
  }
  writeApDefault(kBase);
  writeList(driverKeyOf() + "\\ApDefault", "AccessControlList", stored);
  writeText(driverKeyOf() + "\\ApDefault", "AccessControlPolicy", "1");
  ASSERT_TRUE(start());
  ASSERT_GT(readValue(driverKeyOf(), "AccessControlList").size(), 1024u) << "more than one read buffer";
  send({{BRIDGE_CMD_PAGE_CHANGED, "2"}});
  const std::vector<CString> rows = page().GetRows();
  ASSERT_EQ(rows.size(), 32u);
  EXPECT_EQ(rows[4], "00-24-D7-00-02-04");
  EXPECT_EQ(rows[31], "00-24-D7-00-02-1F");
  EXPECT_FALSE(page().GetDlgItem(CMacListPage_AP::kAddId)->IsWindowEnabled());
  wavorel::sim::clearDriverCalls();
  send({{BRIDGE_CMD_ACL_APPLY, ""}});
  const auto sets = setsOf(0xFF8C0046);
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(u32(sets[0].data, 4), 32u);
}

}  // namespace
}  // namespace softap::testing
