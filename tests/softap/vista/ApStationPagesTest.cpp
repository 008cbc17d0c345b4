// The Mac Table and Statistics pages on the worker's own sheet, with
// stations of the simulated AP: the rows and their status texts, a failed
// read that keeps them, the counters with and without a station and their
// reset.
#include <string>
#include <vector>

#include "platform/mfc/ControlRef.h"
#include "softap/QzPropSheet_AP.h"
#include "tests/softap/ApWorkerTest.h"

namespace softap::testing {
namespace {

class ApStationPagesTest : public ApWorkerTest {
 protected:
  static CQzPropSheet_AP* sheet() { return worker() ? worker()->GetSheet() : nullptr; }
  static std::vector<std::vector<std::string>> rows() {
    std::vector<std::vector<std::string>> out;
    CMacTablePage_AP& page = sheet()->GetMacTablePage();
    ControlRef<CListCtrl> ref(&page, CMacTablePage_AP::kListId);
    CListCtrl* list = ref.get();
    for (int r = 0; list && r < list->GetItemCount(); ++r) {
      out.emplace_back();
      for (int c = 0; c < 4; ++c) out.back().emplace_back(static_cast<LPCSTR>(list->GetItemText(r, c)));
    }
    return out;
  }
  static std::string counter(CStatisticPage_AP::Counter which) {
    return static_cast<LPCSTR>(sheet()->GetStatisticPage().GetCounterText(which));
  }
};

TEST_F(ApStationPagesTest, MacTableListsTheAdmittedStationsAndKeepsThemWhenAReadFails) {
  useDefaultWorld("", client("Fast", "00-24-D7-00-00-0A", "Rate = 7\nBandwidth = 40\nShortGi = yes\nArrives = 2") +
                          client("Old", "00-24-D7-00-00-0B", "Phy = cck\nRate = 4\nArrives = 2"));
  startWith({});
  ASSERT_NE(sheet(), nullptr);
  sheet()->SetActivePage(&sheet()->GetMacTablePage());
  pump();
  tick(3000);
  tick(CMacTablePage_AP::kRefreshMs);
  const std::vector<std::vector<std::string>> expected = {
      {"00-24-D7-00-00-0A", "1", "No", "N: MCS = 7, BW = 40, GI = 400, Rate = 150.00"},
      {"00-24-D7-00-00-0B", "2", "No", "B: Rate = 0.00"}};
  // The default world's own client comes later.
  const auto shown = rows();
  ASSERT_GE(shown.size(), 2u);
  EXPECT_EQ(std::vector<std::vector<std::string>>(shown.begin(), shown.begin() + 2), expected);
  wavorel::sim::machine().failCode(0xFF0C0029, 1);
  tick(CMacTablePage_AP::kRefreshMs);
  EXPECT_EQ(rows(), shown) << "a failed read keeps the rows";
  // Leaving the page stops the refresh.
  sheet()->SetActivePage(&sheet()->GetConfigPage());
  wavorel::sim::clearDriverCalls();
  tick(3 * CMacTablePage_AP::kRefreshMs);
  for (const auto& c : calls()) EXPECT_NE(c.code, 0xFF0C0029u);
}

TEST_F(ApStationPagesTest, CountersStayZeroWithoutAStationGrowWithOneAndReset) {
  useDefaultWorld("", client("Guest", "00-24-D7-00-00-0A", "Arrives = 6"));
  startWith({});
  ASSERT_NE(sheet(), nullptr);
  sheet()->SetActivePage(&sheet()->GetStatisticPage());
  pump();
  tick(CStatisticPage_AP::kRefreshMs);
  for (auto c : {CStatisticPage_AP::kTxSuccess, CStatisticPage_AP::kRxSuccess, CStatisticPage_AP::kTxAfterRetry,
                 CStatisticPage_AP::kRxDuplicate})
    EXPECT_EQ(counter(c), "0") << c;
  tick(10000);
  const long long sent = std::atoll(counter(CStatisticPage_AP::kTxSuccess).c_str());
  EXPECT_GT(sent, 0);
  EXPECT_GT(std::atoll(counter(CStatisticPage_AP::kRxSuccess).c_str()), 0);
  CWnd* shown = sheet()->GetStatisticPage().GetDlgItem(1111);
  CString text;
  shown->GetWindowText(text);
  EXPECT_EQ(std::string(text), counter(CStatisticPage_AP::kTxSuccess));

  wavorel::sim::clearDriverCalls();
  sheet()->GetStatisticPage().SendMessage(WM_COMMAND, CStatisticPage_AP::kResetId);
  for (int c = 0; c < CStatisticPage_AP::kCounterCount; ++c)
    EXPECT_EQ(counter(static_cast<CStatisticPage_AP::Counter>(c)), "0");
  const auto resets = setsOf(0xFF8C000C);
  ASSERT_EQ(resets.size(), 1u);
  EXPECT_TRUE(resets[0].data.empty());
  tick(CStatisticPage_AP::kRefreshMs);
  EXPECT_LT(std::atoll(counter(CStatisticPage_AP::kTxSuccess).c_str()), sent) << "the driver counts anew";
}

}  // namespace
}  // namespace softap::testing
