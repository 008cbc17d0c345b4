// Text helpers of the worker module: splitting at a separator text,
// hexadecimal text to bytes, and the warning box (WarningMessageBox, declared
// in HideDlg.h) that parts without a worker window show as well.
#include <cstring>

#include "frontend/UiBridge.h"
#include "worker/HexStringToBytes.h"
#include "worker/HideDlg.h"
#include "worker/ModuleFunctions.h"

int WarningMessageBox(LPCSTR text) { return NotifyUIAlert(text, MB_ICONEXCLAMATION); }

int SplitString(LPCSTR source, LPCSTR separator, CStringArray& out) {
  const size_t sepLength = separator ? std::strlen(separator) : 0;
  if (!source || sepLength == 0) return 0;
  // Two walks: the first counts the separators and the pieces, so the array
  // grows once; the second fills the new elements.
  int found = 0;
  INT_PTR pieces = 0;
  const char* pieceStart = source;
  for (const char* hit = std::strstr(source, separator); hit; hit = std::strstr(pieceStart, separator)) {
    ++found;
    if (hit > pieceStart) ++pieces;
    pieceStart = hit + sepLength;
  }
  if (found == 0) return 0;
  if (*pieceStart) ++pieces;
  INT_PTR at = out.GetSize();
  out.SetSize(at + pieces);
  pieceStart = source;
  for (const char* hit = std::strstr(source, separator); hit; hit = std::strstr(pieceStart, separator)) {
    if (hit > pieceStart) out[at++] = CString(pieceStart, static_cast<int>(hit - pieceStart));
    pieceStart = hit + sepLength;
  }
  if (*pieceStart) out[at] = pieceStart;
  return found;
}

BYTE HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return static_cast<BYTE>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<BYTE>(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return static_cast<BYTE>(c - 'a' + 10);
  return 255;
}

void ConvHexTextToBytes(LPCSTR text, BYTE* output, int n) { HexStringToBytes(text, output, n); }
