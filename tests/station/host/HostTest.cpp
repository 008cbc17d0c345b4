// The hidden host: where it lies after start-up, its tab strip, the layout
// toggle, the radio button and the single-sign-on install query.
#include <cstring>

#include "tests/station/host/StationHostTest.h"

namespace station::testing {
namespace {

using HostTest = StationHostTest;

TEST_F(HostTest, StartsHiddenOffScreenAsToolWindowWithTheProfilePage) {
  startWithHost();
  CSorvik2007Dlg* h = host();
  EXPECT_FALSE(h->IsWindowVisible());
  EXPECT_EQ(GetWindowLong(h->GetSafeHwnd(), GWL_EXSTYLE), static_cast<LONG>(WS_EX_TOOLWINDOW));
  CRect window;
  h->GetWindowRect(&window);
  EXPECT_EQ(window.left, -9999);
  EXPECT_EQ(window.top, -9999);
  ASSERT_NE(h->GetProfilePage(), nullptr);
  EXPECT_TRUE(IsWindow(page().GetSafeHwnd()));
  EXPECT_EQ(h->GetTabPage(kHostTabProfile), h->GetProfilePage());
  EXPECT_EQ(page().GetParent(), h->GetTabDialog());
}

// The text of a value below HKLM, "<none>" when it cannot be read.
std::string machineValue(const CString& keyPath, const char* name) {
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<none>";
  char text[32] = "";
  DWORD size = sizeof text - 1;
  const LONG result = RegQueryValueEx(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
  RegCloseKey(key);
  return result == ERROR_SUCCESS ? text : "<none>";
}

CRect windowRect(CWnd* window) {
  CRect rect;
  window->GetWindowRect(&rect);
  return rect;
}

CString controlText(CWnd* dialog, UINT id) {
  CString text;
  dialog->GetDlgItemText(id, text);
  return text;
}

TEST_F(HostTest, LayoutToggleSwitchesSizeAndCaptionBackAndForth) {
  startWithHost();
  CSorvik2007Dlg* h = host();
  h->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_HOST_TOGGLE, BN_CLICKED), 0);
  EXPECT_EQ(g_bHostExpanded, 1);
  const CRect expanded = windowRect(h);
  EXPECT_EQ(std::string(controlText(h, IDC_HOST_TOGGLE)), "Less");

  h->ToggleLayout();
  EXPECT_EQ(g_bHostExpanded, 0);
  const CRect collapsed = windowRect(h);
  EXPECT_EQ(std::string(controlText(h, IDC_HOST_TOGGLE)), "More");
  EXPECT_LT(collapsed.Height(), expanded.Height());
  EXPECT_EQ(collapsed.TopLeft(), expanded.TopLeft());
  EXPECT_EQ(collapsed.Width(), expanded.Width());
  // Collapsed, the window ends 2 pixels below the toggle button.
  CRect toggle;
  h->GetDlgItem(IDC_HOST_TOGGLE)->GetWindowRect(&toggle);
  EXPECT_EQ(collapsed.bottom, toggle.bottom + 2);
  CRect marker;
  h->GetDlgItem(IDC_HOST_EXPANDED_BOTTOM)->GetWindowRect(&marker);
  EXPECT_EQ(expanded.bottom, marker.bottom);

