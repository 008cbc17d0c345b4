#include "widgets/SortStringArray.h"

#include <algorithm>

void CSortStringArray::Sort() {
  if (GetSize() < 2) return;
  // The elements are contiguous; a merge sort moves them instead of copying.
  CString* first = GetData();
  std::stable_sort(first, first + GetSize(),
                   [](const CString& a, const CString& b) { return a.CompareNoCase(b) < 0; });
}
