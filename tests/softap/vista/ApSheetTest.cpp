// The AP property sheet the worker opens: off-screen and hidden with its
// pages, OK closes it and the next one lists the whole event log again, its
// Help starts the help viewer, and the rules of its optional pages.
#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "tests/softap/ApWorkerTest.h"
#include "softap/MacListPage_AP.h"
#include "softap/QzPropSheet_AP.h"
#include "softap/WdsPage_AP.h"

namespace softap::testing {
namespace {

// One 802.11n PCI adapter (family 7).
constexpr const char* kPciWorld =
    "[Adapter1]\nHardwareId = PCI\\VEN_F0A5&DEV_0701&SUBSYS_00011234\nFamily = 7\n"
    "Guid = {33333333-2222-3333-4444-555555555555}\nDescription = 802.11n PCI Card\n"
    "Mac = 00-0E-2E-00-07-01\nChains = 2\nHT = yes\n";

class ApSheetTest : public ApWorkerTest {
 protected:
  static CQzPropSheet_AP* sheet() { return worker() ? worker()->GetSheet() : nullptr; }
  // The sheet's pages in order.
  static std::vector<CPropertyPage*> pages() {
    std::vector<CPropertyPage*> out;
    for (int i = 0; sheet() && i < sheet()->GetPageCount(); ++i) out.push_back(sheet()->GetPage(i));
    return out;
  }
  // The pages every sheet holds, with `wds` third when given and `ht` last.
  static std::vector<CPropertyPage*> expectedPages(bool wds, bool ht) {
    CQzPropSheet_AP& s = *sheet();
    std::vector<CPropertyPage*> out = {&s.GetConfigPage(), &s.GetAccessControlPage()};
    if (wds) out.push_back(&s.GetWdsPage());
    for (CPropertyPage* page : std::vector<CPropertyPage*>{&s.GetMacTablePage(), &s.GetEventLogPage(),
                                                          &s.GetStatisticPage(), &s.GetAboutPage()})
      out.push_back(page);
    if (ht) out.push_back(&s.GetBlockAckPage());
    return out;
  }
  void writeIni(const char* value) {
    std::ofstream(programLinux() + "/WavorelVista.ini", std::ios::binary) << "[Page]\r\n11n Setting=" << value << "\r\n";
  }
};

_VX_802_11_EVENT_LOG StationEvent(USHORT code) {
  _VX_802_11_EVENT_LOG e{};
  e.Time = FILETIME{0x2A69C000u, 0x01DA9F8Bu};
  e.MacAddress[5] = 0x55;
  e.EventCode = code;
  return e;
}

TEST_F(ApSheetTest, OpensOffScreenAndHidden) {
  ASSERT_TRUE(start());
  CQzPropSheet_AP* sheet = worker()->GetSheet();
  ASSERT_NE(sheet, nullptr);
  ASSERT_TRUE(::IsWindow(sheet->GetSafeHwnd()));
  CString caption;
  sheet->GetWindowText(caption);
  EXPECT_EQ(caption, "Nerolt Wireless Utility");
  EXPECT_EQ(sheet->m_psh.dwFlags & (PSH_MODELESS | PSH_NOAPPLYNOW | PSH_USEHICON),
            static_cast<DWORD>(PSH_MODELESS | PSH_NOAPPLYNOW | PSH_USEHICON));
  EXPECT_NE(sheet->m_psh.hIcon, nullptr);
  EXPECT_EQ(sheet->GetParent(), worker());
  EXPECT_TRUE(sheet->GetExStyle() & WS_EX_TOOLWINDOW);
  EXPECT_EQ(sheet->GetDlgItem(ID_APPLY_NOW), nullptr);
  CWnd* help = sheet->GetDlgItem(IDHELP);
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->GetStyle() & WS_VISIBLE);
  EXPECT_TRUE(help->IsWindowEnabled());
  // Wholly off the screen; its height ends 10 pixels below OK.
  CRect rect;
  CRect ok;
  sheet->GetWindowRect(&rect);
  sheet->GetDlgItem(IDOK)->GetWindowRect(&ok);
  EXPECT_EQ(rect.TopLeft(), CPoint(-9999, -9999));
  EXPECT_EQ(rect.bottom, ok.bottom + 10);
  EXPECT_LT(rect.right, 0);
  // The pages of a USB adapter without [Page] "11n Setting", in the sheet's
  // order; the register and link-status pages are held but not added.
  ASSERT_EQ(sheet->GetPageCount(), 6);
  EXPECT_EQ(sheet->GetPage(0), &sheet->GetConfigPage());
  EXPECT_EQ(sheet->GetPage(3), &sheet->GetEventLogPage());
  EXPECT_EQ(sheet->GetPage(5), &sheet->GetAboutPage());
  EXPECT_LT(sheet->GetPageIndex(&sheet->GetRegSetPage()), 0);
  EXPECT_LT(sheet->GetPageIndex(&sheet->GetLinkStatusPage()), 0);
  // A second request while it is a window changes nothing.
  worker()->SendMessage(WM_COMMAND, CHideDlg_AP::ID_OPEN_SHEET);
  EXPECT_EQ(worker()->GetSheet(), sheet);
}

TEST_F(ApSheetTest, OkClosesAndTheNextSheetListsTheWholeStore) {
  ASSERT_TRUE(start());
  CQzPropSheet_AP* sheet = worker()->GetSheet();
  ASSERT_NE(sheet, nullptr);
  StoreApEvents({StationEvent(1), StationEvent(0), StationEvent(2)});
  sheet->SetActivePage(&sheet->GetEventLogPage());
  tick(CEventLogPage_AP::kRefreshMs);
  auto* list = static_cast<CListCtrl*>(sheet->GetEventLogPage().GetDlgItem(CEventLogPage_AP::kListId));
  ASSERT_NE(list, nullptr);
  // The texts of the list's rows (the driver's own events may be among them).
  auto messages = [](CListCtrl* rows) {
    std::vector<std::string> out;
    for (int i = 0; i < rows->GetItemCount(); ++i) out.emplace_back(static_cast<LPCSTR>(rows->GetItemText(i, 1)));
    return out;
  };
  const std::vector<std::string> mine = {" 00-00-00-00-00-55 associated", "Restart Access Point",
                                         " 00-00-00-00-00-55 left this BSS"};
  std::vector<std::string> listed = messages(list);
  ASSERT_GE(listed.size(), 3u);
  EXPECT_NE(std::search(listed.begin(), listed.end(), mine.begin(), mine.end()), listed.end());

  // The button's release, as the message loop offers it.
  const HWND sheetWindow = sheet->GetSafeHwnd();
  MSG release{sheet->GetDlgItem(IDOK)->GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5), 0, {0, 0}};
  EXPECT_TRUE(CWnd::WalkPreTranslateTree(sheetWindow, &release));
  pump();
  EXPECT_FALSE(::IsWindow(sheetWindow));

