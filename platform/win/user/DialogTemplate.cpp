#include "platform/win/user/DialogTemplate.h"

#include "platform/win/kernel/Resources.h"
#include "platform/wire/Bytes.h"

namespace wavorel {

namespace {

// Little-endian reads that fail instead of running past the end.
class Reader {
 public:
  Reader(const BYTE* data, size_t size) : data_(data), size_(size) {}

  bool word(WORD& v) {
    if (pos_ + 2 > size_) return false;
    v = wavorel::wire::getU16(data_ + pos_);
    pos_ += 2;
    return true;
  }
  bool dword(DWORD& v) {
    WORD lo = 0, hi = 0;
    if (!word(lo) || !word(hi)) return false;
    v = lo | (static_cast<DWORD>(hi) << 16);
    return true;
  }
  bool shortValue(LONG& v) {
    WORD w = 0;
    if (!word(w)) return false;
    v = static_cast<SHORT>(w);
    return true;
  }
  bool byte(BYTE& v) {
    if (pos_ >= size_) return false;
    v = data_[pos_++];
    return true;
  }
  bool bytes(size_t n, std::vector<BYTE>& out) {
    if (n > size_ - pos_) return false;
    out.assign(data_ + pos_, data_ + pos_ + n);
    pos_ += n;
    return true;
  }
  bool text(std::string& out) {
    std::u16string wide;
    for (WORD c = 0;;) {
      if (!word(c)) return false;
      if (c == 0) break;
      wide += static_cast<char16_t>(c);
    }
    out = resourceText(wide.data(), wide.size());
    return true;
  }
  // A name-or-ordinal field: 0 = none, 0xFFFF + ordinal, or a text.
  bool name(TemplateName& out) {
    out = TemplateName{};
    size_t start = pos_;
    WORD first = 0;
    if (!word(first)) return false;
    if (first == 0) return true;
    if (first == 0xFFFF) {
      out.isOrdinal = true;
      return word(out.ordinal);
    }
    pos_ = start;
    return text(out.text);
  }
  void alignDword() { pos_ = (pos_ + 3) & ~static_cast<size_t>(3); }
  bool atEnd() const { return pos_ >= size_; }

 private:
  const BYTE* data_;
  size_t size_;
  size_t pos_ = 0;
};

constexpr DWORD kSetFont = 0x40;  // DS_SETFONT (DS_SHELLFONT includes it)

bool readRect(Reader& r, RECT& rect) {
  LONG x = 0, y = 0, cx = 0, cy = 0;
  if (!r.shortValue(x) || !r.shortValue(y) || !r.shortValue(cx) || !r.shortValue(cy)) return false;
  rect = RECT{x, y, x + cx, y + cy};
  return true;
}

bool predefinedClass(WORD ordinal, std::string& name) {
  static const char* const kNames[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};
  if (ordinal < 0x80 || ordinal > 0x85) return false;
  name = kNames[ordinal - 0x80];
  return true;
}

bool readControl(Reader& r, DialogControl& c) {
  r.alignDword();
  TemplateName cls;
  WORD extra = 0;
  if (!r.dword(c.helpId) || !r.dword(c.exStyle) || !r.dword(c.style) || !readRect(r, c.rect) || !r.dword(c.id) ||
      !r.name(cls) || !r.name(c.text) || !r.word(extra) || !r.bytes(extra, c.creationData)) {
    return false;
  }
  if (cls.isOrdinal) return predefinedClass(cls.ordinal, c.className);
  c.className = cls.text;
  return !c.className.empty();
}

LONG mulDiv(LONG value, int numerator, int denominator) {
  long long p = static_cast<long long>(value) * numerator;
  long long half = denominator / 2;
  return static_cast<LONG>(p >= 0 ? (p + half) / denominator : (p - half) / denominator);
}

}  // namespace

bool parseDialogTemplate(const void* data, size_t size, DialogTemplate& out) {
  out = DialogTemplate{};
  if (data == nullptr) return false;
  Reader r(static_cast<const BYTE*>(data), size);
  WORD version = 0, signature = 0, count = 0;
  if (!r.word(version) || !r.word(signature) || version != 1 || signature != 0xFFFF) return false;
  if (!r.dword(out.helpId) || !r.dword(out.exStyle) || !r.dword(out.style) || !r.word(count) ||
      !readRect(r, out.rect) || !r.name(out.menu) || !r.name(out.windowClass) || !r.text(out.caption)) {
    return false;
  }
  if (out.style & kSetFont) {
    out.hasFont = true;
    if (!r.word(out.font.pointSize) || !r.word(out.font.weight) || !r.byte(out.font.italic) ||
        !r.byte(out.font.charset) || !r.text(out.font.face)) {
      return false;
    }
  }
  out.controls.resize(count);
  for (DialogControl& c : out.controls) {
    if (!readControl(r, c)) return false;
  }
  return true;
}

bool findDialogTemplate(HINSTANCE module, LPCSTR name, DialogTemplate& out) {
  HRSRC res = FindResource(module, name, RT_DIALOG);
  if (res == nullptr) return false;
  return parseDialogTemplate(LockResource(LoadResource(module, res)), SizeofResource(module, res), out);
}

bool findDialogInit(HINSTANCE module, LPCSTR name, std::vector<DialogInitItem>& out) {
  out.clear();
  std::vector<DialogInitItem> items;
  HRSRC res = FindResource(module, name, RT_DLGINIT);
  if (res == nullptr) return false;
  Reader r(static_cast<const BYTE*>(LockResource(LoadResource(module, res))), SizeofResource(module, res));
  // Entries of {WORD control id, WORD message, DWORD length, data}, ended by a zero control id.
  for (;;) {
    DialogInitItem item;
    DWORD length = 0;
    if (!r.word(item.controlId)) return false;
    if (item.controlId == 0) {
      out = std::move(items);
      return true;
    }
    if (!r.word(item.message) || !r.dword(length) || !r.bytes(length, item.data)) return false;
    items.push_back(std::move(item));
  }
}

RECT dialogUnitsToPixels(const RECT& rc, int cxChar, int cyChar) {
  return RECT{mulDiv(rc.left, cxChar, 4), mulDiv(rc.top, cyChar, 8), mulDiv(rc.right, cxChar, 4),
              mulDiv(rc.bottom, cyChar, 8)};
}

}  // namespace wavorel
