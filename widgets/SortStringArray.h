// CSortStringArray: a string array that sorts itself ascending without regard
// to case (a bubble sort: neighbours swap while the left one compares greater).
#pragma once

#include "platform/Platform.h"

class CSortStringArray : public CStringArray {
 public:
  void Sort();
};
