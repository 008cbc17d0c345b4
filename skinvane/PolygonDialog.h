// CPolygonDialog: a dialog cut to the shape of a skin bitmap. The bitmap,
// named with its key colour before the window is created, gives the window
// region (every pixel that is not the key colour is inside) and is painted as
// the whole background; the left button alone drags the window anywhere.
#pragma once

#include "platform/Platform.h"

class CPolygonDialog : public CDialog {
 public:
  CPolygonDialog();
  CPolygonDialog(UINT templateId, CWnd* parent);
  CPolygonDialog(const char* templateName, CWnd* parent);
  ~CPolygonDialog() override;

  BOOL Create(UINT templateId, CWnd* parent) override;
  using CDialog::Create;

  // Stores the skin file and key colour; the bitmap is read at WM_CREATE.
  int SetRegionFile(const CString& path, COLORREF key);
  // The skin bitmap's size; (0, 0) without a bitmap.
  CSize GetBigmapSize() const;
  // The window's client or window rectangle with its right and bottom set to
  // left + bitmap width and top + bitmap height.
  void GetClientRect(RECT* rect) const;
  void GetWindowRect(RECT* rect) const;
  void MakeSureRect(RECT* rect) const;

  // The region of the bitmap's pixels that are not (`inside` = 1) or that
  // are (`inside` = 0) the key colour; null when there are none.
  static HRGN BitmapRegion(HBITMAP bitmap, COLORREF key, int inside);

 protected:
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void DoDataExchange(CDataExchange* dx) override;
  // The drawing hook, called after the skin is painted.
  virtual void Paint(CDC* dc);

  int OnCreate(LPCREATESTRUCT createStruct);
  void OnPaint();
  void OnMouseMove(UINT flags, CPoint point);
  void OnDestroy();

  DECLARE_MESSAGE_MAP()

 private:
  void ReleaseSkin();

  CString m_regionFile;
  HBITMAP m_skinBitmap = nullptr;
  HGDIOBJ m_previousBitmap = nullptr;
  HDC m_memoryDC = nullptr;
  HRGN m_windowRegion = nullptr;
  BITMAP m_bitmapInfo = {};
  COLORREF m_keyColor = 0;
  int m_drag = 1;
};
