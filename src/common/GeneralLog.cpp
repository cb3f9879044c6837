#include "common/GeneralLog.h"

#include <cstdarg>
#include <cwchar>

#include "common/Handle.h"
#include "common/Paths.h"

namespace zq {
namespace {

// Size by a directory lookup, as the rotation rule asks; -1 when the file is absent.
LONGLONG FileSizeByLookup(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

void RotateGeneralLog(const std::wstring& programDirectory) {
    const std::wstring log = JoinPath(programDirectory, kGeneralLogName);
    if (FileSizeByLookup(log) <= static_cast<LONGLONG>(kGeneralLogRotateAbove)) return;
    const std::wstring backup = JoinPath(programDirectory, kGeneralLogBackupName);
    ::DeleteFileW(backup.c_str());
    ::MoveFileW(log.c_str(), backup.c_str());
}

}  // namespace

bool AppendLineToFile(const std::wstring& path, std::wstring_view line) {
    // Not shared: two jobs appending at once must not interleave half lines.
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) return false;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size)) return false;
    std::wstring text;
    if (size.QuadPart == 0) text += L'\xFEFF';
    text.append(line.substr(0, kLogLineMax));
    text += L"\r\n";
    LARGE_INTEGER zero{};
    if (!::SetFilePointerEx(file.Get(), zero, nullptr, FILE_END)) return false;
    // wchar_t is UTF-16LE on this platform, so the buffer is the file's bytes.
    const DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    DWORD written = 0;
    return ::WriteFile(file.Get(), text.data(), bytes, &written, nullptr) && written == bytes;
}

bool AppendLogV(const std::wstring& programDirectory, const wchar_t* relativePath, const wchar_t* format,
                va_list args) {
    wchar_t line[kLogLineMax + 1] = {};
    // _TRUNCATE cuts an overlong line instead of failing or overrunning.
    _vsnwprintf_s(line, kLogLineMax + 1, _TRUNCATE, format, args);
    std::wstring path;
    if (relativePath != nullptr && *relativePath != L'\0') {
        path = JoinPath(programDirectory, relativePath);
    } else {
        RotateGeneralLog(programDirectory);
        path = JoinPath(programDirectory, kGeneralLogName);
    }
    return AppendLineToFile(path, line);
}

bool AppendLog(const std::wstring& programDirectory, const wchar_t* relativePath, const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    const bool ok = AppendLogV(programDirectory, relativePath, format, args);
    va_end(args);
    return ok;
}

}  // namespace zq
