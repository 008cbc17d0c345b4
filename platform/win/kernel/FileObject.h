// The kernel object behind a file handle: an open Linux file, the access it
// was opened with and its place in the share table. The C run-time streams
// and CopyFile open files the same way.
#pragma once

#include <memory>
#include <string>

#include "platform/win/kernel/Handles.h"
#include "platform/win/kernel/UniqueFd.h"

namespace wavorel {

class FileObject : public KernelObject {
 public:
  // Opens `linuxPath` (resolved from a Windows path) with Windows rules:
  // access and share masks and a creation disposition as CreateFile takes
  // them; `attributes` are given to a file this call creates. Null with the
  // last error set on failure; on success the last error is
  // ERROR_ALREADY_EXISTS when CREATE_ALWAYS or OPEN_ALWAYS found the file.
  // FILE_APPEND_DATA without FILE_WRITE_DATA (or a generic write) opens for
  // appending: each write lands whole at the end of the file, whoever else
  // writes it. A created file is readable and writable by its owner alone.
  static std::shared_ptr<FileObject> open(const std::string& linuxPath, DWORD access, DWORD share,
                                          DWORD disposition, DWORD attributes);

  int fd() const { return fd_.get(); }
  bool canRead() const { return canRead_; }
  bool canWrite() const { return canWrite_; }
  // Moves the last-write time to now after data changed.
  void wrote() const;

 private:
  FileObject(UniqueFd fd, bool canRead, bool canWrite, std::shared_ptr<void> share)
      : fd_(std::move(fd)), canRead_(canRead), canWrite_(canWrite), share_(std::move(share)) {}

  UniqueFd fd_;
  bool canRead_;
  bool canWrite_;
  std::shared_ptr<void> share_;
};

}  // namespace wavorel
