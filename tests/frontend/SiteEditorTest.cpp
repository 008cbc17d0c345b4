// The site editor driven as the worker drives it: UI codes in, the commands
// of OK and Cancel recorded at a worker window. Opening in both roles, the
// golden command lists of OK, validation, the save-without-showing path, the
// fill codes with values out of range, and the sub-pages' own commands.
#include "tests/frontend/SiteEditorTest.h"

#include <cstdlib>
#include <map>
#include <set>

#include "platform/win/kernel/Resources.h"
#include "platform/win/user/DialogTemplate.h"
#include "platform/win/user/KeyInput.h"

namespace site_editor_test {
namespace {

constexpr UINT kInfo = IDD_PAGESITE_INFO;
constexpr UINT kSec = IDD_PAGESITE_SECURITY;
constexpr UINT kIdPw = IDD_PAGE8021X_IDPASSWORD;
constexpr UINT kClient = IDD_PAGE8021X_CLIENTCERT;
constexpr UINT kServer = IDD_PAGE8021X_SERVERCERT;
constexpr UINT kFast = IDD_PAGE8021X_EAPFAST;

// The commands OK sends for a profile whose fields hold `fields` (by code;
// every other field empty or 0), in OK's order; code 25 and 41 only when
// given. Kind 1 is the profile editor.
Commands okCommands(const std::map<UINT, std::string>& fields, int kind) {
  Commands list;
  auto add = [&](UINT c, const char* fallback) {
    auto it = fields.find(c);
    list.emplace_back(c, it != fields.end() ? it->second : fallback);
  };
  add(19, ""), add(20, ""), add(21, "0"), add(22, "0"), add(1, "0");
  if (fields.count(24)) add(24, "");
  else add(23, "0");
  if (fields.count(25)) add(25, "");
  for (UINT c = 26; c <= 30; ++c) add(c, "0");
  for (UINT c = 31; c <= 37; ++c) add(c, "");
  add(38, "0"), add(39, ""), add(40, "0");
  if (fields.count(41)) add(41, "");
  add(42, "0");
  for (UINT c = 43; c <= 47; ++c) add(c, "");
  add(48, "0"), add(51, "-1"), add(49, "0"), add(52, "0"), add(55, "0"), add(54, "-1"), add(56, ""), add(57, "0");
  add(58, "0"), add(59, "0"), add(60, "0"), add(61, "");
  list.emplace_back(17, std::to_string(kind));
  return list;
}

using SiteEditorOpenTest = SiteEditorTest;

TEST_F(SiteEditorOpenTest, CreationAsksForTheCertificateListsAndStaysHidden) {
  CDlgOneSiteEditor& e = editor();
  EXPECT_FALSE(e.IsWindowVisible());
  EXPECT_TRUE(e.GetExStyle() & WS_EX_TOOLWINDOW);
  // The client page asks for its list and reports its check box, the server
  // page likewise; the EAP layout of PEAP then runs both check boxes again.
  EXPECT_EQ(takeWorker(), (Commands{{50, ""}, {49, "0"}, {53, ""}, {52, "0"}, {49, "0"}, {52, "0"}}));
  EXPECT_EQ(&e, GetSiteEditor());  // one editor per process
}

TEST_F(SiteEditorOpenTest, TemplatesTitleAndListItems) {
  struct Size {
    UINT id;
    LONG cx, cy;  // dialog units
  };
  for (const Size& t : {Size{IDD_DLG_ONESITEEDITOR, 262, 212}, Size{IDD_PAGESITE_INFO, 343, 217},
                        Size{IDD_PAGESITE_SECURITY, 343, 217}, Size{IDD_PAGE8021X_IDPASSWORD, 316, 132},
                        Size{IDD_PAGE8021X_CLIENTCERT, 316, 132}, Size{IDD_PAGE8021X_SERVERCERT, 316, 132},
                        Size{IDD_PAGE8021X_EAPFAST, 316, 132}}) {
    wavorel::DialogTemplate found;
    ASSERT_TRUE(wavorel::findDialogTemplate(AfxGetResourceHandle(), MAKEINTRESOURCE(t.id), found)) << t.id;
    EXPECT_EQ(found.rect.right - found.rect.left, t.cx) << t.id;
    EXPECT_EQ(found.rect.bottom - found.rect.top, t.cy) << t.id;
  }
  EXPECT_EQ(text(IDD_DLG_ONESITEEDITOR, IDC_SITE_TITLE), "Site Config");

  auto items = [&](UINT page, UINT id) {
    std::vector<std::string> rows;
    CComboBox* combo = static_cast<CComboBox*>(control(page, id));
    for (int i = 0; combo && i < combo->GetCount(); ++i) {
      CString row;
      combo->GetLBText(i, row);
      rows.emplace_back(row.GetString());
    }
    return rows;
  };
  using Rows = std::vector<std::string>;
  EXPECT_EQ(items(kInfo, IDC_INFO_NETTYPE), (Rows{"Ad hoc", "Infrastructure"}));
  EXPECT_EQ(items(kInfo, IDC_INFO_CHANNEL), (Rows{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"}));
  EXPECT_EQ(items(kSec, IDC_SEC_AUTH),
            (Rows{"Open", "Shared", "Leap", "802.1x", "WPA", "WPA-PSK", "WPA2", "WPA2-PSK"}));
  for (UINT id : {IDC_SEC_KEY1_TYPE, IDC_SEC_KEY2_TYPE, IDC_SEC_KEY3_TYPE, IDC_SEC_KEY4_TYPE})
    EXPECT_EQ(items(kSec, id), (Rows{"Hex", "ACSII"})) << id;
  EXPECT_EQ(items(kSec, IDC_SEC_EAP), (Rows{"PEAP", "TLS / Smart Card", "TTLS", "EAP-FAST"}));
  EXPECT_EQ(items(kFast, IDC_FAST_TUNNEL), (Rows{"EAP-MSCHAP v2", "EAP-TLS / Smart Card"}));
  EXPECT_EQ(selection(kFast, IDC_FAST_TUNNEL), 0);
}

TEST_F(SiteEditorOpenTest, ProfileEditorAndSecurityEditor) {
  code(BRIDGE_UI_EDITOR_OPEN);
  CDlgOneSiteEditor& e = editor();
  EXPECT_TRUE(e.IsWindowVisible());
  EXPECT_EQ(e.GetTab().GetCurSel(), 0);
  EXPECT_EQ(e.GetEditorKind(), 1);
  EXPECT_FALSE(mainDialog().IsWindowEnabled());
  // The first show drops the tool-window style and centres the editor.
  EXPECT_FALSE(e.GetExStyle() & WS_EX_TOOLWINDOW);
  CRect rect;
  e.CWnd::GetWindowRect(&rect);
  EXPECT_EQ(rect.Width(), e.GetBigmapSize().cx);
  EXPECT_NEAR(rect.CenterPoint().x, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR(rect.CenterPoint().y, GetSystemMetrics(SM_CYSCREEN) / 2, 1);

  pressCancel();
  EXPECT_FALSE(e.IsWindowVisible());
  EXPECT_TRUE(mainDialog().IsWindowEnabled());

  code(40);
  EXPECT_TRUE(e.IsWindowVisible());
  EXPECT_TRUE(e.GetTab().IsPageHidden(&e.GetInfoPage()));
  EXPECT_EQ(e.GetTab().GetCurSel(), 1);
  EXPECT_EQ(e.GetEditorKind(), 0);
  EXPECT_FALSE(mainDialog().IsWindowEnabled());
  // Only the first show places the window: a moved editor stays put.
  e.SetWindowPos(nullptr, 5, 6, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  pressCancel();
  code(BRIDGE_UI_EDITOR_OPEN);
  e.CWnd::GetWindowRect(&rect);
  EXPECT_EQ(rect.TopLeft(), CPoint(5, 6));
  EXPECT_FALSE(e.GetTab().IsPageHidden(&e.GetInfoPage()));
  EXPECT_EQ(e.GetTab().GetCurSel(), 0);
  EXPECT_EQ(e.GetEditorKind(), 1);
}

// The text of the tip on the screen, "" when none shows.
std::string shownTip() {
  std::string tip;
  EnumWindows(
      [](HWND hwnd, LPARAM found) -> BOOL {
        char name[64] = "";
        GetClassName(hwnd, name, sizeof name);
        if (std::string(name) != TOOLTIPS_CLASS || !IsWindowVisible(hwnd)) return TRUE;
        char text[128] = "";
        GetWindowText(hwnd, text, sizeof text);
        *reinterpret_cast<std::string*>(found) = text;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&tip));
  return tip;
}

// Lets `ms` pass on the clock in steps, running what is ready as the
// program's loop does: each message passes the windows' PreTranslateMessage
// first, where the tooltips watch the mouse.
template <typename Clock>
void rest(Clock& clock, uint64_t ms) {
  for (uint64_t rested = 0;; rested += 50) {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (CWnd::WalkPreTranslateTree(nullptr, &msg)) continue;
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
    if (rested >= ms) break;
    clock.advance(50);
  }
}

// Tab goes from the editor's buttons into the fields of the page shown.
TEST_F(SiteEditorOpenTest, TabGoesThroughThePagesFields) {
  code(BRIDGE_UI_EDITOR_OPEN);
  const std::vector<HWND> ring = tabRing(editor().GetSafeHwnd());
  EXPECT_TRUE(inRing(ring, item(kInfo, IDC_INFO_NAME)));
  EXPECT_TRUE(inRing(ring, item(kInfo, IDC_INFO_SSID)));
  EXPECT_TRUE(inRing(ring, editor().GetDlgItem(IDC_SITE_OK)->GetSafeHwnd()));
}

TEST_F(SiteEditorOpenTest, CloseButtonTellsWhatItDoesWhenTheMouseRestsOnIt) {
  code(BRIDGE_UI_EDITOR_OPEN);
  const HWND close = item(IDD_DLG_ONESITEEDITOR, IDCANCEL);
  ASSERT_NE(close, nullptr);
  CRect button;
  ::GetClientRect(close, &button);
  wavorel::mouseMoveTo(close, button.CenterPoint(), 0);
  rest(clock(), 100);
  EXPECT_EQ(shownTip(), "");  // the tip waits for the pointer to rest
  rest(clock(), 600);
  EXPECT_EQ(shownTip(), "Close the dialog");
  // Off the button the tip goes.
  wavorel::mouseMoveTo(item(IDD_PAGESITE_INFO, IDC_INFO_NAME), CPoint(2, 2), 0);
  rest(clock(), 100);
  EXPECT_EQ(shownTip(), "");
}

TEST_F(SiteEditorOpenTest, CodesWithoutAnEditorCreateItAndDestroyEndsWindowThenObject) {
  code(37, "Cafe");
  EXPECT_EQ(text(kInfo, IDC_INFO_SSID), "Cafe");
  HWND first = editor().GetSafeHwnd();
  HWND page = editor().GetSecurityPage().GetSafeHwnd();
  code(BRIDGE_UI_EDITOR_OPEN);
  DestroySiteEditor();
  EXPECT_FALSE(IsWindow(first));
  EXPECT_FALSE(IsWindow(page));
  DestroySiteEditor();  // nothing left to end
  code(36, "Again");    // a new editor, with a new window
  EXPECT_NE(editor().GetSafeHwnd(), first);
  EXPECT_EQ(text(kInfo, IDC_INFO_NAME), "Again");
  EXPECT_EQ(text(kInfo, IDC_INFO_SSID), "");
  // Codes outside 35-84 do not reach the editor.
  code(34, "x");
  code(85, "x");
  EXPECT_EQ(text(kInfo, IDC_INFO_NAME), "Again");
}

// What the editor's window saw of its own end: whether, when WM_DESTROY
// reached it, the singleton still held the editor whose window it is, and
// whether its pages' windows were still there.
struct EndSeen {
  WNDPROC next = nullptr;
  CDlgOneSiteEditor* editor = nullptr;
  HWND page = nullptr;
  int destroys = 0;
  bool stillTheSingleton = false;
  bool pageStillThere = false;
};
EndSeen g_end;

LRESULT CALLBACK watchEnd(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DESTROY) {
    ++g_end.destroys;
    g_end.stillTheSingleton = CWnd::FromHandlePermanent(hwnd) == g_end.editor && GetSiteEditor() == g_end.editor;
    g_end.pageStillThere = ::IsWindow(g_end.page) != FALSE;
  }
  return CallWindowProc(g_end.next, hwnd, msg, wParam, lParam);
}

TEST_F(SiteEditorOpenTest, ExitEndsTheWindowBeforeTheObject) {
  code(37, "Cafe");
  code(BRIDGE_UI_EDITOR_OPEN);
  g_end = EndSeen{};
  g_end.editor = &editor();
  g_end.page = editor().GetSecurityPage().GetSafeHwnd();
  const HWND window = editor().GetSafeHwnd();
  g_end.next = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtr(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&watchEnd)));
  ASSERT_NE(g_end.next, nullptr);
  takeWorker();

  // The program's end ends the editor: its window is destroyed (not only
  // ended and hidden) while the object is whole and still the one editor,
  // so nothing its end runs makes a second editor.
  AfxGetApp()->ExitInstance();
  EXPECT_EQ(g_end.destroys, 1);
  EXPECT_TRUE(g_end.stillTheSingleton);
  EXPECT_TRUE(g_end.pageStillThere);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(IsWindow(g_end.page));
  // A click that was on its way to the old window reaches nothing.
  EXPECT_FALSE(::PostMessage(window, WM_COMMAND, MAKEWPARAM(IDC_SITE_OK, BN_CLICKED), 0));
  EXPECT_EQ(takeWorker(), Commands{});
}

TEST_F(SiteEditorOpenTest, CodesAreDroppedWhileTheEditorCannotBeMade) {
  // The resource module in use lacks the editor's template: its window
  // cannot be made.
  const HINSTANCE program = AfxGetResourceHandle();
  AfxSetResourceHandle(wavorel::moduleInstance("SiteEditorWithoutTemplates.dll"));
  saveFlag() = 1;
  for (UINT nCode : {37u, 41u, 50u, 63u, 84u, BRIDGE_UI_EDITOR_OPEN, 40u}) code(nCode, "1");
  EXPECT_EQ(GetSiteEditor(), nullptr);
  EXPECT_EQ(takeWorker(), Commands{});
  EXPECT_EQ(saveFlag(), 1);  // code 35 was dropped: the flag waits
  EXPECT_TRUE(mainDialog().IsWindowEnabled());

  // With the template back the next code makes the editor; the dropped
  // codes left nothing in it.
  AfxSetResourceHandle(program);
  code(36, "Home");
  ASSERT_NE(GetSiteEditor(), nullptr);
  EXPECT_EQ(text(kInfo, IDC_INFO_NAME), "Home");
  EXPECT_EQ(text(kInfo, IDC_INFO_SSID), "");
  EXPECT_FALSE(editor().IsWindowVisible());
}

// ---- OK and Cancel -------------------------------------------------------

using SiteEditorOkTest = SiteEditorTest;

TEST_F(SiteEditorOkTest, OpenWepProfileGoldenList) {
  code(36, "Home");
  code(37, "HomeNet");
  code(39, "1");
  code(41, "0");
  code(42, "1");
  code(45, "0");
  code(46, "0");
  code(50, "1234567890");
  code(BRIDGE_UI_EDITOR_OPEN);
  takeWorker();
  pressOk();
  const Commands expected = {
      {19, "Home"}, {20, "HomeNet"}, {21, "1"}, {22, "0"}, {1, "0"}, {23, "0"}, {25, "65537"}, {26, "0"},
      {27, "0"},    {28, "0"},       {29, "0"}, {30, "0"}, {31, "1234567890"}, {32, ""}, {33, ""}, {34, ""},
      {35, ""},     {36, ""},        {37, ""},  {38, "0"}, {39, ""}, {40, "0"}, {41, "0"}, {42, "0"},
      {43, ""},     {44, ""},        {45, ""},  {46, ""},  {47, ""}, {48, "0"}, {51, "-1"}, {49, "0"},
      {52, "0"},    {55, "0"},       {54, "-1"}, {56, ""}, {57, "0"}, {58, "0"}, {59, "0"}, {60, "0"},
      {61, ""},     {17, "1"}};
  EXPECT_EQ(takeWorker(), expected);
  EXPECT_FALSE(editor().IsWindowVisible());
  EXPECT_TRUE(mainDialog().IsWindowEnabled());
}

struct OkCase {
  const char* name;
  UINT open;  // 35 profile editor, 40 security editor
  std::vector<std::pair<UINT, std::string>> codes;
  std::map<UINT, std::string> fields;
};

TEST_F(SiteEditorOkTest, GoldenListsPerSecurity) {
  const OkCase cases[] = {
      {"WPA2-PSK as security editor",
       40,
       {{36, "Net"}, {37, "Net"}, {41, "6"}, {42, "3"}, {44, "Tr0ub4dor&3"}},
       {{19, "Net"}, {20, "Net"}, {23, "6"}, {25, "196608"}, {39, "Tr0ub4dor&3"}, {41, "0"}}},
      {"WPA2 with PEAP and EAP-MSCHAP v2",
       35,
       {{36, "Corp"}, {37, "CorpNet"}, {41, "5"}, {42, "3"}, {60, "0"}, {61, "0"}, {63, "alice"}, {65, "tunnel"},
        {66, "S3cret!"}, {59, "1"}},
       {{19, "Corp"}, {20, "CorpNet"}, {23, "5"}, {25, "196609"}, {41, "0"}, {42, "1"}, {43, "alice"},
        {46, "tunnel"}, {47, "S3cret!"}}},
      {"802.1x with TTLS and PAP",
       35,
       {{36, "Lab"}, {37, "LabNet"}, {43, "1"}, {60, "2"}, {62, "3"}, {63, "bob"}, {66, "pw"}},
       {{19, "Lab"}, {20, "LabNet"}, {24, ""}, {25, "1"}, {40, "2"}, {41, "6"}, {43, "bob"}, {47, "pw"}}},
      {"WPA with EAP-FAST and a PAC file",
       35,
       {{36, "Fast"}, {37, "FastNet"}, {41, "3"}, {60, "3"}, {81, "1"}, {80, "1"}, {82, "1"},
        {83, "C:\\PAC\\fast.pac"}},
       {{19, "Fast"}, {20, "FastNet"}, {23, "3"}, {25, "131073"}, {40, "3"}, {58, "1"}, {59, "1"}, {60, "1"},
        {61, "C:\\PAC\\fast.pac"}}},
  };
  for (const OkCase& c : cases) {
    SCOPED_TRACE(c.name);
    for (const auto& [nCode, value] : c.codes) code(nCode, value);
    code(c.open);
    takeWorker();
    pressOk();
    EXPECT_EQ(takeWorker(), okCommands(c.fields, c.open == 40 ? 0 : 1));
    EXPECT_FALSE(editor().IsWindowVisible());
    DestroySiteEditor();
    takeWorker();
  }
}

TEST_F(SiteEditorOkTest, CancelAfterAFailedOkSendsTheSameKind) {
  for (UINT open : {35u, 40u}) {
    code(41, "4");  // WPA-PSK with no key: the security page fails
    code(36, "n");
    code(37, "s");
    saveFlag() = 1;
    if (open == 40) code(40);
    else code(35);
    EXPECT_TRUE(editor().IsWindowVisible());
    takeWorker();
    pressOk();
    EXPECT_TRUE(editor().IsWindowVisible());
    EXPECT_EQ(takeWorker(), Commands{});
    saveFlag() = 1;
    pressCancel();
    EXPECT_EQ(takeWorker(), (Commands{{18, open == 40 ? "0" : "1"}}));
    EXPECT_EQ(saveFlag(), 0);  // cleared through the main dialog's station tab control
    EXPECT_FALSE(editor().IsWindowVisible());
    EXPECT_TRUE(mainDialog().IsWindowEnabled());
    DestroySiteEditor();
  }
}

TEST_F(SiteEditorOkTest, ChannelGoesBackAsTheShownChannelMinusOne) {
  // Items "1" to "11" send their index; a channel the worker set that is no
  // item (12-14, 5 GHz, the Japanese rows) keeps its number.
  const std::pair<const char*, const char*> cases[] = {
      {"1", "0"}, {"6", "5"}, {"11", "10"}, {"13", "12"}, {"14", "13"}, {"36", "35"}, {"J8", "207"}, {"x", "-1"}};
  for (const auto& [shown, sent] : cases) {
    SCOPED_TRACE(shown);
    code(36, "Adhoc");
    code(37, "Adhoc");
    code(39, "0");
    code(38, shown);
    EXPECT_EQ(text(kInfo, IDC_INFO_CHANNEL), shown);
    code(BRIDGE_UI_EDITOR_OPEN);
    takeWorker();
    pressOk();
    Commands sent22;
    for (const Command& c : takeWorker()) {
      if (c.first == 22) sent22.push_back(c);
    }
    EXPECT_EQ(sent22, (Commands{{22, sent}}));
    DestroySiteEditor();
  }
}

// ---- validation ------------------------------------------------------------

using SiteEditorValidationTest = SiteEditorTest;

TEST_F(SiteEditorValidationTest, NameAndSsidMustNotBeEmpty) {
  struct Case {
    const char* name;
    const char* ssid;
    const char* error;  // "" passes
    UINT field;
  };
  const Case cases[] = {{"", "Net", "Please entry profile name", IDC_INFO_NAME},
                        {"", "", "Please entry profile name", IDC_INFO_NAME},
                        {"Home", "", "Please entry SSID", IDC_INFO_SSID},
                        {"Home", "Net", "", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + "/" + c.ssid);
    code(36, c.name);
    code(37, c.ssid);
    code(BRIDGE_UI_EDITOR_OPEN);
    // The security page is on screen; a failing name still selects page 0.
    editor().GetTab().SetCurSel(1);
    takeWorker();
    pressOk();
    EXPECT_EQ(balloon(), c.error);
    Commands sent = takeWorker();
    if (*c.error) {
      EXPECT_TRUE(sent.empty());
      EXPECT_EQ(editor().GetTab().GetCurSel(), 0);
      EXPECT_EQ(GetFocus(), item(kInfo, c.field));
      EXPECT_TRUE(editor().IsWindowVisible());
    } else {
      ASSERT_FALSE(sent.empty());
      EXPECT_EQ(sent.back(), (Command{17, "1"}));
    }
    DestroySiteEditor();
    dismissBalloon();
  }
}

TEST_F(SiteEditorValidationTest, IllegalCharactersInTheNameRaiseAnAlert) {
  code(BRIDGE_UI_EDITOR_OPEN);
  CEdit* name = static_cast<CEdit*>(control(kInfo, IDC_INFO_NAME));
  const std::string illegal = "~!@#$%^&*()_={}|[]\\:;'?></.,+`\"";
  for (char c : illegal) {
    SCOPED_TRACE(std::string(1, c));
    received().clear();
    name->SetWindowText(("My" + std::string(1, c) + "Net").c_str());
    wavorel::pumpMessages();
    EXPECT_EQ(valuesOf(BRIDGE_UI_MESSAGE_BOX), (std::vector<std::string>{"48\r\n\r\nContain illegal character."}));
    // The text stays; it is selected and the name edit has the focus.
    EXPECT_EQ(text(kInfo, IDC_INFO_NAME), "My" + std::string(1, c) + "Net");
    int start = 0, end = 0;
    name->GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 6);
    EXPECT_EQ(GetFocus(), name->GetSafeHwnd());
  }
  received().clear();
  name->SetWindowText("My-Home 2 net");
  wavorel::pumpMessages();
  EXPECT_TRUE(valuesOf(BRIDGE_UI_MESSAGE_BOX).empty());
}

TEST_F(SiteEditorValidationTest, PreSharedKeyLengths) {
  const std::string hex64(64, 'a');
  std::string g64 = hex64;
  g64[10] = 'G';
  struct Case {
    const char* auth;  // code 41 value: 4 WPA-PSK, 6 WPA2-PSK
    std::string key;
    const char* error;
  };
  const Case cases[] = {
      {"4", "1234567", "WPA-PSK is invalid. Should over 8 characters"},
      {"6", "", "WPA2-PSK is invalid. Should over 8 characters"},
      {"4", "12345678", ""},
      {"4", std::string(63, 'x'), ""},
      {"6", hex64, ""},
      {"4", g64, "Invalid WPA-PSK. Use field should be 64 hex digits."},
      {"6", std::string(65, 'a'),
       "Invalid WPA Pre-Shared key. WPA-PSK used field should use 8 to 63 characters."},
      {"4", std::string(200, 'k'),
       "Invalid WPA Pre-Shared key. WPA-PSK used field should use 8 to 63 characters."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.auth) + " " + std::to_string(c.key.size()));
    code(36, "n");
    code(37, "s");
    code(41, c.auth);
    code(44, c.key);
    EXPECT_EQ(text(kSec, IDC_SEC_PSK), c.key);  // shown as received, whatever its length
    code(40);
    takeWorker();
    pressOk();
    EXPECT_EQ(balloon(), c.error);
    Commands sent = takeWorker();
    if (*c.error) {
      EXPECT_TRUE(sent.empty());
      EXPECT_EQ(GetFocus(), item(kSec, IDC_SEC_PSK));
      EXPECT_EQ(editor().GetTab().GetCurSel(), 1);
    } else {
      ASSERT_FALSE(sent.empty());
      EXPECT_EQ(sent.back(), (Command{17, "0"}));
      EXPECT_NE(std::find(sent.begin(), sent.end(), Command{39, c.key}), sent.end());
    }
    DestroySiteEditor();
    dismissBalloon();
  }
}

TEST_F(SiteEditorValidationTest, ErrorBalloonIsTitledErrorAndLastsFiveSeconds) {
  code(36, "Home");
  code(37, "HomeNet");
  code(41, "6");
  code(44, "short");
  code(BRIDGE_UI_EDITOR_OPEN);
  pressOk();
  ASSERT_EQ(balloon(), "WPA2-PSK is invalid. Should over 8 characters");
  CString title;
  ::GetWindowText(balloonWindow(), title.GetBuffer(64), 64);
  title.ReleaseBuffer();
  EXPECT_STREQ(title, "Error");
  EXPECT_EQ(GetFocus(), item(kSec, IDC_SEC_PSK));
  auto wait = [&](int ms) {
    for (int t = 0; t < ms; t += 100) {
      clock().advance(100);
      wavorel::runFor(0);
    }
  };
  wait(4800);
  EXPECT_EQ(balloon(), "WPA2-PSK is invalid. Should over 8 characters");
  wait(4000);
  EXPECT_EQ(balloon(), "");
}

TEST_F(SiteEditorValidationTest, OnlyTheDefaultWepKeyIsChecked) {
  struct Case {
    const char* auth;        // code 41
    const char* encryption;  // code 42
    const char* type;        // code 48: type of key 3
    const char* key3;
    const char* error;
  };
  const Case cases[] = {
      {"1", "1", "0", "0123456789", ""},
      {"1", "1", "0", "0123456789abcdef0123456789", ""},
      {"1", "1", "0", "012345678", "WEP key length is invalid. Should is 10 or 26 hex digit"},
      {"1", "0", "1", "abcde", ""},
      {"1", "1", "1", "abcdefghijklm", ""},
      {"1", "1", "1", "abcdef", "WEP key length is invalid. Should is 5 or 13 hex characters"},
      {"0", "1", "0", "0123", "WEP key length is invalid. Should is 10 or 26 hex digit"},
      {"0", "0", "0", "0123", ""},  // open, no encryption: no key check
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.auth) + "/" + c.encryption + "/" + c.type + "/" + c.key3);
    code(36, "n");
    code(37, "s");
    code(41, c.auth);
    code(42, c.encryption);
    code(45, "2");
    code(48, c.type);
    code(50, "bad");  // key 1 is never checked
    code(52, c.key3);
    code(BRIDGE_UI_EDITOR_OPEN);
    takeWorker();
    pressOk();
    EXPECT_EQ(balloon(), c.error);
    if (*c.error) {
      EXPECT_EQ(GetFocus(), item(kSec, IDC_SEC_KEY3));
      EXPECT_EQ(editor().GetTab().GetCurSel(), 1);
      const UINT limit = static_cast<UINT>(::SendMessage(item(kSec, IDC_SEC_KEY3), EM_GETLIMITTEXT, 0, 0));
      EXPECT_EQ(limit, std::string(c.type) == "0" ? 26u : 13u);
    } else {
      EXPECT_EQ(takeWorker().back(), (Command{17, "1"}));
    }
    DestroySiteEditor();
    dismissBalloon();
  }
}

