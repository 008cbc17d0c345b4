#include "platform/present/X11Atoms.h"

#include <X11/Xlib.h>

namespace wavorel::present {

X11Atoms X11Atoms::intern(void* display) {
  X11Atoms a;
  struct Named {
    const char* name;
    unsigned long X11Atoms::*atom;
  };
  static const Named kNames[] = {{"WM_PROTOCOLS", &X11Atoms::wmProtocols},
                                 {"WM_DELETE_WINDOW", &X11Atoms::wmDeleteWindow},
                                 {"_MOTIF_WM_HINTS", &X11Atoms::motifHints},
                                 {"CLIPBOARD", &X11Atoms::clipboard},
                                 {"UTF8_STRING", &X11Atoms::utf8String},
                                 {"TARGETS", &X11Atoms::targets},
                                 {"TEXT", &X11Atoms::text},
                                 {"INCR", &X11Atoms::incr},
                                 {"WAVOREL_CLIPBOARD", &X11Atoms::clipboardProperty}};
  constexpr int kCount = static_cast<int>(sizeof kNames / sizeof kNames[0]);
  char* names[kCount];
  Atom atoms[kCount] = {};
  for (int i = 0; i < kCount; ++i) names[i] = const_cast<char*>(kNames[i].name);
  XInternAtoms(static_cast<Display*>(display), names, kCount, False, atoms);
  for (int i = 0; i < kCount; ++i) a.*(kNames[i].atom) = atoms[i];
  return a;
}

}  // namespace wavorel::present