  h->ToggleLayout();
  const CRect again = windowRect(h);
  EXPECT_EQ(std::vector<LONG>({again.left, again.top, again.right, again.bottom}),
            std::vector<LONG>({expanded.left, expanded.top, expanded.right, expanded.bottom}));
  EXPECT_EQ(std::string(controlText(h, IDC_HOST_TOGGLE)), "Less");
}

TEST_F(HostTest, TimerElevenSetsTheToggleOfACreatedHost) {
  startWithHost();
  host()->SetLayoutButton(FALSE);
  ASSERT_EQ(std::string(controlText(host(), IDC_HOST_TOGGLE)), "More");
  advance(200);
  EXPECT_EQ(std::string(controlText(host(), IDC_HOST_TOGGLE)), "Less");
  EXPECT_NE(static_cast<CButtonST*>(host()->GetDlgItem(IDC_HOST_TOGGLE))->GetIcon(0), nullptr);
}

TEST_F(HostTest, RadioButtonSwitchesTheAdapterAndTheDriverValue) {
  g_bSsoSupported = 1;
  startWithHost();
  ASSERT_TRUE(machine().adapter(0).radioOn());
  CShadeButtonST* radio = host()->GetStripButton(IDC_HOST_RADIO);
  ASSERT_NE(radio, nullptr);
  const struct {
    bool on;
    const char* value;
  } steps[] = {{false, "0"}, {true, "1"}};
  for (const auto& step : steps) {
    host()->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_HOST_RADIO, BN_CLICKED), 0);
    EXPECT_EQ(machine().adapter(0).radioOn(), step.on);
    EXPECT_EQ(g_bRadioOn, step.on ? 1 : 0);
    EXPECT_EQ(machineValue(g_strDriverKey, "Radio"), step.value);
    EXPECT_NE(radio->GetIcon(0), nullptr);
  }
}

TEST_F(HostTest, RadioValueIsLeftAloneWithoutSingleSignOn) {
  startWithHost();
  host()->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_HOST_RADIO, BN_CLICKED), 0);
  EXPECT_FALSE(machine().adapter(0).radioOn());
  EXPECT_EQ(machineValue(g_strDriverKey, "Radio"), "<none>");
}

TEST_F(HostTest, SingleSignOnInstallQuery) {
  const char* key = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Nerolt";
  const struct {
    const char* value;  // null: no key
    int supported;
    int osType;
    BOOL installed;
  } table[] = {{nullptr, 1, 11, FALSE}, {"0", 1, 11, FALSE}, {"1", 1, 11, TRUE},
               {"1", 0, 11, FALSE},     {"1", 1, 2, FALSE},  {"10", 1, 11, FALSE}};
  for (const auto& row : table) {
    RegDeleteKey(HKEY_LOCAL_MACHINE, key);
    if (row.value) {
      HKEY created = nullptr;
      ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created, nullptr),
                ERROR_SUCCESS);
      RegSetValueEx(created, "SSOInstall", 0, REG_SZ, reinterpret_cast<const BYTE*>(row.value),
                    static_cast<DWORD>(std::strlen(row.value) + 1));
      RegCloseKey(created);
    }
    g_bSsoSupported = row.supported;
    g_nOsType = row.osType;
    EXPECT_EQ(CSorvik2007Dlg::IsSsoInstalled(), row.installed) << (row.value ? row.value : "no key");
  }
}

TEST_F(HostTest, ShowPageSkipsDialogsThatWereNotCreated) {
  startWithHost();
  // Every secondary dialog is built, each hidden but the link page.
  for (int index = 0; index < kHostDlgCount; ++index) {
    ASSERT_NE(host()->GetSecondaryDialog(index), nullptr) << index;
    EXPECT_EQ((host()->GetSecondaryDialog(index)->GetStyle() & WS_VISIBLE) != 0, index == kHostDlgLinkStatus)
        << index;
  }
  EXPECT_TRUE(host()->GetSecondaryDialog(kHostDlgLinkStatus)->GetStyle() & WS_VISIBLE);
  worker().ShowPage(kHostDlgApDetailInfo);
  EXPECT_EQ(worker().GetCurrentPage(), kHostDlgApDetailInfo);
  worker().ShowPage(kHostDlgCount);
  EXPECT_EQ(worker().GetCurrentPage(), kHostDlgCount);
}

// The left edge of a strip button in the tab dialog.
int stripX(CShadeButtonST* button) {
  CRect rect;
  button->GetWindowRect(&rect);
  CPoint at = rect.TopLeft();
  button->GetParent()->ScreenToClient(&at);
  return at.x;
}

