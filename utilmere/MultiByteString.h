// CMultiByteString: a narrow text that either borrows the caller's buffer or
// owns a heap block, made from a narrow copy or from UTF-16 text converted to
// the ANSI code page.
#pragma once

#include <memory>

#include "platform/Platform.h"

class CMultiByteString {
 public:
  // Mode 1: `source` is UTF-16 text; any other mode: narrow text. With a
  // `buffer` and `size` > 0 the text goes into that buffer (borrowed), else
  // into an owned block. The buffer is zero-filled over its size and always
  // keeps a terminating zero: a text too long for a borrowed buffer is cut
  // before a character that does not fit. `length` receives the bytes stored.
  // An owned block that cannot be allocated throws the MFC memory exception.
  explicit CMultiByteString(const char* source, int mode = 2, char* buffer = nullptr, int size = 0,
                            int* length = nullptr);
  ~CMultiByteString();

  // A copy of an owner owns a copy of its block; a copy of a borrower
  // borrows the same buffer. No block is ever freed twice.
  CMultiByteString(const CMultiByteString& other);
  CMultiByteString& operator=(const CMultiByteString& other);

  // The text; a static empty text when there is none.
  char* GetBuffer();
  // Bytes before the first zero.
  int GetLength() const;

 private:
  void allocate(int size);

  char* m_buffer;
  std::unique_ptr<char[]> m_block;  // set when the buffer is owned
  int m_size = 0;
};
