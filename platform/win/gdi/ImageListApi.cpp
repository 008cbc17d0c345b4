// The image-list functions over ImageListObject and its handle table.
#include <utility>

#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Handles.h"
#include "platform/win/gdi/DeviceContext.h"
#include "platform/win/gdi/ImageList.h"
#include "platform/win/gdi/ImageListObject.h"

using namespace wavorel::gdi;

namespace {

wavorel::HandleTable<ImageListObject>& lists() {
  static wavorel::HandleTable<ImageListObject> table(0x22000004, 4);
  return table;
}

std::shared_ptr<ImageListObject> listOf(HIMAGELIST handle) {
  auto list = lists().find(reinterpret_cast<uintptr_t>(handle));
  if (!list) SetLastError(ERROR_INVALID_HANDLE);
  return list;
}

// Adds every list-wide slice of a bitmap; the first new index or -1.
int addStrip(HIMAGELIST handle, HBITMAP image, HBITMAP mask, COLORREF key) {
  auto list = listOf(handle);
  auto bitmap = bitmapFromHandle(image);
  if (!list || !bitmap) return -1;
  auto maskBitmap = mask ? bitmapFromHandle(mask) : nullptr;
  const Surface& source = bitmap->surface();
  int frames = source.width() / list->width();
  if (frames == 0) return -1;
  int first = list->count();
  list->reserve(first + frames);
  for (int i = 0; i < frames; ++i)
    list->put(first + i, source, i * list->width(), maskBitmap ? &maskBitmap->surface() : nullptr, key);
  return list->count() == first + frames ? first : -1;
}

}  // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int) {
  if (cx <= 0 || cy <= 0 || !Bitmap::validSize(cx, cy, 32) || initial < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto list = std::make_shared<ImageListObject>(cx, cy, (flags & ILC_MASK) != 0);
  return reinterpret_cast<HIMAGELIST>(lists().insert(std::move(list)));
}

BOOL ImageList_Destroy(HIMAGELIST handle) {
  return lists().remove(reinterpret_cast<uintptr_t>(handle)) ? TRUE : FALSE;
}

int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask) { return addStrip(list, image, mask, CLR_NONE); }

int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF maskColour) {
  return addStrip(list, image, nullptr, maskColour & 0x00FFFFFFu);
}

BOOL ImageList_Replace(HIMAGELIST handle, int index, HBITMAP image, HBITMAP mask) {
  auto list = listOf(handle);
  auto bitmap = bitmapFromHandle(image);
  if (!list || !bitmap || index < 0 || index >= list->count()) return FALSE;
  auto maskBitmap = mask ? bitmapFromHandle(mask) : nullptr;
  list->put(index, bitmap->surface(), 0, maskBitmap ? &maskBitmap->surface() : nullptr, CLR_NONE);
  return TRUE;
}

int ImageList_ReplaceIcon(HIMAGELIST handle, int index, HICON hicon) {
  auto list = listOf(handle);
  auto icon = iconFromHandle(hicon);
  if (!list || !icon || index < -1 || index >= list->count()) return -1;
  int at = index == -1 ? list->count() : index;
  list->putIcon(at, *icon);
  return at < list->count() ? at : -1;
}

int ImageList_AddIcon(HIMAGELIST list, HICON icon) { return ImageList_ReplaceIcon(list, -1, icon); }

HICON ImageList_GetIcon(HIMAGELIST handle, int index, UINT) {
  auto list = listOf(handle);
  return list ? insertIcon(list->icon(index)) : nullptr;
}

BOOL ImageList_Remove(HIMAGELIST handle, int index) {
  auto list = listOf(handle);
  if (!list || index < -1 || index >= list->count()) return FALSE;
  if (index == -1) list->resize(0);
  else list->remove(index);
  return TRUE;
}

int ImageList_GetImageCount(HIMAGELIST handle) {
  auto list = listOf(handle);
  return list ? list->count() : 0;
}

BOOL ImageList_SetImageCount(HIMAGELIST handle, UINT count) {
  auto list = listOf(handle);
  if (!list || count > 0x7FFF) return FALSE;
  list->resize(static_cast<int>(count));
  return list->count() == static_cast<int>(count) ? TRUE : FALSE;
}

BOOL ImageList_GetIconSize(HIMAGELIST handle, int* cx, int* cy) {
  auto list = listOf(handle);
  if (!list || !cx || !cy) return FALSE;
  *cx = list->width();
  *cy = list->height();
  return TRUE;
}

COLORREF ImageList_SetBkColor(HIMAGELIST handle, COLORREF colour) {
  auto list = listOf(handle);
  if (!list) return CLR_NONE;
  return std::exchange(list->bkColour, colour);
}

COLORREF ImageList_GetBkColor(HIMAGELIST handle) {
  auto list = listOf(handle);
  return list ? list->bkColour : CLR_NONE;
}

BOOL ImageList_GetImageInfo(HIMAGELIST handle, int index, IMAGEINFO* info) {
  auto list = listOf(handle);
  if (!list || !info || index < 0 || index >= list->count()) return FALSE;
  info->hbmImage = list->imageHandle();
  info->hbmMask = list->masked() ? list->maskHandle() : nullptr;
  info->Unused1 = info->Unused2 = 0;
  info->rcImage = {index * list->width(), 0, (index + 1) * list->width(), list->height()};
  return TRUE;
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC hdc, int x, int y, UINT style) {
  return ImageList_DrawEx(list, index, hdc, x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, style);
}

BOOL ImageList_DrawEx(HIMAGELIST handle, int index, HDC hdc, int x, int y, int dx, int dy, COLORREF bk, COLORREF fg,
                      UINT style) {
  auto list = listOf(handle);
  auto dc = dcFromHandle(hdc);
  if (!list || !dc || index < 0 || index >= list->count()) return FALSE;
  list->draw(*dc, index, dc->toDevice(POINT{x, y}), dx, dy, bk, fg, style);
  return TRUE;
}

BOOL ImageList_DrawIndirect(IMAGELISTDRAWPARAMS* p) {
  if (!p || p->cbSize < sizeof(IMAGELISTDRAWPARAMS) - 3 * sizeof(DWORD)) return FALSE;
  return ImageList_DrawEx(p->himl, p->i, p->hdcDst, p->x, p->y, p->cx, p->cy, p->rgbBk, p->rgbFg, p->fStyle);
}
