#include "platform/win/user/ModalLoop.h"

#include <algorithm>
#include <atomic>
#include <mutex>

#include "platform/win/user/ApplicationMainWindow.h"
#include "platform/win/user/Input.h"
#include "platform/win/user/MessageQueue.h"
#include "platform/win/user/WindowManager.h"
#include "platform/win/kernel/PlatformLog.h"

namespace wavorel {

namespace {

std::mutex g_mutex;
ModalResponder g_responder;
std::atomic<int> g_displays{0};  // open displays a person sits at

// The first messages of a modal window are those ready when its loop starts;
// a window that keeps posting to itself is answered after this many.
constexpr size_t kFirstMessagesLimit = 1000;

// A window placed wholly outside the screen is one its program keeps from
// the person (a hidden helper dialog): nobody can answer it.
bool liesOffScreen(HWND hwnd) {
  RECT r{};
  if (!hwnd || !GetWindowRect(hwnd, &r) || r.right <= r.left || r.bottom <= r.top) return false;
  return r.right <= 0 || r.bottom <= 0 || r.left >= GetSystemMetrics(SM_CXSCREEN) ||
         r.top >= GetSystemMetrics(SM_CYSCREEN);
}

void ask(const ModalQuestion& question) {
  ModalWindow window = question.describe();
  if (liesOffScreen(window.hwnd)) {
    wavorel::logNote("modal window \"%s\" left open: it lies off the screen", window.caption.c_str());
    return;
  }
  int answer = answerModal(window);
  if (answer)
    question.press(answer);
  else if (question.unanswered && !hasModalResponder() && !personAtDisplay())
    question.unanswered();
}

}  // namespace

void setModalResponder(ModalResponder responder) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_responder = std::move(responder);
}

bool hasModalResponder() {
  std::lock_guard<std::mutex> lock(g_mutex);
  return static_cast<bool>(g_responder);
}

void setPersonAtDisplay(bool present) {
  if (present) {
    ++g_displays;
    return;
  }
  int open = g_displays;
  while (open > 0 && !g_displays.compare_exchange_weak(open, open - 1)) {
  }
}

bool personAtDisplay() { return g_displays > 0; }

void resetModalLoops() {
  setModalResponder(nullptr);
  g_displays = 0;
}

int answerModal(const ModalWindow& window) {
  ModalResponder responder;
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    responder = g_responder;
  }
  if (responder) return responder(window);
  // The program's own main window: nothing to answer, it runs until the
  // program ends it.
  if (window.hwnd && GetProp(window.hwnd, kApplicationMainWindowProp)) return 0;
  if (personAtDisplay()) return 0;
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

bool runModalLoop(HWND hwnd, const std::function<bool()>& done, const ModalFilter& filter,
                  const ModalQuestion* question) {
  auto q = MessageQueue::current();
  size_t firstMessages = 0;
  for (;;) {
    if (done && done()) return true;
    if (hwnd) {
      auto w = WindowManager::instance().find(hwnd);
      if (!w) return false;
      if (w->modalEnded) return true;
    }
    MSG msg;
    bool taken = q->peek(&msg, nullptr, 0, 0, PM_REMOVE);
    if (question && (!taken || ++firstMessages > kFirstMessagesLimit)) {
      const ModalQuestion* asking = question;
      question = nullptr;
      ask(*asking);
      if (!taken) continue;  // the answer may have ended the loop
    }
    if (!taken) {
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
