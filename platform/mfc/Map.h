// CMap and the typed maps of MFC: a hash table of key/value pairs, by default
// 17 buckets (InitHashTable changes that; existing pairs are kept). Keys
// compare with ==, so string keys are case-sensitive.
//
// GetStartPosition/GetNextAssoc visit every pair once, bucket by bucket; the
// order is that of the hash and callers must not rely on it. The pair just
// returned by GetNextAssoc may be removed during the walk.
#pragma once

#include <memory>
#include <type_traits>
#include <vector>

#include "platform/mfc/Object.h"
#include "platform/mfc/Position.h"
#include "platform/mfc/String.h"

namespace wavorel {

// Hash of a text key (a null text hashes as "").
inline UINT mapHashKey(const char* key) {
  UINT h = 2166136261u;
  for (const char* p = key ? key : ""; *p; ++p) h = (h ^ static_cast<unsigned char>(*p)) * 16777619u;
  return h;
}

// Hash of an integer, enumeration or pointer key.
template <class T, class = std::enable_if_t<std::is_integral_v<T> || std::is_enum_v<T> || std::is_pointer_v<T>>>
UINT mapHashKey(T key) {
  uint64_t v;
  if constexpr (std::is_pointer_v<T>) {
    v = reinterpret_cast<uintptr_t>(key);
  } else {
    v = static_cast<uint64_t>(key);
  }
  v ^= v >> 33;
  v *= 0xff51afd7ed558ccdULL;
  v ^= v >> 33;
  return static_cast<UINT>(v);
}

}  // namespace wavorel

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
 public:
  // The block size of MFC's allocator; this map allocates each pair on its own.
  explicit CMap(INT_PTR nBlockSize = 10) { static_cast<void>(nBlockSize); }

  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  BOOL Lookup(ARG_KEY key, VALUE& rValue) const {
    const Assoc* a = find(key, wavorel::mapHashKey(key));
    if (!a) return FALSE;
    rValue = a->value;
    return TRUE;
  }
  // The value of key, added (value-initialised) when missing.
  VALUE& operator[](ARG_KEY key) {
    UINT hash = wavorel::mapHashKey(key);
    if (Assoc* a = find(key, hash)) return a->value;
    if (m_buckets.empty()) m_buckets.resize(m_nHashTableSize);
    auto a = std::make_unique<Assoc>(hash, key);
    std::unique_ptr<Assoc>& head = m_buckets[hash % m_nHashTableSize];
    a->next = std::move(head);
    head = std::move(a);
    ++m_nCount;
    return head->value;
  }
  void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
  BOOL RemoveKey(ARG_KEY key) {
    if (m_buckets.empty()) return FALSE;
    UINT hash = wavorel::mapHashKey(key);
    for (std::unique_ptr<Assoc>* link = &m_buckets[hash % m_nHashTableSize]; *link; link = &(*link)->next) {
      if ((*link)->hash == hash && (*link)->key == key) {
        *link = std::move((*link)->next);
        --m_nCount;
        return TRUE;
      }
    }
    return FALSE;
  }
  void RemoveAll() {
    m_buckets.clear();
    m_nCount = 0;
  }

  POSITION GetStartPosition() const { return toPosition(firstFrom(0)); }
  void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const {
    const Assoc* a = reinterpret_cast<const Assoc*>(rNextPosition);
    rKey = a->key;
    rValue = a->value;
    rNextPosition = toPosition(a->next ? a->next.get() : firstFrom(a->hash % m_nHashTableSize + 1));
  }

  void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE) {
    std::vector<std::unique_ptr<Assoc>> old;
    old.swap(m_buckets);
    m_nHashTableSize = hashSize > 0 ? hashSize : 1;
    if (bAllocNow || m_nCount > 0) m_buckets.resize(m_nHashTableSize);
    for (std::unique_ptr<Assoc>& head : old) {
      while (head) {
        std::unique_ptr<Assoc> a = std::move(head);
        head = std::move(a->next);
        std::unique_ptr<Assoc>& to = m_buckets[a->hash % m_nHashTableSize];
        a->next = std::move(to);
        to = std::move(a);
      }
    }
  }

 private:
  struct Assoc {
    Assoc(UINT h, ARG_KEY k) : hash(h), key(k), value() {}
    std::unique_ptr<Assoc> next;
    UINT hash;
    KEY key;
    VALUE value;
  };

  Assoc* find(ARG_KEY key, UINT hash) const {
    if (m_buckets.empty()) return nullptr;
    for (Assoc* a = m_buckets[hash % m_nHashTableSize].get(); a; a = a->next.get()) {
      if (a->hash == hash && a->key == key) return a;
    }
    return nullptr;
  }
  const Assoc* firstFrom(size_t bucket) const {
    for (; bucket < m_buckets.size(); ++bucket) {
      if (m_buckets[bucket]) return m_buckets[bucket].get();
    }
    return nullptr;
  }
  static POSITION toPosition(const Assoc* a) { return reinterpret_cast<POSITION>(const_cast<Assoc*>(a)); }

  std::vector<std::unique_ptr<Assoc>> m_buckets;  // empty until the first pair
  UINT m_nHashTableSize = 17;
  INT_PTR m_nCount = 0;
};

class CMapStringToPtr : public CMap<CString, LPCTSTR, void*, void*> {
 public:
  explicit CMapStringToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
