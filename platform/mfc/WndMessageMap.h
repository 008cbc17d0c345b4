// The message-map entries of window messages (ON_WM_...), with the handler
// signatures of MFC. Included by Wnd.h.
#pragma once

#include "platform/mfc/MessageMap.h"

class CDC;
class CWnd;

namespace wavorel::msgmap {

// The device-context object of a message's HDC (a temporary of CDC's map).
CDC* dcFromHandle(HDC hDC);

inline CWnd* wnd(WPARAM wParam) { return CWnd::FromHandle(reinterpret_cast<HWND>(wParam)); }
inline CWnd* wndL(LPARAM lParam) { return CWnd::FromHandle(reinterpret_cast<HWND>(lParam)); }
inline UINT u(WPARAM wParam) { return static_cast<UINT>(wParam); }

// Each adapter checks its handler's signature and unpacks the message.
#define WAVOREL_WM_ADAPTER(name, signature, call)                              \
  template <auto F>                                                            \
  BOOL name(CCmdTarget* t, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) { \
    static_assert(has<F, signature>, #name " handlers are " #signature);       \
    auto* p = self<F>(t);                                                      \
    (void)message;                                                             \
    (void)wParam;                                                              \
    (void)lParam;                                                              \
    (void)pResult;                                                             \
    call;                                                                      \
    return TRUE;                                                               \
  }

WAVOREL_WM_ADAPTER(vv, void(), (p->*F)())
WAVOREL_WM_ADAPTER(create, int(LPCREATESTRUCT), *pResult = (p->*F)(reinterpret_cast<LPCREATESTRUCT>(lParam)))
WAVOREL_WM_ADAPTER(eraseBkgnd, BOOL(CDC*), *pResult = (p->*F)(dcFromHandle(reinterpret_cast<HDC>(wParam))))
WAVOREL_WM_ADAPTER(timer, void(UINT_PTR), (p->*F)(static_cast<UINT_PTR>(wParam)))
WAVOREL_WM_ADAPTER(showWindow, void(BOOL, UINT), (p->*F)(static_cast<BOOL>(wParam), static_cast<UINT>(lParam)))
WAVOREL_WM_ADAPTER(size, void(UINT, int, int), (p->*F)(u(wParam), LOWORD(lParam), HIWORD(lParam)))
WAVOREL_WM_ADAPTER(move, void(int, int),
                   (p->*F)(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))))
WAVOREL_WM_ADAPTER(activate, void(UINT, CWnd*, BOOL), (p->*F)(LOWORD(wParam), wndL(lParam), HIWORD(wParam) != 0))
WAVOREL_WM_ADAPTER(focus, void(CWnd*), (p->*F)(wnd(wParam)))
WAVOREL_WM_ADAPTER(enable, void(BOOL), (p->*F)(static_cast<BOOL>(wParam)))
WAVOREL_WM_ADAPTER(mouse, void(UINT, CPoint), (p->*F)(u(wParam), CPoint(lParam)))
WAVOREL_WM_ADAPTER(setCursor, BOOL(CWnd*, UINT, UINT), *pResult = (p->*F)(wnd(wParam), LOWORD(lParam), HIWORD(lParam)))
WAVOREL_WM_ADAPTER(key, void(UINT, UINT, UINT), (p->*F)(u(wParam), LOWORD(lParam), HIWORD(lParam)))
WAVOREL_WM_ADAPTER(getDlgCode, UINT(), *pResult = (p->*F)())
WAVOREL_WM_ADAPTER(ncHitTest, LRESULT(CPoint), *pResult = (p->*F)(CPoint(lParam)))
WAVOREL_WM_ADAPTER(sysCommand, void(UINT, LPARAM), (p->*F)(u(wParam), lParam))
WAVOREL_WM_ADAPTER(queryEndSession, BOOL(), *pResult = (p->*F)())
WAVOREL_WM_ADAPTER(powerBroadcast, UINT(UINT, LPARAM), *pResult = (p->*F)(u(wParam), lParam))
WAVOREL_WM_ADAPTER(queryDragIcon, HCURSOR(), *pResult = reinterpret_cast<LRESULT>((p->*F)()))
WAVOREL_WM_ADAPTER(ctlColor, HBRUSH(CDC*, CWnd*, UINT),
                   *pResult = reinterpret_cast<LRESULT>((p->*F)(dcFromHandle(reinterpret_cast<HDC>(wParam)), wndL(lParam),
                                                                message - WM_CTLCOLORMSGBOX)))
