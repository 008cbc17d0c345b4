// SPI_GETNONCLIENTMETRICS: the classic look's non-client sizes and fonts.
#include <cstddef>
#include <cstring>

#include "platform/win/kernel/Errors.h"
#include "platform/win/gdi/Fonts.h"

namespace wavorel {

namespace {

LOGFONT tahoma(LONG weight) {
  LOGFONT lf{};
  lf.lfHeight = -11;  // 8 points at 96 dots per inch
  lf.lfWeight = weight;
  lf.lfCharSet = DEFAULT_CHARSET;
  std::strncpy(lf.lfFaceName, "Tahoma", LF_FACESIZE - 1);
  return lf;
}

}  // namespace

BOOL nonClientMetrics(UINT size, void* data) {
  constexpr UINT kFull = sizeof(NONCLIENTMETRICS);
  constexpr UINT kWithoutPadding = offsetof(NONCLIENTMETRICS, iPaddedBorderWidth);
  auto* out = static_cast<NONCLIENTMETRICS*>(data);
  if (!out || (size != kFull && size != kWithoutPadding) || out->cbSize != size) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  NONCLIENTMETRICS m{};
  m.cbSize = size;
  m.iBorderWidth = 1;
  m.iScrollWidth = m.iScrollHeight = 16;
  m.iCaptionWidth = m.iCaptionHeight = 18;
  m.lfCaptionFont = tahoma(FW_BOLD);
  m.iSmCaptionWidth = 12;
  m.iSmCaptionHeight = 14;
  m.lfSmCaptionFont = tahoma(FW_NORMAL);
  m.iMenuWidth = m.iMenuHeight = 18;
  m.lfMenuFont = m.lfStatusFont = m.lfMessageFont = tahoma(FW_NORMAL);
  std::memcpy(out, &m, size);
  return TRUE;
}

}  // namespace wavorel
