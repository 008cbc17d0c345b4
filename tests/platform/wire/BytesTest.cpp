// The byte helpers read and write fields in their byte order whatever the
// host's, at any alignment, with every bit of the top byte kept.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/wire/Bytes.h"

namespace wavorel::wire {
namespace {

TEST(BytesTest, FieldsKeepTheirByteOrderAtAnyOffset) {
  // Odd offsets and top bits set: a helper that casts a pointer or shifts a
  // signed byte gets these wrong.
  const uint8_t b[] = {0xEE, 0x81, 0x92, 0xA3, 0xB4, 0xC5, 0xD6, 0xE7, 0xF8};
  EXPECT_EQ(getU16(b + 1), 0x9281u);
  EXPECT_EQ(getU16be(b + 1), 0x8192u);
  EXPECT_EQ(getU32(b + 1), 0xB4A39281u);
  EXPECT_EQ(getU64(b + 1), 0xF8E7D6C5B4A39281ull);

  uint8_t out[9] = {};
  putU16(out + 1, 0x9281);
  putU32(out + 3, 0xB4A39281u);
  EXPECT_EQ(std::vector<uint8_t>(out, out + 9), (std::vector<uint8_t>{0, 0x81, 0x92, 0x81, 0x92, 0xA3, 0xB4, 0, 0}));
  putU64(out + 1, 0xF8E7D6C5B4A39281ull);
  EXPECT_EQ(getU64(out + 1), 0xF8E7D6C5B4A39281ull);
  EXPECT_EQ(out[0], 0) << "nothing before the field";
  putU16be(out, 0x1041);
  EXPECT_EQ(out[0], 0x10);
  EXPECT_EQ(out[1], 0x41);
}

TEST(BytesTest, WriterAppendsEachFieldAtTheEnd) {
  ByteWriter w;
  w.u8(0x01);
  w.u16(0x0302);
  w.u16be(0x1044);
  w.u32(0x07060504u);
  w.zeros(2);
  const uint8_t tail[] = {0xAA, 0xBB};
  w.bytes(tail, sizeof tail);
  w.u64(0x1211100F0E0D0C0Bull);
  const std::vector<uint8_t> expected = {0x01, 0x02, 0x03, 0x10, 0x44, 0x04, 0x05, 0x06, 0x07, 0x00, 0x00, 0xAA,
                                         0xBB, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10, 0x11, 0x12};
  EXPECT_EQ(w.data(), expected);
  putU16(w.at(1), 0xBEEF);
  EXPECT_EQ(getU16(w.data().data() + 1), 0xBEEFu) << "a field patched after the record grew";
}

}  // namespace
}  // namespace wavorel::wire
