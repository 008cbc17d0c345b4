#include "platform/win/user/Caret.h"

#include <atomic>

#include "platform/win/gdi/Gdi.h"
#include "platform/win/gdi/Shapes.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Root.h"

namespace {

constexpr UINT_PTR kBlinkTimer = 0x7FFFA2A3;
constexpr UINT kDefaultBlinkMs = 530;

struct Caret {
  HWND hwnd = nullptr;
  SIZE size{0, 0};
  POINT at{0, 0};
  int hidden = 1;     // HideCaret count; shown at 0
  bool drawn = false;  // inverted on the screen now
  bool painting = false;
};

thread_local Caret t_caret;
std::atomic<UINT> g_blinkMs{kDefaultBlinkMs};

const bool g_reset = (wavorel::registerStateReset([] {
                        t_caret = Caret{};
                        g_blinkMs = kDefaultBlinkMs;
                      }),
                      true);

bool alive() {
  if (t_caret.hwnd && IsWindow(t_caret.hwnd)) return true;
  t_caret = Caret{};
  return false;
}

void invert() {
  HDC dc = GetDC(t_caret.hwnd);
  if (!dc) return;
  RECT r{t_caret.at.x, t_caret.at.y, t_caret.at.x + t_caret.size.cx, t_caret.at.y + t_caret.size.cy};
  InvertRect(dc, &r);
  ReleaseDC(t_caret.hwnd, dc);
  t_caret.drawn = !t_caret.drawn;
}

void takeOff() {
  if (t_caret.drawn) invert();
}

void CALLBACK blink(HWND hwnd, UINT, UINT_PTR, DWORD) {
  if (!alive() || hwnd != t_caret.hwnd || t_caret.painting) return;
  if (t_caret.hidden == 0 || t_caret.drawn) invert();
}

// Shows the caret now (when it is not hidden) and starts the blink afresh.
void restartBlink() {
  if (t_caret.hidden != 0 || t_caret.painting) return;
  if (!t_caret.drawn) invert();
  SetTimer(t_caret.hwnd, kBlinkTimer, g_blinkMs, blink);
}

bool ownsCaret(HWND hwnd) {
  if (!alive() || (hwnd && hwnd != t_caret.hwnd)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  return true;
}

}  // namespace

BOOL CreateCaret(HWND hwnd, HBITMAP bitmap, int width, int height) {
  if (!IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  DestroyCaret();
  SIZE size{width ? width : GetSystemMetrics(SM_CXBORDER), height ? height : GetSystemMetrics(SM_CYBORDER)};
  BITMAP info{};
  if (bitmap && bitmap != reinterpret_cast<HBITMAP>(1) && GetObject(bitmap, sizeof info, &info))
    size = {info.bmWidth, info.bmHeight};
  t_caret = Caret{hwnd, size, {0, 0}, 1, false, false};
  return TRUE;
}

BOOL DestroyCaret() {
  if (!alive()) return FALSE;
  takeOff();
  KillTimer(t_caret.hwnd, kBlinkTimer);
  t_caret = Caret{};
  return TRUE;
}

BOOL ShowCaret(HWND hwnd) {
  if (!ownsCaret(hwnd)) return FALSE;
  if (t_caret.hidden > 0 && --t_caret.hidden == 0) restartBlink();
  return TRUE;
}

BOOL HideCaret(HWND hwnd) {
  if (!ownsCaret(hwnd)) return FALSE;
  if (t_caret.hidden++ == 0) {
    takeOff();
    KillTimer(t_caret.hwnd, kBlinkTimer);
  }
  return TRUE;
}

BOOL SetCaretPos(int x, int y) {
  if (!alive()) return FALSE;
  if (t_caret.at.x == x && t_caret.at.y == y) return TRUE;
  takeOff();
  t_caret.at = {x, y};
  restartBlink();
  return TRUE;
}

BOOL GetCaretPos(LPPOINT point) {
  if (!point || !alive()) return FALSE;
  *point = t_caret.at;
  return TRUE;
}

UINT GetCaretBlinkTime() { return g_blinkMs; }

BOOL SetCaretBlinkTime(UINT milliseconds) {
  g_blinkMs = milliseconds ? milliseconds : kDefaultBlinkMs;
  return TRUE;
}

namespace wavorel {

void caretBeforePaint(HWND hwnd) {
  if (!alive() || hwnd != t_caret.hwnd) return;
  takeOff();
  t_caret.painting = true;
}

void caretAfterPaint(HWND hwnd) {
  if (!alive() || hwnd != t_caret.hwnd || !t_caret.painting) return;
  t_caret.painting = false;
  restartBlink();
}

bool caretDrawn(HWND* hwnd, RECT* rect) {
  if (!alive() || !t_caret.drawn) return false;
  if (hwnd) *hwnd = t_caret.hwnd;
  if (rect) *rect = {t_caret.at.x, t_caret.at.y, t_caret.at.x + t_caret.size.cx, t_caret.at.y + t_caret.size.cy};
  return true;
}

}  // namespace wavorel
