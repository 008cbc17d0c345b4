// CArray and the typed arrays of MFC. As in MFC, an index outside the array
// (GetAt, SetAt, ElementAt, operator[], RemoveAt, a negative SetSize or
// SetAtGrow) throws CInvalidArgException, so code that splits a text and reads
// a field that isn't there fails the same way. New elements are
// value-initialised (zero for plain types). Storage grows by the grow-by count
// of SetSize, or by an eighth of the size (4 to 1024 elements) by default.
#pragma once

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/mfc/Exception.h"
#include "platform/mfc/Object.h"
#include "platform/mfc/String.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
 public:
  CArray() = default;

  INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
  INT_PTR GetCount() const { return GetSize(); }
  BOOL IsEmpty() const { return m_data.empty(); }
  INT_PTR GetUpperBound() const { return GetSize() - 1; }

  void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1) {
    if (nNewSize < 0) AfxThrowInvalidArgException();
    if (nGrowBy >= 0) m_nGrowBy = nGrowBy;
    if (nNewSize == 0) {
      RemoveAll();
      return;
    }
    reserveFor(nNewSize);
    m_data.resize(static_cast<size_t>(nNewSize));
  }
  void FreeExtra() { m_data.shrink_to_fit(); }
  void RemoveAll() {
    m_data.clear();
    m_data.shrink_to_fit();
  }

  const TYPE& GetAt(INT_PTR nIndex) const { return m_data[checked(nIndex)]; }
  TYPE& GetAt(INT_PTR nIndex) { return m_data[checked(nIndex)]; }
  void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_data[checked(nIndex)] = newElement; }
  const TYPE& ElementAt(INT_PTR nIndex) const { return GetAt(nIndex); }
  TYPE& ElementAt(INT_PTR nIndex) { return GetAt(nIndex); }
  const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
  TYPE& operator[](INT_PTR nIndex) { return GetAt(nIndex); }
  // The elements in order; null when the array is empty.
  const TYPE* GetData() const { return m_data.empty() ? nullptr : m_data.data(); }
  TYPE* GetData() { return m_data.empty() ? nullptr : m_data.data(); }

  void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement) {
    if (nIndex < 0) AfxThrowInvalidArgException();
    TYPE copy(newElement);
    if (nIndex >= GetSize()) SetSize(nIndex + 1);
    m_data[static_cast<size_t>(nIndex)] = std::move(copy);
  }
  // Appends and returns the new element's index.
  INT_PTR Add(ARG_TYPE newElement) {
    TYPE copy(newElement);
    reserveFor(GetSize() + 1);
    m_data.push_back(std::move(copy));
    return GetSize() - 1;
  }
  // Appends all of src (not this array itself); returns the index of its first element.
  INT_PTR Append(const CArray& src) {
    if (&src == this) AfxThrowInvalidArgException();
    INT_PTR oldSize = GetSize();
    reserveFor(oldSize + src.GetSize());
    m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
    return oldSize;
  }
  void Copy(const CArray& src) {
    if (&src != this) m_data = src.m_data;
  }

  // Inserts nCount copies at nIndex; an index past the end grows the array first.
  void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1) {
    if (nIndex < 0 || nCount <= 0) AfxThrowInvalidArgException();
    TYPE copy(newElement);
    openGap(nIndex, nCount);
    std::fill_n(m_data.begin() + nIndex, nCount, copy);
  }
  void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray) {
    if (!pNewArray || nStartIndex < 0) AfxThrowInvalidArgException();
    if (pNewArray->IsEmpty()) return;
    std::vector<TYPE> copy(pNewArray->m_data);
    openGap(nStartIndex, static_cast<INT_PTR>(copy.size()));
    std::move(copy.begin(), copy.end(), m_data.begin() + nStartIndex);
  }
  void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1) {
    if (nIndex < 0 || nCount < 0 || nIndex > GetSize() - nCount) AfxThrowInvalidArgException();
    m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
  }

 private:
  size_t checked(INT_PTR nIndex) const {
    if (nIndex < 0 || nIndex >= GetSize()) AfxThrowInvalidArgException();
    return static_cast<size_t>(nIndex);
  }
  void reserveFor(INT_PTR nSize) {
    size_t need = static_cast<size_t>(nSize);
    if (need <= m_data.capacity()) return;
    size_t step = m_nGrowBy > 0 ? static_cast<size_t>(m_nGrowBy) : std::clamp<size_t>(m_data.size() / 8, 4, 1024);
    m_data.reserve(std::max(need, m_data.capacity() + step));
  }
  // Makes room for nCount elements at nIndex (value-initialised).
  void openGap(INT_PTR nIndex, INT_PTR nCount) {
    if (nIndex >= GetSize()) {
      SetSize(nIndex + nCount);
    } else {
      reserveFor(GetSize() + nCount);
      m_data.insert(m_data.begin() + nIndex, static_cast<size_t>(nCount), TYPE());
    }
  }

  std::vector<TYPE> m_data;
  INT_PTR m_nGrowBy = -1;
};

class CStringArray : public CArray<CString, const CString&> {};
class CUIntArray : public CArray<UINT, UINT> {};
class CDWordArray : public CArray<DWORD, DWORD> {};
class CPtrArray : public CArray<void*, void*> {};
