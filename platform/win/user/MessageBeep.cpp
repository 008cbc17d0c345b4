#include "platform/win/user/MessageBeep.h"

#include <mutex>

#include "platform/win/kernel/Root.h"
#include "platform/win/user/WindowConstants.h"

namespace {

constexpr UINT kSimpleBeep = 0xFFFFFFFF;

std::mutex g_mutex;
std::vector<UINT> g_beeps;

const bool g_reset = (wavorel::registerStateReset([] {
                        std::lock_guard<std::mutex> lock(g_mutex);
                        g_beeps.clear();
                      }),
                      true);

UINT soundOf(UINT type) {
  switch (type) {
    case kSimpleBeep:
    case MB_ICONASTERISK:
    case MB_ICONEXCLAMATION:
    case MB_ICONHAND:
    case MB_ICONQUESTION:
      return type;
    default:
      return MB_OK;
  }
}

}  // namespace

BOOL MessageBeep(UINT uType) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_beeps.push_back(soundOf(uType));
  return TRUE;
}

namespace wavorel {

std::vector<UINT> beeps() {
  std::lock_guard<std::mutex> lock(g_mutex);
  return g_beeps;
}

}  // namespace wavorel
