// wavrc: compiles a resource script into a C++ source file.
//
//   wavrc [-I folder]... [--module name] [--depfile file] -o out.cpp script.rc
//
// A fault in the script is reported as "file:line: message" with exit code 1;
// the output is then left untouched.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/tools/rc/CppWriter.h"
#include "platform/tools/rc/Preprocessor.h"
#include "platform/tools/rc/RcError.h"
#include "platform/tools/rc/Statements.h"

namespace {

int usage() {
  std::cerr << "usage: wavrc [-I folder]... [--module name] [--depfile file] -o out.cpp script.rc\n";
  return 2;
}

// Makefile syntax, as Ninja reads depfiles.
std::string depPath(const std::string& p) {
  std::string out;
  for (char c : p) {
    if (c == ' ' || c == '#') out += '\\';
    if (c == '$') out += '$';
    out += c;
  }
  return out;
}

bool writeFile(const std::string& path, const std::string& data) {
  std::string tmp = path + ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    if (!out || !(out << data) || !out.flush()) return false;
  }
  std::error_code ec;
  std::filesystem::rename(tmp, path, ec);
  return !ec;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> includeDirs;
  std::string module, depfile, output, script;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    bool hasValue = i + 1 < argc;
    if (a == "-I" && hasValue) {
      includeDirs.push_back(argv[++i]);
    } else if (a.rfind("-I", 0) == 0 && a.size() > 2) {
      includeDirs.push_back(a.substr(2));
    } else if (a == "--module" && hasValue) {
      module = argv[++i];
    } else if (a == "--depfile" && hasValue) {
      depfile = argv[++i];
    } else if (a == "-o" && hasValue) {
      output = argv[++i];
    } else if (!a.empty() && a[0] != '-' && script.empty()) {
      script = a;
    } else {
      return usage();
    }
  }
  if (output.empty() || script.empty()) return usage();

  try {
    wavrc::Preprocessor pre(includeDirs);
    wavrc::TokenStream ts(pre.run(script));
    wavrc::ResourceSet set;
    wavrc::Script s(ts, set, includeDirs);
    wavrc::compileScript(s);

    std::ostringstream cpp;
    wavrc::writeCpp(set, std::filesystem::path(script).filename().string(), module, cpp);
    if (!writeFile(output, cpp.str())) {
      std::cerr << output << ": cannot write the output\n";
      return 1;
    }
    if (!depfile.empty()) {
      std::ostringstream dep;
      dep << depPath(output) << ":";
      for (const std::string& d : pre.dependencies()) dep << " \\\n  " << depPath(d);
      for (const std::string& d : s.files()) dep << " \\\n  " << depPath(d);
      dep << "\n";
      if (!writeFile(depfile, dep.str())) {
        std::cerr << depfile << ": cannot write the dependency file\n";
        return 1;
      }
    }
  } catch (const wavrc::RcError& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  return 0;
}
