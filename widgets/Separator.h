// CSeparator: a static drawn as an etched line, horizontal with an optional
// caption over it (SS_CENTER, SS_RIGHT or left-aligned text), or vertical
// without one when the control is taller than wide.
#pragma once

#include "platform/Platform.h"

class CSeparator : public CStatic {
 protected:
  void OnPaint();
  DECLARE_MESSAGE_MAP()
};
