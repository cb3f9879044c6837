#pragma once
// The ZIP family's add command ("Zip(hwnd, line, out, size)"), in the line
// form of the packing libraries of that family:
//
//   [options] archive [base\] file …
//
//   archive   the first plain word; ".zip" is added when it has no extension
//   base\     a word ending in "\" or "/": the files are named from there
//   file      relative to the base (or full paths under it), "*" and "?" allowed
//   -r        folders are taken with everything in them
//   -S        hidden and system files are taken too
//
// Other options are accepted and ignored.  Members already in the archive
// under a name being added are replaced; the others stay as they were.  The
// new archive is written beside the old one and takes its name only once
// whole, so a failure leaves the archive untouched.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace unbypass {

struct AddLine {
    std::wstring archive;
    std::wstring base;
    std::vector<std::wstring> files;
    bool recurse = false;
    bool hiddenToo = false;
};

// Nullopt when no archive or no file is named.
std::optional<AddLine> ParseAddLine(std::wstring_view line);

// Told of every file or folder before it goes in (its path on disk and its
// size); false stops the command, which then leaves the archive as it was.
using AddProgress = std::function<bool(const std::wstring& path, ULONGLONG size)>;

// 0 or an archiver error.
int RunAdd(const AddLine& line, const AddProgress& progress = {});

}  // namespace unbypass
