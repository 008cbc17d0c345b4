// The binary layouts that code outside the platform parses: menu templates,
// version blocks, toolbars, and the bitmap, icon and cursor files.
#include <map>
#include <string>
#include <vector>

#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/Resources.h"
#include "tests/platform/resources/ResourceTestData.h"

namespace wavorel {
namespace {

using ResourcesLayout = testing::PlatformTest;
using testing::le16;
using testing::le32;

constexpr WORD kGrayed = 0x1, kDisabled = 0x2, kChecked = 0x8, kPopup = 0x10, kMenuBreak = 0x40, kEnd = 0x80;
constexpr WORD kHelp = 0x4000;

// Walks a MENUITEMTEMPLATE the way a menu loader does: one line per item,
// "depth flags id text", with a stack of open pop-ups closed by MF_END.
std::vector<std::string> walkMenu(const std::vector<BYTE>& b) {
  std::vector<std::string> lines;
  size_t p = 4 + le16(b, 2);
  std::vector<bool> open{true};  // the menu bar
  while (!open.empty()) {
    WORD flags = le16(b, p);
    p += 2;
    WORD id = 0;
    if (!(flags & kPopup)) {
      id = le16(b, p);
      p += 2;
    }
    std::string text = testing::wideAt(b, p);
    lines.push_back(std::to_string(open.size() - 1) + " " + std::to_string(flags) + " " + std::to_string(id) + " " + text);
    if (flags & kPopup) {
      if (flags & kEnd) open.back() = false;
      open.push_back(true);
    } else if (flags & kEnd) {
      open.pop_back();
      while (!open.empty() && !open.back()) open.pop_back();
    }
  }
  EXPECT_EQ(p, b.size()) << "the template ends with its last item";
  return lines;
}

TEST_F(ResourcesLayout, MenuTemplateWalksAsLoadMenuReadsIt) {
  std::vector<BYTE> b = testing::resourceBytes(nullptr, RT_MENU, MAKEINTRESOURCE(IDR_TRAY));
  ASSERT_GE(b.size(), 4u);
  EXPECT_EQ(le16(b, 0), 0) << "version";
  EXPECT_EQ(le16(b, 2), 0) << "items follow the header";
  auto line = [](int depth, WORD flags, WORD id, const char* text) {
    return std::to_string(depth) + " " + std::to_string(flags) + " " + std::to_string(id) + " " + text;
  };
  std::vector<std::string> expected = {
      line(0, kPopup, 0, "Tray"),
      line(1, kChecked, ID_SHOW, "Show Main UI"),
      line(1, kPopup | kGrayed, 0, "Mode"),
      line(2, 0, ID_MODE_AP, "AP"),
      line(2, kMenuBreak | kEnd, ID_MODE_STA, "Station"),
      line(1, 0, 0, ""),  // the separator
      line(1, kDisabled | kHelp | kEnd, ID_EXIT, "Exit"),
      line(0, kEnd, ID_VISIT, "Visit"),
  };
  EXPECT_EQ(walkMenu(b), expected);
}

// A version block: path of keys -> (wType, value bytes), checking that every
// child lies inside its parent.
void walkVersion(const std::vector<BYTE>& b, size_t p, size_t end, const std::string& path,
                 std::map<std::string, std::pair<WORD, std::vector<BYTE>>>& out) {
  while (p < end) {
    WORD length = le16(b, p), valueLength = le16(b, p + 2), type = le16(b, p + 4);
    ASSERT_GE(length, 6);
    ASSERT_LE(p + length, end) << path;
    size_t q = p + 6;
    std::string key = testing::wideAt(b, q);
    q = (q + 3) & ~size_t{3};
    size_t valueBytes = type == 1 ? 2u * valueLength : valueLength;
    ASSERT_LE(q + valueBytes, p + length) << key;
    out[path + "\\" + key] = {type, std::vector<BYTE>(b.begin() + q, b.begin() + q + valueBytes)};
    size_t child = (q + valueBytes + 3) & ~size_t{3};
    walkVersion(b, child, p + length, path + "\\" + key, out);
    p = (p + length + 3) & ~size_t{3};
  }
}

std::string wideValue(const std::vector<BYTE>& v) {
  size_t p = 0;
  std::string s = testing::wideAt(v, p);
  EXPECT_EQ(p, v.size()) << "one terminator and nothing after it";
  return s;
}

TEST_F(ResourcesLayout, VersionInfoParsesBack) {
  std::vector<BYTE> b = testing::resourceBytes(nullptr, RT_VERSION, MAKEINTRESOURCE(1));
  ASSERT_FALSE(b.empty());
  EXPECT_EQ(le16(b, 0), b.size()) << "the root block spans the resource";
  std::map<std::string, std::pair<WORD, std::vector<BYTE>>> blocks;
  walkVersion(b, 0, b.size(), "", blocks);

  const auto& fixed = blocks["\\VS_VERSION_INFO"];
  EXPECT_EQ(fixed.first, 0);
  ASSERT_EQ(fixed.second.size(), 52u);
  struct Field {
    size_t offset;
    DWORD value;
  } fields[] = {{0, 0xFEEF04BD}, {4, 0x00010000}, {8, 0x00020000}, {12, 0x0007000F}, {16, 0x00020000},
                {20, 0}, {24, 0x3F}, {28, 0}, {32, 0x00040004}, {36, 1}, {40, 0}};
  for (const Field& f : fields) EXPECT_EQ(le32(fixed.second, f.offset), f.value) << "offset " << f.offset;

  const std::string table = "\\VS_VERSION_INFO\\StringFileInfo\\040904B0";
  EXPECT_EQ(wideValue(blocks[table + "\\CompanyName"].second), "Wavorel");
  EXPECT_EQ(wideValue(blocks[table + "\\LegalCopyright"].second), "Copyright (C) 2008");
  EXPECT_EQ(blocks[table + "\\CompanyName"].first, 1);
  const auto& translation = blocks["\\VS_VERSION_INFO\\VarFileInfo\\Translation"];
  EXPECT_EQ(translation.first, 0);
  ASSERT_EQ(translation.second.size(), 4u);
  EXPECT_EQ(le32(translation.second, 0), 0x04B00409u);
}

TEST_F(ResourcesLayout, ToolbarHoldsSizeAndButtonIds) {
  std::vector<BYTE> b = testing::resourceBytes(nullptr, RT_TOOLBAR, MAKEINTRESOURCE(IDR_TOOLBAR));
  std::vector<WORD> words;
  for (size_t p = 0; p + 1 < b.size(); p += 2) words.push_back(le16(b, p));
  EXPECT_EQ(words, (std::vector<WORD>{1, 16, 15, 3, ID_SHOW, 0, ID_EXIT}));
}

TEST_F(ResourcesLayout, BitmapIsEmbeddedAsItsFile) {
  std::vector<BYTE> file = testing::dataFile("logo.bmp");
  ASSERT_EQ(file.size(), 70u);
  const BYTE* data = nullptr;
  DWORD size = 0;
  ASSERT_TRUE(findResourceFile(nullptr, RT_BITMAP, MAKEINTRESOURCE(IDB_LOGO), data, size));
  EXPECT_EQ(std::vector<BYTE>(data, data + size), file);
  EXPECT_EQ(testing::resourceBytes(nullptr, RT_BITMAP, MAKEINTRESOURCE(IDB_LOGO)),
            std::vector<BYTE>(file.begin() + 14, file.end()))
      << "RT_BITMAP is the file without its BITMAPFILEHEADER";
  EXPECT_FALSE(findResourceFile(nullptr, RT_BITMAP, MAKEINTRESOURCE(IDI_APP), data, size));
}

TEST_F(ResourcesLayout, IconAndCursorDirectoriesNameTheirImages) {
  std::vector<BYTE> ico = testing::dataFile("app.ico");
  std::vector<BYTE> group = testing::resourceBytes(nullptr, RT_GROUP_ICON, MAKEINTRESOURCE(IDI_APP));
  ASSERT_EQ(group.size(), 6u + 2 * 14);
  EXPECT_EQ(le16(group, 2), 1) << "icon directory";
  ASSERT_EQ(le16(group, 4), 2);
  for (size_t i = 0; i < 2; ++i) {
    size_t e = 6 + 14 * i, f = 6 + 16 * i;
    EXPECT_EQ(group[e], 1) << "width";
    EXPECT_EQ(le16(group, e + 6), 32) << "bit count";
    DWORD bytes = le32(group, e + 8);
    WORD id = le16(group, e + 12);
    std::vector<BYTE> image = testing::resourceBytes(nullptr, RT_ICON, MAKEINTRESOURCE(id));
    EXPECT_EQ(image.size(), bytes);
    EXPECT_EQ(image, std::vector<BYTE>(ico.begin() + le32(ico, f + 12), ico.begin() + le32(ico, f + 12) + bytes));
  }
  const BYTE* data = nullptr;
  DWORD size = 0;
  ASSERT_TRUE(findResourceFile(nullptr, RT_GROUP_ICON, MAKEINTRESOURCE(IDI_APP), data, size));
  EXPECT_EQ(std::vector<BYTE>(data, data + size), ico);

  std::vector<BYTE> cur = testing::dataFile("hand.cur");
  std::vector<BYTE> cursors = testing::resourceBytes(nullptr, RT_GROUP_CURSOR, MAKEINTRESOURCE(IDC_HAND_CURSOR));
  ASSERT_EQ(cursors.size(), 6u + 14);
  EXPECT_EQ(le16(cursors, 2), 2) << "cursor directory";
  EXPECT_EQ(le16(cursors, 6), 1) << "width";
  EXPECT_EQ(le16(cursors, 8), 2) << "height of image and mask";
  std::vector<BYTE> image = testing::resourceBytes(nullptr, RT_CURSOR, MAKEINTRESOURCE(le16(cursors, 18)));
  ASSERT_EQ(image.size(), le32(cursors, 14));
  EXPECT_EQ(le16(image, 0), 0) << "hot spot x";
  EXPECT_EQ(le16(image, 2), 1) << "hot spot y";
  EXPECT_EQ(std::vector<BYTE>(image.begin() + 4, image.end()), std::vector<BYTE>(cur.begin() + 22, cur.end()));
}

}  // namespace
}  // namespace wavorel
