// Pictures of the AP pages as a person would see them, written as PNG files
// and probed: Access Control with three addresses and the in-place edit open,
// Mac Table with an HT and a CCK station, 11n Setting with two originator
// rows, and the link-status page of an adapter with two chains.
#include <string>
#include <vector>

#include "platform/mfc/ControlRef.h"
#include "softap/AccessControlPage_AP.h"
#include "softap/BlockAck_AP.h"
#include "softap/LinkStatusPage_AP.h"
#include "softap/MacTablePage_AP.h"
#include "tests/softap/vista/ApPageSheet.h"

namespace softap::testing {
namespace {

CRect screenRect(CWnd* window) {
  CRect r;
  window->GetWindowRect(&r);
  return r;
}

using AccessControlPicture = ApPageSheetTest<CAccessControlPage_AP>;

TEST_F(AccessControlPicture, ThreeAddressesWithTheInPlaceEditOpen) {
  openSheet({{"AccessControlPolicy", "1"}});
  for (const char* mac : {"0024D700000A", "0024D700000B", "0024D700000C"}) {
    setText(CMacListPage_AP::kMacEditId, mac);
    press(CMacListPage_AP::kAddId);
  }
  CListBox& list = page().GetList();
  list.SetCurSel(1);
  page().SendMessage(WM_COMMAND, MAKEWPARAM(CAccessControlPage_AP::kListId, LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(list.GetSafeHwnd()));
  const wavorel::WindowImage image = picture("ap-access-control.png");
  for (int row : {0, 2}) {
    CRect r;
    list.GetItemRect(row, &r);
    list.ClientToScreen(&r);
    EXPECT_GT(darkPixels(image, r, 180), 10) << "row " << row << ", grey: the list is locked during the change";
  }
  EXPECT_GT(darkPixels(image, screenRect(page().GetDlgItem(CMacListPage_AP::kChangeEditId))), 10) << "the edit's text";
  EXPECT_GT(darkPixels(image, screenRect(page().GetDlgItem(CMacListPage_AP::kModifyId))), 5) << "Modify";
}

using MacTablePicture = ApPageSheetTest<CMacTablePage_AP>;

TEST_F(MacTablePicture, AnHtAndACckStation) {
  useDefaultWorld("", client("Fast", "00-24-D7-00-00-0A", "Rate = 7\nBandwidth = 40\nShortGi = yes\nArrives = 1") +
                          client("Old", "00-24-D7-00-00-0B", "Phy = cck\nRate = 3\nArrives = 1"));
  openSheet();
  tick(CMacTablePage_AP::kRefreshMs);
  ControlRef<CListCtrl> ref(&page(), CMacTablePage_AP::kListId);
  CListCtrl* list = ref.get();
  ASSERT_GE(list->GetItemCount(), 2);
  EXPECT_EQ(list->GetItemText(1, 3), "B: Rate = 11.00");
  const wavorel::WindowImage image = picture("ap-mac-table.png");
  for (int row = 0; row < 2; ++row)
    for (int column = 0; column < 4; ++column) {
      CRect cell;
      ASSERT_TRUE(list->GetSubItemRect(row, column, LVIR_LABEL, cell));
      list->ClientToScreen(&cell);
      EXPECT_GT(darkPixels(image, cell), 5) << row << "," << column;
    }
}

using BlockAckPicture = ApPageSheetTest<CBlockAck_AP>;

TEST_F(BlockAckPicture, TwoOriginatorRows) {
  useDefaultWorld("", client("One", "00-24-D7-00-00-0A", "Arrives = 1") +
                          client("Two", "00-24-D7-00-00-0B", "Arrives = 1"));
  openSheet();
  tick(1500);
  for (BYTE last : {0x0A, 0x0B}) {
    std::vector<BYTE> command = {0, 0x00, 0x24, 0xD7, 0, 0, last, 0, 32, 0, 0, 0, 0, 0};
    ASSERT_TRUE(SetDriverRecord_AP(0xFF8C0025, command));
    command[7] = 5;
    ASSERT_TRUE(SetDriverRecord_AP(0xFF8C0025, command));
  }
  tick(CBlockAck_AP::kRefreshMs);
  ASSERT_EQ(page().GetRows(CBlockAck_AP::kOriginator).size(), 2u);
  ControlRef<CListCtrl> ref(&page(), CBlockAck_AP::kOriginatorListId);
  CListCtrl* list = ref.get();
  EXPECT_EQ(list->GetItemText(1, 6), "32") << "TID 5";
  const wavorel::WindowImage image = picture("ap-11n-setting.png");
  for (int row = 0; row < 2; ++row) {
    CRect cell;
    ASSERT_TRUE(list->GetSubItemRect(row, 0, LVIR_LABEL, cell));
    list->ClientToScreen(&cell);
    EXPECT_GT(darkPixels(image, cell), 10) << row;
  }
}

using LinkStatusPicture = ApPageSheetTest<CLinkStatusPage_AP>;

TEST_F(LinkStatusPicture, TwoChains) {
  useDefaultWorld("", client("Guest", "00-24-D7-00-00-0A", "Arrives = 1"));
  openSheet();
  tick(CLinkStatusPage_AP::kRefreshMs);
  ASSERT_FALSE(page().GetText(CLinkStatusPage_AP::kChain1Value).IsEmpty());
  const wavorel::WindowImage image = picture("ap-link-status.png");
  // Both chains' values are drawn; the noise label stands where the third
  // chain's would.
  for (UINT id : {1047u, 1718u, 1697u, 1049u})
    EXPECT_GT(darkPixels(image, screenRect(page().GetDlgItem(static_cast<int>(id)))), 5) << id;
  EXPECT_GT(page().GetBar(CLinkStatusPage_AP::kChainBarIds[1]), 0);
}

}  // namespace
}  // namespace softap::testing
