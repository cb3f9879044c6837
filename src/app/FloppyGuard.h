#pragma once
#include <string>

namespace zq {

// The shell's type names of a 3.5-inch floppy drive.
bool IsFloppyTypeName(const std::wstring& typeName);
// When the process's current directory lies on a floppy, moves it to the
// system directory so the drive is not held.  Answers whether it moved.
bool ReleaseFloppyCurrentDirectory();

}  // namespace zq
