#include "platform/mfc/ImageList.h"

#include <memory>
#include <unordered_map>

#include "platform/mfc/Bitmap.h"
#include "platform/mfc/DC.h"
#include "platform/win/kernel/Resources.h"

IMPLEMENT_DYNCREATE(CImageList, CObject)

namespace {

thread_local std::unordered_map<HIMAGELIST, CImageList*> t_attached;
// Temporary wrappers own nothing: their handles are cleared before they go.
struct TemporaryMap : std::unordered_map<HIMAGELIST, std::unique_ptr<CImageList>> {
  TemporaryMap() = default;
  TemporaryMap(TemporaryMap&&) = default;
  ~TemporaryMap() {
    for (auto& kv : *this) kv.second->m_hImageList = nullptr;
  }
};
thread_local TemporaryMap t_temporary;

}  // namespace

CImageList::~CImageList() { DeleteImageList(); }

CImageList* CImageList::FromHandle(HIMAGELIST handle) {
  if (!handle) return nullptr;
  auto it = t_attached.find(handle);
  if (it != t_attached.end()) return it->second;
  auto& slot = t_temporary[handle];
  if (!slot) {
    slot = std::make_unique<CImageList>();
    slot->m_hImageList = handle;
  }
  return slot.get();
}

void CImageList::DeleteTempMap() {
  TemporaryMap temps = std::move(t_temporary);
  t_temporary.clear();
}

BOOL CImageList::Attach(HIMAGELIST handle) {
  if (!handle || m_hImageList) return FALSE;
  m_hImageList = handle;
  t_attached[handle] = this;
  return TRUE;
}

HIMAGELIST CImageList::Detach() {
  HIMAGELIST handle = m_hImageList;
  if (handle) {
    auto it = t_attached.find(handle);
    if (it != t_attached.end() && it->second == this) t_attached.erase(it);
  }
  m_hImageList = nullptr;
  return handle;
}

BOOL CImageList::DeleteImageList() {
  if (!m_hImageList) return FALSE;
  return ImageList_Destroy(Detach());
}

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
  return Attach(ImageList_Create(cx, cy, flags, initial, grow));
}

BOOL CImageList::Create(UINT bitmapId, int cx, int grow, COLORREF mask) {
  return Create(MAKEINTRESOURCE(bitmapId), cx, grow, mask);
}

BOOL CImageList::Create(LPCSTR bitmapId, int cx, int grow, COLORREF mask) {
  CBitmap bitmap;
  if (!bitmap.LoadBitmap(bitmapId)) return FALSE;
  BITMAP bm{};
  bitmap.GetBitmap(&bm);
  if (cx <= 0) return FALSE;
  bool masked = mask != CLR_NONE;
  if (!Create(cx, bm.bmHeight, ILC_COLORDDB | (masked ? ILC_MASK : 0), bm.bmWidth / cx, grow)) return FALSE;
  int added = masked ? Add(&bitmap, mask) : Add(&bitmap, static_cast<CBitmap*>(nullptr));
  if (added < 0) {
    DeleteImageList();
    return FALSE;
  }
  return TRUE;
}

int CImageList::Add(CBitmap* bitmap, CBitmap* mask) {
  return ImageList_Add(m_hImageList, bitmap ? static_cast<HBITMAP>(*bitmap) : nullptr,
                       mask ? static_cast<HBITMAP>(*mask) : nullptr);
}

int CImageList::Add(CBitmap* bitmap, COLORREF mask) {
  return ImageList_AddMasked(m_hImageList, bitmap ? static_cast<HBITMAP>(*bitmap) : nullptr, mask);
}

BOOL CImageList::Replace(int index, CBitmap* bitmap, CBitmap* mask) {
  return ImageList_Replace(m_hImageList, index, bitmap ? static_cast<HBITMAP>(*bitmap) : nullptr,
                           mask ? static_cast<HBITMAP>(*mask) : nullptr);
}

BOOL CImageList::Draw(CDC* dc, int index, POINT at, UINT style) {
  return dc && ImageList_Draw(m_hImageList, index, dc->m_hDC, at.x, at.y, style);
}

BOOL CImageList::DrawIndirect(IMAGELISTDRAWPARAMS* params) {
  if (!params) return FALSE;
  params->himl = m_hImageList;
  return ImageList_DrawIndirect(params);
}

BOOL CImageList::DrawIndirect(CDC* dc, int index, POINT at, SIZE size, POINT origin, UINT style, DWORD rop,
                              COLORREF bk, COLORREF fg) {
  if (!dc) return FALSE;
  IMAGELISTDRAWPARAMS p{};
  p.cbSize = sizeof(p);
  p.himl = m_hImageList;
  p.i = index;
  p.hdcDst = dc->m_hDC;
  p.x = at.x;
  p.y = at.y;
  p.cx = size.cx;
  p.cy = size.cy;
  p.xBitmap = origin.x;
  p.yBitmap = origin.y;
  p.rgbBk = bk;
  p.rgbFg = fg;
  p.fStyle = style;
  p.dwRop = rop;
  return ImageList_DrawIndirect(&p);
}
