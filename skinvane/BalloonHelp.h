// CBalloonHelp: a balloon-shaped popup tip with a title, an optional icon, a
// content text, an optional close button, URL, edit box with a save button,
// a timeout, and fading in and out through layered-window transparency.
#pragma once

#include "platform/Platform.h"

// Options of Create.
#define BALLOON_CLOSE_ON_LBUTTON 0x0001
#define BALLOON_CLOSE_ON_RBUTTON 0x0002
#define BALLOON_CLOSE_ON_MOUSE_MOVE 0x0004
#define BALLOON_CLOSE_ON_KEYPRESS 0x0008
#define BALLOON_DELETE_THIS_ON_CLOSE 0x0010
#define BALLOON_SHOW_CLOSE_BUTTON 0x0020
#define BALLOON_SHOW_TOPMOST 0x0080
#define BALLOON_SHOW_EDIT 0x0100
#define BALLOON_DISABLE_FADEIN 0x0200
#define BALLOON_DISABLE_FADEOUT 0x0400
#define BALLOON_CAPTURE_MOUSE 0x0800
#define BALLOON_TOPMOST_AFTER_EDIT 0x1000

// Timers.
#define BALLOON_TIMER_FADE_IN 3333
#define BALLOON_TIMER_FADE_OUT 3334
#define BALLOON_TIMER_TIMEOUT 3335
#define BALLOON_TIMER_MOUSE 3336

// To the receiver: the balloon hides (wParam: reason in the high word,
// lParam: pointer to the item data); the edit's save (wParam: pointer to the
// text, lParam: button id low word, choice selection high word).
#define WM_BALLOON_HIDE (WM_USER + 379)
#define WM_BALLOON_SAVE (WM_USER + 380)

class CBalloonHelp : public CWnd {
 public:
  CBalloonHelp();
  ~CBalloonHelp() override;

  // 0 when there is neither a parent nor a main window, or the window
  // cannot be made.
  int Create(const CString& title, const CString& content, const CPoint& anchor, UINT options, CWnd* parent,
             CString url, UINT timeout, HICON icon);
  // A balloon that deletes itself; the icon file is loaded at 16 x 16.
  static void LaunchBalloon(const CString& title, const CString& content, const CPoint& anchor, const char* iconFile,
                            UINT options, CWnd* parent, CString url, UINT timeout);
  void ShowBalloon();
  // 1: a left click, 0: anything else.
  void HideBalloon(int reason);

  void SetTitle(const CString& title);
  void SetContent(const CString& content);
  const CString& GetContent() const { return m_content; }
  void SetTitleFont(CFont* font);
  void SetContentFont(CFont* font);
  void SetIcon(HICON icon);
  void SetIcon(HBITMAP bitmap, COLORREF mask);
  void SetIcon(HBITMAP bitmap, HBITMAP mask);
  void SetIcon(CImageList* list, int index);
  void SetURL(const CString& url) { m_url = url; }
  void SetTimeout(UINT timeout) { m_timeout = timeout; }
  void SetAnchorPoint(CPoint anchor);
  void SetForegroundColor(COLORREF colour);
  void SetBackgroundColor(COLORREF colour);
  void SetMouseMoveTolerance(int tolerance) { m_tolerance = tolerance; }
  void SetShowEditInitString(const char* text) { m_editInit = text ? text : ""; }
  void SetItemData(DWORD data) { m_itemData = data; }
  DWORD GetItemData() const { return m_itemData; }
  DWORD GetOptions() const { return m_options; }
  BYTE GetAlpha() const { return static_cast<BYTE>(m_alpha < 0 ? 0 : m_alpha); }
  void OnButtonSavePublic();
  LRESULT SendMessageToRecver(UINT message, WPARAM wParam, LPARAM lParam);

  virtual CSize DrawHeader(CDC* dc, bool draw);
  virtual CSize DrawContent(CDC* dc, int top, bool draw);
  virtual void OnChangeEDIT();

 protected:
  void PostNcDestroy() override;
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* dc);
  void OnTimer(UINT_PTR id);
  void OnClose();
  void OnDestroy();
  void OnLButtonDown(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  void OnRButtonDown(UINT flags, CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  void OnSaveClicked();

  DECLARE_MESSAGE_MAP()

 private:
  typedef BOOL(CALLBACK* SetLayeredProc)(HWND, COLORREF, BYTE, DWORD);

  static LRESULT CALLBACK KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam);
  void RegisterKeyboardHook();
  void UnregisterKeyboardHook();
  void ApplyAlpha();
  void CreateFonts();
  CSize CalcClientSize();
  // Places the window by the anchor, tail towards it, and sets its region.
  void PositionWindow();
  CRect CloseButtonRect() const;
  void DrawCloseButton(CDC* dc);
  void CreateShowEdit();

  CWnd* m_parent = nullptr;
  CWnd* m_edit = nullptr;
  CWnd* m_saveButton = nullptr;
  CWnd* m_choice = nullptr;
  DWORD m_itemData = 0;
  CString m_title;
  CString m_editInit;
  UINT m_options = 0;
  UINT m_timeout = 0;
  CString m_content;
  CString m_url;
  CPoint m_anchor;
  CImageList m_icon;
  CFont m_titleFont;
  CFont m_contentFont;
  COLORREF m_background;
  COLORREF m_foreground;
  CRgn m_region;
  int m_alpha = 255;
  CPoint m_lastMouse;
  UINT m_closeState = DFCS_FLAT;
  int m_tolerance = 3;
  SetLayeredProc m_setLayered = nullptr;
  bool m_tailAtTop = true;
  bool m_closePressed = false;
  bool m_hiding = false;
};
