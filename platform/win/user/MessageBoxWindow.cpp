#include "platform/win/user/MessageBoxWindow.h"

#include <algorithm>

#include "platform/win/gdi/Gdi.h"
#include "platform/win/gdi/Images.h"
#include "platform/win/gdi/Text.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/user/ClassRegistry.h"
#include "platform/win/user/Dialog.h"
#include "platform/win/user/ModalLoop.h"
#include "platform/win/user/Paint.h"
#include "platform/win/user/Window.h"

namespace wavorel {

namespace {

constexpr LONG kMargin = 12;
constexpr LONG kButtonWidth = 75;
constexpr LONG kButtonHeight = 23;
constexpr LONG kButtonGap = 6;
constexpr LONG kIconSize = 32;
constexpr int kTextId = 0xFFFF;
constexpr int kIconId = 0xFFFE;

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

const char* buttonText(int id) {
  switch (id) {
    case IDOK: return "OK";
    case IDCANCEL: return "Cancel";
    case IDABORT: return "&Abort";
    case IDRETRY: return "&Retry";
    case IDIGNORE: return "&Ignore";
    case IDYES: return "&Yes";
    case IDNO: return "&No";
    case IDTRYAGAIN: return "&Try Again";
    default: return "&Continue";
  }
}

LPCSTR iconOf(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND: return IDI_HAND;
    case MB_ICONQUESTION: return IDI_QUESTION;
    case MB_ICONEXCLAMATION: return IDI_EXCLAMATION;
    case MB_ICONASTERISK: return IDI_ASTERISK;
    default: return nullptr;
  }
}

// The text's size in the message font, wrapped at `width` pixels.
SIZE textSize(const std::string& text, LONG width) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  RECT r{0, 0, width, 0};
  DrawText(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  SelectObject(dc, old);
  DeleteDC(dc);
  return {r.right - r.left, r.bottom - r.top};
}

HWND child(HWND parent, LPCSTR cls, LPCSTR text, DWORD style, RECT r, int id) {
  HWND h = CreateWindowEx(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                          r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr,
                          nullptr);
  if (h) SendMessage(h, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return h;
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

void MessageBoxWindow::build(HWND hwnd, const std::string& text, UINT type) const {
  RECT client;
  GetClientRect(hwnd, &client);
  LONG left = kMargin;
  if (LPCSTR icon = iconOf(type)) {
    HWND picture = child(hwnd, WC_STATIC, "", SS_ICON, RECT{kMargin, kMargin, kMargin + kIconSize, kMargin + kIconSize},
                         kIconId);
    SendMessage(picture, STM_SETICON, reinterpret_cast<WPARAM>(LoadIcon(nullptr, icon)), 0);
    left += kIconSize + kMargin;
  }
  child(hwnd, WC_STATIC, text.c_str(), SS_LEFT | SS_NOPREFIX,
        RECT{left, kMargin, client.right - kMargin, client.bottom - kMargin - kButtonHeight - kMargin}, kTextId);
  LONG x = client.right - kMargin - static_cast<LONG>(buttons_.size()) * (kButtonWidth + kButtonGap) + kButtonGap;
  LONG y = client.bottom - kMargin - kButtonHeight;
  for (int id : buttons_) {
    DWORD style = WS_TABSTOP | (id == defaultButton_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    child(hwnd, WC_BUTTON, buttonText(id), style, RECT{x, y, x + kButtonWidth, y + kButtonHeight}, id);
    x += kButtonWidth + kButtonGap;
  }
}

LRESULT CALLBACK MessageBoxWindow::proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* box = reinterpret_cast<MessageBoxWindow*>(GetWindowLongPtr(hwnd, 0));
  if (box) {
    switch (msg) {
      case WM_COMMAND: {
        int id = LOWORD(wParam);
        if (box->has(id))
          box->finish(hwnd, id);
        else if (id == IDCANCEL && box->cancelAnswer())
          box->finish(hwnd, box->cancelAnswer());
        return 0;
      }
      case WM_CLOSE:
        if (int id = box->cancelAnswer()) box->finish(hwnd, id);
        return 0;
      case DM_GETDEFID: return MAKELRESULT(box->defaultButton_, DC_HASDEFID);
      case WM_CTLCOLORSTATIC:
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_3DFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_3DFACE));
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
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
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

  // The text wraps at two thirds of the work area; the box fits the text,
  // the icon and the row of buttons.
  RECT work;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  LONG iconWidth = iconOf(type) ? kIconSize + kMargin : 0;
  SIZE textArea = textSize(body, (work.right - work.left) * 2 / 3);
  LONG buttonsWidth = static_cast<LONG>(buttons.size()) * (kButtonWidth + kButtonGap) - kButtonGap;
  LONG clientWidth = std::max(iconWidth + textArea.cx, buttonsWidth) + 2 * kMargin;
  LONG clientHeight = std::max<LONG>(textArea.cy, iconWidth ? kIconSize : 0) + kButtonHeight + 3 * kMargin;
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  DWORD exStyle = WS_EX_DLGMODALFRAME | ((type & MB_TOPMOST) ? WS_EX_TOPMOST : 0);
  Window probe;
  probe.style = style;
  probe.exStyle = exStyle;
  RECT frame = probe.frame();
  LONG width = std::min(clientWidth + frame.left + frame.right, work.right - work.left);
  LONG height = std::min(clientHeight + frame.top + frame.bottom, work.bottom - work.top);

  bool ownerWasEnabled = root && IsWindowEnabled(root);
  if (ownerWasEnabled) EnableWindow(root, FALSE);
  HWND hwnd = CreateWindowEx(exStyle, kClassName, title.c_str(), style, work.left + (work.right - work.left - width) / 2,
                             work.top + (work.bottom - work.top - height) / 2, width, height, root, nullptr, nullptr,
                             nullptr);
  if (hwnd) {
    SetWindowLongPtr(hwnd, 0, reinterpret_cast<LONG_PTR>(&box));
    box.build(hwnd, body, type);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    SetFocus(GetDlgItem(hwnd, box.defaultButton_));
    ModalQuestion question{[&] {
                             ModalWindow shown{hwnd, title, body, buttons, box.defaultButton_};
                             shown.style = type;
                             return shown;
                           },
                           [hwnd](int answer) { SendMessage(hwnd, WM_COMMAND, static_cast<WPARAM>(answer), 0); }};
    runModalLoop(hwnd, {}, [hwnd](MSG& msg) { return IsDialogMessage(hwnd, &msg) != FALSE; }, &question);
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
