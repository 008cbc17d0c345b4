// Device names: CreateFile("\\.\name") opens the device registered under that
// name (compared without regard to case, either separator) instead of a file.
// The factory makes the object that the handle names; DeviceIoControl and the
// like find it with kernelObjectAs<T>. A factory that returns null makes
// CreateFile fail with the last error it set (ERROR_FILE_NOT_FOUND when it set
// none). Registrations stay until they are replaced or removed; a platform root
// switch keeps them.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/win/kernel/Handles.h"

namespace wavorel {

using DeviceFactory = std::function<std::shared_ptr<KernelObject>()>;

// `name` is the full device path, "\\.\{GUID}".
void registerDevice(const std::string& name, DeviceFactory factory);
void unregisterDevice(const std::string& name);
// Opens a device path: a new handle, or INVALID_HANDLE_VALUE with the last
// error set (ERROR_FILE_NOT_FOUND for a name nobody registered).
HANDLE openDevice(const std::string& path);

// Network paths, "\\server\share\...". The resolver (the simulated
// network's) gives the error that opening a file there ends with: a share
// holds no files here. Without one every network path is ERROR_BAD_NETPATH.
using NetworkPathResolver = std::function<unsigned long(const std::string& server, const std::string& share)>;
void setNetworkPathResolver(NetworkPathResolver resolver);
bool isNetworkPath(const std::string& path);
// Always INVALID_HANDLE_VALUE, with the resolver's error as the last error.
HANDLE openNetworkPath(const std::string& path);

}  // namespace wavorel
