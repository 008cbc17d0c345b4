// The AP tab control and its four pages against a recorded worker window:
// the worker's reports (codes 1, 2 and 97 to 159) as the bridge carries them,
// what a person does on the pages as the commands the worker gets, the page
// switch debounce, and the look of the four pages with the worker's data.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "frontend/ApPageIds.h"
#include "platform/mfc/ControlRef.h"
#include "platform/present/Screenshot.h"
#include "platform/present/WindowImage.h"
#include "tests/frontend/StationTableTest.h"

namespace station_table_test {
namespace {

// The AP tab control the way a person reaches it: the station front end of
// the station table tests switched to soft-AP mode, its worker the recorded
// window.
class ApTableTest : public StationTableTest {
 protected:
  void SetUp() override {
    StationTableTest::SetUp();
    // As at program start: no page switch yet.
    CTableCtrl_AP::SetLastSwitchTick(0);
    chooseMode(true);
    m_ap = apTable();
    ASSERT_NE(m_ap, nullptr);
    // The worker is the recorded window: the control's own start stays off.
    m_ap->KillTimer(TIMER_AP_START_WORKER);
    takeWorker();
  }

  CTableCtrl_AP& table() { return *m_ap; }
  // Shows a page once the debounce of the control's own first page is over.
  void open(int index) {
    wavorel::runFor(CTableCtrl_AP::kSwitchDebounceMs);
    showPage(index);
  }
  // Every page made, as after a person looked at each; the commands of
  // their making dropped.
  void makePages() {
    table().CreateAllPageWindows();
    takeWorker();
  }
  LRESULT tell(UINT code, const std::string& value = "") {
    const LRESULT result = SendNotifyText(m_ap->GetSafeHwnd(), code, value.c_str(), FALSE);
    wavorel::pumpMessages();
    return result;
  }
  void tells(const std::vector<std::pair<UINT, std::string>>& list) {
    for (const auto& [code, value] : list) tell(code, value);
  }
  // The page changes the worker was told of since the last take.
  Commands takePageChanges() {
    Commands changes;
    for (const Command& command : takeWorker())
      if (command.first == BRIDGE_CMD_PAGE_CHANGED) changes.push_back(command);
    return changes;
  }
  static void type(CWnd& edit, const std::string& text) {
    for (char c : text) {
      edit.SendMessage(WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 0);
      wavorel::pumpMessages();
    }
  }
  // A selection made in a combo box or list box as a person makes it: the
  // selection, then its notification to the page.
  static void choose(CWnd& page, CComboBox& combo, int row) {
    combo.SetCurSel(row);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(combo.GetDlgCtrlID(), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo.GetSafeHwnd()));
    wavorel::pumpMessages();
  }
  static std::vector<std::string> items(CComboBox& combo) {
    std::vector<std::string> out;
    for (int i = 0; i < combo.GetCount(); ++i) {
      CString item;
      combo.GetLBText(i, item);
      out.emplace_back(item.GetString());
    }
    return out;
  }
  static std::vector<std::string> rows(CListBox& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.GetCount(); ++i) {
      CString row;
      list.GetText(i, row);
      out.emplace_back(row.GetString());
    }
    return out;
  }
  // A left click on a page's label, as the mouse sends it.
  void clickLabel(int index) {
    CGxBtn_ChkRadio* label = table().GetLabel(index);
    CRect rect;
    label->GetClientRect(&rect);
    const LPARAM at = MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y);
    label->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    label->SendMessage(WM_LBUTTONUP, 0, at);
    wavorel::pumpMessages();
  }
  // Whether a page waits for a repaint now.
  static bool needsPaint(CWnd& page) { return ::GetUpdateRect(page.GetSafeHwnd(), nullptr, FALSE) != FALSE; }

  CTableCtrl_AP* m_ap = nullptr;
};

