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
  int found = 0;
  const char* pieceStart = source;
  const char* hit = std::strstr(source, separator);
  if (!hit) return 0;
  while (hit) {
    ++found;
    if (hit > pieceStart) out.Add(CString(pieceStart, static_cast<int>(hit - pieceStart)));
    pieceStart = hit + sepLength;
    hit = std::strstr(pieceStart, separator);
  }
  if (*pieceStart) out.Add(CString(pieceStart));
  return found;
}

BYTE HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return static_cast<BYTE>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<BYTE>(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return static_cast<BYTE>(c - 'a' + 10);
  return 255;
}

void ConvHexTextToBytes(LPCSTR text, BYTE* output, int n) { HexStringToBytes(text, output, n); }
