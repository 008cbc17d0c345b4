// DIALOG and DIALOGEX: compiled to a DLGTEMPLATEEX with its DLGITEMTEMPLATEEX
// items.
#include <cctype>
#include <cstring>
#include <strings.h>

#include "platform/tools/rc/ByteWriter.h"
#include "platform/tools/rc/Expression.h"
#include "platform/tools/rc/RcError.h"
#include "platform/tools/rc/Statements.h"

namespace wavrc {

namespace {

constexpr uint32_t kWsChild = 0x40000000, kWsVisible = 0x10000000, kWsPopup = 0x80000000;
constexpr uint32_t kWsBorder = 0x00800000, kWsSysMenu = 0x00080000, kWsCaption = 0x00C00000;
constexpr uint32_t kWsGroup = 0x00020000, kWsTabStop = 0x00010000, kDsSetFont = 0x40;

enum : uint16_t { kButton = 0x80, kEdit = 0x81, kStatic = 0x82, kListBox = 0x83, kScrollBar = 0x84, kComboBox = 0x85 };

// The short control statements: their class and the style they start from
// (WS_CHILD | WS_VISIBLE is always added).
struct ShortForm {
  const char* keyword;
  bool hasText;
  uint16_t classOrdinal;
  uint32_t style;
};
const ShortForm kShortForms[] = {
    {"LTEXT", true, kStatic, 0x0000 | kWsGroup},
    {"RTEXT", true, kStatic, 0x0002 | kWsGroup},
    {"CTEXT", true, kStatic, 0x0001 | kWsGroup},
    {"PUSHBUTTON", true, kButton, 0x0000 | kWsTabStop},
    {"DEFPUSHBUTTON", true, kButton, 0x0001 | kWsTabStop},
    {"PUSHBOX", true, kButton, 0x000A | kWsTabStop},
    {"GROUPBOX", true, kButton, 0x0007},
    {"CHECKBOX", true, kButton, 0x0002 | kWsTabStop},
    {"AUTOCHECKBOX", true, kButton, 0x0003 | kWsTabStop},
    {"STATE3", true, kButton, 0x0005 | kWsTabStop},
    {"AUTO3STATE", true, kButton, 0x0006 | kWsTabStop},
    {"RADIOBUTTON", true, kButton, 0x0004 | kWsTabStop},
    {"AUTORADIOBUTTON", true, kButton, 0x0009 | kWsTabStop},
    {"EDITTEXT", false, kEdit, 0x0000 | kWsBorder | kWsTabStop},
    {"COMBOBOX", false, kComboBox, 0x0001 | kWsTabStop},
    {"LISTBOX", false, kListBox, 0x0001 | kWsBorder},
    {"SCROLLBAR", false, kScrollBar, 0x0000},
};
constexpr uint32_t kIconStyle = 0x0003;  // SS_ICON

struct Control {
  uint32_t helpId = 0, exStyle = 0, style = 0, id = 0;
  int16_t x = 0, y = 0, cx = 0, cy = 0;
  ResName className;
  ResName text = ResName{false, 0, ""};  // original case kept
};

// Class names that Windows knows by ordinal.
bool predefinedClass(const std::string& name, uint16_t& ordinal) {
  static const char* const kNames[] = {"BUTTON", "EDIT", "STATIC", "LISTBOX", "SCROLLBAR", "COMBOBOX"};
  for (uint16_t i = 0; i < 6; ++i) {
    if (strcasecmp(name.c_str(), kNames[i]) == 0) {
      ordinal = static_cast<uint16_t>(kButton + i);
      return true;
    }
  }
  return false;
}

// A control text: a string (case kept) or a number naming a resource.
ResName controlText(Script& s) {
  if (s.ts.isString()) return ResName{false, 0, s.ts.expectString("control text")};
  return ResName::ordinal(s.word("control text"));
}

int16_t coordinate(uint32_t v) { return static_cast<int16_t>(static_cast<uint16_t>(v)); }

void readGeometry(Script& s, Control& c, size_t count) {
  std::vector<uint32_t> v = s.numbers(count, "control position");
  c.x = coordinate(v[0]);
  c.y = coordinate(v[1]);
  if (count == 4) {
    c.cx = coordinate(v[2]);
    c.cy = coordinate(v[3]);
  }
}

// The optional tail of a control: [, style [, exstyle [, help id]]].
void readTail(Script& s, Control& c, uint32_t baseStyle, bool extended, bool styleFirst = true) {
  c.style = baseStyle;
  if (styleFirst) {
    if (!s.ts.acceptPunct(",")) return;
    c.style = Expression(s.ts).parseStyle(baseStyle);
  }
  if (!s.ts.acceptPunct(",")) return;
  c.exStyle = Expression(s.ts).parseStyle(0);
  if (extended && s.ts.acceptPunct(",")) c.helpId = s.number("help id");
}

Control parseControl(Script& s, bool extended) {
  TokenStream& ts = s.ts;
  const Token keyword = ts.peek();
  if (keyword.kind != TokenKind::Identifier) ts.fail("expected a control statement");
  ts.next();
  Control c;
  uint32_t base = kWsChild | kWsVisible;
  if (strcasecmp(keyword.text.c_str(), "CONTROL") == 0) {
    c.text = controlText(s);
    ts.expectPunct(",", "after the control text");
    c.id = s.number("control id");
    ts.expectPunct(",", "after the control id");
    if (ts.isString()) {
      std::string cls = ts.expectString("control class");
      uint16_t ordinal = 0;
      c.className = predefinedClass(cls, ordinal) ? ResName::ordinal(ordinal) : ResName{false, 0, cls};
    } else {
      uint16_t ordinal = 0;
      if (ts.peek().kind != TokenKind::Identifier || !predefinedClass(ts.peek().text, ordinal)) {
        ts.fail("expected a control class");
      }
      ts.next();
      c.className = ResName::ordinal(ordinal);
    }
    ts.expectPunct(",", "after the control class");
    c.style = Expression(ts).parseStyle(base);
    ts.expectPunct(",", "after the control style");
    readGeometry(s, c, 4);
    readTail(s, c, c.style, extended, false);
    return c;
  }
  if (strcasecmp(keyword.text.c_str(), "ICON") == 0) {
    c.text = controlText(s);
    ts.expectPunct(",", "after the icon");
    c.id = s.number("control id");
    ts.expectPunct(",", "after the control id");
    readGeometry(s, c, 2);
    c.className = ResName::ordinal(kStatic);
    c.style = base | kIconStyle;
    if (ts.acceptPunct(",")) {
      std::vector<uint32_t> size = s.numbers(2, "icon size");
      c.cx = coordinate(size[0]);
      c.cy = coordinate(size[1]);
      readTail(s, c, base | kIconStyle, extended);
    }
    return c;
  }
  for (const ShortForm& f : kShortForms) {
    if (strcasecmp(keyword.text.c_str(), f.keyword) != 0) continue;
    if (f.hasText) {
      c.text = controlText(s);
      ts.expectPunct(",", "after the control text");
    }
    c.id = s.number("control id");
    ts.expectPunct(",", "after the control id");
    readGeometry(s, c, 4);
    c.className = ResName::ordinal(f.classOrdinal);
    readTail(s, c, base | f.style, extended);
    return c;
  }
  throw RcError(keyword.file, keyword.line, "unknown control statement '" + keyword.text + "'");
}

}  // namespace

void parseDialog(Script& s, const ResName& name, bool extended, const Token& at) {
  TokenStream& ts = s.ts;
  s.skipMemoryOptions();
  std::vector<uint32_t> rect = s.numbers(4, "dialog position and size");
  uint32_t helpId = 0;
  if (extended && ts.acceptPunct(",")) helpId = s.number("help id");

  uint32_t style = kWsPopup | kWsBorder | kWsSysMenu, exStyle = 0, pointSize = 0, weight = 0, italic = 0, charset = 1;
  bool hasCaption = false, hasFont = false;
  std::string caption, face;
  ResName menu{false, 0, ""}, windowClass{false, 0, ""};
  uint16_t language = s.language;
  while (!ts.isBegin()) {
    if (ts.acceptKeyword("STYLE")) {
      style = Expression(ts).parseStyle(0);
    } else if (ts.acceptKeyword("EXSTYLE")) {
      exStyle = Expression(ts).parseStyle(0);
    } else if (ts.acceptKeyword("CAPTION")) {
      caption = ts.expectString("for CAPTION");
      hasCaption = true;
    } else if (ts.acceptKeyword("FONT")) {
      pointSize = s.number("font size");
      ts.expectPunct(",", "after the font size");
      face = ts.expectString("for the font face");
      if (extended && ts.acceptPunct(",")) {
        std::vector<uint32_t> more = s.numbers(3, "font weight, italic and charset");
        weight = more[0];
        italic = more[1];
        charset = more[2];
      }
      hasFont = true;
    } else if (ts.acceptKeyword("CLASS")) {
      windowClass = ts.isString() ? ResName{false, 0, ts.expectString("for CLASS")} : ResName::ordinal(s.word("class"));
    } else if (ts.acceptKeyword("MENU")) {
      menu = s.name("menu name");
    } else if (ts.acceptKeyword("LANGUAGE")) {
      language = s.languageOperands();
    } else if (ts.acceptKeyword("CHARACTERISTICS") || ts.acceptKeyword("VERSION")) {
      s.number("value");
    } else {
      ts.fail("unknown dialog statement");
    }
  }
  ts.next();
  std::vector<Control> controls;
  while (!ts.isEnd()) {
    if (ts.atEnd()) ts.fail("dialog without END");
    controls.push_back(parseControl(s, extended));
  }
  ts.next();
  if (hasCaption) style |= kWsCaption;
  if (hasFont) style |= kDsSetFont;
  if (controls.size() > 0xFFFF) throw RcError(at.file, at.line, "too many controls");

  ByteWriter w;
  w.word(1);
  w.word(0xFFFF);
  w.dword(helpId);
  w.dword(exStyle);
  w.dword(style);
  w.word(static_cast<uint16_t>(controls.size()));
  for (uint32_t v : rect) w.word(static_cast<uint16_t>(v));
  if (menu.isId || !menu.text.empty()) {
    w.nameOrOrdinal(menu);
  } else {
    w.word(0);
  }
  if (windowClass.isId || !windowClass.text.empty()) {
    w.nameOrOrdinal(windowClass);
  } else {
    w.word(0);
  }
  w.wide(caption);
  if (style & kDsSetFont) {
    w.word(static_cast<uint16_t>(pointSize));
    w.word(static_cast<uint16_t>(weight));
    w.byte(static_cast<uint8_t>(italic));
    w.byte(static_cast<uint8_t>(charset));
    w.wide(face);
  }
  for (const Control& c : controls) {
    w.alignDword();
    w.dword(c.helpId);
    w.dword(c.exStyle);
    w.dword(c.style);
    w.word(static_cast<uint16_t>(c.x));
    w.word(static_cast<uint16_t>(c.y));
    w.word(static_cast<uint16_t>(c.cx));
    w.word(static_cast<uint16_t>(c.cy));
    w.dword(c.id);
    w.nameOrOrdinal(c.className);
    if (c.text.isId) {
      w.nameOrOrdinal(c.text);
    } else {
      w.wide(c.text.text);
    }
    w.word(0);  // no creation data
  }
  s.set.add(ResName::ordinal(kRtDialog), name, language, std::move(w.bytes()), at);
}

}  // namespace wavrc
