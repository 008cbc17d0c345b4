#include <string>
#include <vector>

#include "platform/testing/PlatformTest.h"
#include "platform/win/user/DialogTemplate.h"
#include "platform/win/kernel/Resources.h"
#include "tests/platform/resources/ResourceTestData.h"

namespace wavorel {
namespace {

using ResourcesDialog = testing::PlatformTest;

constexpr DWORD kChild = 0x40000000, kVisible = 0x10000000, kTabStop = 0x00010000, kGroup = 0x00020000;
constexpr DWORD kBorder = 0x00800000, kDisabled = 0x08000000, kVScroll = 0x00200000;

TEST_F(ResourcesDialog, DialogExTemplateReadsBack) {
  DialogTemplate t;
  ASSERT_TRUE(findDialogTemplate(nullptr, MAKEINTRESOURCE(IDD_MAIN), t));
  EXPECT_EQ(t.style, 0x40u | 0x80u | 0x80000000u | 0x00C00000u | 0x00080000u);  // DS_SETFONT|DS_MODALFRAME|WS_POPUP|WS_CAPTION|WS_SYSMENU
  EXPECT_EQ(t.exStyle, 0x80u);                                                    // WS_EX_TOOLWINDOW
  EXPECT_EQ(t.rect.left, 10);
  EXPECT_EQ(t.rect.top, 20);
  EXPECT_EQ(t.rect.right, 210);
  EXPECT_EQ(t.rect.bottom, 140);
  EXPECT_EQ(t.caption, "Main /* not a comment */");
  ASSERT_TRUE(t.hasFont);
  EXPECT_EQ(t.font.pointSize, 8);
  EXPECT_EQ(t.font.weight, 400);
  EXPECT_EQ(t.font.italic, 0);
  EXPECT_EQ(t.font.charset, 1);
  EXPECT_EQ(t.font.face, "Trebuchet MS");
  EXPECT_TRUE(t.menu.isOrdinal);
  EXPECT_EQ(t.menu.ordinal, IDR_TRAY);
  EXPECT_TRUE(t.windowClass.empty());

  struct Expected {
    DWORD id;
    const char* cls;
    const char* text;
    DWORD style;
    DWORD exStyle;
    RECT rect;
  } expected[] = {
      {1, "Button", "OK", kChild | kVisible | kTabStop | 0x1, 0, {140, 100, 190, 114}},
      {IDC_APPLY, "Button", "&Apply", kChild | kVisible | kDisabled, 0, {80, 100, 130, 114}},
      {0xFFFFFFFF, "Static", "Name:", kChild | kVisible | kGroup, 0, {5, 5, 45, 13}},
      {IDC_NAME, "Edit", "", kChild | kVisible | kTabStop | 0x80, 0, {50, 5, 150, 17}},
      {IDC_MODE, "ComboBox", "", kChild | kVisible | kTabStop | 0x3 | kVScroll, 0, {50, 20, 150, 80}},
      {IDC_MODE + 100, "Button", "Station", kChild | kVisible | kTabStop | kGroup | 0x9, 0, {5, 40, 65, 50}},
      {IDC_LIST, "SysListView32", "", kChild | kVisible | 0x1 | kBorder, 0x200, {5, 55, 195, 95}},
      {IDC_TABS, "Button", "Tabs", kChild | kVisible | 0x7, 0, {5, 0, 6, 1}},
      {IDC_LOGO, "Static", nullptr, kChild | kVisible | 0x3, 0, {170, 5, 170, 5}},
      {0xFFFFFFFF, "Button", "Group", kChild | kVisible | 0x7, 0, {0, 0, 10, 10}},
  };
  ASSERT_EQ(t.controls.size(), std::size(expected));
  for (size_t i = 0; i < t.controls.size(); ++i) {
    const DialogControl& c = t.controls[i];
    const Expected& e = expected[i];
    SCOPED_TRACE("control " + std::to_string(i));
    EXPECT_EQ(c.id, e.id);
    EXPECT_EQ(c.className, e.cls);
    if (e.text != nullptr) {
      EXPECT_FALSE(c.text.isOrdinal);
      EXPECT_EQ(c.text.text, e.text);
    } else {
      EXPECT_TRUE(c.text.isOrdinal) << "an ICON control names its icon by id";
      EXPECT_EQ(c.text.ordinal, IDI_APP);
    }
    EXPECT_EQ(c.style, e.style);
    EXPECT_EQ(c.exStyle, e.exStyle);
    EXPECT_EQ(c.rect.left, e.rect.left);
    EXPECT_EQ(c.rect.top, e.rect.top);
    EXPECT_EQ(c.rect.right, e.rect.right);
    EXPECT_EQ(c.rect.bottom, e.rect.bottom);
    EXPECT_TRUE(c.creationData.empty());
  }
}

TEST_F(ResourcesDialog, PlainDialogGetsDefaultStyleAndItsInitialItems) {
  DialogTemplate t;
  ASSERT_TRUE(findDialogTemplate(nullptr, "Config", t));
  EXPECT_EQ(t.style, 0x80000000u | 0x00800000u | 0x00080000u | 0x40u) << "WS_POPUP|WS_BORDER|WS_SYSMENU, DS_SETFONT from FONT";
  EXPECT_EQ(t.font.face, "MS Shell Dlg");
  EXPECT_EQ(t.font.pointSize, 9);
  ASSERT_EQ(t.controls.size(), 1u);
  EXPECT_EQ(t.controls[0].style, kChild | kVisible | kTabStop | 0x1) << "COMBOBOX alone is CBS_SIMPLE";

  std::vector<DialogInitItem> items;
  ASSERT_TRUE(findDialogInit(nullptr, "config", items));
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].controlId, IDC_MODE);
  EXPECT_EQ(items[0].message, 0x403);
  EXPECT_EQ(std::string(items[0].data.begin(), items[0].data.end()), std::string("Ad hoc\0", 7));
  EXPECT_EQ(std::string(items[1].data.begin(), items[1].data.end()), std::string("Infrastructure\0", 15));
  EXPECT_FALSE(findDialogInit(nullptr, MAKEINTRESOURCE(IDD_MAIN), items));
  EXPECT_TRUE(items.empty());
}

