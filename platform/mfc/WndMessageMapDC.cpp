// The device-context object the message-map adapters hand to handlers.
#include "platform/mfc/DC.h"
#include "platform/mfc/Wnd.h"

namespace wavorel::msgmap {

CDC* dcFromHandle(HDC hDC) { return CDC::FromHandle(hDC); }

}  // namespace wavorel::msgmap
