#pragma once
// The general diagnostic log of the program (zq.log, rotated to zq_log.bck)
// and the line routine that every text log of the program is written with:
// UTF-16LE with a byte-order mark and CRLF line ends.  It sits at the bottom
// of the program because every part may need to leave a line in it.  The
// program directory is always passed in: nothing here looks up where the
// program lives.
#include <windows.h>

#include <cstdarg>
#include <string>
#include <string_view>

namespace zq {

inline constexpr wchar_t kGeneralLogName[] = L"zq.log";
inline constexpr wchar_t kGeneralLogBackupName[] = L"zq_log.bck";
inline constexpr wchar_t kErrorLogDirectoryName[] = L"Log";
inline constexpr ULONGLONG kGeneralLogRotateAbove = 1000000;
// Longest line the append routine writes; longer lines are cut.
inline constexpr size_t kLogLineMax = 2047;

// Appends line + CRLF to the file at path, creating it with FF FE when it is new
// or empty.  A file that cannot be opened drops the line; the result says so.
bool AppendLineToFile(const std::wstring& path, std::wstring_view line);

// The append routine.  relativePath (may be null or empty) is joined to
// programDirectory; without it the line goes to zq.log, which is rotated to
// zq_log.bck first when it is above 1,000,000 bytes.  format uses the CRT's wide
// conventions (%s is a wide string).
bool AppendLog(const std::wstring& programDirectory, const wchar_t* relativePath, const wchar_t* format, ...);
bool AppendLogV(const std::wstring& programDirectory, const wchar_t* relativePath, const wchar_t* format, va_list args);

}  // namespace zq
