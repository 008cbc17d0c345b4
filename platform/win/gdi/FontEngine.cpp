#include "platform/win/gdi/FontEngine.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <stdexcept>

namespace wavorel {

namespace {

bool isBold(const LOGFONT& lf) { return lf.lfWeight >= FW_SEMIBOLD; }

std::string fileNameFor(const LOGFONT& lf) {
  return fontFileName(substituteFace(lf.lfFaceName, lf.lfPitchAndFamily).family, isBold(lf), lf.lfItalic != 0);
}

}  // namespace

FontEngine::FontEngine(std::string folder) : folder_(std::move(folder)) {
  if (FT_Init_FreeType(&library_) != 0) throw std::runtime_error("FreeType cannot start");
}

FontEngine::~FontEngine() {
  faces_.clear();
  glyphs_.clear();
  files_.clear();
  FT_Done_FreeType(library_);
}

std::shared_ptr<const FontFile> FontEngine::file(const std::string& name) {
  auto it = files_.find(name);
  if (it != files_.end()) return it->second;
  auto opened = std::make_shared<const FontFile>(folder_ + name, library_);
  files_.emplace(name, opened);
  return opened;
}

const FontFace& FontEngine::realize(const LOGFONT& lf) {
  // lfFaceName may lack its terminator; the table compares a bounded copy.
  LOGFONT safe = lf;
  safe.lfFaceName[LF_FACESIZE - 1] = '\0';
  const FontSubstitution sub = substituteFace(safe.lfFaceName, safe.lfPitchAndFamily);
  const Key key{static_cast<int>(sub.family), isBold(safe), safe.lfItalic != 0, safe.lfHeight, safe.lfWidth,
                safe.lfWeight, safe.lfUnderline != 0, safe.lfStrikeOut != 0, safe.lfCharSet};
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = faces_.find(key);
  if (it != faces_.end()) return *it->second;
  const std::string name = fileNameFor(safe);
  std::shared_ptr<const FontFile> data = file(name);
  auto glyphsFor = [&](int emX, int em) {
    auto& slot = glyphs_[std::make_tuple(name, emX, em)];
    if (!slot) slot = std::make_shared<const GlyphCache>(data, emX, em);
    return slot;
  };
  auto face = std::make_unique<FontFace>(*data, name, safe, glyphsFor);
  return *faces_.emplace(key, std::move(face)).first->second;
}

FontEngine& fontEngine() {
  static FontEngine engine;
  return engine;
}

std::string fontFileFor(const LOGFONT& lf) {
  LOGFONT safe = lf;
  safe.lfFaceName[LF_FACESIZE - 1] = '\0';
  return fileNameFor(safe);
}

}  // namespace wavorel
