// Wavorel's statistics page on the simulated adapter: the poll's codes 17-25
// in order from the standard NDIS counters, a failed statistics query, and
// the reset button.
#include <memory>

#include "frontend/BridgeCodes.h"
#include "platform/wire/Bytes.h"
#include "platform/wire/NdisStatistics.h"
#include "station/status/PageStatisticsDlg.h"
#include "tests/xp/station/XpStationPageTest.h"
#include "worker/DriverCodes.h"
#include "worker/OidRequest.h"

namespace xp::testing {
namespace {

namespace stats = wavorel::wire::ndis::statistics;

class PageStatisticsDlgTest : public XpStationPageTest {
 protected:
  void TearDown() override {
    if (page_ && page_->GetSafeHwnd()) page_->DestroyWindow();
    page_.reset();
    XpStationPageTest::TearDown();
  }
  CPageStatisticsDlg& open() {
    page_ = std::make_unique<CPageStatisticsDlg>(&frame());
    EXPECT_TRUE(page_->Create(IDD_PAGE_STATISTICS, &frame()));
    page_->ShowWindow(SW_SHOW);
    return *page_;
  }
  // One poll; the bridge values it posted.
  void poll() {
    received().clear();
    page_->SetPolling(TRUE);
    wavorel::pumpMessages();
  }
  std::vector<std::string> shown() {
    std::vector<std::string> out;
    for (const CString& v : page_->GetTransmitPage().m_values) out.emplace_back(v);
    for (const CString& v : page_->GetReceivePage().m_values) out.emplace_back(v);
    return out;
  }
  std::vector<UINT> codes() {
    std::vector<UINT> out;
    for (const BridgeValue& v : received()) out.push_back(v.code);
    return out;
  }
  std::vector<std::string> texts() {
    std::vector<std::string> out;
    for (const BridgeValue& v : received()) out.push_back(v.text);
    return out;
  }

 private:
  std::unique_ptr<CPageStatisticsDlg> page_;
};

const std::vector<UINT> kCodesInOrder = {
    BRIDGE_UI_STAT_TX_SUCCESS,  BRIDGE_UI_STAT_TX_REPEAT, BRIDGE_UI_STAT_TX_RETRY_ERROR,
    BRIDGE_UI_STAT_RTS_CORRECTION, BRIDGE_UI_STAT_TRS_ERROR, BRIDGE_UI_STAT_RX_SUCCESS,
    BRIDGE_UI_STAT_RX_CRC,      BRIDGE_UI_STAT_RX_PACKET_LOSS, BRIDGE_UI_STAT_RX_REPEAT};

TEST_F(PageStatisticsDlgTest, PollSendsTheNdisCountersInOrder) {
  join("CafeFree");
  advance(6000);
  CPageStatisticsDlg& page = open();
  poll();
  ASSERT_EQ(codes(), kCodesInOrder);
  // The same counters read the same way, at the same virtual time.
  BYTE block[176] = {};
  DWORD rcvOk = 0, noBuffer = 0, returned = 0;
  ASSERT_TRUE(QueryOid(OID_802_11_STATISTICS, block, sizeof block, &returned));
  ASSERT_TRUE(QueryOid(OID_GEN_RCV_OK, &rcvOk, 4, &returned));
  ASSERT_TRUE(QueryOid(OID_GEN_RCV_NO_BUFFER, &noBuffer, 4, &returned));
  const auto at = [&](size_t offset) { return std::to_string(wavorel::wire::getU64(block + offset)); };
  EXPECT_EQ(texts(), (std::vector<std::string>{at(stats::kTransmittedFragmentCount), at(stats::kRetryCount),
                                               at(stats::kFailedCount), at(stats::kRtsSuccessCount),
                                               at(stats::kRtsFailureCount), std::to_string(rcvOk),
                                               at(stats::kFcsErrorCount), std::to_string(noBuffer),
                                               at(stats::kFrameDuplicateCount)}));
  EXPECT_NE(texts()[0], "0") << "the link carried frames";
  const uint64_t sent = wavorel::wire::getU64(block + stats::kTransmittedFragmentCount);
  const uint64_t retried = wavorel::wire::getU64(block + stats::kRetryCount);
  EXPECT_EQ(page.GetTransmitPage().m_values[CPageStatisticsTXDlg::kWithoutRetry],
            std::to_string(static_cast<long long>(sent - retried)).c_str());
  // The driver was asked for the short (176-byte) record.
  for (const auto& call : calls()) {
    if (call.code == OID_802_11_STATISTICS) {
      EXPECT_EQ(call.size, 176u);
    }
  }
}

TEST_F(PageStatisticsDlgTest, FailedStatisticsQueryShowsZeroBesideTheReceiveCounts) {
  open();
  machine().stuckValue(OID_GEN_RCV_OK, 1234);
  machine().stuckValue(OID_GEN_RCV_NO_BUFFER, 0xFFFFFFFF);
  machine().failCode(OID_802_11_STATISTICS, 1);
  poll();
  ASSERT_EQ(codes(), kCodesInOrder);
  EXPECT_EQ(texts(), (std::vector<std::string>{"0", "0", "0", "0", "0", "1234", "0", "4294967295", "0"}));
}

TEST_F(PageStatisticsDlgTest, ResetShowsZeroAtOnceAndResetsTheDriver) {
  join("CafeFree");
  advance(6000);
  CPageStatisticsDlg& page = open();
  poll();
  ASSERT_NE(texts()[0], "0");
  machine().clearCalls();
  page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_STAT_RESET, BN_CLICKED), 0);
  EXPECT_EQ(shown(), std::vector<std::string>(10, "0")) << "before the next poll";
  CString onPage;
  page.GetTransmitPage().GetDlgItemText(CPageStatisticsTXDlg::kValueIds[CPageStatisticsTXDlg::kSuccess], onPage);
  EXPECT_EQ(onPage, "0");
  bool reset = false;
  for (const auto& call : calls()) reset |= call.code == 0x0DF10103 && call.set && call.size == 0;
  EXPECT_TRUE(reset);
  // The driver's counters start again from zero.
  poll();
  EXPECT_EQ(texts()[0], "0");
}

}  // namespace
}  // namespace xp::testing
