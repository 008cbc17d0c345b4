// The WDS page: at most three peers, what Apply stores and the one WDS record
// it sends for each switch, authentication and key, and stored lists longer
// than the record holds.
#include <string>
#include <vector>

#include "softap/WdsPage_AP.h"
#include "tests/softap/vista/ApPageSheet.h"

namespace softap::testing {
namespace {

using ApWdsPageTest = ApPageSheetTest<CWdsPage_AP>;

TEST_F(ApWdsPageTest, TheThirdPeerDisablesAddUntilOneIsDeleted) {
  openSheet({{"WdsEnable", "0"}});
  ASSERT_EQ(page().GetState(), CWdsPage_AP::kWdsOn);
  for (const char* mac : {"0073FF123456", "0073FF123457", "0073FF123458"}) {
    EXPECT_TRUE(enabled(CMacListPage_AP::kAddId)) << mac;
    setText(CMacListPage_AP::kMacEditId, mac);
    press(CMacListPage_AP::kAddId);
  }
  EXPECT_EQ(page().GetRows().size(), 3u);
  EXPECT_FALSE(enabled(CMacListPage_AP::kAddId));
  page().GetList().SetCurSel(0);
  press(CMacListPage_AP::kDeleteId);
  EXPECT_TRUE(enabled(CMacListPage_AP::kAddId));
  // A refusal reaches the front end; the list stays.
  setText(CMacListPage_AP::kMacEditId, "0173FF123456");
  press(CMacListPage_AP::kAddId);
  EXPECT_EQ(valuesOf(BRIDGE_UI_MESSAGE_BOX),
            std::vector<std::string>{"16\r\nAP Error Message\r\nMulticast MAC Not Accepted"});
  EXPECT_EQ(page().GetRows().size(), 2u);
  // "Disable" switches the list controls off.
  press(CWdsPage_AP::kDisableId);
  EXPECT_FALSE(enabled(CWdsPage_AP::kListId));
  EXPECT_FALSE(enabled(CMacListPage_AP::kAddId));
}

TEST_F(ApWdsPageTest, ApplySendsTheOneWdsRecordForEachSetting) {
  struct Case {
    const char* name;
    const char* state;       // "WdsEnable"
    int authIndex;           // what apply-all left
    int wepOrNone;
    const char* preSharedKey;
    uint32_t count;
    uint32_t keyLength;
  };
  const Case cases[] = {
      {"disabled", "1", 0, 1, "", 0, 0},
      {"open", "0", 0, 1, "", 2, 0},
      {"shared WEP", "0", 1, 1, "", 2, 0},
      {"WPA2-PSK pass phrase", "0", 7, 0, "wds-secret-1", 0, 32},
      {"WPA-PSK 64 hex digits", "0", 4, 0, "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    openSheet({{"WdsEnable", c.state}});
    g_nApAuthIndex = c.authIndex;
    g_bApWepOrNone = c.wepOrNone;
    g_strApWpaPsk = c.preSharedKey;
    for (const char* mac : {"0073FF123456", "0073FF123457"}) {
      setText(CMacListPage_AP::kMacEditId, mac);
      press(CMacListPage_AP::kAddId);
    }
    press(CMacListPage_AP::kApplyId);
    EXPECT_EQ(readValue(driverKeyOf() + "\\ApDefault", "WdsEnable"), c.state);
    const std::string list = std::string("0073FF123456") + '\0' + "0073FF123457" + '\0' + '\0';
    EXPECT_EQ(readValue(driverKeyOf() + "\\ApDefault", "WdsList"), list) << "stored whatever the switch";
    EXPECT_EQ(readValue(driverKeyOf(), "WdsList"), list) << "copied into the driver key";
    const auto sets = setsOf(0xFF8C0048);
    ASSERT_EQ(sets.size(), 1u);
    ASSERT_EQ(sets[0].data.size(), 60u);
    EXPECT_EQ(u32(sets[0].data, 0), c.count);
    EXPECT_EQ(u32(sets[0].data, 24), c.keyLength);
    if (c.count == 2) {
      EXPECT_EQ(sets[0].data[4 + 6 + 5], 0x57) << "the second peer";
    }
    closeSheet();
    restart();
  }
}

TEST_F(ApWdsPageTest, StoredPeersAreCutToThree) {
  writeApDefault(kBase);
  writeList(driverKeyOf() + "\\ApDefault", "WdsList",
            {"0073FF123456", "0073ff123456", "0073FF1234", "0073FF123457", "0073FF123458", "0073FF123459"});
  openSheet({{"WdsEnable", "0"}});
  EXPECT_EQ(page().GetRows(),
            (std::vector<CString>{"00-73-FF-12-34-56", "00-73-FF-12-34-57", "00-73-FF-12-34-58"}));
  EXPECT_FALSE(enabled(CMacListPage_AP::kAddId));
  g_bApWepOrNone = 1;
  press(CMacListPage_AP::kApplyId);
  const auto sets = setsOf(0xFF8C0048);
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(u32(sets[0].data, 0), 3u);
}

}  // namespace
}  // namespace softap::testing
