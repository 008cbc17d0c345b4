#include "platform/present/HeadlessRun.h"

#include <cstdlib>
#include <mutex>
#include <sstream>

#include "platform/win/kernel/AtomicFile.h"
#include "platform/win/user/MessageQueue.h"
#include "platform/win/kernel/Root.h"
#include "platform/win/shell/Tray.h"
#include "platform/win/user/User.h"
#include "platform/win/kernel/PlatformLog.h"

namespace wavorel::present {

namespace {

struct RunState {
  std::mutex mutex;
  bool armed = false;
  std::string trayWritten;
  bool trayEverWritten = false;
};

RunState& runState() {
  static RunState* s = [] {
    static RunState instance;
    registerStateReset([] {
      std::lock_guard<std::mutex> lock(instance.mutex);
      instance.armed = false;
      instance.trayWritten.clear();
      instance.trayEverWritten = false;
    });
    return &instance;
  }();
  return *s;
}

void CALLBACK endRun(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (const char* path = std::getenv("WAVOREL_TRAY"); path && *path) writeFileAtomically(path, trayStateText());
  wavorel::logNote("the run time is over; the program is asked to quit");
  PostQuitMessage(0);
}

// Milliseconds from WAVOREL_RUN_MS; false when it is not a positive number.
bool runMs(unsigned long* ms) {
  const char* text = std::getenv("WAVOREL_RUN_MS");
  if (!text || !*text) return false;
  char* end = nullptr;
  unsigned long value = std::strtoul(text, &end, 10);
  if (*end || value == 0 || value > 0x7FFFFFFFul) {
    wavorel::logNote("WAVOREL_RUN_MS=%s is not a number of milliseconds; ignored", text);
    return false;
  }
  *ms = value;
  return true;
}

}  // namespace

std::string trayStateText() {
  std::ostringstream out;
  for (const TrayIcon& icon : trayIcons()) {
    char title[256] = "";
    GetWindowText(icon.hwnd, title, sizeof title);
    out << "icon " << icon.id << " of \"" << title << "\": " << (icon.visible ? "shown" : "hidden")
        << ", picture " << (icon.icon ? "set" : "none") << ", tip \"" << icon.tip << "\"";
    if (!icon.balloonText.empty()) out << ", balloon \"" << icon.balloonTitle << "\" \"" << icon.balloonText << "\"";
    out << "\n";
  }
  return out.str();
}

bool headlessIdle() {
  RunState& s = runState();
  std::lock_guard<std::mutex> lock(s.mutex);
  bool armedNow = false;
  if (!s.armed) {
    s.armed = true;
    unsigned long ms = 0;
    if (runMs(&ms)) armedNow = SetTimer(nullptr, 0, static_cast<UINT>(ms), &endRun) != 0;
  }
  const char* path = std::getenv("WAVOREL_TRAY");
  if (!path || !*path) return armedNow;
  std::string text = trayStateText();
  if (s.trayEverWritten && text == s.trayWritten) return armedNow;
  if (!writeFileAtomically(path, text)) {
    wavorel::logNote("cannot write the tray state %s", path);
    return armedNow;
  }
  s.trayWritten = text;
  s.trayEverWritten = true;
  return armedNow;
}

}  // namespace wavorel::present
