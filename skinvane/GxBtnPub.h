// CGxBtn_Pub: the owner-drawn button base of the library, drawn from an image
// strip (one image per state) and from per-state colours, fonts and cursors,
// with hover tracking and a blinking animation. Abstract: SetNormalAttr sets
// each derived button's defaults.
#pragma once

#include <memory>

#include "platform/Platform.h"
#include "skinvane/WndCommonAttr.h"

// The button state index.
enum _BTNSTATE_Index { BTNSTATE_NORMAL = 0, BTNSTATE_HOVER = 1, BTNSTATE_PRESSED = 2, BTNSTATE_DISABLED = 3 };

// Where the picture goes relative to the text.
enum BKPIC_MODE {
  BKPIC_CENTER = 0,      // picture centred under the text
  BKPIC_LEFT = 1,        // picture at the left, text to its right
  BKPIC_RIGHT = 2,       // text at the left, picture to its right
  BKPIC_PICTURE_ONLY = 3
};

class CGxBtn_Pub : public CButton, public CWndCommonAttr {
 public:
  // The animation timer.
  static constexpr UINT_PTR kAnimationTimer = 1;

  CGxBtn_Pub();
  ~CGxBtn_Pub() override;

  // Per-state setters: the value goes to `state` and every later state.
  virtual void SetBtn_BorderColor(int state, COLORREF colour);
  virtual void SetBtn_TextColor(int state, COLORREF colour);
  virtual void SetBtn_BKColor(int state, COLORREF colour);
  virtual void SetBtn_Cursor(int state, const char* file);
  virtual void SetBtn_Cursor(int state, UINT resourceId);
  virtual void SetBtn_Cursor(int state, HICON cursor);
  // State -1 sets every state, another value only that one. 0 on failure.
  virtual int SetBtn_Font(int state, long height, int bold, int italic, int underline, const CString& face);
  // Splits the bitmap into `frames` images masked by `mask`; on failure the
  // button draws as a standard button and 0 is returned.
  virtual int SetBtn_PicBmp(int frames, COLORREF mask, UINT bitmapId);
  virtual int SetBtn_PicBmp(int frames, COLORREF mask, const char* path);
  // The rectangle moved by the state's picture shift.
  virtual CRect Get_BTNSTATE_Offset(CRect& rect);
  virtual void SetNormalAttr() = 0;
  virtual void GetPicAndTextRect();
  virtual void DrawFrame(CDC* dc);
  virtual int DrawBackground(CDC* dc);
  virtual void DrawText(CDC* dc);
  virtual int Get_BTNSTATE_Index();
  virtual void Init();

  // Replaces image `index` (or appends) with the first icon of a file or an
  // icon resource; a size of 0 or less takes the icon's own.
  int SetBtn_PicIcon(int index, const char* exeFile, int cx, int cy);
  int SetBtn_PicIcon(int index, UINT iconId, int cx, int cy);

  void SetBKPicMode(BKPIC_MODE mode);
  void EnableAutoAdjustRect(int adjust);
  void SetTransparent(int transparent);
  // A button that shows its parent through (transparent, and some state
  // without a background colour) has the parent's area under it redrawn
  // first; another only itself.
  void Invalidate(int erase = TRUE);
  void SetTextFormat(UINT format);
  void SetTextOffset(CSize& offset);
  void AdjustPosition();
  void GetClientRect(RECT* rect);
  void Enable_AutoSetAttr(int enable) { m_autoSetAttr = enable; }
  void EnableDrawFocusRect(int enable) { m_drawFocusRect = enable; }
  void SetBtn_VisitedColor(COLORREF colour) { m_visitedColor = colour; }
  void SetBtnData(DWORD data) { m_btnData = data; }
  DWORD GetBtnData() const { return m_btnData; }
  // Starts timer 1: the picture alternates with the strip's last image.
  void Dynamic(UINT ms);
  void StopDynamic();
  BOOL EnableWindow(int enable);
  static void SnapRectCenter(CRect& outer, CRect& inner);

  void DrawItem(LPDRAWITEMSTRUCT drawItem) override;
  BOOL PreTranslateMessage(MSG* msg) override;

 protected:
  struct StateAttr {
    COLORREF border = GX_COLOR_NONE;
    COLORREF text = 0xB25125;
    COLORREF background = GX_COLOR_NONE;
    CFont font;
    HCURSOR cursor = nullptr;
  };

  void PreSubclassWindow() override;
  // The per-state records, made on first need; null when they cannot be.
  StateAttr* NewAttr();
  StateAttr* StateAttrOf(int state);
  // Sets the button's size from its text and picture (auto-adjust only).
  void AdjustBtnRect();
  // Drops BS_OWNERDRAW so the button draws as a standard one.
  void FallBackToStandard();

  int OnCreate(LPCREATESTRUCT createStruct);
  void OnMouseMove(UINT flags, CPoint point);
  void OnMouseLeave();
  void OnLButtonDown(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
  void OnEnable(BOOL enable);
  void OnSetFocus(CWnd* oldWnd);
  void OnKillFocus(CWnd* newWnd);
  void OnTimer(UINT_PTR id);
  BOOL OnEraseBkgnd(CDC* dc);
  LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  // Transparent with some state that fills no background.
  bool ShowsParentThrough();

  DECLARE_MESSAGE_MAP()

  int m_hasPicture = 0;
  DWORD m_btnData = 0;
  int m_autoSetAttr = 1;
  UINT m_textFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  CSize m_textOffset{0, 0};
  int m_animationToggle = 0;
  int m_autoAdjust = 0;
  int m_initialised = 0;
  UINT m_itemState = 0;
  UINT m_btnState = 0;
  UINT m_btnType = 0;
  int m_enabled = 1;
  int m_focus = 0;
  int m_drawFocusRect = 1;
  int m_pressed = 0;
  BKPIC_MODE m_picMode = BKPIC_CENTER;
  CRect m_textRect;
  CRect m_picRect;
  CImageList m_imageList;
  int m_stateCount = 4;
  std::unique_ptr<StateAttr[]> m_stateAttr;
  COLORREF m_visitedColor = GX_COLOR_NONE;
  CRect m_btnRect;

 private:
  int AddPicStrip(CBitmap& bitmap, int frames, COLORREF mask);
  int AddPicIcon(int index, HICON icon, int cx, int cy);
};
