#include "utilmere/MultiByteString.h"

#include <cstring>
#include <new>
#include <string>

#include "utilmere/DoubleByte.h"
#include "utilmere/WideText.h"

namespace {

char g_emptyText[1] = "";

}  // namespace

CMultiByteString::CMultiByteString(const char* source, int mode, char* buffer, int size, int* length)
    : m_buffer(g_emptyText) {
  if (source == nullptr) return;
  const int wideCount = mode == 1 ? utilmere::wideLength(source) : 0;
  if (buffer != nullptr && size > 0) {
    m_buffer = buffer;
    m_size = size;
  } else {
    allocate(mode == 1 ? wideCount * 2 + 2 : static_cast<int>(std::strlen(source)) + 1);
  }
  std::memset(m_buffer, 0, static_cast<size_t>(m_size));
  const std::string text = mode == 1 ? utilmere::wideToAnsi(source, wideCount) : std::string(source);
  const int count = utilmere::wholeCharacters(text.data(), static_cast<int>(text.size()), m_size - 1);
  std::memcpy(m_buffer, text.data(), static_cast<size_t>(count));
  if (length != nullptr) *length = count;
}

CMultiByteString::~CMultiByteString() = default;

CMultiByteString::CMultiByteString(const CMultiByteString& other) : m_buffer(other.m_buffer), m_size(other.m_size) {
  if (other.m_block) {
    allocate(other.m_size);
    std::memcpy(m_buffer, other.m_buffer, static_cast<size_t>(m_size));
  }
}

CMultiByteString& CMultiByteString::operator=(const CMultiByteString& other) {
  if (this != &other) {
    CMultiByteString copy(other);
    m_buffer = copy.m_block ? copy.m_block.get() : copy.m_buffer;
    m_block = std::move(copy.m_block);
    m_size = copy.m_size;
  }
  return *this;
}

char* CMultiByteString::GetBuffer() { return m_buffer != nullptr ? m_buffer : g_emptyText; }

int CMultiByteString::GetLength() const {
  return m_buffer != nullptr ? static_cast<int>(std::strlen(m_buffer)) : 0;
}

void CMultiByteString::allocate(int size) {
  m_block.reset(new (std::nothrow) char[static_cast<size_t>(size)]);
  if (!m_block) AfxThrowMemoryException();
  m_buffer = m_block.get();
  m_size = size;
}
