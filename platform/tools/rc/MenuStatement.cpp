// MENU: compiled to a MENUITEMTEMPLATEHEADER and MENUITEMTEMPLATE items.
#include <strings.h>

#include "platform/tools/rc/ByteWriter.h"
#include "platform/tools/rc/RcError.h"
#include "platform/tools/rc/Statements.h"

namespace wavrc {

namespace {

constexpr uint16_t kMfPopup = 0x0010, kMfEnd = 0x0080;

struct MenuItem {
  bool popup = false;
  uint16_t flags = 0;
  uint16_t id = 0;
  std::string text;
  std::vector<MenuItem> children;
};

// Item options, separated by commas or blanks.
uint16_t itemOptions(TokenStream& ts) {
  static const struct {
    const char* word;
    uint16_t flag;
  } kOptions[] = {{"GRAYED", 0x0001}, {"INACTIVE", 0x0002}, {"CHECKED", 0x0008},
                  {"MENUBARBREAK", 0x0020}, {"MENUBREAK", 0x0040}, {"HELP", 0x4000}};
  uint16_t flags = 0;
  for (;;) {
    bool comma = ts.isPunct(",");
    size_t ahead = comma ? 1 : 0;
    bool found = false;
    for (const auto& o : kOptions) {
      if (ts.isKeyword(o.word, ahead)) {
        if (comma) ts.next();
        ts.next();
        flags |= o.flag;
        found = true;
        break;
      }
    }
    if (!found) {
      if (comma) {
        ts.next();
        ts.fail("unknown menu item option");
      }
      return flags;
    }
  }
}

std::vector<MenuItem> parseItems(Script& s, const char* owner) {
  TokenStream& ts = s.ts;
  ts.expectBegin(owner);
  std::vector<MenuItem> items;
  while (!ts.isEnd()) {
    MenuItem item;
    if (ts.acceptKeyword("MENUITEM")) {
      if (ts.acceptKeyword("SEPARATOR")) {
        items.push_back(item);
        continue;
      }
      item.text = ts.expectString("for the menu item text");
      ts.expectPunct(",", "after the menu item text");
      item.id = s.word("menu item id");
      item.flags = itemOptions(ts);
    } else if (ts.acceptKeyword("POPUP")) {
      const Token at = ts.peek();
      item.popup = true;
      item.text = ts.expectString("for the pop-up text");
      item.flags = itemOptions(ts);
      item.children = parseItems(s, "to open the POPUP");
      if (item.children.empty()) throw RcError(at.file, at.line, "empty POPUP");
    } else {
      ts.fail(ts.atEnd() ? "menu without END" : "expected MENUITEM, POPUP or END");
    }
    items.push_back(std::move(item));
  }
  ts.next();
  return items;
}

void writeItems(ByteWriter& w, const std::vector<MenuItem>& items) {
  for (size_t i = 0; i < items.size(); ++i) {
    const MenuItem& item = items[i];
    uint16_t flags = item.flags | (item.popup ? kMfPopup : 0) | (i + 1 == items.size() ? kMfEnd : 0);
    w.word(flags);
    if (!item.popup) w.word(item.id);
    w.wide(item.text);
    if (item.popup) writeItems(w, item.children);
  }
}

}  // namespace

void parseMenu(Script& s, const ResName& name, const Token& at) {
  s.skipMemoryOptions();
  uint16_t language = s.language;
  if (s.ts.acceptKeyword("LANGUAGE")) language = s.languageOperands();
  std::vector<MenuItem> items = parseItems(s, "to open the MENU");
  if (items.empty()) throw RcError(at.file, at.line, "empty MENU");
  ByteWriter w;
  w.word(0);  // version
  w.word(0);  // offset of the items after the header
  writeItems(w, items);
  s.set.add(ResName::ordinal(kRtMenu), name, language, std::move(w.bytes()), at);
}

}  // namespace wavrc
