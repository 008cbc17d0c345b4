// CSortIntArray: an integer array that sorts itself ascending and reverses
// its order.
#pragma once

#include "platform/Platform.h"

class CSortIntArray : public CArray<int, int> {
 public:
  void Sort();
  void Reverse();
};
