// The statement parsers of resource scripts. Each is called with the stream
// just past the statement's type keyword (STRINGTABLE: past the keyword) and
// adds what it compiles to the script's resource set.
#pragma once

#include "platform/tools/rc/Script.h"

namespace wavrc {

// Compiles a whole script. Throws RcError.
void compileScript(Script& script);

void parseStringTable(Script& s, const Token& at);
// Packs the collected strings into RT_STRING blocks of 16.
void buildStringBlocks(Script& s);
void parseDialog(Script& s, const ResName& name, bool extended, const Token& at);
void parseMenu(Script& s, const ResName& name, const Token& at);
void parseVersionInfo(Script& s, const ResName& name, const Token& at);
void parseIcon(Script& s, const ResName& name, const Token& at);
void parseCursor(Script& s, const ResName& name, const Token& at);
void parseBitmap(Script& s, const ResName& name, const Token& at);
void parseToolbar(Script& s, const ResName& name, const Token& at);
// DLGINIT, RCDATA and user types: a file name or a BEGIN block of raw data.
void parseData(Script& s, const ResName& type, const ResName& name, const Token& at);

}  // namespace wavrc
