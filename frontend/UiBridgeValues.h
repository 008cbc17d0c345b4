// The values of the UI bridge in flight: each text a sender hands over is
// kept here under a token (the message's lParam) until its receiver takes
// it. A value whose receiving window no longer exists can never be taken
// (destroying a window drops its queued messages), so it is freed.
#pragma once

#include <cstdint>
#include <mutex>
#include <unordered_map>

#include "platform/Platform.h"

class CUiBridgeValues {
 public:
  static CUiBridgeValues& Instance();

  // Keeps a copy of `text` for `target`; returns its token (never 0).
  // Throws std::bad_alloc when the copy cannot be made.
  LPARAM Add(HWND target, const char* text);
  // Hands out and frees the value of `token`; FALSE when none is held.
  BOOL Take(LPARAM token, CString& text);
  // Frees the value of `token` if it is still held.
  void Release(LPARAM token);
  // Values held whose target is still a window.
  int Count();

 private:
  struct Value {
    HWND target;
    CString text;
  };
  void SweepLocked();

  std::mutex m_mutex;
  std::unordered_map<LPARAM, Value> m_values;
  uint64_t m_lastToken = 0;
};
