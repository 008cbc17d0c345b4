#include "platform/win/gdi/GlyphCache.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H
#include FT_SIZES_H

#include <algorithm>
#include <stdexcept>

#include "platform/win/gdi/Blend.h"

namespace wavorel {

GlyphCache::GlyphCache(std::shared_ptr<const FontFile> file, int emX, int em) : file_(std::move(file)) {
  file_->withFace([&](FT_Face face) {
    if (FT_New_Size(face, &size_) != 0) throw std::runtime_error("cannot size a font face");
    FT_Activate_Size(size_);
    FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(emX), static_cast<FT_UInt>(em));
  });
  for (auto& a : directAdvances_) a.store(-1, std::memory_order_relaxed);
  for (auto& g : directGlyphs_) g.store(nullptr, std::memory_order_relaxed);
  for (auto& slots : directTints_)
    for (auto& t : slots) t.store(nullptr, std::memory_order_relaxed);
}

GlyphCache::~GlyphCache() {
  file_->withFace([&](FT_Face) { FT_Done_Size(size_); });
}

int GlyphCache::lookUpAdvance(char32_t cp) const {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = advances_.find(cp);
  if (it != advances_.end()) return it->second;
  FT_Fixed adv = 0;
  file_->withFace([&](FT_Face face) {
    FT_Activate_Size(size_);
    FT_Get_Advance(face, FT_Get_Char_Index(face, cp), FT_LOAD_NO_HINTING, &adv);
  });
  const int px = static_cast<int>((adv + 0x8000) >> 16);
  advances_.emplace(cp, px);
  if (cp < kDirect && px >= 0) directAdvances_[cp].store(px, std::memory_order_release);
  return px;
}

const GlyphImage& GlyphCache::lookUpGlyph(char32_t cp) const {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = glyphs_.find(cp);
  if (it != glyphs_.end()) return it->second;
  GlyphImage image;
  file_->withFace([&](FT_Face face) {
    FT_Activate_Size(size_);
    if (FT_Load_Glyph(face, FT_Get_Char_Index(face, cp), FT_LOAD_NO_HINTING | FT_LOAD_RENDER) != 0) return;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bm = slot->bitmap;
    if (bm.pixel_mode != FT_PIXEL_MODE_GRAY) return;
    image.left = slot->bitmap_left;
    image.top = slot->bitmap_top;
    image.width = static_cast<int>(bm.width);
    image.height = static_cast<int>(bm.rows);
    image.coverage.resize(static_cast<size_t>(image.width) * image.height);
    for (int y = 0; y < image.height; ++y) {
      const unsigned char* row = bm.buffer + static_cast<ptrdiff_t>(y) * bm.pitch;
      std::copy(row, row + image.width, image.coverage.begin() + static_cast<ptrdiff_t>(y) * image.width);
    }
  });
  const GlyphImage& entry = glyphs_.emplace(cp, std::move(image)).first->second;
  if (cp < kDirect) directGlyphs_[cp].store(&entry, std::memory_order_release);
  return entry;
}

const uint32_t* GlyphCache::lookUpTinted(char32_t cp, uint32_t colour, uint32_t back) const {
  const GlyphImage& image = glyph(cp);
  std::lock_guard<std::mutex> lock(mutex_);
  const TintKey key{cp, colour, back};
  auto it = tinted_.find(key);
  if (it != tinted_.end()) return it->second.pixels.data();
  if (tinted_.size() >= kMaxTinted) return nullptr;
  Tint tint{colour, back, std::vector<uint32_t>(image.coverage.size(), back)};
  for (int y = 0; y < image.height; ++y) {
    const size_t row = static_cast<size_t>(y) * image.width;
    gdi::blendRow(tint.pixels.data() + row, image.coverage.data() + row, image.width, colour);
  }
  const Tint& entry = tinted_.emplace(key, std::move(tint)).first->second;
  if (cp < kDirect) {
    for (auto& slot : directTints_[cp]) {
      if (slot.load(std::memory_order_relaxed)) continue;
      slot.store(&entry, std::memory_order_release);
      break;
    }
  }
  return entry.pixels.data();
}

}  // namespace wavorel
