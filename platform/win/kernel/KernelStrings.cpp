#include "platform/win/kernel/KernelStrings.h"

namespace {

// The place of a character when case is ignored.
int primaryWeight(unsigned char c) {
  if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
  if (c >= 0x80) return 0x300 + c;
  if (c >= 'a' && c <= 'z') return 0x200 + c;
  if (c >= '0' && c <= '9') return 0x100 + c;
  return c;
}

int sign(int value) { return value < 0 ? -1 : (value > 0 ? 1 : 0); }

}  // namespace

int lstrcmp(LPCSTR lpString1, LPCSTR lpString2) {
  if (!lpString1 || !lpString2) return lpString1 ? 1 : (lpString2 ? -1 : 0);
  const auto* a = reinterpret_cast<const unsigned char*>(lpString1);
  const auto* b = reinterpret_cast<const unsigned char*>(lpString2);
  int caseOrder = 0;
  for (; *a && *b; ++a, ++b) {
    if (int order = primaryWeight(*a) - primaryWeight(*b)) return sign(order);
    // Same letter in another case: lower case first, unless an earlier place decided.
    if (caseOrder == 0 && *a != *b) caseOrder = *a > *b ? -1 : 1;
  }
  if (*a || *b) return *a ? 1 : -1;
  return caseOrder;
}

LPSTR lstrcpyn(LPSTR lpString1, LPCSTR lpString2, int iMaxLength) {
  if (!lpString1 || !lpString2) return nullptr;
  if (iMaxLength <= 0) return lpString1;
  int i = 0;
  for (; i < iMaxLength - 1 && lpString2[i]; ++i) lpString1[i] = lpString2[i];
  lpString1[i] = '\0';
  return lpString1;
}