// ---- save without showing --------------------------------------------------

using SiteEditorSaveTest = SiteEditorTest;

TEST_F(SiteEditorSaveTest, SavedWithoutShowingLeavesTheMainWindowEnabled) {
  code(36, "Survey");
  code(37, "SurveyNet");
  saveFlag() = 1;
  code(BRIDGE_UI_EDITOR_OPEN);
  EXPECT_EQ(saveFlag(), 0);
  EXPECT_FALSE(editor().IsWindowVisible());
  EXPECT_TRUE(editor().GetExStyle() & WS_EX_TOOLWINDOW);  // never shown
  EXPECT_TRUE(mainDialog().IsWindowEnabled());
  Commands sent = takeWorker();
  ASSERT_FALSE(sent.empty());
  EXPECT_EQ(sent.back(), (Command{17, "1"}));
}

TEST_F(SiteEditorSaveTest, APageThatFailsShowsTheEditor) {
  code(37, "SurveyNet");  // no name
  saveFlag() = 1;
  code(BRIDGE_UI_EDITOR_OPEN);
  EXPECT_EQ(saveFlag(), 0);
  EXPECT_TRUE(editor().IsWindowVisible());
  EXPECT_EQ(balloon(), "Please entry profile name");
  EXPECT_FALSE(mainDialog().IsWindowEnabled());
  for (const Command& c : takeWorker()) EXPECT_NE(c.first, 17u);
}

