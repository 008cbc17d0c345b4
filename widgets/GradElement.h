// One run of a CGradient: a length of solid colour along the gradient's axis.
#pragma once

#include "platform/Platform.h"

struct CGradElement {
  COLORREF colour = 0;
  int length = 0;  // pixels
};
