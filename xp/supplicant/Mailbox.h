// A bounded ring of typed records between threads: a lock event (auto-reset,
// created signalled, used as a mutex) guards the ring; a full ring blocks the
// putter on the not-full event, an empty one the getter on the not-empty
// event. Closing the mailbox makes every put but a stop record fail at once,
// also one that is waiting for room, so that no putter waits on a reader
// that is ending.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Platform.h"

constexpr uint32_t kMailboxStop = 0;
constexpr uint32_t kMailboxRequest = 1;
// The payload of a record that carries data.
constexpr DWORD kMailboxRecordSize = 28;

struct MAILBOX {
  HANDLE Lock = nullptr;
  HANDLE NotFull = nullptr;
  HANDLE NotEmpty = nullptr;
  int32_t Count = 0;
  int32_t PutIndex = 0;
  int32_t GetIndex = 0;
  int32_t Capacity = 0;
  int32_t MaxPayload = 0;
  int32_t SlotSize = 0;  // type, length and the payload rounded up to 4
  int32_t Closed = 0;
  std::vector<BYTE> Slots;
};

BOOL MailboxCreate(std::unique_ptr<MAILBOX>& out, int capacity, int maxPayload);
// Closes the events and frees the mailbox; TRUE for none. FALSE when an
// event cannot be closed (the mailbox is freed all the same).
BOOL MailboxDestroy(std::unique_ptr<MAILBOX>& mailbox);
// Puts a record of kMailboxRecordSize bytes from `data`, or an empty one
// for null; waits while the ring is full. FALSE when the payload does not
// fit or the mailbox is closed (a stop record still goes in).
BOOL MailboxPut(MAILBOX* mailbox, uint32_t type, const void* data);
// Takes the oldest record, waiting while the ring is empty: its type, and up
// to *size bytes of its payload into `buffer` (*size becomes the number
// copied). Without a buffer only reports the payload's length and leaves the
// record in place.
BOOL MailboxGet(DWORD* size, MAILBOX* mailbox, uint32_t* type, void* buffer);
// Refuses further puts and wakes the putters that wait for room.
void MailboxClose(MAILBOX* mailbox);
