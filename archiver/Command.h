#pragma once
// What the command function does with a parsed command line.
#include <windows.h>

#include "CommandLine.h"

namespace unbypass {

// Runs one command; 0 or an archiver error.  `out` receives the printed member
// (Print), the listing (List) or the names written (Extract), cut to `outSize`
// and ended by a zero byte when there is room.  With an owner window, the
// progress message goes to it before and after every member written, and a
// non-zero answer cancels.
int RunCommand(const CommandLine& command, char* out, DWORD outSize, HWND owner);

}  // namespace unbypass