TEST_F(ApTableTest, FourPagesInOrderWithTheirLabelsAndTheFirstShown) {
  const char* labels[] = {"Basic Setting", "Security Setting", "Access Control", "About"};
  ASSERT_EQ(table().GetPageCount(), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(text(table().GetLabel(i)), labels[i]) << i;
  EXPECT_EQ(table().GetPage(0), &table().GetBaseConfigPage());
  EXPECT_EQ(table().GetPage(1), &table().GetSecurityPage());
  EXPECT_EQ(table().GetPage(2), &table().GetAccessControlPage());
  EXPECT_EQ(table().GetPage(3), &table().GetAboutPage());
  EXPECT_EQ(table().GetCurSel(), 0);
  EXPECT_TRUE(table().GetBaseConfigPage().IsWindowVisible());
  EXPECT_EQ(table().GetAboutPage().GetSafeHwnd(), nullptr);
}

TEST_F(ApTableTest, BasicPageFollowsTheWorkerAndIndexesOutsideTheListsSelectNothing) {
  CPageAP_BaseConfig& page = table().GetBaseConfigPage();
  tells({{BRIDGE_UI_AP_MODE_LIST, ""},
           {BRIDGE_UI_AP_MODE_ITEM, "2.4G"},
           {BRIDGE_UI_AP_MODE_SELECT, "0"},
           {BRIDGE_UI_AP_SSID, "Quendal-SoftAP"},
           {BRIDGE_UI_AP_CHANNEL_CLEAR, ""},
           {BRIDGE_UI_AP_CHANNEL_ITEM, "1"},
           {BRIDGE_UI_AP_CHANNEL_ITEM, "6"},
           {BRIDGE_UI_AP_CHANNEL_ITEM, "11"},
           {BRIDGE_UI_AP_CHANNEL_SELECT, "1"}});
  EXPECT_EQ(items(page.GetModeCombo()), std::vector<std::string>{"2.4G"});
  EXPECT_EQ(page.GetModeCombo().GetCurSel(), 0);
  EXPECT_EQ(text(&page.GetSsidEdit()), "Quendal-SoftAP");
  EXPECT_EQ(items(page.GetChannelCombo()), (std::vector<std::string>{"1", "6", "11"}));
  EXPECT_EQ(page.GetChannelCombo().GetCurSel(), 1);
  // Outside the list, negative or not a number: the selection stays or
  // (not a number reads 0) moves to row 0.
  const std::pair<std::string, int> selects[] = {{"3", 1}, {"-1", 1}, {"99", 1}, {"x", 0}, {"2", 2}};
  for (const auto& [value, row] : selects) {
    tell(BRIDGE_UI_AP_CHANNEL_SELECT, value);
    EXPECT_EQ(page.GetChannelCombo().GetCurSel(), row) << value;
  }
  tell(BRIDGE_UI_AP_CHANNEL_ENABLE, "0");
  EXPECT_FALSE(page.GetChannelCombo().IsWindowEnabled());
  tell(BRIDGE_UI_AP_CHANNEL_ENABLE, "1");
  EXPECT_TRUE(page.GetChannelCombo().IsWindowEnabled());
  // A text beyond what may be typed is shown whole.
  const std::string longSsid(40, 'S');
  tell(BRIDGE_UI_AP_SSID, longSsid);
  EXPECT_EQ(text(&page.GetSsidEdit()), longSsid);
}

TEST_F(ApTableTest, OneSecondAfterTheFirstChannelReportTheWorkerIsAskedToApply) {
  takeWorker();
  tell(BRIDGE_UI_AP_CHANNEL_SELECT, "0");
  EXPECT_TRUE(table().IsChannelReported());
  wavorel::runFor(999);
  EXPECT_TRUE(takeWorker().empty());
  wavorel::runFor(1);
  EXPECT_EQ(takeWorker(), (Commands{{BRIDGE_CMD_AP_APPLY_CONFIG, ""}}));
  // Later channel reports ask for nothing more.
  tell(BRIDGE_UI_AP_CHANNEL_SELECT, "0");
  wavorel::runFor(3000);
  EXPECT_TRUE(takeWorker().empty());
}

TEST_F(ApTableTest, BasicPageForwardsEveryEditAsItsCommand) {
  CPageAP_BaseConfig& page = table().GetBaseConfigPage();
  tells({{BRIDGE_UI_AP_MODE_ITEM, "2.4G"}, {BRIDGE_UI_AP_CHANNEL_ITEM, "1"}, {BRIDGE_UI_AP_CHANNEL_ITEM, "6"}});
  takeWorker();
  type(page.GetSsidEdit(), "Lab");
  choose(page, page.GetChannelCombo(), 1);
  choose(page, page.GetModeCombo(), 0);
  press(page, IDC_APPAGE_APPLY);
  press(page, IDC_APBASE_RESTORE);
  EXPECT_EQ(takeWorker(), (Commands{{BRIDGE_CMD_AP_SSID, "L"},
                                    {BRIDGE_CMD_AP_SSID, "La"},
                                    {BRIDGE_CMD_AP_SSID, "Lab"},
                                    {BRIDGE_CMD_AP_CHANNEL, "1"},
                                    {BRIDGE_CMD_AP_WIRELESS_MODE, "0"},
                                    {BRIDGE_CMD_AP_APPLY_CONFIG, ""},
                                    {BRIDGE_CMD_AP_RESTORE_DEFAULT, ""}}));
}

TEST_F(ApTableTest, SecurityPageTakesTheWorkersStateAndForwardsEdits) {
  open(1);
  CPageAP_SecuritySetting& page = table().GetSecurityPage();
  // Making the page ran each key's type handler once.
  Commands made = takeWorker();
  for (UINT n = 0; n < 4; ++n)
    EXPECT_NE(std::find(made.begin(), made.end(), Command{BRIDGE_CMD_AP_WEP_KEY_TYPE + n, "-1"}), made.end()) << n;
  tells({{BRIDGE_UI_AP_AUTH_CLEAR, ""},       {BRIDGE_UI_AP_AUTH_ITEM, "Open"},   {BRIDGE_UI_AP_AUTH_ITEM, "Shared"},
           {BRIDGE_UI_AP_AUTH_ITEM, "WPA-PSK"}, {BRIDGE_UI_AP_AUTH_ITEM, "WPA2-PSK"}, {BRIDGE_UI_AP_AUTH_SELECT, "0"},
           {BRIDGE_UI_AP_ENC_CLEAR, ""},        {BRIDGE_UI_AP_ENC_ITEM, "TKIP"},    {BRIDGE_UI_AP_ENC_ITEM, "AES"},
           {BRIDGE_UI_AP_ENC_SELECT, "1"},      {BRIDGE_UI_AP_WPA_PSK, "worker-secret"}, {BRIDGE_UI_AP_KEY_INDEX, "2"},
           {BRIDGE_UI_AP_WEP_KEY_TYPE + 2, "1"}, {BRIDGE_UI_AP_WEP_KEY + 2, "abcde"}});
  EXPECT_EQ(page.GetAuthCombo().GetCurSel(), 0);
  EXPECT_EQ(page.GetEncryptionCombo().GetCurSel(), 1);
  EXPECT_EQ(text(&page.GetPskEdit()), "worker-secret");
  EXPECT_EQ(page.GetKeyRadio(2).GetCheck(), BST_CHECKED);
  EXPECT_EQ(page.GetKeyRadio(0).GetCheck(), BST_UNCHECKED);
  EXPECT_EQ(page.GetKeyTypeCombo(2).GetCurSel(), 1);
  EXPECT_EQ(text(&page.GetKeyEdit(2)), "abcde");
  // Enable states: the radios, the key type combos, the key edits, the key.
  tell(BRIDGE_UI_AP_CONTROL_ENABLE + 1, "0");
  tell(BRIDGE_UI_AP_CONTROL_ENABLE + 6, "0");
  tell(BRIDGE_UI_AP_WEP_KEY_ENABLE + 3, "0");
  tell(BRIDGE_UI_AP_PSK_ENABLE, "0");
  EXPECT_FALSE(page.GetKeyRadio(1).IsWindowEnabled());
  EXPECT_TRUE(page.GetKeyRadio(2).IsWindowEnabled());
  EXPECT_FALSE(page.GetKeyTypeCombo(2).IsWindowEnabled());
  EXPECT_FALSE(page.GetKeyEdit(3).IsWindowEnabled());
  EXPECT_FALSE(page.GetPskEdit().IsWindowEnabled());
  takeWorker();

  // "Open" leaves the key label; a pre-shared-key item names it.
  choose(page, page.GetAuthCombo(), 1);
  EXPECT_EQ(text(&page.GetPskLabel()), "WPA-PSK Key");
  choose(page, page.GetAuthCombo(), 3);
  EXPECT_EQ(text(&page.GetPskLabel()), "WPA2-PSK Key");
  choose(page, page.GetAuthCombo(), 0);
  EXPECT_EQ(text(&page.GetPskLabel()), "WPA2-PSK Key");
  choose(page, page.GetEncryptionCombo(), 0);
  page.GetKeyRadio(0).SetCheck(BST_CHECKED);
  page.GetKeyRadio(2).SetCheck(BST_UNCHECKED);
  press(page, IDC_APSECU_KEY1_RADIO);
  choose(page, page.GetKeyTypeCombo(0), 0);
  page.GetKeyEdit(0).SetWindowText("");
  takeWorker();
  type(page.GetKeyEdit(0), "1A");
  EXPECT_EQ(takeWorker(), (Commands{{BRIDGE_CMD_AP_WEP_KEY, "1"}, {BRIDGE_CMD_AP_WEP_KEY, "1A"}}));
}

TEST_F(ApTableTest, SecurityPageCommandsInOrderAndApplyEndsOnTheBasicPage) {
  open(1);
  CPageAP_SecuritySetting& page = table().GetSecurityPage();
  tells({{BRIDGE_UI_AP_AUTH_ITEM, "Open"}, {BRIDGE_UI_AP_AUTH_ITEM, "WPA2-PSK"}, {BRIDGE_UI_AP_ENC_ITEM, "AES"}});
  takeWorker();
  choose(page, page.GetAuthCombo(), 1);
  choose(page, page.GetEncryptionCombo(), 0);
  page.GetPskEdit().SetWindowText("");
  takeWorker();
  type(page.GetPskEdit(), "ab");
  page.GetKeyRadio(0).SetCheck(BST_UNCHECKED);
  page.GetKeyRadio(3).SetCheck(BST_CHECKED);
  press(page, IDC_APSECU_KEY4_RADIO);
  choose(page, page.GetKeyTypeCombo(1), 1);
  press(page, IDC_APPAGE_APPLY);
  EXPECT_EQ(takeWorker(), (Commands{{BRIDGE_CMD_AP_WPA_PSK, "a"},
                                    {BRIDGE_CMD_AP_WPA_PSK, "ab"},
                                    {BRIDGE_CMD_AP_WEP_KEY_INDEX, "3"},
                                    {BRIDGE_CMD_AP_WEP_KEY_TYPE + 1, "1"},
                                    {BRIDGE_CMD_AP_APPLY_SECURITY, ""},
                                    {BRIDGE_CMD_AP_APPLY_CONFIG, ""}}));
  choose(page, page.GetAuthCombo(), 1);
  EXPECT_EQ(takeWorker().front(), (Command{BRIDGE_CMD_AP_AUTH_TYPE, "1"}));
}

TEST_F(ApTableTest, EnteringTheSecurityPageResendsTheKeyTypesInWavorelOnly) {
  open(1);
  CPageAP_SecuritySetting& page = table().GetSecurityPage();
  for (int n = 0; n < 4; ++n) {
    page.GetKeyTypeCombo(n).AddString("Hex");
    page.GetKeyTypeCombo(n).AddString("Ascii");
  }
  tells({{BRIDGE_UI_AP_WEP_KEY_TYPE + 0, "1"}, {BRIDGE_UI_AP_WEP_KEY_TYPE + 1, "0"},
         {BRIDGE_UI_AP_WEP_KEY_TYPE + 2, "1"}, {BRIDGE_UI_AP_WEP_KEY_TYPE + 3, "0"}});
  open(0);
  takeWorker();
  // Nothing changed since the last visit: Wavorel still posts all four, in
  // key order, with the selections shown; WavorelVista posts none.
  open(1);
  Commands types;
  for (const Command& command : takeWorker())
    if (command.first >= BRIDGE_CMD_AP_WEP_KEY_TYPE && command.first <= BRIDGE_CMD_AP_WEP_KEY_TYPE_LAST)
      types.push_back(command);
  const Commands expected = WAVOREL_BUILD_XP ? Commands{{BRIDGE_CMD_AP_WEP_KEY_TYPE, "1"},
                                                        {BRIDGE_CMD_AP_WEP_KEY_TYPE + 1, "0"},
                                                        {BRIDGE_CMD_AP_WEP_KEY_TYPE + 2, "1"},
                                                        {BRIDGE_CMD_AP_WEP_KEY_TYPE + 3, "0"}}
                                             : Commands{};
  EXPECT_EQ(types, expected);
  // The page's answer to the message itself.
  EXPECT_EQ(page.SendMessage(WM_TABPAGE_ENTER, 0, 0), 0);
}

TEST_F(ApTableTest, KeyEditsFilterAndLimitByTheirTypeAndThePassphraseStopsAt32) {
  open(1);
  CPageAP_SecuritySetting& page = table().GetSecurityPage();
  struct Case {
    int type;
    std::string typed;
    std::string kept;
  };
  const Case cases[] = {
      {1, "any text, 13 and more", "any text, 13 "},
      {0, "12ab-XY cd", "12abcd"},
      {0, std::string(30, 'f'), std::string(26, 'f')},
  };
  for (const Case& c : cases) {
    choose(page, page.GetKeyTypeCombo(2), c.type);
    page.GetKeyEdit(2).SetWindowText("");
    type(page.GetKeyEdit(2), c.typed);
    EXPECT_EQ(text(&page.GetKeyEdit(2)), c.kept) << c.type << " " << c.typed;
  }
  // The worker's key type makes the rule as a person's choice does.
  tell(BRIDGE_UI_AP_WEP_KEY_TYPE + 2, "1");
  page.GetKeyEdit(2).SetWindowText("");
  type(page.GetKeyEdit(2), "zz");
  EXPECT_EQ(text(&page.GetKeyEdit(2)), "zz");

  page.GetPskEdit().SetWindowText("");
  type(page.GetPskEdit(), std::string(33, 'p'));
  EXPECT_EQ(text(&page.GetPskEdit()), std::string(32, 'p'));
  // The worker's key is shown whole.
  tell(BRIDGE_UI_AP_WPA_PSK, std::string(64, 'a'));
  EXPECT_EQ(text(&page.GetPskEdit()), std::string(64, 'a'));
}

TEST_F(ApTableTest, KeysStartHiddenAndShowKeyContentShowsThem) {
  open(1);
  CPageAP_SecuritySetting& page = table().GetSecurityPage();
  wavorel::runFor(20);
  EXPECT_EQ(page.GetPskEdit().GetPasswordChar(), '*');
  for (int n = 0; n < 4; ++n) EXPECT_EQ(page.GetKeyEdit(n).GetPasswordChar(), '*') << n;
  ControlRef<CButton> check(&page, IDC_APSECU_SHOW_KEY);
  check.get()->SetCheck(BST_CHECKED);
  press(page, IDC_APSECU_SHOW_KEY);
  EXPECT_EQ(page.GetPskEdit().GetPasswordChar(), 0);
  for (int n = 0; n < 4; ++n) EXPECT_EQ(page.GetKeyEdit(n).GetPasswordChar(), 0) << n;
}

TEST_F(ApTableTest, AccessControlListFollowsTheWorkerRowByRow) {
  makePages();
  CPageAP_AccessControl& page = table().GetAccessControlPage();
  CListBox& list = page.GetList();
  struct Step {
    UINT code;
    const char* value;
    std::vector<std::string> rows;
  };
  const std::string a = "00-24-D7-00-00-0A", b = "00-24-D7-00-00-0B", c = "00-24-D7-00-00-0C";
  const Step steps[] = {
      {BRIDGE_UI_ACL_LIST_ADD, "00-24-D7-00-00-0A", {a}},
      {BRIDGE_UI_ACL_LIST_ADD, "00-24-D7-00-00-0B", {a, b}},
      // A changed row: deleted, then its new address at its index.
      {BRIDGE_UI_ACL_LIST_DELETE, "0", {b}},
      {BRIDGE_UI_ACL_LIST, "0\r\n00-24-D7-00-00-0C", {c, b}},
      // An index beyond the list, or no separator: appended.
      {BRIDGE_UI_ACL_LIST, "9\r\n00-24-D7-00-00-0A", {c, b, a}},
      {BRIDGE_UI_ACL_LIST, "00-24-D7-00-00-0A", {c, b, a, a}},
      // Rows outside the list delete nothing; not a number reads 0.
      {BRIDGE_UI_ACL_LIST_DELETE, "4", {c, b, a, a}},
      {BRIDGE_UI_ACL_LIST_DELETE, "-1", {c, b, a, a}},
      {BRIDGE_UI_ACL_LIST_DELETE, "x", {b, a, a}},
      {BRIDGE_UI_ACL_LIST_CLEAR, "", {}},
  };
  for (const Step& step : steps) {
    tell(step.code, step.value);
    EXPECT_EQ(rows(list), step.rows) << step.code << " " << step.value;
  }
  EXPECT_EQ(page.GetListCount(), 0);
  EXPECT_EQ(page.GetListCurSel(), LB_ERR);
}

TEST_F(ApTableTest, AccessControlPolicyEnableStatesAndCommands) {
  open(2);
  CPageAP_AccessControl& page = table().GetAccessControlPage();
  tells({{BRIDGE_UI_ACL_POLICY_CLEAR, ""},
           {BRIDGE_UI_ACL_POLICY_ITEM, "Disable"},
           {BRIDGE_UI_ACL_POLICY_ITEM, "All Allowed"},
           {BRIDGE_UI_ACL_POLICY_ITEM, "All Blocked"},
           {BRIDGE_UI_ACL_POLICY, "2"},
           {BRIDGE_UI_ACL_POLICY, "3"},
           {BRIDGE_UI_ACL_LIST_ADD, "00-24-D7-00-00-0A"},
           {BRIDGE_UI_ACL_LIST_ADD, "00-24-D7-00-00-0B"}});
  EXPECT_EQ(items(page.GetPolicyCombo()), (std::vector<std::string>{"Disable", "All Allowed", "All Blocked"}));
  EXPECT_EQ(page.GetPolicyCombo().GetCurSel(), 2);
  // Codes 138 to 148: the controls whose enable state they carry.
  CWnd* controls[] = {&page.GetPolicyCombo(), &page.GetApplyButton(), nullptr, nullptr, nullptr, &page.GetList(),
                      nullptr, &page.GetAddButton(), &page.GetMacEdit(), &page.GetDeleteButton(),
                      &page.GetRemoveAllButton()};
  for (UINT code = BRIDGE_UI_ACL_POLICY_ENABLE; code <= BRIDGE_UI_ACL_BUTTON_ENABLE_LAST; ++code) {
    CWnd* control = controls[code - BRIDGE_UI_ACL_POLICY_ENABLE];
    if (!control) continue;
    tell(code, "0");
    EXPECT_FALSE(control->IsWindowEnabled()) << code;
    tell(code, "1");
    EXPECT_TRUE(control->IsWindowEnabled()) << code;
  }
  takeWorker();
  choose(page, page.GetPolicyCombo(), 1);
  type(page.GetMacEdit(), "00");
  press(page, IDC_APACL_ADD);
  const LPARAM list = reinterpret_cast<LPARAM>(page.GetList().GetSafeHwnd());
  page.GetList().SetCurSel(1);
  page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_APACL_LIST, LBN_SELCHANGE), list);
  EXPECT_EQ(page.GetListCurSel(), 1);
  EXPECT_EQ(page.GetListCount(), 2);
  page.GetList().SetCurSel(-1);
  page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_APACL_LIST, LBN_SELCHANGE), list);
  press(page, IDC_APACL_DELETE);
  press(page, IDC_APACL_REMOVE_ALL);
  press(page, IDC_APPAGE_APPLY);
  EXPECT_EQ(takeWorker(), (Commands{{BRIDGE_CMD_ACL_POLICY, "1"},
                                    {BRIDGE_CMD_ACL_MAC_TEXT, "0"},
                                    {BRIDGE_CMD_ACL_MAC_TEXT, "00"},
                                    {BRIDGE_CMD_ACL_ADD, ""},
                                    {BRIDGE_CMD_ACL_SELECT, "1"},
                                    {BRIDGE_CMD_ACL_SELECT, "-1"},
                                    {BRIDGE_CMD_ACL_DELETE, ""},
                                    {BRIDGE_CMD_ACL_REMOVE_ALL, ""},
                                    {BRIDGE_CMD_ACL_APPLY, ""},
                                    {BRIDGE_CMD_AP_APPLY_CONFIG, ""}}));
}

