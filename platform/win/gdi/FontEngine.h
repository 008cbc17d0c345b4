// The font engine: FreeType and the DejaVu faces of the machine
// (/usr/share/fonts/truetype/dejavu). A LOGFONT is mapped to a face file by
// the substitution table (FontSubstitution.h): weight FW_SEMIBOLD (600) and
// above takes the bold cut, lfItalic the oblique/italic cut. Realized fonts
// are kept for the life of the process. lfEscapement and lfOrientation are
// kept by the font objects but text is always drawn horizontally.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <tuple>
#include <vector>

#include "platform/win/gdi/FontFace.h"
#include "platform/win/gdi/FontSubstitution.h"

namespace wavorel {

class FontEngine {
 public:
  // `folder` holds the DejaVu files (ending in '/').
  explicit FontEngine(std::string folder = "/usr/share/fonts/truetype/dejavu/");
  ~FontEngine();
  FontEngine(const FontEngine&) = delete;
  FontEngine& operator=(const FontEngine&) = delete;

  // Throws std::runtime_error when the DejaVu file cannot be read.
  const FontFace& realize(const LOGFONT& lf);

 private:
  using Key = std::tuple<int, bool, bool, LONG, LONG, LONG, bool, bool, BYTE>;
  std::shared_ptr<const FontFile> file(const std::string& name);

  std::string folder_;
  std::mutex mutex_;
  FT_LibraryRec_* library_ = nullptr;
  std::map<std::string, std::shared_ptr<const FontFile>> files_;
  std::map<std::tuple<std::string, int, int>, std::shared_ptr<const GlyphCache>> glyphs_;
  std::map<Key, std::unique_ptr<FontFace>> faces_;
};

FontEngine& fontEngine();

// The DejaVu file a LOGFONT is drawn with (its substitution).
std::string fontFileFor(const LOGFONT& lf);

}  // namespace wavorel
