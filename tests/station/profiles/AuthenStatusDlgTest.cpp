// The authentication status log over the worker's message ring: texts by
// slot index with their time stamps, the end of the log, the slots it must
// not read, and the card and profile names.
#include <cstdio>
#include <cstring>

#include "station/profiles/AuthenStatusDlg.h"
#include "tests/station/profiles/PromptTest.h"
#include "worker/WorkerGlobals.h"

namespace station::testing {
namespace {

class AuthenStatusDlgTest : public PromptTest {
 protected:
  void SetUp() override {
    PromptTest::SetUp();
    std::memset(g_authStatusEvents, 0, sizeof g_authStatusEvents);
    dialog_ = make<CAuthenStatusDlg>(IDD_AUTHEN_STATUS);
  }
  void TearDown() override {
    dialog_->DestroyWindow();
    dialog_.reset();
    PromptTest::TearDown();
  }
  CAuthenStatusDlg& dialog() { return *dialog_; }
  static void putSlot(int slot, const std::string& bytes) {
    std::memcpy(g_authStatusEvents[slot], bytes.data(), std::min<size_t>(bytes.size(), kAuthStatusLineSize));
  }
  void post(WPARAM slot) {
    dialog().PostMessage(WM_AUTH_STATUS_EVENT, slot, 0);
    pump();
  }
  // A cell as the list asks the dialog for it.
  std::string cellText(int row, int column) {
    return static_cast<LPCSTR>(dialog().GetList().GetCellInfo(row, column)->m_strText);
  }

 private:
  std::unique_ptr<CAuthenStatusDlg> dialog_;
};

TEST_F(AuthenStatusDlgTest, EachSlotTextIsAppendedWithTheLocalTimeAndTheNextSlotFollows) {
  const struct {
    int slot;
    std::string bytes;
    std::string shown;
    int next;
  } cases[] = {
      {0, std::string("EAP start\0garbage", 17), "EAP start", 1},
      {7, "", "NULL STRING", 8},
      {42, "\x01\xFF\x80 bin", "\x01\xFF\x80 bin", 43},
      // A slot without terminator: its first 255 bytes, nothing of the next slot.
      {198, std::string(256, 'A'), std::string(255, 'A'), 199},
      {199, "last slot", "last slot", 0},
  };
  int row = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.slot);
    putSlot(c.slot, c.bytes);
    if (c.slot == 198) putSlot(199, "next");
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%02d:%02d:%02d.%03d ", now.wHour, now.wMinute, now.wSecond,
                  now.wMilliseconds);
    post(static_cast<WPARAM>(c.slot));
    ASSERT_EQ(dialog().GetEvents().size(), static_cast<size_t>(row + 1));
    EXPECT_EQ(std::string(dialog().GetEvents()[row].text), c.shown);
    EXPECT_EQ(cellText(row, 0), stamp);
    EXPECT_EQ(cellText(row, 1), c.shown);
    EXPECT_EQ(cellText(row, 2), "");
    EXPECT_EQ(CAuthenStatusDlg::GetRingIndex(), c.next);
    if (c.slot == 198) putSlot(199, std::string(kAuthStatusLineSize, '\0'));
    ++row;
  }
}

TEST_F(AuthenStatusDlgTest, IndexesOutsideTheRingAreIgnored) {
  putSlot(3, "three");
  post(3);
  ASSERT_EQ(dialog().GetEvents().size(), 1u);
  for (WPARAM slot : {static_cast<WPARAM>(-1), static_cast<WPARAM>(200), static_cast<WPARAM>(0x7FFFFFFF),
                      static_cast<WPARAM>(-200)}) {
    post(slot);
    EXPECT_EQ(dialog().GetEvents().size(), 1u) << slot;
    EXPECT_EQ(CAuthenStatusDlg::GetRingIndex(), 4) << slot;
  }
}

TEST_F(AuthenStatusDlgTest, OkTextZeroesTheRingAndAddsNoLine) {
  putSlot(5, "step");
  post(5);
  putSlot(6, "OK");
  putSlot(120, "left over");
  post(6);
  EXPECT_EQ(dialog().GetEvents().size(), 1u);
  EXPECT_EQ(CAuthenStatusDlg::GetRingIndex(), 0);
  const char zeros[sizeof g_authStatusEvents] = {};
  EXPECT_EQ(std::memcmp(g_authStatusEvents, zeros, sizeof zeros), 0);
  // "OK" only as the whole text.
  putSlot(0, "OK then");
  post(0);
  EXPECT_EQ(dialog().GetEvents().size(), 2u);
}

TEST_F(AuthenStatusDlgTest, NamesComeFromTheDriverKeyAndTheTimerKeepsThemWhileShown) {
  setText(g_strDriverKey, "DriverDesc", "Nerolt Card");
  setText(g_strDriverKey, "CurProfile", "Office");
  putSlot(1, "line");
  post(1);
  // No current profile: the card only; the profile text stays.
  dialog().m_strProfile = "before";
  dialog().ReadNames();
  EXPECT_TRUE(dialog().GetEvents().empty());
  EXPECT_EQ(std::string(dialog().m_strCard), "Card Name >> Nerolt Card");
  EXPECT_EQ(std::string(dialog().m_strProfile), "before");
  EXPECT_EQ(itemText(dialog(), IDC_AUTHEN_CARD), "Card Name >> Nerolt Card");
  // A current profile bound to a BSSID is not named; one that is not, is.
  useCurrentProfile(1, 0);
  dialog().ReadNames();
  EXPECT_EQ(std::string(dialog().m_strProfile), "before");
  useCurrentProfile(0, 0);
  dialog().ReadNames();
  EXPECT_EQ(std::string(dialog().m_strProfile), "Profile Name >> Office");

  // Shown: every 20 ms the profile text is reset to the manual text and read again.
  FreeCurrentProfile();
  dialog().ShowWindow(SW_SHOW);
  pump();
  clock().advance(20);
  pump();
  EXPECT_EQ(itemText(dialog(), IDC_AUTHEN_PROFILE), "Connected by manual...");
  useCurrentProfile(0, 0);
  clock().advance(20);
  pump();
  EXPECT_EQ(itemText(dialog(), IDC_AUTHEN_PROFILE), "Profile Name >> Office");
  // Hidden: the timer stops.
  dialog().ShowWindow(SW_HIDE);
  FreeCurrentProfile();
  clock().advance(100);
  pump();
  EXPECT_EQ(itemText(dialog(), IDC_AUTHEN_PROFILE), "Profile Name >> Office");
}

TEST_F(AuthenStatusDlgTest, ButtonsEmptyTheLogAndADriverKeyThatDoesNotOpenLeavesTheNames) {
  for (int button : {IDC_AUTHEN_OK, IDC_AUTHEN_CANCEL}) {
    putSlot(2, "line");
    post(2);
    ASSERT_FALSE(dialog().GetEvents().empty());
    press(dialog(), button);
    EXPECT_TRUE(dialog().GetEvents().empty()) << button;
  }
  dialog().m_strCard = "card";
  g_strDriverKey = "SYSTEM\\NoSuchKey";
  dialog().ReadNames();
  EXPECT_EQ(std::string(dialog().m_strCard), "card");
}

}  // namespace
}  // namespace station::testing
