// The clipboard shared with the other programs of an X display: the CLIPBOARD
// selection, through a small unmapped window of its own.
//
// Serving: once our clipboard got text (offerText) the window takes the
// selection and answers requests for TARGETS, UTF8_STRING, TEXT and STRING
// with the clipboard's CF_TEXT (line ends CR LF become LF). A text larger than
// one X request can carry is refused (the requestor gets no property).
//
// Reading: while another program holds the selection, its text is asked for
// as UTF8_STRING, else STRING, read in pieces (and through INCR transfers for
// large texts), converted to the ANSI code page (LF becomes CR LF) and cut
// at kMaxClipboardText bytes. A selection that offers no text, an owner that
// does not answer within a second, or a transfer that stalls gives no text.
#pragma once

#include <string>

#include "platform/present/X11Atoms.h"
#include "platform/win/user/Clipboard.h"

namespace wavorel::present {

class X11Clipboard : public ClipboardPeer {
 public:
  // `display` is the connection's Display*, `atoms` interned on it. Becomes
  // the clipboard's peer.
  X11Clipboard(void* display, const X11Atoms& atoms);
  ~X11Clipboard() override;
  X11Clipboard(const X11Clipboard&) = delete;
  X11Clipboard& operator=(const X11Clipboard&) = delete;

  bool owns(unsigned long xwin) const { return xwin == xwin_; }
  // An event of its window (selection requests and the loss of the
  // selection).
  void handleEvent(void* event);

  bool othersOwn() override;
  bool fetchText(std::string& text) override;
  void offerText() override;

  // The clipboard text of a selection's bytes (UTF8_STRING, else STRING in
  // Latin-1): in the ANSI code page, LF line ends as CR LF, cut at
  // kMaxClipboardText bytes.
  static std::string textOf(const std::string& bytes, bool utf8);

 private:
  // Waits (up to the deadline, in milliseconds of real time) for an event of
  // `type` on the clipboard's window.
  bool waitFor(int type, void* event, long timeoutMs);
  // Reads and deletes the property that a conversion filled; false when the
  // transfer failed.
  bool readProperty(unsigned long type, std::string& bytes);
  bool readIncremental(std::string& bytes);

  void* display_;
  unsigned long xwin_ = 0;
  unsigned long clipboard_, utf8_, targets_, text_, incr_, property_;
};

}  // namespace wavorel::present
