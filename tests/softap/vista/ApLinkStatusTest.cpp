// The AP link-status page, added to a sheet by the test (the AP sheet holds
// it without showing it): the rows of absent chains and the noise row moved
// into their place, throughput from the counters read at activation, the SNR
// and power texts, and the radio switched off.
#include <string>
#include <vector>

#include "platform/sim/radio/Machine.h"
#include "softap/LinkStatusPage_AP.h"
#include "tests/softap/vista/ApPageSheet.h"

namespace softap::testing {
namespace {

class ApLinkStatusTest : public ApPageSheetTest<CLinkStatusPage_AP> {
 protected:
  // AP mode on the default world with its adapter's chains, the page shown.
  void openWithChains(int chains) {
    std::string world(wavorel::sim::defaultWorldText());
    world.replace(world.find("Chains = 2"), 10, "Chains = " + std::to_string(chains));
    useWorld(world);
    openSheet();
  }
  CRect rectOf(UINT id) {
    CRect r;
    page().GetDlgItem(static_cast<int>(id))->GetWindowRect(&r);
    return r;
  }
  bool shown(UINT id) { return page().GetDlgItem(static_cast<int>(id))->GetStyle() & WS_VISIBLE; }
  std::string text(CLinkStatusPage_AP::Text which) { return page().GetText(which).GetString(); }
  static std::vector<uint8_t> block() {
    std::vector<uint8_t> b(20, 0);
    DWORD returned = 0;
    QueryDriverOid_AP(0xFF0C0009, b.data(), 20, &returned);
    return b;
  }
};

TEST_F(ApLinkStatusTest, TheNoiseRowTakesThePlaceOfTheFirstAbsentChain) {
  struct Case {
    int chains;
    std::vector<UINT> hidden;
    UINT noiseAt;  // the label whose place the noise label takes
  };
  const Case cases[] = {{1, {1715, 1669, 1720, 1718, 1717, 1672, 1737, 1735}, 1715},
                        {2, {1717, 1672, 1737, 1735}, 1717}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chains);
    openWithChains(c.chains);
    for (UINT id : c.hidden) EXPECT_FALSE(shown(id)) << id;
    EXPECT_EQ(rectOf(1697), rectOf(c.noiseAt));
    EXPECT_TRUE(shown(1697));
    EXPECT_TRUE(shown(CLinkStatusPage_AP::kNoiseBarId));
    if (c.chains == 2) {
      EXPECT_TRUE(shown(1715));
    }
    closeSheet();
    restart();
  }
}

TEST_F(ApLinkStatusTest, EachTickShowsTheLinkFromTheCountersReadAtActivation) {
  useDefaultWorld("", client("Guest", "00-24-D7-00-00-0A", "Arrives = 1"));
  openSheet();
  // What the page read when it was activated (no time has passed since).
  const std::vector<uint8_t> before = block();
  wavorel::sim::machine().stuckValue(0xFF0C0023, 44);
  wavorel::sim::machine().stuckValue(0xFF0C0007, 0xFFFFFFFFu);
  tick(CLinkStatusPage_AP::kRefreshMs);
  const std::vector<uint8_t> after = block();
  char expected[32];
  std::snprintf(expected, sizeof expected, "%.1f", static_cast<uint32_t>(u32(after, 8) - u32(before, 8)) / 250.0);
  EXPECT_EQ(text(CLinkStatusPage_AP::kTxThroughput), expected);
  std::snprintf(expected, sizeof expected, "%.1f", static_cast<uint32_t>(u32(after, 12) - u32(before, 12)) / 250.0);
  EXPECT_EQ(text(CLinkStatusPage_AP::kRxThroughput), expected);
  EXPECT_EQ(text(CLinkStatusPage_AP::kSnr0), "SNR0: n/a");
  const std::string extra = text(CLinkStatusPage_AP::kExtra);
  ASSERT_GE(extra.size(), 15u);
  EXPECT_EQ(extra.substr(extra.size() - 15), " [TxPower:100%]");
  EXPECT_EQ(text(CLinkStatusPage_AP::kStatus).substr(0, 14), "Quendal-SoftAP");
  EXPECT_NE(text(CLinkStatusPage_AP::kChannel).find("6 <--> 2437 MHz"), std::string::npos);
  EXPECT_FALSE(text(CLinkStatusPage_AP::kChain0Value).empty()) << "a station is heard";
  EXPECT_TRUE(text(CLinkStatusPage_AP::kChain2Value).empty()) << "the third chain is absent";

  wavorel::sim::machine().setHardwareRadio(guid(), false);
  tick(CLinkStatusPage_AP::kRefreshMs);
  EXPECT_EQ(text(CLinkStatusPage_AP::kStatus), "RF OFF");
  EXPECT_EQ(text(CLinkStatusPage_AP::kExtra), "Link is Down");
  EXPECT_EQ(page().GetBar(CLinkStatusPage_AP::kQualityBarId), 0);
}

}  // namespace
}  // namespace softap::testing
