// Wavorel's driver-key value "Radio", as its host of the station pages reads
// it for the radio button's first picture. UI thread.
#pragma once

#include "platform/Platform.h"

// TRUE when "Radio" of the adapter driver key reads as a non-zero number
// ("1" is written for off); FALSE when the key or value cannot be read, the
// value is 0 or no number. At most 128 bytes are read, of any type.
BOOL IsRadioValueOff();
