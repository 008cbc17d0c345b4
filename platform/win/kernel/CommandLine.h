// Command lines as Windows programs see them: one string that the C run-time
// of the started program splits into arguments.
#pragma once

#include <string>
#include <vector>

namespace wavorel {

// Splits by the run-time's rules: the first argument (the program) runs to
// the closing quote when it starts with one, else to the first blank or tab,
// with no escapes. The others are separated by blanks and tabs; quotes group
// (and "" inside quotes is one literal quote); 2n backslashes before a quote
// give n backslashes and the quote groups, 2n+1 give n backslashes and a
// literal quote; other backslashes are literal.
std::vector<std::string> splitCommandLine(const std::string& commandLine);

// The program names that CreateProcess tries for a command line without an
// application name, in order: the quoted first part; or, unquoted, every
// prefix that ends before a blank or tab and then the whole line
// ("C:\Program Files\a b" tries "C:\Program", "C:\Program Files\a", then all).
std::vector<std::string> programCandidates(const std::string& commandLine);

}  // namespace wavorel
