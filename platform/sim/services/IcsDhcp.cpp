#include "platform/sim/services/IcsDhcp.h"

#include <atomic>

#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Module.h"
#include "platform/win/kernel/Root.h"

namespace wavorel::sim {

namespace {

std::atomic<bool> g_serverOn{false};

const bool g_registered = (registerModule("ICSDHCP.dll",
                                          {{"ICSDHCP_EnableDhcpServer", 5, exportedProc(&icsDhcpEnableDhcpServer)},
                                           {"ICSDHCP_DisableDhcpServer", 7, exportedProc(&icsDhcpDisableDhcpServer)}},
                                          true),
                           registerStateReset([] { g_serverOn = false; }), true);

}  // namespace

DWORD WINAPI icsDhcpEnableDhcpServer(LPVOID, DWORD) {
  g_serverOn = true;
  return ERROR_SUCCESS;
}

DWORD WINAPI icsDhcpDisableDhcpServer() {
  g_serverOn = false;
  return ERROR_SUCCESS;
}

bool icsDhcpServerOn() { return g_serverOn; }

}  // namespace wavorel::sim
