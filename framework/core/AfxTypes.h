// Basic types shared by the framework: the Windows types and the opaque collection position.
#pragma once

#include <windows.h>

struct __POSITION {};
typedef __POSITION* POSITION;

// The position GetStartPosition hands out before the first element has been found.
#define BEFORE_START_POSITION ((POSITION)-1L)
