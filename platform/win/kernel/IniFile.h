// An initialization (INI) file held as its lines, so that a rewrite keeps
// comments, blank lines, unknown lines and the order of everything it does
// not change.
//
// Reading rules:
// - A line whose first non-blank character is '[' starts a section; its name is
//   the text up to the first ']' (or the end of the line when there is none),
//   trimmed. Text after the ']' is ignored.
// - Inside a section, a line with '=' is an entry: the key is the trimmed text
//   before the first '=', the value the trimmed text after it.
// - Lines starting with ';', lines without '=', blank lines and anything before
//   the first section header are kept but are neither keys nor values.
// - Section and key names compare case-insensitively. Where a name appears
//   twice, the first one counts.
// - A UTF-8 byte-order mark is skipped and written back; LF and CR LF line ends
//   are both read; the file is written with CR LF.
//
// Lookups go through an index of the sections and their keys, built when the
// file is parsed and again after each change, so a lookup does not grow with
// the size of the file.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace wavorel {

class IniFile {
 public:
  static IniFile parse(std::string_view text);
  std::string serialize() const;

  // The value of a key, or nullptr when the section or the key is missing.
  const std::string* find(std::string_view section, std::string_view key) const;
  bool hasSection(std::string_view section) const;
  // Section names in file order, each name once.
  std::vector<std::string> sectionNames() const;
  // The keys of a section in file order (empty when the section is missing).
  std::vector<std::string> keyNames(std::string_view section) const;
  // The entries of a section in file order as "key=value" (trimmed), each key
  // once; empty when the section is missing.
  std::vector<std::string> entries(std::string_view section) const;

  // Replaces the value in place, or adds the key after the section's last
  // entry, or adds the section at the end of the file.
  void set(std::string_view section, std::string_view key, std::string_view value);
  // Both return false (and change nothing) when the name is missing.
  // removeKey removes the key from the section that lookups use; removeSection
  // removes every section of that name with all its lines.
  bool removeKey(std::string_view section, std::string_view key);
  bool removeSection(std::string_view section);

  // A value enclosed in a matching pair of single or double quotes without
  // them; any other value unchanged.
  static std::string_view unquote(std::string_view value);

 private:
  enum class Kind { Header, Entry, Other };
  struct Line {
    Kind kind;
    std::string text;   // the line as it is written back, without its line end
    std::string name;   // section name (Header) or key (Entry)
    std::string value;  // Entry only
  };

  size_t findHeader(std::string_view section) const;  // lines_.size() when missing
  size_t sectionEnd(size_t header) const;             // one past the section's last line
  // The entry of `key` in the section whose (first) header is `header`.
  size_t findEntry(size_t header, std::string_view key) const;
  void reindex();

  std::vector<Line> lines_;
  bool bom_ = false;
  // Folded section name -> its first header; folded "section\nkey" -> the
  // key's first entry in that section; header line -> one past its section.
  std::unordered_map<std::string, size_t> headers_;
  std::unordered_map<std::string, size_t> entries_;
  std::unordered_map<size_t, size_t> ends_;
};

}  // namespace wavorel