// The worker's hidden editor in a round trip: it stores what OK sends
// (commands 19-61 by number) and, to save the profile again, reports each
// stored field with the UI code of its control. Channels travel as their
// number minus 1, encryption as its index (row + 2 when the list starts at
// "TKIP") << 16 | kind and back as that index, the inner method as its row
// (+ 3 when the list does not start with "EAP-MSCHAP v2"). The list rows of
// the certificates have no field code.
using Stored = std::map<UINT, std::string>;

Stored storeOf(const Commands& sent) {
  Stored stored;
  for (const Command& c : sent) stored[c.first] = c.second;
  return stored;
}

// The UI codes that report `stored` back, in the order the hidden editor
// loads a profile (authentication before its encryption and fields, the EAP
// method before its inner method).
std::vector<std::pair<UINT, std::string>> reportOf(const Stored& stored) {
  std::vector<std::pair<UINT, std::string>> codes;
  auto field = [&](UINT command) { return stored.count(command) ? stored.at(command) : std::string(); };
  auto number = [&](UINT command) { return std::atoi(field(command).c_str()); };
  auto same = [&](UINT command, UINT ui) { codes.emplace_back(ui, field(command)); };
  same(19, 36), same(20, 37), same(21, 39);
  codes.emplace_back(38, std::to_string(number(22) + 1));
  if (stored.count(24)) codes.emplace_back(43, "1");
  else same(23, 41);
  codes.emplace_back(42, std::to_string(number(25) >> 16));
  same(39, 44), same(26, 45);
  for (UINT i = 0; i < 4; ++i) same(27 + i, 46 + i), same(31 + i, 50 + i);
  same(35, 54), same(36, 55), same(37, 56), same(38, 57);
  same(40, 60);
  codes.emplace_back(61, std::to_string(number(41) >= 3 ? number(41) - 3 : number(41)));
  same(42, 59);
  same(43, 63), same(44, 64), same(46, 65), same(47, 66), same(45, 67), same(48, 68);
  same(49, 69);
  same(52, 75), same(55, 76), same(56, 77), same(57, 78);
  same(59, 80), same(60, 81), same(58, 82), same(61, 83);
  return codes;
}

