#include "frontend/DlgMessageBox.h"

#include <fstream>
#include <string>
#include <vector>

#include "frontend/SkinMessageBox.h"
#include "platform/win/user/ModalLoop.h"
#include "tests/frontend/FrontendTest.h"

namespace {

using wavorel::testing::FrontendTest;

// What the box showed when it opened.
struct Seen {
  std::string caption;
  std::string text;
  bool ok = false, yes = false, no = false;
  bool icon = false;
  int iconIndex = -1;
  LONG exStyle = 0;
  bool current = false;
};

std::string itemText(HWND dialog, int id) {
  char text[512] = "";
  GetDlgItemText(dialog, id, text, sizeof text);
  return text;
}

Seen look(HWND dialog) {
  Seen seen;
  seen.caption = itemText(dialog, IDC_MSGBOX_CAPTION);
  seen.text = itemText(dialog, IDC_MSGBOX_TEXT);
  seen.ok = IsWindowVisible(GetDlgItem(dialog, IDOK)) != FALSE;
  seen.yes = IsWindowVisible(GetDlgItem(dialog, IDYES)) != FALSE;
  seen.no = IsWindowVisible(GetDlgItem(dialog, IDNO)) != FALSE;
  seen.exStyle = GetWindowLong(dialog, GWL_EXSTYLE);
  CDlgMessageBox* box = CDlgMessageBox::GetCurrent();
  seen.current = box != nullptr && box->GetSafeHwnd() == dialog;
  if (box != nullptr) {
    seen.icon = box->m_picIcon.GetIcon() != nullptr;
    seen.iconIndex = box->m_nType;
  }
  return seen;
}

class DlgMessageBoxTest : public FrontendTest {
 protected:
  void TearDown() override {
    wavorel::setModalResponder({});
    FrontendTest::TearDown();
  }

  // Shows a box, looks at it and presses `button`.
  int show(UINT type, const char* caption, const char* text, int button, Seen* seen) {
    wavorel::setModalResponder([&](const wavorel::ModalWindow& window) {
      *seen = look(window.hwnd);
      return button;
    });
    return SkinMessageBox(type, caption, text);
  }
};

TEST_F(DlgMessageBoxTest, IconBitsChooseIconCaptionAndButtons) {
  struct Case {
    UINT type;
    const char* caption;
    int press;
    const char* shownCaption;
    int iconIndex;
    bool question;
    bool icon;
    int result;
  };
  const std::vector<Case> cases = {
      {MB_ICONQUESTION | MB_YESNO, nullptr, IDNO, "Question", 2, true, true, IDNO},
      {MB_ICONQUESTION | MB_YESNO, "Remove", IDYES, "Remove", 2, true, true, IDYES},
      {MB_YESNO, nullptr, IDOK, "Information", 0, false, true, IDOK},
      {0, "", IDOK, "Information", 0, false, true, IDOK},
      {MB_ICONINFORMATION, nullptr, IDOK, "Information", 0, false, true, IDOK},
      {MB_ICONWARNING | MB_OKCANCEL, nullptr, IDOK, "Warning", 1, false, true, IDOK},
      {MB_ICONERROR, nullptr, IDOK, "Error", 3, false, true, IDOK},
      {0x50, nullptr, IDOK, "Information", 0x50, false, false, IDOK},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "type 0x" << std::hex << c.type);
    Seen seen;
    EXPECT_EQ(show(c.type, c.caption, "Text", c.press, &seen), c.result);
    EXPECT_EQ(seen.caption, c.shownCaption);
    EXPECT_EQ(seen.iconIndex, c.iconIndex);
    EXPECT_EQ(seen.icon, c.icon);
    EXPECT_EQ(seen.yes, c.question);
    EXPECT_EQ(seen.no, c.question);
    EXPECT_EQ(seen.ok, !c.question);
    EXPECT_EQ(seen.exStyle, WS_EX_TOOLWINDOW);
    EXPECT_TRUE(seen.current);
    EXPECT_EQ(CDlgMessageBox::GetCurrent(), nullptr);
  }
}

TEST_F(DlgMessageBoxTest, CloseButtonCancelsWhicheverButtonsShow) {
  for (UINT type : {UINT{MB_ICONQUESTION | MB_YESNO}, UINT{MB_ICONERROR}}) {
    Seen seen;
    EXPECT_EQ(show(type, nullptr, "Text", IDCANCEL, &seen), IDCANCEL) << type;
  }
}

TEST_F(DlgMessageBoxTest, TextAndCaptionAreShownTranslatedAndTheTypeBeeps) {
  std::ofstream(programDir() + "/Language/German.ini")
      << "[Text]\r\nQuestion=Frage\r\nDelete the profile?=Profil l\xF6schen?\r\n";
  ASSERT_TRUE(SetCurLanguageType("German"));
  Seen seen;
  show(MB_ICONQUESTION | MB_YESNO | MB_DEFBUTTON2, nullptr, "Delete the profile?", IDYES, &seen);
  EXPECT_EQ(seen.caption, "Frage");
  EXPECT_EQ(seen.text, "Profil l\xF6schen?");
  // The beep takes the whole type: with button bits beside the icon it is
  // the default sound; an icon alone has its own.
  show(MB_ICONERROR, nullptr, "Failed", IDOK, &seen);
  EXPECT_EQ(wavorel::beeps(), (std::vector<UINT>{MB_OK, MB_ICONHAND}));

  // A text of several lines, a null text, and one without any separator.
  for (const char* text : {"Line one\r\nLine two", "no separators at all", static_cast<const char*>(nullptr)}) {
    show(MB_ICONWARNING, "Note", text, IDOK, &seen);
    EXPECT_EQ(seen.text, text ? text : "");
    EXPECT_EQ(seen.caption, "Note");
  }
}

TEST_F(DlgMessageBoxTest, NestedBoxGivesTheOuterOneBackItsPlace) {
  int depth = 0;
  HWND outer = nullptr;
  bool outerCurrentAfterInner = false;
  int innerResult = 0;
  wavorel::setModalResponder([&](const wavorel::ModalWindow& window) {
    if (depth++ == 0) {
      outer = window.hwnd;
      innerResult = SkinMessageBox(MB_ICONERROR, "Inner", "inner box");
      CDlgMessageBox* current = CDlgMessageBox::GetCurrent();
      outerCurrentAfterInner = current != nullptr && current->GetSafeHwnd() == outer;
      return IDOK;
    }
    EXPECT_NE(window.hwnd, outer);
    return IDOK;
  });
  EXPECT_EQ(SkinMessageBox(MB_ICONINFORMATION, "Outer", "outer box"), IDOK);
  EXPECT_EQ(innerResult, IDOK);
  EXPECT_TRUE(outerCurrentAfterInner);
  EXPECT_EQ(CDlgMessageBox::GetCurrent(), nullptr);
}

TEST_F(DlgMessageBoxTest, OpenBoxCanBeEndedFromOutside) {
  // As the main dialog's exit does: end the current box with IDCANCEL.
  wavorel::setModalResponder([](const wavorel::ModalWindow&) {
    CDlgMessageBox* current = CDlgMessageBox::GetCurrent();
    if (current != nullptr) current->EndDialog(IDCANCEL);
    return 0;
  });
  EXPECT_EQ(SkinMessageBox(MB_ICONQUESTION | MB_YESNO, nullptr, "Exit?"), IDCANCEL);
  EXPECT_EQ(CDlgMessageBox::GetCurrent(), nullptr);
}

}  // namespace
