#include "platform/win/kernel/Handles.h"

namespace wavorel {

HandleTable<KernelObject>& kernelHandles() {
  // Kernel handles are multiples of 4 from 0x1000, as on Windows.
  static HandleTable<KernelObject> table(0x1000, 4);
  return table;
}

}  // namespace wavorel
