// The system message box: a modal popup of its own window class
// ("WavorelMessageBox") with the caption, the icon and text, and a push button
// for each answer that the MB_ flags ask for (right-aligned at the bottom, the
// default one focused). Its buttons are command ids: WM_COMMAND with one of
// them ends the box with that id; the keyboard works as in a dialog (Tab,
// Enter for the focused or default button); Escape, IDCANCEL and WM_CLOSE
// answer IDCANCEL when the box has a Cancel button (IDOK for a lone OK) and
// are ignored otherwise. The owner's top-level window is disabled while the
// box is open.
#pragma once

#include <string>
#include <vector>

#include "platform/win/user/User.h"

namespace wavorel {

class MessageBoxWindow {
 public:
  static constexpr const char* kClassName = "WavorelMessageBox";

  // MessageBox itself.
  static int run(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

 private:
  MessageBoxWindow(std::vector<int> buttons, int defaultButton);
  static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static bool registerClass();
  bool has(int id) const;
  // The answer of Escape and WM_CLOSE, 0 when the box cannot be cancelled.
  int cancelAnswer() const;
  void finish(HWND hwnd, int id);
  // The icon, text and buttons as child windows of the box.
  void build(HWND hwnd, const std::string& text, UINT type) const;

  std::vector<int> buttons_;
  int defaultButton_;
  int result_ = 0;
};

}  // namespace wavorel
