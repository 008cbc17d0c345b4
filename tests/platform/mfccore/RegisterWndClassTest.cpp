#include <gtest/gtest.h>

#include <string>

#include "platform/Platform.h"
#include "platform/testing/PlatformTest.h"

namespace {

using RegisterWndClass = wavorel::testing::PlatformTest;

class CCounting : public CWnd {
 public:
  int timers = 0;
  void OnTimer(UINT_PTR) { ++timers; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCounting, CWnd)
  ON_WM_TIMER()
END_MESSAGE_MAP()

TEST_F(RegisterWndClass, SameArgumentsGiveOneClassOthersAnother) {
  const std::string plain = AfxRegisterWndClass(0);
  EXPECT_EQ(std::string(AfxRegisterWndClass(0)), plain);
  const std::string dbl = AfxRegisterWndClass(CS_DBLCLKS);
  EXPECT_NE(dbl, plain);
  WNDCLASS wc{};
  ASSERT_TRUE(GetClassInfo(nullptr, dbl.c_str(), &wc));
  EXPECT_EQ(wc.style, static_cast<UINT>(CS_DBLCLKS));
}

TEST_F(RegisterWndClass, WindowOfTheClassRunsThroughItsObject) {
  CCounting wnd;
  ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "hidden", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr));
  EXPECT_FALSE(wnd.IsWindowVisible());
  char cls[128] = {};
  GetClassName(wnd.m_hWnd, cls, sizeof cls);
  EXPECT_EQ(std::string(cls), std::string(AfxRegisterWndClass(0)));
  wnd.SetTimer(7, 10, nullptr);
  clock().advance(10);
  wavorel::pumpMessages();
  EXPECT_EQ(wnd.timers, 1);
  // Unhandled messages reach the default procedure.
  EXPECT_EQ(wnd.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x")), TRUE);
  wnd.DestroyWindow();
}

}  // namespace
