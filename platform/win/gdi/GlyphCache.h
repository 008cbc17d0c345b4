// The glyphs of one font file at one pixel size (em width and height): a
// FreeType size of the file's face set to that size, and the advances and anti-aliased images
// of the characters asked for so far. Every realized font that comes to the
// same file and size (whatever its underline, strike-out, weight within the
// same cut or character set) shares one cache. Glyphs are rendered unhinted,
// so images and advances are the same on every run. Each glyph also keeps its
// image laid in a text colour over a background, per pair of colours drawn.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "platform/win/gdi/FontFile.h"

struct FT_SizeRec_;

namespace wavorel {

// 8-bit coverage, `width` x `height`, rows top down; `left` and `top` place
// its top-left corner relative to the pen on the baseline (top is upwards).
struct GlyphImage {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<BYTE> coverage;
};

class GlyphCache {
 public:
  // Throws std::runtime_error when FreeType cannot make the size.
  GlyphCache(std::shared_ptr<const FontFile> file, int emX, int em);
  ~GlyphCache();
  GlyphCache(const GlyphCache&) = delete;
  GlyphCache& operator=(const GlyphCache&) = delete;

  // Pixels, rounded.
  int advance(char32_t cp) const {
    if (cp < kDirect) {
      const int known = directAdvances_[cp].load(std::memory_order_acquire);
      if (known >= 0) return known;
    }
    return lookUpAdvance(cp);
  }
  const GlyphImage& glyph(char32_t cp) const {
    if (cp < kDirect) {
      if (const GlyphImage* known = directGlyphs_[cp].load(std::memory_order_acquire)) return *known;
    }
    return lookUpGlyph(cp);
  }
  // The glyph's image in 32-bit pixel value `colour` laid over `back` (rows
  // of glyph(cp).width pixels, `back` where it has no coverage), made on
  // first use and kept as long as the cache; null once kMaxTinted images are
  // kept.
  const uint32_t* tinted(char32_t cp, uint32_t colour, uint32_t back) const {
    if (cp < kDirect) {
      for (const auto& slot : directTints_[cp]) {
        const Tint* known = slot.load(std::memory_order_acquire);
        if (!known) break;
        if (known->colour == colour && known->back == back) return known->pixels.data();
      }
    }
    return lookUpTinted(cp, colour, back);
  }
  static constexpr size_t kMaxTinted = 4096;

 private:
  // advance(), glyph() and tinted() past what is known without the lock.
  int lookUpAdvance(char32_t cp) const;
  const GlyphImage& lookUpGlyph(char32_t cp) const;
  const uint32_t* lookUpTinted(char32_t cp, uint32_t colour, uint32_t back) const;

  std::shared_ptr<const FontFile> file_;
  FT_SizeRec_* size_ = nullptr;
  mutable std::mutex mutex_;
  mutable std::unordered_map<char32_t, int> advances_;
  mutable std::unordered_map<char32_t, GlyphImage> glyphs_;
  struct TintKey {
    char32_t cp;
    uint32_t colour;
    uint32_t back;
    bool operator==(const TintKey& o) const { return cp == o.cp && colour == o.colour && back == o.back; }
  };
  struct TintHash {
    size_t operator()(const TintKey& k) const {
      return std::hash<uint64_t>()((static_cast<uint64_t>(k.colour) << 32 | k.back) * 31 + k.cp);
    }
  };
  struct Tint {
    uint32_t colour;
    uint32_t back;
    std::vector<uint32_t> pixels;
  };
  mutable std::unordered_map<TintKey, Tint, TintHash> tinted_;
  // The characters below kDirect, read without the lock once known: the
  // advance (-1: not yet asked) and the image (an entry of glyphs_, whose
  // elements never move).
  static constexpr char32_t kDirect = 256;
  mutable std::atomic<int> directAdvances_[kDirect];
  mutable std::atomic<const GlyphImage*> directGlyphs_[kDirect];
  // The first images of each character below kDirect, read without the
  // lock once there (entries of tinted_); a null slot ends the list.
  static constexpr int kDirectTints = 4;
  mutable std::atomic<const Tint*> directTints_[kDirect][kDirectTints];
};

}  // namespace wavorel
