#include "platform/win/kernel/IniFile.h"

#include <algorithm>

namespace wavorel {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

char foldCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string fold(std::string_view name) {
  std::string out(name);
  for (char& c : out) c = foldCase(c);
  return out;
}

std::string entryKey(std::string_view section, std::string_view key) { return fold(section) + '\n' + fold(key); }

std::string entryText(std::string_view key, std::string_view value) {
  std::string text(key);
  text += '=';
  text += value;
  return text;
}

}  // namespace

IniFile IniFile::parse(std::string_view text) {
  IniFile file;
  if (text.substr(0, kBom.size()) == kBom) {
    file.bom_ = true;
    text.remove_prefix(kBom.size());
  }
  file.lines_.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  bool inSection = false;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view raw = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);

    Line line{Kind::Other, std::string(raw), {}, {}};
    std::string_view body = trim(raw);
    if (!body.empty() && body.front() == '[') {
      std::string_view name = body.substr(1);
      name = name.substr(0, name.find(']'));
      line.kind = Kind::Header;
      line.name = std::string(trim(name));
      inSection = true;
    } else if (inSection && !body.empty() && body.front() != ';') {
      size_t eq = body.find('=');
      if (eq != std::string_view::npos) {
        line.kind = Kind::Entry;
        line.name = std::string(trim(body.substr(0, eq)));
        line.value = std::string(trim(body.substr(eq + 1)));
      }
    }
    file.lines_.push_back(std::move(line));
  }
  file.reindex();
  return file;
}

void IniFile::reindex() {
  headers_.clear();
  entries_.clear();
  ends_.clear();
  headers_.reserve(lines_.size() / 4);
  entries_.reserve(lines_.size());
  size_t header = lines_.size();
  bool first = false;  // the current section is the first of its name
  for (size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    if (line.kind == Kind::Header) {
      if (header != lines_.size()) ends_[header] = i;
      header = i;
      first = headers_.emplace(fold(line.name), i).second;
    } else if (line.kind == Kind::Entry && first) {
      entries_.emplace(entryKey(lines_[header].name, line.name), i);
    }
  }
  if (header != lines_.size()) ends_[header] = lines_.size();
}

std::string IniFile::serialize() const {
  std::string out;
  if (bom_) out += kBom;
  for (const Line& line : lines_) {
    out += line.text;
    out += "\r\n";
  }
  return out;
}

size_t IniFile::findHeader(std::string_view section) const {
  auto it = headers_.find(fold(section));
  return it == headers_.end() ? lines_.size() : it->second;
}

size_t IniFile::sectionEnd(size_t header) const {
  auto it = ends_.find(header);
  return it == ends_.end() ? lines_.size() : it->second;
}

size_t IniFile::findEntry(size_t header, std::string_view key) const {
  auto it = entries_.find(entryKey(lines_[header].name, key));
  return it == entries_.end() ? lines_.size() : it->second;
}

const std::string* IniFile::find(std::string_view section, std::string_view key) const {
  size_t header = findHeader(section);
  if (header == lines_.size()) return nullptr;
  size_t entry = findEntry(header, key);
  return entry == lines_.size() ? nullptr : &lines_[entry].value;
}

bool IniFile::hasSection(std::string_view section) const { return findHeader(section) != lines_.size(); }

std::vector<std::string> IniFile::sectionNames() const {
  std::vector<std::string> names;
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == Kind::Header && findHeader(lines_[i].name) == i) names.push_back(lines_[i].name);
  }
  return names;
}

std::vector<std::string> IniFile::keyNames(std::string_view section) const {
  std::vector<std::string> keys;
  size_t header = findHeader(section);
  if (header == lines_.size()) return keys;
  size_t end = sectionEnd(header);
  for (size_t i = header + 1; i < end; ++i) {
    if (lines_[i].kind == Kind::Entry && findEntry(header, lines_[i].name) == i) keys.push_back(lines_[i].name);
  }
  return keys;
}

std::vector<std::string> IniFile::entries(std::string_view section) const {
  std::vector<std::string> result;
  size_t header = findHeader(section);
  if (header == lines_.size()) return result;
  size_t end = sectionEnd(header);
  for (size_t i = header + 1; i < end; ++i) {
    if (lines_[i].kind == Kind::Entry && findEntry(header, lines_[i].name) == i) {
      result.push_back(lines_[i].name + "=" + lines_[i].value);
    }
  }
  return result;
}

void IniFile::set(std::string_view section, std::string_view key, std::string_view value) {
  size_t header = findHeader(section);
  if (header == lines_.size()) {
    lines_.push_back(Line{Kind::Header, "[" + std::string(section) + "]", std::string(section), {}});
    lines_.push_back(Line{Kind::Entry, entryText(key, value), std::string(key), std::string(value)});
    reindex();
    return;
  }
  size_t entry = findEntry(header, key);
  if (entry != lines_.size()) {
    Line& line = lines_[entry];
    line.value = std::string(value);
    line.text = entryText(line.name, value);
    return;
  }
  size_t at = header + 1;
  size_t end = sectionEnd(header);
  for (size_t i = header + 1; i < end; ++i) {
    if (lines_[i].kind == Kind::Entry) at = i + 1;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at),
                Line{Kind::Entry, entryText(key, value), std::string(key), std::string(value)});
  reindex();
}

bool IniFile::removeKey(std::string_view section, std::string_view key) {
  size_t header = findHeader(section);
  if (header == lines_.size()) return false;
  bool removed = false;
  for (size_t entry = findEntry(header, key); entry != lines_.size(); entry = findEntry(header, key)) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(entry));
    reindex();
    removed = true;
  }
  return removed;
}

bool IniFile::removeSection(std::string_view section) {
  bool removed = false;
  for (size_t header = findHeader(section); header != lines_.size(); header = findHeader(section)) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(sectionEnd(header)));
    reindex();
    removed = true;
  }
  return removed;
}

std::string_view IniFile::unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace wavorel
