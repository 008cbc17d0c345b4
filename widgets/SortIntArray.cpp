#include "widgets/SortIntArray.h"

#include <cstdlib>

namespace {

int compareInts(const void* a, const void* b) {
  const int x = *static_cast<const int*>(a), y = *static_cast<const int*>(b);
  return x < y ? -1 : x > y ? 1 : 0;
}

}  // namespace

void CSortIntArray::Sort() {
  // The elements are contiguous, as MFC's are.
  if (GetSize() > 1) qsort(&ElementAt(0), static_cast<size_t>(GetSize()), sizeof(int), compareInts);
}

void CSortIntArray::Reverse() {
  const INT_PTR count = GetSize();
  for (INT_PTR i = 0; i < count / 2; ++i) {
    const int left = GetAt(i);
    SetAt(i, GetAt(count - 1 - i));
    SetAt(count - 1 - i, left);
  }
}
