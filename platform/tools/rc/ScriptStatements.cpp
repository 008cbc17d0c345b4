// The top level of a script, string tables, toolbars and raw data.
#include <cctype>
#include <cstring>

#include "platform/tools/rc/ByteWriter.h"
#include "platform/tools/rc/Constants.h"
#include "platform/tools/rc/Expression.h"
#include "platform/tools/rc/RcError.h"
#include "platform/tools/rc/Statements.h"
#include "platform/win/kernel/WideText.h"
#include "platform/wire/Bytes.h"

namespace wavrc {

namespace {

std::string upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// Checks the entries of a DLGINIT block: {WORD control, WORD message, DWORD
// length, length bytes}..., then a zero WORD.
void checkDialogInit(const std::vector<uint8_t>& b, const Token& at) {
  auto word = [&](size_t p) { return uint32_t{wavorel::wire::getU16(b.data() + p)}; };
  size_t p = 0;
  for (;;) {
    if (p + 2 > b.size()) throw RcError(at.file, at.line, "DLGINIT data must end with a 0 control id");
    if (word(p) == 0) break;
    if (p + 8 > b.size()) throw RcError(at.file, at.line, "DLGINIT entry cut short");
    uint32_t length = word(p + 4) | (word(p + 6) << 16);
    if (length > b.size() - p - 8) throw RcError(at.file, at.line, "DLGINIT entry length runs past the data");
    p += 8 + length;
  }
  if (p + 2 != b.size()) throw RcError(at.file, at.line, "DLGINIT data after the ending 0");
}

}  // namespace

void compileScript(Script& s) {
  TokenStream& ts = s.ts;
  while (!ts.atEnd()) {
    const Token at = ts.peek();
    if (ts.acceptKeyword("LANGUAGE")) {
      s.language = s.languageOperands();
      continue;
    }
    if (ts.acceptKeyword("STRINGTABLE")) {
      parseStringTable(s, at);
      continue;
    }
    if (at.kind == TokenKind::Punct && at.text != "(" && at.text != "-") {
      ts.fail("unexpected '" + at.text + "' outside any resource");
    }
    if (at.kind == TokenKind::Identifier) {
      uint32_t ignored = 0;
      if (!lookupConstant(at.text, ignored)) ts.fail("unknown statement or undefined name '" + at.text + "'");
    }
    ResName name = s.name("resource name");
    const Token typeToken = ts.peek();
    if (typeToken.kind == TokenKind::Number) {
      parseData(s, ResName::ordinal(s.word("resource type")), name, typeToken);
      continue;
    }
    if (typeToken.kind != TokenKind::Identifier) ts.fail("expected a resource type");
    ts.next();
    std::string type = upper(typeToken.text);
    if (type == "DIALOG" || type == "DIALOGEX") {
      parseDialog(s, name, type == "DIALOGEX", typeToken);
    } else if (type == "MENU") {
      parseMenu(s, name, typeToken);
    } else if (type == "VERSIONINFO") {
      parseVersionInfo(s, name, typeToken);
    } else if (type == "ICON") {
      parseIcon(s, name, typeToken);
    } else if (type == "CURSOR") {
      parseCursor(s, name, typeToken);
    } else if (type == "BITMAP") {
      parseBitmap(s, name, typeToken);
    } else if (type == "TOOLBAR") {
      parseToolbar(s, name, typeToken);
    } else if (type == "DLGINIT") {
      parseData(s, ResName::ordinal(kRtDlgInit), name, typeToken);
    } else if (type == "RCDATA") {
      parseData(s, ResName::ordinal(kRtRcData), name, typeToken);
    } else {
      static const char* const kUnsupported[] = {"MENUEX", "ACCELERATORS", "MESSAGETABLE", "FONT", "TEXTINCLUDE",
                                                 "DESIGNINFO", "GUIDELINES", "HTML", "ANICURSOR", "ANIICON"};
      for (const char* u : kUnsupported) {
        if (type == u) throw RcError(typeToken.file, typeToken.line, type + " resources are not supported");
      }
      s.skipMemoryOptions();
      if (!ts.isString() && !ts.isBegin()) {
        throw RcError(typeToken.file, typeToken.line, "unknown resource type '" + typeToken.text + "'");
      }
      parseData(s, ResName{false, 0, type}, name, typeToken);
    }
  }
  buildStringBlocks(s);
}

void parseStringTable(Script& s, const Token&) {
  TokenStream& ts = s.ts;
  s.skipMemoryOptions();
  uint16_t language = s.language;
  for (;;) {
    if (ts.acceptKeyword("LANGUAGE")) {
      language = s.languageOperands();
    } else if (ts.acceptKeyword("CHARACTERISTICS") || ts.acceptKeyword("VERSION")) {
      s.number("value");
    } else {
      break;
    }
  }
  ts.expectBegin("to open the STRINGTABLE");
  auto& table = s.strings[language];
  while (!ts.isEnd()) {
    if (ts.atEnd()) ts.fail("STRINGTABLE without END");
    const Token at = ts.peek();
    uint16_t id = s.word("string id");
    ts.acceptPunct(",");
    std::string text = ts.expectString("for the string");
    if (wavorel::utf8ToUtf16(text).size() > 0xFFFF) throw RcError(at.file, at.line, "string too long");
    if (!table.emplace(id, text).second) throw RcError(at.file, at.line, "duplicate string id " + std::to_string(id));
  }
  ts.next();
}

void buildStringBlocks(Script& s) {
  for (const auto& [language, table] : s.strings) {
    auto it = table.begin();
    while (it != table.end()) {
      uint16_t block = static_cast<uint16_t>(it->first >> 4);
      ByteWriter w;
      for (uint16_t slot = 0; slot < 16; ++slot) {
        auto found = table.find(static_cast<uint16_t>(block * 16 + slot));
        if (found == table.end()) {
          w.word(0);
          continue;
        }
        std::u16string wide = wavorel::utf8ToUtf16(found->second);
        w.word(static_cast<uint16_t>(wide.size()));
        w.wide(found->second, false);
      }
      Token at;
      at.file = s.ts.peek().file;
      s.set.add(ResName::ordinal(kRtString), ResName::ordinal(static_cast<uint16_t>(block + 1)), language,
                std::move(w.bytes()), at);
      while (it != table.end() && (it->first >> 4) == block) ++it;
    }
  }
}

void parseToolbar(Script& s, const ResName& name, const Token& at) {
  TokenStream& ts = s.ts;
  s.skipMemoryOptions();
  std::vector<uint32_t> size = s.numbers(2, "TOOLBAR button size");
  ts.expectBegin("to open the TOOLBAR");
  std::vector<uint16_t> ids;
  while (!ts.isEnd()) {
    if (ts.acceptKeyword("BUTTON")) {
      ids.push_back(s.word("button id"));
    } else if (ts.acceptKeyword("SEPARATOR")) {
      ids.push_back(0);
    } else {
      ts.fail("expected BUTTON, SEPARATOR or END in TOOLBAR");
    }
  }
  ts.next();
  ByteWriter w;
  w.word(1);
  w.word(static_cast<uint16_t>(size[0]));
  w.word(static_cast<uint16_t>(size[1]));
  w.word(static_cast<uint16_t>(ids.size()));
  for (uint16_t id : ids) w.word(id);
  s.set.add(ResName::ordinal(kRtToolbar), name, s.language, std::move(w.bytes()), at);
}

void parseData(Script& s, const ResName& type, const ResName& name, const Token& at) {
  TokenStream& ts = s.ts;
  s.skipMemoryOptions();
  ByteWriter w;
  if (ts.isString()) {
    const Token fileToken = ts.peek();
    w.raw(s.readFile(ts.expectString("file name"), fileToken));
  } else {
    ts.expectBegin("or a file name for the resource data");
    while (!ts.isEnd()) {
      if (ts.atEnd()) ts.fail("data block without END");
      if (ts.isString()) {
        const Token& t = ts.next();
        if (t.wide) {
          w.wide(t.text, false);
        } else {
          for (char c : t.text) w.byte(static_cast<uint8_t>(c));
        }
      } else {
        Value v = Expression(ts).parse();
        if (v.isLong) {
          w.dword(v.value);
        } else {
          w.word(static_cast<uint16_t>(v.value));
        }
      }
      ts.acceptPunct(",");
    }
    ts.next();
  }
  if (type == ResName::ordinal(kRtDlgInit)) checkDialogInit(w.bytes(), at);
  s.set.add(type, name, s.language, std::move(w.bytes()), at);
}

}  // namespace wavrc
