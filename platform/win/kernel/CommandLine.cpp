#include "platform/win/kernel/CommandLine.h"

namespace wavorel {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

size_t skipBlanks(const std::string& s, size_t i) {
  while (i < s.size() && isBlank(s[i])) ++i;
  return i;
}

// The first argument; `i` ends past it.
std::string programPart(const std::string& s, size_t& i) {
  std::string out;
  if (i < s.size() && s[i] == '"') {
    ++i;
    while (i < s.size() && s[i] != '"') out += s[i++];
    if (i < s.size()) ++i;
    return out;
  }
  while (i < s.size() && !isBlank(s[i])) out += s[i++];
  return out;
}

}  // namespace

std::vector<std::string> splitCommandLine(const std::string& s) {
  std::vector<std::string> args;
  size_t i = skipBlanks(s, 0);
  if (i >= s.size()) return args;
  args.push_back(programPart(s, i));
  for (i = skipBlanks(s, i); i < s.size(); i = skipBlanks(s, i)) {
    std::string arg;
    bool quoted = false;
    while (i < s.size() && (quoted || !isBlank(s[i]))) {
      if (s[i] == '\\') {
        size_t n = 0;
        while (i < s.size() && s[i] == '\\') ++n, ++i;
        if (i < s.size() && s[i] == '"') {
          arg.append(n / 2, '\\');
          if (n % 2) {
            arg += '"';
            ++i;
          }
        } else {
          arg.append(n, '\\');
        }
      } else if (s[i] == '"') {
        if (quoted && i + 1 < s.size() && s[i + 1] == '"') {
          arg += '"';
          i += 2;
        } else {
          quoted = !quoted;
          ++i;
        }
      } else {
        arg += s[i++];
      }
    }
    args.push_back(arg);
  }
  return args;
}

std::vector<std::string> programCandidates(const std::string& s) {
  size_t i = skipBlanks(s, 0);
  if (i >= s.size()) return {};
  if (s[i] == '"') return {programPart(s, i)};
  std::vector<std::string> out;
  size_t end = s.find_last_not_of(" \t");
  for (size_t j = i; j <= end; ++j) {
    if (isBlank(s[j]) && !isBlank(s[j - 1])) out.push_back(s.substr(i, j - i));
  }
  out.push_back(s.substr(i, end + 1 - i));
  return out;
}

}  // namespace wavorel
