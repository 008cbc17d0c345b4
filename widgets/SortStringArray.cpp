#include "widgets/SortStringArray.h"

void CSortStringArray::Sort() {
  const INT_PTR count = GetSize();
  if (count < 2) return;
  for (bool swapped = true; swapped;) {
    swapped = false;
    for (INT_PTR i = 0; i < count - 1; ++i) {
      if (GetAt(i).CompareNoCase(GetAt(i + 1)) >= 1) {
        const CString left = GetAt(i);
        SetAt(i, GetAt(i + 1));
        SetAt(i + 1, left);
        swapped = true;
      }
    }
  }
}
