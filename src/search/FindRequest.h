#pragma once
// What a search is asked for, what it finds and what it could not read.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "filer/FileConditions.h"
#include "search/FindPatterns.h"

namespace zq {

struct FindRequest {
    std::wstring directory;      // full path, no trailing backslash
    std::wstring nameCondition;  // "*.*", "*.txt" …
    std::wstring searchText;     // "" for no content condition
    FindCharCodes codes{true, false, false, false, false};
    FileConditions conditions;
    bool neglectDosNames = false;  // match the name condition against long names only
};

// The dialog's three texts made into a request: the directory resolved
// against `base` (the pane's directory).  False with the complaint to show
// when a text is unusable.
[[nodiscard]] bool MakeFindRequest(const std::wstring& directory, const std::wstring& nameCondition,
                                   const std::wstring& searchText, const std::wstring& base, FindRequest& out,
                                   std::wstring& complaint);

// One found entry and the directory it was found in; the layout is the
// record the results are kept in.
struct structFindThreadInfo {
    WIN32_FIND_DATAW find;
    wchar_t directory[520];
};
static_assert(sizeof(structFindThreadInfo) == 1632);

// Something the walk passed over and went on.
struct FindProblem {
    enum class Kind { MissingDirectory, UnreadableFile };
    Kind kind = Kind::MissingDirectory;
    std::wstring path;
    DWORD error = 0;
};

// What the dialog shows while the walk runs; written by the worker.
struct FindProgress {
    std::atomic<uint32_t> directories{0};
    std::atomic<uint32_t> files{0};
    std::atomic<uint32_t> found{0};
    std::atomic<uint32_t> problems{0};
    void SetCurrent(const std::wstring& directory) {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_current = directory;
    }
    [[nodiscard]] std::wstring Current() const {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_current;
    }

  private:
    mutable std::mutex m_mutex;
    std::wstring m_current;
};

}  // namespace zq
