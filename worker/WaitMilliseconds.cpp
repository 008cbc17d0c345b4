// WaitMilliseconds (ModuleFunctions.h): measured on the tick count, never on
// the time of day, so a wait that starts before midnight ends.
#include "worker/ModuleFunctions.h"

void WaitMilliseconds(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (DWORD elapsed = 0; elapsed <= milliseconds; elapsed = GetTickCount() - start) Sleep(milliseconds - elapsed + 1);
}
