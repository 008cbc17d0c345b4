#include "platform/mfc/DC.h"

#include <memory>
#include <unordered_map>

#include "platform/mfc/Exception.h"
#include "platform/mfc/Wnd.h"
#include "platform/win/gdi/DeviceContext.h"

IMPLEMENT_DYNCREATE(CDC, CObject)

namespace {

thread_local std::unordered_map<HDC, CDC*> t_attached;
// Temporary wrappers own nothing: their handles are cleared before they go.
struct TemporaryMap : std::unordered_map<HDC, std::unique_ptr<CDC>> {
  TemporaryMap() = default;
  TemporaryMap(TemporaryMap&&) = default;
  ~TemporaryMap() {
    for (auto& kv : *this) kv.second->m_hDC = kv.second->m_hAttribDC = nullptr;
  }
};
thread_local TemporaryMap t_temporary;

CPoint point(const POINT& p) { return CPoint(p.x, p.y); }

}  // namespace

CDC::~CDC() {
  if (m_hDC) ::DeleteDC(Detach());
}

CDC* CDC::FromHandle(HDC hdc) {
  if (!hdc) return nullptr;
  auto it = t_attached.find(hdc);
  if (it != t_attached.end()) return it->second;
  auto& slot = t_temporary[hdc];
  if (!slot) {
    slot = std::make_unique<CDC>();
    slot->m_hDC = slot->m_hAttribDC = hdc;
  }
  return slot.get();
}

void CDC::DeleteTempMap() {
  TemporaryMap temps = std::move(t_temporary);
  t_temporary.clear();
}

BOOL CDC::Attach(HDC hdc) {
  if (!hdc || m_hDC) return FALSE;
  m_hDC = m_hAttribDC = hdc;
  t_attached[hdc] = this;
  return TRUE;
}

HDC CDC::Detach() {
  HDC hdc = m_hDC;
  if (hdc) {
    auto it = t_attached.find(hdc);
    if (it != t_attached.end() && it->second == this) t_attached.erase(it);
  }
  m_hDC = m_hAttribDC = nullptr;
  return hdc;
}

BOOL CDC::CreateCompatibleDC(CDC* dc) { return Attach(::CreateCompatibleDC(dc ? dc->m_hDC : nullptr)); }

BOOL CDC::DeleteDC() {
  if (!m_hDC) return FALSE;
  return ::DeleteDC(Detach());
}

CBitmap* CDC::SelectObject(CBitmap* bitmap) {
  return CBitmap::FromHandle(static_cast<HBITMAP>(::SelectObject(m_hDC, bitmap ? bitmap->m_hObject : nullptr)));
}

CBrush* CDC::SelectObject(CBrush* brush) {
  return CBrush::FromHandle(static_cast<HBRUSH>(::SelectObject(m_hDC, brush ? brush->m_hObject : nullptr)));
}

CPen* CDC::SelectObject(CPen* pen) {
  return CPen::FromHandle(static_cast<HPEN>(::SelectObject(m_hDC, pen ? pen->m_hObject : nullptr)));
}

CGdiObject* CDC::SelectObject(CGdiObject* object) {
  return CGdiObject::FromHandle(::SelectObject(m_hDC, object ? object->m_hObject : nullptr));
}

int CDC::SelectObject(CRgn* region) { return SelectClipRgn(region); }

CGdiObject* CDC::SelectStockObject(int index) {
  HGDIOBJ stock = ::GetStockObject(index);
  return stock ? CGdiObject::FromHandle(::SelectObject(m_hDC, stock)) : nullptr;
}

CPalette* CDC::SelectPalette(CPalette* palette, BOOL forceBackground) {
  return CPalette::FromHandle(
      ::SelectPalette(m_hDC, palette ? static_cast<HPALETTE>(*palette) : nullptr, forceBackground));
}

CBitmap* CDC::GetCurrentBitmap() const {
  return CBitmap::FromHandle(static_cast<HBITMAP>(::GetCurrentObject(m_hDC, OBJ_BITMAP)));
}

CPoint CDC::SetViewportOrg(int x, int y) {
  POINT old{};
  ::SetViewportOrgEx(m_hDC, x, y, &old);
  return point(old);
}

CPoint CDC::OffsetViewportOrg(int dx, int dy) {
  POINT old{};
  ::OffsetViewportOrgEx(m_hDC, dx, dy, &old);
  return point(old);
}

CPoint CDC::GetViewportOrg() const {
  POINT p{};
  ::GetViewportOrgEx(m_hDC, &p);
  return point(p);
}

CPoint CDC::SetWindowOrg(int x, int y) {
  POINT old{};
  ::SetWindowOrgEx(m_hDC, x, y, &old);
  return point(old);
}

CPoint CDC::GetWindowOrg() const {
  POINT p{};
  ::GetWindowOrgEx(m_hDC, &p);
  return point(p);
}

BOOL CDC::BitBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, DWORD rop) {
  return ::BitBlt(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, sx, sy, rop);
}

BOOL CDC::StretchBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, int sw, int sh, DWORD rop) {
  return ::StretchBlt(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, sx, sy, sw, sh, rop);
}

BOOL CDC::TransparentBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, int sw, int sh, UINT transparent) {
  return ::TransparentBlt(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, sx, sy, sw, sh, transparent);
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF colour) {
  // One look-up of the DC serves the background colour and the fill.
  auto dc = wavorel::gdi::dcFromHandle(m_hDC);
  if (!dc) {
    ::SetBkColor(m_hDC, colour);  // the failure a bad DC reports
    return;
  }
  dc->state().bkColor = colour;
  if (!rect) return;
  // An opaque fill in the background colour, whatever the brush and ROP2.
  wavorel::gdi::Brush fill(BS_SOLID, colour & 0x00FFFFFFu);
  dc->paintRect(dc->toDevice(*rect), fill, PATCOPY);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF colour) {
  RECT r{x, y, x + cx, y + cy};
  FillSolidRect(&r, colour);
}

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd ? wnd->GetSafeHwnd() : nullptr) {
  if (!Attach(::GetDC(m_hWnd))) AfxThrowResourceException();
}

CClientDC::~CClientDC() { ::ReleaseDC(m_hWnd, Detach()); }

CWindowDC::CWindowDC(CWnd* wnd) : m_hWnd(wnd ? wnd->GetSafeHwnd() : nullptr) {
  if (!Attach(::GetWindowDC(m_hWnd))) AfxThrowResourceException();
}

CWindowDC::~CWindowDC() { ::ReleaseDC(m_hWnd, Detach()); }
