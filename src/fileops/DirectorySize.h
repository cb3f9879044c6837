#pragma once
// The totals of the directory-size survey: directories, files and bytes under
// the entries given, each directory counted itself and walked to the bottom.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>

namespace zq::fileops {

struct DirectoryTotals {
    uint32_t directories = 0;
    uint32_t files = 0;
    uint64_t bytes = 0;
};

// Adds `entry` (found in `directory`) to `totals`; a directory is walked with
// FindFirstFileW on "<dir>\*.*".  False when `cancel` was set on the way.
bool AddEntryTotals(const std::wstring& directory, const WIN32_FIND_DATAW& entry, DirectoryTotals& totals,
                    const std::atomic<bool>& cancel);
// One directory given by its full path, itself counted.
bool AddDirectoryTotals(const std::wstring& path, DirectoryTotals& totals, const std::atomic<bool>& cancel);

// "1,234,567" for the dialog's fields.
[[nodiscard]] std::wstring GroupedNumber(uint64_t value);

}  // namespace zq::fileops
