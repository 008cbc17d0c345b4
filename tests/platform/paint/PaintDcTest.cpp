// CPaintDC in an MFC window's OnPaint.
#include "PaintTestSupport.h"
#include "platform/present/WindowImage.h"

namespace wavorel::testing {
namespace {

class CPaintedWnd : public CWnd {
 public:
  int paints = 0;
  RECT lastPaint{};
  void OnPaint() {
    CPaintDC dc(this);
    ++paints;
    lastPaint = dc.m_ps.rcPaint;
    dc.FillSolidRect(&dc.m_ps.rcPaint, RGB(0, 128, 255));
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CPaintedWnd, CWnd)
  ON_WM_PAINT()
END_MESSAGE_MAP()

using PaintDcSuite = PaintTest;

TEST_F(PaintDcSuite, OnPaintDrawsTheUpdateAreaAndValidatesIt) {
  CPaintedWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 40, nullptr, nullptr));
  composeWindow(wnd.m_hWnd);
  EXPECT_EQ(wnd.paints, 1);
  RECT part{5, 5, 15, 10};
  InvalidateRect(wnd.m_hWnd, &part, FALSE);
  pumpMessages();
  EXPECT_EQ(wnd.paints, 2);
  EXPECT_EQ(wnd.lastPaint.right, 15);
  RECT left{};
  EXPECT_FALSE(GetUpdateRect(wnd.m_hWnd, &left, FALSE));
  EXPECT_EQ(composeWindow(wnd.m_hWnd).colorAt(30, 30), RGB(0, 128, 255));
  wnd.DestroyWindow();
}

}  // namespace
}  // namespace wavorel::testing
