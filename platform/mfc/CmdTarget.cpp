#include "platform/mfc/CmdTarget.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

namespace {

const AFX_MSGMAP_ENTRY kNoEntries[] = {{0, 0, 0, 0, nullptr, nullptr}};

bool matches(const AFX_MSGMAP_ENTRY& e, UINT nMessage, UINT nCode, UINT nID) {
  if (e.pnRegistered ? *e.pnRegistered != nMessage : e.nMessage != nMessage) return false;
  return e.nCode == nCode && e.nID <= nID && nID <= e.nLastID;
}


}  // namespace

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP messageMap = {nullptr, kNoEntries};
  return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

BOOL CCmdTarget::DispatchMessageEntries(UINT nKey, UINT nCode, UINT nID, UINT message, WPARAM wParam,
                                        LPARAM lParam, LRESULT* pResult) {
  for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr)
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn; ++e)
      if (matches(*e, nKey, nCode, nID) && e->pfn(this, message, wParam, lParam, pResult)) return TRUE;
  return FALSE;
}
