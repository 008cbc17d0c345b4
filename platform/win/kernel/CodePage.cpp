#include "platform/win/kernel/CodePage.h"

#include <iconv.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Root.h"
#include "platform/win/kernel/WideText.h"
#include "platform/wire/Bytes.h"

namespace {

constexpr UINT kDefaultAnsiCodePage = 1252;
std::atomic<UINT> g_ansiCodePage{kDefaultAnsiCodePage};
const bool kAnsiReset =
    (wavorel::registerStateReset([] { g_ansiCodePage = kDefaultAnsiCodePage; }), true);

// Code page 1252 at 0x80..0x9F; the five unassigned bytes map to the C1
// control of the same value.
const char16_t k1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// One code page: bytes to UTF-16 and back. A byte sequence is one byte, or a
// lead byte and a trail byte; 0 in a table means the sequence is undefined.
struct Page {
  bool lead[256] = {};
  char16_t single[256] = {};
  std::vector<char16_t> pair;  // lead * 256 + trail
  std::unordered_map<char16_t, uint16_t> encode;  // a double-byte value has its lead byte high
};

class Iconv {
 public:
  explicit Iconv(const char* from) : cd_(iconv_open("UTF-32LE", from)) {}
  ~Iconv() {
    if (ok()) iconv_close(cd_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // The one BMP character that exactly `n` bytes decode to, or 0.
  char16_t decode(const unsigned char* bytes, size_t n) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char in[2] = {static_cast<char>(bytes[0]), static_cast<char>(n > 1 ? bytes[1] : 0)};
    unsigned char out[8] = {};
    char* inPtr = in;
    char* outPtr = reinterpret_cast<char*>(out);
    size_t inLeft = n, outLeft = sizeof(out);
    if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0 ||
        outLeft != sizeof(out) - 4)
      return 0;
    const uint32_t c = wavorel::wire::getU32(out);
    return c > 0 && c < 0x10000 ? static_cast<char16_t>(c) : 0;
  }

 private:
  iconv_t cd_;
};

std::unique_ptr<Page> build1252() {
  auto page = std::make_unique<Page>();
  for (int b = 0; b < 256; ++b) page->single[b] = b >= 0x80 && b < 0xA0 ? k1252High[b - 0x80] : char16_t(b);
  return page;
}

std::unique_ptr<Page> buildDoubleByte(const char* iconvName, std::initializer_list<std::pair<int, int>> leads) {
  Iconv cd(iconvName);
  if (!cd.ok()) return nullptr;
  auto page = std::make_unique<Page>();
  for (const auto& range : leads)
    for (int b = range.first; b <= range.second; ++b) page->lead[b] = true;
  page->pair.assign(65536, 0);
  for (int b = 0; b < 256; ++b) {
    unsigned char bytes[2] = {static_cast<unsigned char>(b), 0};
    if (b < 0x80) {
      page->single[b] = static_cast<char16_t>(b);
    } else if (!page->lead[b]) {
      page->single[b] = cd.decode(bytes, 1);
    } else {
      for (int t = 1; t < 256; ++t) {
        bytes[1] = static_cast<unsigned char>(t);
        page->pair[b * 256 + t] = cd.decode(bytes, 2);
      }
    }
  }
  return page;
}

// The tables of a supported code page (CP_ACP resolved), built on first use; null otherwise.
const Page* pageFor(UINT codePage) {
  static std::mutex mutex;
  static std::map<UINT, std::unique_ptr<Page>> pages;
  std::lock_guard<std::mutex> lock(mutex);
  auto it = pages.find(codePage);
  if (it != pages.end()) return it->second.get();
  std::unique_ptr<Page> page;
  switch (codePage) {
    case 1252: page = build1252(); break;
    case 932: page = buildDoubleByte("CP932", {{0x81, 0x9F}, {0xE0, 0xFC}}); break;
    case 936: page = buildDoubleByte("CP936", {{0x81, 0xFE}}); break;
    case 949: page = buildDoubleByte("CP949", {{0x81, 0xFE}}); break;
    case 950: page = buildDoubleByte("CP950", {{0x81, 0xFE}}); break;
    default: return nullptr;
  }
  if (!page) return nullptr;
  for (int b = 0; b < 256; ++b)
    if (!page->lead[b] && (page->single[b] || b == 0)) page->encode.emplace(page->single[b], static_cast<uint16_t>(b));
  for (size_t i = 0; i < page->pair.size(); ++i)
    if (page->pair[i]) page->encode.emplace(page->pair[i], static_cast<uint16_t>(i));
  return (pages[codePage] = std::move(page)).get();
}

UINT resolve(UINT codePage) { return codePage == CP_ACP ? g_ansiCodePage.load() : codePage; }

int fail(DWORD error) {
  SetLastError(error);
  return 0;
}

// Copies `text` to a buffer of `capacity` units, or answers the size needed.
template <typename Char>
int deliver(const std::basic_string<Char>& text, Char* out, int capacity) {
  if (capacity == 0) return static_cast<int>(text.size());
  const size_t n = std::min(text.size(), static_cast<size_t>(capacity));
  std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n), out);
  if (text.size() > n) return fail(ERROR_INSUFFICIENT_BUFFER);
  return static_cast<int>(n);
}

