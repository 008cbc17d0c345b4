// Small edits of byte buffers.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "utilmere/DoubleByte.h"
#include "utilmere/Strings.h"

char* SkipIsNotGraph(char* data, int& length) {
  if (data == nullptr || length < 1) return nullptr;
  int skipped = 0;
  while (skipped < length && !utilmere::isGraphByte(static_cast<unsigned char>(data[skipped]))) ++skipped;
  length -= skipped;
  return data + skipped;
}

int HandleBackspaceCharOfBuffer(char* text) {
  if (text == nullptr) return 0;
  int kept = 0;
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p == '\b') {
      if (kept > 0) --kept;
    } else {
      text[kept++] = *p;
    }
  }
  text[kept] = '\0';
  return kept;
}

// A used count larger than the buffer counts as the whole buffer.
void TrimBufferLeft(void* buffer, DWORD size, DWORD& used, void* newStart) {
  if (buffer == nullptr || newStart == nullptr || size == 0 || used == 0 || newStart == buffer) return;
  BYTE* bytes = static_cast<BYTE*>(buffer);
  const BYTE* start = static_cast<const BYTE*>(newStart);
  const DWORD filled = std::min(used, size);
  if (start > bytes && start < bytes + filled) {
    const DWORD distance = static_cast<DWORD>(start - bytes);
    std::memmove(bytes, start, filled - distance);
    std::memset(bytes + filled - distance, 0, distance);
    used = filled - distance;
  } else {
    std::memset(bytes, 0, size);
    used = 0;
  }
}

// Blocks are C heap blocks (malloc and free), as the caller's buffer must be.
int RenewBuffer(BYTE*& buffer, DWORD& size, DWORD newSize) {
  if (newSize == size && (buffer != nullptr || size == 0)) return 1;
  if (newSize == 0) {
    std::free(buffer);
    buffer = nullptr;
    size = 0;
    return 1;
  }
  BYTE* block = static_cast<BYTE*>(std::calloc(newSize, 1));
  if (block == nullptr) return 0;
  if (buffer != nullptr) std::memcpy(block, buffer, std::min(size, newSize));
  std::free(buffer);
  buffer = block;
  size = newSize;
  return 1;
}

void ReverseBuffer(BYTE* bytes, int length) {
  if (bytes == nullptr || length < 2) return;
  std::reverse(bytes, bytes + length);
}
