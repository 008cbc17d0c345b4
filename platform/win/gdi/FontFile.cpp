#include "platform/win/gdi/FontFile.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <stdexcept>

namespace wavorel {

FontFile::FontFile(const std::string& path, FT_LibraryRec_* library) : bytes_(path) {
  if (!bytes_.ok()) throw std::runtime_error("font file missing: " + path);
  if (FT_New_Memory_Face(library, bytes_.data(), static_cast<FT_Long>(bytes_.size()), 0, &tables_) != 0)
    throw std::runtime_error("cannot read font file " + path);
}

FontFile::~FontFile() { FT_Done_Face(tables_); }

}  // namespace wavorel
