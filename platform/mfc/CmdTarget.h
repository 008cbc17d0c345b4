// CCmdTarget: the base of every class with a message map.
#pragma once

#include "platform/mfc/MessageMap.h"
#include "platform/mfc/Object.h"

class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)

 public:
  CCmdTarget() = default;

  // Offers a message to the entries that match it, in this class's map and
  // then its bases', until one takes it (its adapter returns TRUE; _EX
  // handlers may decline). An entry matches the message, the notification code
  // and holds `nID` in its id range (window messages use code and id 0).
  // `message` is what the adapter gets: the message itself, which differs
  // from nKey where one entry serves several messages (WM_CTLCOLOR).
  // FALSE when no entry took it.
  BOOL DispatchMessageEntries(UINT nKey, UINT nCode, UINT nID, UINT message, WPARAM wParam, LPARAM lParam,
                              LRESULT* pResult);

 protected:
  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;
};
