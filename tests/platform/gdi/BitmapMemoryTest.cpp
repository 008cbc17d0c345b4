// A bitmap's pixels cost memory only where they are drawn on, even after the
// program freed blocks of about their size (decoded skins, files read whole)
// that the heap could otherwise hand out again, clearing them page by page.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include <fstream>
#include <string>

#include "GdiTestSupport.h"
#include "platform/Platform.h"
#include "platform/testing/PlatformTest.h"
#include "platform/win/gdi/FileBytes.h"

namespace {

using BitmapMemoryTest = wavorel::testing::PlatformTest;

// Pages of [p, p + size) that are in memory.
size_t residentPages(const void* p, size_t size) {
  const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
  const uintptr_t begin = reinterpret_cast<uintptr_t>(p) / page * page;
  const uintptr_t end = reinterpret_cast<uintptr_t>(p) + size;
  std::vector<unsigned char> in((end - begin + page - 1) / page);
  if (mincore(reinterpret_cast<void*>(begin), end - begin, in.data()) != 0) return SIZE_MAX;
  size_t n = 0;
  for (unsigned char c : in) n += c & 1;
  return n;
}

TEST_F(BitmapMemoryTest, PixelsCostMemoryOnlyWhereDrawnEvenAfterFreedBlocks) {
  constexpr int kWidth = 1024, kHeight = 512;  // 2 MB of 32-bit pixels
  const size_t bytes = size_t{kWidth} * kHeight * 4;
  // A large block freed (the heap then keeps blocks up to its size for
  // itself), and a block of about the bitmap's size used and freed, as
  // start-up leaves them.
  std::make_unique<char[]>(bytes * 4).reset();
  {
    auto scratch = std::make_unique<char[]>(bytes * 3 / 2);
    std::memset(scratch.get(), 1, bytes * 3 / 2);
  }

  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_TRUE(dib);
  ASSERT_TRUE(bits);
  EXPECT_LE(residentPages(bits, bytes), 2u) << "the zeroed pixels were cleared by hand";
  EXPECT_EQ(static_cast<const uint32_t*>(bits)[bytes / 8], 0u);

  // Drawing a band of rows makes just those pages resident.
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, dib);
  RECT band{0, 0, kWidth, 16};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &band, red);
  const size_t bandPages = 16 * kWidth * 4 / static_cast<size_t>(sysconf(_SC_PAGESIZE));
  EXPECT_GE(residentPages(bits, bytes), bandPages);
  EXPECT_LE(residentPages(bits, bytes), bandPages + 2);
  EXPECT_EQ(GetPixel(dc, 5, 5), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 5, 400), RGB(0, 0, 0));
  SelectObject(dc, old);
  DeleteObject(red);
  DeleteDC(dc);
  DeleteObject(dib);
}

// Bytes whose value follows their offset, so that any shift or gap shows.
std::string pattern(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
  return bytes;
}

TEST_F(BitmapMemoryTest, FilesReadWholeGiveTheirBytesWhetherReadOrMapped) {
  for (size_t size : {size_t{0}, size_t{1000}, size_t{256 * 1024 - 1}, size_t{256 * 1024}, size_t{700 * 1024 + 3}}) {
    const std::string path = root() + "/whole.bin", bytes = pattern(size);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    wavorel::FileBytes file(path);
    ASSERT_TRUE(file.ok()) << size;
    ASSERT_EQ(file.size(), size);
    EXPECT_EQ(std::memcmp(file.data(), bytes.data(), size), 0) << size;
    EXPECT_EQ(file.mapped(), size >= 256 * 1024) << size;
  }
  EXPECT_FALSE(wavorel::FileBytes(root() + "/missing.bin").ok());

  // A skin-sized bitmap file, mapped, comes out with its pixels.
  constexpr int kWidth = 400, kHeight = 300;
  const size_t rowBytes = (kWidth * 3 + 3) & ~size_t{3};
  std::string bmp(54 + rowBytes * kHeight, '\0');
  auto put32 = [&bmp](size_t at, uint32_t v) { std::memcpy(&bmp[at], &v, 4); };
  bmp[0] = 'B';
  bmp[1] = 'M';
  put32(2, static_cast<uint32_t>(bmp.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, kWidth);
  put32(22, kHeight);
  bmp[26] = 1;
  bmp[28] = 24;
  for (int row = 0; row < kHeight; ++row)  // bottom-up: memory row 0 is y = 299
    for (int x = 0; x < kWidth; ++x) {
      char* p = &bmp[54 + static_cast<size_t>(row) * rowBytes + static_cast<size_t>(x) * 3];
      p[0] = static_cast<char>(x);    // blue
      p[1] = static_cast<char>(row);  // green
      p[2] = 7;                       // red
    }
  gditest::writeFile("C:\\skin.bmp", bmp);
  HBITMAP loaded = static_cast<HBITMAP>(
      LoadImage(nullptr, "C:\\skin.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  ASSERT_TRUE(loaded);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, loaded);
  EXPECT_EQ(GetPixel(dc, 0, kHeight - 1), RGB(7, 0, 0));
  EXPECT_EQ(GetPixel(dc, 399, 0), RGB(7, (kHeight - 1) & 0xFF, 399 & 0xFF));
  EXPECT_EQ(GetPixel(dc, 123, 45), RGB(7, (kHeight - 1 - 45) & 0xFF, 123));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(loaded);
}

}  // namespace
