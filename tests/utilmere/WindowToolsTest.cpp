#include <string>
#include <vector>

#include "platform/testing/PlatformTest.h"
#include "platform/testing/TestBitmaps.h"
#include "platform/win/commctrl/CommonControls.h"
#include "utilmere/WindowTools.h"

namespace {

const COLORREF kYellow = RGB(255, 255, 0);
const COLORREF kGrey = RGB(128, 128, 128);

class WindowToolsTest : public wavorel::testing::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    parent_ = CreateWindowEx(0, "STATIC", "parent", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr,
                             nullptr, nullptr);
    ASSERT_NE(parent_, nullptr);
  }
  void TearDown() override {
    DestroyWindow(parent_);
    PlatformTest::TearDown();
  }

  template <class Pixel>
  static void writeBmp(const char* path, int width, int height, Pixel pixel) {
    ASSERT_TRUE(wavorel::testing::writeBmp(path, width, height, pixel));
  }

  // A memory DC over a 32-bit bitmap filled with grey.
  struct Canvas {
    CDC dc;
    CBitmap bitmap;
    CBitmap* old = nullptr;
    Canvas(int width, int height) {
      CDC screen;
      screen.Attach(GetDC(nullptr));
      dc.CreateCompatibleDC(&screen);
      bitmap.CreateBitmap(width, height, 1, 32, nullptr);
      old = dc.SelectObject(&bitmap);
      dc.FillSolidRect(0, 0, width, height, kGrey);
      ReleaseDC(nullptr, screen.Detach());
    }
    ~Canvas() { dc.SelectObject(old); }
  };

  HWND parent_ = nullptr;
};

// Three 4 x 4 frames: red, green, blue, each with a yellow pixel at (1, 1);
// the first frame's bottom-left pixel, the first one stored, is yellow too.
COLORREF stripPixel(int x, int y) {
  if (x % 4 == 1 && y == 1) return kYellow;
  if (x == 0 && y == 3) return kYellow;
  const COLORREF frames[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
  return frames[x / 4];
}

TEST_F(WindowToolsTest, ImageListFromAStripMakesYellowTransparent) {
  writeBmp("C:\\strip.bmp", 12, 4, stripPixel);
  for (COLORREF mask : {kYellow, static_cast<COLORREF>(0xFFFFFFFF)}) {
    SCOPED_TRACE(mask);
    CImageList list;
    ASSERT_EQ(CreateListImageByBmpFile(list, "C:\\strip.bmp", 4, 4, mask), 1);
    ASSERT_EQ(list.GetImageCount(), 3);
    Canvas canvas(12, 4);
    for (int frame = 0; frame < 3; ++frame) {
      ASSERT_TRUE(ImageList_Draw(list, frame, canvas.dc, frame * 4, 0, ILD_TRANSPARENT));
    }
    for (int y = 0; y < 4; ++y) {
      for (int x = 0; x < 12; ++x) {
        const COLORREF expected = stripPixel(x, y) == kYellow ? kGrey : stripPixel(x, y);
        EXPECT_EQ(canvas.dc.GetPixel(x, y), expected) << x << "," << y;
      }
    }
  }
}

TEST_F(WindowToolsTest, ImageListRefusalsKeepNoBitmap) {
  writeBmp("C:\\strip.bmp", 12, 4, stripPixel);
  CImageList list;
  ASSERT_EQ(CreateListImageByBmpFile(list, "C:\\strip.bmp", 6, 4, kYellow), 1);
  const HIMAGELIST first = list.m_hImageList;
  EXPECT_EQ(list.GetImageCount(), 2);
  ASSERT_EQ(CreateListImageByBmpFile(list, "C:\\strip.bmp", 4, 4, kYellow), 1);
  EXPECT_NE(list.m_hImageList, first);
  EXPECT_EQ(list.GetImageCount(), 3);

  EXPECT_EQ(CreateListImageByBmpFile(list, "C:\\missing.bmp", 4, 4, kYellow), 0);
  EXPECT_EQ(CreateListImageByBmpFile(list, "C:\\strip.bmp", 0, 4, kYellow), 0);
  EXPECT_EQ(CreateListImageByBmpFile(list, nullptr, 4, 4, kYellow), 0);
  DeleteImageList(list);
  EXPECT_EQ(list.m_hImageList, nullptr);
}

TEST_F(WindowToolsTest, BitmapsLoadAndDrawUnscaledOrStretched) {
  writeBmp("C:\\pic.bmp", 2, 2, [](int x, int y) { return x == 0 && y == 0 ? RGB(255, 0, 0) : RGB(0, 0, 255); });
  CBitmap bitmap;
  ASSERT_EQ(LoadBitmapFromFile(bitmap, "C:\\pic.bmp"), 1);
  const HGDIOBJ loaded = bitmap.m_hObject;
  EXPECT_EQ(LoadBitmapFromFile(bitmap, "C:\\missing.bmp"), 0);
  EXPECT_EQ(LoadBitmapFromFile(bitmap, ""), 0);
  EXPECT_EQ(bitmap.m_hObject, loaded);

  Canvas canvas(8, 8);
  CRect clipped(1, 1, 2, 3);
  DrawBitmap(bitmap, &canvas.dc, clipped, 0);
  EXPECT_EQ(canvas.dc.GetPixel(1, 1), RGB(255, 0, 0));
  EXPECT_EQ(canvas.dc.GetPixel(1, 2), RGB(0, 0, 255));
  EXPECT_EQ(canvas.dc.GetPixel(2, 1), kGrey);  // outside the rectangle
  CRect stretched(4, 4, 8, 8);
  DrawBitmap(bitmap, &canvas.dc, stretched, 1);
  EXPECT_EQ(canvas.dc.GetPixel(5, 5), RGB(255, 0, 0));
  EXPECT_EQ(canvas.dc.GetPixel(6, 5), RGB(0, 0, 255));
  DrawBitmap(bitmap, nullptr, stretched, 1);
}

TEST_F(WindowToolsTest, IconsDrawCentredAtTwiceTheHotSpot) {
  const HICON icon = LoadIcon(nullptr, IDI_APPLICATION);
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(icon, &info));
  DeleteObject(info.hbmMask);
  DeleteObject(info.hbmColor);
  const CSize size = gxGetIconSize(icon);
  EXPECT_EQ(size.cx, static_cast<int>(info.xHotspot * 2));
  EXPECT_EQ(size.cy, static_cast<int>(info.yHotspot * 2));
  EXPECT_GT(size.cx, 0);
  EXPECT_EQ(gxGetIconSize(nullptr).cx, 0);

  Canvas plain(size.cx + 20, size.cy + 20);
  Canvas centred(size.cx + 20, size.cy + 20);
  DrawIconEx(plain.dc, 10, 10, icon, size.cx, size.cy, 0, nullptr, DI_NORMAL);
  CRect area(0, 0, size.cx + 20, size.cy + 20);
  gxDrawIcon(&centred.dc, icon, area);
  for (int y = 0; y < size.cy + 20; ++y) {
    for (int x = 0; x < size.cx + 20; ++x) ASSERT_EQ(centred.dc.GetPixel(x, y), plain.dc.GetPixel(x, y));
  }
  CRect empty(5, 5, 5, 5);
  gxDrawIcon(&centred.dc, icon, empty);
  gxDrawIcon(nullptr, icon, area);
}