TEST_F(ApTableTest, AboutFieldsInTheirOrder) {
  makePages();
  CPageAP_About& page = table().GetAboutPage();
  const UINT ids[] = {IDC_APABOUT_INFO,        IDC_APABOUT_CONFIG_VERSION, IDC_APABOUT_BOOT_VERSION,
                      IDC_APABOUT_EEPROM,      IDC_APABOUT_CONFIG_DATE,    IDC_APABOUT_BOOT_DATE,
                      IDC_APABOUT_FIRMWARE,    IDC_APABOUT_IP,             IDC_APABOUT_MASK,
                      IDC_APABOUT_MAC,         IDC_APABOUT_GATEWAY};
  for (UINT i = 0; i < 11; ++i) tell(BRIDGE_UI_AP_ABOUT_FIELD + i, "field " + std::to_string(i));
  for (UINT i = 0; i < 11; ++i) EXPECT_EQ(text(page.GetDlgItem(static_cast<int>(ids[i]))), "field " + std::to_string(i)) << i;
  // The information line is translated.
  tell(BRIDGE_UI_AP_ABOUT_FIELD, "CompanyName");
  EXPECT_EQ(text(page.GetDlgItem(IDC_APABOUT_INFO)), "Quendal Wireless");
}

TEST_F(ApTableTest, CodesForAPageWithoutAWindowAreDropped) {
  tell(BRIDGE_UI_ACL_LIST_ADD, "00-24-D7-00-00-0A");
  tell(BRIDGE_UI_AP_ABOUT_FIELD + 3, "1.2");
  tell(BRIDGE_UI_AP_WPA_PSK, "secret");
  tell(BRIDGE_UI_AP_KEY_INDEX, "2");
  tell(BRIDGE_UI_AP_CONFIG_STATE, "1");
  EXPECT_EQ(table().GetAccessControlPage().GetSafeHwnd(), nullptr);
  takeWorker();
  makePages();
  EXPECT_EQ(table().GetAccessControlPage().GetListCount(), 0);
  EXPECT_EQ(text(table().GetAboutPage().GetField(3)), "");
  // Code 134 asks for the security dialog again only for "1", and only
  // once the security page exists.
  tell(BRIDGE_UI_AP_CONFIG_STATE, "2");
  EXPECT_TRUE(takeWorker().empty());
  tell(BRIDGE_UI_AP_CONFIG_STATE, "1");
  EXPECT_EQ(takeWorker(), (Commands{{BRIDGE_CMD_PAGE_CHANGED, "1"}}));
}

