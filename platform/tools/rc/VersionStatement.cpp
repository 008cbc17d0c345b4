// VERSIONINFO: compiled to a VS_VERSIONINFO block holding a VS_FIXEDFILEINFO
// and the StringFileInfo / VarFileInfo blocks of the script.
#include <stdexcept>

#include "platform/tools/rc/ByteWriter.h"
#include "platform/tools/rc/Expression.h"
#include "platform/tools/rc/RcError.h"
#include "platform/tools/rc/Statements.h"
#include "platform/win/kernel/WideText.h"

namespace wavrc {

namespace {

struct VersionNode {
  std::string key;
  bool text = true;  // wType 1 (text) or 0 (binary)
  uint16_t valueLength = 0;  // characters for text, bytes for binary
  std::vector<uint8_t> value;
  std::vector<VersionNode> children;
};

VersionNode parseValue(Script& s) {
  TokenStream& ts = s.ts;
  VersionNode node;
  node.key = ts.expectString("for the VALUE name");
  ByteWriter w;
  bool sawText = false, sawNumber = false;
  while (ts.acceptPunct(",")) {
    if (ts.isString()) {
      std::string text = ts.expectString("value");
      while (!text.empty() && text.back() == '\0') text.pop_back();
      node.valueLength = static_cast<uint16_t>(node.valueLength + wavorel::utf8ToUtf16(text).size());
      w.wide(text, false);
      sawText = true;
    } else {
      Value v = Expression(ts).parse();
      if (v.isLong) {
        w.dword(v.value);
      } else {
        w.word(static_cast<uint16_t>(v.value));
      }
      sawNumber = true;
    }
  }
  if (sawText && sawNumber) ts.fail("VALUE mixes texts and numbers");
  node.text = !sawNumber;
  if (node.text) {
    w.word(0);
    node.valueLength = static_cast<uint16_t>(node.valueLength + 1);
  } else {
    node.valueLength = static_cast<uint16_t>(w.size());
  }
  node.value = std::move(w.bytes());
  return node;
}

std::vector<VersionNode> parseBlockBody(Script& s) {
  TokenStream& ts = s.ts;
  ts.expectBegin("to open the block");
  std::vector<VersionNode> nodes;
  while (!ts.isEnd()) {
    if (ts.acceptKeyword("BLOCK")) {
      VersionNode node;
      node.key = ts.expectString("for the BLOCK name");
      node.children = parseBlockBody(s);
      nodes.push_back(std::move(node));
    } else if (ts.acceptKeyword("VALUE")) {
      nodes.push_back(parseValue(s));
    } else {
      ts.fail(ts.atEnd() ? "VERSIONINFO without END" : "expected BLOCK, VALUE or END");
    }
  }
  ts.next();
  return nodes;
}

void writeNode(ByteWriter& w, const VersionNode& node) {
  w.alignDword();
  size_t start = w.size();
  w.word(0);
  w.word(node.valueLength);
  w.word(node.text ? 1 : 0);
  w.wide(node.key);
  w.alignDword();
  w.raw(node.value);
  for (const VersionNode& child : node.children) writeNode(w, child);
  size_t length = w.size() - start;
  if (length > 0xFFFF) throw std::length_error("version block too long");
  w.patchWord(start, static_cast<uint16_t>(length));
}

}  // namespace

void parseVersionInfo(Script& s, const ResName& name, const Token& at) {
  TokenStream& ts = s.ts;
  s.skipMemoryOptions();
  // VS_FIXEDFILEINFO after its signature and structure version: file version
  // MS/LS, product version MS/LS, flags mask, flags, OS, type, subtype.
  uint32_t fixed[9] = {0, 0, 0, 0, 0, 0, 0, 0, 0};
  static const char* const kSingles[] = {"FILEFLAGSMASK", "FILEFLAGS", "FILEOS", "FILETYPE", "FILESUBTYPE"};
  while (!ts.isBegin()) {
    bool fileVersion = ts.isKeyword("FILEVERSION");
    if (fileVersion || ts.isKeyword("PRODUCTVERSION")) {
      ts.next();
      std::vector<uint32_t> v = s.numbers(4, "version");
      size_t at4 = fileVersion ? 0 : 2;
      fixed[at4] = ((v[0] & 0xFFFF) << 16) | (v[1] & 0xFFFF);
      fixed[at4 + 1] = ((v[2] & 0xFFFF) << 16) | (v[3] & 0xFFFF);
      continue;
    }
    bool found = false;
    for (size_t i = 0; i < 5 && !found; ++i) {
      if (ts.acceptKeyword(kSingles[i])) {
        fixed[4 + i] = Expression(ts).parse().value;
        found = true;
      }
    }
    if (!found) ts.fail("unknown VERSIONINFO statement");
  }
  VersionNode root;
  root.key = "VS_VERSION_INFO";
  root.text = false;
  root.children = parseBlockBody(s);
  ByteWriter fixedInfo;
  fixedInfo.dword(0xFEEF04BD);  // signature
  fixedInfo.dword(0x00010000);  // structure version 1.0
  for (uint32_t v : fixed) fixedInfo.dword(v);
  fixedInfo.dword(0);  // file date MS
  fixedInfo.dword(0);  // file date LS
  root.value = std::move(fixedInfo.bytes());
  root.valueLength = static_cast<uint16_t>(root.value.size());
  ByteWriter w;
  try {
    writeNode(w, root);
  } catch (const std::length_error&) {
    throw RcError(at.file, at.line, "VERSIONINFO too long");
  }
  s.set.add(ResName::ordinal(kRtVersion), name, s.language, std::move(w.bytes()), at);
}

}  // namespace wavrc