TEST_F(WindowToolsTest, CurveRunsFromTopForZeroToBottomForFullScale) {
  Canvas canvas(20, 20);
  CBrush white(RGB(255, 255, 255));
  CRect area(0, 0, 10, 10);
  BYTE rising[] = {0, 255};
  DrawCurveByDataBuffer(&canvas.dc, area, RGB(255, 0, 0), rising, 2, &white, 1, 0);
  EXPECT_EQ(canvas.dc.GetPixel(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(canvas.dc.GetPixel(5, 5), RGB(255, 0, 0));
  EXPECT_EQ(canvas.dc.GetPixel(9, 0), RGB(255, 255, 255));
  EXPECT_EQ(canvas.dc.GetPixel(0, 10), RGB(255, 255, 255));  // the image is one pixel taller
  EXPECT_EQ(canvas.dc.GetPixel(11, 0), kGrey);

  // Two-byte little-endian samples: 0x8000 is half way down.
  BYTE flat[] = {0x00, 0x80, 0x00, 0x80, 0x00, 0x80};
  CRect lower(10, 10, 20, 20);
  DrawCurveByDataBuffer(&canvas.dc, lower, RGB(0, 0, 255), flat, 6, nullptr, 2, 0);
  EXPECT_EQ(canvas.dc.GetPixel(12, 15), RGB(0, 0, 255));

  // Nothing for a zero sample size or samples as wide as the data.
  Canvas untouched(20, 20);
  DrawCurveByDataBuffer(&untouched.dc, area, RGB(255, 0, 0), rising, 2, &white, 0, 0);
  DrawCurveByDataBuffer(&untouched.dc, area, RGB(255, 0, 0), rising, 2, &white, 2, 0);
  for (int x = 0; x < 10; ++x) EXPECT_EQ(untouched.dc.GetPixel(x, 0), kGrey);
  // One sample: the background without a line (no step between points).
  BYTE three[] = {1, 2, 3};
  DrawCurveByDataBuffer(&untouched.dc, area, RGB(255, 0, 0), three, 3, &white, 2, 0);
  for (int x = 0; x < 10; ++x) EXPECT_EQ(untouched.dc.GetPixel(x, 0), RGB(255, 255, 255));
}

TEST_F(WindowToolsTest, SetListSelectedLeavesExactlyOneItemSelected) {
  CListCtrl list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 200, 100), CWnd::FromHandle(parent_), 9));
  list.InsertColumn(0, "Name", LVCFMT_LEFT, 120);
  for (int i = 0; i < 40; ++i) list.InsertItem(i, "row");
  for (int i : {1, 3, 4}) list.SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);
  const auto selected = [&list] {
    std::vector<int> rows;
    for (POSITION pos = list.GetFirstSelectedItemPosition(); pos;) rows.push_back(list.GetNextSelectedItem(pos));
    return rows;
  };

  SetListSelected(&list, 40, 1, 1);  // the item count: out of range
  EXPECT_EQ(selected(), (std::vector<int>{1, 3, 4}));
  SetListSelected(&list, -1, 1, 1);
  EXPECT_EQ(selected(), (std::vector<int>{1, 3, 4}));

  SetListSelected(&list, 2, 0, 0);
  EXPECT_EQ(selected(), (std::vector<int>{2}));
  EXPECT_EQ(list.GetSelectionMark(), 2);
  EXPECT_EQ(list.GetTopIndex(), 0);
  EXPECT_NE(GetFocus(), list.m_hWnd);

  SetListSelected(&list, 30, 1, 1);
  EXPECT_EQ(selected(), (std::vector<int>{30}));
  EXPECT_GT(list.GetTopIndex(), 20);
  EXPECT_LE(list.GetTopIndex(), 30);
  EXPECT_EQ(GetFocus(), list.m_hWnd);

  RemarkListSelected(&list, 5, 1);
  EXPECT_EQ(selected(), (std::vector<int>{5, 30}));
  EXPECT_EQ(list.GetSelectionMark(), 5);
  RemarkListSelected(&list, 30, 0);
  EXPECT_EQ(selected(), (std::vector<int>{5}));
  SetListSelected(nullptr, 0, 0, 0);
}