struct RoundTrip {
  const char* name;
  std::vector<std::pair<UINT, std::string>> fields;  // what the worker reports first
};

TEST_F(SiteEditorSaveTest, ProfilesRoundTripThroughTheHiddenEditor) {
  const RoundTrip trips[] = {
      {"ad hoc, open WEP on channel 13, Hex and ASCII keys",
       {{36, "Cafe Net"}, {37, "Cafe-AdHoc"}, {39, "0"}, {38, "13"}, {41, "0"}, {42, "1"}, {45, "2"},
        {46, "0"}, {47, "1"}, {48, "0"}, {49, "1"}, {50, "0123456789"}, {51, "abcde"},
        {52, "0123456789ABCDEF0123456789"}, {53, "Thirteen_char"}}},
      {"WPA2-PSK with a passphrase",
       {{36, "Home"}, {37, "HomeNet"}, {39, "1"}, {38, "11"}, {41, "6"}, {42, "3"}, {44, "Tr0ub4dor&3 horse"}}},
      {"WPA2 with TTLS and PAP, identity and server certificate",
       {{36, "Corp"}, {37, "CorpNet"}, {39, "1"}, {38, "6"}, {41, "5"}, {42, "3"}, {60, "2"}, {61, "3"},
        {59, "1"}, {63, "bob"}, {64, "pa55!"}, {67, "CORP"}, {65, "anon"}, {66, "tunnel pw"}, {68, "1"},
        {75, "1"}, {76, "1"}, {77, "radius.corp"}, {78, "1"}}},
      {"WPA with EAP-FAST and a PAC file",
       {{36, "Fast"}, {37, "FastNet"}, {39, "1"}, {38, "1"}, {41, "3"}, {42, "2"}, {60, "3"}, {63, "carol"},
        {80, "1"}, {81, "1"}, {82, "1"}, {83, "C:\\PAC\\fast.pac"}}},
      {"802.1x with PEAP and EAP-MSCHAP v2", {{36, "Lab"}, {37, "LabNet"}, {39, "1"}, {38, "1"}, {43, "1"},
                                              {42, "1"}, {60, "0"}, {61, "0"}, {63, "dave"}, {64, "pw"}}},
  };
  // Fills a new editor with `codes`, saves it without showing and returns
  // what OK sent.
  auto save = [&](const std::vector<std::pair<UINT, std::string>>& codes) {
    DestroySiteEditor();
    for (const auto& [nCode, value] : codes) code(nCode, value);
    takeWorker();
    saveFlag() = 1;
    code(BRIDGE_UI_EDITOR_OPEN);
    EXPECT_EQ(saveFlag(), 0);
    EXPECT_FALSE(editor().IsWindowVisible());
    EXPECT_TRUE(editor().GetExStyle() & WS_EX_TOOLWINDOW);  // never shown
    EXPECT_TRUE(mainDialog().IsWindowEnabled());
    Commands sent = takeWorker();
    EXPECT_EQ(sent.empty() ? Command{} : sent.back(), (Command{17, "1"}));
    return sent;
  };
  for (const RoundTrip& trip : trips) {
    SCOPED_TRACE(trip.name);
    const Commands first = save(trip.fields);
    const Stored stored = storeOf(first);
    // Every field the worker reported comes back from the stored profile
    // with the value it had.
    std::map<UINT, std::string> back;
    for (const auto& [ui, value] : reportOf(stored)) back[ui] = value;
    for (const auto& [ui, value] : trip.fields) EXPECT_EQ(back[ui], value) << "code " << ui;
    // Saving the stored profile again stores the same profile.
    EXPECT_EQ(save(reportOf(stored)), first);
  }
}

