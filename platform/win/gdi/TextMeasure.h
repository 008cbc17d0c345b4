// What text layout needs to know of a font.
#pragma once

namespace wavorel {

class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  // Advance of one character in whole pixels (no kerning).
  virtual int advance(char32_t cp) const = 0;
  // Height of a line of text (tmHeight).
  virtual int lineHeight() const = 0;
  // tmAveCharWidth; tab stops are 8 of it apart.
  virtual int averageCharWidth() const = 0;
};

}  // namespace wavorel
