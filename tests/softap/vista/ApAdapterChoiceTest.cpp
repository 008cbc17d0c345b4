// Two supported adapters: the choice dialog at start-up, the worker idle
// while it is up, and the worker ended from inside it.
#include "platform/win/user/ModalLoop.h"
#include "softap/SelCardDlg_AP.h"
#include "tests/softap/ApWorkerTest.h"

namespace softap::testing {
namespace {

constexpr const char* kSecondGuid = "{11111111-2222-3333-4444-555555555555}";
// A PCI adapter without a friendly name, behind the default USB one.
constexpr const char* kSecondAdapter =
    "\n[Adapter2]\nHardwareId = PCI\\VEN_F0A5&DEV_0701&SUBSYS_00011234\nFamily = 7\n"
    "Guid = {11111111-2222-3333-4444-555555555555}\nDescription = 802.11n PCI Card\n"
    "Mac = 00-0E-2E-00-00-02\nClassIndex = 12\nHT = yes\n";

class ApAdapterChoiceTest : public ApWorkerTest {
 protected:
  void SetUp() override {
    ApWorkerTest::SetUp();
    useWorld(std::string(wavorel::sim::defaultWorldText()) + kSecondAdapter);
  }
  void TearDown() override {
    wavorel::setModalResponder(nullptr);
    ApWorkerTest::TearDown();
  }
  static std::vector<std::string> rows(HWND dialog) {
    const HWND list = GetDlgItem(dialog, CSelCardDlg_AP::IDC_CARD_LIST);
    std::vector<std::string> out;
    const int count = static_cast<int>(SendMessage(list, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      char text[256] = "";
      SendMessage(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      out.emplace_back(text);
    }
    return out;
  }
  static std::string itemText(HWND dialog, int id) {
    char text[256] = "";
    GetDlgItemText(dialog, id, text, sizeof text);
    return text;
  }
};

TEST_F(ApAdapterChoiceTest, TheChosenSecondAdapterGoesIntoApModeWhileTheWorkerWaits) {
  std::vector<std::string> listed;
  std::string description;
  size_t callsWhileOpen = 0;
  size_t trayPostsWhileOpen = 0;
  wavorel::setModalResponder([&](const wavorel::ModalWindow& w) {
    listed = rows(w.hwnd);
    const HWND list = GetDlgItem(w.hwnd, CSelCardDlg_AP::IDC_CARD_LIST);
    SendMessage(list, CB_SETCURSEL, 1, 0);
    SendMessage(w.hwnd, WM_COMMAND, MAKEWPARAM(CSelCardDlg_AP::IDC_CARD_LIST, CBN_SELCHANGE),
                reinterpret_cast<LPARAM>(list));
    description = itemText(w.hwnd, CSelCardDlg_AP::IDC_DEVICE_DESC);
    // The worker is busy: a poll tick and the tray do nothing.
    EXPECT_TRUE(worker()->IsBusy());
    wavorel::sim::clearDriverCalls();
    const size_t posts = valuesOf(BRIDGE_UI_CONNECTION_STATE).size();
    worker()->SendMessage(WM_TIMER, CHideDlg_AP::kPollTimer, 0);
    worker()->SendMessage(CHideDlg_AP::WM_AP_TRAY_NOTIFY, 0, WM_LBUTTONDBLCLK);
    callsWhileOpen = calls().size();
    trayPostsWhileOpen = valuesOf(BRIDGE_UI_CONNECTION_STATE).size() - posts;
    return IDOK;
  });
  ASSERT_TRUE(start());
  EXPECT_EQ(listed, (std::vector<std::string>{"Wavorel 802.11n USB Wireless LAN Card", "802.11n PCI Card"}));
  EXPECT_EQ(description, "802.11n PCI Card");
  EXPECT_EQ(callsWhileOpen, 0u);
  EXPECT_EQ(trayPostsWhileOpen, 0u);
  EXPECT_FALSE(worker()->IsBusy());
  EXPECT_EQ(g_strApDevicePath, CString("\\\\.\\") + kSecondGuid);
  EXPECT_EQ(g_nApFamilyIndex, 7);
  EXPECT_EQ(g_bApPciFound, 1);
  EXPECT_EQ(g_bApUsbFound, 0);
  EXPECT_TRUE(wavorel::sim::machine().adapter(1).apMode());
  EXPECT_FALSE(wavorel::sim::machine().adapter(0).apMode());
  EXPECT_STREQ(g_szApFriendlyName, "802.11n PCI Card") << "the description stands in for the friendly name";
}

TEST_F(ApAdapterChoiceTest, CancelledChoiceTakesTheFirstAdapter) {
  wavorel::setModalResponder([](const wavorel::ModalWindow&) { return IDCANCEL; });
  ASSERT_TRUE(start());
  EXPECT_EQ(g_strApDevicePath, CString("\\\\.\\") + guid().c_str());
  EXPECT_TRUE(wavorel::sim::machine().adapter(0).apMode());
}

TEST_F(ApAdapterChoiceTest, DestroyingTheWorkerWhileItsChoiceIsOpenEndsBoth) {
  HWND window = nullptr;
  wavorel::setModalResponder([&](const wavorel::ModalWindow&) {
    window = worker()->GetSafeHwnd();
    // The front end leaves AP mode while the worker's start-up waits here.
    DestroyHideDlgAP();
    EXPECT_EQ(worker(), nullptr);
    return 0;  // the dialog is ended by the worker
  });
  EXPECT_EQ(ShowHideDlgAP(), 0);
  pump();
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(IsWindow(window)) << "the worker's window went once its start-up returned";
  EXPECT_EQ(worker(), nullptr);
  EXPECT_FALSE(wavorel::sim::machine().adapter(0).apMode());
  EXPECT_FALSE(wavorel::sim::machine().adapter(1).apMode());
  EXPECT_EQ(NotifyWorkerInt(BRIDGE_CMD_PAGE_CHANGED, 0, TRUE), -1);
  // A new worker starts as usual.
  wavorel::setModalResponder([](const wavorel::ModalWindow&) { return IDOK; });
  ASSERT_TRUE(start());
  EXPECT_TRUE(worker()->IsAdapterFound());
}

TEST_F(ApAdapterChoiceTest, DestroyingTheWorkerWhileThePollsChoiceIsOpenEndsBoth) {
  // No adapter at start; both come while the worker waits for one.
  wavorel::sim::machine().setPresent(guid(), false);
  wavorel::sim::machine().setPresent(kSecondGuid, false);
  ASSERT_TRUE(start());
  ASSERT_FALSE(worker()->IsAdapterFound());
  wavorel::sim::machine().setPresent(guid(), true);
  wavorel::sim::machine().setPresent(kSecondGuid, true);
  bool shown = false;
  wavorel::setModalResponder([&](const wavorel::ModalWindow&) {
    shown = true;
    DestroyHideDlgAP();
    return 0;
  });
  const HWND window = worker()->GetSafeHwnd();
  tick(CHideDlg_AP::kPollMs);
  pump();
  EXPECT_TRUE(shown);
  EXPECT_EQ(worker(), nullptr);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(wavorel::sim::machine().adapter(0).apMode());
}

}  // namespace
}  // namespace softap::testing