// ---- fill codes --------------------------------------------------------------

using SiteEditorFillTest = SiteEditorTest;

TEST_F(SiteEditorFillTest, AuthenticationAndEncryptionRows) {
  // The hidden editor has no "802.1x" row: 3 and above move down one.
  const std::pair<const char*, int> auth[] = {{"0", 0},   {"2", 2},   {"3", 4},          {"6", 7},
                                              {"7", -1},  {"-1", -1}, {"2147483647", -1}, {"abc", 0}};
  for (const auto& [value, row] : auth) {
    SCOPED_TRACE(value);
    code(41, "5");
    code(41, value);
    EXPECT_EQ(selection(kSec, IDC_SEC_AUTH), row);
  }
  code(41, "0");
  code(42, "1");
  EXPECT_EQ(selection(kSec, IDC_SEC_ENCRYPTION), 1);
  EXPECT_TRUE(visible(kSec, IDC_SEC_KEY1));  // open with WEP shows the keys
  code(42, "2");                              // outside the list: cleared
  EXPECT_EQ(selection(kSec, IDC_SEC_ENCRYPTION), -1);
  EXPECT_FALSE(visible(kSec, IDC_SEC_KEY1));
  // The worker names the encryption by its index (0 None .. 3 AES): with
  // "TKIP" and "AES" listed, index 3 is row 1.
  code(41, "6");
  const std::pair<const char*, int> encryption[] = {{"3", 1}, {"2", 0}, {"1", -1}, {"-2147483648", -1}};
  for (const auto& [value, row] : encryption) {
    code(42, "3");
    code(42, value);
    EXPECT_EQ(selection(kSec, IDC_SEC_ENCRYPTION), row) << value;
  }
  code(43, "1");
  EXPECT_EQ(selection(kSec, IDC_SEC_AUTH), 3);
  code(58, "1");
  EXPECT_EQ(selection(kSec, IDC_SEC_AUTH), 2);
  EXPECT_TRUE(visible(kSec, IDC_SEC_LEAP_ID));
  code(58, "0");  // zero keeps the row
  EXPECT_EQ(selection(kSec, IDC_SEC_AUTH), 2);
}

