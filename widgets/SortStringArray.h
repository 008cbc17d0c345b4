// CSortStringArray: a string array that sorts itself ascending without regard
// to case. The sort is stable: strings that differ only in case keep their
// order, as they would under a bubble sort that swaps neighbours only while
// the left one compares greater.
#pragma once

#include "platform/Platform.h"

class CSortStringArray : public CStringArray {
 public:
  void Sort();
};
