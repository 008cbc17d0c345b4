// CDC: a device context handle owned by the object (the destructor deletes a
// DC it made or attached); CClientDC and CWindowDC take a window's DC and
// release it. FromHandle and DeleteTempMap work as for CGdiObject.
#pragma once

#include "platform/mfc/Bitmap.h"
#include "platform/mfc/Brush.h"
#include "platform/mfc/Font.h"
#include "platform/mfc/Object.h"
#include "platform/mfc/Palette.h"
#include "platform/mfc/Pen.h"
#include "platform/mfc/Point.h"
#include "platform/mfc/Rect.h"
#include "platform/mfc/Rgn.h"
#include "platform/mfc/Size.h"
#include "platform/mfc/String.h"
#include "platform/win/user/ControlDrawing.h"
#include "platform/win/gdi/Shapes.h"
#include "platform/win/gdi/Text.h"
#include "platform/win/gdi/Gdi.h"
#include "platform/win/gdi/Images.h"

class CWnd;

class CDC : public CObject {
  DECLARE_DYNCREATE(CDC)

 public:
  CDC() = default;
  ~CDC() override;
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  HDC m_hDC = nullptr;
  HDC m_hAttribDC = nullptr;

  operator HDC() const { return m_hDC; }  // NOLINT: implicit as in MFC
  HDC GetSafeHdc() const { return m_hDC; }
  static CDC* FromHandle(HDC hdc);
  static void DeleteTempMap();
  BOOL Attach(HDC hdc);
  HDC Detach();
  BOOL CreateCompatibleDC(CDC* dc);
  BOOL DeleteDC();