TEST_F(SiteEditorFillTest, IndexesOutsideTheirListsAreIgnored) {
  code(46, "1");
  code(46, "2");
  code(49, "-1");
  EXPECT_EQ(selection(kSec, IDC_SEC_KEY1_TYPE), 1);
  EXPECT_EQ(selection(kSec, IDC_SEC_KEY4_TYPE), 0);
  code(60, "2");
  code(60, "4");
  EXPECT_EQ(selection(kSec, IDC_SEC_EAP), 2);
  code(61, "4");
  code(62, "5");
  EXPECT_EQ(selection(kSec, IDC_SEC_INNER), 4);
  // A network type outside the list leaves the selection, and the channel
  // controls still follow the selection.
  code(39, "1");
  EXPECT_FALSE(visible(kInfo, IDC_INFO_CHANNEL));
  ::SendMessage(item(kInfo, IDC_INFO_NETTYPE), CB_SETCURSEL, 0, 0);
  code(39, "5");
  EXPECT_EQ(selection(kInfo, IDC_INFO_NETTYPE), 0);
  EXPECT_TRUE(visible(kInfo, IDC_INFO_CHANNEL));
  EXPECT_TRUE(visible(kInfo, IDC_INFO_PSP));
  code(39, "x");  // atoi: 0, ad hoc
  EXPECT_EQ(selection(kInfo, IDC_INFO_NETTYPE), 0);
}

TEST_F(SiteEditorFillTest, CertificateListsAndTunnelControls) {
  code(74, "\"Alice\"\r\n\"Bob Smith\"\r\nCarol");
  CComboBox* client = static_cast<CComboBox*>(control(kClient, IDC_CCERT_LIST));
  ASSERT_EQ(client->GetCount(), 3);
  CString row;
  client->GetLBText(1, row);
  EXPECT_STREQ(row, "Bob Smith");
  client->GetLBText(2, row);
  EXPECT_STREQ(row, "Carol");
  EXPECT_EQ(client->GetCurSel(), 0);
  code(74, "");
  EXPECT_EQ(client->GetCount(), 0);
  EXPECT_EQ(client->GetCurSel(), -1);

  code(79, "\"Root CA\"");
  CComboBox* server = static_cast<CComboBox*>(control(kServer, IDC_SCERT_LIST));
  ASSERT_EQ(server->GetCount(), 1);
  server->GetLBText(0, row);
  EXPECT_STREQ(row, "Root CA");

  code(70, "alice@example");
  EXPECT_EQ(text(kClient, IDC_CCERT_TO), "alice@example");
  code(77, "radius.example");
  EXPECT_EQ(text(kServer, IDC_SCERT_NAME), "radius.example");

  code(84, "0");
  EXPECT_FALSE(enabled(kFast, IDC_FAST_TUNNEL));
  EXPECT_FALSE(enabled(kFast, IDC_FAST_TUNNEL_LABEL));
  code(84, "1");
  EXPECT_TRUE(enabled(kFast, IDC_FAST_TUNNEL));
  code(82, "1");
  EXPECT_EQ(selection(kFast, IDC_FAST_TUNNEL), 1);
}

