// Dialog templates in a form the window system can create dialogs from: the
// RT_DIALOG resource (a DLGTEMPLATEEX) read into C++ values, the DLGINIT
// resource of a dialog (the initial items of its list and combo boxes), and
// the conversion of dialog units to pixels.
#pragma once

#include <string>
#include <vector>

#include "platform/win/kernel/Types.h"

namespace wavorel {

// A name-or-ordinal field of a template: empty, an ordinal, or a text.
struct TemplateName {
  bool isOrdinal = false;
  WORD ordinal = 0;
  std::string text;  // UTF-8; empty with isOrdinal false means "none"
  bool empty() const { return !isOrdinal && text.empty(); }
};

struct DialogFont {
  WORD pointSize = 0;
  WORD weight = 0;
  BYTE italic = 0;
  BYTE charset = 0;
  std::string face;
};

struct DialogControl {
  DWORD helpId = 0;
  DWORD style = 0;
  DWORD exStyle = 0;
  RECT rect{};  // dialog units: x, y, x + cx, y + cy
  DWORD id = 0;
  // The predefined classes come as their names: "Button", "Edit", "Static",
  // "ListBox", "ScrollBar", "ComboBox".
  std::string className;
  TemplateName text;  // an ordinal names a resource (the icon of an ICON control)
  std::vector<BYTE> creationData;
};

struct DialogTemplate {
  DWORD helpId = 0;
  DWORD style = 0;
  DWORD exStyle = 0;
  RECT rect{};  // dialog units
  TemplateName menu;
  TemplateName windowClass;  // none = the dialog class
  std::string caption;
  bool hasFont = false;  // DS_SETFONT (or DS_SHELLFONT) was set
  DialogFont font;
  std::vector<DialogControl> controls;
};

// Reads a DLGTEMPLATEEX of `size` bytes; false when it is not one or runs past
// its end.
bool parseDialogTemplate(const void* data, size_t size, DialogTemplate& out);
// The dialog resource `name` of `module` (null module = the program).
bool findDialogTemplate(HINSTANCE module, LPCSTR name, DialogTemplate& out);

// One entry of a DLGINIT resource: a message (CB_ADDSTRING, LB_ADDSTRING in
// their 16-bit numbering 0x403 and 0x401) with its data for a control.
struct DialogInitItem {
  WORD controlId = 0;
  WORD message = 0;
  std::vector<BYTE> data;
};
// The DLGINIT resource of dialog `name`; false when there is none or it is
// malformed.
bool findDialogInit(HINSTANCE module, LPCSTR name, std::vector<DialogInitItem>& out);

// MapDialogRect: x * cxChar / 4 and y * cyChar / 8, rounded as MulDiv rounds,
// where cxChar and cyChar are the average character width and the height of
// the dialog's font.
RECT dialogUnitsToPixels(const RECT& r, int cxChar, int cyChar);

}  // namespace wavorel
