// The window object of a rich edit control.
#pragma once

#include <string>
#include <vector>

#include "platform/win/commctrl/RichEdit.h"
#include "platform/win/controls/Control.h"

namespace wavorel {

class RichEditControl : public Control {
 public:
  static constexpr LONG kDefaultLimit = 32767;
  static constexpr LONG kExLimitDefault = 65536;
  static constexpr int kLineHeight = 16;

  explicit RichEditControl(HWND hwnd);
  LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;
  UINT colorMessage() const override { return WM_NULL; }

  std::vector<RichEditRun> runs() const;

 private:
  struct Format {
    DWORD effects = CFE_AUTOCOLOR | CFE_AUTOBACKCOLOR;
    COLORREF color = 0;
    COLORREF backColor = 0;
    LONG height = 160;
    LONG offset = 0;
    WORD weight = 400;
    BYTE charSet = 1;
    std::string face = "Tahoma";
    bool operator==(const Format& o) const {
      return effects == o.effects && color == o.color && backColor == o.backColor && height == o.height &&
             offset == o.offset && weight == o.weight && charSet == o.charSet && face == o.face;
    }
  };

  LONG length() const { return static_cast<LONG>(text_.size()); }
  std::string withCrLf(LONG from, LONG to) const;
  void setSelection(LONG start, LONG end);
  // Puts `text` in place of the selection; false when nothing could be put.
  void replaceSelection(const std::string& text, bool limited);
  void changed();
  BOOL setCharFormat(UINT scope, const CHARFORMAT* format);
  DWORD getCharFormat(UINT scope, CHARFORMAT* format) const;
  static void apply(Format& target, const CHARFORMAT& format, bool extended);
  static void put(const Format& source, CHARFORMAT* format, bool extended);
  LONG lineCount() const;
  LONG lineFromChar(LONG cp) const;
  LONG lineIndex(LONG line) const;
  int visibleLines() const;
  void scrollTo(LONG line);

  std::string text_;  // paragraphs end with CR
  std::vector<Format> formats_;  // one per character of text_
  Format default_;
  Format insertion_;  // for text typed or put at an empty selection
  LONG selMin_ = 0;
  LONG selMax_ = 0;
  LONG limit_ = kDefaultLimit;
  DWORD eventMask_ = ENM_NONE;
  COLORREF backColor_;
  bool hideSelection_ = false;
  LONG firstLine_ = 0;
  // The default look (RichEditPaint.cpp).
  void paintLook(HDC dc) const;
};

}  // namespace wavorel
