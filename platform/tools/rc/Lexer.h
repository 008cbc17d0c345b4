// Splits one line of a resource script (comments already removed) into tokens.
#pragma once

#include <string>
#include <vector>

#include "platform/tools/rc/Token.h"

namespace wavrc {

// Strings are decoded: C escapes (\n \r \t \a \b \f \v \\ \" \' \0 and octal,
// \x hex) and "" for one quote. Throws RcError on a character that starts no
// token, an unterminated string or a malformed number.
void tokenizeLine(const std::string& line, const std::string& file, int lineNo, std::vector<Token>& out);

}  // namespace wavrc
