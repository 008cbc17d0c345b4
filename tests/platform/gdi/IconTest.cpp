#include <cstring>

#include "GdiTestSupport.h"
#include "platform/testing/PlatformTest.h"
#include "platform/win/gdi/Icon.h"
#include "platform/win/gdi/Images.h"

namespace {

class IconTest : public wavorel::testing::PlatformTest {};

const std::map<char, COLORREF> kColours = {{'.', RGB(255, 255, 255)}, {'#', RGB(0, 0, 0)}, {'r', RGB(255, 0, 0)},
                                           {'b', RGB(0, 0, 255)}};

void put32(std::string& s, uint32_t v) { s.append(reinterpret_cast<const char*>(&v), 4); }
void put16(std::string& s, uint16_t v) { s.append(reinterpret_cast<const char*>(&v), 2); }

// One image of an ICO/CUR file: 32-bit colour rows (no alpha) and an AND mask
// from a character map ('t' transparent, 'r' red, 'b' blue).
std::string image(const std::vector<std::string>& rows) {
  int w = static_cast<int>(rows[0].size()), h = static_cast<int>(rows.size());
  std::string s;
  put32(s, 40);
  put32(s, static_cast<uint32_t>(w));
  put32(s, static_cast<uint32_t>(2 * h));
  put16(s, 1);
  put16(s, 32);
  for (int i = 0; i < 6; ++i) put32(s, 0);
  for (int y = h - 1; y >= 0; --y)
    for (int x = 0; x < w; ++x) put32(s, rows[y][x] == 'r' ? 0xFF0000u : rows[y][x] == 'b' ? 0x0000FFu : 0u);
  int maskRow = (w + 31) / 32 * 4;
  for (int y = h - 1; y >= 0; --y) {
    std::string row(static_cast<size_t>(maskRow), '\0');
    for (int x = 0; x < w; ++x)
      if (rows[y][x] == 't') row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
    s += row;
  }
  return s;
}

struct Entry {
  std::vector<std::string> rows;
  uint16_t hotX, hotY;
};

std::string iconFile(uint16_t type, const std::vector<Entry>& entries) {
  std::string dir, data;
  put16(dir, 0);
  put16(dir, type);
  put16(dir, static_cast<uint16_t>(entries.size()));
  size_t offset = 6 + 16 * entries.size();
  for (const Entry& e : entries) {
    std::string img = image(e.rows);
    dir += static_cast<char>(e.rows[0].size());
    dir += static_cast<char>(e.rows.size());
    dir += '\0';
    dir += '\0';
    put16(dir, type == 1 ? 1 : e.hotX);
    put16(dir, type == 1 ? 32 : e.hotY);
    put32(dir, static_cast<uint32_t>(img.size()));
    put32(dir, static_cast<uint32_t>(offset + data.size()));
    data += img;
  }
  return dir + data;
}

std::vector<std::string> block(int w, int h, const std::string& pattern) {
  std::vector<std::string> rows;
  for (int y = 0; y < h; ++y) {
    std::string row;
    for (int x = 0; x < w; ++x) row += pattern[(x + y) % pattern.size()];
    rows.push_back(row);
  }
  return rows;
}

TEST_F(IconTest, IconFilesGiveTheNearestImageWithACentredHotSpot) {
  gditest::writeFile("C:\\two.ico", iconFile(1, {{{"rt", "tb"}, 0, 0}, {block(32, 32, "r"), 0, 0}}));
  HICON small = static_cast<HICON>(LoadImage(nullptr, "C:\\two.ico", IMAGE_ICON, 2, 2, LR_LOADFROMFILE));
  HICON large = static_cast<HICON>(LoadImage(nullptr, "C:\\two.ico", IMAGE_ICON, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE));
  ASSERT_NE(small, nullptr);
  ASSERT_NE(large, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(large, &info));
  EXPECT_TRUE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 16u);  // the centre: twice the hot spot is the size
  EXPECT_EQ(info.yHotspot, 16u);
  BITMAP bm{};
  GetObject(info.hbmColor, sizeof(bm), &bm);
  EXPECT_EQ(bm.bmWidth, 32);
  EXPECT_TRUE(DeleteObject(info.hbmColor));  // the caller owns the copies
  EXPECT_TRUE(DeleteObject(info.hbmMask));