TEST_F(ApTableTest, ConnectionStateSetsTheTrayAndRefreshesThePagesOnlyWhenThePictureChanges) {
  makePages();
  CPageAP_SecuritySetting& security = table().GetSecurityPage();
  CWnd* pages[] = {&table().GetBaseConfigPage(), &security, &table().GetAccessControlPage()};
  tell(BRIDGE_UI_CONNECTION_STATE, "03Wireless Net  Status : Good");
  tell(BRIDGE_UI_AP_WPA_PSK, "shown-key");
  takeWorker();
  struct Step {
    const char* value;
    int frame;
    const char* tip;
    bool refreshed;
  };
  const Step steps[] = {
      {"00Wireless Net  Status : Lost", 0, "Wireless Net  Status : Lost", true},
      {"03Wireless Net  Status : Good", 3, "Wireless Net  Status : Good", false},
      {"03Wireless Net  Status : Good", 3, "Wireless Net  Status : Good", false},
      {"01Wireless Net  Status : Not Exist", 1, "Wireless Net  Status : Not Exist", true},
      {"01Wireless Net  Status : Not Exist", 1, "Wireless Net  Status : Not Exist", false},
      // A state outside the frames keeps the picture; a short text gives no tip.
      {"97Beyond", 1, "Beyond", false},
      {"-1Negative", 1, "Negative", false},
      {"4", 4, "", false},
  };
  for (const Step& step : steps) {
    // Hidden pages are not painted: their update regions are emptied here.
    wavorel::pumpMessages();
    for (CWnd* page : pages) ::ValidateRect(page->GetSafeHwnd(), nullptr);
    SendNotifyText(table().GetSafeHwnd(), BRIDGE_UI_CONNECTION_STATE, step.value, FALSE);
    EXPECT_EQ(trayFrame(), step.frame) << step.value;
    EXPECT_EQ(trayTip(), step.tip) << step.value;
    for (CWnd* page : pages) EXPECT_EQ(needsPaint(*page), step.refreshed) << step.value;
    wavorel::pumpMessages();
  }
  // A refresh takes the keys off the screen without telling the worker.
  EXPECT_EQ(text(&security.GetPskEdit()), "");
  EXPECT_TRUE(takeWorker().empty());
}

