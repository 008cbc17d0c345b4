#include "platform/tools/rc/CppWriter.h"

#include <cstdio>

namespace wavrc {

namespace {

std::string literal(const std::string& s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\' && c != '?') {
      out += static_cast<char>(c);
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\%03o", c);
      out += buf;
    }
  }
  return out + "\"";
}

std::string name(const ResName& n) {
  return n.isId ? "{" + std::to_string(n.id) + ", nullptr}" : "{0, " + literal(n.text) + "}";
}

}  // namespace

void writeCpp(const ResourceSet& set, const std::string& scriptName, const std::string& moduleName, std::ostream& out) {
  out << "// Made by wavrc from " << scriptName << "; not to be edited.\n"
      << "#include \"platform/win/kernel/Resources.h\"\n\nnamespace {\n\n";
  const auto& blobs = set.blobs();
  for (size_t i = 0; i < blobs.size(); ++i) {
    out << "alignas(4) const BYTE kBlob" << i << "[] = {";
    if (blobs[i].empty()) out << "0";
    for (size_t k = 0; k < blobs[i].size(); ++k) {
      if (k % 20 == 0) out << "\n   ";
      out << ' ' << static_cast<unsigned>(blobs[i][k]) << ',';
    }
    out << "\n};\n";
  }
  out << "\n";
  if (set.resources().empty()) {
    out << "const wavorel::ResourceEntry* const kEntries = nullptr;\n";
  } else {
    out << "const wavorel::ResourceEntry kEntries[] = {\n";
    for (const CompiledResource& r : set.resources()) {
      out << "    {" << name(r.type) << ", " << name(r.name) << ", " << r.language << ", kBlob" << r.blob << " + "
          << r.offset << ", " << r.size << "},\n";
    }
    out << "};\n";
  }
  if (set.files().empty()) {
    out << "const wavorel::ResourceFile* const kFiles = nullptr;\n";
  } else {
    out << "const wavorel::ResourceFile kFiles[] = {\n";
    for (const CompiledFile& f : set.files()) {
      out << "    {" << name(f.type) << ", " << name(f.name) << ", kBlob" << f.blob << ", "
          << blobs[f.blob].size() << "},\n";
    }
    out << "};\n";
  }
  std::string module = moduleName.empty() ? "wavorel::programInstance()" : "wavorel::moduleInstance(" + literal(moduleName) + ")";
  out << "\nstruct Registration {\n"
      << "  Registration() {\n"
      << "    wavorel::registerResourceModule(" << module << ", wavorel::ResourceTable{kEntries, "
      << set.resources().size() << ", kFiles, " << set.files().size() << "});\n"
      << "  }\n"
      << "} const kRegistration;\n\n}  // namespace\n";
}

}  // namespace wavrc
