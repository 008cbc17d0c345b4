// A bitmap's pixels cost memory only where they are drawn on, even after the
// program freed blocks of about their size (decoded skins, files read whole)
// that the heap could otherwise hand out again, clearing them page by page.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/Platform.h"
#include "platform/testing/PlatformTest.h"

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

}  // namespace