// Owner-draw messages answer TRUE once handled.
WAVOREL_WM_ADAPTER(drawItem, void(int, LPDRAWITEMSTRUCT),
                   ((p->*F)(static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)), *pResult = TRUE))
WAVOREL_WM_ADAPTER(measureItem, void(int, LPMEASUREITEMSTRUCT),
                   ((p->*F)(static_cast<int>(wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)), *pResult = TRUE))
// Reflected to the control itself.
WAVOREL_WM_ADAPTER(drawItemReflect, void(LPDRAWITEMSTRUCT),
                   ((p->*F)(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)), *pResult = TRUE))
WAVOREL_WM_ADAPTER(measureItemReflect, void(LPMEASUREITEMSTRUCT),
                   ((p->*F)(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)), *pResult = TRUE))
WAVOREL_WM_ADAPTER(scrollReflect, void(UINT, UINT), (p->*F)(LOWORD(wParam), HIWORD(wParam)))
#undef WAVOREL_WM_ADAPTER

// A reflected WM_CTLCOLOR*: HBRUSH f(CDC*, UINT nCtlColor). A null brush
// leaves the message to the parent.
template <auto F>
BOOL ctlColorReflect(CCmdTarget* t, UINT message, WPARAM wParam, LPARAM, LRESULT* pResult) {
  static_assert(has<F, HBRUSH(CDC*, UINT)>, "ON_WM_CTLCOLOR_REFLECT handlers are HBRUSH f(CDC*, UINT)");
  HBRUSH brush = (self<F>(t)->*F)(dcFromHandle(reinterpret_cast<HDC>(wParam)), message - WM_REFLECT_BASE - WM_CTLCOLORMSGBOX);
  if (!brush) return FALSE;
  *pResult = reinterpret_cast<LRESULT>(brush);
  return TRUE;
}

}  // namespace wavorel::msgmap

#define WAVOREL_ON_WM(message, adapter, memberFxn) WAVOREL_MSGMAP_ENTRY(message, 0, 0, 0, adapter, memberFxn)

