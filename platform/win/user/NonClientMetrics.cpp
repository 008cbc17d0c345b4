// SPI_GETNONCLIENTMETRICS: the classic look's non-client sizes and fonts, or
// what SPI_SETNONCLIENTMETRICS set in their place.
#include <cstddef>
#include <cstring>
#include <mutex>
#include <optional>

#include "platform/win/kernel/Errors.h"
#include "platform/win/gdi/Fonts.h"
#include "platform/win/kernel/Root.h"

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

struct SetMetrics {
  std::mutex mutex;
  std::optional<NONCLIENTMETRICS> metrics;
};

SetMetrics& setMetrics() {
  static SetMetrics set;
  static const bool registered = (registerStateReset([] {
                                    std::lock_guard<std::mutex> lock(set.mutex);
                                    set.metrics.reset();
                                  }),
                                  true);
  (void)registered;
  return set;
}

NONCLIENTMETRICS classic() {
  NONCLIENTMETRICS m{};
  m.iBorderWidth = 1;
  m.iScrollWidth = m.iScrollHeight = 16;
  m.iCaptionWidth = m.iCaptionHeight = 18;
  m.lfCaptionFont = tahoma(FW_BOLD);
  m.iSmCaptionWidth = 12;
  m.iSmCaptionHeight = 14;
  m.lfSmCaptionFont = tahoma(FW_NORMAL);
  m.iMenuWidth = m.iMenuHeight = 18;
  m.lfMenuFont = m.lfStatusFont = m.lfMessageFont = tahoma(FW_NORMAL);
  return m;
}

constexpr UINT kFull = sizeof(NONCLIENTMETRICS);
constexpr UINT kWithoutPadding = offsetof(NONCLIENTMETRICS, iPaddedBorderWidth);

bool sizeFits(UINT size, UINT cbSize) { return (size == kFull || size == kWithoutPadding) && cbSize == size; }

}  // namespace

BOOL nonClientMetrics(UINT size, void* data) {
  auto* out = static_cast<NONCLIENTMETRICS*>(data);
  if (!out || !sizeFits(size, out->cbSize)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  NONCLIENTMETRICS m = classic();
  {
    SetMetrics& set = setMetrics();
    std::lock_guard<std::mutex> lock(set.mutex);
    if (set.metrics) m = *set.metrics;
  }
  m.cbSize = size;
  std::memcpy(out, &m, size);
  return TRUE;
}

BOOL setNonClientMetrics(UINT size, const void* data) {
  const auto* in = static_cast<const NONCLIENTMETRICS*>(data);
  if (!in || !sizeFits(size, in->cbSize)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  NONCLIENTMETRICS m = classic();  // a short record keeps the padded border as it is
  std::memcpy(&m, in, size);
  SetMetrics& set = setMetrics();
  std::lock_guard<std::mutex> lock(set.mutex);
  set.metrics = m;
  return TRUE;
}

}  // namespace wavorel
