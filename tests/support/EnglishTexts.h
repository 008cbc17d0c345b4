// The program's English texts (apps/Language/English.ini) put beside a program
// folder of a test's platform root, where the installer puts them.
#pragma once

#include <string>

namespace wavorel::testing {

// Copies English.ini into `programFolder`/Language (made if missing),
// replacing a copy already there.
void installEnglishTexts(const std::string& programFolder);

}  // namespace wavorel::testing
