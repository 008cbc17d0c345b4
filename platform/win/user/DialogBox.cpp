// Modal dialogs: the owner disabled, the responder's answer, and the modal
// loop with the dialog's keyboard interface.
#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/win/user/Dialog.h"
#include "platform/win/user/DialogState.h"
#include "platform/win/user/ModalLoop.h"

namespace {

std::string className(HWND hwnd) {
  char name[64] = "";
  GetClassName(hwnd, name, static_cast<int>(sizeof name));
  return name;
}

std::string windowText(HWND hwnd) {
  std::string text(static_cast<size_t>(GetWindowTextLength(hwnd)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowText(hwnd, &text[0], static_cast<int>(text.size()))));
  return text;
}

// The dialog as the responder sees it: caption, the texts of its static
// controls one a line, its push buttons left to right and the default one.
wavorel::ModalWindow describe(HWND dialog) {
  wavorel::ModalWindow window;
  window.hwnd = dialog;
  window.caption = windowText(dialog);
  std::vector<std::pair<LONG, int>> buttons;
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    std::string cls = className(c);
    DWORD style = static_cast<DWORD>(GetWindowLong(c, GWL_STYLE));
    if (cls == WC_STATIC && (style & SS_TYPEMASK) <= SS_RIGHT) {
      if (!window.text.empty()) window.text += "\n";
      window.text += windowText(c);
    } else if (cls == WC_BUTTON && ((style & BS_TYPEMASK) == BS_PUSHBUTTON || (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)) {
      RECT r{};
      GetWindowRect(c, &r);
      buttons.emplace_back(r.left, GetDlgCtrlID(c));
    }
  }
  std::stable_sort(buttons.begin(), buttons.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& b : buttons) window.buttons.push_back(b.second);
  LRESULT def = SendMessage(dialog, DM_GETDEFID, 0, 0);
  window.defaultButton = HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK;
  return window;
}

}  // namespace

namespace wavorel {

INT_PTR runDialogModal(HWND dialog, const std::function<BOOL(MSG*)>& preTranslate) {
  auto state = dialogState(dialog);
  if (!state) return -1;
  HWND owner = GetWindow(dialog, GW_OWNER);
  HWND root = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
  if (!state->hasResult) {
    if (root && IsWindowEnabled(root)) {
      EnableWindow(root, FALSE);
      state->disabledOwner = root;
    }
    ShowWindow(dialog, SW_SHOWNORMAL);
    ModalQuestion question{[dialog] { return describe(dialog); },
                           [dialog, &state](int answer) {
                             if (IsWindow(dialog) && !state->hasResult)
                               SendMessage(dialog, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                                           reinterpret_cast<LPARAM>(GetDlgItem(dialog, answer)));
                           }};
    if (!state->hasResult)
      runModalLoop(
          dialog, {},
          [dialog, &preTranslate](MSG& msg) {
            return (preTranslate ? preTranslate(&msg) : IsDialogMessage(dialog, &msg)) != FALSE;
          },
          &question);
  }
  if (state->disabledOwner && IsWindow(state->disabledOwner)) EnableWindow(state->disabledOwner, TRUE);
  state->disabledOwner = nullptr;
  INT_PTR result = -1;
  if (state->hasResult) {
    result = state->result;
    takeModalResult(dialog, nullptr);
    state->hasResult = false;
  }
  return result;
}

}  // namespace wavorel

INT_PTR DialogBoxParam(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc, LPARAM initParam) {
  HWND dialog = CreateDialogParam(instance, templateName, parent, proc, initParam);
  if (dialog == nullptr) return -1;
  INT_PTR result = wavorel::runDialogModal(dialog);
  if (IsWindow(dialog)) DestroyWindow(dialog);
  return result;
}

INT_PTR DialogBox(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc) {
  return DialogBoxParam(instance, templateName, parent, proc, 0);
}
