#pragma once
// What the command function does with a parsed command line.
#include <windows.h>

#include <string>

#include "CommandLine.h"

namespace unbypass {

// Runs one command; 0 or an archiver error.  `out` receives the printed member
// (Print), the listing (List) or the names written (Extract), cut to `outSize`
// and ended by a zero byte when there is room.  With an owner window, the
// progress message goes to it before and after every member written, and a
// non-zero answer cancels.
int RunCommand(const CommandLine& command, char* out, DWORD outSize, HWND owner);

// One progress message ("wm_arcextract") to `owner`, of `state` for the file
// `source` going to `dest`; false when the owner answered that it should stop.
// Without an owner nothing is sent and the answer is to go on.
bool TellProgress(HWND owner, WPARAM state, const std::string& source, const std::string& dest, DWORD size, DWORD done);

}  // namespace unbypass
