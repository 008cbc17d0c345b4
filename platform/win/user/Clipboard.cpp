#include "platform/win/user/Clipboard.h"

#include <cstring>
#include <map>
#include <mutex>

#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/GlobalMemory.h"
#include "platform/win/kernel/Root.h"
#include "platform/win/user/MessageQueue.h"
#include "platform/win/user/User.h"

namespace {

struct State {
  std::mutex mutex;
  DWORD openThread = 0;  // 0: closed
  HWND openWindow = nullptr;
  HWND owner = nullptr;
  std::map<UINT, HANDLE> data;  // our own data by format
  HANDLE fetched = nullptr;     // the other programs' text as last read
  bool textChanged = false;     // text set since the clipboard was opened
  wavorel::ClipboardPeer* peer = nullptr;
};

void freeAll(State& s) {
  for (auto& entry : s.data) GlobalFree(entry.second);
  s.data.clear();
  if (s.fetched) GlobalFree(s.fetched);
  s.fetched = nullptr;
}

State& state() {
  static State* s = [] {
    static State instance;
    wavorel::registerStateReset([] {
      std::lock_guard<std::mutex> lock(instance.mutex);
      freeAll(instance);
      instance.openThread = 0;
      instance.openWindow = nullptr;
      instance.owner = nullptr;
      instance.textChanged = false;
    });
    return &instance;
  }();
  return *s;
}

DWORD me() { return wavorel::MessageQueue::currentThreadId(); }

// True when the calling thread has the clipboard open; else sets the error.
bool openHere(const State& s) {
  if (s.openThread == me()) return true;
  SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
  return false;
}

HANDLE textHandle(const std::string& text) {
  HANDLE h = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!h) return nullptr;
  auto* p = static_cast<char*>(GlobalLock(h));
  std::memcpy(p, text.c_str(), text.size() + 1);
  GlobalUnlock(h);
  return h;
}

// The other programs' text (cut to kMaxClipboardText); null when they hold
// no text. Called without the lock held: the peer waits for the X server.
HANDLE fetchFromPeer(wavorel::ClipboardPeer& peer) {
  std::string text;
  if (!peer.fetchText(text)) return nullptr;
  if (text.size() > wavorel::kMaxClipboardText) text.resize(wavorel::kMaxClipboardText);
  return textHandle(text);
}

}  // namespace

BOOL OpenClipboard(HWND newOwner) {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (s.openThread && s.openThread != me()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  s.openThread = me();
  s.openWindow = newOwner;
  s.textChanged = false;
  return TRUE;
}

BOOL CloseClipboard() {
  State& s = state();
  wavorel::ClipboardPeer* offerTo = nullptr;
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    if (!openHere(s)) return FALSE;
    s.openThread = 0;
    s.openWindow = nullptr;
    if (s.textChanged && s.data.count(CF_TEXT)) offerTo = s.peer;
    s.textChanged = false;
  }
  if (offerTo) offerTo->offerText();
  return TRUE;
}

BOOL EmptyClipboard() {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (!openHere(s)) return FALSE;
  freeAll(s);
  s.owner = s.openWindow;
  return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (!openHere(s)) return nullptr;
  if (data == nullptr || GlobalSize(data) == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto it = s.data.find(format);
  if (it != s.data.end() && it->second != data) GlobalFree(it->second);
  s.data[format] = data;
  if (format == CF_TEXT) s.textChanged = true;
  return data;
}

HANDLE GetClipboardData(UINT format) {
  State& s = state();
  wavorel::ClipboardPeer* peer;
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    if (!openHere(s)) return nullptr;
    peer = s.textChanged ? nullptr : s.peer;  // text set while open is the newest
  }
  if (peer && peer->othersOwn()) {
    // What the other program holds is the clipboard: its text, or nothing.
    HANDLE fetched = format == CF_TEXT ? fetchFromPeer(*peer) : nullptr;
    std::lock_guard<std::mutex> lock(s.mutex);
    if (s.fetched) GlobalFree(s.fetched);
    s.fetched = fetched;
    return fetched;
  }
  std::lock_guard<std::mutex> lock(s.mutex);
  auto it = s.data.find(format);
  return it == s.data.end() ? nullptr : it->second;
}

BOOL IsClipboardFormatAvailable(UINT format) {
  State& s = state();
  wavorel::ClipboardPeer* peer;
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    peer = s.peer;
  }
  if (peer && peer->othersOwn()) {
    if (format != CF_TEXT) return FALSE;
    std::string text;
    return peer->fetchText(text) ? TRUE : FALSE;
  }
  std::lock_guard<std::mutex> lock(s.mutex);
  return s.data.count(format) ? TRUE : FALSE;
}

int CountClipboardFormats() {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  return static_cast<int>(s.data.size());
}

HWND GetClipboardOwner() {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  return s.owner;
}

HWND GetOpenClipboardWindow() {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  return s.openThread ? s.openWindow : nullptr;
}

namespace wavorel {

void setClipboardPeer(ClipboardPeer* peer) {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.peer = peer;
}

bool clipboardText(std::string& text) {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  auto it = s.data.find(CF_TEXT);
  if (it == s.data.end()) return false;
  SIZE_T size = GlobalSize(it->second);
  const auto* p = static_cast<const char*>(GlobalLock(it->second));
  if (!p) return false;
  text.assign(p, strnlen(p, size));
  GlobalUnlock(it->second);
  return true;
}

}  // namespace wavorel