TEST_F(ApTableTest, PageSwitchesWithin300MsAreDelayedAndABurstEndsOnTheLastPage) {
  takeWorker();
  // Making the control selected page 0 just now: a switch waits.
  clickLabel(1);
  EXPECT_EQ(table().GetCurSel(), 0);
  EXPECT_EQ(table().GetPendingPage(), 1);
  wavorel::runFor(300);
  EXPECT_EQ(table().GetCurSel(), 1);
  EXPECT_EQ(table().GetPendingPage(), -1);
  wavorel::runFor(400);
  EXPECT_EQ(takePageChanges(), (Commands{{BRIDGE_CMD_PAGE_CHANGED, "1"}}));

  // Two clicks 100 ms apart: the first at once, the second 300 ms after it.
  clickLabel(2);
  EXPECT_EQ(table().GetCurSel(), 2);
  wavorel::runFor(100);
  clickLabel(3);
  EXPECT_EQ(table().GetCurSel(), 2);
  wavorel::runFor(299);
  EXPECT_EQ(table().GetCurSel(), 2);
  wavorel::runFor(1);
  EXPECT_EQ(table().GetCurSel(), 3);
  EXPECT_EQ(takePageChanges(), (Commands{{BRIDGE_CMD_PAGE_CHANGED, "2"}, {BRIDGE_CMD_PAGE_CHANGED, "3"}}));

  // A burst of three within 300 ms ends on the third page, with one switch.
  wavorel::runFor(50);
  clickLabel(0);
  wavorel::runFor(50);
  clickLabel(2);
  wavorel::runFor(50);
  clickLabel(1);
  wavorel::runFor(300);
  EXPECT_EQ(table().GetCurSel(), 1);
  EXPECT_EQ(takePageChanges(), (Commands{{BRIDGE_CMD_PAGE_CHANGED, "1"}}));
}

