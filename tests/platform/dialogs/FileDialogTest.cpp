#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "platform/mfc/FileDialog.h"
#include "platform/testing/PlatformTest.h"
#include "platform/win/user/Dialog.h"
#include "platform/win/kernel/FileSystem.h"
#include "platform/win/shell/FileDialog.h"
#include "platform/win/user/ModalLoop.h"
#include "platform/win/kernel/Paths.h"

namespace {

class FileDialogTest : public wavorel::testing::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    ASSERT_TRUE(CreateDirectory("C:\\Pacs", nullptr));
    std::string linux;
    ASSERT_TRUE(wavorel::resolveWindowsPath("C:\\Pacs\\Site.pac", linux));
    std::ofstream(linux) << "pac";
    ASSERT_TRUE(wavorel::setCurrentDirectory("C:\\"));
  }
  void TearDown() override {
    wavorel::setModalResponder(nullptr);
    PlatformTest::TearDown();
  }

  // A responder that types `name` into the file dialog and presses `button`,
  // and answers every other window with `otherAnswer`; what it saw is kept.
  void respond(const std::string& name, int button = IDOK, int otherAnswer = IDOK) {
    wavorel::setModalResponder([=](const wavorel::ModalWindow& w) {
      seen.push_back(w);
      if (w.kind != wavorel::ModalWindow::Kind::FileDialog) return otherAnswer;
      ownerEnabledWhileOpen = owner && IsWindowEnabled(owner);
      SetDlgItemText(w.hwnd, edt1, name.c_str());
      return button;
    });
  }

  std::vector<wavorel::ModalWindow> seen;
  HWND owner = nullptr;
  bool ownerEnabledWhileOpen = true;
};

TEST_F(FileDialogTest, ChosenFileComesBackAsFullPathNameAndExtension) {
  owner = CreateWindowEx(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  CWnd parent;
  parent.Attach(owner);
  CFileDialog dlg(TRUE, nullptr, "*.pac", OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, "PAC Files(*.pac)", &parent);
  dlg.m_ofn.lpstrInitialDir = "C:\\Pacs";
  respond("Site.pac");
  ASSERT_EQ(dlg.DoModal(), IDOK);
  parent.Detach();

  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].caption, "Open");
  EXPECT_EQ(seen[0].text, "*.pac");
  EXPECT_EQ(seen[0].labels, (std::vector<std::string>{"PAC Files(*.pac)", ""}));
  EXPECT_EQ(seen[0].defaultButton, IDOK);
  EXPECT_FALSE(ownerEnabledWhileOpen);
  EXPECT_TRUE(IsWindowEnabled(owner));

  EXPECT_STREQ(dlg.GetPathName(), "C:\\Pacs\\Site.pac");
  EXPECT_STREQ(dlg.GetFileName(), "Site.pac");
  EXPECT_STREQ(dlg.GetFileExt(), "pac");
  EXPECT_STREQ(dlg.GetFileTitle(), "Site");
  EXPECT_STREQ(dlg.m_ofn.lpstrFileTitle, "Site.pac");
  EXPECT_EQ(dlg.m_ofn.nFileOffset, 8);
  EXPECT_EQ(dlg.m_ofn.nFileExtension, 13);
  EXPECT_EQ(dlg.m_ofn.nFilterIndex, 1u);
  EXPECT_EQ(wavorel::currentDirectory(), "C:\\Pacs");  // no OFN_NOCHANGEDIR
  DestroyWindow(owner);
}

