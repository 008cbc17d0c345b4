// CFont: point sizes through the DC's resolution, the LOGFONT kept, wrappers.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "platform/Platform.h"
#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/Root.h"

namespace wavorel::testing {
namespace {

class CFontTest : public PlatformTest {};

TEST_F(CFontTest, PointSizesBecomeNegativePixelHeightsAt96Dpi) {
  struct Case {
    int tenths;
    LONG height;
  } cases[] = {
      {90, -12},   // 9 pt: exactly 12 pixels
      {80, -11},   // 10.67 rounds up
      {100, -13},  // 13.33 rounds down
      {95, -13},   // 12.67: rounded, not cut
      {-90, -12},  // the sign of the request does not matter
  };
  for (const Case& c : cases) {
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(c.tenths, "Tahoma")) << c.tenths;
    LOGFONT lf{};
    ASSERT_EQ(font.GetLogFont(&lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfHeight, c.height) << c.tenths;
    EXPECT_STREQ(lf.lfFaceName, "Tahoma");
    EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(lf.lfWeight, FW_DONTCARE);
  }
}

TEST_F(CFontTest, PointFontIndirectConvertsOnlyTheHeightAndUsesTheGivenDc) {
  HDC screen = GetDC(nullptr);
  CDC* dc = CDC::FromHandle(screen);
  LOGFONT in{};
  in.lfHeight = 120;
  in.lfWeight = FW_BOLD;
  in.lfItalic = TRUE;
  std::strcpy(in.lfFaceName, "Trebuchet MS");
  CFont font;
  ASSERT_TRUE(font.CreatePointFontIndirect(&in, dc));
  LOGFONT out{};
  font.GetLogFont(&out);
  EXPECT_EQ(out.lfHeight, -16);
  EXPECT_EQ(out.lfWeight, FW_BOLD);
  EXPECT_EQ(out.lfItalic, TRUE);
  EXPECT_STREQ(out.lfFaceName, "Trebuchet MS");
  ReleaseDC(nullptr, screen);

  // A face name longer than LF_FACESIZE - 1 is cut and stays terminated.
  CFont longName;
  ASSERT_TRUE(longName.CreatePointFont(90, "A face name that is far longer than thirty-one characters"));
  longName.GetLogFont(&out);
  EXPECT_EQ(std::strlen(out.lfFaceName), static_cast<size_t>(LF_FACESIZE - 1));
}

TEST_F(CFontTest, HandlesAndWrappers) {
  CFont font;
  EXPECT_FALSE(font.CreateFontIndirect(nullptr));
  ASSERT_TRUE(font.CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 1, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma"));
  HFONT handle = font;
  EXPECT_EQ(GetObjectType(handle), static_cast<DWORD>(OBJ_FONT));
  EXPECT_EQ(CFont::FromHandle(handle), &font);  // the attached object itself
  LOGFONT lf{};
  font.GetLogFont(&lf);
  EXPECT_EQ(lf.lfUnderline, 1);

  // A handle that belongs to no object gets a temporary wrapper that does not
  // delete it.
  HFONT stock = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  CFont* temporary = CFont::FromHandle(stock);
  ASSERT_NE(temporary, nullptr);
  EXPECT_EQ(static_cast<HFONT>(*temporary), stock);
  CGdiObject::DeleteTempMap();
  EXPECT_EQ(GetObjectType(stock), static_cast<DWORD>(OBJ_FONT));

  EXPECT_TRUE(font.DeleteObject());
  EXPECT_EQ(GetObjectType(handle), 0u);
}

TEST_F(CFontTest, MenuFontOfTheNonClientMetrics) {
  NONCLIENTMETRICS ncm{};
  ncm.cbSize = sizeof ncm;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0));
  EXPECT_EQ(ncm.iMenuHeight + 1, GetSystemMetrics(SM_CYMENU));
  EXPECT_EQ(ncm.iCaptionHeight + 1, GetSystemMetrics(SM_CYCAPTION));
  EXPECT_EQ(ncm.lfCaptionFont.lfWeight, FW_BOLD);
  CFont menu;
  ASSERT_TRUE(menu.CreateFontIndirect(&ncm.lfMenuFont));
  LOGFONT lf{};
  menu.GetLogFont(&lf);
  EXPECT_EQ(lf.lfHeight, -11);
  EXPECT_STREQ(lf.lfFaceName, "Tahoma");

  // The record without its last field is also accepted, and that field kept.
  const UINT older = offsetof(NONCLIENTMETRICS, iPaddedBorderWidth);
  NONCLIENTMETRICS old{};
  old.cbSize = older;
  old.iPaddedBorderWidth = 77;
  EXPECT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, older, &old, 0));
  EXPECT_EQ(old.iPaddedBorderWidth, 77);
  EXPECT_STREQ(old.lfMessageFont.lfFaceName, "Tahoma");

  struct Bad {
    UINT param, cbSize;
  } bad[] = {{sizeof ncm, 0}, {0, sizeof ncm}, {sizeof ncm - 1, sizeof ncm - 1}, {older, sizeof ncm}};
  for (const Bad& b : bad) {
    NONCLIENTMETRICS m{};
    m.cbSize = b.cbSize;
    SetLastError(0);
    EXPECT_FALSE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, b.param, &m, 0)) << b.param << " " << b.cbSize;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  }
  EXPECT_FALSE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof ncm, nullptr, 0));
}

TEST_F(CFontTest, SetNonClientMetricsReplacesThemUntilANewRoot) {
  NONCLIENTMETRICS ncm{};
  ncm.cbSize = sizeof ncm;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0));
  ncm.lfMenuFont.lfHeight = -20;
  std::strcpy(ncm.lfMenuFont.lfFaceName, "Courier New");
  ncm.cbSize = 0;
  EXPECT_FALSE(SystemParametersInfo(SPI_SETNONCLIENTMETRICS, sizeof ncm, &ncm, 0)) << "a record of no size";
  ncm.cbSize = sizeof ncm;
  ASSERT_TRUE(SystemParametersInfo(SPI_SETNONCLIENTMETRICS, sizeof ncm, &ncm, 0));
  NONCLIENTMETRICS now{};
  now.cbSize = sizeof now;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof now, &now, 0));
  EXPECT_EQ(now.lfMenuFont.lfHeight, -20);
  EXPECT_STREQ(now.lfMenuFont.lfFaceName, "Courier New");
  EXPECT_STREQ(now.lfCaptionFont.lfFaceName, "Tahoma") << "the rest as it was";

  resetPlatformState();
  ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof now, &now, 0));
  EXPECT_EQ(now.lfMenuFont.lfHeight, -11);
}

}  // namespace
}  // namespace wavorel::testing