TEST_F(ResourcesDialog, TruncatedTemplatesAreRefused) {
  std::vector<BYTE> full = testing::resourceBytes(nullptr, RT_DIALOG, MAKEINTRESOURCE(IDD_MAIN));
  ASSERT_FALSE(full.empty());
  DialogTemplate t;
  for (size_t n = 0; n < full.size(); ++n) {
    std::vector<BYTE> cut(full.begin(), full.begin() + n);  // its own allocation, so ASan sees overreads
    EXPECT_FALSE(parseDialogTemplate(cut.data(), cut.size(), t)) << n << " of " << full.size() << " bytes";
  }
  EXPECT_TRUE(parseDialogTemplate(full.data(), full.size(), t));
  std::vector<BYTE> wrongVersion = full;
  wrongVersion[0] = 2;
  EXPECT_FALSE(parseDialogTemplate(wrongVersion.data(), wrongVersion.size(), t));
}

TEST_F(ResourcesDialog, DialogUnitsBecomePixelsWithMulDivRounding) {
  struct Case {
    RECT units;
    int cxChar, cyChar;
    RECT pixels;
  } cases[] = {
      {{0, 0, 4, 8}, 7, 16, {0, 0, 7, 16}},
      {{3, 3, 2, 1}, 7, 13, {5, 5, 4, 2}},       // 21/4 = 5.25 -> 5; 39/8 -> 5; 14/4 = 3.5 -> 4; 13/8 -> 2
      {{-2, -4, 10, 12}, 7, 13, {-4, -7, 18, 20}},  // halves round away from zero
      {{529, 150, 388, 223}, 6, 13, {794, 244, 582, 362}},
  };
  for (const Case& c : cases) {
    RECT r = dialogUnitsToPixels(c.units, c.cxChar, c.cyChar);
    EXPECT_EQ(r.left, c.pixels.left);
    EXPECT_EQ(r.top, c.pixels.top);
    EXPECT_EQ(r.right, c.pixels.right);
    EXPECT_EQ(r.bottom, c.pixels.bottom);
  }
}

}  // namespace
}  // namespace wavorel
