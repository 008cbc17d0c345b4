// One font file as FreeType reads it, and the one FreeType face over it. A
// regular file is read on demand (FontStream.h): the face keeps the tables it
// needs, glyphs are read as they are drawn, and no page of the file is held.
// Anything else (a pipe) is read whole into memory first; either way the same
// bytes, so text looks the same. The glyph caches of every pixel size share
// the face, each through a FreeType size of its own, one at a time.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "platform/win/gdi/FileBytes.h"
#include "platform/win/gdi/FontStream.h"

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

  // Whether the file is read on demand rather than held in memory.
  bool readOnDemand() const { return stream_.ok(); }
  // The face's tables (OS/2, hhea) and names, which never change: readable
  // from any thread without the lock.
  FT_FaceRec_* tables() const { return face_; }
  // Runs `use` on the face with the lock held: every size made, activated or
  // done and every glyph loaded goes through here.
  template <class Use>
  auto withFace(Use&& use) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return use(face_);
  }

 private:
  FontStream stream_;
  std::unique_ptr<FileBytes> bytes_;  // the file's bytes where it cannot be read on demand
  FT_FaceRec_* face_ = nullptr;
  mutable std::mutex mutex_;
};

}  // namespace wavorel
