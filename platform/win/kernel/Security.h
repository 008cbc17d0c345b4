// Access tokens and security identifiers, as far as the programs check group
// membership. The token of a process lists the groups of the machine's
// account: the built-in Administrators group (S-1-5-32-544) is among them
// exactly when the account is an administrator (Account.h).
#pragma once

#include "platform/win/kernel/Types.h"

typedef PVOID PSID;

struct SID_IDENTIFIER_AUTHORITY {
  BYTE Value[6];
};
typedef SID_IDENTIFIER_AUTHORITY* PSID_IDENTIFIER_AUTHORITY;

#define SECURITY_WORLD_SID_AUTHORITY {{0, 0, 0, 0, 0, 1}}
#define SECURITY_LOCAL_SID_AUTHORITY {{0, 0, 0, 0, 0, 2}}
#define SECURITY_NT_AUTHORITY {{0, 0, 0, 0, 0, 5}}
#define SECURITY_MANDATORY_LABEL_AUTHORITY {{0, 0, 0, 0, 0, 16}}
#define SECURITY_BUILTIN_DOMAIN_RID 0x00000020L
#define DOMAIN_ALIAS_RID_ADMINS 0x00000220L
#define DOMAIN_ALIAS_RID_USERS 0x00000221L

#define TOKEN_QUERY 0x0008u

#define SE_GROUP_MANDATORY 0x00000001L
#define SE_GROUP_ENABLED_BY_DEFAULT 0x00000002L
#define SE_GROUP_ENABLED 0x00000004L
#define SE_GROUP_OWNER 0x00000008L
#define SE_GROUP_INTEGRITY 0x00000020L
#define SE_GROUP_INTEGRITY_ENABLED 0x00000040L
#define SE_GROUP_LOGON_ID 0xC0000000L

#define ANYSIZE_ARRAY 1

struct SID_AND_ATTRIBUTES {
  PSID Sid;
  DWORD Attributes;
};

struct TOKEN_GROUPS {
  DWORD GroupCount;
  SID_AND_ATTRIBUTES Groups[ANYSIZE_ARRAY];
};
typedef TOKEN_GROUPS* PTOKEN_GROUPS;

enum TOKEN_INFORMATION_CLASS { TokenUser = 1, TokenGroups = 2 };

// For the calling process (GetCurrentProcess) or a process handle it started.
// The token handle is closed with CloseHandle.
BOOL OpenProcessToken(HANDLE ProcessHandle, DWORD DesiredAccess, PHANDLE TokenHandle);
// TokenGroups only (else ERROR_INVALID_PARAMETER). The group records and the
// identifiers they point to are written into the caller's buffer; a buffer
// that is too small gets nothing, ReturnLength the size needed and
// ERROR_INSUFFICIENT_BUFFER.
BOOL GetTokenInformation(HANDLE TokenHandle, TOKEN_INFORMATION_CLASS TokenInformationClass,
                         LPVOID TokenInformation, DWORD TokenInformationLength, PDWORD ReturnLength);

// At most 8 sub-authorities; the identifier is freed with FreeSid.
BOOL AllocateAndInitializeSid(PSID_IDENTIFIER_AUTHORITY pIdentifierAuthority, BYTE nSubAuthorityCount,
                              DWORD nSubAuthority0, DWORD nSubAuthority1, DWORD nSubAuthority2,
                              DWORD nSubAuthority3, DWORD nSubAuthority4, DWORD nSubAuthority5,
                              DWORD nSubAuthority6, DWORD nSubAuthority7, PSID* pSid);
// NULL when freed; the pointer back when it was not allocated here.
PVOID FreeSid(PSID pSid);
BOOL EqualSid(PSID pSid1, PSID pSid2);
