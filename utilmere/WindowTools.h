// Window, list and drawing functions: list-control selection, window text,
// redraw and foreground, bitmaps and image lists loaded from files, icons,
// fonts, menu state, screen sizes and curves.
#pragma once

#include "platform/Platform.h"
#include "platform/mfc/Bitmap.h"
#include "platform/mfc/Brush.h"
#include "platform/mfc/DC.h"
#include "platform/mfc/Font.h"
#include "platform/mfc/ImageList.h"
#include "platform/mfc/ListCtrl.h"

// Selects exactly the item `index` (an index out of range changes nothing),
// makes it the selection mark, optionally scrolls it to the top area and
// focuses the list.
void SetListSelected(CListCtrl* list, int index, int scroll, int focus);
// Adds (with the selection mark) or removes the selected state of one item.
void RemarkListSelected(CListCtrl* list, int index, int select);
// Every column as wide as the larger of its contents and its header, at
// least 10 pixels.
void AutoSizeColumns(CListCtrl* list);

// The window's text; "" for a null pointer or a window that does not exist.
CString gxGetWindowText(CWnd* window);
// Redraws the parent's area under the window at once (a fresh background for
// a transparent control), or invalidates the window when it has no parent.
void EraseBkgndAndRedraw(CWnd* window);
// Makes the window the active foreground window and raises it above others.
void ActiveWindowToForeground(CWnd* window);
// Destroys the window when it exists, deletes the object and nulls the pointer.
void DeleteInstance(CWnd** window);
// Moves the child (or the parent's dialog item) and repaints it; returns the
// rectangle.
RECT gxMoveWindow(CWnd* parent, CWnd* child, int left, int top, int right, int bottom);
RECT gxMoveWindow(CWnd* parent, UINT childId, int left, int top, int right, int bottom);
// Selects the first entry whose text equals `text` (case-sensitive).
void gxSetCurSel(CComboBox* combo, const char* text);
// Sets the item's state bits, by command or by position.
void UpdateMenuState(CMenu* menu, UINT item, UINT state, BOOL byPosition);
CSize GetScreenSize();
// The desktop work area without the task bar.
CSize GetWorkAreaSize();

// Each colour byte inverted; the top byte 0.
COLORREF GetInverseColor(COLORREF colour);
// Loads a bitmap file as a DIB section and replaces the bitmap's object; 0
// (the old bitmap kept) for an empty path or a file that does not load.
int LoadBitmapFromFile(CBitmap& bitmap, const char* path);
// Copies the bitmap to the rectangle's top-left corner, stretched to the
// rectangle or unscaled and clipped to it.
void DrawBitmap(CBitmap& bitmap, CDC* dc, CRect& rectangle, int stretch);
// Replaces `list` by an image list of width x height images cut from a strip
// in a bitmap file, `maskColour` transparent (0xFFFFFFFF: the colour of the
// first stored pixel). 0 when the file does not load, the list cannot be made
// or a size is below 1.
int CreateListImageByBmpFile(CImageList& list, const char* path, int width, int height, COLORREF maskColour);
// Destroys the list's images and the list.
void DeleteImageList(CImageList& list);
// Twice the icon's hot spot; (0, 0) when its information cannot be read.
CSize gxGetIconSize(HICON icon);
// Draws the icon centred in the rectangle at the size gxGetIconSize gives.
void gxDrawIcon(CDC* dc, HICON icon, CRect& rectangle);
// Draws little-endian samples of 1 to 4 bytes as a curve from the top of the
// rectangle (0) to its bottom (full scale) over an optional background.
void DrawCurveByDataBuffer(CDC* dc, CRect& rectangle, COLORREF colour, BYTE* data, int dataBytes, CBrush* background,
                           int sampleBytes, int xStep);

// A font of `size` points (-MulDiv(size, the DC's LOGPIXELSY, 72)) when a DC
// is given, else of height `size`; weight 700 when bold; DEFAULT_CHARSET; the
// face (empty when null, cut to 31 characters). The object's previous font is
// deleted and the new one attached; returns the attach result.
int gxCreateFont(HDC dc, CFont& font, long size, int bold, int italic, int underline, const char* face, int width);

// Asks for a WM_MOUSELEAVE to the window when the mouse leaves it (nothing
// for a null pointer or a window that does not exist).
void TrackMouseEvent(CWnd* window);
// Shows the hourglass and remembers the cursor it replaced.
void SetWaitCursor();
// Brings back the remembered cursor (the arrow when none) and forgets it.
void RestoreCursor();
// Spin-button notification handler of a numeric edit: moves the edit's value
// to the next multiple of `step` below (a click whose iDelta is 1) or above
// (any other), limited to minimum .. maximum, writes it back, selects it,
// focuses the edit and sets *result to 0.
void HandleSpanClick(CWnd* dialog, int editId, NMHDR* notification, LRESULT* result, int maximum, int minimum,
                     int step);
