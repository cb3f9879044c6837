#pragma once
// Entry records for the Filer layout tests.
#include <windows.h>

#include <cstdint>
#include <cwchar>
#include <iterator>

namespace zq::filer::test {

inline SYSTEMTIME MakeSystemTime(WORD y, WORD mo, WORD d, WORD h, WORD mi, WORD s) {
    SYSTEMTIME st{};
    st.wYear = y;
    st.wMonth = mo;
    st.wDay = d;
    st.wHour = h;
    st.wMinute = mi;
    st.wSecond = s;
    return st;
}

inline FILETIME MakeUtcTime(WORD y, WORD mo, WORD d, WORD h = 0, WORD mi = 0, WORD s = 0) {
    const SYSTEMTIME st = MakeSystemTime(y, mo, d, h, mi, s);
    FILETIME ft{};
    ::SystemTimeToFileTime(&st, &ft);
    return ft;
}

// Last write 2024-03-05 12:34:56, creation 2001-01-02 03:04:05, last access
// 2023-12-31 23:59:58, all UTC.
inline WIN32_FIND_DATAW MakeEntry(const wchar_t* name, DWORD attributes = FILE_ATTRIBUTE_ARCHIVE, uint64_t size = 0,
                                  const wchar_t* shortName = L"") {
    WIN32_FIND_DATAW e{};
    e.dwFileAttributes = attributes;
    e.nFileSizeHigh = static_cast<DWORD>(size >> 32);
    e.nFileSizeLow = static_cast<DWORD>(size);
    e.ftLastWriteTime = MakeUtcTime(2024, 3, 5, 12, 34, 56);
    e.ftCreationTime = MakeUtcTime(2001, 1, 2, 3, 4, 5);
    e.ftLastAccessTime = MakeUtcTime(2023, 12, 31, 23, 59, 58);
    wcsncpy_s(e.cFileName, std::size(e.cFileName), name, _TRUNCATE);
    wcsncpy_s(e.cAlternateFileName, std::size(e.cAlternateFileName), shortName, _TRUNCATE);
    return e;
}

// Cells are checked in UTC so that expected texts do not depend on the
// machine's time zone.
inline bool UtcTime(const FILETIME& utc, SYSTEMTIME& out) {
    return ::FileTimeToSystemTime(&utc, &out) != FALSE;
}

}  // namespace zq::filer::test
