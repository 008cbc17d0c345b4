// WaitMilliseconds: a wait measured in tick counts of the platform clock.
#include "worker/ModuleFunctions.h"

void WaitMilliseconds(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (DWORD elapsed = 0; elapsed <= milliseconds; elapsed = GetTickCount() - start) Sleep(milliseconds - elapsed + 1);
}
