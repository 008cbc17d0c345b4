// Splits one line of a resource script (comments already removed) into tokens.
#pragma once

#include <string>
#include <vector>

#include "platform/tools/rc/Token.h"

namespace wavrc {

// Scripts are UTF-8. Strings are decoded: the C escapes of control
// characters, backslash, quotes and octal bytes (such as a zero byte), a
// backslash-x with two hexadecimal digits for the character U+00HH (four
// digits in L"" strings), and "" for one quote. Throws RcError on a character
// that starts no token, an unterminated string or a malformed number.
void tokenizeLine(const std::string& line, const std::string& file, int lineNo, std::vector<Token>& out);

}  // namespace wavrc
