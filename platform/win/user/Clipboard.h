// The clipboard: one per session, opened by one window at a time.
//
// OpenClipboard, EmptyClipboard (the opener becomes the owner and the data
// goes), SetClipboardData (the clipboard owns the global memory handle from
// then on and frees it when the data is replaced), GetClipboardData (the
// handle stays the clipboard's; it is valid until the clipboard changes),
// IsClipboardFormatAvailable, CountClipboardFormats, GetClipboardOwner and
// CloseClipboard. Setting, emptying and reading need the clipboard open by
// the calling thread (ERROR_CLIPBOARD_NOT_OPEN otherwise).
//
// Other programs: where the X display is open, its CLIPBOARD selection is
// the clipboard of the other programs (a ClipboardPeer). Closing the
// clipboard after text was set offers that text to them; while another
// program holds the selection, CF_TEXT is its text (converted to the ANSI
// code page; a selection without text is no CF_TEXT; a text longer than
// kMaxClipboardText bytes is cut there).
#pragma once

#include <string>

#include "platform/win/kernel/Types.h"

#define CF_TEXT 1
#define CF_BITMAP 2
#define CF_OEMTEXT 7
#define CF_DIB 8
#define CF_UNICODETEXT 13

BOOL OpenClipboard(HWND newOwner);
BOOL CloseClipboard();
BOOL EmptyClipboard();
HANDLE SetClipboardData(UINT format, HANDLE data);
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);
int CountClipboardFormats();
HWND GetClipboardOwner();
HWND GetOpenClipboardWindow();

namespace wavorel {

constexpr size_t kMaxClipboardText = 4 * 1024 * 1024;

// The clipboard of the other programs, as the X display shows it.
class ClipboardPeer {
 public:
  virtual ~ClipboardPeer() = default;
  // True while another program holds the clipboard (what it holds is newer
  // than ours).
  virtual bool othersOwn() = 0;
  // The text another program holds (at most kMaxClipboardText bytes, ANSI);
  // false when it holds none, or no text.
  virtual bool fetchText(std::string& text) = 0;
  // Our clipboard now holds text: take the selection and serve it.
  virtual void offerText() = 0;
};

// The peer while a display is open (null: none).
void setClipboardPeer(ClipboardPeer* peer);
// Our own clipboard's CF_TEXT (up to its terminator), for the peer to serve;
// false when it holds none.
bool clipboardText(std::string& text);

}  // namespace wavorel
