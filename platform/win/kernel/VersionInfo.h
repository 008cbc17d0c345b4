// Version information of files (the version API): GetFileVersionInfoSize,
// GetFileVersionInfo and VerQueryValue over real VS_VERSIONINFO blocks.
//
// A file's block comes from a registration (the simulated machine registers
// its driver files; a registered path needs no file behind it) or, for the
// program's own file, from the program's RT_VERSION resource. Any other file
// has no version information (ERROR_RESOURCE_TYPE_NOT_FOUND), a missing one
// gives ERROR_FILE_NOT_FOUND. The block handed out is the UTF-16 block as a
// file holds it, followed by the narrow copies of its texts that
// VerQueryValue returns.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/win/kernel/Types.h"

#define VS_FFI_SIGNATURE 0xFEEF04BDu
#define VS_FFI_STRUCVERSION 0x00010000u
#define VS_FFI_FILEFLAGSMASK 0x0000003Fu
#define VOS_NT_WINDOWS32 0x00040004u
#define VFT_APP 0x00000001u
#define VFT_DLL 0x00000002u
#define VFT_DRV 0x00000003u
#define VFT2_DRV_NETWORK 0x00000006u

struct VS_FIXEDFILEINFO {
  DWORD dwSignature;
  DWORD dwStrucVersion;
  DWORD dwFileVersionMS;
  DWORD dwFileVersionLS;
  DWORD dwProductVersionMS;
  DWORD dwProductVersionLS;
  DWORD dwFileFlagsMask;
  DWORD dwFileFlags;
  DWORD dwFileOS;
  DWORD dwFileType;
  DWORD dwFileSubtype;
  DWORD dwFileDateMS;
  DWORD dwFileDateLS;
};
static_assert(sizeof(VS_FIXEDFILEINFO) == 52, "VS_FIXEDFILEINFO is 52 bytes");

// lpdwHandle (if given) is set to 0.
DWORD GetFileVersionInfoSize(LPCSTR lptstrFilename, LPDWORD lpdwHandle);
// dwLen below the size GetFileVersionInfoSize gives copies nothing and fails
// with ERROR_INSUFFICIENT_BUFFER (a cut block could not be read safely).
BOOL GetFileVersionInfo(LPCSTR lptstrFilename, DWORD dwHandle, DWORD dwLen, LPVOID lpData);
// "\" gives the VS_FIXEDFILEINFO, "\VarFileInfo\Translation" the language and
// code-page pairs, "\StringFileInfo\<lang><cp>\<name>" a text (its length
// counts the terminator). Keys match without regard to case. The result
// points into pBlock.
BOOL VerQueryValue(LPCVOID pBlock, LPCSTR lpSubBlock, LPVOID* lplpBuffer, UINT* puLen);

namespace wavorel {

struct FileVersionInfo {
  WORD fileVersion[4] = {1, 0, 0, 0};  // most significant first: "1.0.0.0"
  WORD productVersion[4] = {1, 0, 0, 0};
  DWORD fileFlags = 0;
  DWORD fileOS = VOS_NT_WINDOWS32;
  DWORD fileType = VFT_APP;
  DWORD fileSubtype = 0;
  WORD language = 0x0409;
  WORD codePage = 0x04B0;
  std::vector<std::pair<std::string, std::string>> strings;  // "FileVersion", "LegalCopyright", ...
};

// The VS_VERSIONINFO block of `info`, laid out as in a file's resource.
std::vector<BYTE> versionResource(const FileVersionInfo& info);
// Gives the file at `windowsPath` this version information (replacing any).
void registerFileVersion(const std::string& windowsPath, const FileVersionInfo& info);

}  // namespace wavorel
