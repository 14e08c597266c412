// <windows.h> for the adapters. The ports' methods carry the names of the ...A
// functions they call, so no macro of <windows.h> renames them.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