TEST_F(SiteEditorFillTest, TextsLongerThanTheLimitAreKept) {
  const std::string longName(40, 'N');
  code(36, longName);
  code(37, longName + "S");
  code(BRIDGE_UI_EDITOR_OPEN);
  takeWorker();
  pressOk();
  Commands sent = takeWorker();
  ASSERT_GE(sent.size(), 2u);
  EXPECT_EQ(sent[0], (Command{19, longName}));
  EXPECT_EQ(sent[1], (Command{20, longName + "S"}));
}

// ---- layouts -------------------------------------------------------------------

using SiteEditorLayoutTest = SiteEditorTest;

TEST_F(SiteEditorLayoutTest, GroupsFollowTheAuthentication) {
  struct Case {
    int row;
    std::vector<std::string> encryption;
    const char* group;  // "wep", "leap", "psk", "8021x"
  };
  const Case cases[] = {{0, {"None", "WEP"}, ""},         {1, {"None", "WEP"}, "wep"},
                        {2, {}, "leap"},                  {3, {"None", "WEP"}, "8021x"},
                        {4, {"TKIP", "AES"}, "8021x"},     {5, {"TKIP", "AES"}, "psk"},
                        {6, {"TKIP", "AES"}, "8021x"},     {7, {"TKIP", "AES"}, "psk"}};
  CComboBox* auth = static_cast<CComboBox*>(control(kSec, IDC_SEC_AUTH));
  CComboBox* encryption = static_cast<CComboBox*>(control(kSec, IDC_SEC_ENCRYPTION));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    auth->SetCurSel(c.row);
    editor().GetSecurityPage().SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SEC_AUTH, CBN_SELCHANGE),
                                           reinterpret_cast<LPARAM>(auth->GetSafeHwnd()));
    std::vector<std::string> items;
    for (int i = 0; i < encryption->GetCount(); ++i) {
      CString item;
      encryption->GetLBText(i, item);
      items.emplace_back(item.GetString());
    }
    EXPECT_EQ(items, c.encryption);
    EXPECT_EQ(encryption->IsWindowEnabled() != FALSE, !c.encryption.empty());
    const std::string group = c.group;
    EXPECT_EQ(visible(kSec, IDC_SEC_KEY4), group == "wep");
    EXPECT_EQ(visible(kSec, IDC_SEC_LEAP_AES), group == "leap");
    EXPECT_EQ(visible(kSec, IDC_SEC_PSK), group == "psk");
    EXPECT_EQ(visible(kSec, IDC_SEC_8021X_TAB), group == "8021x");
    EXPECT_EQ(visible(kSec, IDC_SEC_SESSION_RESUME), group == "8021x");
  }
  // The PSK label names the authentication.
  EXPECT_EQ(text(kSec, IDC_SEC_PSK_LABEL), "WPA2-PSK Key");
}

TEST_F(SiteEditorLayoutTest, EapMethodsSetInnerListsSubTabsAndFields) {
  CPageSite_Security& page = editor().GetSecurityPage();
  CGxTabCtrl& sub = page.Get8021XTab();
  CComboBox* inner = static_cast<CComboBox*>(control(kSec, IDC_SEC_INNER));
  auto first = [&] {
    CString text;
    if (inner->GetCount() > 0) inner->GetLBText(0, text);
    return std::string(text.GetString());
  };
  code(60, "0");
  EXPECT_EQ(inner->GetCount(), 3);
  EXPECT_EQ(first(), "EAP-MSCHAP v2");
  code(60, "2");
  EXPECT_EQ(inner->GetCount(), 5);
  EXPECT_EQ(first(), "CHAP");
  code(60, "1");
  EXPECT_EQ(inner->GetCount(), 0);
  EXPECT_FALSE(inner->IsWindowEnabled());
  code(60, "3");
  EXPECT_TRUE(sub.IsPageHidden(sub.GetPage(1)));
  EXPECT_TRUE(sub.IsPageHidden(sub.GetPage(2)));
  EXPECT_EQ(sub.GetCurSel(), 3);
  code(60, "0");
  EXPECT_TRUE(sub.IsPageHidden(sub.GetPage(3)));
  EXPECT_FALSE(sub.IsPageHidden(sub.GetPage(1)));

  // Fields of the identity page by method and inner row: password, domain,
  // tunnel ID, tunnel password, password mode.
  struct Case {
    const char* eap;
    const char* inner;
    bool on[5];
  };
  const Case cases[] = {{"0", "0", {false, false, true, true, false}}, {"0", "1", {false, false, true, false, false}},
                        {"0", "2", {false, false, true, true, true}},  {"1", "0", {false, false, false, false, false}},
                        {"2", "4", {false, false, true, true, false}}, {"3", "0", {false, true, true, true, true}}};
  const UINT fields[5] = {IDC_IDPW_PASSWORD, IDC_IDPW_DOMAIN, IDC_IDPW_TUNNEL_ID, IDC_IDPW_TUNNEL_PASSWORD,
                          IDC_IDPW_SOFT_TOKEN};
  const UINT labels[5] = {IDC_IDPW_PASSWORD_LABEL, IDC_IDPW_DOMAIN_LABEL, IDC_IDPW_TUNNEL_ID_LABEL,
                          IDC_IDPW_TUNNEL_PASSWORD_LABEL, IDC_IDPW_MODE_LABEL};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.eap) + "/" + c.inner);
    code(60, c.eap);
    code(61, c.inner);
    EXPECT_TRUE(enabled(kIdPw, IDC_IDPW_ID));
    for (int i = 0; i < 5; ++i) {
      EXPECT_EQ(enabled(kIdPw, fields[i]), c.on[i]) << i;
      EXPECT_EQ(enabled(kIdPw, labels[i]), c.on[i]) << i;
    }
  }
}

TEST_F(SiteEditorLayoutTest, ClientCertificateFollowsTheMethod) {
  CButton* use = static_cast<CButton*>(control(kClient, IDC_CCERT_USE));
  // TLS needs the certificate: checked, locked, details on.
  code(60, "1");
  EXPECT_EQ(use->GetCheck(), 1);
  EXPECT_FALSE(use->IsWindowEnabled());
  EXPECT_TRUE(enabled(kClient, IDC_CCERT_LIST));
  // PEAP with EAP-MSCHAP v2: the check box is free again and the details
  // follow it, reported with code 49.
  code(60, "0");
  takeWorker();
  code(69, "0");
  code(61, "0");
  EXPECT_TRUE(use->IsWindowEnabled());
  EXPECT_FALSE(enabled(kClient, IDC_CCERT_TO));
  EXPECT_EQ(takeWorker(), (Commands{{49, "0"}, {52, "0"}}));
  // TTLS: free, details on whatever the check.
  code(60, "2");
  EXPECT_TRUE(use->IsWindowEnabled());
  EXPECT_TRUE(enabled(kClient, IDC_CCERT_FRIENDLY));
}

