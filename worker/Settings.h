// The worker's two small configuration sources: the data-folder setting file
// ".\setting" (where the INI profile store lives) and the program INI beside
// the executable (switches and the supported-device lists). The folders are
// kept in g_strProgramFolder, g_strDataFolder and g_nDataFolderKind
// (WorkerGlobals.h).
#pragma once

#include "platform/Platform.h"

// InitDataFolder, then the program folder (module path up to and including
// its last backslash).
void InitFolders();
// The data folder from ReadDataFolderSetting (empty when it gives nothing).
void InitDataFolder();
// ".\setting" [config] "type" (default 1): 1 = the per-user local
// application-data folder (HKCU "Volatile Environment" "LOCALAPPDATA" plus
// "\"), kind 0; 2 = [config] "dir" (default ".\", 128 characters at most),
// kind 1. Another type, or a LOCALAPPDATA that cannot be read, leaves `out`
// and the kind alone.
void ReadDataFolderSetting(CString& out);
UINT GetDataFolderKind();

// A value of the program INI: the module's path with everything after its
// last "." replaced by `extension` ("ini", or "INI" for the device lists).
// The value (at most 255 characters) is copied into `out`, cut to `outSize`
// and always terminated; returns `out`.
LPSTR GetModuleIniString(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR out, DWORD outSize,
                         LPCSTR extension);
