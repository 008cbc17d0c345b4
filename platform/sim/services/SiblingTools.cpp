// The sibling tool programs the utilities start when the adapter changes
// hands between station and AP mode. They do nothing here and end with 0;
// the platform records each start.
#include "platform/win/kernel/Process.h"

namespace {

const bool g_registered = [] {
  for (const char* program : {"QzSwap.exe", "Pickwell.exe", "Brenth.exe", "Vendrel.exe"})
    wavorel::registerProgram(program, [](const wavorel::ProgramRun&) -> DWORD { return 0; }, true);
  return true;
}();

}  // namespace