TEST_F(HostTest, HelpOpensTheHelpFileBesideTheProgram) {
  startWithHost();
  wavorel::clearProcessStarts();
  host()->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_HOST_HELP, BN_CLICKED), 0);
  const std::vector<wavorel::ProcessStart> starts = wavorel::processStarts();
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].api, "ShellExecute");
  EXPECT_EQ(starts[0].verb, "open");
  char program[MAX_PATH] = "";
  GetModuleFileName(nullptr, program, sizeof program);
  std::string folder = program;
  folder.erase(folder.rfind('\\') + 1);
  EXPECT_EQ(starts[0].program, folder + "QZCONFIGENG.CHM");
}

TEST_F(HostTest, TabStripPlacesTheBuiltTabsAndScrolls) {
  startWithHost();
  CSorvik2007Dlg* h = host();
  CRect slot;
  h->GetDlgItem(IDC_HOST_SLOT)->GetWindowRect(&slot);
  const int w = slot.Width();
  CShadeButtonST* profile = h->GetStripButton(kHostTabButtonIds[kHostTabProfile]);
  CShadeButtonST* site = h->GetStripButton(kHostTabButtonIds[kHostTabSiteSurvey]);
  CShadeButtonST* statistics = h->GetStripButton(kHostTabButtonIds[kHostTabStatistics]);
  CShadeButtonST* wmm = h->GetStripButton(kHostTabButtonIds[kHostTabWmm]);
  CShadeButtonST* wps = h->GetStripButton(kHostTabButtonIds[kHostTabWps]);
  CShadeButtonST* radio = h->GetStripButton(IDC_HOST_RADIO);
  CShadeButtonST* about = h->GetStripButton(kHostTabButtonIds[kHostTabAbout]);
  CShadeButtonST* help = h->GetStripButton(IDC_HOST_HELP);
  ASSERT_TRUE(profile && site && statistics && wmm && wps && radio && about && help);
  // The 802.11n tab stays out of the strip without the program INI's switch.
  EXPECT_EQ(std::vector<int>({stripX(profile), stripX(site), stripX(statistics), stripX(wmm), stripX(wps),
                              stripX(radio), stripX(about), stripX(help)}),
            std::vector<int>({0, w, 2 * w, 3 * w, 4 * w, 5 * w, 6 * w, 7 * w}));
  EXPECT_FALSE(h->GetStripButton(kHostTabButtonIds[kHostTab80211n])->GetStyle() & WS_VISIBLE);
  EXPECT_EQ(stripX(h->GetFiller(0)), 8 * w);
  // (The host itself is hidden: the buttons' own visible style.)
  EXPECT_FALSE(h->GetStripButton(IDC_HOST_SCROLL_LEFT)->GetStyle() & WS_VISIBLE);
  EXPECT_FALSE(h->GetStripButton(IDC_HOST_SCROLL_RIGHT)->GetStyle() & WS_VISIBLE);
  EXPECT_TRUE(profile->GetStyle() & WS_VISIBLE);

  // 1002 moves every button one slot on; 1003 moves back only with the
  // 802.11n tab allowed by the program INI.
  h->SendMessage(WM_COMMAND, IDC_HOST_SCROLL_LEFT, 0);
  EXPECT_EQ(stripX(profile), w);
  h->SendMessage(WM_COMMAND, IDC_HOST_SCROLL_RIGHT, 0);
  EXPECT_EQ(stripX(profile), w);
  writeProgramIni("[Page]\n11n Setting=1\n");
  h->SendMessage(WM_COMMAND, IDC_HOST_SCROLL_RIGHT, 0);
  // With the 802.11n tab in, nine buttons overflow the eight slots: the strip
  // starts after the left scroll button, which now shows.
  CShadeButtonST* scrollLeft = h->GetStripButton(IDC_HOST_SCROLL_LEFT);
  CRect left;
  scrollLeft->GetWindowRect(&left);
  EXPECT_TRUE(scrollLeft->GetStyle() & WS_VISIBLE);
  EXPECT_EQ(stripX(profile), left.Width());
}

}  // namespace
}  // namespace station::testing
