#include "platform/win/user/KeyInput.h"

#include "platform/win/user/Input.h"

namespace wavorel {

bool sendKey(UINT vk, bool down) { return keyboardInput(vk, down); }

}  // namespace wavorel
