// CResizeWidthComboBox_AP: a drop-down list whose list, when it drops, is
// wide enough for its widest item beside a vertical scroll bar, plus one
// digit.
#pragma once

#include "platform/Platform.h"

class CResizeWidthComboBox_AP : public CComboBox {
 protected:
  void OnDropDown();
  DECLARE_MESSAGE_MAP()
};