  // Objects. The CGdiObject results are wrappers of the previous handles.
  CBitmap* SelectObject(CBitmap* bitmap);
  CBrush* SelectObject(CBrush* brush);
  CPen* SelectObject(CPen* pen);
  CGdiObject* SelectObject(CGdiObject* object);
  int SelectObject(CRgn* region);
  CGdiObject* SelectStockObject(int index);
  CPalette* SelectPalette(CPalette* palette, BOOL forceBackground);
  UINT RealizePalette() { return ::RealizePalette(m_hDC); }
  CBitmap* GetCurrentBitmap() const;
  int SaveDC() { return ::SaveDC(m_hDC); }
  BOOL RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved); }
  int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }

  // Attributes.
  COLORREF SetBkColor(COLORREF c) { return ::SetBkColor(m_hDC, c); }
  COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
  COLORREF SetTextColor(COLORREF c) { return ::SetTextColor(m_hDC, c); }
  COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
  int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
  int GetBkMode() const { return ::GetBkMode(m_hDC); }
  int SetROP2(int mode) { return ::SetROP2(m_hDC, mode); }
  int GetROP2() const { return ::GetROP2(m_hDC); }
  int SetStretchBltMode(int mode) { return ::SetStretchBltMode(m_hDC, mode); }

  // Coordinates.
  CPoint SetViewportOrg(int x, int y);
  CPoint SetViewportOrg(POINT p) { return SetViewportOrg(p.x, p.y); }
  CPoint OffsetViewportOrg(int dx, int dy);
  CPoint GetViewportOrg() const;
  CPoint SetWindowOrg(int x, int y);
  CPoint SetWindowOrg(POINT p) { return SetWindowOrg(p.x, p.y); }
  CPoint GetWindowOrg() const;
  void LPtoDP(LPPOINT points, int count = 1) const { ::LPtoDP(m_hDC, points, count); }
  void LPtoDP(LPRECT rect) const { ::LPtoDP(m_hDC, reinterpret_cast<LPPOINT>(rect), 2); }
  void DPtoLP(LPPOINT points, int count = 1) const { ::DPtoLP(m_hDC, points, count); }
  void DPtoLP(LPRECT rect) const { ::DPtoLP(m_hDC, reinterpret_cast<LPPOINT>(rect), 2); }

  // Clipping.
  int SelectClipRgn(CRgn* region) { return ::SelectClipRgn(m_hDC, region ? static_cast<HRGN>(*region) : nullptr); }
  int SelectClipRgn(CRgn* region, int mode) {
    return ::ExtSelectClipRgn(m_hDC, region ? static_cast<HRGN>(*region) : nullptr, mode);
  }
  int IntersectClipRect(int l, int t, int r, int b) { return ::IntersectClipRect(m_hDC, l, t, r, b); }
  int IntersectClipRect(LPCRECT r) { return ::IntersectClipRect(m_hDC, r->left, r->top, r->right, r->bottom); }
  int ExcludeClipRect(int l, int t, int r, int b) { return ::ExcludeClipRect(m_hDC, l, t, r, b); }
  int ExcludeClipRect(LPCRECT r) { return ::ExcludeClipRect(m_hDC, r->left, r->top, r->right, r->bottom); }
  int GetClipBox(LPRECT rect) const { return ::GetClipBox(m_hDC, rect); }

  // Pixels and blits.
  COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
  COLORREF GetPixel(POINT p) const { return ::GetPixel(m_hDC, p.x, p.y); }
  COLORREF SetPixel(int x, int y, COLORREF c) { return ::SetPixel(m_hDC, x, y, c); }
  COLORREF SetPixel(POINT p, COLORREF c) { return ::SetPixel(m_hDC, p.x, p.y, c); }
  BOOL BitBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, DWORD rop);
  BOOL StretchBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, int sw, int sh, DWORD rop);
  BOOL PatBlt(int x, int y, int w, int h, DWORD rop) { return ::PatBlt(m_hDC, x, y, w, h, rop); }
  BOOL TransparentBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, int sw, int sh, UINT transparent);
  // Fills with the colour, which also becomes the background colour.
  void FillSolidRect(LPCRECT rect, COLORREF colour);
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF colour);
  BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }
  BOOL DrawIcon(POINT p, HICON icon) { return ::DrawIcon(m_hDC, p.x, p.y, icon); }

  // ---- Text and shape members (fonts, text output, lines, rectangles,
  // ---- frames and edges) are declared below by the text layer.
  // Text (DCText.cpp). SelectObject gives the wrapper of the previous font.
  CFont* SelectObject(CFont* font);
  UINT SetTextAlign(UINT align) { return ::SetTextAlign(m_hDC, align); }
  UINT GetTextAlign() const { return ::GetTextAlign(m_hDC); }
  int DrawText(LPCTSTR text, int count, LPRECT rect, UINT format) {
    return ::DrawText(m_hDC, text, count, rect, format);
  }
  int DrawText(const CString& text, LPRECT rect, UINT format);
  BOOL TextOut(int x, int y, LPCTSTR text, int count) { return ::TextOut(m_hDC, x, y, text, count); }
  BOOL TextOut(int x, int y, const CString& text);
  BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCTSTR text, UINT count, LPINT dx) {
    return ::ExtTextOut(m_hDC, x, y, options, rect, text, count, dx);
  }
  BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text, LPINT dx);
  // The extent of the text in the selected font ((0, 0) on failure).
  CSize GetTextExtent(LPCTSTR text, int count) const;
  CSize GetTextExtent(const CString& text) const;
  BOOL GetTextMetrics(LPTEXTMETRIC metrics) const { return ::GetTextMetrics(m_hDC, metrics); }

  // Rectangles, frames and edges (DCShapes.cpp).
  void FillRect(LPCRECT rect, CBrush* brush);
  void FrameRect(LPCRECT rect, CBrush* brush);
  void InvertRect(LPCRECT rect) { ::InvertRect(m_hDC, rect); }
  // The top and left sides in `topLeft`, the bottom and right ones in
  // `bottomRight`, each one pixel wide: the top-right pixel belongs to the
  // right side and the bottom-left one to the bottom side.
  void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
  void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
  BOOL DrawEdge(LPRECT rect, UINT edge, UINT flags) { return ::DrawEdge(m_hDC, rect, edge, flags); }
  BOOL DrawFrameControl(LPRECT rect, UINT type, UINT state) { return ::DrawFrameControl(m_hDC, rect, type, state); }
  void DrawFocusRect(LPCRECT rect) { ::DrawFocusRect(m_hDC, rect); }
  // Icons drawn at `size`, bitmaps cut to it (0 sides: the image's own);
  // DSS_DISABLED embosses (see ::DrawState).
  BOOL DrawState(CPoint at, CSize size, HICON icon, UINT flags, HBRUSH brush = nullptr);
  BOOL DrawState(CPoint at, CSize size, HICON icon, UINT flags, CBrush* brush = nullptr);
  BOOL DrawState(CPoint at, CSize size, HBITMAP bitmap, UINT flags, HBRUSH brush = nullptr);
  BOOL DrawState(CPoint at, CSize size, CBitmap* bitmap, UINT flags, CBrush* brush = nullptr);

  // Lines and shapes with the selected pen and brush (DCShapes.cpp).
  CPoint MoveTo(int x, int y);
  CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
  BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
  BOOL LineTo(POINT p) { return ::LineTo(m_hDC, p.x, p.y); }
  BOOL Polyline(const POINT* points, int count) { return ::Polyline(m_hDC, points, count); }
  BOOL Rectangle(int l, int t, int r, int b) { return ::Rectangle(m_hDC, l, t, r, b); }
  BOOL Rectangle(LPCRECT r) { return ::Rectangle(m_hDC, r->left, r->top, r->right, r->bottom); }
  BOOL RoundRect(int l, int t, int r, int b, int cornerWidth, int cornerHeight) {
    return ::RoundRect(m_hDC, l, t, r, b, cornerWidth, cornerHeight);
  }
  BOOL RoundRect(LPCRECT r, POINT corner) {
    return ::RoundRect(m_hDC, r->left, r->top, r->right, r->bottom, corner.x, corner.y);
  }
  BOOL Ellipse(int l, int t, int r, int b) { return ::Ellipse(m_hDC, l, t, r, b); }
  BOOL Ellipse(LPCRECT r) { return ::Ellipse(m_hDC, r->left, r->top, r->right, r->bottom); }
  // No DC of this system prints: off-screen drawing helpers draw through.
  BOOL IsPrinting() const { return m_bPrinting; }
  BOOL m_bPrinting = FALSE;
  // ---- End of the text and shape members.
};

// The client-area DC of a window, released when the object goes.
class CClientDC : public CDC {
 public:
  explicit CClientDC(CWnd* wnd);
  ~CClientDC() override;

 protected:
  HWND m_hWnd;
};

// The whole-window DC of a window, released when the object goes.
class CWindowDC : public CDC {
 public:
  explicit CWindowDC(CWnd* wnd);
  ~CWindowDC() override;

 protected:
  HWND m_hWnd;
};
