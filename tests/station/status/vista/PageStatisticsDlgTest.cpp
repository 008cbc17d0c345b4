// The statistics page on the host: the 2-second poll while shown, the bridge
// codes 17 to 25, the reset (also restarting the link page's byte counts) and
// the worker's bridge commands 2 and 16.
#include "station/status/PageStatisticsDlg.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tests/station/status/vista/LinkStatusTest.h"

namespace station::testing {
namespace {

constexpr UINT kTxCodes[] = {BRIDGE_UI_STAT_TX_SUCCESS, BRIDGE_UI_STAT_TX_REPEAT, BRIDGE_UI_STAT_TX_RETRY_ERROR,
                             BRIDGE_UI_STAT_RTS_CORRECTION, BRIDGE_UI_STAT_TRS_ERROR};
constexpr UINT kRxCodes[] = {BRIDGE_UI_STAT_RX_SUCCESS, BRIDGE_UI_STAT_RX_CRC, BRIDGE_UI_STAT_RX_PACKET_LOSS,
                             BRIDGE_UI_STAT_RX_REPEAT};

class PageStatisticsDlgTest : public LinkStatusTest {
 protected:
  CPageStatisticsDlg& stats() {
    return *static_cast<CPageStatisticsDlg*>(host()->GetTabPage(kHostTabStatistics));
  }
  std::string tx(CPageStatisticsTXDlg::Row row) {
    CString text;
    stats().GetTransmitPage().GetDlgItemText(CPageStatisticsTXDlg::kValueIds[row], text);
    return static_cast<LPCSTR>(text);
  }
  std::string rx(CPageStatisticsRXDlg::Row row) {
    CString text;
    stats().GetReceivePage().GetDlgItemText(CPageStatisticsRXDlg::kValueIds[row], text);
    return static_cast<LPCSTR>(text);
  }
  // The codes of the bridge values received, in order.
  std::vector<UINT> codes() {
    std::vector<UINT> out;
    for (const auto& v : received())
      if (v.code >= BRIDGE_UI_STAT_TX_SUCCESS && v.code <= BRIDGE_UI_STAT_RX_REPEAT) out.push_back(v.code);
    return out;
  }
  static int64_t number(const std::string& text) { return std::stoll(text); }
};

TEST_F(PageStatisticsDlgTest, ShownItPollsEveryTwoSecondsAndReportsEachCounter) {
  connectCafe();
  ASSERT_NE(host()->GetTabPage(kHostTabStatistics), nullptr);
  stats().ShowWindow(SW_SHOW);
  received().clear();
  advance(1900);
  EXPECT_TRUE(codes().empty()) << "nothing before the first period";
  advance(100);
  const std::vector<UINT> order = {17, 18, 19, 20, 21, 22, 23, 24, 25};
  EXPECT_EQ(order, codes());

  // The simulated link sends 20 frames a second: the counters are the driver's.
  const int64_t sent = number(tx(CPageStatisticsTXDlg::kSuccess));
  const int64_t retried = number(tx(CPageStatisticsTXDlg::kRetried));
  EXPECT_GT(sent, 0);
  EXPECT_EQ(std::to_string(sent), lastOf(BRIDGE_UI_STAT_TX_SUCCESS));
  EXPECT_EQ(std::to_string(sent - retried), tx(CPageStatisticsTXDlg::kWithoutRetry));
  EXPECT_GT(number(rx(CPageStatisticsRXDlg::kSuccess)), 0);
  EXPECT_EQ(rx(CPageStatisticsRXDlg::kSuccess), lastOf(BRIDGE_UI_STAT_RX_SUCCESS));
  EXPECT_EQ(rx(CPageStatisticsRXDlg::kNoBuffer), lastOf(BRIDGE_UI_STAT_RX_PACKET_LOSS));

  ticks(1);
  EXPECT_EQ(order, codes());
  EXPECT_EQ(sent + 40, number(tx(CPageStatisticsTXDlg::kSuccess))) << "two seconds more";

  stats().ShowWindow(SW_HIDE);
  ticks(3);
  EXPECT_TRUE(codes().empty()) << "hidden, the poll stops";
}

TEST_F(PageStatisticsDlgTest, WithoutTheBlockEveryBlockCounterShowsZero) {
  startWithHost();
  wavorel::sim::machine().setPresent(guid(), false);
  received().clear();
  stats().SetPolling(TRUE);
  wavorel::pumpMessages();
  for (auto row : {CPageStatisticsTXDlg::kSuccess, CPageStatisticsTXDlg::kWithoutRetry,
                   CPageStatisticsTXDlg::kRetried, CPageStatisticsTXDlg::kFailed,
                   CPageStatisticsTXDlg::kRtsSuccess, CPageStatisticsTXDlg::kRtsFailure})
    EXPECT_EQ("0", tx(row)) << row;
  for (auto row : {CPageStatisticsRXDlg::kSuccess, CPageStatisticsRXDlg::kCrcError,
                   CPageStatisticsRXDlg::kNoBuffer, CPageStatisticsRXDlg::kDuplicate})
    EXPECT_EQ("0", rx(row)) << row;
  EXPECT_EQ(9u, codes().size());
}

TEST_F(PageStatisticsDlgTest, BridgeCommandsStartStopAndReset) {
  connectCafe();
  received().clear();
  command(BRIDGE_CMD_STATISTICS_POLL, "1");
  EXPECT_EQ(9u, codes().size()) << "code 2 polls at once";
  EXPECT_NE(0u, stats().GetTimerId());
  ticks(2);
  EXPECT_EQ(18u, codes().size()) << "and every 2000 ms after";
  EXPECT_GT(number(tx(CPageStatisticsTXDlg::kSuccess)), 40);

  // Code 16 presses "Reset Counter": "0" at once, then the fresh counters.
  command(BRIDGE_CMD_CLEAR_STATISTICS, "0");
  for (UINT id : CPageStatisticsTXDlg::kValueIds) {
    CString text;
    stats().GetTransmitPage().GetDlgItemText(id, text);
    EXPECT_STREQ("0", text.GetString());
  }
  EXPECT_EQ("0", rx(CPageStatisticsRXDlg::kSuccess));
  ticks(1);
  EXPECT_EQ(40, number(tx(CPageStatisticsTXDlg::kSuccess))) << "the driver's counters restarted";

  command(BRIDGE_CMD_STATISTICS_POLL, "0");
  EXPECT_EQ(0u, stats().GetTimerId());
  ticks(2);
  EXPECT_TRUE(codes().empty()) << "code 2 with 0 stops the poll";
}

TEST_F(PageStatisticsDlgTest, ResetRestartsTheLinkPagesThroughput) {
  connectCafe();
  ticks(3);
  const double before = std::stod(text(CLinkStatusDlg::kTxThroughput));
  ASSERT_GT(before, 0.0);
  // After a reset the driver's byte words restart and the link page counts
  // its next sample from zero: at most one period's bytes, not the bytes
  // since the link came up nor a wrapped difference.
  stats().SendMessage(WM_COMMAND, MAKEWPARAM(IDC_STAT_RESET, BN_CLICKED), 0);
  ticks(1);
  const double after = std::stod(text(CLinkStatusDlg::kTxThroughput));
  EXPECT_GT(after, 0.0);
  EXPECT_LE(after, before);
}

}  // namespace
}  // namespace station::testing
