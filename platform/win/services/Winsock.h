// The part of Winsock 2 the program uses: start-up and clean-up, and opening
// and closing a socket (the machine offers IPX datagram sockets when its
// world says the protocol is installed). Not in Platform.h: its socket() is
// not the C library's, so only the code that uses Winsock includes it.
#pragma once

#include <cstdint>

#include "platform/win/kernel/Types.h"

typedef uintptr_t SOCKET;
#define INVALID_SOCKET (~SOCKET{0})
#define SOCKET_ERROR (-1)
#define AF_IPX 6
#define SOCK_DGRAM 2
#define NSPROTO_IPX 1000
#define WSAENOTSOCK 10038
#define WSAEPROTONOSUPPORT 10043
#define WSAEAFNOSUPPORT 10047
#define WSAVERNOTSUPPORTED 10092
#define WSANOTINITIALISED 10093
#define WSAEFAULT 10014

struct WSADATA {
  WORD wVersion;
  WORD wHighVersion;
  char szDescription[257];
  char szSystemStatus[129];
  unsigned short iMaxSockets;
  unsigned short iMaxUdpDg;
  char* lpVendorInfo;
};
typedef WSADATA* LPWSADATA;

// 0, or WSAVERNOTSUPPORTED (a version below 1.1; wsaData gets the versions
// offered), WSAEFAULT (no wsaData).
int WSAStartup(WORD versionRequested, LPWSADATA wsaData);
int WSACleanup();
SOCKET socket(int af, int type, int protocol);
int closesocket(SOCKET s);
int WSAGetLastError();
