#include "platform/win/user/Cursor.h"

#include <atomic>

#include "platform/win/kernel/Root.h"

namespace {

std::atomic<HCURSOR> g_cursor{nullptr};

const bool g_resetRegistered = [] {
  wavorel::registerStateReset([] { g_cursor = nullptr; });
  return true;
}();

}  // namespace

HCURSOR SetCursor(HCURSOR cursor) { return g_cursor.exchange(cursor); }

HCURSOR GetCursor() { return g_cursor.load(); }
