// What may cross from one process to another as a window message, and the
// frames that carry it over the desktop's socket (Desktop.h).
//
// Only plain values cross: messages at or above WM_USER, registered messages,
// and the system messages whose parameters are numbers or flags. WM_SETTEXT
// and WM_GETTEXT cross by copying their text, WM_COPYDATA by copying its
// block, as Windows marshals them (sent only: posted they fail with
// ERROR_MESSAGE_SYNC_ONLY). Every other message has a pointer among its
// parameters, which means nothing in another process, and is refused. The
// standard controls' own messages in the WM_USER range carry pointers too, so
// a top-level window of one of those classes takes none of them from outside.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win/user/User.h"

namespace wavorel {

enum class Crossing {
  Plain,     // wParam and lParam cross as they are
  SetText,   // lParam is a text: it crosses as a copy
  GetText,   // wParam is the size of the buffer lParam points to: the text comes back
  CopyData,  // lParam is a COPYDATASTRUCT: its block crosses as a copy
  Refused,   // a pointer that cannot cross
};

// How `msg`, sent (or posted) to a top-level window of class `className`,
// crosses processes.
Crossing crossingOf(UINT msg, const std::string& className);

// The frames on the desktop's socket: one request, one reply, then the
// connection ends. Both ends are this platform on one machine, so the fields
// keep the host's byte order.
struct CrossProcessRequest {
  static constexpr uint32_t kMagic = 0x57444D32;  // "WDM2"
  static constexpr uint32_t kPost = 1;
  static constexpr uint32_t kSend = 2;
  uint32_t magic;
  uint32_t kind;
  uint64_t hwnd;
  uint32_t msg;
  uint32_t payloadSize;  // bytes that follow: a text (SetText) or dwData and a block (CopyData)
  uint64_t wParam;
  int64_t lParam;
};
static_assert(sizeof(CrossProcessRequest) == 40, "request header layout");

struct CrossProcessReply {
  int64_t result;
  uint32_t ok;
  uint32_t error;        // the sender's last error when !ok
  uint32_t payloadSize;  // bytes that follow: the text of a GetText
  uint32_t reserved;
};
static_assert(sizeof(CrossProcessReply) == 24, "reply header layout");

// The largest payload either way (a text or a WM_COPYDATA block).
constexpr uint32_t kMaxCrossProcessPayload = 1u << 20;

}  // namespace wavorel