  worker()->SendMessage(WM_COMMAND, CHideDlg_AP::ID_OPEN_SHEET);
  sheet = worker()->GetSheet();
  ASSERT_NE(sheet, nullptr);
  ASSERT_TRUE(::IsWindow(sheet->GetSafeHwnd()));
  EXPECT_EQ(g_nApEventLogShown, 0);
  sheet->SetActivePage(&sheet->GetEventLogPage());
  tick(CEventLogPage_AP::kRefreshMs);
  list = static_cast<CListCtrl*>(sheet->GetEventLogPage().GetDlgItem(CEventLogPage_AP::kListId));
  ASSERT_NE(list, nullptr);
  const std::vector<std::string> again = messages(list);
  ASSERT_GE(again.size(), listed.size()) << "the whole store again";
  EXPECT_TRUE(std::equal(listed.begin(), listed.end(), again.begin()));
}

TEST_F(ApSheetTest, HelpStartsTheViewerThatFailsWithoutTheFile) {
  ASSERT_TRUE(start());
  CQzPropSheet_AP* sheet = worker()->GetSheet();
  ASSERT_NE(sheet, nullptr);
  wavorel::clearProcessStarts();
  EXPECT_EQ(sheet->SendMessage(WM_HELP), TRUE);
  sheet->SendMessage(WM_COMMAND, IDHELP);
  std::vector<wavorel::ProcessStart> helps;
  ASSERT_TRUE(settle([&] {
    helps.clear();
    for (const auto& s : wavorel::processStarts())
      if (s.api == "HtmlHelp") helps.push_back(s);
    return helps.size() == 2;
  }));
  for (const auto& s : helps) EXPECT_NE(s.error, 0u) << s.program;
}

TEST_F(ApSheetTest, OptionalPagesFollowTheAdapterAndTheIni) {
  ASSERT_TRUE(start());
  // The default adapter: on USB, an 802.11n family.
  ASSERT_EQ(g_bApUsbFound, 1);
  ASSERT_EQ(g_bApHtFamily, 1);
  g_bApWepOrNone = 1;
  EXPECT_FALSE(CQzPropSheet_AP::OffersWdsPage()) << "never on USB";
  g_bApUsbFound = 0;
  EXPECT_TRUE(CQzPropSheet_AP::OffersWdsPage());
  g_bApWepOrNone = 0;
  EXPECT_FALSE(CQzPropSheet_AP::OffersWdsPage());

  const std::string ini = programLinux() + "/WavorelVista.ini";
  EXPECT_FALSE(CQzPropSheet_AP::Offers11nPage()) << "no [Page] value";
  std::ofstream(ini, std::ios::binary) << "[Page]\r\n11n Setting=1\r\n";
  EXPECT_TRUE(CQzPropSheet_AP::Offers11nPage()) << "read again at each poll";
  g_bApHtFamily = 0;
  EXPECT_FALSE(CQzPropSheet_AP::Offers11nPage());
  g_bApHtFamily = 1;
  std::ofstream(ini, std::ios::binary) << "[Page]\r\n11n Setting=0\r\n";
  EXPECT_FALSE(CQzPropSheet_AP::Offers11nPage());
}

