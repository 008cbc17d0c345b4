// Message maps: the tables that tie window messages, commands and
// notifications to member functions of a CCmdTarget-derived class.
//
//   class CMyWnd : public CWnd { ... DECLARE_MESSAGE_MAP() };
//   BEGIN_MESSAGE_MAP(CMyWnd, CWnd)
//     ON_WM_TIMER()
//     ON_BN_CLICKED(IDC_GO, &CMyWnd::OnGo)
//   END_MESSAGE_MAP()
//
// Each entry holds what it matches (message, notification code, a range of
// control ids, or the variable of a registered message) and an adapter: a
// plain function made from the handler's pointer to member at compile time,
// which unpacks WPARAM/LPARAM into the handler's documented parameters and
// packs its result. A handler of the wrong signature does not compile.
// A lookup walks the class's own entries, then its base class's map, so a
// derived class's entry overrides its base's.
#pragma once

#include <type_traits>

#include "platform/win/user/NotifyHeader.h"
#include "platform/win/kernel/Types.h"
#include "platform/win/user/WindowConstants.h"

class CCmdTarget;

// Messages a parent hands back to the child control they came from (WM_COMMAND,
// WM_NOTIFY, WM_CTLCOLOR*, ...) arrive at the child's map offset by this.
#define WM_REFLECT_BASE 0xBC00

// The adapter of an entry: calls the handler for the message. FALSE when the
// handler declined it (the _EX forms, a null reflected brush), so the search
// goes on.
typedef BOOL (*AFX_PMSGADAPTER)(CCmdTarget* pTarget, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;
  UINT nCode;                // notification code (WM_COMMAND, WM_NOTIFY)
  UINT nID;                  // first control id
  UINT nLastID;              // last control id
  const UINT* pnRegistered;  // ON_REGISTERED_MESSAGE: the message is *pnRegistered
  AFX_PMSGADAPTER pfn;       // null ends the table
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                  \
 protected:                                    \
  static const AFX_MSGMAP* GetThisMessageMap(); \
  const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                  \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }             \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                                             \
    using ThisClass [[maybe_unused]] = theClass;                                                \
    using TheBaseClass = baseClass;                                                             \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                     \
  {0, 0, 0, 0, nullptr, nullptr}                                              \
  };                                                                          \
  static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
  return &messageMap;                                                         \
  }

namespace wavorel::msgmap {

// The class and the plain signature of a pointer to member function.
template <class M>
struct Member;
template <class C, class R, class... A>
struct Member<R (C::*)(A...)> {
  using Class = C;
  using Signature = R(A...);
};

template <auto F, class Signature>
constexpr bool has = std::is_same_v<typename Member<decltype(F)>::Signature, Signature>;

template <auto F>
typename Member<decltype(F)>::Class* self(CCmdTarget* pTarget) {
  return static_cast<typename Member<decltype(F)>::Class*>(pTarget);
}

inline UINT commandId(WPARAM wParam) { return LOWORD(wParam); }
inline NMHDR* notifyHeader(LPARAM lParam) { return reinterpret_cast<NMHDR*>(lParam); }

// ON_COMMAND, ON_CONTROL and their forms: void f().
template <auto F>
BOOL command(CCmdTarget* t, UINT, WPARAM, LPARAM, LRESULT*) {
  static_assert(has<F, void()>, "command handlers are void f()");
  (self<F>(t)->*F)();
  return TRUE;
}
// ON_COMMAND_RANGE, ON_CONTROL_RANGE: void f(UINT nID).
template <auto F>
BOOL commandRange(CCmdTarget* t, UINT, WPARAM wParam, LPARAM, LRESULT*) {
  static_assert(has<F, void(UINT)>, "range command handlers are void f(UINT nID)");
  (self<F>(t)->*F)(commandId(wParam));
  return TRUE;
}
// ON_CONTROL_REFLECT_EX: BOOL f(); FALSE lets the parent see the notification too.
template <auto F>
BOOL commandEx(CCmdTarget* t, UINT, WPARAM, LPARAM, LRESULT*) {
  static_assert(has<F, BOOL()>, "ON_CONTROL_REFLECT_EX handlers are BOOL f()");
  return (self<F>(t)->*F)();
}
// ON_NOTIFY, ON_NOTIFY_REFLECT: void f(NMHDR*, LRESULT*).
template <auto F>
BOOL notify(CCmdTarget* t, UINT, WPARAM, LPARAM lParam, LRESULT* pResult) {
  static_assert(has<F, void(NMHDR*, LRESULT*)>, "notify handlers are void f(NMHDR*, LRESULT*)");
  (self<F>(t)->*F)(notifyHeader(lParam), pResult);
  return TRUE;
}
// ON_NOTIFY_REFLECT_EX: BOOL f(NMHDR*, LRESULT*); FALSE lets the parent see it too.
template <auto F>
BOOL notifyReflectEx(CCmdTarget* t, UINT, WPARAM, LPARAM lParam, LRESULT* pResult) {
  static_assert(has<F, BOOL(NMHDR*, LRESULT*)>, "ON_NOTIFY_REFLECT_EX handlers are BOOL f(NMHDR*, LRESULT*)");
  return (self<F>(t)->*F)(notifyHeader(lParam), pResult);
}
// ON_NOTIFY_RANGE: void f(UINT nID, NMHDR*, LRESULT*).
template <auto F>
BOOL notifyRange(CCmdTarget* t, UINT, WPARAM, LPARAM lParam, LRESULT* pResult) {
  static_assert(has<F, void(UINT, NMHDR*, LRESULT*)>, "ON_NOTIFY_RANGE handlers are void f(UINT, NMHDR*, LRESULT*)");
  NMHDR* hdr = notifyHeader(lParam);
  (self<F>(t)->*F)(static_cast<UINT>(hdr->idFrom), hdr, pResult);
  return TRUE;
}
// ON_NOTIFY_EX, ON_NOTIFY_EX_RANGE: BOOL f(UINT nID, NMHDR*, LRESULT*); FALSE
// goes on to the next entry.
template <auto F>
BOOL notifyEx(CCmdTarget* t, UINT, WPARAM, LPARAM lParam, LRESULT* pResult) {
  static_assert(has<F, BOOL(UINT, NMHDR*, LRESULT*)>, "ON_NOTIFY_EX handlers are BOOL f(UINT, NMHDR*, LRESULT*)");
  NMHDR* hdr = notifyHeader(lParam);
  return (self<F>(t)->*F)(static_cast<UINT>(hdr->idFrom), hdr, pResult);
}
// ON_MESSAGE, ON_REGISTERED_MESSAGE: LRESULT f(WPARAM, LPARAM).
template <auto F>
BOOL messageHandler(CCmdTarget* t, UINT, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  static_assert(has<F, LRESULT(WPARAM, LPARAM)>, "ON_MESSAGE handlers are LRESULT f(WPARAM, LPARAM)");
  *pResult = (self<F>(t)->*F)(wParam, lParam);
  return TRUE;
}

}  // namespace wavorel::msgmap

