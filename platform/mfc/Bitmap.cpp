#include "platform/mfc/Bitmap.h"

#include "platform/mfc/DC.h"
#include "platform/win/kernel/Resources.h"
#include "platform/win/gdi/Images.h"

IMPLEMENT_DYNCREATE(CBitmap, CGdiObject)

BOOL CBitmap::LoadBitmap(UINT id) { return LoadBitmap(MAKEINTRESOURCE(id)); }

BOOL CBitmap::LoadBitmap(LPCSTR name) {
  return Attach(::LoadBitmap(wavorel::findResourceModule(name, RT_BITMAP), name));
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  return Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
  return Attach(::CreateCompatibleBitmap(dc ? dc->m_hDC : nullptr, width, height));
}

int CBitmap::GetBitmap(BITMAP* bitmap) const { return ::GetObject(m_hObject, sizeof(BITMAP), bitmap); }
