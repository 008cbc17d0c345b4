#include "platform/present/X11Clipboard.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "platform/win/kernel/CodePage.h"

namespace wavorel::present {

namespace {

Display* dpy(void* d) { return static_cast<Display*>(d); }

constexpr long kAnswerMs = 1000;
constexpr long kChunkLongs = 64 * 1024;  // a property is read in pieces of this many 32-bit units
// UTF-8 takes up to three bytes for a character of the ANSI code pages.
constexpr size_t kMaxTransferBytes = kMaxClipboardText * 3;

std::u16string toWide(UINT codePage, const std::string& bytes) {
  if (bytes.empty()) return {};
  int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::u16string wide(static_cast<size_t>(n), u'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), reinterpret_cast<LPWSTR>(&wide[0]), n);
  return wide;
}

std::string fromWide(UINT codePage, const std::u16string& wide) {
  if (wide.empty()) return {};
  auto* in = reinterpret_cast<LPCWSTR>(wide.data());
  int n = WideCharToMultiByte(codePage, 0, in, static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, in, static_cast<int>(wide.size()), &bytes[0], n, nullptr, nullptr);
  return bytes;
}

std::u16string latin1ToWide(const std::string& bytes) {
  std::u16string wide;
  wide.reserve(bytes.size());
  for (char c : bytes) wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
  return wide;
}

std::string wideToLatin1(const std::u16string& wide) {
  std::string bytes;
  bytes.reserve(wide.size());
  for (char16_t c : wide) bytes.push_back(c <= 0xFF ? static_cast<char>(c) : '?');
  return bytes;
}

// LF line ends (the X convention) become CR LF (the clipboard's), and back.
std::string toCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

std::string toLf(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
  return out;
}

}  // namespace

X11Clipboard::X11Clipboard(void* display, const X11Atoms& atoms)
    : display_(display),
      clipboard_(atoms.clipboard),
      utf8_(atoms.utf8String),
      targets_(atoms.targets),
      text_(atoms.text),
      incr_(atoms.incr),
      property_(atoms.clipboardProperty) {
  Display* d = dpy(display_);
  XSetWindowAttributes attrs{};
  attrs.event_mask = PropertyChangeMask;
  xwin_ = XCreateWindow(d, DefaultRootWindow(d), -10, -10, 1, 1, 0, 0, InputOnly, CopyFromParent, CWEventMask, &attrs);
  setClipboardPeer(this);
}

X11Clipboard::~X11Clipboard() {
  setClipboardPeer(nullptr);
  XDestroyWindow(dpy(display_), xwin_);
}

bool X11Clipboard::othersOwn() {
  ::Window owner = XGetSelectionOwner(dpy(display_), clipboard_);
  return owner != None && owner != xwin_;
}

void X11Clipboard::offerText() {
  Display* d = dpy(display_);
  XSetSelectionOwner(d, clipboard_, xwin_, CurrentTime);
  XFlush(d);
}

bool X11Clipboard::waitFor(int type, void* event, long timeoutMs) {
  Display* d = dpy(display_);
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (XCheckTypedWindowEvent(d, xwin_, type, static_cast<XEvent*>(event))) return true;
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now()).count();
    if (left <= 0) return false;
    pollfd fd{ConnectionNumber(d), POLLIN, 0};
    poll(&fd, 1, static_cast<int>(left));
  }
}

bool X11Clipboard::readProperty(unsigned long type, std::string& bytes) {
  Display* d = dpy(display_);
  long offset = 0;
  for (;;) {
    Atom actual = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, xwin_, property_, offset, kChunkLongs, False, AnyPropertyType, &actual, &format, &count,
                           &after, &data) != Success)
      return false;
    if (actual == incr_) {
      if (data) XFree(data);
      return readIncremental(bytes);
    }
    bool usable = actual == type && format == 8;
    if (usable && bytes.size() < kMaxTransferBytes) bytes.append(reinterpret_cast<char*>(data), count);
    if (data) XFree(data);
    if (!usable) {
      XDeleteProperty(d, xwin_, property_);
      return false;
    }
    offset += static_cast<long>(count / 4);
    if (after == 0) break;
  }
  XDeleteProperty(d, xwin_, property_);
  return true;
}

