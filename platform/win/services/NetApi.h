// The domain controller locator of NetAPI32: DsGetDcNameA finds the
// controller of a domain the machine knows; its answer is one allocation the
// caller frees with NetApiBufferFree.
#pragma once

#include "platform/win/kernel/Types.h"

#define DS_FORCE_REDISCOVERY 0x00000001u
#define DS_RETURN_DNS_NAME 0x40000000u
#define DS_RETURN_FLAT_NAME 0x80000000u
#define DS_INET_ADDRESS 1u
#define DS_NETBIOS_ADDRESS 2u
#define NERR_Success 0u

struct DOMAIN_CONTROLLER_INFOA {
  LPSTR DomainControllerName;  // "\\name"
  LPSTR DomainControllerAddress;
  ULONG DomainControllerAddressType;
  GUID DomainGuid;
  LPSTR DomainName;
  LPSTR DnsForestName;
  ULONG Flags;
  LPSTR DcSiteName;
  LPSTR ClientSiteName;
};
typedef DOMAIN_CONTROLLER_INFOA* PDOMAIN_CONTROLLER_INFOA;

// ERROR_SUCCESS, ERROR_NO_SUCH_DOMAIN (no such domain, or none given), ERROR_INVALID_PARAMETER.
DWORD DsGetDcNameA(LPCSTR computerName, LPCSTR domainName, const GUID* domainGuid, LPCSTR siteName, ULONG flags,
                   PDOMAIN_CONTROLLER_INFOA* info);
DWORD NetApiBufferFree(LPVOID buffer);
