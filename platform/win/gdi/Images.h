// Images: bitmaps, icons and cursors loaded from files and resources, icons
// made from bitmaps, and icon drawing. HICON and HCURSOR name the same kind
// of object: a colour bitmap, a monochrome mask and a hot spot.
#pragma once

#include "platform/win/gdi/GdiTypes.h"

#define IMAGE_BITMAP 0
#define IMAGE_ICON 1
#define IMAGE_CURSOR 2

#define LR_DEFAULTCOLOR 0x0000
#define LR_MONOCHROME 0x0001
#define LR_COPYRETURNORG 0x0004
#define LR_COPYDELETEORG 0x0008
#define LR_LOADFROMFILE 0x0010
#define LR_LOADTRANSPARENT 0x0020
#define LR_DEFAULTSIZE 0x0040
#define LR_VGACOLOR 0x0080
#define LR_LOADMAP3DCOLORS 0x1000
#define LR_CREATEDIBSECTION 0x2000
#define LR_SHARED 0x8000

#define DI_MASK 0x0001
#define DI_IMAGE 0x0002
#define DI_NORMAL 0x0003
#define DI_COMPAT 0x0004
#define DI_DEFAULTSIZE 0x0008

#define IDI_APPLICATION MAKEINTRESOURCE(32512)
#define IDI_HAND MAKEINTRESOURCE(32513)
#define IDI_QUESTION MAKEINTRESOURCE(32514)
#define IDI_EXCLAMATION MAKEINTRESOURCE(32515)
#define IDI_ASTERISK MAKEINTRESOURCE(32516)
#define IDI_WINLOGO MAKEINTRESOURCE(32517)
#define IDI_WARNING IDI_EXCLAMATION
#define IDI_ERROR IDI_HAND
#define IDI_INFORMATION IDI_ASTERISK

#define IDC_ARROW MAKEINTRESOURCE(32512)
#define IDC_IBEAM MAKEINTRESOURCE(32513)
#define IDC_WAIT MAKEINTRESOURCE(32514)
#define IDC_CROSS MAKEINTRESOURCE(32515)
#define IDC_UPARROW MAKEINTRESOURCE(32516)
#define IDC_SIZENWSE MAKEINTRESOURCE(32642)
#define IDC_SIZENESW MAKEINTRESOURCE(32643)
#define IDC_SIZEWE MAKEINTRESOURCE(32644)
#define IDC_SIZENS MAKEINTRESOURCE(32645)
#define IDC_SIZEALL MAKEINTRESOURCE(32646)
#define IDC_NO MAKEINTRESOURCE(32648)
#define IDC_HAND MAKEINTRESOURCE(32649)
#define IDC_APPSTARTING MAKEINTRESOURCE(32650)

struct ICONINFO {
  BOOL fIcon;
  DWORD xHotspot;
  DWORD yHotspot;
  HBITMAP hbmMask;
  HBITMAP hbmColor;
};
typedef ICONINFO* PICONINFO;

// Loads a bitmap (.bmp), icon (.ico) or cursor (.cur) from a Windows path
// (LR_LOADFROMFILE) or from the module's resources. Bitmaps: a DIB section in
// the file's format with LR_CREATEDIBSECTION, else a device-dependent bitmap
// (monochrome for 1-bit files, 32 bits otherwise); cx and cy are ignored.
// Icons and cursors: the image nearest the size asked for (0 = the image's
// own size, or the system size with LR_DEFAULTSIZE), scaled to it.
HANDLE LoadImage(HINSTANCE instance, LPCSTR name, UINT type, int cx, int cy, UINT flags);
HBITMAP LoadBitmap(HINSTANCE instance, LPCSTR name);
// A null instance gives the standard IDI_ icons and IDC_ cursors.
HICON LoadIcon(HINSTANCE instance, LPCSTR name);
HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name);
HCURSOR LoadCursorFromFile(LPCSTR path);
// Icon `index` of an .ico file (the only one is 0); index -1 gives the count.
// A file that is not an icon file gives (HICON)1, a missing one NULL.
HICON ExtractIcon(HINSTANCE instance, LPCSTR path, UINT index);
HICON CreateIconIndirect(PICONINFO info);
// Fills the hot spot and new copies of the bitmaps (the caller deletes them).
BOOL GetIconInfo(HICON icon, PICONINFO info);
BOOL DrawIcon(HDC hdc, int x, int y, HICON icon);
BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int cx, int cy, UINT step, HBRUSH flickerFree, UINT flags);
// Shared icons (LoadIcon, LR_SHARED) stay; DestroyIcon still reports success.
BOOL DestroyIcon(HICON icon);
BOOL DestroyCursor(HCURSOR cursor);
HICON CopyIcon(HICON icon);
HANDLE CopyImage(HANDLE image, UINT type, int cx, int cy, UINT flags);