TEST_F(WindowToolsTest, WindowTextColoursAndInstances) {
  CWnd* window = new CWnd;
  ASSERT_TRUE(window->Attach(CreateWindowEx(0, "STATIC", "caption", WS_CHILD, 0, 0, 10, 10, parent_, nullptr,
                                            nullptr, nullptr)));
  EXPECT_EQ(gxGetWindowText(window), "caption");
  EXPECT_EQ(gxGetWindowText(nullptr), "");
  const HWND hwnd = window->m_hWnd;
  DeleteInstance(&window);
  EXPECT_EQ(window, nullptr);
  EXPECT_FALSE(IsWindow(hwnd));
  DeleteInstance(&window);

  CWnd stale;
  stale.Attach(CreateWindowEx(0, "STATIC", "gone", WS_CHILD, 0, 0, 10, 10, parent_, nullptr, nullptr, nullptr));
  DestroyWindow(stale.m_hWnd);
  EXPECT_EQ(gxGetWindowText(&stale), "");

  struct Case {
    COLORREF colour, inverse;
  } cases[] = {
      {RGB(0, 255, 255), RGB(255, 0, 0)}, {0xFF000000u, RGB(255, 255, 255)}, {RGB(1, 2, 3), RGB(254, 253, 252)}};
  for (const Case& c : cases) EXPECT_EQ(GetInverseColor(c.colour), c.inverse) << c.colour;
}

}  // namespace

namespace {

class WindowToolsFontTest : public wavorel::testing::PlatformTest {};

TEST_F(WindowToolsFontTest, HeightsFromPointSizesAndFontAttributes) {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  struct Case {
    HDC dc;
    long size;
    LONG height;
  } cases[] = {
      {screen, 9, -MulDiv(9, dpi, 72)},
      {screen, 10, -MulDiv(10, dpi, 72)},
      {screen, 11, -MulDiv(11, dpi, 72)},
      {nullptr, 16, 16},
      {nullptr, -12, -12},
  };
  if (dpi == 96) {
    EXPECT_EQ(cases[1].height, -13);  // 13.33 rounds down
    EXPECT_EQ(cases[2].height, -15);  // 14.67 rounds up
  }
  CFont font;
  for (const Case& c : cases) {
    ASSERT_TRUE(gxCreateFont(c.dc, font, c.size, 0, 0, 0, "Arial", 0));
    LOGFONT made = {};
    ASSERT_EQ(GetObject(font, sizeof made, &made), static_cast<int>(sizeof made));
    EXPECT_EQ(made.lfHeight, c.height) << c.size;
  }

  const HGDIOBJ previous = font.m_hObject;
  ASSERT_TRUE(gxCreateFont(nullptr, font, 12, 1, 1, 1, "Tahoma", 5));
  EXPECT_EQ(GetObjectType(previous), 0u);  // the previous font was deleted
  LOGFONT made = {};
  GetObject(font, sizeof made, &made);
  EXPECT_EQ(made.lfWeight, FW_BOLD);
  EXPECT_EQ(made.lfItalic, 1);
  EXPECT_EQ(made.lfUnderline, 1);
  EXPECT_EQ(made.lfWidth, 5);
  EXPECT_EQ(made.lfCharSet, DEFAULT_CHARSET);
  EXPECT_STREQ(made.lfFaceName, "Tahoma");

  ASSERT_TRUE(gxCreateFont(nullptr, font, 12, 0, 0, 0, nullptr, 0));
  GetObject(font, sizeof made, &made);
  EXPECT_EQ(made.lfWeight, 0);
  EXPECT_STREQ(made.lfFaceName, "");
  ReleaseDC(nullptr, screen);
}

}  // namespace
