// CWnd: a C++ object tied to a window. The window's messages run through the
// object's message map (WindowProc -> OnWndMsg -> the map, else
// DefWindowProc, which for a subclassed window is its previous procedure).
//
// Handle map: a window has at most one permanent object (Create, Attach,
// SubclassWindow) found by FromHandlePermanent. FromHandle also wraps a window
// that has none in a temporary CWnd. Temporaries belong to the thread; they
// are deleted when its message loop is between messages and no window
// procedure of this library is running on the thread (CWinThread::OnIdle),
// so keep a FromHandle result only while handling the current message.
//
// Life: WM_NCDESTROY detaches the object and then calls PostNcDestroy, which
// may `delete this`. Destroying a permanent object destroys its window.
//
// Reflection: WM_COMMAND and WM_NOTIFY from a child, and WM_CTLCOLOR*,
// WM_DRAWITEM, WM_MEASUREITEM, WM_COMPAREITEM, WM_DELETEITEM, WM_HSCROLL and
// WM_VSCROLL reaching CWnd's
// default handling, are first offered to the child's object (OnChildNotify ->
// ReflectChildNotify -> its ON_*_REFLECT entries, at WM_REFLECT_BASE + the
// message). When the child takes it the parent's own entries do not run;
// the _EX forms returning FALSE let them run too.
//
// A CException* thrown by a handler stops at the window procedure: it is
// reported on stderr, deleted, and the message returns 0.
#pragma once

#include "platform/mfc/CmdTarget.h"
#include "platform/mfc/Point.h"
#include "platform/mfc/Rect.h"
#include "platform/mfc/String.h"
#include "platform/win/user/OwnerDraw.h"
#include "platform/win/user/User.h"

class CDC;
class CFont;
struct CCreateContext;
struct TOOLINFO;

class CWnd : public CCmdTarget {
  DECLARE_DYNAMIC(CWnd)

 public:
  HWND m_hWnd = nullptr;

  // Places for SetWindowPos's insert-after argument.
  static const CWnd wndTop;
  static const CWnd wndBottom;
  static const CWnd wndTopMost;
  static const CWnd wndNoTopMost;

  CWnd() = default;
  ~CWnd() override;

  operator HWND() const { return m_hWnd; }  // NOLINT: implicit as in MFC
  HWND GetSafeHwnd() const { return m_hWnd; }
  bool operator==(const CWnd& wnd) const { return m_hWnd == wnd.m_hWnd; }
  bool operator!=(const CWnd& wnd) const { return m_hWnd != wnd.m_hWnd; }

  // The handle map.
  static CWnd* FromHandle(HWND hWnd);
  static CWnd* FromHandlePermanent(HWND hWnd);
  // Makes this the window's permanent object (the window procedure is not
  // changed). FALSE for a null handle, or one that has an object already.
  BOOL Attach(HWND hWndNew);
  HWND Detach();

