// Hands the owner-drawn item messages a parent reflects to a list box or
// combo box object to its DrawItem, MeasureItem, CompareItem and DeleteItem.
#pragma once

#include "platform/win/controls/ControlConstants.h"
#include "platform/win/user/User.h"

namespace wavorel {

template <class Control>
BOOL reflectItemMessage(Control& control, UINT message, LPARAM lParam, LRESULT* pResult) {
  LRESULT result = TRUE;
  switch (message) {
    case WM_DRAWITEM: control.DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); break;
    case WM_MEASUREITEM: control.MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); break;
    case WM_COMPAREITEM: result = control.CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)); break;
    case WM_DELETEITEM: control.DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)); break;
    default: return FALSE;
  }
  if (pResult) *pResult = result;
  return TRUE;
}

}  // namespace wavorel
