// The rules of one time zone, as a TIME_ZONE_INFORMATION describes them, and
// the platform's current zone. All instants are FILETIME values (100-ns units
// since 1601-01-01); local instants count the same way in local wall time.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/win/kernel/Time.h"

namespace wavorel {

class TimeZone {
 public:
  explicit TimeZone(const TIME_ZONE_INFORMATION& info) : info_(info) {}

  const TIME_ZONE_INFORMATION& info() const { return info_; }
  bool hasDaylight() const { return info_.DaylightDate.wMonth != 0 && info_.StandardDate.wMonth != 0; }
  bool isDaylightAtUtc(int64_t utc) const;
  // Local wall time of a UTC instant; `daylight` tells which bias applied.
  int64_t utcToLocal(int64_t utc, bool* daylight = nullptr) const;
  // UTC instant of a local wall time. daylight: 1 daylight, 0 standard, -1
  // decided by the rules (a time in the skipped hour reads as standard time).
  int64_t localToUtc(int64_t local, int daylight, bool* wasDaylight = nullptr) const;

 private:
  // Wall-clock instant of the rule's change in `year`.
  static int64_t changeLocal(int64_t year, const SYSTEMTIME& rule);
  static int64_t minutes(LONG m) { return static_cast<int64_t>(m) * 60 * 10000000; }

  TIME_ZONE_INFORMATION info_;
};

// The platform time zone (see wavorel::setTimeZone in Time.h).
std::shared_ptr<const TimeZone> currentTimeZone();

}  // namespace wavorel