TEST_F(ApTableTest, LeavingApModeClearsTheBridgeAndLeavesNoTimer) {
  const HWND host = table().GetSafeHwnd();
  tell(BRIDGE_UI_AP_CHANNEL_SELECT, "0");
  clickLabel(1);
  chooseMode(false);
  EXPECT_EQ(apTable(), nullptr);
  ASSERT_NE(StationFrontEnd::table(), nullptr);
  StationFrontEnd::table()->KillTimer(TIMER_START_WORKER);
  takeWorker();
  // Neither the debounce retry nor the apply of the gone control fires.
  wavorel::runFor(1500);
  for (const Command& command : takeWorker()) EXPECT_NE(command.first, BRIDGE_CMD_AP_APPLY_CONFIG);
  EXPECT_TRUE(::IsWindow(host));
}

// A control's rectangle in the main dialog image's coordinates, its edges left out.
CRect rectIn(CWnd& dialog, CWnd& control) {
  CRect rect, window;
  control.GetWindowRect(&rect);
  dialog.GetWindowRect(&window);
  rect.OffsetRect(-window.left, -window.top);
  rect.DeflateRect(2, 2);
  return rect;
}

// Pixels of `area` that differ between two images.
int changedPixels(const wavorel::WindowImage& a, const wavorel::WindowImage& b, const CRect& area) {
  int changed = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) changed += a.colorAt(x, y) != b.colorAt(x, y);
  return changed;
}

