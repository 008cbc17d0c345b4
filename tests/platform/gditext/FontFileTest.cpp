// Font files are read on demand, neither copied nor mapped; a file that
// cannot be read at an offset (here a pipe) is read whole instead and draws
// the very same glyphs; glyphs are cached once per file and pixel size,
// shared by every font that comes to it.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include <gtest/gtest.h>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "platform/Platform.h"
#include "platform/testing/PlatformTest.h"
#include "platform/win/gdi/FontEngine.h"
#include "platform/win/gdi/FontStream.h"

namespace wavorel {
namespace {

const char kDejaVu[] = "/usr/share/fonts/truetype/dejavu/";

LOGFONT logFont(const char* face, LONG height) {
  LOGFONT lf{};
  lf.lfHeight = height;
  lf.lfWeight = FW_NORMAL;
  std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return lf;
}

std::vector<char> bytesOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

using FontFileTest = testing::PlatformTest;

TEST_F(FontFileTest, AFontOfAPipeIsReadWholeAndDrawsTheSameGlyphs) {
  // DejaVuSans.ttf offered through a pipe, which cannot be read at an offset.
  const std::string folder = root() + "/fonts/";
  ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
  const std::string pipe = folder + "DejaVuSans.ttf";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const std::vector<char> font = bytesOf(std::string(kDejaVu) + "DejaVuSans.ttf");
  ASSERT_GT(font.size(), 100000u);
  std::thread writer([&] {
    int fd = ::open(pipe.c_str(), O_WRONLY);
    for (size_t at = 0; fd >= 0 && at < font.size();) {
      ssize_t n = ::write(fd, font.data() + at, font.size() - at);
      if (n <= 0) break;
      at += static_cast<size_t>(n);
    }
    if (fd >= 0) ::close(fd);
  });

  FontEngine piped(folder);
  const FontFace& fromPipe = piped.realize(logFont("Arial", -13));
  writer.join();
  const FontFace& onDemand = fontEngine().realize(logFont("Arial", -13));
  ASSERT_EQ(fromPipe.fileName(), "DejaVuSans.ttf");
  EXPECT_EQ(std::memcmp(&fromPipe.metrics(), &onDemand.metrics(), sizeof(TEXTMETRIC)), 0);
  for (char32_t cp : U"AgW@y01 \u00e9") {
    const GlyphImage& a = fromPipe.glyph(cp);
    const GlyphImage& b = onDemand.glyph(cp);
    EXPECT_EQ(fromPipe.advance(cp), onDemand.advance(cp)) << static_cast<unsigned>(cp);
    EXPECT_EQ(std::vector<int>({a.left, a.top, a.width, a.height}), std::vector<int>({b.left, b.top, b.width, b.height}))
        << static_cast<unsigned>(cp);
    EXPECT_EQ(a.coverage, b.coverage) << static_cast<unsigned>(cp);
  }
}

TEST_F(FontFileTest, RegularFilesAreReadOnDemandAndBrokenOnesRefused) {
  FT_LibraryRec_* library = nullptr;
  ASSERT_EQ(FT_Init_FreeType(&library), 0);
  {
    FontFile file(std::string(kDejaVu) + "DejaVuSans-Bold.ttf", library);
    EXPECT_TRUE(file.readOnDemand());
    EXPECT_STREQ(file.tables()->family_name, "DejaVu Sans");
    EXPECT_NE(FT_Get_Sfnt_Table(file.tables(), FT_SFNT_OS2), nullptr);
  }
  const std::string notAFont = root() + "/not-a-font.ttf";
  std::ofstream(notAFont) << "this is text, not a font";
  EXPECT_THROW(FontFile(notAFont, library), std::runtime_error);
  EXPECT_THROW(FontFile(root() + "/missing.ttf", library), std::runtime_error);
  FT_Done_FreeType(library);
}

// Reads through the stream's cached blocks give the file's bytes wherever
// they fall: inside a block, across blocks, past the blocks cached, at the
// end of the file and beyond it.
TEST_F(FontFileTest, StreamReadsGiveTheFilesBytes) {
  const std::string path = root() + "/bytes.bin";
  std::vector<char> bytes(3 * FontStream::kBlock + 100);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  FontStream file(path);
  ASSERT_TRUE(file.ok());
  const unsigned long size = bytes.size(), block = FontStream::kBlock;
  struct Case {
    unsigned long offset, count;
  } cases[] = {{0, 12},          {block - 2, 4},      {block - 1, block - 1}, {5, 2 * block + 9},
               {2 * block, 1},   {3 * block + 1, 7},  {size - 3, 3},          {size - 3, 40},
               {0, size},        {block + 17, 300},   {17, 2},                {size - block + 1, block},
               {size, 4},        {size + 10, 4}};
  for (const Case& c : cases) {
    std::vector<unsigned char> got(c.count, 0xEE);
    const unsigned long n = file.stream()->read(file.stream(), c.offset, got.data(), c.count);
    const unsigned long want = c.offset >= size ? 0 : std::min(c.count, size - c.offset);
    ASSERT_EQ(n, want) << c.offset << "+" << c.count;
    EXPECT_EQ(std::memcmp(got.data(), bytes.data() + std::min(c.offset, size), n), 0) << c.offset << "+" << c.count;
  }
  // A count of 0 seeks: allowed up to the end of the file.
  EXPECT_EQ(file.stream()->read(file.stream(), size, nullptr, 0), 0u);
  EXPECT_NE(file.stream()->read(file.stream(), size + 1, nullptr, 0), 0u);
  EXPECT_FALSE(FontStream(root()).ok());
}

TEST_F(FontFileTest, FontsOfOneFileAndSizeShareTheirGlyphs) {
  LOGFONT plain = logFont("Arial", -15), underlined = plain, bigger = plain;
  underlined.lfUnderline = TRUE;
  underlined.lfStrikeOut = TRUE;
  bigger.lfHeight = -16;
  const FontFace& a = fontEngine().realize(plain);
  const FontFace& b = fontEngine().realize(underlined);
  const FontFace& c = fontEngine().realize(bigger);
  ASSERT_NE(&a, &b);  // realized apart: their metrics differ
  EXPECT_NE(a.metrics().tmUnderlined, b.metrics().tmUnderlined);
  EXPECT_EQ(&a.glyph('x'), &b.glyph('x'));
  EXPECT_NE(&a.glyph('x'), &c.glyph('x'));
}

bool fileIsMapped(const std::string& name) {
  std::ifstream maps("/proc/self/maps");
  for (std::string line; std::getline(maps, line);)
    if (line.size() >= name.size() && line.compare(line.size() - name.size(), name.size(), name) == 0) return true;
  return false;
}

bool fileIsOpen(const std::string& name) {
  DIR* fds = ::opendir("/proc/self/fd");
  bool open = false;
  while (dirent* e = fds ? ::readdir(fds) : nullptr) {
    char target[PATH_MAX];
    const std::string link = std::string("/proc/self/fd/") + e->d_name;
    const ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
    if (n <= 0) continue;
    const std::string path(target, static_cast<size_t>(n));
    open = open || (path.size() >= name.size() && path.compare(path.size() - name.size(), name.size(), name) == 0);
  }
  if (fds) ::closedir(fds);
  return open;
}

// A font is realized when text is first measured or drawn with it: making one
// opens no font file. Its file is then open, and not mapped.
TEST_F(FontFileTest, AFontOpensItsFileWhenFirstUsed) {
  const std::string file = "/DejaVuSerif-BoldItalic.ttf";
  if (fileIsOpen(file)) GTEST_SKIP() << "an earlier test of this process opened " << file;
  LOGFONT lf = logFont("Georgia", -13);
  lf.lfWeight = FW_BOLD;
  lf.lfItalic = TRUE;
  HFONT font = CreateFontIndirect(&lf);
  ASSERT_NE(font, nullptr);
  EXPECT_FALSE(fileIsOpen(file));
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  ASSERT_TRUE(GetTextExtentPoint32(dc, "Wavorel", 7, &size));
  EXPECT_GT(size.cx, 0);
  EXPECT_TRUE(fileIsOpen(file));
  EXPECT_FALSE(fileIsMapped(file));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(font);
}

}  // namespace
}  // namespace wavorel