// The INCR protocol: deleting the property asks for the next piece; a piece
// of length zero ends the transfer.
bool X11Clipboard::readIncremental(std::string& bytes) {
  Display* d = dpy(display_);
  XDeleteProperty(d, xwin_, property_);
  XFlush(d);
  for (;;) {
    XEvent e;
    do {
      if (!waitFor(PropertyNotify, &e, kAnswerMs)) return false;
    } while (e.xproperty.atom != property_ || e.xproperty.state != PropertyNewValue);
    Atom actual = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, xwin_, property_, 0, 0x7FFFFFFF / 4, True, AnyPropertyType, &actual, &format, &count,
                           &after, &data) != Success)
      return false;
    if (data && format == 8 && bytes.size() < kMaxTransferBytes) bytes.append(reinterpret_cast<char*>(data), count);
    if (data) XFree(data);
    XFlush(d);
    if (count == 0) return true;
  }
}

std::string X11Clipboard::textOf(const std::string& bytes, bool utf8) {
  std::string text = toCrLf(fromWide(CP_ACP, utf8 ? toWide(CP_UTF8, bytes) : latin1ToWide(bytes)));
  if (text.size() > kMaxClipboardText) text.resize(kMaxClipboardText);
  return text;
}

bool X11Clipboard::fetchText(std::string& text) {
  if (!othersOwn()) return false;
  Display* d = dpy(display_);
  for (Atom target : {static_cast<Atom>(utf8_), static_cast<Atom>(XA_STRING)}) {
    XDeleteProperty(d, xwin_, property_);
    XConvertSelection(d, clipboard_, target, property_, xwin_, CurrentTime);
    XFlush(d);
    XEvent e;
    if (!waitFor(SelectionNotify, &e, kAnswerMs)) return false;
    if (e.xselection.property == None) continue;  // the owner has no such form
    std::string bytes;
    if (!readProperty(target, bytes)) continue;
    text = textOf(bytes, target == utf8_);
    return true;
  }
  return false;
}

void X11Clipboard::handleEvent(void* event) {
  auto& e = *static_cast<XEvent*>(event);
  if (e.type != SelectionRequest) return;
  const XSelectionRequestEvent& request = e.xselectionrequest;
  Display* d = dpy(display_);
  XEvent reply{};
  reply.xselection.type = SelectionNotify;
  reply.xselection.display = d;
  reply.xselection.requestor = request.requestor;
  reply.xselection.selection = request.selection;
  reply.xselection.target = request.target;
  reply.xselection.time = request.time;
  reply.xselection.property = None;
  Atom property = request.property != None ? request.property : request.target;
  std::string text;
  if (request.selection == clipboard_ && clipboardText(text)) {
    if (request.target == targets_) {
      Atom offered[] = {static_cast<Atom>(targets_), static_cast<Atom>(utf8_), static_cast<Atom>(text_), XA_STRING};
      XChangeProperty(d, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                      reinterpret_cast<unsigned char*>(offered), 4);
      reply.xselection.property = property;
    } else if (request.target == utf8_ || request.target == text_ || request.target == XA_STRING) {
      std::u16string wide = toWide(CP_ACP, toLf(text));
      bool latin1 = request.target == XA_STRING;
      std::string bytes = latin1 ? wideToLatin1(wide) : fromWide(CP_UTF8, wide);
      // What one request can carry (in bytes, with room for the request itself).
      size_t most = static_cast<size_t>(std::max(XExtendedMaxRequestSize(d), XMaxRequestSize(d))) * 4 - 64;
      if (bytes.size() <= most) {
        XChangeProperty(d, request.requestor, property, latin1 ? XA_STRING : static_cast<Atom>(utf8_), 8,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(bytes.data()),
                        static_cast<int>(bytes.size()));
        reply.xselection.property = property;
      }
    }
  }
  XSendEvent(d, request.requestor, False, NoEventMask, &reply);
  XFlush(d);
}

}  // namespace wavorel::present
