// The public header of the utility library: every exported function and
// class, one header per area.
#pragma once

#include "utilmere/TimeTools.h"
#include "utilmere/FileTools.h"
#include "utilmere/Log.h"
#include "utilmere/ProcessTools.h"
#include "utilmere/GxDir.h"
#include "utilmere/GxDirEx.h"
#include "utilmere/Strings.h"
#include "utilmere/MultiByteString.h"
#include "utilmere/RegistryTools.h"
#include "utilmere/Random.h"
#include "utilmere/WindowTools.h"
