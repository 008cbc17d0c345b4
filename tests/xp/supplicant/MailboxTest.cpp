// The request mailbox: records in order across the ring's wrap, a full ring
// that holds the putter until a record is taken, and a closed mailbox that
// refuses puts at once, also the one that waits for room.
#include <atomic>
#include <thread>

#include "platform/testing/PlatformTest.h"
#include "xp/supplicant/Mailbox.h"

namespace supplicant::testing {
namespace {

using MailboxTest = wavorel::testing::PlatformTest;

struct Record {
  uint32_t words[7];
};

// Puts a request record whose words count up from `n`.
BOOL Put(MAILBOX* mailbox, uint32_t n) {
  const Record record{{n, n + 1, n + 2, n + 3, n + 4, n + 5, n + 6}};
  return MailboxPut(mailbox, kMailboxRequest, &record);
}

uint32_t Take(MAILBOX* mailbox, uint32_t* type = nullptr) {
  Record record{};
  DWORD size = sizeof record;
  uint32_t kind = 99;
  EXPECT_TRUE(MailboxGet(&size, mailbox, &kind, &record));
  EXPECT_EQ(size, kind == kMailboxStop ? 0 : kMailboxRecordSize);
  if (type) *type = kind;
  return record.words[0];
}

TEST_F(MailboxTest, RecordsComeOutInOrderAcrossTheWrap) {
  std::unique_ptr<MAILBOX> mailbox;
  ASSERT_TRUE(MailboxCreate(mailbox, 3, kMailboxRecordSize));
  EXPECT_EQ(mailbox->SlotSize, 36);
  std::vector<uint32_t> got;
  for (uint32_t n : {1u, 2u, 3u}) ASSERT_TRUE(Put(mailbox.get(), n));
  got.push_back(Take(mailbox.get()));
  got.push_back(Take(mailbox.get()));
  for (uint32_t n : {4u, 5u}) ASSERT_TRUE(Put(mailbox.get(), n));
  // Without a buffer the length is told and the record stays.
  DWORD size = 0;
  uint32_t type = 99;
  ASSERT_TRUE(MailboxGet(&size, mailbox.get(), &type, nullptr));
  EXPECT_EQ(size, kMailboxRecordSize);
  EXPECT_EQ(type, kMailboxRequest);
  for (int i = 0; i < 3; ++i) got.push_back(Take(mailbox.get()));
  ASSERT_TRUE(MailboxPut(mailbox.get(), kMailboxStop, nullptr));
  EXPECT_EQ(got, (std::vector<uint32_t>{1, 2, 3, 4, 5}));
  EXPECT_EQ(Take(mailbox.get(), &type), 0u);
  EXPECT_EQ(type, kMailboxStop);
  EXPECT_EQ(mailbox->Count, 0);
  EXPECT_TRUE(MailboxDestroy(mailbox));
  EXPECT_EQ(mailbox, nullptr);
  EXPECT_TRUE(MailboxDestroy(mailbox));
}

TEST_F(MailboxTest, TheEleventhPutWaitsForAGetAndAClosedMailboxRefusesAtOnce) {
  std::unique_ptr<MAILBOX> mailbox;
  ASSERT_TRUE(MailboxCreate(mailbox, 10, kMailboxRecordSize));
  for (uint32_t n = 1; n <= 10; ++n) ASSERT_TRUE(Put(mailbox.get(), n));
  std::atomic<int> put{-1};
  std::thread putter([&] { put = Put(mailbox.get(), 11) ? 1 : 0; });
  // The putter holds until a record is taken.
  for (int i = 0; i < 50 && put < 0; ++i) std::this_thread::yield();
  EXPECT_EQ(put, -1);
  EXPECT_EQ(Take(mailbox.get()), 1u);
  putter.join();
  EXPECT_EQ(put, 1);
  EXPECT_EQ(mailbox->Count, 10);

  // Closed: a putter waiting for room and any later put fail; a stop record
  // still goes in once there is room.
  std::thread waiting([&] { put = Put(mailbox.get(), 12) ? 1 : 0; });
  MailboxClose(mailbox.get());
  waiting.join();
  EXPECT_EQ(put, 0);
  EXPECT_FALSE(Put(mailbox.get(), 13));
  EXPECT_EQ(Take(mailbox.get()), 2u);
  EXPECT_TRUE(MailboxPut(mailbox.get(), kMailboxStop, nullptr));
  EXPECT_EQ(mailbox->Count, 10);

  // A payload larger than the slots take is refused.
  std::unique_ptr<MAILBOX> small;
  ASSERT_TRUE(MailboxCreate(small, 2, 8));
  EXPECT_FALSE(Put(small.get(), 1));
  EXPECT_TRUE(MailboxPut(small.get(), kMailboxStop, nullptr));
  MailboxDestroy(small);
  MailboxDestroy(mailbox);
}

}  // namespace
}  // namespace supplicant::testing
