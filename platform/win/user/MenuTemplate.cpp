// Menus from MENUITEMTEMPLATEHEADER templates (RT_MENU resources).
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/win/kernel/Errors.h"
#include "platform/win/user/Menu.h"
#include "platform/win/user/MenuObject.h"
#include "platform/win/kernel/Resources.h"
#include "platform/wire/Bytes.h"

namespace {

// Reads the template's words within `size` bytes; any read past the end fails.
class TemplateReader {
 public:
  TemplateReader(const BYTE* data, size_t size) : data_(data), size_(size) {}

  bool word(WORD& out) {
    if (size_ - pos_ < 2) return false;
    out = wavorel::wire::getU16(data_ + pos_);
    pos_ += 2;
    return true;
  }
  bool text(std::string& out) {
    std::vector<WCHAR> wide;
    for (WORD c; word(c);) {
      if (c == 0) {
        out = wavorel::resourceText(wide.data(), wide.size());
        return true;
      }
      wide.push_back(static_cast<WCHAR>(c));
    }
    return false;
  }
  bool skip(size_t bytes) {
    if (bytes > size_ - pos_) return false;
    pos_ += bytes;
    return true;
  }

 private:
  const BYTE* data_;
  size_t size_;
  size_t pos_ = 0;
};

constexpr WORD kTemplateStateBits = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_MENUBARBREAK | MF_MENUBREAK | MF_HELP;

// Appends items to `menu` up to and including the one marked MF_END.
bool readItems(TemplateReader& in, HMENU menu, int depth) {
  if (depth > 32) return false;
  for (;;) {
    WORD flags = 0, id = 0;
    std::string text;
    if (!in.word(flags)) return false;
    bool popup = (flags & MF_POPUP) != 0;
    if (!popup && !in.word(id)) return false;
    if (!in.text(text)) return false;
    UINT itemFlags = flags & kTemplateStateBits;
    if (popup) {
      HMENU sub = CreatePopupMenu();
      if (!AppendMenu(menu, itemFlags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), text.c_str())) {
        DestroyMenu(sub);
        return false;
      }
      if (!readItems(in, sub, depth + 1)) return false;
    } else if (id == 0 && text.empty() && (flags & ~MF_END) == 0) {
      AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenu(menu, itemFlags, id, text.c_str());
    }
    if (flags & MF_END) return true;
  }
}

HMENU loadTemplate(const BYTE* data, size_t size) {
  TemplateReader in(data, size);
  WORD version = 0, offset = 0;
  if (!in.word(version) || !in.word(offset) || version != 0 || !in.skip(offset)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  HMENU menu = CreateMenu();
  if (!readItems(in, menu, 0)) {
    DestroyMenu(menu);
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return menu;
}

}  // namespace

HMENU LoadMenuIndirect(const void* menuTemplate) {
  if (!menuTemplate) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  // The caller's template carries no size: it is read up to its last item.
  return loadTemplate(static_cast<const BYTE*>(menuTemplate), SIZE_MAX);
}

HMENU LoadMenu(HINSTANCE instance, LPCSTR name) {
  HRSRC found = FindResource(instance, name, RT_MENU);
  if (!found) return nullptr;
  auto* data = static_cast<const BYTE*>(LockResource(LoadResource(instance, found)));
  if (!data) return nullptr;
  return loadTemplate(data, SizeofResource(instance, found));
}
