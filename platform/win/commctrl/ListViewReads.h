// The list-view messages that only read: the list answers them without
// changing its items, columns or header, so what a paint has looked up
// (row bounds, header rectangles) stays true across them.
#pragma once

#include "platform/win/commctrl/ListView.h"

inline bool ListViewMessageOnlyReads(UINT message) {
  switch (message) {
    case LVM_GETITEMCOUNT:
    case LVM_GETHEADER:
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
    case LVM_GETHOTITEM:
    case LVM_GETIMAGELIST:
    case LVM_GETITEMSTATE:
    case LVM_GETSUBITEMRECT:
    case LVM_GETITEMRECT:
    case LVM_GETNEXTITEM:
    case LVM_GETTOPINDEX:
    case LVM_GETCOUNTPERPAGE:
    case LVM_GETCOLUMNWIDTH:
      return true;
    default:
      return false;
  }
}
