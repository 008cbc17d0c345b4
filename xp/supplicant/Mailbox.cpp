#include "xp/supplicant/Mailbox.h"

#include <algorithm>
#include <cstring>

#include "platform/wire/Bytes.h"

namespace {

constexpr int kSlotHeader = 8;

BOOL TakeLock(MAILBOX* m) { return WaitForSingleObject(m->Lock, INFINITE) == WAIT_OBJECT_0; }
void ReleaseLock(MAILBOX* m) { SetEvent(m->Lock); }

// Waits for `event` with the lock released; TRUE with the lock held again.
BOOL WaitUnlocked(MAILBOX* m, HANDLE event) {
  ReleaseLock(m);
  if (WaitForSingleObject(event, INFINITE) != WAIT_OBJECT_0) return FALSE;
  return TakeLock(m);
}

BYTE* Slot(MAILBOX* m, int index) { return m->Slots.data() + static_cast<size_t>(index) * m->SlotSize; }

}  // namespace

BOOL MailboxCreate(std::unique_ptr<MAILBOX>& out, int capacity, int maxPayload) {
  out.reset();
  if (capacity <= 0 || maxPayload < 0) return FALSE;
  auto m = std::make_unique<MAILBOX>();
  m->Capacity = capacity;
  m->MaxPayload = maxPayload;
  m->SlotSize = (maxPayload + 3) / 4 * 4 + kSlotHeader;
  m->Slots.assign(static_cast<size_t>(capacity) * m->SlotSize, 0);
  m->Lock = CreateEvent(nullptr, FALSE, TRUE, nullptr);
  m->NotFull = CreateEvent(nullptr, FALSE, FALSE, nullptr);
  m->NotEmpty = CreateEvent(nullptr, FALSE, FALSE, nullptr);
  if (!m->Lock || !m->NotFull || !m->NotEmpty) {
    MailboxDestroy(m);
    return FALSE;
  }
  out = std::move(m);
  return TRUE;
}

BOOL MailboxDestroy(std::unique_ptr<MAILBOX>& mailbox) {
  if (!mailbox) return TRUE;
  BOOL closed = TRUE;
  for (HANDLE* event : {&mailbox->Lock, &mailbox->NotFull, &mailbox->NotEmpty}) {
    if (*event && !CloseHandle(*event)) closed = FALSE;
    *event = nullptr;
  }
  mailbox.reset();
  return closed;
}

BOOL MailboxPut(MAILBOX* m, uint32_t type, const void* data) {
  if (!m) return FALSE;
  const DWORD length = data ? kMailboxRecordSize : 0;
  if (length > static_cast<DWORD>(m->MaxPayload)) return FALSE;
  if (!TakeLock(m)) return FALSE;
  while (true) {
    if (m->Closed && type != kMailboxStop) {
      SetEvent(m->NotFull);  // the next waiting putter learns it too
      ReleaseLock(m);
      return FALSE;
    }
    if (m->Count < m->Capacity) break;
    if (!WaitUnlocked(m, m->NotFull)) return FALSE;
  }
  BYTE* slot = Slot(m, m->PutIndex);
  wavorel::wire::putU32(slot, type);
  wavorel::wire::putU32(slot + 4, length);
  if (data) std::memcpy(slot + kSlotHeader, data, length);
  m->PutIndex = (m->PutIndex + 1) % m->Capacity;
  ++m->Count;
  SetEvent(m->NotEmpty);
  ReleaseLock(m);
  return TRUE;
}

BOOL MailboxGet(DWORD* size, MAILBOX* m, uint32_t* type, void* buffer) {
  if (!m || !size || !type) return FALSE;
  if (!TakeLock(m)) return FALSE;
  while (m->Count == 0)
    if (!WaitUnlocked(m, m->NotEmpty)) return FALSE;
  const BYTE* slot = Slot(m, m->GetIndex);
  *type = wavorel::wire::getU32(slot);
  const DWORD length = std::min<DWORD>(wavorel::wire::getU32(slot + 4), static_cast<DWORD>(m->MaxPayload));
  if (!buffer) {
    *size = length;
  } else {
    *size = std::min(*size, length);
    std::memcpy(buffer, slot + kSlotHeader, *size);
    m->GetIndex = (m->GetIndex + 1) % m->Capacity;
    --m->Count;
    SetEvent(m->NotFull);
  }
  ReleaseLock(m);
  return TRUE;
}

void MailboxClose(MAILBOX* m) {
  if (!m || !TakeLock(m)) return;
  m->Closed = 1;
  SetEvent(m->NotFull);
  ReleaseLock(m);
}