// Pixels of the page skin's dark blue band inside `area`.
int bandPixels(const wavorel::WindowImage& image, const CRect& area) {
  int band = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) {
      const COLORREF c = image.colorAt(x, y);
      band += GetRValue(c) < 100 && GetBValue(c) > GetRValue(c) + 60;
    }
  return band;
}

class ApPagesScreenshotTest : public ApTableTest {
 protected:
  wavorel::WindowImage shoot(const char* file = nullptr) {
    wavorel::pumpMessages();
    wavorel::WindowImage image = wavorel::composeWindow(dialog().GetSafeHwnd());
    if (file) {
      EXPECT_TRUE(wavorel::present::writeImage(image, file));
    }
    return image;
  }
  void fill() {
    tells({{BRIDGE_UI_AP_MODE_ITEM, "2.4G"},       {BRIDGE_UI_AP_MODE_SELECT, "0"},
             {BRIDGE_UI_AP_SSID, "Quendal-SoftAP"},  {BRIDGE_UI_AP_CHANNEL_ITEM, "1"},
             {BRIDGE_UI_AP_CHANNEL_ITEM, "6"},       {BRIDGE_UI_AP_CHANNEL_SELECT, "1"},
             {BRIDGE_UI_AP_AUTH_ITEM, "Open"},       {BRIDGE_UI_AP_AUTH_ITEM, "WPA2-PSK"},
             {BRIDGE_UI_AP_AUTH_SELECT, "1"},        {BRIDGE_UI_AP_ENC_ITEM, "TKIP"},
             {BRIDGE_UI_AP_ENC_ITEM, "AES"},         {BRIDGE_UI_AP_ENC_SELECT, "1"},
             {BRIDGE_UI_ACL_POLICY_ITEM, "Disable"}, {BRIDGE_UI_ACL_POLICY_ITEM, "All Blocked"},
             {BRIDGE_UI_ACL_POLICY, "1"}});
    for (UINT i = 0; i < 11; ++i) {
      const char* texts[] = {"AP CopyRight", "1.0.2.0", "3.1.4.0", "1.2", "12-01-2026", "03-18-2009",
                             "5.0",          "192.168.123.1", "255.255.255.0", "00-0E-2E-5A-10-01", "0.0.0.0"};
      tell(BRIDGE_UI_AP_ABOUT_FIELD + i, texts[i]);
    }
  }
};

