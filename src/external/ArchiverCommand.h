#pragma once
// The command lines that an archiver library's command entry ("UnZip",
// "Zip", "Unlha") is handed to take files out of an archive or put them in,
// and one guarded call of that entry.  Two families take part: kind 0 (the
// LHA family) and kind 1 (the ZIP family); any other kind has no line.
#include <windows.h>

#include <string>
#include <vector>

namespace zq {

// "e -d0 -c1 -m1 -p1 "<archive>" "<target>\" "<member>"" for kind 0, "-x -j -o …" for kind 1;
// empty for any other kind.
[[nodiscard]] std::wstring ArchiveExtractCommand(int kind, const std::wstring& archive, const std::wstring& target,
                                                 const std::wstring& member);
// "a -d1 -c1 "<archive>" "<base>\" "<file>" …" for kind 0, "-r -S …" for kind 1, where a
// ZIP archive is named without its ".zip"; empty for any other kind.
[[nodiscard]] std::wstring ArchiveAddCommand(int kind, const std::wstring& archive, const std::wstring& base,
                                             const std::vector<std::wstring>& files);

// What one call answered: the library's own code (0 done), or one of these.
inline constexpr int kArchiverNotCalled = -1;  // no library, no such entry, or a line without an 8-bit form
inline constexpr int kArchiverFaulted = -2;    // the library faulted inside the call

// One call of `prefix` in the library at `libraryPath`, loaded for it and let
// go after.  `listener` (may be null) receives the library's progress
// messages ("wm_arcextract"), and a non-zero answer to one stops the command;
// `parent` is the window the library's own dialogs belong to (none: it shows none).
[[nodiscard]] int CallArchiverCommand(const std::wstring& libraryPath, const std::string& prefix,
                                      const std::wstring& line, HWND listener, HWND parent = nullptr);

}  // namespace zq
