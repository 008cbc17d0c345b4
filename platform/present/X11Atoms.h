// The atoms the X11 presenter names (window-manager protocols and hints, the
// clipboard's selection and targets), interned together with one request
// when a display is opened: each XInternAtom on its own is a round trip to
// the server.
#pragma once

namespace wavorel::present {

struct X11Atoms {
  unsigned long wmProtocols = 0;
  unsigned long wmDeleteWindow = 0;
  unsigned long motifHints = 0;
  unsigned long clipboard = 0;
  unsigned long utf8String = 0;
  unsigned long targets = 0;
  unsigned long text = 0;
  unsigned long incr = 0;
  unsigned long clipboardProperty = 0;  // where a selection's text is delivered to us

  // All of them on `display` (a Display*); zeros where the server refused.
  static X11Atoms intern(void* display);
};

}  // namespace wavorel::present
