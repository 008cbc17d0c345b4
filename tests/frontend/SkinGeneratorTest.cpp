#include "apps/skin/SkinGenerator.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/Paths.h"

namespace {

using wavorel::skin::kTransparentColor;
using wavorel::skin::Look;
using wavorel::skin::SkinFile;

class SkinGeneratorTest : public wavorel::testing::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    std::filesystem::create_directories(root() + "/prog");
    wavorel::setProgramFolder(root() + "/prog", "app");
    std::string error;
    ASSERT_TRUE(wavorel::skin::writeSkin(root() + "/prog/Skin", &error)) << error;
  }

  static std::string windowsPath(const std::string& name) { return "C:\\Program Files\\app\\Skin\\" + name; }

  // The bitmap file's size and pixels through the platform's loader.
  struct Loaded {
    HBITMAP bitmap = nullptr;
    HDC dc = nullptr;
    HGDIOBJ old = nullptr;
    BITMAP info{};
    explicit Loaded(const std::string& path) {
      bitmap = static_cast<HBITMAP>(LoadImage(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
      if (bitmap == nullptr) return;
      GetObject(bitmap, sizeof info, &info);
      dc = CreateCompatibleDC(nullptr);
      old = SelectObject(dc, bitmap);
    }
    ~Loaded() {
      if (dc) {
        SelectObject(dc, old);
        DeleteDC(dc);
      }
      if (bitmap) DeleteObject(bitmap);
    }
    COLORREF at(int x, int y) const { return GetPixel(dc, x, y); }
  };
};

// The files the front end names, with the frame count and, where it fixes
// one, the frame size it cuts them with.
TEST_F(SkinGeneratorTest, EveryNamedStripHasItsFrames) {
  struct Named {
    const char* name;
    int frames;
    int frameWidth;  // 0: not fixed by the caller
    int frameHeight;
  };
  const std::vector<Named> named = {
      {"CommonButton.bmp", 4, 0, 0},          {"CommonButton_Little.bmp", 4, 0, 0},
      {"TabCtrlLable.bmp", 6, 0, 0},          {"TabCtrlLable_Little.bmp", 6, 0, 0},
      {"TabCtrlLable_Long.bmp", 6, 0, 0},     {"TabCtrlLable_ConfigSite.bmp", 6, 0, 0},
      {"TabCtrlLable_8021x.bmp", 6, 0, 0},    {"BtnRadio_Default.bmp", 6, 0, 0},
      {"btnCheck_Default.bmp", 6, 0, 0},      {"btnCheck_Station.bmp", 6, 0, 0},
      {"btnCheck_AP.bmp", 6, 0, 0},           {"btnInsideUIClose.bmp", 4, 0, 0},
      {"btnMainUIClose.bmp", 4, 0, 0},        {"btnLogo.bmp", 4, 0, 0},
      {"Button_RestoreDefault.bmp", 4, 0, 0}, {"Button_RemoveAll.bmp", 4, 0, 0},
      {"TrayIcon.bmp", 6, 32, 32},            {"NetSignal.bmp", 10, 16, 16},
      {"ProfileListImage.bmp", 4, 16, 16},    {"WpaProfileListItem.bmp", 3, 16, 16},
      {"dlgMainUI.bmp", 1, wavorel::skin::kMainDialogWidth, wavorel::skin::kMainDialogHeight},
      {"DlgMessageBox.bmp", 1, 365, 172},     {"TabCtrlPage_LinkInfo.bmp", 1, 582, 362},
  };
  std::map<std::string, const SkinFile*> table;
  for (const SkinFile& f : wavorel::skin::skinFiles()) table[f.name] = &f;
  for (const Named& n : named) {
    SCOPED_TRACE(n.name);
    ASSERT_TRUE(table.count(n.name));
    const SkinFile& f = *table[n.name];
    EXPECT_EQ(f.frames, n.frames);
    if (n.frameWidth) {
      EXPECT_EQ(f.frameWidth, n.frameWidth);
    }
    if (n.frameHeight) {
      EXPECT_EQ(f.height, n.frameHeight);
    }
    Loaded bmp(windowsPath(n.name));
    ASSERT_NE(bmp.bitmap, nullptr);
    EXPECT_EQ(bmp.info.bmWidth, f.frames * f.frameWidth);
    EXPECT_EQ(bmp.info.bmHeight, f.height);
  }
}

TEST_F(SkinGeneratorTest, EveryFileIsWrittenAndLoads) {
  for (const SkinFile& f : wavorel::skin::skinFiles()) {
    SCOPED_TRACE(f.name);
    const std::string name = f.name;
    const std::string ext = name.substr(name.size() - 4);
    if (ext == ".bmp") {
      Loaded bmp(windowsPath(name));
      ASSERT_NE(bmp.bitmap, nullptr);
      EXPECT_EQ(bmp.info.bmWidth, f.frames * f.frameWidth);
      EXPECT_EQ(bmp.info.bmHeight, f.height);
    } else if (ext == ".ico") {
      HICON icon = ExtractIcon(nullptr, windowsPath(name).c_str(), 0);
      ASSERT_NE(icon, nullptr);
      DestroyIcon(icon);
    } else {
      ASSERT_EQ(ext, ".cur");
      HCURSOR cursor = LoadCursorFromFile(windowsPath(name).c_str());
      ASSERT_NE(cursor, nullptr);
      DestroyCursor(cursor);
    }
  }
}

TEST_F(SkinGeneratorTest, ShapesAreCutByTheTransparentYellow) {
  for (const SkinFile& f : wavorel::skin::skinFiles()) {
    const bool cut = f.look == Look::Dialog || f.look == Look::Page || f.look == Look::Button ||
                     f.look == Look::Close || f.look == Look::TabLabel;
    if (!cut) continue;
    SCOPED_TRACE(f.name);
    Loaded bmp(windowsPath(f.name));
    ASSERT_NE(bmp.bitmap, nullptr);
    for (int i = 0; i < f.frames; ++i) {
      const int left = i * f.frameWidth, right = left + f.frameWidth - 1;
      EXPECT_EQ(bmp.at(left, 0), kTransparentColor) << "frame " << i;
      EXPECT_EQ(bmp.at(right, 0), kTransparentColor) << "frame " << i;
      EXPECT_NE(bmp.at(left + f.frameWidth / 2, f.height / 2), kTransparentColor) << "frame " << i;
    }
    if (f.look == Look::Dialog || f.look == Look::Page || f.look == Look::Button) {
      EXPECT_EQ(bmp.at(0, f.height - 1), kTransparentColor);
      EXPECT_EQ(bmp.at(f.frameWidth - 1, f.height - 1), kTransparentColor);
    }
  }
  // Frames of one strip differ, so every state is seen.
  Loaded common(windowsPath("CommonButton.bmp"));
  EXPECT_NE(common.at(40, 12), common.at(80 + 40, 12));
  EXPECT_NE(common.at(80 + 40, 12), common.at(160 + 40, 12));
}

// The station pages draw some captions and links in white below their title
// band (bar captions, the profile list's links, the WPS lists' links and
// second caption): the skin is dark where they stand.
TEST_F(SkinGeneratorTest, WhiteCaptionsOfThePagesStandOnDarkStrips) {
  const struct {
    const char* file;
    int x, y;  // page pixels inside the control
  } places[] = {{"TabCtrlPage_LinkInfo.bmp", 19, 291},
                {"TabCtrlPage_LinkInfo.bmp", 318, 291},
                {"TabCtrlPage_Profiles.bmp", 165, 291},
                {"TabCtrlPage_WPS.bmp", 294, 63},
                {"TabCtrlPage_WPS.bmp", 36, 190}};
  for (const auto& p : places) {
    Loaded bmp(windowsPath(p.file));
    ASSERT_NE(bmp.bitmap, nullptr) << p.file;
    const COLORREF c = bmp.at(p.x, p.y);
    EXPECT_LT(GetRValue(c) + GetGValue(c) + GetBValue(c), 3 * 0x80) << p.file << " at " << p.x << "," << p.y;
  }
}

// The progress bars copy their pictures whole onto the page: no pixel of
// them may be the transparent yellow.
TEST_F(SkinGeneratorTest, BarPicturesHoldNoTransparentYellow) {
  for (const SkinFile& f : wavorel::skin::skinFiles()) {
    if (f.look != Look::BarBack && f.look != Look::BarFore) continue;
    Loaded bmp(windowsPath(f.name));
    ASSERT_NE(bmp.bitmap, nullptr) << f.name;
    int yellow = 0;
    for (int y = 0; y < bmp.info.bmHeight; ++y)
      for (int x = 0; x < bmp.info.bmWidth; ++x) yellow += bmp.at(x, y) == kTransparentColor;
    EXPECT_EQ(yellow, 0) << f.name;
  }
}

TEST_F(SkinGeneratorTest, IconsLeaveTheirCornersTransparent) {
  for (int index = 0; index < 4; ++index) {
    const std::string path = windowsPath("MsgBox_" + std::to_string(index) + ".ico");
    HICON icon = ExtractIcon(nullptr, path.c_str(), 0);
    ASSERT_NE(icon, nullptr) << index;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, info.hbmMask);
    EXPECT_NE(GetPixel(dc, 0, 0), RGB(0, 0, 0)) << index;     // masked out
    EXPECT_EQ(GetPixel(dc, 16, 16), RGB(0, 0, 0)) << index;   // drawn
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DestroyIcon(icon);
  }
}

TEST_F(SkinGeneratorTest, UnwritableFolderIsReported) {
  const std::string blocker = root() + "/file";
  std::ofstream(blocker) << "x";
  std::string error;
  EXPECT_FALSE(wavorel::skin::writeSkin(blocker + "/Skin", &error));
  EXPECT_NE(error.find("Skin"), std::string::npos);
}

}  // namespace