// ---- keys ------------------------------------------------------------------------

using SiteEditorKeyTest = SiteEditorTest;

TEST_F(SiteEditorKeyTest, ShowKeyContentAndKeyInputRules) {
  CDlgOneSiteEditor& e = editor();
  clock().advance(10);
  wavorel::runFor(0);
  const std::pair<UINT, UINT> secrets[] = {{kSec, IDC_SEC_KEY1},     {kSec, IDC_SEC_KEY4},
                                           {kSec, IDC_SEC_LEAP_PASSWORD}, {kSec, IDC_SEC_PSK},
                                           {kIdPw, IDC_IDPW_PASSWORD}, {kIdPw, IDC_IDPW_TUNNEL_PASSWORD}};
  auto mask = [&](UINT page, UINT id) { return ::SendMessage(item(page, id), EM_GETPASSWORDCHAR, 0, 0); };
  for (const auto& [page, id] : secrets) EXPECT_EQ(mask(page, id), '*') << id;
  CButton* show = static_cast<CButton*>(control(kSec, IDC_SEC_SHOW_KEY));
  show->SetCheck(1);
  e.GetSecurityPage().SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SEC_SHOW_KEY, BN_CLICKED),
                                  reinterpret_cast<LPARAM>(show->GetSafeHwnd()));
  for (const auto& [page, id] : secrets) EXPECT_EQ(mask(page, id), 0) << id;

  // Key 2 as "ACSII": any 13 characters; key 1 stays hexadecimal, 26 digits.
  CComboBox* type2 = static_cast<CComboBox*>(control(kSec, IDC_SEC_KEY2_TYPE));
  type2->SetCurSel(1);
  e.GetSecurityPage().SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SEC_KEY2_TYPE, CBN_SELCHANGE),
                                  reinterpret_cast<LPARAM>(type2->GetSafeHwnd()));
  EXPECT_EQ(::SendMessage(item(kSec, IDC_SEC_KEY2), EM_GETLIMITTEXT, 0, 0), 13);
  EXPECT_EQ(::SendMessage(item(kSec, IDC_SEC_KEY1), EM_GETLIMITTEXT, 0, 0), 26);
  for (UINT id : {IDC_SEC_KEY1, IDC_SEC_KEY2}) {
    for (char c : std::string("aG!")) ::SendMessage(item(kSec, id), WM_CHAR, static_cast<WPARAM>(c), 0);
  }
  EXPECT_EQ(text(kSec, IDC_SEC_KEY1), "a");
  EXPECT_EQ(text(kSec, IDC_SEC_KEY2), "aG!");
  // A type set by code keeps the edit's rule.
  code(46, "1");
  EXPECT_EQ(::SendMessage(item(kSec, IDC_SEC_KEY1), EM_GETLIMITTEXT, 0, 0), 26);
}

// ---- the sub-pages' own commands ---------------------------------------------------

using SiteEditorSubPageTest = SiteEditorTest;

TEST_F(SiteEditorSubPageTest, ChecksCombosAndEapFastButtonsPostAtOnce) {
  code(40);
  takeWorker();
  CWnd* client = editor().GetSecurityPage().Get8021XTab().GetPage(1);
  CWnd* server = editor().GetSecurityPage().Get8021XTab().GetPage(2);
  CWnd* fast = editor().GetSecurityPage().Get8021XTab().GetPage(3);
  code(74, "A\r\nB");
  code(79, "R1\r\nR2");
  takeWorker();
  auto command = [](CWnd* page, UINT id, WORD notify) {
    page->SendMessage(WM_COMMAND, MAKEWPARAM(id, notify), reinterpret_cast<LPARAM>(::GetDlgItem(page->GetSafeHwnd(), id)));
  };
  static_cast<CButton*>(control(kClient, IDC_CCERT_USE))->SetCheck(1);
  command(client, IDC_CCERT_USE, BN_CLICKED);
  static_cast<CComboBox*>(control(kClient, IDC_CCERT_LIST))->SetCurSel(1);
  command(client, IDC_CCERT_LIST, CBN_SELCHANGE);
  code(75, "1");
  static_cast<CComboBox*>(control(kServer, IDC_SCERT_LIST))->SetCurSel(1);
  command(server, IDC_SCERT_LIST, CBN_SELCHANGE);
  command(fast, IDC_FAST_REMOVE, BN_CLICKED);
  command(fast, IDC_FAST_IMPORT, BN_CLICKED);
  EXPECT_EQ(takeWorker(), (Commands{{49, "1"}, {51, "1"}, {52, "1"}, {54, "1"}, {62, "0"}, {63, "0"}}));
  EXPECT_TRUE(enabled(kServer, IDC_SCERT_ENDS_IN));
  EXPECT_TRUE(enabled(kClient, IDC_CCERT_BY));
  // The PAC check box drives the file controls.
  code(81, "1");
  command(fast, IDC_FAST_USE_PAC, BN_CLICKED);
  EXPECT_TRUE(enabled(kFast, IDC_FAST_IMPORT));
  EXPECT_TRUE(enabled(kFast, IDC_FAST_PATH));
  code(81, "0");
  command(fast, IDC_FAST_USE_PAC, BN_CLICKED);
  EXPECT_FALSE(enabled(kFast, IDC_FAST_REMOVE));
}

}  // namespace
}  // namespace site_editor_test

namespace site_editor_test {
namespace {

using SiteEditorKeyboardTest = SiteEditorTest;

// The program's own loop: each message goes through the application's
// pre-translation (a modeless dialog's keyboard interface) first.
void pumpThroughApp() {
  MSG msg;
  while (::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE) && msg.message != WM_QUIT) AfxGetApp()->PumpMessage();
}

// Opened by the worker, the editor takes the keyboard: Enter is OK and
// Escape is Cancel without a click first.
TEST_F(SiteEditorKeyboardTest, EnterAndEscapeWorkAsSoonAsItOpens) {
  struct Case {
    UINT vk;
    UINT command;
  };
  for (const Case& c : {Case{VK_RETURN, 17}, Case{VK_ESCAPE, 18}}) {
    SCOPED_TRACE(c.vk);
    code(36, "Home");
    code(37, "Net");
    code(BRIDGE_UI_EDITOR_OPEN);
    wavorel::pumpMessages();
    takeWorker();
    HWND focus = GetFocus();
    EXPECT_TRUE(focus && ::IsChild(editor().GetSafeHwnd(), focus)) << focus;
    wavorel::sendKey(c.vk, true);
    wavorel::sendKey(c.vk, false);
    pumpThroughApp();
    Commands sent = takeWorker();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.back().first, c.command);
    EXPECT_FALSE(editor().IsWindowVisible());
    DestroySiteEditor();
  }
}

}  // namespace
}  // namespace site_editor_test