  // The mask keeps what is under transparent pixels.
  gditest::Canvas canvas(2, 2, RGB(0, 0, 0));
  ASSERT_TRUE(DrawIconEx(canvas.dc, 0, 0, small, 0, 0, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(canvas.rows(kColours), (std::vector<std::string>{"r#", "#b"}));
  ASSERT_TRUE(DrawIconEx(canvas.dc, 0, 0, small, 0, 0, 0, nullptr, DI_MASK));
  EXPECT_EQ(canvas.rows(kColours), (std::vector<std::string>{"##", "##"}));
  gditest::Canvas white(4, 4);
  HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
  ASSERT_TRUE(DrawIconEx(white.dc, 0, 0, small, 4, 4, 0, brush, DI_NORMAL));  // scaled, over a brush
  EXPECT_EQ(white.rows(kColours), (std::vector<std::string>{"rrbb", "rrbb", "bbbb", "bbbb"}));
  DeleteObject(brush);
  for (HICON h : {small, large}) EXPECT_TRUE(DestroyIcon(h));
  EXPECT_FALSE(DestroyIcon(small));
}

// Loads of one cursor file share its decoded pixels: each has a handle of
// its own that lives on when another is destroyed, and a file rewritten with
// other pixels is decoded again.
TEST_F(IconTest, LoadsOfOneCursorFileShareItsPixelsUntilTheFileChanges) {
  gditest::writeFile("C:\\s.cur", iconFile(2, {{{"rr", "rr"}, 0, 0}}));
  HCURSOR first = LoadCursorFromFile("C:\\s.cur");
  HCURSOR second = LoadCursorFromFile("C:\\s.cur");
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  EXPECT_EQ(&wavorel::gdi::iconFromHandle(first)->colour(), &wavorel::gdi::iconFromHandle(second)->colour());
  EXPECT_TRUE(DestroyCursor(first));
  gditest::Canvas canvas(2, 2);
  ASSERT_TRUE(DrawIconEx(canvas.dc, 0, 0, second, 2, 2, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(canvas.rows(kColours), (std::vector<std::string>{"rr", "rr"}));
  gditest::writeFile("C:\\s.cur", iconFile(2, {{{"bb", "bb"}, 0, 0}}));
  HCURSOR third = LoadCursorFromFile("C:\\s.cur");
  ASSERT_TRUE(DrawIconEx(canvas.dc, 0, 0, third, 2, 2, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(canvas.rows(kColours), (std::vector<std::string>{"bb", "bb"})) << "the pixels of the file as it was";
  for (HCURSOR c : {second, third}) EXPECT_TRUE(DestroyCursor(c));
}

TEST_F(IconTest, CursorsKeepTheirHotSpotAndExtractIconReadsIconFilesOnly) {
  gditest::writeFile("C:\\c.cur", iconFile(2, {{block(32, 32, "rt"), 3, 5}}));
  HCURSOR cursor = LoadCursorFromFile("C:\\c.cur");
  ASSERT_NE(cursor, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(cursor, &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 3u);
  EXPECT_EQ(info.yHotspot, 5u);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  // A hot spot survives a round trip through CreateIconIndirect.
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP mask = CreateBitmap(4, 4, 1, 1, nullptr), colour = CreateCompatibleBitmap(GetDC(nullptr), 4, 4);
  ICONINFO made{FALSE, 1, 2, mask, colour};
  HICON indirect = CreateIconIndirect(&made);
  ASSERT_TRUE(GetIconInfo(indirect, &info));
  EXPECT_EQ(info.xHotspot, 1u);
  EXPECT_EQ(info.yHotspot, 2u);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  DeleteDC(dc);

  gditest::writeFile("C:\\app.ico", iconFile(1, {{block(32, 32, "rb"), 0, 0}}));
  gditest::writeFile("C:\\notes.txt", "plain text");
  HICON first = ExtractIcon(nullptr, "C:\\app.ico", 0);
  EXPECT_NE(first, nullptr);
  EXPECT_EQ(ExtractIcon(nullptr, "C:\\app.ico", static_cast<UINT>(-1)), reinterpret_cast<HICON>(1));  // one icon
  EXPECT_EQ(ExtractIcon(nullptr, "C:\\app.ico", 1), nullptr);
  EXPECT_EQ(ExtractIcon(nullptr, "C:\\notes.txt", 0), reinterpret_cast<HICON>(1));
  EXPECT_EQ(ExtractIcon(nullptr, "C:\\missing.ico", 0), nullptr);
}

TEST_F(IconTest, MalformedIconFilesGiveNull) {
  const std::string good = iconFile(1, {{block(4, 4, "rt"), 0, 0}});
  auto load = [](const std::string& bytes) {
    gditest::writeFile("C:\\bad.ico", bytes);
    return LoadImage(nullptr, "C:\\bad.ico", IMAGE_ICON, 0, 0, LR_LOADFROMFILE);
  };
  ASSERT_NE(load(good), nullptr);
  for (size_t cut = 0; cut < good.size(); ++cut) EXPECT_EQ(load(good.substr(0, cut)), nullptr) << cut;
  auto patched = [&](size_t at, uint32_t value) {
    std::string s = good;
    std::memcpy(&s[at], &value, 4);
    return s;
  };
  EXPECT_EQ(load(patched(0, 0x00050000)), nullptr);  // type 5
  EXPECT_EQ(load(patched(14, 0x7FFFFFFF)), nullptr);  // image size past the end
  EXPECT_EQ(load(patched(18, 0xFFFFFFF0)), nullptr);  // image offset past the end
  EXPECT_EQ(load(patched(22 + 8, 7)), nullptr);       // odd doubled height
  EXPECT_EQ(load(patched(22 + 4, 0x10000000)), nullptr);  // absurd width
}

TEST_F(IconTest, StandardIconsAndCursorsAreSharedObjects) {
  HICON app = LoadIcon(nullptr, IDI_APPLICATION);
  ASSERT_NE(app, nullptr);
  EXPECT_EQ(LoadIcon(nullptr, IDI_APPLICATION), app);
  EXPECT_TRUE(DestroyIcon(app));
  ICONINFO info{};
  EXPECT_TRUE(GetIconInfo(app, &info));  // still there
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
  ASSERT_NE(arrow, nullptr);
  EXPECT_NE(arrow, app);
  EXPECT_EQ(LoadIcon(nullptr, MAKEINTRESOURCE(123)), nullptr);
}

}  // namespace

namespace {

TEST_F(IconTest, ImagesLoadFromTheProgramsResources) {
  HBITMAP logo = LoadBitmap(nullptr, MAKEINTRESOURCE(300));
  ASSERT_NE(logo, nullptr);
  BITMAP bm{};
  GetObject(logo, sizeof(bm), &bm);
  EXPECT_EQ(bm.bmWidth, 2);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  DeleteObject(logo);
  HINSTANCE program = wavorel::programInstance();
  HICON app = LoadIcon(program, MAKEINTRESOURCE(301));
  ASSERT_NE(app, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(app, &info));
  BITMAP colour{};
  GetObject(info.hbmColor, sizeof(colour), &colour);
  EXPECT_EQ(colour.bmWidth, 32);  // LoadIcon gives the system size
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  // A shared icon is loaded once: later loads give its handle, which
  // DestroyIcon leaves alone; a load without LR_SHARED makes a new one.
  EXPECT_EQ(LoadIcon(program, MAKEINTRESOURCE(301)), app);
  DestroyIcon(app);
  EXPECT_EQ(LoadIcon(program, MAKEINTRESOURCE(301)), app);
  HANDLE own = LoadImage(program, MAKEINTRESOURCE(301), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE);
  EXPECT_NE(own, nullptr);
  EXPECT_NE(own, app);
  DestroyIcon(static_cast<HICON>(own));
  EXPECT_NE(LoadCursor(program, MAKEINTRESOURCE(302)), nullptr);
  EXPECT_EQ(LoadBitmap(program, MAKEINTRESOURCE(399)), nullptr);
}

}  // namespace
