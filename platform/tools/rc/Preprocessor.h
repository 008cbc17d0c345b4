// The preprocessor of resource scripts: #include of headers (searched beside
// the including file, then in the include folders), object-like #define and
// #undef, #if/#ifdef/#ifndef/#elif/#else/#endif, comments and line
// continuations. The headers that only declare the built-in constants
// (windows.h, winres.h, afxres.h, commctrl.h, ...) are accepted and skipped.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/tools/rc/Token.h"

namespace wavrc {

class Preprocessor {
 public:
  explicit Preprocessor(std::vector<std::string> includeDirs);

  // The script's tokens with macros expanded. Throws RcError.
  std::vector<Token> run(const std::string& path);
  // Every file read, the script first.
  const std::vector<std::string>& dependencies() const { return dependencies_; }

 private:
  struct Conditional {
    bool parentActive;
    bool active;
    bool taken;
    bool seenElse;
  };

  void processFile(const std::string& path, int depth);
  void directive(const std::string& body, const std::string& file, int line, int depth,
                 std::vector<Conditional>& conds);
  bool active(const std::vector<Conditional>& conds) const;
  bool evaluate(std::vector<Token> tokens, const std::string& file, int line) const;
  void expand(const std::vector<Token>& in, std::vector<Token>& out, std::set<std::string>& busy,
              const Token* site) const;
  std::string findInclude(const std::string& name, const std::string& fromFile, bool angled) const;

  std::vector<std::string> includeDirs_;
  std::map<std::string, std::vector<Token>> macros_;
  std::vector<std::string> dependencies_;
  std::vector<Token> out_;
};

}  // namespace wavrc