TEST_F(ApSheetTest, APciAdapterWithWepOffersTheWdsPageThirdUntilTheCipherIsWpa) {
  useWorld(kPciWorld);
  startWith({{"AuthMode", "1"}, {"CipherMode", "257"}, {"WEPKey1", "0102030405"}, {"WdsEnable", "0"}});
  ASSERT_NE(sheet(), nullptr);
  ASSERT_EQ(g_bApUsbFound, 0);
  EXPECT_EQ(pages(), expectedPages(true, false));

  // The page works on the worker's sheet: the peers go out without a key.
  CWdsPage_AP& wds = sheet()->GetWdsPage();
  sheet()->SetActivePage(&wds);
  pump();
  for (const char* mac : {"0073FF123456", "0073FF123457"}) {
    wds.SetDlgItemText(CMacListPage_AP::kMacEditId, mac);
    wds.SendMessage(WM_COMMAND, MAKEWPARAM(CMacListPage_AP::kAddId, BN_CLICKED), 0);
  }
  wavorel::sim::clearDriverCalls();
  wds.SendMessage(WM_COMMAND, MAKEWPARAM(CMacListPage_AP::kApplyId, BN_CLICKED), 0);
  const auto records = setsOf(0xFF8C0048);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(u32(records[0].data, 0), 2u);
  EXPECT_EQ(std::vector<uint8_t>(records[0].data.begin() + 4, records[0].data.begin() + 16),
            (std::vector<uint8_t>{0x00, 0x73, 0xFF, 0x12, 0x34, 0x56, 0x00, 0x73, 0xFF, 0x12, 0x34, 0x57}));
  EXPECT_EQ(u32(records[0].data, 24), 0u) << "WEP: no link key";

  // WPA2-PSK with AES applied: the page goes; WEP again brings it back.
  writeText(driverKeyOf(), "AuthMode", "7");
  writeText(driverKeyOf(), "CipherMode", "4");
  writeText(driverKeyOf(), "WPAPSK", "wds-secret-1");
  worker()->ApplyAllSettings();
  pump();
  EXPECT_EQ(pages(), expectedPages(false, false));
  writeText(driverKeyOf(), "AuthMode", "1");
  writeText(driverKeyOf(), "CipherMode", "257");
  worker()->ApplyAllSettings();
  pump();
  EXPECT_EQ(pages().size(), expectedPages(true, false).size());
  EXPECT_EQ(pages().back(), &sheet()->GetWdsPage()) << "appended";
}

TEST_F(ApSheetTest, AUsbAdapterHasNoWdsPageWhateverTheCipher) {
  startWith({{"AuthMode", "1"}, {"CipherMode", "257"}, {"WEPKey1", "0102030405"}});
  ASSERT_NE(sheet(), nullptr);
  ASSERT_EQ(g_bApUsbFound, 1);
  ASSERT_EQ(g_bApWepOrNone, 1);
  EXPECT_EQ(pages(), expectedPages(false, false));
}

TEST_F(ApSheetTest, The11nPageFollowsItsIniSwitchWithinAPoll) {
  useWorld(kPciWorld);
  startWith({});
  ASSERT_NE(sheet(), nullptr);
  ASSERT_EQ(g_bApHtFamily, 1);
  EXPECT_EQ(pages(), expectedPages(true, false)) << "no [Page] value";
  writeIni("1");
  tick(CHideDlg_AP::kPollMs);
  EXPECT_EQ(pages(), expectedPages(true, true));
  // Shown, it works: its record goes to the driver when it first opens.
  wavorel::sim::clearDriverCalls();
  sheet()->SetActivePage(&sheet()->GetBlockAckPage());
  pump();
  EXPECT_EQ(setsOf(0xFF8C0026).size(), 1u);
  writeIni("0");
  tick(CHideDlg_AP::kPollMs);
  EXPECT_EQ(pages(), expectedPages(true, false));
}

TEST_F(ApSheetTest, AnIniThatSaysSoOpensTheSheetWithThe11nPage) {
  useWorld(kPciWorld);
  writeIni("1");
  startWith({});
  ASSERT_NE(sheet(), nullptr);
  // Built with the sheet, the 11n page stands before the about page (added
  // later, it is appended).
  CQzPropSheet_AP& s = *sheet();
  EXPECT_EQ(pages(), (std::vector<CPropertyPage*>{&s.GetConfigPage(), &s.GetAccessControlPage(), &s.GetWdsPage(),
                                                  &s.GetMacTablePage(), &s.GetEventLogPage(), &s.GetStatisticPage(),
                                                  &s.GetBlockAckPage(), &s.GetAboutPage()}));
}

}  // namespace
}  // namespace softap::testing
