// Font files are mapped, not copied; a file that cannot be mapped (here a
// pipe) is read instead and draws the very same glyphs; glyphs are cached
// once per file and pixel size, shared by every font that comes to it.
#include <ft2build.h>
#include FT_FREETYPE_H
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "platform/Platform.h"
#include "platform/testing/PlatformTest.h"
#include "platform/win/gdi/FontEngine.h"

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

TEST_F(FontFileTest, AFontThatCannotBeMappedIsReadAndDrawsTheSameGlyphs) {
  // DejaVuSans.ttf offered through a pipe: mmap refuses it.
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
  const FontFace& mapped = fontEngine().realize(logFont("Arial", -13));
  ASSERT_EQ(fromPipe.fileName(), "DejaVuSans.ttf");
  EXPECT_EQ(std::memcmp(&fromPipe.metrics(), &mapped.metrics(), sizeof(TEXTMETRIC)), 0);
  for (char32_t cp : U"AgW@y01 \u00e9") {
    const GlyphImage& a = fromPipe.glyph(cp);
    const GlyphImage& b = mapped.glyph(cp);
    EXPECT_EQ(fromPipe.advance(cp), mapped.advance(cp)) << static_cast<unsigned>(cp);
    EXPECT_EQ(std::vector<int>({a.left, a.top, a.width, a.height}), std::vector<int>({b.left, b.top, b.width, b.height}))
        << static_cast<unsigned>(cp);
    EXPECT_EQ(a.coverage, b.coverage) << static_cast<unsigned>(cp);
  }
}

TEST_F(FontFileTest, RegularFilesAreMappedAndBrokenOnesRefused) {
  FT_LibraryRec_* library = nullptr;
  ASSERT_EQ(FT_Init_FreeType(&library), 0);
  {
    FontFile file(std::string(kDejaVu) + "DejaVuSans-Bold.ttf", library);
    EXPECT_TRUE(file.mapped());
    EXPECT_EQ(std::vector<char>(file.data(), file.data() + file.size()),
              bytesOf(std::string(kDejaVu) + "DejaVuSans-Bold.ttf"));
  }
  const std::string notAFont = root() + "/not-a-font.ttf";
  std::ofstream(notAFont) << "this is text, not a font";
  EXPECT_THROW(FontFile(notAFont, library), std::runtime_error);
  EXPECT_THROW(FontFile(root() + "/missing.ttf", library), std::runtime_error);
  FT_Done_FreeType(library);
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

// A font is realized when text is first measured or drawn with it: making one
// opens no font file.
TEST_F(FontFileTest, AFontOpensItsFileWhenFirstUsed) {
  const std::string file = "/DejaVuSerif-BoldItalic.ttf";
  if (fileIsMapped(file)) GTEST_SKIP() << "an earlier test of this process opened " << file;
  LOGFONT lf = logFont("Georgia", -13);
  lf.lfWeight = FW_BOLD;
  lf.lfItalic = TRUE;
  HFONT font = CreateFontIndirect(&lf);
  ASSERT_NE(font, nullptr);
  EXPECT_FALSE(fileIsMapped(file));
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  ASSERT_TRUE(GetTextExtentPoint32(dc, "Wavorel", 7, &size));
  EXPECT_GT(size.cx, 0);
  EXPECT_TRUE(fileIsMapped(file));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(font);
}

}  // namespace
}  // namespace wavorel
