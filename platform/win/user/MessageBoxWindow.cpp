#include "platform/win/user/MessageBoxWindow.h"

#include <algorithm>
#include <sstream>

#include "platform/win/user/ClassRegistry.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/user/ModalLoop.h"

namespace wavorel {

namespace {

std::vector<int> buttonsOf(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OK: return {IDOK};
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    case MB_CANCELTRYCONTINUE: return {IDCANCEL, IDTRYAGAIN, IDCONTINUE};
    default: return {};
  }
}

// Size from the text: 7 pixels a character, 16 a line, room for the buttons.
SIZE boxSize(const std::string& text, size_t buttons) {
  std::istringstream lines(text);
  std::string line;
  size_t widest = 0, count = 0;
  while (std::getline(lines, line)) {
    widest = std::max(widest, line.size());
    ++count;
  }
  LONG width = static_cast<LONG>(std::max<size_t>(widest * 7 + 60, buttons * 88 + 24));
  width = std::min<LONG>(std::max<LONG>(width, 200), 640);
  LONG height = static_cast<LONG>(std::max<size_t>(count, 1) * 16) + 70 + GetSystemMetrics(SM_CYCAPTION);
  return {width, height};
}

}  // namespace

MessageBoxWindow::MessageBoxWindow(std::vector<int> buttons, int defaultButton)
    : buttons_(std::move(buttons)), defaultButton_(defaultButton) {}

bool MessageBoxWindow::has(int id) const { return std::find(buttons_.begin(), buttons_.end(), id) != buttons_.end(); }

int MessageBoxWindow::cancelAnswer() const {
  if (has(IDCANCEL)) return IDCANCEL;
  return buttons_.size() == 1 && buttons_.front() == IDOK ? IDOK : 0;
}

void MessageBoxWindow::finish(HWND hwnd, int id) {
  result_ = id;
  endModal(hwnd, id);
}

LRESULT CALLBACK MessageBoxWindow::proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* box = reinterpret_cast<MessageBoxWindow*>(GetWindowLongPtr(hwnd, 0));
  if (box) {
    switch (msg) {
      case WM_COMMAND:
        if (box->has(LOWORD(wParam))) box->finish(hwnd, LOWORD(wParam));
        return 0;
      case WM_CLOSE:
        if (int id = box->cancelAnswer()) box->finish(hwnd, id);
        return 0;
      case WM_KEYDOWN:
        if (wParam == VK_RETURN) box->finish(hwnd, box->defaultButton_);
        if (wParam == VK_ESCAPE)
          if (int id = box->cancelAnswer()) box->finish(hwnd, id);
        return 0;
      default:
        break;
    }
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

bool MessageBoxWindow::registerClass() {
  if (ClassRegistry::instance().find(kClassName)) return true;
  WNDCLASS wc{};
  wc.lpfnWndProc = proc;
  wc.cbWndExtra = sizeof(void*);
  wc.lpszClassName = kClassName;
  return RegisterClass(&wc) != 0;
}

int MessageBoxWindow::run(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  std::vector<int> buttons = buttonsOf(type);
  if (buttons.empty()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  HWND root = nullptr;
  if (owner) {
    if (!IsWindow(owner)) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
    root = GetAncestor(owner, GA_ROOT);
  }
  if (!registerClass()) return 0;
  size_t defIndex = (type & MB_DEFMASK) >> 8;
  MessageBoxWindow box(buttons, buttons[defIndex < buttons.size() ? defIndex : 0]);
  std::string body = text ? text : "";
  std::string title = caption ? caption : "Error";
  SIZE size = boxSize(body, buttons.size());
  RECT work;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  bool ownerWasEnabled = root && IsWindowEnabled(root);
  if (ownerWasEnabled) EnableWindow(root, FALSE);
  HWND hwnd = CreateWindowEx(WS_EX_DLGMODALFRAME | ((type & MB_TOPMOST) ? WS_EX_TOPMOST : 0), kClassName,
                             title.c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU,
                             (work.right - size.cx) / 2, (work.bottom - size.cy) / 2, size.cx, size.cy, root, nullptr,
                             nullptr, nullptr);
  if (hwnd) {
    SetWindowLongPtr(hwnd, 0, reinterpret_cast<LONG_PTR>(&box));
    ShowWindow(hwnd, SW_SHOWNORMAL);
    ModalWindow shown{hwnd, title, body, buttons, box.defaultButton_};
    shown.style = type;
    int answer = answerModal(shown);
    if (answer && IsWindow(hwnd)) SendMessage(hwnd, WM_COMMAND, static_cast<WPARAM>(answer), 0);
    runModalLoop(hwnd);
  }
  // The owner comes back before the box goes, so that it takes the activation.
  if (ownerWasEnabled && IsWindow(root)) EnableWindow(root, TRUE);
  if (hwnd && IsWindow(hwnd)) {
    SetWindowLongPtr(hwnd, 0, 0);
    DestroyWindow(hwnd);
  }
  return box.result_;
}

}  // namespace wavorel

int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  return wavorel::MessageBoxWindow::run(owner, text, caption, type);
}
