// The open files of this process with their access and share modes, so that an
// open that clashes with another fails with ERROR_SHARING_VIOLATION as on
// Windows. Access and share use the same bits: FILE_SHARE_READ (reading),
// FILE_SHARE_WRITE (writing), FILE_SHARE_DELETE (deleting or renaming).
#pragma once

#include <cstdint>
#include <memory>

#include "platform/win/kernel/Types.h"

namespace wavorel {

class ShareTable {
 public:
  // The share bits of a CreateFile access mask.
  static DWORD accessBits(DWORD desiredAccess);

  // Records an open of file (dev, ino); the open lasts as long as the returned
  // token. Null when it clashes with an open that is still recorded.
  static std::shared_ptr<void> acquire(uint64_t dev, uint64_t ino, DWORD access, DWORD share);
  // True when every open of the file allows `access` by others.
  static bool allows(uint64_t dev, uint64_t ino, DWORD access);
};

}  // namespace wavorel
