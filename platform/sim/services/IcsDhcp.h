// ICSDHCP.dll, the DHCP server of internet connection sharing: exports
// ICSDHCP_EnableDhcpServer (ordinal 5) and ICSDHCP_DisableDhcpServer
// (ordinal 7), registered for the life of the process. The server is off
// when the machine starts and after a platform reset.
#pragma once

#include "platform/win/kernel/Types.h"

namespace wavorel::sim {

// Switches the server on; the 32-byte buffer and the flags are taken as they
// come and not read. Returns ERROR_SUCCESS.
DWORD WINAPI icsDhcpEnableDhcpServer(LPVOID buffer, DWORD flags);
// Switches the server off. Returns ERROR_SUCCESS.
DWORD WINAPI icsDhcpDisableDhcpServer();

bool icsDhcpServerOn();

}  // namespace wavorel::sim
