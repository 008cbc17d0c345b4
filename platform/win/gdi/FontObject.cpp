#include "platform/win/gdi/FontObject.h"

#include <cstring>

#include "platform/win/gdi/FontEngine.h"
#include "platform/win/gdi/DeviceContext.h"
#include "platform/win/gdi/StockObjects.h"

namespace wavorel::gdi {

namespace {

LOGFONT terminated(const LOGFONT& lf) {
  LOGFONT out = lf;
  out.lfFaceName[LF_FACESIZE - 1] = '\0';
  return out;
}

LOGFONT stockLogFont(int id) {
  LOGFONT lf{};
  const char* face = "System";
  switch (id) {
    case DEFAULT_GUI_FONT:
      lf.lfHeight = -11;
      lf.lfWeight = FW_NORMAL;
      face = "MS Shell Dlg";
      break;
    case ANSI_VAR_FONT:
      lf.lfHeight = 12;
      lf.lfWeight = FW_NORMAL;
      face = "MS Sans Serif";
      lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
      break;
    case ANSI_FIXED_FONT:
      lf.lfHeight = 12;
      lf.lfWeight = FW_NORMAL;
      face = "Courier";
      lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
      break;
    case OEM_FIXED_FONT:
      lf.lfHeight = 12;
      lf.lfWeight = FW_NORMAL;
      face = "Terminal";
      lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
      break;
    case SYSTEM_FIXED_FONT:
      lf.lfHeight = 16;
      lf.lfWeight = FW_NORMAL;
      face = "Fixedsys";
      lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
      break;
    default:  // SYSTEM_FONT, DEVICE_DEFAULT_FONT
      lf.lfHeight = 16;
      lf.lfWeight = FW_BOLD;
      lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
      break;
  }
  lf.lfCharSet = ANSI_CHARSET;
  std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return lf;
}

// Stock fonts come from here: registered when the library loads.
[[maybe_unused]] const bool registered = [] {
  setStockFontMaker([](int id) -> std::shared_ptr<GdiObject> { return std::make_shared<FontObject>(stockLogFont(id)); });
  return true;
}();

}  // namespace

FontObject::FontObject(const LOGFONT& lf) : GdiObject(OBJ_FONT), logFont_(terminated(lf)) {}

const FontFace& FontObject::face() const {
  const FontFace* face = face_.load(std::memory_order_acquire);
  if (!face) {
    face = &fontEngine().realize(logFont_);
    face_.store(face, std::memory_order_release);
  }
  return *face;
}

const FontObject& selectedFont(const DeviceContext& dc) {
  if (const auto* font = dynamic_cast<const FontObject*>(dc.font())) return *font;
  static const std::shared_ptr<FontObject> fallback = std::make_shared<FontObject>(stockLogFont(SYSTEM_FONT));
  return *fallback;
}

}  // namespace wavorel::gdi
