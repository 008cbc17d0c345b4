// The record an item of CComboBoxSuper carries as its item data: the colour,
// icon and weight of its text and the texts of its further columns.
#pragma once

#include "platform/Platform.h"

struct CComboBoxSuperItem {
  COLORREF crTextColor = 0;
  int nImageIndex = -1;  // -1: no icon
  CMap<int, int, CString, LPCTSTR> mapStrings;
  BOOL bBold = FALSE;
};
