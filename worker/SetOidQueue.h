// The queue of driver sets that failed and are sent again: each record has
// its own 500 ms thread timer, and every tick of that timer sends the record
// once more until it succeeds, its tries are used up, or the device can no
// longer be opened (then the whole queue goes). The station module keeps one
// (OidRequest.h); the AP worker may keep another with its own set mask.
#pragma once

#include "platform/Platform.h"

// One pending set. The record owns `Data` (a locked moveable global block, or
// null when Size is 0) while it is in the queue.
struct _SET_INFORMATION_DATA {
  DWORD Oid = 0;            // as sent, the set flag already ORed in
  void* Data = nullptr;
  DWORD Size = 0;
  DWORD BytesReturned = 0;  // what the driver reported at the last attempt
  int RetriesLeft = 0;
  UINT_PTR TimerId = 0;
};

class CSetOidQueue {
 public:
  static constexpr UINT kRetryIntervalMs = 500;

  // `devicePath` is read at every call (it follows the adapter); `setMask` is
  // ORed into every code; `retryProc` is the timer procedure, which hands its
  // timer id to Retry.
  CSetOidQueue(const CString& devicePath, DWORD setMask, TIMERPROC retryProc);
  ~CSetOidQueue();
  CSetOidQueue(const CSetOidQueue&) = delete;
  CSetOidQueue& operator=(const CSetOidQueue&) = delete;

  // One set: FALSE at once when the device does not open (nothing queued);
  // otherwise the result of the first attempt. A failed attempt with tries
  // left (tries - 1 > 0) is queued with a copy of the data. `data` is the
  // call's output buffer: the driver may write into it.
  BOOL Set(DWORD oid, void* data, DWORD size, DWORD* bytesReturned, int tries);
  // One tick of the retry timer `timerId`.
  void Retry(UINT_PTR timerId);
  // Empties the queue and frees every record's data; the records' timers are
  // left to find the queue empty and kill themselves.
  void Free();

  INT_PTR GetCount() const { return m_records.GetSize(); }
  const _SET_INFORMATION_DATA& GetAt(INT_PTR index) const { return m_records.GetAt(index); }

 private:
  // One control call with the record's code and data.
  static BOOL Send(HANDLE device, DWORD oid, void* data, DWORD size, DWORD* bytesReturned);
  static void* CopyData(const void* data, DWORD size);
  static void FreeData(_SET_INFORMATION_DATA& record);
  void Remove(INT_PTR index, bool killTimer);

  const CString& m_devicePath;
  DWORD m_setMask;
  TIMERPROC m_retryProc;
  CArray<_SET_INFORMATION_DATA, const _SET_INFORMATION_DATA&> m_records;
};