#define WAVOREL_MSGMAP_ENTRY(msg, code, id, lastId, adapter, memberFxn) \
  {static_cast<UINT>(msg), static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(lastId), nullptr, \
   &wavorel::msgmap::adapter<memberFxn>},

// Commands (menus, accelerators, and control notifications with code 0).
#define ON_COMMAND(id, memberFxn) WAVOREL_MSGMAP_ENTRY(WM_COMMAND, 0, id, id, command, memberFxn)
#define ON_COMMAND_RANGE(id, idLast, memberFxn) WAVOREL_MSGMAP_ENTRY(WM_COMMAND, 0, id, idLast, commandRange, memberFxn)

// Control notifications through WM_COMMAND.
#define ON_CONTROL(wNotifyCode, id, memberFxn) WAVOREL_MSGMAP_ENTRY(WM_COMMAND, wNotifyCode, id, id, command, memberFxn)
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
  WAVOREL_MSGMAP_ENTRY(WM_COMMAND, wNotifyCode, id, idLast, commandRange, memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)

// WM_NOTIFY.
#define ON_NOTIFY(wNotifyCode, id, memberFxn) WAVOREL_MSGMAP_ENTRY(WM_NOTIFY, wNotifyCode, id, id, notify, memberFxn)
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
  WAVOREL_MSGMAP_ENTRY(WM_NOTIFY, wNotifyCode, id, idLast, notifyRange, memberFxn)
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn) WAVOREL_MSGMAP_ENTRY(WM_NOTIFY, wNotifyCode, id, id, notifyEx, memberFxn)
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn) \
  WAVOREL_MSGMAP_ENTRY(WM_NOTIFY, wNotifyCode, id, idLast, notifyEx, memberFxn)

// Notifications reflected back to the control that sent them.
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
  WAVOREL_MSGMAP_ENTRY(WM_REFLECT_BASE + WM_COMMAND, wNotifyCode, 0, 0, command, memberFxn)
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
  WAVOREL_MSGMAP_ENTRY(WM_REFLECT_BASE + WM_COMMAND, wNotifyCode, 0, 0, commandEx, memberFxn)
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
  WAVOREL_MSGMAP_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, wNotifyCode, 0, 0, notify, memberFxn)
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
  WAVOREL_MSGMAP_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, wNotifyCode, 0, 0, notifyReflectEx, memberFxn)

// Any message by number, or by the variable that holds a registered message.
#define ON_MESSAGE(message, memberFxn) WAVOREL_MSGMAP_ENTRY(message, 0, 0, 0, messageHandler, memberFxn)
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
  {0xC000, 0, 0, 0, &(nMessageVariable), &wavorel::msgmap::messageHandler<memberFxn>},
