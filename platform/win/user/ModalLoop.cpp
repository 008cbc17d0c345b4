#include "platform/win/user/ModalLoop.h"

#include <algorithm>
#include <mutex>

#include "platform/win/user/Input.h"
#include "platform/win/user/MessageQueue.h"
#include "platform/win/user/WindowManager.h"
#include "platform/win/kernel/PlatformLog.h"

namespace wavorel {

namespace {

std::mutex g_mutex;
ModalResponder g_responder;

}  // namespace

void setModalResponder(ModalResponder responder) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_responder = std::move(responder);
}

bool hasModalResponder() {
  std::lock_guard<std::mutex> lock(g_mutex);
  return static_cast<bool>(g_responder);
}

void resetModalLoops() { setModalResponder(nullptr); }

int answerModal(const ModalWindow& window) {
  ModalResponder responder;
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    responder = g_responder;
  }
  if (responder) return responder(window);
  if (window.kind == ModalWindow::Kind::Menu) {
    wavorel::logNote("popup menu of %zu commands dismissed", window.buttons.size());
    return 0;
  }
  if (window.kind == ModalWindow::Kind::FileDialog) {
    wavorel::logNote("file dialog \"%s\" (\"%s\") cancelled", window.caption.c_str(),
                     window.text.c_str());
    return IDCANCEL;
  }
  // A window without its default button (a program's main dialog, made of
  // owner-drawn controls only) has nothing to press: it stays open.
  bool listed = std::find(window.buttons.begin(), window.buttons.end(), window.defaultButton) != window.buttons.end();
  if (window.hwnd && !listed && !GetDlgItem(window.hwnd, window.defaultButton)) {
    wavorel::logNote("modal window \"%s\" left open: it has no default button", window.caption.c_str());
    return 0;
  }
  wavorel::logNote("modal window \"%s\" (\"%s\") answered with button %d, the default",
                   window.caption.c_str(), window.text.c_str(), window.defaultButton);
  return window.defaultButton;
}

bool runModalLoop(HWND hwnd, const std::function<bool()>& done, const ModalFilter& filter) {
  auto q = MessageQueue::current();
  for (;;) {
    if (done && done()) return true;
    if (hwnd) {
      auto w = WindowManager::instance().find(hwnd);
      if (!w) return false;
      if (w->modalEnded) return true;
    }
    MSG msg;
    if (!q->peek(&msg, nullptr, 0, 0, PM_REMOVE)) {
      q->waitForMessage();
      continue;
    }
    if (msg.message == WM_QUIT) {
      q->postQuit(static_cast<int>(msg.wParam));
      return false;
    }
    noteRetrievedMessage(msg);
    if (filter && filter(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
}

BOOL endModal(HWND hwnd, INT_PTR result) {
  auto w = ownWindowOrFail(hwnd);
  if (!w) return FALSE;
  w->modalEnded = true;
  w->modalResult = result;
  return TRUE;
}

BOOL takeModalResult(HWND hwnd, INT_PTR* result) {
  auto w = WindowManager::instance().find(hwnd);
  if (!w || !w->modalEnded) return FALSE;
  if (result) *result = w->modalResult;
  w->modalEnded = false;
  return TRUE;
}

}  // namespace wavorel