TEST_F(FileDialogTest, NamesResolveAgainstTheFolderAndTakeTheDefaultExtension) {
  struct Case {
    const char* typed;
    const char* initialDir;
    const char* defExt;
    DWORD flags;
    const char* path;
    WORD extension;
    const char* currentDir;
  } cases[] = {
      {"Site.pac", nullptr, nullptr, 0, "C:\\Site.pac", 8, "C:\\"},  // the current directory
      {"Site", "C:\\Pacs", "pacfile", OFN_FILEMUSTEXIST, "C:\\Pacs\\Site.pac", 13, "C:\\Pacs"},
      {"..\\Other", "C:\\Pacs", nullptr, OFN_NOCHANGEDIR, "C:\\Other", 8, "C:\\"},  // no extension: the end
      {"Dot.", "C:\\Pacs", nullptr, 0, "C:\\Pacs\\Dot.", 0, "C:\\Pacs"},
      {"D:\\X\\Y.txt", nullptr, "pac", OFN_NOCHANGEDIR, "D:\\X\\Y.txt", 7, "C:\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    ASSERT_TRUE(wavorel::setCurrentDirectory("C:\\"));
    char file[MAX_PATH] = "";
    OPENFILENAME ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrInitialDir = c.initialDir;
    ofn.lpstrDefExt = c.defExt;
    ofn.Flags = c.flags;
    respond(c.typed);
    ASSERT_TRUE(GetSaveFileName(&ofn));
    EXPECT_STREQ(file, c.path);
    EXPECT_EQ(ofn.nFileExtension, c.extension);
    EXPECT_EQ(wavorel::currentDirectory(), c.currentDir);
  }
}

TEST_F(FileDialogTest, HeadlessRunCancels) {
  char file[MAX_PATH] = "*.pac";
  OPENFILENAME ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(GetOpenFileName(&ofn));
  std::string log = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("file dialog \"Open\" (\"*.pac\") cancelled"), std::string::npos) << log;
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  EXPECT_STREQ(file, "*.pac");
  EXPECT_EQ(FindWindow("WavorelFileDialog", nullptr), nullptr);

  CFileDialog dlg(TRUE);
  respond("Site.pac", IDCANCEL);
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(FileDialogTest, RefusedNamesAreExplainedAndCancel) {
  struct Case {
    bool save;
    const char* typed;
    DWORD flags;
    int promptAnswer;
    const char* message;  // nullptr: no message box
  } cases[] = {
      {false, "Missing.pac", OFN_FILEMUSTEXIST, IDOK, "Missing.pac\nFile not found.\nCheck the file name and try again."},
      {true, "Nowhere\\New.pac", OFN_PATHMUSTEXIST, IDOK, "Nowhere\\New.pac\nPath does not exist.\nCheck the path and try again."},
      {true, "Site.pac", OFN_OVERWRITEPROMPT, IDNO, "Site.pac already exists.\nDo you want to replace it?"},
      {false, "*.pac", 0, IDOK, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    seen.clear();
    char file[MAX_PATH] = "";
    OPENFILENAME ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrInitialDir = "C:\\Pacs";
    ofn.Flags = c.flags;
    respond(c.typed, IDOK, c.promptAnswer);
    EXPECT_FALSE(c.save ? GetSaveFileName(&ofn) : GetOpenFileName(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    ASSERT_EQ(seen.size(), c.message ? 2u : 1u);
    if (c.message) {
      EXPECT_EQ(seen[1].text, c.message);
      EXPECT_EQ(seen[1].caption, c.save ? "Save As" : "Open");
    }
  }
  // Answering Yes to the overwrite prompt takes the file.
  char file[MAX_PATH] = "";
  OPENFILENAME ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ofn.lpstrInitialDir = "C:\\Pacs";
  ofn.Flags = OFN_OVERWRITEPROMPT;
  respond("Site.pac", IDOK, IDYES);
  EXPECT_TRUE(GetSaveFileName(&ofn));
  EXPECT_STREQ(file, "C:\\Pacs\\Site.pac");
}

TEST_F(FileDialogTest, SmallBuffersAndBadStructuresFail) {
  char file[8] = "x";
  char title[5] = "";
  OPENFILENAME ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ofn.lpstrInitialDir = "C:\\Pacs";
  respond("Site.pac");
  EXPECT_FALSE(GetOpenFileName(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(FNERR_BUFFERTOOSMALL));
  WORD needed = 0;
  std::memcpy(&needed, file, sizeof needed);
  EXPECT_EQ(needed, std::strlen("C:\\Pacs\\Site.pac") + 1);
  EXPECT_EQ(wavorel::currentDirectory(), "C:\\");

  // The title is cut to its buffer.
  char big[MAX_PATH] = "";
  ofn.lpstrFile = big;
  ofn.nMaxFile = sizeof big;
  ofn.lpstrFileTitle = title;
  ofn.nMaxFileTitle = sizeof title;
  EXPECT_TRUE(GetOpenFileName(&ofn));
  EXPECT_STREQ(title, "Site");

  ofn.lStructSize = sizeof ofn - 1;
  EXPECT_FALSE(GetOpenFileName(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_STRUCTSIZE));
  ofn.lStructSize = sizeof ofn;
  ofn.lpstrFile = nullptr;
  EXPECT_FALSE(GetOpenFileName(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_INITIALIZATION));
}

}  // namespace
