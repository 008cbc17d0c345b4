// NDIS_802_11_STATISTICS as a driver returns it for OID_802_11_STATISTICS:
// u32 Length, then 64-bit counters from byte 8 (the LARGE_INTEGER fields are
// 8-byte aligned). The whole record is 200 bytes; callers that ask with a
// smaller buffer (176 bytes) get the fields that fit.
#pragma once

#include <cstddef>
#include <cstdint>

namespace wavorel::wire::ndis::statistics {

constexpr size_t kLength = 0;
constexpr size_t kTransmittedFragmentCount = 8;
constexpr size_t kMulticastTransmittedFrameCount = 16;
constexpr size_t kFailedCount = 24;
constexpr size_t kRetryCount = 32;
constexpr size_t kMultipleRetryCount = 40;
constexpr size_t kRtsSuccessCount = 48;
constexpr size_t kRtsFailureCount = 56;
constexpr size_t kAckFailureCount = 64;
constexpr size_t kFrameDuplicateCount = 72;
constexpr size_t kReceivedFragmentCount = 80;
constexpr size_t kMulticastReceivedFrameCount = 88;
constexpr size_t kFcsErrorCount = 96;
constexpr size_t kTkipLocalMicFailures = 104;
constexpr size_t kTkipIcvErrors = 112;
constexpr size_t kTkipCounterMeasuresInvoked = 120;
constexpr size_t kTkipReplays = 128;
constexpr size_t kCcmpFormatErrors = 136;
constexpr size_t kCcmpReplays = 144;
constexpr size_t kCcmpDecryptErrors = 152;
constexpr size_t kFourWayHandshakeFailures = 160;
constexpr size_t kWepUndecryptableCount = 168;
constexpr size_t kWepIcvErrorCount = 176;
constexpr size_t kDecryptSuccessCount = 184;
constexpr size_t kDecryptFailureCount = 192;
constexpr size_t kSize = 200;
// The smaller buffer some callers pass.
constexpr size_t kShortSize = 176;

namespace layout {
struct Statistics {
  uint32_t Length;
  int64_t TransmittedFragmentCount;
  int64_t MulticastTransmittedFrameCount;
  int64_t FailedCount;
  int64_t RetryCount;
  int64_t MultipleRetryCount;
  int64_t RTSSuccessCount;
  int64_t RTSFailureCount;
  int64_t ACKFailureCount;
  int64_t FrameDuplicateCount;
  int64_t ReceivedFragmentCount;
  int64_t MulticastReceivedFrameCount;
  int64_t FCSErrorCount;
  int64_t TKIPLocalMICFailures;
  int64_t TKIPICVErrors;
  int64_t TKIPCounterMeasuresInvoked;
  int64_t TKIPReplays;
  int64_t CCMPFormatErrors;
  int64_t CCMPReplays;
  int64_t CCMPDecryptErrors;
  int64_t FourWayHandshakeFailures;
  int64_t WEPUndecryptableCount;
  int64_t WEPICVErrorCount;
  int64_t DecryptSuccessCount;
  int64_t DecryptFailureCount;
};
}  // namespace layout

static_assert(alignof(int64_t) == 8, "LARGE_INTEGER fields are 8-byte aligned");
static_assert(offsetof(layout::Statistics, TransmittedFragmentCount) == kTransmittedFragmentCount);
static_assert(offsetof(layout::Statistics, RetryCount) == kRetryCount);
static_assert(offsetof(layout::Statistics, FrameDuplicateCount) == kFrameDuplicateCount);
static_assert(offsetof(layout::Statistics, ReceivedFragmentCount) == kReceivedFragmentCount);
static_assert(offsetof(layout::Statistics, FCSErrorCount) == kFcsErrorCount);
static_assert(offsetof(layout::Statistics, TKIPLocalMICFailures) == kTkipLocalMicFailures);
static_assert(offsetof(layout::Statistics, FourWayHandshakeFailures) == kFourWayHandshakeFailures);
static_assert(offsetof(layout::Statistics, WEPUndecryptableCount) == kWepUndecryptableCount);
static_assert(offsetof(layout::Statistics, WEPICVErrorCount) == kWepIcvErrorCount);
static_assert(offsetof(layout::Statistics, DecryptSuccessCount) == kDecryptSuccessCount);
static_assert(offsetof(layout::Statistics, DecryptFailureCount) == kDecryptFailureCount);
static_assert(sizeof(layout::Statistics) == kSize);

}  // namespace wavorel::wire::ndis::statistics