// Decodes a page's bytes; false for an invalid sequence when `strict`.
bool decodePage(const Page& page, const unsigned char* s, size_t n, bool strict, std::u16string& out) {
  for (size_t i = 0; i < n;) {
    const unsigned char b = s[i];
    char16_t c;
    size_t len;
    if (!page.lead[b]) {
      c = page.single[b];
      len = 1;
    } else if (i + 1 < n && s[i + 1] != 0) {
      c = page.pair[b * 256 + s[i + 1]];
      len = 2;
    } else {
      c = 0;  // a lead byte without its trail byte
      len = 1;
    }
    if (!c && b != 0) {
      if (strict) return false;
      c = u'?';
    }
    out += c;
    i += len;
  }
  return true;
}

struct Composition {
  char16_t mark;
  const char16_t* bases;
  const char16_t* composed;
};
const Composition kCompositions[] = {
    {0x0300, u"AEIOUaeiou", u"ÀÈÌÒÙàèìòù"},     {0x0301, u"AEIOUYaeiouy", u"ÁÉÍÓÚÝáéíóúý"},
    {0x0302, u"AEIOUaeiou", u"ÂÊÎÔÛâêîôû"},     {0x0303, u"ANOano", u"ÃÑÕãñõ"},
    {0x0308, u"AEIOUYaeiouy", u"ÄËÏÖÜŸäëïöüÿ"}, {0x030A, u"Aa", u"Åå"},
    {0x030C, u"CSZcsz", u"ČŠŽčšž"},             {0x0327, u"Cc", u"Çç"},
};

bool isNonSpacingMark(char16_t c) { return c >= 0x0300 && c <= 0x036F; }

char16_t compose(char16_t base, char16_t mark) {
  for (const Composition& k : kCompositions) {
    if (k.mark != mark) continue;
    for (size_t i = 0; k.bases[i]; ++i)
      if (k.bases[i] == base) return k.composed[i];
  }
  return 0;
}

void appendBytes(std::string& out, uint16_t bytes) {
  if (bytes > 0xFF) out += static_cast<char>(bytes >> 8);
  out += static_cast<char>(bytes & 0xFF);
}

std::string encodePage(const Page& page, DWORD flags, const char16_t* s, size_t n, const std::string& defaultChar,
                       bool* usedDefault) {
  std::string out;
  auto put = [&](char16_t c) {
    auto it = page.encode.find(c);
    if (it != page.encode.end()) {
      appendBytes(out, it->second);
    } else {
      out += defaultChar;
      *usedDefault = true;
    }
  };
  for (size_t i = 0; i < n; ++i) {
    const char16_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      ++i;  // no supported page holds characters beyond the BMP
      out += defaultChar;
      *usedDefault = true;
      continue;
    }
    if ((flags & WC_COMPOSITECHECK) && i + 1 < n && isNonSpacingMark(s[i + 1])) {
      const char16_t composed = compose(c, s[i + 1]);
      if (composed && page.encode.count(composed)) {
        put(composed);
        ++i;
        continue;
      }
      if (flags & WC_DEFAULTCHAR) {
        out += defaultChar;
        *usedDefault = true;
        ++i;
        continue;
      }
      if (flags & WC_DISCARDNS) {
        put(c);
        ++i;
        continue;
      }
    }
    put(c);
  }
  return out;
}

bool hasUnpairedSurrogate(const char16_t* s, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    if (s[i] >= 0xD800 && s[i] <= 0xDBFF && i + 1 < n && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF)
      ++i;
    else if (s[i] >= 0xD800 && s[i] <= 0xDFFF)
      return true;
  }
  return false;
}

size_t countOf(const std::u16string& s, char16_t c) { return static_cast<size_t>(std::count(s.begin(), s.end(), c)); }

size_t countReplacementBytes(const std::string& s) {
  size_t n = 0;
  for (size_t at = s.find("\xEF\xBF\xBD"); at != std::string::npos; at = s.find("\xEF\xBF\xBD", at + 3)) ++n;
  return n;
}

}  // namespace

UINT GetACP() { return g_ansiCodePage.load(); }