TEST_F(ApPagesScreenshotTest, FourPagesWithTheWorkersData) {
  makePages();
  fill();
  CWnd& dlg = dialog();
  CTableCtrl_AP& t = table();
  // Basic setting: the page's skin band, and the selected texts drawn in the combos.
  const wavorel::WindowImage basic = shoot("ap-page-basic.png");
  EXPECT_GT(bandPixels(basic, rectIn(dlg, t.GetBaseConfigPage())), 0);
  tell(BRIDGE_UI_AP_CHANNEL_CLEAR);
  tell(BRIDGE_UI_AP_MODE_LIST);
  const wavorel::WindowImage emptied = shoot();
  EXPECT_GT(changedPixels(basic, emptied, rectIn(dlg, t.GetBaseConfigPage().GetModeCombo())), 0);
  EXPECT_GT(changedPixels(basic, emptied, rectIn(dlg, t.GetBaseConfigPage().GetChannelCombo())), 0);

  // Security: a hidden key is drawn as "*" characters, one per character.
  open(1);
  CPageAP_SecuritySetting& security = t.GetSecurityPage();
  wavorel::runFor(20);
  tell(BRIDGE_UI_AP_WPA_PSK, "letmein1");
  const wavorel::WindowImage hidden = shoot("ap-page-security.png");
  EXPECT_GT(bandPixels(hidden, rectIn(dlg, security)), 0);
  ControlRef<CButton>(&security, IDC_APSECU_SHOW_KEY).get()->SetCheck(BST_CHECKED);
  press(security, IDC_APSECU_SHOW_KEY);
  const CRect psk = rectIn(dlg, security.GetPskEdit());
  EXPECT_GT(changedPixels(hidden, shoot(), psk), 0) << "shown as typed";
  tell(BRIDGE_UI_AP_WPA_PSK, "********");
  EXPECT_EQ(changedPixels(hidden, shoot(), psk), 0) << "hidden as stars";

  // Access control: the rows are drawn in the list.
  open(2);
  const wavorel::WindowImage noRows = shoot();
  tell(BRIDGE_UI_ACL_LIST_ADD, "00-24-D7-00-00-0A");
  tell(BRIDGE_UI_ACL_LIST_ADD, "00-24-D7-00-00-0B");
  const wavorel::WindowImage withRows = shoot("ap-page-access-control.png");
  EXPECT_GT(changedPixels(noRows, withRows, rectIn(dlg, t.GetAccessControlPage().GetList())), 0);
  // The list's background stays white around the rows.
  const CRect list = rectIn(dlg, t.GetAccessControlPage().GetList());
  EXPECT_EQ(withRows.colorAt(list.right - 4, list.bottom - 4), RGB(255, 255, 255));

  // About: the texts are drawn.
  open(3);
  const wavorel::WindowImage about = shoot("ap-page-about.png");
  tell(BRIDGE_UI_AP_ABOUT_FIELD + 3, "");
  EXPECT_GT(changedPixels(about, shoot(), rectIn(dlg, *t.GetAboutPage().GetField(3))), 0);
}

// A person with the keyboard reaches the fields of the page shown with Tab,
// and only those.
TEST_F(ApTableTest, TabGoesThroughTheFieldsOfThePageShown) {
  makePages();
  CPageAP_BaseConfig& basic = table().GetBaseConfigPage();
  CPageAP_SecuritySetting& security = table().GetSecurityPage();
  std::vector<HWND> ring = tabRing(dialog().GetSafeHwnd());
  EXPECT_TRUE(inRing(ring, basic.GetModeCombo().GetSafeHwnd()));
  EXPECT_TRUE(inRing(ring, basic.GetSsidEdit().GetSafeHwnd()));
  EXPECT_FALSE(inRing(ring, security.GetAuthCombo().GetSafeHwnd())) << "a hidden page";
  open(1);
  ring = tabRing(dialog().GetSafeHwnd());
  EXPECT_TRUE(inRing(ring, security.GetAuthCombo().GetSafeHwnd()));
  EXPECT_FALSE(inRing(ring, basic.GetSsidEdit().GetSafeHwnd())) << "a hidden page";
}

// The pages' titles are not cut at the bottom: the descenders of "Security"
// and "Configuration" stay inside.
TEST_F(ApTableTest, PageTitlesHoldALineOfTheirFont) {
  EXPECT_EQ(expectTitlesHoldALineOfTheirFont(table()),
            (std::vector<std::string>{"Basic Parameters for Soft AP", "Network Security Configuration",
                                      "Access Control Configuration", "About Version and Network Information"}));
}

}  // namespace
}  // namespace station_table_test
