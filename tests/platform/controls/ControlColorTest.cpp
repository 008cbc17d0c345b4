#include "platform/win/controls/Control.h"
#include "tests/platform/controls/ControlTestSupport.h"

namespace wavorel::testing {
namespace {

class ControlColorTest : public ControlTest {};

TEST_F(ControlColorTest, ControlsAskTheirParentWithTheirOwnMessage) {
  struct Case {
    LPCSTR cls;
    DWORD style;
    UINT msg;
  } cases[] = {
      {WC_BUTTON, BS_PUSHBUTTON, WM_CTLCOLORBTN},      {WC_BUTTON, BS_OWNERDRAW, WM_CTLCOLORBTN},
      {WC_BUTTON, BS_AUTOCHECKBOX, WM_CTLCOLORSTATIC}, {WC_BUTTON, BS_GROUPBOX, WM_CTLCOLORSTATIC},
      {WC_EDIT, 0, WM_CTLCOLOREDIT},                   {WC_EDIT, ES_READONLY, WM_CTLCOLORSTATIC},
      {WC_EDIT, WS_DISABLED, WM_CTLCOLORSTATIC},       {WC_STATIC, SS_LEFT, WM_CTLCOLORSTATIC},
      {WC_LISTBOX, 0, WM_CTLCOLORLISTBOX},             {WC_COMBOBOX, CBS_DROPDOWNLIST, WM_CTLCOLOREDIT},
  };
  HDC dc = reinterpret_cast<HDC>(0x42);
  HBRUSH brush = reinterpret_cast<HBRUSH>(0x99);
  for (const auto& c : cases) {
    HWND ctl = control(c.cls, c.style);
    LPARAM asked = 0;
    WPARAM withDc = 0;
    on(c.msg, [&](HWND, UINT, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
      asked = lParam;
      withDc = wParam;
      return reinterpret_cast<LRESULT>(brush);
    }, parent_);
    EXPECT_EQ(controlColorBrush(ctl, dc), brush) << c.cls << " " << c.style;
    EXPECT_EQ(asked, reinterpret_cast<LPARAM>(ctl)) << c.cls << " " << c.style;
    EXPECT_EQ(withDc, reinterpret_cast<WPARAM>(dc));
    on(c.msg, [](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> { return std::nullopt; }, parent_);
  }
  EXPECT_EQ(controlColorBrush(parent_, dc), nullptr) << "not a control";
}

TEST_F(ControlColorTest, AComboBoxPassesItsEditPartsRequestOn) {
  HWND combo = control(WC_COMBOBOX, CBS_DROPDOWN);
  HWND edit = GetDlgItem(combo, 1001);
  LPARAM asked = 0;
  on(WM_CTLCOLOREDIT, [&](HWND, UINT, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
    asked = lParam;
    return 0x55;
  }, parent_);
  EXPECT_EQ(controlColorBrush(edit, nullptr), reinterpret_cast<HBRUSH>(0x55));
  EXPECT_EQ(asked, reinterpret_cast<LPARAM>(edit));
}

TEST_F(ControlColorTest, EnablingOrDisablingRepaintsTheControlInItsNewColours) {
  const struct {
    LPCSTR cls;
    DWORD style;
  } cases[] = {{WC_EDIT, 0}, {WC_COMBOBOX, CBS_DROPDOWNLIST}, {WC_LISTBOX, 0}, {WC_BUTTON, 0}, {WC_STATIC, 0}};
  for (const auto& c : cases) {
    HWND ctl = control(c.cls, c.style);
    for (BOOL enable : {FALSE, TRUE}) {
      pumpMessages();
      RECT update{};
      ASSERT_FALSE(GetUpdateRect(ctl, &update, FALSE)) << c.cls;
      EnableWindow(ctl, enable);
      EXPECT_TRUE(GetUpdateRect(ctl, &update, FALSE)) << c.cls << (enable ? " enabled" : " disabled");
    }
  }
}

}  // namespace
}  // namespace wavorel::testing
