#pragma once
// Helpers for the pane tests: files with chosen times, a host that records
// what the pane asks of its owner, and quick access to the shown names.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filer/FilerPane.h"
#include "main/TempDir.h"

namespace zq::test {

class RecordingHost : public FilerPaneHost {
  public:
    void ShowMessage(const std::wstring& text) override { messages.push_back(text); }
    void AddDirectoryHistory(const std::wstring& path) override { history.push_back(path); }
    std::vector<std::wstring> messages;
    std::vector<std::wstring> history;
};

// A FILETIME `days` days after 2020-01-01.
inline FILETIME DayTime(int days) {
    const unsigned long long base = 132223104000000000ULL;  // 2020-01-01 00:00 UTC
    const unsigned long long value = base + static_cast<unsigned long long>(days) * 864000000000ULL;
    FILETIME t;
    t.dwLowDateTime = static_cast<DWORD>(value);
    t.dwHighDateTime = static_cast<DWORD>(value >> 32);
    return t;
}

inline bool SetWriteTime(const std::wstring& path, const FILETIME& t) {
    HANDLE h = ::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const BOOL ok = ::SetFileTime(h, nullptr, nullptr, &t);
    ::CloseHandle(h);
    return ok != 0;
}

// Names in display order.
inline std::vector<std::wstring> ShownNames(const FilerPane& pane) {
    std::vector<std::wstring> names;
    for (int p = 0; p < pane.Count(); ++p) names.emplace_back(pane.EntryAt(p).cFileName);
    return names;
}

inline int PositionOf(const FilerPane& pane, const std::wstring& name) {
    for (int p = 0; p < pane.Count(); ++p)
        if (name == pane.EntryAt(p).cFileName) return p;
    return -1;
}

inline std::vector<std::wstring> MarkedNames(const FilerPane& pane) {
    std::vector<std::wstring> names;
    for (int p = 0; p < pane.Count(); ++p)
        if (pane.IsMarkedAt(p)) names.emplace_back(pane.EntryAt(p).cFileName);
    return names;
}

// Options with "." hidden, so that a listing is ".." plus what the test made.
inline FilerOptions NoDotOptions() {
    FilerOptions o;
    o.NOTVIEWCURRENTDIR = 1;
    return o;
}

// A pane on `dir`, read and sorted, one column of ten rows.
inline void Open(FilerPane& pane, const TempDir& dir, FilerOptions options = NoDotOptions()) {
    pane.SetOptions(options);
    pane.SetGrid({1, 10, 1, 10});
    ASSERT_TRUE(pane.ChangeDirectory(dir.Path(), false, nullptr));
}

}  // namespace zq::test
