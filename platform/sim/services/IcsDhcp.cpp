#include "platform/sim/services/IcsDhcp.h"

#include <atomic>
#include <cstring>
#include <mutex>

#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Module.h"
#include "platform/win/kernel/Root.h"

namespace wavorel::sim {

namespace {

std::atomic<bool> g_serverOn{false};
std::mutex g_callsMutex;
std::vector<IcsDhcpEnableCall> g_enableCalls;

void clearEnableCalls() {
  std::lock_guard<std::mutex> lock(g_callsMutex);
  g_enableCalls.clear();
}

const bool g_registered = (registerModule("ICSDHCP.dll",
                                          {{"ICSDHCP_EnableDhcpServer", 5, exportedProc(&icsDhcpEnableDhcpServer)},
                                           {"ICSDHCP_DisableDhcpServer", 7, exportedProc(&icsDhcpDisableDhcpServer)}},
                                          true),
                           registerStateReset([] {
                             g_serverOn = false;
                             clearEnableCalls();
                           }),
                           true);

}  // namespace

DWORD WINAPI icsDhcpEnableDhcpServer(LPVOID buffer, DWORD flags) {
  {
    std::lock_guard<std::mutex> lock(g_callsMutex);
    g_enableCalls.push_back({buffer != nullptr, flags});
  }
  if (buffer) std::memset(buffer, kIcsDhcpAnswerByte, kIcsDhcpAnswerSize);
  g_serverOn = true;
  return ERROR_SUCCESS;
}

DWORD WINAPI icsDhcpDisableDhcpServer() {
  g_serverOn = false;
  return ERROR_SUCCESS;
}

bool icsDhcpServerOn() { return g_serverOn; }

std::vector<IcsDhcpEnableCall> icsDhcpEnableCalls() {
  std::lock_guard<std::mutex> lock(g_callsMutex);
  return g_enableCalls;
}

}  // namespace wavorel::sim
