// ICSDHCP.dll, the DHCP server of internet connection sharing: exports
// ICSDHCP_EnableDhcpServer (ordinal 5) and ICSDHCP_DisableDhcpServer
// (ordinal 7), registered for the life of the process. The server is off
// when the machine starts and after a platform reset.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/win/kernel/Types.h"

namespace wavorel::sim {

// The bytes the enable export writes into its caller's 32-byte buffer: an
// answer of the server's own that callers have no business reading. None of
// them is zero, so a caller that takes the buffer for a text runs past its end
// (the sanitizer build reports it), and a buffer shorter than 32 bytes is
// overrun by the export itself.
constexpr size_t kIcsDhcpAnswerSize = 32;
constexpr unsigned char kIcsDhcpAnswerByte = 0xA5;

// Switches the server on and writes its answer into `buffer` (when not null);
// the flags are recorded. Returns ERROR_SUCCESS.
DWORD WINAPI icsDhcpEnableDhcpServer(LPVOID buffer, DWORD flags);
// Switches the server off. Returns ERROR_SUCCESS.
DWORD WINAPI icsDhcpDisableDhcpServer();

bool icsDhcpServerOn();

// One call of the enable export since the last platform reset.
struct IcsDhcpEnableCall {
  bool buffer = false;  // a buffer was handed over
  DWORD flags = 0;
};
std::vector<IcsDhcpEnableCall> icsDhcpEnableCalls();

}  // namespace wavorel::sim
