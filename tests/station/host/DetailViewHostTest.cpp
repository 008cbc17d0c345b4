// The detail view as the host's secondary dialog 4: shown through the worker
// with a record of a list, and Close hands back to secondary dialog 0.
#include "station/status/APDetailInfoDlg.h"
#include "station/status/PageGeneralDlg.h"
#include "tests/station/host/StationHostTest.h"
#include "tests/worker/BssRecordBuilder.h"

namespace station::testing {
namespace {

using DetailViewHostTest = StationHostTest;

// Shown itself (the host around it stays hidden).
bool ownStyleVisible(CWnd& window) { return (window.GetStyle() & WS_VISIBLE) != 0; }

TEST_F(DetailViewHostTest, ShownWithARecordAndClosedBackToTheFirstDialog) {
  startWithHost();
  auto* detail = dynamic_cast<CAPDetailInfoDlg*>(host()->GetSecondaryDialog(kHostDlgApDetailInfo));
  ASSERT_NE(detail, nullptr);
  EXPECT_FALSE(ownStyleVisible(*detail));

  worker::testing::BssRecordFields fields;
  fields.ssid = "Detail";
  fields.elements = worker::testing::Element(0, {'D', 'e', 't', 'a', 'i', 'l'});
  const worker::testing::Bytes record = worker::testing::BssRecord(fields);
  detail->SetBssRecord(reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(record.data()));
  worker().ShowPage(kHostDlgApDetailInfo);
  wavorel::pumpMessages();
  EXPECT_TRUE(ownStyleVisible(*detail));
  CString ssid;
  detail->GetGeneralPage()->GetDlgItemText(IDC_GENERAL_SSID, ssid);
  EXPECT_STREQ(ssid, "Detail");

  detail->GetCloseButton().SendMessage(BM_CLICK);
  wavorel::pumpMessages();
  EXPECT_EQ(worker().GetCurrentPage(), kHostDlgLinkStatus);
  EXPECT_FALSE(ownStyleVisible(*detail));
}

}  // namespace
}  // namespace station::testing
