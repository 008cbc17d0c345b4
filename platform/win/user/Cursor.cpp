#include "platform/win/user/Cursor.h"

#include <mutex>

#include "platform/win/gdi/Images.h"
#include "platform/win/kernel/Root.h"

namespace {

std::mutex g_mutex;
bool g_set = false;  // SetCursor was called
HCURSOR g_cursor = nullptr;

const bool g_resetRegistered = [] {
  wavorel::registerStateReset([] {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_set = false;
    g_cursor = nullptr;
  });
  return true;
}();

HCURSOR current() { return g_set ? g_cursor : LoadCursor(nullptr, IDC_ARROW); }

}  // namespace

HCURSOR SetCursor(HCURSOR cursor) {
  std::lock_guard<std::mutex> lock(g_mutex);
  HCURSOR previous = current();
  g_set = true;
  g_cursor = cursor;
  return previous;
}

HCURSOR GetCursor() {
  std::lock_guard<std::mutex> lock(g_mutex);
  return current();
}
