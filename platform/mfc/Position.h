// POSITION: the opaque place of an element in an MFC collection; NULL after
// the last one.
#pragma once

struct WavorelPosition_ {};
typedef WavorelPosition_* POSITION;
