// The platform's one log. Everything the platform itself has to say (a modal
// window answered by the headless default, a hive that cannot be read, an X
// error) is a note; a fault of the program that the platform caught and lived
// through (an exception that escaped a window procedure, a timer callback or a
// hook, a wait on the virtual clock that nothing will ever satisfy) is a
// fault. Both are written to stderr as one whole line "wavorel: <text>"; a
// fault is then handed to the fault handler where one is installed (the test
// fixture's fails the running test).
#pragma once

#include <functional>
#include <string>

namespace wavorel {

void logNote(const char* format, ...) __attribute__((format(printf, 1, 2)));
void logFault(const char* format, ...) __attribute__((format(printf, 1, 2)));

using FaultHandler = std::function<void(const std::string& text)>;
// Installs `handler` (empty: none) and returns the one it replaces.
FaultHandler setFaultHandler(FaultHandler handler);

// Inside a catch block: what the exception being handled says.
std::string currentExceptionText();

}  // namespace wavorel
