#include "platform/win/registry/RegistryHive.h"

#include <cstdio>
#include <cstring>

#include "platform/wire/Bytes.h"

namespace wavorel {

namespace {

constexpr const char* kHeader = "REGEDIT4";
constexpr DWORD kRegSz = 1;
constexpr DWORD kRegBinary = 3;
constexpr DWORD kRegDword = 4;
constexpr size_t kHexLineWidth = 77;  // room for the "\" that continues a line

char foldChar(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool sameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (foldChar(a[i]) != foldChar(b[i])) return false;
  }
  return true;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && isBlank(s[b])) ++b;
  while (e > b && isBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Parses 1 to `maxDigits` hex digits making up the whole of `s`.
bool parseHexNumber(const std::string& s, size_t maxDigits, uint32_t& out) {
  if (s.empty() || s.size() > maxDigits) return false;
  out = 0;
  for (char c : s) {
    int d = hexDigit(c);
    if (d < 0) return false;
    out = out << 4 | static_cast<uint32_t>(d);
  }
  return true;
}

std::string quote(const std::string& s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + '"';
}

// Reads a quoted text starting at s[pos] == '"'; pos ends after the closing quote.
bool unquote(const std::string& s, size_t& pos, std::string& out, std::string& error) {
  out.clear();
  for (++pos; pos < s.size(); ++pos) {
    char c = s[pos];
    if (c == '"') {
      ++pos;
      return true;
    }
    if (c == '\\') {
      if (pos + 1 >= s.size() || (s[pos + 1] != '\\' && s[pos + 1] != '"')) {
        error = "a backslash in a quoted text must be followed by \\ or \"";
        return false;
      }
      c = s[++pos];
    }
    out += c;
  }
  error = "a quoted text is not closed";
  return false;
}

bool plainString(const RegistryHive::Value& v) {
  if (v.type != kRegSz || v.data.empty() || v.data.back() != '\0') return false;
  return v.data.find_first_of(std::string("\0\r\n", 3)) == v.data.size() - 1;
}

void appendHex(std::string& out, std::string line, const std::string& data) {
  static const char digits[] = "0123456789abcdef";
  bool lineHasByte = false;
  for (size_t i = 0; i < data.size(); ++i) {
    auto b = static_cast<unsigned char>(data[i]);
    std::string piece{digits[b >> 4], digits[b & 15]};
    if (i + 1 < data.size()) piece += ',';
    if (lineHasByte && line.size() + piece.size() > kHexLineWidth) {
      out += line + "\\\n";
      line = "  ";
    }
    line += piece;
    lineHasByte = true;
  }
  out += line + "\n";
}

void serializeValue(std::string& out, const RegistryHive::Value& v) {
  std::string line = v.name.empty() ? "@=" : quote(v.name) + "=";
  if (plainString(v)) {
    out += line + quote(v.data.substr(0, v.data.size() - 1)) + "\n";
  } else if (v.type == kRegDword && v.data.size() == 4) {
    uint32_t n = wire::getU32(reinterpret_cast<const uint8_t*>(v.data.data()));
    char buf[16];
    std::snprintf(buf, sizeof buf, "dword:%08x", n);
    out += line + buf + "\n";
  } else if (v.type == kRegBinary) {
    appendHex(out, line + "hex:", v.data);
  } else {
    char buf[24];
    std::snprintf(buf, sizeof buf, "hex(%x):", static_cast<unsigned>(v.type));
    appendHex(out, line + buf, v.data);
  }
}

void serializeKey(std::string& out, const RegistryHive::Key& key, const std::string& path, bool isRoot) {
  if (!isRoot || !key.values.empty()) {
    out += "\n[" + path + "]\n";
    for (const auto& v : key.values) serializeValue(out, v);
  }
  for (const auto& [folded, child] : key.subkeys) serializeKey(out, *child, path + "\\" + child->name, false);
}

// The data part of a value line: everything after "=". `more` supplies the
// continuation lines of a hex list.
template <class NextLine>
bool parseData(std::string text, NextLine more, RegistryHive::Value& v, std::string& error) {
  if (!text.empty() && text[0] == '"') {
    size_t pos = 0;
    std::string s;
    if (!unquote(text, pos, s, error)) return false;
    if (!trim(text.substr(pos)).empty()) {
      error = "text after the closing quote";
      return false;
    }
    v.type = kRegSz;
    v.data = s + '\0';
    return true;
  }
  if (text.compare(0, 6, "dword:") == 0) {
    uint32_t n = 0;
    if (!parseHexNumber(trim(text.substr(6)), 8, n)) {
      error = "dword: needs 1 to 8 hex digits";
      return false;
    }
    v.type = kRegDword;
    v.data.assign(4, '\0');
    wire::putU32(reinterpret_cast<uint8_t*>(v.data.data()), n);
    return true;
  }
  size_t colon = text.find(':');
  std::string kind = text.substr(0, colon);
  if (colon == std::string::npos) {
    error = "unknown value data";
    return false;
  }
  if (kind == "hex") {
    v.type = kRegBinary;
  } else if (kind.size() > 5 && kind.compare(0, 4, "hex(") == 0 && kind.back() == ')') {
    uint32_t t = 0;
    if (!parseHexNumber(kind.substr(4, kind.size() - 5), 8, t)) {
      error = "bad type in hex(...)";
      return false;
    }
    v.type = t;
  } else {
    error = "unknown value data";
    return false;
  }
  std::string list = trim(text.substr(colon + 1));
  while (!list.empty() && list.back() == '\\') {
    list.pop_back();
    std::string next;
    if (!more(next)) {
      error = "the file ends inside a hex list";
      return false;
    }
    list += trim(next);
  }
  v.data.clear();
  if (trim(list).empty()) return true;
  size_t start = 0;
  while (true) {
    size_t comma = list.find(',', start);
    uint32_t b = 0;
    if (!parseHexNumber(trim(list.substr(start, comma - start)), 2, b)) {
      error = "a hex list needs bytes of 1 or 2 hex digits separated by commas";
      return false;
    }
    v.data += static_cast<char>(b);
    if (comma == std::string::npos) return true;
    start = comma + 1;
  }
}

}  // namespace

RegistryHive::Key* RegistryHive::Key::child(const std::string& childName) const {
  auto it = subkeys.find(foldName(childName));
  return it == subkeys.end() ? nullptr : it->second.get();
}

RegistryHive::Value* RegistryHive::Key::value(const std::string& valueName) {
  for (auto& v : values) {
    if (sameName(v.name, valueName)) return &v;
  }
  return nullptr;
}

RegistryHive::RegistryHive(std::string rootName) : rootName_(std::move(rootName)), root_(std::make_unique<Key>()) {
  root_->name = rootName_;
}

std::string RegistryHive::foldName(const std::string& name) {
  std::string out = name;
  for (char& c : out) c = foldChar(c);
  return out;
}

RegistryHive::Key* RegistryHive::find(const std::vector<std::string>& path) const {
  Key* k = root_.get();
  for (const auto& part : path) {
    k = k->child(part);
    if (!k) return nullptr;
  }
  return k;
}

RegistryHive::Key& RegistryHive::create(const std::vector<std::string>& path, int64_t now, bool& created) {
  Key* k = root_.get();
  created = false;
  for (const auto& part : path) {
    auto& slot = k->subkeys[foldName(part)];
    created = !slot;
    if (created) {
      slot = std::make_unique<Key>();
      slot->name = part;
      slot->lastWrite = now;
      k->lastWrite = now;
    }
    k = slot.get();
  }
  return *k;
}

std::string RegistryHive::serialize() const {
  std::string out = std::string(kHeader) + "\n";
  serializeKey(out, *root_, rootName_, true);
  return out;
}

std::unique_ptr<RegistryHive> RegistryHive::parse(const std::string& rootName, const std::string& text,
                                                  int64_t fileTime, std::string& error) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t nl = text.find('\n', start);
    if (nl == std::string::npos) nl = text.size();
    std::string line = text.substr(start, nl - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = nl + 1;
  }
  if (lines.empty() || trim(lines[0]) != kHeader) {
    error = "line 1: the file does not start with REGEDIT4";
    return nullptr;
  }
  auto hive = std::make_unique<RegistryHive>(rootName);
  hive->root_->lastWrite = fileTime;
  Key* current = nullptr;
  size_t i = 1;
  auto fail = [&](size_t lineIndex, const std::string& what) {
    error = "line " + std::to_string(lineIndex + 1) + ": " + what;
    return nullptr;
  };
  for (; i < lines.size(); ++i) {
    std::string line = trim(lines[i]);
    if (line.empty() || line[0] == ';') continue;
    size_t first = i;
    if (line[0] == '[') {
      if (line.back() != ']') return fail(i, "a key line must end with ]");
      std::vector<std::string> parts;
      std::string inner = line.substr(1, line.size() - 2);
      size_t from = 0;
      while (true) {
        size_t bs = inner.find('\\', from);
        parts.push_back(inner.substr(from, bs - from));
        if (bs == std::string::npos) break;
        from = bs + 1;
      }
      if (foldName(parts[0]) != foldName(rootName)) return fail(i, "the key is not below " + rootName);
      parts.erase(parts.begin());
      for (const auto& p : parts) {
        if (p.empty()) return fail(i, "a key name is empty");
      }
      bool created = false;
      current = &hive->create(parts, fileTime, created);
      continue;
    }
    if (!current) return fail(i, "a value comes before the first key line");
    Value v;
    size_t pos = 0;
    if (line[0] == '@') {
      pos = 1;
    } else if (line[0] == '"') {
      if (!unquote(line, pos, v.name, error)) return fail(i, error);
    } else {
      return fail(i, "a line must be a key in [ ], a value, a comment or blank");
    }
    while (pos < line.size() && isBlank(line[pos])) ++pos;
    if (pos >= line.size() || line[pos] != '=') return fail(i, "= expected after the value name");
    auto more = [&](std::string& next) {
      if (i + 1 >= lines.size()) return false;
      next = lines[++i];
      return true;
    };
    if (!parseData(trim(line.substr(pos + 1)), more, v, error)) return fail(first, error);
    if (Value* old = current->value(v.name)) {
      *old = std::move(v);
    } else {
      current->values.push_back(std::move(v));
    }
  }
  return hive;
}

}  // namespace wavorel
