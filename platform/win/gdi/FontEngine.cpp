#include "platform/win/gdi/FontEngine.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace wavorel {

namespace {

const char kFontFolder[] = "/usr/share/fonts/truetype/dejavu/";

bool isBold(const LOGFONT& lf) { return lf.lfWeight >= FW_SEMIBOLD; }

std::string fileNameFor(const LOGFONT& lf) {
  return fontFileName(substituteFace(lf.lfFaceName, lf.lfPitchAndFamily).family, isBold(lf), lf.lfItalic != 0);
}

}  // namespace

FontEngine::FontEngine() {
  if (FT_Init_FreeType(&library_) != 0) throw std::runtime_error("FreeType cannot start");
}

FontEngine::~FontEngine() {
  faces_.clear();
  FT_Done_FreeType(library_);
}

std::shared_ptr<const std::vector<BYTE>> FontEngine::fileData(const std::string& name) {
  auto it = files_.find(name);
  if (it != files_.end()) return it->second;
  std::ifstream in(kFontFolder + name, std::ios::binary);
  if (!in) throw std::runtime_error("font file missing: " + std::string(kFontFolder) + name);
  auto data = std::make_shared<const std::vector<BYTE>>(std::istreambuf_iterator<char>(in),
                                                        std::istreambuf_iterator<char>());
  files_.emplace(name, data);
  return data;
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
  auto face = std::make_unique<FontFace>(fileData(name), name, safe, library_);
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
