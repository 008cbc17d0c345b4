#include "platform/win/gdi/FontFile.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <stdexcept>

namespace wavorel {

FontFile::FontFile(const std::string& path, FT_LibraryRec_* library) : stream_(path) {
  FT_Error error = 0;
  if (stream_.ok()) {
    FT_Open_Args args{};
    args.flags = FT_OPEN_STREAM;
    args.stream = stream_.stream();
    error = FT_Open_Face(library, &args, 0, &face_);
  } else {
    bytes_ = std::make_unique<FileBytes>(path);
    if (!bytes_->ok()) throw std::runtime_error("font file missing: " + path);
    error = FT_New_Memory_Face(library, bytes_->data(), static_cast<FT_Long>(bytes_->size()), 0, &face_);
  }
  if (error != 0) throw std::runtime_error("cannot read font file " + path);
}

FontFile::~FontFile() { FT_Done_Face(face_); }

}  // namespace wavorel
