#include <cstdlib>
#include <string>
#include <vector>

#include "platform/mfc/DataExchange.h"
#include "platform/mfc/Dialog.h"
#include "platform/mfc/WinApp.h"
#include "platform/testing/PlatformTest.h"
#include "platform/win/user/Dialog.h"
#include "platform/testing/Drivers.h"
#include "platform/win/user/ModalLoop.h"
#include "tests/platform/dialogs/data/resource.h"

namespace wavorel {
namespace {

// The form of the script with its data: name text, security radio group,
// hidden check box, mode combo index, count number.
class CFormDlg : public CDialog {
 public:
  CFormDlg() : CDialog(IDD_FORM) {}

  CString m_name = "home";
  int m_security = 1;
  int m_hidden = BST_CHECKED;
  int m_mode = 1;
  int m_count = 5;
  std::vector<std::string> calls;
  int nameChanges = 0;
  UINT timerResult = 0;

  BOOL OnInitDialog() override {
    calls.push_back("init");
    return CDialog::OnInitDialog();
  }
  void OnOK() override {
    calls.push_back("ok");
    CDialog::OnOK();
  }
  void OnCancel() override {
    calls.push_back("cancel");
    CDialog::OnCancel();
  }
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, IDC_NAME, m_name);
    DDX_Radio(pDX, IDC_OPEN, m_security);
    DDX_Check(pDX, IDC_HIDDEN, m_hidden);
    DDX_CBIndex(pDX, IDC_MODE, m_mode);
    DDX_Text(pDX, IDC_COUNT, m_count);
    DDV_MinMaxInt(pDX, m_count, 0, 99);
  }
  void OnNameChange() { ++nameChanges; }
  void OnTimer(UINT_PTR nIDEvent) {
    KillTimer(nIDEvent);
    EndDialog(static_cast<int>(timerResult));
  }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFormDlg, CDialog)
  ON_EN_CHANGE(IDC_NAME, &CFormDlg::OnNameChange)
  ON_WM_TIMER()
END_MESSAGE_MAP()

class CDialogTest : public testing::PlatformTest {
 protected:
  void TearDown() override {
    if (dlg.m_hWnd) dlg.DestroyWindow();
    PlatformTest::TearDown();
  }
  HWND item(int id) const { return GetDlgItem(dlg.m_hWnd, id); }
  std::string text(int id) const {
    char buffer[64] = "";
    GetDlgItemText(dlg.m_hWnd, id, buffer, sizeof buffer);
    return buffer;
  }
  CFormDlg dlg;
};