int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte, LPWSTR lpWideCharStr,
                        int cchWideChar) {
  if (!lpMultiByteStr || cbMultiByte == 0 || cbMultiByte < -1 || cchWideChar < 0 || (cchWideChar > 0 && !lpWideCharStr))
    return fail(ERROR_INVALID_PARAMETER);
  const UINT cp = resolve(CodePage);
  const bool strict = (dwFlags & MB_ERR_INVALID_CHARS) != 0;
  const DWORD allowed = cp == CP_UTF8 ? MB_ERR_INVALID_CHARS : MB_PRECOMPOSED | MB_ERR_INVALID_CHARS;
  if (dwFlags & ~allowed) return fail(ERROR_INVALID_FLAGS);
  const size_t n = cbMultiByte == -1 ? std::strlen(lpMultiByteStr) + 1 : static_cast<size_t>(cbMultiByte);
  std::u16string text;
  if (cp == CP_UTF8) {
    const std::string bytes(lpMultiByteStr, n);
    text = wavorel::utf8ToUtf16(bytes);
    // Each malformed byte became U+FFFD; any U+FFFD beyond those written as such was malformed.
    if (strict && countOf(text, 0xFFFD) != countReplacementBytes(bytes)) return fail(ERROR_NO_UNICODE_TRANSLATION);
  } else {
    const Page* page = pageFor(cp);
    if (!page) return fail(ERROR_INVALID_PARAMETER);
    if (!decodePage(*page, reinterpret_cast<const unsigned char*>(lpMultiByteStr), n, strict, text))
      return fail(ERROR_NO_UNICODE_TRANSLATION);
  }
  return deliver(text, lpWideCharStr, cchWideChar);
}

int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar, LPSTR lpMultiByteStr,
                        int cbMultiByte, LPCSTR lpDefaultChar, LPBOOL lpUsedDefaultChar) {
  if (!lpWideCharStr || cchWideChar == 0 || cchWideChar < -1 || cbMultiByte < 0 || (cbMultiByte > 0 && !lpMultiByteStr))
    return fail(ERROR_INVALID_PARAMETER);
  size_t n = 0;
  if (cchWideChar == -1) {
    while (lpWideCharStr[n]) ++n;
    ++n;
  } else {
    n = static_cast<size_t>(cchWideChar);
  }
  const UINT cp = resolve(CodePage);
  std::string text;
  bool usedDefault = false;
  if (cp == CP_UTF8) {
    if (dwFlags & ~static_cast<DWORD>(WC_ERR_INVALID_CHARS)) return fail(ERROR_INVALID_FLAGS);
    if (lpDefaultChar || lpUsedDefaultChar) return fail(ERROR_INVALID_PARAMETER);
    if ((dwFlags & WC_ERR_INVALID_CHARS) && hasUnpairedSurrogate(lpWideCharStr, n))
      return fail(ERROR_NO_UNICODE_TRANSLATION);
    text = wavorel::utf16ToUtf8(lpWideCharStr, n);
  } else {
    const DWORD composite = WC_DISCARDNS | WC_SEPCHARS | WC_DEFAULTCHAR;
    if ((dwFlags & ~(composite | WC_COMPOSITECHECK | WC_NO_BEST_FIT_CHARS)) ||
        ((dwFlags & composite) && !(dwFlags & WC_COMPOSITECHECK)))
      return fail(ERROR_INVALID_FLAGS);
    const Page* page = pageFor(cp);
    if (!page) return fail(ERROR_INVALID_PARAMETER);
    std::string defaultChar = "?";
    if (lpDefaultChar && lpDefaultChar[0]) {
      const bool twoBytes = page->lead[static_cast<unsigned char>(lpDefaultChar[0])] && lpDefaultChar[1];
      defaultChar.assign(lpDefaultChar, twoBytes ? 2 : 1);
    }
    text = encodePage(*page, dwFlags, lpWideCharStr, n, defaultChar, &usedDefault);
  }
  if (lpUsedDefaultChar) *lpUsedDefaultChar = usedDefault ? TRUE : FALSE;
  return deliver(text, lpMultiByteStr, cbMultiByte);
}

BOOL IsDBCSLeadByteEx(UINT CodePage, BYTE TestChar) {
  const UINT cp = resolve(CodePage);
  if (cp == CP_UTF8) return FALSE;
  const Page* page = pageFor(cp);
  if (!page) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return page->lead[TestChar] ? TRUE : FALSE;
}

BOOL IsDBCSLeadByte(BYTE TestChar) { return IsDBCSLeadByteEx(CP_ACP, TestChar); }

namespace wavorel {

void setAnsiCodePage(UINT codePage) { g_ansiCodePage = codePage; }

}  // namespace wavorel
