#include "platform/win/kernel/Account.h"

#include <atomic>

#include "platform/win/kernel/Root.h"

namespace wavorel {

namespace {
std::atomic<bool> g_admin{true};
const bool g_registered = (registerStateReset([] { g_admin = true; }), true);
}  // namespace

bool runningAsAdministrator() { return g_admin.load(); }
void setRunningAsAdministrator(bool admin) { g_admin = admin; }

}  // namespace wavorel
