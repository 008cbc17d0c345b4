// The registry: HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER and HKEY_CLASSES_ROOT
// (a view of HKEY_LOCAL_MACHINE\SOFTWARE\Classes), with the Win32 calls and
// their error codes.
//
// Each root is one REGEDIT4 text file in the platform root's "registry" folder
// (HKLM.reg, HKCU.reg; format in RegistryHive.h). Every change is written back
// at once through a temporary file and a rename, under an exclusive
// lock on "<file>.lock", after taking in what other processes wrote, so
// processes sharing a platform root never lose each other's changes and a
// killed process never leaves a hive half written; a call that leaves the
// file's text as it was (a value set to what it held) writes nothing. A read takes in a
// file that changed since it was last read. The hive is flushed to disk
// lazily, once for a burst of changes (AtomicFile.h, Durability::Deferred):
// when the thread's message loop has nothing left to do, at exit, at the
// latest with a change a second after an unflushed one, and when RegFlushKey
// asks for it.
//
// Logon: a process's first use of HKEY_CURRENT_USER on a platform root gives
// its "Volatile Environment" key the values a Windows logon writes for the
// session (the user's name and profile folders, UserProfile.h; the folders are
// made), leaving values that are already there as they are.
//
// A hive file that cannot be read (bad syntax, cut short) is logged
// (PlatformLog.h) and left exactly as it is: every call on that root then fails with
// ERROR_REGISTRY_CORRUPT until the file is repaired or removed.
//
// Rights: a key handle keeps the access it was opened with (KEY_SET_VALUE for
// RegSetValueEx/RegDeleteValue, KEY_QUERY_VALUE for reads,
// KEY_ENUMERATE_SUB_KEYS for RegEnumKeyEx). Creating and deleting keys is
// checked against the key itself, not the handle, as on Windows: below
// HKEY_LOCAL_MACHINE (and HKEY_CLASSES_ROOT) only an administrator
// (wavorel::runningAsAdministrator) may create, delete or open for writing;
// HKEY_CURRENT_USER is the user's own. KEY_WOW64_32KEY/64KEY are accepted and
// change nothing (there is one view).
//
// Limits of the text form: key and value names cannot hold line breaks
// (ERROR_INVALID_PARAMETER); classes given to RegCreateKeyEx are not kept.
#pragma once

#include "platform/win/kernel/Types.h"

typedef DWORD REGSAM;
typedef LONG LSTATUS;

#define HKEY_CLASSES_ROOT (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000000u)))
#define HKEY_CURRENT_USER (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000001u)))
#define HKEY_LOCAL_MACHINE (reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x80000002u)))

// Standard access rights (shared by every kind of securable object).
#ifndef DELETE
#define DELETE 0x00010000L
#endif
#ifndef READ_CONTROL
#define READ_CONTROL 0x00020000L
#endif
#ifndef WRITE_DAC
#define WRITE_DAC 0x00040000L
#endif
#ifndef WRITE_OWNER
#define WRITE_OWNER 0x00080000L
#endif
#ifndef SYNCHRONIZE
#define SYNCHRONIZE 0x00100000L
#endif
#ifndef STANDARD_RIGHTS_REQUIRED
#define STANDARD_RIGHTS_REQUIRED 0x000F0000L
#endif
#ifndef STANDARD_RIGHTS_READ
#define STANDARD_RIGHTS_READ READ_CONTROL
#endif
#ifndef STANDARD_RIGHTS_WRITE
#define STANDARD_RIGHTS_WRITE READ_CONTROL
#endif
#ifndef STANDARD_RIGHTS_EXECUTE
#define STANDARD_RIGHTS_EXECUTE READ_CONTROL
#endif
#ifndef STANDARD_RIGHTS_ALL
#define STANDARD_RIGHTS_ALL 0x001F0000L
#endif

// Key access rights.
#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_NOTIFY 0x0010
#define KEY_CREATE_LINK 0x0020
#define KEY_WOW64_64KEY 0x0100
#define KEY_WOW64_32KEY 0x0200
#define KEY_WOW64_RES 0x0300
#define KEY_READ ((STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY) & ~SYNCHRONIZE)
#define KEY_WRITE ((STANDARD_RIGHTS_WRITE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY) & ~SYNCHRONIZE)
#define KEY_EXECUTE (KEY_READ & ~SYNCHRONIZE)
#define KEY_ALL_ACCESS                                                                                  \
  ((STANDARD_RIGHTS_ALL | KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_ENUMERATE_SUB_KEYS | \
    KEY_NOTIFY | KEY_CREATE_LINK) &                                                                     \
   ~SYNCHRONIZE)

// Value types.
#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_MULTI_SZ 7

// RegCreateKeyEx dispositions.
#define REG_CREATED_NEW_KEY 1L
#define REG_OPENED_EXISTING_KEY 2L

LSTATUS RegOpenKeyEx(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult);
LSTATUS RegCreateKeyEx(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR lpClass, DWORD dwOptions,
                       REGSAM samDesired, const LPSECURITY_ATTRIBUTES lpSecurityAttributes, PHKEY phkResult,
                       LPDWORD lpdwDisposition);
LSTATUS RegCloseKey(HKEY hKey);
LSTATUS RegFlushKey(HKEY hKey);

LSTATUS RegQueryValueEx(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                        LPDWORD lpcbData);
LSTATUS RegSetValueEx(HKEY hKey, LPCSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData,
                      DWORD cbData);
LSTATUS RegDeleteValue(HKEY hKey, LPCSTR lpValueName);

// Deletes a key that has no subkeys (ERROR_ACCESS_DENIED when it has some).
LSTATUS RegDeleteKey(HKEY hKey, LPCSTR lpSubKey);
// Deletes a key with all its descendants.
LSTATUS SHDeleteKey(HKEY hKey, LPCSTR pszSubKey);

// Subkeys enumerate in name order without case, values in creation order.
LSTATUS RegEnumKeyEx(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD lpReserved, LPSTR lpClass,
                     LPDWORD lpcchClass, PFILETIME lpftLastWriteTime);
LSTATUS RegEnumValue(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName, LPDWORD lpReserved,
                     LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData);
LSTATUS RegQueryInfoKey(HKEY hKey, LPSTR lpClass, LPDWORD lpcchClass, LPDWORD lpReserved, LPDWORD lpcSubKeys,
                        LPDWORD lpcbMaxSubKeyLen, LPDWORD lpcbMaxClassLen, LPDWORD lpcValues,
                        LPDWORD lpcbMaxValueNameLen, LPDWORD lpcbMaxValueLen, LPDWORD lpcbSecurityDescriptor,
                        PFILETIME lpftLastWriteTime);

namespace wavorel {

// While alive, the registry calls of the thread that made it have the rights
// of a local service (HKEY_LOCAL_MACHINE writable) whoever runs the program;
// the simulated system services write with it.
class RegistryServiceRights {
 public:
  RegistryServiceRights();
  ~RegistryServiceRights();
  RegistryServiceRights(const RegistryServiceRights&) = delete;
  RegistryServiceRights& operator=(const RegistryServiceRights&) = delete;

 private:
  bool was_;
};

}  // namespace wavorel
