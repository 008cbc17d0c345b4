// Image lists (HIMAGELIST): equal-sized images with optional masks, drawn
// normally, transparently, as masks or blended with a colour.
//
// Blending: ILD_BLEND50 (ILD_SELECTED) makes each colour channel of every
// drawn pixel (image + blend colour) / 2, ILD_BLEND25 (ILD_FOCUS)
// (3 x image + blend colour) / 4, rounding down; the blend colour is rgbFg,
// or the system highlight colour for CLR_DEFAULT.
#pragma once

#include "platform/win/gdi/GdiTypes.h"


#define CLR_NONE 0xFFFFFFFFu
#define CLR_DEFAULT 0xFF000000u

#define ILC_MASK 0x00000001
#define ILC_COLOR 0x00000000
#define ILC_COLORDDB 0x000000FE
#define ILC_COLOR4 0x00000004
#define ILC_COLOR8 0x00000008
#define ILC_COLOR16 0x00000010
#define ILC_COLOR24 0x00000018
#define ILC_COLOR32 0x00000020

#define ILD_NORMAL 0x00000000
#define ILD_TRANSPARENT 0x00000001
#define ILD_BLEND25 0x00000002
#define ILD_FOCUS ILD_BLEND25
#define ILD_BLEND50 0x00000004
#define ILD_SELECTED ILD_BLEND50
#define ILD_BLEND ILD_BLEND50
#define ILD_MASK 0x00000010
#define ILD_IMAGE 0x00000020

struct IMAGEINFO {
  HBITMAP hbmImage;
  HBITMAP hbmMask;
  int Unused1;
  int Unused2;
  RECT rcImage;
};

struct IMAGELISTDRAWPARAMS {
  DWORD cbSize;
  HIMAGELIST himl;
  int i;
  HDC hdcDst;
  int x;
  int y;
  int cx;
  int cy;
  int xBitmap;
  int yBitmap;
  COLORREF rgbBk;
  COLORREF rgbFg;
  UINT fStyle;
  DWORD dwRop;
  DWORD fState;
  DWORD Frame;
  COLORREF crEffect;
};

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST list);
// Adds the bitmap cut into images of the list's width (the index of the
// first, or -1); a mask bitmap (1 = transparent) is used when the list has
// masks.
int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask);
// As ImageList_Add, with the mask made from a colour: pixels of that colour
// become transparent and black in the image.
int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF maskColour);
BOOL ImageList_Replace(HIMAGELIST list, int index, HBITMAP image, HBITMAP mask);
// Index -1 appends; the icon is scaled to the list's size.
int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon);
int ImageList_AddIcon(HIMAGELIST list, HICON icon);
HICON ImageList_GetIcon(HIMAGELIST list, int index, UINT flags);
BOOL ImageList_Remove(HIMAGELIST list, int index);  // -1 removes all
int ImageList_GetImageCount(HIMAGELIST list);
BOOL ImageList_SetImageCount(HIMAGELIST list, UINT count);
BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF colour);
COLORREF ImageList_GetBkColor(HIMAGELIST list);
// The list's image and mask bitmaps (owned by the list) and the image's
// rectangle in them.
BOOL ImageList_GetImageInfo(HIMAGELIST list, int index, IMAGEINFO* info);
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC hdc, int x, int y, UINT style);
BOOL ImageList_DrawEx(HIMAGELIST list, int index, HDC hdc, int x, int y, int dx, int dy, COLORREF bk, COLORREF fg,
                      UINT style);
BOOL ImageList_DrawIndirect(IMAGELISTDRAWPARAMS* params);
