#include "worker/HexStringToBytes.h"

#include "worker/ModuleFunctions.h"

void HexStringToBytes(LPCSTR text, BYTE* out, int count) {
  for (int i = 0; i < count; ++i)
    out[i] = static_cast<BYTE>(16 * HexDigitValue(text[2 * i]) + HexDigitValue(text[2 * i + 1]));
}
