// Winsock start-up and the machine's sockets: only IPX datagram sockets
// exist, and only while the world's [Machine] Ipx says the protocol is
// installed.
#include <mutex>
#include <set>
#include <cstring>

#include "platform/sim/radio/Machine.h"
#include "platform/win/kernel/Root.h"
#include "platform/win/services/Winsock.h"

namespace {

struct WinsockState {
  std::mutex mutex;
  int startups = 0;
  std::set<SOCKET> sockets;
  SOCKET next = 0x100;
};

WinsockState& state() {
  static WinsockState s;
  return s;
}

const bool g_reset = (wavorel::registerStateReset([] {
                        std::lock_guard<std::mutex> lock(state().mutex);
                        state().startups = 0;
                        state().sockets.clear();
                      }),
                      true);

thread_local int t_lastError = 0;

bool ipxInstalled() {
  std::lock_guard<std::recursive_mutex> lock(wavorel::sim::machineMutex());
  wavorel::sim::Machine* m = wavorel::sim::machineIfLoaded();
  return m && m->world().ipx;
}

}  // namespace

int WSAStartup(WORD versionRequested, LPWSADATA wsaData) {
  (void)g_reset;
  if (!wsaData) return WSAEFAULT;
  *wsaData = WSADATA{};
  wsaData->wHighVersion = MAKEWORD(2, 2);
  BYTE major = static_cast<BYTE>(versionRequested & 0xFF), minor = static_cast<BYTE>(versionRequested >> 8);
  if (major < 1 || (major == 1 && minor < 1)) return WSAVERNOTSUPPORTED;
  wsaData->wVersion = major >= 2 ? MAKEWORD(2, 2) : versionRequested;
  std::strncpy(wsaData->szDescription, "WinSock 2.0", sizeof wsaData->szDescription - 1);
  std::strncpy(wsaData->szSystemStatus, "Running", sizeof wsaData->szSystemStatus - 1);
  std::lock_guard<std::mutex> lock(state().mutex);
  ++state().startups;
  return 0;
}

int WSACleanup() {
  std::lock_guard<std::mutex> lock(state().mutex);
  if (state().startups == 0) {
    t_lastError = WSANOTINITIALISED;
    return SOCKET_ERROR;
  }
  if (--state().startups == 0) state().sockets.clear();
  return 0;
}

SOCKET socket(int af, int type, int protocol) {
  bool ipx = ipxInstalled();
  std::lock_guard<std::mutex> lock(state().mutex);
  if (state().startups == 0) {
    t_lastError = WSANOTINITIALISED;
    return INVALID_SOCKET;
  }
  if (af != AF_IPX || !ipx) {
    t_lastError = WSAEAFNOSUPPORT;
    return INVALID_SOCKET;
  }
  if (type != SOCK_DGRAM || protocol != NSPROTO_IPX) {
    t_lastError = WSAEPROTONOSUPPORT;
    return INVALID_SOCKET;
  }
  SOCKET s = state().next++;
  state().sockets.insert(s);
  return s;
}

int closesocket(SOCKET s) {
  std::lock_guard<std::mutex> lock(state().mutex);
  if (state().startups == 0) {
    t_lastError = WSANOTINITIALISED;
    return SOCKET_ERROR;
  }
  if (state().sockets.erase(s) == 0) {
    t_lastError = WSAENOTSOCK;
    return SOCKET_ERROR;
  }
  return 0;
}

int WSAGetLastError() { return t_lastError; }
