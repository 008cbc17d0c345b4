// The hidden-SSID prompt: the SSID it hands on (trimmed, at most 32 bytes,
// never cut), the warnings that keep it open, and the edit's limit.
#include <optional>

#include "station/profiles/HiddenSsidDlg.h"
#include "tests/station/profiles/PromptTest.h"

namespace station::testing {
namespace {

class HiddenSsidDlgTest : public PromptTest {
 protected:
  void SetUp() override {
    PromptTest::SetUp();
    dialog_ = make<CHiddenSsidDlg>(IDD_HIDDEN_SSID);
    dialog_->SetContinuation([this](const NDIS_802_11_SSID& ssid) {
      handed_ = std::string(reinterpret_cast<const char*>(ssid.Ssid), ssid.SsidLength);
      return TRUE;
    });
    dialog_->ShowWindow(SW_SHOW);
    pump();
  }
  void TearDown() override {
    dialog_->DestroyWindow();
    dialog_.reset();
    PromptTest::TearDown();
  }
  CHiddenSsidDlg& dialog() { return *dialog_; }
  std::optional<std::string> handed_;

 private:
  std::unique_ptr<CHiddenSsidDlg> dialog_;
};

TEST_F(HiddenSsidDlgTest, OkHandsOnTheTrimmedSsidOrWarnsAndStays) {
  const std::string longest(32, 'x');
  const struct {
    std::string typed;
    std::optional<std::string> handed;
    const char* warning;
  } cases[] = {
      {"  Home Net \t", "Home Net", nullptr},
      {" " + longest + "  ", longest, nullptr},
      {"", std::nullopt, "Please enter SSID"},
      {"    ", std::nullopt, "Please enter SSID"},
      {longest + "y", std::nullopt, "The SSID can hold at most 32 characters."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    handed_.reset();
    received().clear();
    setItemText(dialog(), IDC_HIDDEN_SSID_EDIT, c.typed.c_str());
    press(dialog(), IDC_HIDDEN_SSID_OK);
    pump();
    EXPECT_EQ(handed_, c.handed);
    if (c.warning) {
      EXPECT_EQ(messages(), std::vector<std::string>{c.warning});
    } else {
      EXPECT_TRUE(messages().empty());
    }
  }
}

TEST_F(HiddenSsidDlgTest, EditTakesAtMost32CharactersAndEachShowStartsEmpty) {
  EXPECT_EQ(dialog().GetDlgItem(IDC_HIDDEN_SSID_EDIT)->SendMessage(EM_GETLIMITTEXT), 32);
  EXPECT_EQ(itemText(dialog(), IDC_HIDDEN_SSID_PROMPT), "Please enter SSID");
  setItemText(dialog(), IDC_HIDDEN_SSID_EDIT, "typed before");
  dialog().ShowWindow(SW_HIDE);
  dialog().ShowWindow(SW_SHOW);
  EXPECT_EQ(itemText(dialog(), IDC_HIDDEN_SSID_EDIT), "");
  // Cancel hands nothing on.
  setItemText(dialog(), IDC_HIDDEN_SSID_EDIT, "Home");
  press(dialog(), IDC_HIDDEN_SSID_CANCEL);
  EXPECT_FALSE(handed_.has_value());
}

}  // namespace
}  // namespace station::testing
