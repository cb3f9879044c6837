#pragma once
#include <windows.h>

namespace zq::companion {

// This library's own module handle, for the window classes it registers.
extern HINSTANCE g_module;

}  // namespace zq::companion
