// One font file as FreeType reads it: its bytes (MappedFile.h: mapped, or
// read where it cannot be mapped, the same bytes either way, so text looks
// the same), and one FreeType face over them, unsized, for reading the
// file's tables.
#pragma once

#include <string>

#include "platform/win/gdi/MappedFile.h"

struct FT_FaceRec_;
struct FT_LibraryRec_;

namespace wavorel {

class FontFile {
 public:
  // Throws std::runtime_error when the file cannot be read or is no font.
  FontFile(const std::string& path, FT_LibraryRec_* library);
  ~FontFile();
  FontFile(const FontFile&) = delete;
  FontFile& operator=(const FontFile&) = delete;

  const BYTE* data() const { return bytes_.data(); }
  size_t size() const { return bytes_.size(); }
  bool mapped() const { return bytes_.mapped(); }
  // The unsized face, for the tables (OS/2, hhea) and names.
  FT_FaceRec_* tables() const { return tables_; }

 private:
  MappedFile bytes_;
  FT_FaceRec_* tables_ = nullptr;
};

}  // namespace wavorel
