#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/lingwell/Lingwell.h"
#include "platform/lingwell/WindowLanguage.h"
#include "platform/testing/PlatformTest.h"
#include "platform/win/user/Menu.h"
#include "platform/win/kernel/Paths.h"

namespace fs = std::filesystem;

namespace wavorel {
namespace {

class WindowLanguageTest : public testing::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    std::string program = root() + "/program";
    fs::create_directories(program + "/language");
    setProgramFolder(program, "WavorelVista.exe");
    std::ofstream(program + "/language/SimpChinese.ini", std::ios::binary)
        << "[Text]\r\nConnect=Lianjie\r\nError=Cuowu\r\nSettings=Shezhi\r\n";
    ASSERT_TRUE(SetCurLanguageType("SimpChinese"));
  }
  static HWND make(const char* cls, const char* text, HWND parent) {
    return CreateWindowEx(0, cls, text, (parent ? WS_CHILD : WS_POPUP) | WS_VISIBLE, 0, 0, 50, 20, parent, nullptr,
                          nullptr, nullptr);
  }
  static std::string text(HWND hwnd) {
    char buffer[64] = "";
    GetWindowText(hwnd, buffer, sizeof buffer);
    return buffer;
  }
};

TEST_F(WindowLanguageTest, TranslatesCaptionLabelsAndButtonsButNotData) {
  HWND top = make("Static", "Settings", nullptr);
  HWND label = make("Static", "Connect", top);
  HWND nested = make("Button", "Error", label);
  HWND edit = make("Edit", "Connect", top);
  HWND unknown = make("Static", "Unknown text", top);
  UpdateWndLanguage(CWnd::FromHandle(top));
  EXPECT_EQ(text(top), "Shezhi");
  EXPECT_EQ(text(label), "Lianjie");
  EXPECT_EQ(text(nested), "Cuowu");
  EXPECT_EQ(text(edit), "Connect");
  EXPECT_EQ(text(unknown), "Unknown text");
  UpdateWndLanguage(nullptr);
  DestroyWindow(top);
}

TEST_F(WindowLanguageTest, MenuTextsAreTranslatedKeepingIdsStatesAndSubmenus) {
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  CMenu sub;
  ASSERT_TRUE(sub.CreatePopupMenu());
  sub.AppendMenu(MF_STRING | MF_GRAYED, 21, "Error");
  menu.AppendMenu(MF_STRING | MF_CHECKED, 10, "Connect");
  menu.AppendMenu(MF_SEPARATOR);
  menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.Detach()), "Settings");
  MLMenu(&menu);
  CString s;
  menu.GetMenuString(0, s, MF_BYPOSITION);
  EXPECT_STREQ(s, "Lianjie");
  EXPECT_EQ(menu.GetMenuItemID(0), 10u);
  EXPECT_TRUE(menu.GetMenuState(10, MF_BYCOMMAND) & MF_CHECKED);
  menu.GetMenuString(2, s, MF_BYPOSITION);
  EXPECT_STREQ(s, "Shezhi");
  CMenu* pSub = menu.GetSubMenu(2);
  ASSERT_NE(pSub, nullptr);
  pSub->GetMenuString(0, s, MF_BYPOSITION);
  EXPECT_STREQ(s, "Cuowu");
  EXPECT_TRUE(pSub->GetMenuState(21, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_EQ(menu.GetMenuItemCount(), 3u);
  MLMenu(nullptr);
}

}  // namespace
}  // namespace wavorel
