#pragma once
// Tests run two at a time on one desktop: a test that answers "the dialog
// titled X" must find its own process's dialog, never the other test's.
#include <windows.h>

namespace zq::test {

// The first visible-or-not top-level window of this process with the class
// and the exact title (null: any title); null when there is none.
HWND FindOwnWindow(const wchar_t* className, const wchar_t* title);

}  // namespace zq::test
