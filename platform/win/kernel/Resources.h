// Resources: the tables that the resource compiler (wavrc) makes from a
// resource script, the modules that hold them, and the loaders that need
// neither windows nor GDI (FindResource, LoadResource, LoadString, ...).
//
// A resource is found by module, type, name and language. Types and names are
// either 16-bit ids (MAKEINTRESOURCE) or texts compared without regard to case;
// a text "#123" means id 123. The data of each resource has the binary layout
// Windows gives it: RT_STRING blocks of 16 counted UTF-16 strings, RT_MENU as a
// MENUITEMTEMPLATEHEADER and MENUITEMTEMPLATE items, RT_DIALOG as a
// DLGTEMPLATEEX, RT_VERSION as a VS_VERSIONINFO block, RT_BITMAP as a bitmap
// file without its BITMAPFILEHEADER, RT_GROUP_ICON/RT_GROUP_CURSOR directories
// whose entries name RT_ICON/RT_CURSOR images, RT_TOOLBAR as {version, width,
// height, count, ids...}. Resource data is read-only and lives as long as the
// process.
//
// Module handles: the program's own resources belong to programInstance()
// (what GetModuleHandle(NULL) gives); other modules get a handle by name. A
// null module handle means the program.
#pragma once

#include <cstddef>
#include <string>

#include "platform/win/kernel/Types.h"

#define RT_CURSOR MAKEINTRESOURCE(1)
#define RT_BITMAP MAKEINTRESOURCE(2)
#define RT_ICON MAKEINTRESOURCE(3)
#define RT_MENU MAKEINTRESOURCE(4)
#define RT_DIALOG MAKEINTRESOURCE(5)
#define RT_STRING MAKEINTRESOURCE(6)
#define RT_FONTDIR MAKEINTRESOURCE(7)
#define RT_FONT MAKEINTRESOURCE(8)
#define RT_ACCELERATOR MAKEINTRESOURCE(9)
#define RT_RCDATA MAKEINTRESOURCE(10)
#define RT_MESSAGETABLE MAKEINTRESOURCE(11)
#define RT_GROUP_CURSOR MAKEINTRESOURCE(12)
#define RT_GROUP_ICON MAKEINTRESOURCE(14)
#define RT_VERSION MAKEINTRESOURCE(16)
#define RT_DLGINIT MAKEINTRESOURCE(240)
#define RT_TOOLBAR MAKEINTRESOURCE(241)

namespace wavorel {

// Generated tables (written by wavrc; not meant to be written by hand).
struct ResourceName {
  WORD id;           // used when `text` is null
  const char* text;  // upper-case name
};
struct ResourceEntry {
  ResourceName type;
  ResourceName name;
  WORD language;
  const BYTE* data;
  DWORD size;
};
// The file behind an ICON, CURSOR or BITMAP statement, as it is on disk. Its
// type is the type of the resource the statement made (RT_GROUP_ICON,
// RT_GROUP_CURSOR, RT_BITMAP).
struct ResourceFile {
  ResourceName type;
  ResourceName name;
  const BYTE* data;
  DWORD size;
};
struct ResourceTable {
  const ResourceEntry* entries;
  size_t entryCount;
  const ResourceFile* files;
  size_t fileCount;
};

// The program's own module.
HINSTANCE programInstance();
// The handle of the module called `name` (case-insensitive), made on first use.
HINSTANCE moduleInstance(const std::string& name);
// The module of that name, or null when none was made.
HINSTANCE findModuleInstance(const std::string& name);
// Adds a table's resources to a module (the compiled script does this at
// static-init time). The table must outlive the process.
void registerResourceModule(HINSTANCE module, const ResourceTable& table);

// The module searched first by findResourceModule (AfxSetResourceHandle /
// AfxGetResourceHandle); the program by default and after a state reset.
void setResourceModule(HINSTANCE module);
HINSTANCE resourceModule();
// The module that holds the resource: the resource module, then the program
// (AfxFindResourceHandle); the resource module when neither has it.
HINSTANCE findResourceModule(LPCSTR name, LPCSTR type);

// The original file bytes of an ICON, CURSOR or BITMAP statement's resource
// (type RT_GROUP_ICON, RT_GROUP_CURSOR or RT_BITMAP); false when absent.
bool findResourceFile(HINSTANCE module, LPCSTR type, LPCSTR name, const BYTE*& data, DWORD& size);

// A UTF-16 text of a resource in the ANSI code page, as the ANSI functions
// hand it out.
std::string resourceText(const WCHAR* text, size_t count);

}  // namespace wavorel

// Win32 resource functions. FindResource takes the name before the type.
HRSRC FindResource(HMODULE hModule, LPCSTR lpName, LPCSTR lpType);
// Exact language first, then the same primary language, then neutral, then
// the user's language (English, United States), then any. FindResource asks
// for the neutral language.
HRSRC FindResourceEx(HMODULE hModule, LPCSTR lpType, LPCSTR lpName, WORD wLanguage);
HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo);
LPVOID LockResource(HGLOBAL hResData);
DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo);
// Resources need no freeing; always FALSE.
BOOL FreeResource(HGLOBAL hResData);
// Copies string `uID` in the ANSI code page into `lpBuffer`, cut to
// `cchBufferMax` - 1 bytes (never inside a double-byte character) and
// terminated; returns the bytes copied. A missing
// string returns 0 and leaves an empty buffer (ERROR_RESOURCE_NAME_NOT_FOUND).
// cchBufferMax <= 0 or a null buffer writes nothing and returns 0
// (ERROR_INVALID_PARAMETER): the ANSI form cannot hand out the resource itself.
int LoadString(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax);