TEST_F(CDialogTest, ModelessCreateInitialisesTheControlsFromTheMembers) {
  ASSERT_TRUE(dlg.Create(IDD_FORM));
  EXPECT_EQ(CWnd::FromHandlePermanent(dlg.m_hWnd), &dlg);
  EXPECT_EQ(dlg.calls, std::vector<std::string>{"init"});
  EXPECT_EQ(text(IDC_NAME), "home");
  EXPECT_EQ(IsDlgButtonChecked(dlg.m_hWnd, IDC_WEP), static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(IsDlgButtonChecked(dlg.m_hWnd, IDC_HIDDEN), static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(SendDlgItemMessage(dlg.m_hWnd, IDC_MODE, CB_GETCOUNT, 0, 0), 2);  // from DLGINIT
  EXPECT_EQ(SendDlgItemMessage(dlg.m_hWnd, IDC_MODE, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(text(IDC_COUNT), "5");
  EXPECT_EQ(dlg.nameChanges, 0);  // notifications are locked out during UpdateData
  EXPECT_EQ(dlg.GetDefID(), static_cast<DWORD>(MAKELONG(IDOK, DC_HASDEFID)));
}

TEST_F(CDialogTest, DataRoundTripsThroughTheControls) {
  ASSERT_TRUE(dlg.Create(IDD_FORM));
  SetDlgItemText(dlg.m_hWnd, IDC_NAME, "office");
  EXPECT_EQ(dlg.nameChanges, 1);
  CheckRadioButton(dlg.m_hWnd, IDC_OPEN, IDC_WPA, IDC_WPA);
  CheckDlgButton(dlg.m_hWnd, IDC_HIDDEN, BST_UNCHECKED);
  SendDlgItemMessage(dlg.m_hWnd, IDC_MODE, CB_SETCURSEL, 0, 0);
  SetDlgItemText(dlg.m_hWnd, IDC_COUNT, " 42 ");
  ASSERT_TRUE(dlg.UpdateData(TRUE));
  EXPECT_EQ(dlg.m_name, "office");
  EXPECT_EQ(dlg.m_security, 2);
  EXPECT_EQ(dlg.m_hidden, BST_UNCHECKED);
  EXPECT_EQ(dlg.m_mode, 0);
  EXPECT_EQ(dlg.m_count, 42);

  CheckRadioButton(dlg.m_hWnd, IDC_OPEN, IDC_WPA, 0);
  SendDlgItemMessage(dlg.m_hWnd, IDC_MODE, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  ASSERT_TRUE(dlg.UpdateData(TRUE));
  EXPECT_EQ(dlg.m_security, -1);
  EXPECT_EQ(dlg.m_mode, CB_ERR);
}

// Texts around the length a first read takes at once are read whole.
TEST_F(CDialogTest, TextsOfAnyLengthAreReadWhole) {
  ASSERT_TRUE(dlg.Create(IDD_FORM));
  for (size_t length : {0, 1, 254, 255, 256, 1000}) {
    SCOPED_TRACE(length);
    std::string value(length, 'x');
    if (length > 0) value.back() = 'z';
    SetDlgItemText(dlg.m_hWnd, IDC_NAME, value.c_str());
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(std::string(dlg.m_name), value);
  }
}

// Counts WM_SETTEXT reaching the name control.
int g_setTexts = 0;
WNDPROC g_editProc = nullptr;
LRESULT CALLBACK countingProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SETTEXT) ++g_setTexts;
  return CallWindowProc(g_editProc, hWnd, msg, wParam, lParam);
}

TEST_F(CDialogTest, LoadingSetsATextOnlyWhenItDiffers) {
  ASSERT_TRUE(dlg.Create(IDD_FORM));
  g_setTexts = 0;
  g_editProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtr(item(IDC_NAME), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(countingProc)));
  ASSERT_TRUE(dlg.UpdateData(FALSE));
  EXPECT_EQ(g_setTexts, 0);
  dlg.m_name = "lab";
  ASSERT_TRUE(dlg.UpdateData(FALSE));
  EXPECT_EQ(g_setTexts, 1);
  EXPECT_EQ(text(IDC_NAME), "lab");
  EXPECT_EQ(dlg.nameChanges, 0);
}

TEST_F(CDialogTest, BadNumbersPromptFocusTheControlAndFailTheUpdate) {
  ASSERT_TRUE(dlg.Create(IDD_FORM));
  std::vector<std::string> prompts;
  setModalResponder([&](const ModalWindow& w) {
    prompts.push_back(w.text);
    return IDOK;
  });
  struct Case {
    const char* text;
    const char* prompt;
  } cases[] = {
      {"12x", "Please enter an integer."},
      {"", "Please enter an integer."},
      {"99999999999", "Please enter an integer."},
      {"100", "Please enter an integer between 0 and 99."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    prompts.clear();
    dlg.m_count = 7;
    SetFocus(item(IDC_NAME));
    SetDlgItemText(dlg.m_hWnd, IDC_COUNT, c.text);
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ(prompts, std::vector<std::string>{c.prompt});
    EXPECT_EQ(GetFocus(), item(IDC_COUNT));
    if (std::string(c.text) != "100") {
      EXPECT_EQ(dlg.m_count, 7);
    }
  }
  // OnOK stays open when the data is refused.
  SetDlgItemText(dlg.m_hWnd, IDC_COUNT, "abc");
  SendMessage(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(item(IDOK)));
  EXPECT_EQ(dlg.calls.back(), "ok");
  INT_PTR ended = 0;
  EXPECT_FALSE(takeModalResult(dlg.m_hWnd, &ended));
}

TEST_F(CDialogTest, DoModalEndsFromATimerInsideTheLoop) {
  setModalResponder([&](const ModalWindow& w) {
    SetTimer(w.hwnd, 3, 50, nullptr);
    return 0;
  });
  dlg.timerResult = 1234;
  {
    testing::ClockAdvancer passes(clock(), 50);  // the dialog's loop waits for its timer
    EXPECT_EQ(dlg.DoModal(), 1234);
  }
  EXPECT_EQ(dlg.m_hWnd, nullptr);
}

// A dialog-based program's main dialog is no question the headless run
// answers (it would press its OK): it stays until the program ends it, here
// with the timer it armed itself.
TEST_F(CDialogTest, ApplicationMainDialogIsLeftToItsProgram) {
  class CMainFormDlg : public CFormDlg {
   public:
    BOOL OnInitDialog() override {
      SetTimer(3, 50, nullptr);
      return CFormDlg::OnInitDialog();
    }
  };
  CWinApp app("main");
  CMainFormDlg main;
  main.timerResult = 1234;
  app.m_pMainWnd = &main;
  {
    testing::ClockAdvancer passes(clock(), 50);
    EXPECT_EQ(main.DoModal(), 1234);
  }
  app.m_pMainWnd = nullptr;
  EXPECT_EQ(main.calls, (std::vector<std::string>{"init"}));
}

TEST_F(CDialogTest, DoModalAnsweredByTheResponderRunsOnOK) {
  setModalResponder([](const ModalWindow& w) {
    SetDlgItemText(w.hwnd, IDC_NAME, "answered");
    return IDOK;
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_name, "answered");
  EXPECT_EQ(dlg.calls, (std::vector<std::string>{"init", "ok"}));
}

TEST_F(CDialogTest, EnterAndEscapeReachOnOKAndOnCancelThroughPreTranslateMessage) {
  setModalResponder([](const ModalWindow&) {
    PostMessage(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
    return 0;
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(dlg.calls.back(), "cancel");

  ASSERT_TRUE(dlg.Create(IDD_FORM));
  MSG enter{item(IDC_NAME), WM_KEYDOWN, VK_RETURN, 1, 0, {0, 0}};
  EXPECT_TRUE(dlg.PreTranslateMessage(&enter));
  EXPECT_EQ(dlg.calls.back(), "ok");
  EXPECT_FALSE(IsWindowVisible(dlg.m_hWnd));  // a modeless EndDialog hides
}

// A popup dialog is centred after OnInitDialog: a modal one on its owner, an
// unowned one on the screen; a modeless one with an enabled owner, and one
// that placed itself in OnInitDialog (a hidden helper off the screen), stay.
TEST_F(CDialogTest, PopupsAreCentredOnTheirOwnerOrTheScreenUnlessPlacedAlready) {
  auto centre = [](HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  };
  auto near = [](POINT a, POINT b) { return std::abs(a.x - b.x) <= 1 && std::abs(a.y - b.y) <= 1; };
  RECT work{};
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  const POINT screenCentre{(work.left + work.right) / 2, (work.top + work.bottom) / 2};

  HWND owner = CreateWindowEx(0, "Static", "", WS_POPUP | WS_VISIBLE, 100, 80, 400, 300, nullptr, nullptr, nullptr,
                              nullptr);
  CWinApp app("centring");
  app.m_pMainWnd = CWnd::FromHandle(owner);
  POINT modal{};
  setModalResponder([&](const ModalWindow& w) {
    modal = centre(w.hwnd);
    return IDCANCEL;
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_TRUE(near(modal, POINT{300, 230})) << modal.x << "," << modal.y;

  ASSERT_TRUE(dlg.Create(IDD_FORM));
  EXPECT_FALSE(near(centre(dlg.m_hWnd), POINT{300, 230}));
  dlg.DestroyWindow();
  app.m_pMainWnd = nullptr;
  ASSERT_TRUE(dlg.Create(IDD_FORM));
  EXPECT_TRUE(near(centre(dlg.m_hWnd), screenCentre));
  dlg.DestroyWindow();

  class COffScreenDlg : public CFormDlg {
   public:
    BOOL OnInitDialog() override {
      SetWindowPos(nullptr, -9999, -9999, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return CFormDlg::OnInitDialog();
    }
  } helper;
  ASSERT_TRUE(helper.Create(IDD_FORM));
  RECT r{};
  helper.GetWindowRect(&r);
  EXPECT_EQ(r.left, -9999);
  helper.DestroyWindow();
  DestroyWindow(owner);
}

TEST_F(CDialogTest, MissingTemplateGivesMinusOne) {
  CDialog missing(999);
  EXPECT_EQ(missing.DoModal(), -1);
  EXPECT_FALSE(missing.Create(999));
}

TEST_F(CDialogTest, DialogControlNavigation) {
  ASSERT_TRUE(dlg.Create(IDD_FORM));
  dlg.ShowWindow(SW_SHOW);
  SetFocus(item(IDC_NAME));
  dlg.NextDlgCtrl();
  EXPECT_EQ(GetFocus(), item(IDC_OPEN));
  dlg.PrevDlgCtrl();
  EXPECT_EQ(GetFocus(), item(IDC_NAME));
  dlg.GotoDlgCtrl(CWnd::FromHandle(item(IDCANCEL)));
  EXPECT_EQ(GetFocus(), item(IDCANCEL));
  dlg.SetDefID(IDCANCEL);
  EXPECT_EQ(dlg.GetDefID(), static_cast<DWORD>(MAKELONG(IDCANCEL, DC_HASDEFID)));
  RECT r{0, 0, 4, 8};
  dlg.MapDialogRect(&r);
  EXPECT_EQ(r.right, 6);
  EXPECT_EQ(r.bottom, 13);
}

}  // namespace
}  // namespace wavorel
