// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// <windows.h> as the program includes it everywhere: without the min and max
// macros, which would break std::min and std::max, and without the parts of
// the API that it never uses. Windows only.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
