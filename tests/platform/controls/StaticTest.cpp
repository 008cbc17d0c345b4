#include <vector>

#include "tests/platform/controls/ControlTestSupport.h"

namespace wavorel::testing {
namespace {

using Commands = std::vector<std::pair<int, int>>;

class StaticTest : public ControlTest {};

TEST_F(StaticTest, ClicksAreReportedOnlyWithSsNotify) {
  HWND quiet = control(WC_STATIC, SS_LEFT, 1, "label");
  HWND notifying = control(WC_STATIC, SS_CENTER | SS_NOTIFY, 2);
  send(quiet, WM_LBUTTONDOWN);
  send(notifying, WM_LBUTTONDOWN);
  send(notifying, WM_LBUTTONDBLCLK);
  EXPECT_EQ(commands(), (Commands{{2, STN_CLICKED}, {2, STN_DBLCLK}}));
  EXPECT_EQ(text(quiet), "label");
  EXPECT_EQ(send(quiet, WM_GETDLGCODE), DLGC_STATIC);
}

TEST_F(StaticTest, ImagesAnswerThePreviousOne) {
  HWND s = control(WC_STATIC, SS_BITMAP);
  constexpr WPARAM kBitmap = 0, kIcon = 1;
  EXPECT_EQ(send(s, STM_SETIMAGE, kBitmap, 0x10), 0);
  EXPECT_EQ(send(s, STM_SETIMAGE, kBitmap, 0x20), 0x10);
  EXPECT_EQ(send(s, STM_GETIMAGE, kBitmap), 0x20);
  EXPECT_EQ(send(s, STM_SETICON, 0x30), 0);
  EXPECT_EQ(send(s, STM_GETICON), 0x30);
  EXPECT_EQ(send(s, STM_GETIMAGE, kIcon), 0x30) << "STM_SETICON sets the icon image";
  EXPECT_EQ(send(s, STM_GETIMAGE, 7), 0);
}

TEST_F(StaticTest, OwnerDrawnStaticAsksItsParent) {
  HWND s = control(WC_STATIC, SS_OWNERDRAW, 9);
  send(s, WM_PRINTCLIENT, 0x5);
  send(control(WC_STATIC, SS_LEFT), WM_PRINTCLIENT, 0x5);
  auto draws = seen(WM_DRAWITEM);
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].wParam, 9u);
}

}  // namespace
}  // namespace wavorel::testing
