// CWndCommonAttr: the look attributes every skinned control shares (text and
// background colours, transparency, a background bitmap, a border, a text
// font, a tooltip and a cursor) and its answer to the control's colour
// requests. A control derives from its MFC class first and from this second,
// and sets the owner to itself in its constructor.
#pragma once

#include <memory>

#include "platform/Platform.h"
#include "utilmere/Utilmere.h"

// The colour value that means "not set" throughout the library.
#define GX_COLOR_NONE 0xFFFFFFFF

class CWndCommonAttr {
 public:
  CWndCommonAttr();
  virtual ~CWndCommonAttr();
  CWndCommonAttr(const CWndCommonAttr&) = delete;
  CWndCommonAttr& operator=(const CWndCommonAttr&) = delete;

  // Adds tool 1 over the owner's client area once, then sets its text and
  // activates or deactivates the tooltip.
  virtual void SetToolTipText(const CString& text, int activate);
  // Called after every attribute change so a derived control can repaint.
  virtual void GxInvalidate(int erase);
  // A font of `height` points (a raw logical height without an owner window),
  // set on the owner window with redraw when it exists. 0 on failure.
  virtual int SetTextFont(long height, const char* face, int bold, int italic, int underline, int width);
  virtual void SetTextColor(COLORREF colour);
  // Stores the colour and makes the background brush a solid brush of it.
  virtual void SetBkColorGx(COLORREF colour);
  // Sets the DC's background mode and colours for the control and returns
  // its brush; GX_COLOR_NONE takes the stored colour.
  virtual HBRUSH Handle_CtlColor(CDC* dc, COLORREF text, COLORREF background);
  virtual void RelayEvent_ToolTip(MSG* msg);

  // The background bitmap from a file (an empty path keeps the old one) or a
  // bitmap resource; 1 when a bitmap was loaded.
  int SetBK_Bitmap(const char* path);
  int SetBK_Bitmap(UINT id);
  // The same loads into a caller's bitmap object.
  int SetBitmap(CBitmap& bitmap, const char* path);
  int SetBitmap(CBitmap& bitmap, UINT id);

  void SetTransparent(int transparent);
  int GetTransparent() const { return m_transparent; }
  COLORREF GetTextColor() const { return m_textColor; }
  COLORREF GetBKColor() const { return m_bkColor; }
  void SetBorder(COLORREF colour1, COLORREF colour2);
  void EnableDrawBorder(int draw) { m_drawBorder = draw; }
  // The object owns the cursor from then on.
  void SetCursorGx(HICON cursor);

  // 0 when the tooltip has no tool yet.
  int ActivateToolTip(int activate);
  void DeleteToolTip();
  // Redraws the parent's area under the owner window at once, so a
  // transparent control shows a fresh parent background.
  void EraseBkgnd();
  CRect& RetrievesClientRect() { return m_clientRect; }

 protected:
  // Builds the font with the owner window's DC when the window exists.
  int gxCreateFont(CFont& font, long height, int bold, int italic, int underline, const char* face, int width);
  // Creates the tooltip window over the owner once.
  void InitToolTip();
  // Fills the owner's client area with the background brush, if there is one.
  void FillBackground(CDC* dc);
  bool OwnerWindowExists() const;

  std::unique_ptr<CFont> m_textFont;
  CToolTipCtrl m_toolTip;
  CWnd* m_owner = nullptr;
  int m_drawBorder = 0;
  COLORREF m_borderColor1 = GX_COLOR_NONE;
  COLORREF m_borderColor2 = GX_COLOR_NONE;
  CBrush m_bkBrush;
  CBrush m_nullBrush;
  COLORREF m_textColor;
  COLORREF m_bkColor = GX_COLOR_NONE;
  int m_transparent = 1;
  CBitmap m_bkBitmap;
  CRect m_clientRect;
  UINT m_mouseOver = 0;
  HICON m_cursor = nullptr;

 private:
  int CreateTextFontObject();
};