  // Creation: the object is attached, PreSubclassWindow is called and the
  // window procedure routed through the object before the window gets
  // WM_NCCREATE. A null class name is this library's plain window class.
  virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                      CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
  BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = nullptr);
  BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
  virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
  virtual BOOL DestroyWindow();

  // Subclassing an existing window: attaches the object, calls
  // PreSubclassWindow, then routes the window procedure through the object;
  // messages its map leaves go to the previous procedure.
  BOOL SubclassWindow(HWND hWnd);
  BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
  HWND UnsubclassWindow();
  virtual void PreSubclassWindow();

  // Message handling.
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  // Offers pMsg to PreTranslateMessage of the objects of its window and of
  // each parent up to hWndStop; TRUE when one took it.
  static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
  // Tooltips (WndToolTips.cpp). After EnableToolTips(TRUE), every mouse
  // move over this window or a child (that has no tooltips of its own) asks
  // OnToolHitTest which tool is under the mouse; the thread's one tooltip
  // control (TTS_ALWAYSTIP, owned by the top-level window) takes that tool
  // and shows its text after the initial delay, hides it when the mouse
  // moves off the tool, leaves the window or a button or key is pressed.
  // A tool whose text is LPSTR_TEXTCALLBACK asks for it with TTN_NEEDTEXT
  // (WM_NOTIFY to the tool's window from the tooltip, whose control id is 0:
  // ON_NOTIFY_EX(TTN_NEEDTEXT, 0, ...)). The filter runs in
  // CWnd::PreTranslateMessage, which the thread's and the modal loops call.
  BOOL EnableToolTips(BOOL bEnable = TRUE);
  void FilterToolTipMessage(MSG* pMsg);
  // The tool under `point` (client coordinates): its id, or -1. The default
  // finds a visible child with a control id: the tool is that child
  // (TTF_IDISHWND, uId its handle, hwnd this window, text by callback) and
  // the answer is its id.
  virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  // Offers the message being handled to the child's object; FALSE when the
  // child has no permanent object or did not take it.
  static BOOL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
  BOOL SendChildNotifyLastMsg(LRESULT* pResult = nullptr);
  // The message being handled, passed to DefWindowProc.
  LRESULT Default();
  virtual void PostNcDestroy();

  // Window state and tree.
  CWnd* GetParent() const;
  CWnd* GetOwner() const;
  CWnd* GetTopLevelParent() const;
  CWnd* GetDlgItem(int nID) const;
  int GetDlgCtrlID() const;
  int SetDlgCtrlID(int nID);
  BOOL IsChild(const CWnd* pWnd) const;
  CWnd* GetWindow(UINT nCmd) const;
  CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const;
  static CWnd* FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName);
  void SetWindowText(LPCTSTR lpszString);
  int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
  void GetWindowText(CString& rString) const;
  int GetWindowTextLength() const;
  BOOL ShowWindow(int nCmdShow);
  BOOL IsWindowVisible() const;
  BOOL EnableWindow(BOOL bEnable = TRUE);
  BOOL IsWindowEnabled() const;
  CWnd* SetFocus();
  static CWnd* GetFocus();
  CWnd* SetCapture();
  static CWnd* GetCapture();
  CWnd* SetActiveWindow();
  static CWnd* GetActiveWindow();
  BOOL SetForegroundWindow();
  static CWnd* GetForegroundWindow();
  void BringWindowToTop();
  DWORD GetStyle() const;
  DWORD GetExStyle() const;
  // Removes then adds style bits; with nFlags, SetWindowPos(nFlags |
  // SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE) follows. TRUE
  // when the style changed.
  BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
  BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
  HICON SetIcon(HICON hIcon, BOOL bBigIcon);
  HICON GetIcon(BOOL bBigIcon) const;
  BOOL SetProp(LPCTSTR lpszString, HANDLE hData);
  HANDLE GetProp(LPCTSTR lpszString) const;
  HANDLE RemoveProp(LPCTSTR lpszString);

  // Dialog items (children by control id).
  void SetDlgItemText(int nID, LPCTSTR lpszString);
  int GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const;
  int GetDlgItemText(int nID, CString& rString) const;
  void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
  UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
  void CheckDlgButton(int nIDButton, UINT nCheck);
  UINT IsDlgButtonChecked(int nIDButton) const;
  void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
  // The first checked button of the range, 0 when none is.
  int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const;
  LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

  // Geometry.
  void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
  void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
  BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
  void GetWindowRect(LPRECT lpRect) const;
  void GetClientRect(LPRECT lpRect) const;
  void ScreenToClient(LPPOINT lpPoint) const;
  void ScreenToClient(LPRECT lpRect) const;
  void ClientToScreen(LPPOINT lpPoint) const;
  void ClientToScreen(LPRECT lpRect) const;
  // Centres over pAlternateOwner, else the owner (parent of a child), else
  // the screen; kept on the screen.
  void CenterWindow(CWnd* pAlternateOwner = nullptr);
  int SetWindowRgn(HRGN hRgn, BOOL bRedraw);

  // Fonts and device contexts (WndDrawing.cpp). GetFont gives the wrapper
  // of the window's WM_GETFONT answer (null when it has none); GetDC and
  // GetWindowDC give temporary wrappers, released with ReleaseDC.
  void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
  CFont* GetFont() const;
  CDC* GetDC();
  CDC* GetWindowDC();
  int ReleaseDC(CDC* pDC);

  // Painting state.
  void Invalidate(BOOL bErase = TRUE);
  void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
  void UpdateWindow();

  // Messages and timers.
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  // Sends to every child (and, when bDeep, their children); with bOnlyPerm
  // only to windows that have a permanent object.
  void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE,
                                BOOL bOnlyPerm = FALSE) const;
  UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer);
  BOOL KillTimer(UINT_PTR nIDEvent);
  int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr, UINT nType = MB_OK);

  // Default handlers: each passes the message to Default(). Derived classes
  // map the message (ON_WM_...) and call these for the default behaviour.
  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  void OnDestroy();
  // Ends the object's tie to the window: a thread's main window is forgotten
  // (and the thread asked to quit), the object detached, PostNcDestroy called.
  void OnNcDestroy();
  void OnClose();
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnTimer(UINT_PTR nIDEvent);
  void OnShowWindow(BOOL bShow, UINT nStatus);
  void OnSize(UINT nType, int cx, int cy);
  void OnMove(int x, int y);
  void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  void OnSetFocus(CWnd* pOldWnd);
  void OnKillFocus(CWnd* pNewWnd);
  void OnEnable(BOOL bEnable);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnLButtonDblClk(UINT nFlags, CPoint point);
  void OnRButtonDown(UINT nFlags, CPoint point);
  void OnRButtonUp(UINT nFlags, CPoint point);
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnMouseLeave();
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  UINT OnGetDlgCode();
  LRESULT OnNcHitTest(CPoint point);
  void OnSysCommand(UINT nID, LPARAM lParam);
  BOOL OnQueryEndSession();
  UINT OnPowerBroadcast(UINT nPowerEvent, LPARAM nEventData);
  HCURSOR OnQueryDragIcon();
  // These first offer the message to the child it concerns (reflection).
  HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
  void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);

 protected:
  WNDPROC m_pfnSuper = nullptr;  // the procedure a subclassed window had

  DECLARE_MESSAGE_MAP()

 private:
  friend class CWndCreationHook;
  friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
  explicit CWnd(HWND hWndPlace) : m_hWnd(hWndPlace) {}
  // The nearest window, from hWnd up through its parents, that enabled
  // tooltips.
  static CWnd* ToolTipWindowOf(HWND hWnd);
  bool m_bToolTips = false;
  void RouteThroughObject();
  LRESULT ReflectOrDefault(HWND hWndChild);
  // CWnd's own entries for messages that concern a child control.
  LRESULT OnCtlColorMessage(WPARAM wParam, LPARAM lParam);
  LRESULT OnDrawItemMessage(WPARAM wParam, LPARAM lParam);
  LRESULT OnMeasureItemMessage(WPARAM wParam, LPARAM lParam);
  LRESULT OnCompareItemMessage(WPARAM wParam, LPARAM lParam);
  LRESULT OnDeleteItemMessage(WPARAM wParam, LPARAM lParam);
  LRESULT OnScrollMessage(WPARAM wParam, LPARAM lParam);
};

// The window procedure of every window with an object of this library.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

namespace wavorel {
// Deletes the thread's temporary CWnd wrappers unless a window procedure of
// this library is running on the thread. Message loops call it between
// messages (CWinThread::OnIdle does). TRUE when they were deleted.
bool releaseTemporaryWindows();
}  // namespace wavorel

#include "platform/mfc/WndMessageMap.h"
