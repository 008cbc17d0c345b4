#include "worker/SetOidQueue.h"

#include <cstring>
#include <vector>

#include "worker/DeviceHandle.h"
#include "worker/WorkerGlobals.h"

namespace {

// Windows 5.2 workstation (XP x64): a set works on a copy of the caller's data.
constexpr int kOsTypeXp64 = 10;

}  // namespace

CSetOidQueue::CSetOidQueue(const CString& devicePath, DWORD setMask, TIMERPROC retryProc)
    : m_devicePath(devicePath), m_setMask(setMask), m_retryProc(retryProc) {}

CSetOidQueue::~CSetOidQueue() { Free(); }

BOOL CSetOidQueue::Send(HANDLE device, DWORD oid, void* data, DWORD size, DWORD* bytesReturned) {
  return DeviceIoControl(device, IOCTL_NDIS_QUERY_GLOBAL_STATS, &oid, sizeof(oid), data, size, bytesReturned,
                         nullptr);
}

void* CSetOidQueue::CopyData(const void* data, DWORD size) {
  if (size == 0) return nullptr;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (!block) return nullptr;
  void* copy = GlobalLock(block);
  if (!copy) {
    GlobalFree(block);
    return nullptr;
  }
  if (data) std::memcpy(copy, data, size);
  return copy;
}

void CSetOidQueue::FreeData(_SET_INFORMATION_DATA& record) {
  if (record.Size != 0 && record.Data) {
    HGLOBAL block = GlobalHandle(record.Data);
    GlobalUnlock(block);
    GlobalFree(block);
  }
  record.Data = nullptr;
}

BOOL CSetOidQueue::Set(DWORD oid, void* data, DWORD size, DWORD* bytesReturned, int tries) {
  DWORD returned = 0;
  if (!bytesReturned) bytesReturned = &returned;
  CDeviceHandle device(m_devicePath);
  if (!device.IsOpen()) return FALSE;

  oid |= m_setMask;
  const int retriesLeft = tries - 1;
  *bytesReturned = 0;
  BOOL ok;
  if (g_nOsType == kOsTypeXp64) {
    // The driver works on a private copy; the caller's buffer stays untouched.
    std::vector<unsigned char> copy(size);
    if (size && data) std::memcpy(copy.data(), data, size);
    ok = Send(device.Get(), oid, size ? copy.data() : nullptr, size, bytesReturned);
  } else {
    ok = Send(device.Get(), oid, data, size, bytesReturned);
  }

  void* copy = (!ok && retriesLeft > 0) ? CopyData(data, size) : nullptr;
  if (!ok && retriesLeft > 0 && (copy || size == 0)) {
    _SET_INFORMATION_DATA record;
    record.Oid = oid;
    record.Data = copy;
    record.Size = size;
    record.BytesReturned = *bytesReturned;
    record.RetriesLeft = retriesLeft;
    record.TimerId = SetTimer(nullptr, 0, kRetryIntervalMs, m_retryProc);
    m_records.Add(record);
  }
  return ok;
}

void CSetOidQueue::Remove(INT_PTR index, bool killTimer) {
  _SET_INFORMATION_DATA& record = m_records.ElementAt(index);
  FreeData(record);
  if (killTimer) KillTimer(nullptr, record.TimerId);
  m_records.RemoveAt(index);
}

void CSetOidQueue::Retry(UINT_PTR timerId) {
  INT_PTR index = 0;
  while (index < m_records.GetSize() && m_records[index].TimerId != timerId) ++index;
  if (index == m_records.GetSize()) {
    // An empty queue, or a record that left it: the timer is no longer needed.
    KillTimer(nullptr, timerId);
    return;
  }
  if (m_records[index].RetriesLeft < 1) {
    Remove(index, true);
    return;
  }

  CDeviceHandle device(m_devicePath);
  if (!device.IsOpen()) {
    // The adapter is gone: nothing queued can reach it any more.
    while (!m_records.IsEmpty()) Remove(0, true);
    return;
  }

  _SET_INFORMATION_DATA record = m_records[index];
  record.BytesReturned = 0;
  const BOOL ok = Send(device.Get(), record.Oid, record.Data, record.Size, &record.BytesReturned);
  if (!ok && --record.RetriesLeft > 0) {
    m_records.SetAt(index, record);
    return;
  }
  Remove(index, true);
}

void CSetOidQueue::Free() {
  for (INT_PTR i = 0; i < m_records.GetSize(); ++i) FreeData(m_records.ElementAt(i));
  m_records.RemoveAll();
}
