// The public header of the skinned control library: one header per class.
#pragma once

#include "skinvane/WndCommonAttr.h"