#define ON_WM_CREATE() WAVOREL_ON_WM(WM_CREATE, create, &ThisClass::OnCreate)
#define ON_WM_DESTROY() WAVOREL_ON_WM(WM_DESTROY, vv, &ThisClass::OnDestroy)
#define ON_WM_NCDESTROY() WAVOREL_ON_WM(WM_NCDESTROY, vv, &ThisClass::OnNcDestroy)
#define ON_WM_CLOSE() WAVOREL_ON_WM(WM_CLOSE, vv, &ThisClass::OnClose)
#define ON_WM_PAINT() WAVOREL_ON_WM(WM_PAINT, vv, &ThisClass::OnPaint)
#define ON_WM_ERASEBKGND() WAVOREL_ON_WM(WM_ERASEBKGND, eraseBkgnd, &ThisClass::OnEraseBkgnd)
#define ON_WM_TIMER() WAVOREL_ON_WM(WM_TIMER, timer, &ThisClass::OnTimer)
#define ON_WM_SHOWWINDOW() WAVOREL_ON_WM(WM_SHOWWINDOW, showWindow, &ThisClass::OnShowWindow)
#define ON_WM_SIZE() WAVOREL_ON_WM(WM_SIZE, size, &ThisClass::OnSize)
#define ON_WM_MOVE() WAVOREL_ON_WM(WM_MOVE, move, &ThisClass::OnMove)
#define ON_WM_ACTIVATE() WAVOREL_ON_WM(WM_ACTIVATE, activate, &ThisClass::OnActivate)
#define ON_WM_SETFOCUS() WAVOREL_ON_WM(WM_SETFOCUS, focus, &ThisClass::OnSetFocus)
#define ON_WM_KILLFOCUS() WAVOREL_ON_WM(WM_KILLFOCUS, focus, &ThisClass::OnKillFocus)
#define ON_WM_ENABLE() WAVOREL_ON_WM(WM_ENABLE, enable, &ThisClass::OnEnable)
#define ON_WM_LBUTTONDOWN() WAVOREL_ON_WM(WM_LBUTTONDOWN, mouse, &ThisClass::OnLButtonDown)
#define ON_WM_LBUTTONUP() WAVOREL_ON_WM(WM_LBUTTONUP, mouse, &ThisClass::OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() WAVOREL_ON_WM(WM_LBUTTONDBLCLK, mouse, &ThisClass::OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() WAVOREL_ON_WM(WM_RBUTTONDOWN, mouse, &ThisClass::OnRButtonDown)
#define ON_WM_RBUTTONUP() WAVOREL_ON_WM(WM_RBUTTONUP, mouse, &ThisClass::OnRButtonUp)
#define ON_WM_MOUSEMOVE() WAVOREL_ON_WM(WM_MOUSEMOVE, mouse, &ThisClass::OnMouseMove)
#define ON_WM_MOUSELEAVE() WAVOREL_ON_WM(WM_MOUSELEAVE, vv, &ThisClass::OnMouseLeave)
#define ON_WM_SETCURSOR() WAVOREL_ON_WM(WM_SETCURSOR, setCursor, &ThisClass::OnSetCursor)
#define ON_WM_KEYDOWN() WAVOREL_ON_WM(WM_KEYDOWN, key, &ThisClass::OnKeyDown)
#define ON_WM_KEYUP() WAVOREL_ON_WM(WM_KEYUP, key, &ThisClass::OnKeyUp)
#define ON_WM_CHAR() WAVOREL_ON_WM(WM_CHAR, key, &ThisClass::OnChar)
#define ON_WM_GETDLGCODE() WAVOREL_ON_WM(WM_GETDLGCODE, getDlgCode, &ThisClass::OnGetDlgCode)
#define ON_WM_NCHITTEST() WAVOREL_ON_WM(WM_NCHITTEST, ncHitTest, &ThisClass::OnNcHitTest)
#define ON_WM_SYSCOMMAND() WAVOREL_ON_WM(WM_SYSCOMMAND, sysCommand, &ThisClass::OnSysCommand)
#define ON_WM_QUERYENDSESSION() WAVOREL_ON_WM(WM_QUERYENDSESSION, queryEndSession, &ThisClass::OnQueryEndSession)
#define ON_WM_POWERBROADCAST() WAVOREL_ON_WM(WM_POWERBROADCAST, powerBroadcast, &ThisClass::OnPowerBroadcast)
#define ON_WM_QUERYDRAGICON() WAVOREL_ON_WM(WM_QUERYDRAGICON, queryDragIcon, &ThisClass::OnQueryDragIcon)
// Every WM_CTLCOLOR* message; the handler gets the CTLCOLOR_* kind.
#define ON_WM_CTLCOLOR() WAVOREL_ON_WM(WM_CTLCOLOR, ctlColor, &ThisClass::OnCtlColor)
#define ON_WM_DRAWITEM() WAVOREL_ON_WM(WM_DRAWITEM, drawItem, &ThisClass::OnDrawItem)
#define ON_WM_MEASUREITEM() WAVOREL_ON_WM(WM_MEASUREITEM, measureItem, &ThisClass::OnMeasureItem)

// Reflected to the control the message concerns.
#define ON_WM_CTLCOLOR_REFLECT() WAVOREL_ON_WM(WM_REFLECT_BASE + WM_CTLCOLOR, ctlColorReflect, &ThisClass::CtlColor)
#define ON_WM_DRAWITEM_REFLECT() WAVOREL_ON_WM(WM_REFLECT_BASE + WM_DRAWITEM, drawItemReflect, &ThisClass::DrawItem)
#define ON_WM_MEASUREITEM_REFLECT() \
  WAVOREL_ON_WM(WM_REFLECT_BASE + WM_MEASUREITEM, measureItemReflect, &ThisClass::MeasureItem)
#define ON_WM_HSCROLL_REFLECT() WAVOREL_ON_WM(WM_REFLECT_BASE + WM_HSCROLL, scrollReflect, &ThisClass::HScroll)
#define ON_WM_VSCROLL_REFLECT() WAVOREL_ON_WM(WM_REFLECT_BASE + WM_VSCROLL, scrollReflect, &ThisClass::VScroll)
