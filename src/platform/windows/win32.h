// <windows.h> for this folder: without min/max macros, and without the
// MessageBox macro, which would rename the game's MessageBox interface.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#undef MessageBox
