// IP Helper's adapter table over the machine's present adapters: their
// device GUID as the adapter name, description, MAC, and the IPv4
// configuration DHCP gave them. An adapter has an address only while it is
// associated with a network that hands one out (the network's Address in the
// world): mask 255.255.255.0, with the network's .1 host as gateway and DHCP
// server. Otherwise its address and mask read "0.0.0.0" and the gateway and
// DHCP server are empty.
#pragma once

#include <cstdint>

#include "platform/win/kernel/Types.h"

#define MAX_ADAPTER_NAME_LENGTH 256
#define MAX_ADAPTER_DESCRIPTION_LENGTH 128
#define MAX_ADAPTER_ADDRESS_LENGTH 8

#define MIB_IF_TYPE_ETHERNET 6
#define IF_TYPE_IEEE80211 71

struct IP_ADDRESS_STRING {
  char String[4 * 4];
};
typedef IP_ADDRESS_STRING IP_MASK_STRING;

struct IP_ADDR_STRING {
  IP_ADDR_STRING* Next;
  IP_ADDRESS_STRING IpAddress;
  IP_MASK_STRING IpMask;
  DWORD Context;
};
typedef IP_ADDR_STRING* PIP_ADDR_STRING;

struct IP_ADAPTER_INFO {
  IP_ADAPTER_INFO* Next;
  DWORD ComboIndex;
  char AdapterName[MAX_ADAPTER_NAME_LENGTH + 4];
  char Description[MAX_ADAPTER_DESCRIPTION_LENGTH + 4];
  UINT AddressLength;
  BYTE Address[MAX_ADAPTER_ADDRESS_LENGTH];
  DWORD Index;
  UINT Type;
  UINT DhcpEnabled;
  PIP_ADDR_STRING CurrentIpAddress;
  IP_ADDR_STRING IpAddressList;
  IP_ADDR_STRING GatewayList;
  IP_ADDR_STRING DhcpServer;
  BOOL HaveWins;
  IP_ADDR_STRING PrimaryWinsServer;
  IP_ADDR_STRING SecondaryWinsServer;
  int64_t LeaseObtained;
  int64_t LeaseExpires;
};
typedef IP_ADAPTER_INFO* PIP_ADAPTER_INFO;

// ERROR_SUCCESS with the list in the buffer; ERROR_BUFFER_OVERFLOW with the
// size needed in *SizePointer when the buffer is missing or too small;
// ERROR_NO_DATA when no adapter is present; ERROR_INVALID_PARAMETER without a
// size pointer.
DWORD GetAdaptersInfo(PIP_ADAPTER_INFO AdapterInfo, PULONG SizePointer);
