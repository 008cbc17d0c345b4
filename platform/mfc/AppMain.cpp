// The program's entry: the Windows command line from argv, then the
// application's InitInstance, message loop and ExitInstance.
#include <cstdlib>
#include <string>

#include "platform/mfc/WinApp.h"
#include "platform/mfc/Wnd.h"
#include "platform/sim/radio/Machine.h"
#include "platform/win/kernel/Resources.h"

namespace {

// One argument as the run-time's splitter reads it back: quoted when empty or
// holding blanks, tabs or quotes; backslashes doubled only before a quote.
std::string quoteArgument(const std::string& arg) {
  if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) return arg;
  std::string out = "\"";
  size_t backslashes = 0;
  for (char c : arg) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    if (c == '"') backslashes = backslashes * 2 + 1;
    out.append(backslashes, '\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, '\\');
  return out + "\"";
}

}  // namespace

int AfxWinMain(int argc, char** argv) {
  // The machine the program manages; a world file that cannot be used ends the program.
  if (!wavorel::sim::loadMachineAtStart()) return EXIT_FAILURE;
  std::string commandLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) commandLine += ' ';
    commandLine += quoteArgument(argv[i]);
  }
  if (!AfxWinInit(wavorel::programInstance(), nullptr, commandLine.data(), SW_SHOWNORMAL)) return -1;
  CWinApp* pApp = AfxGetApp();
  if (!pApp->InitInstance()) {
    if (pApp->m_pMainWnd) pApp->m_pMainWnd->DestroyWindow();
    return pApp->ExitInstance();
  }
  return pApp->Run();
}
