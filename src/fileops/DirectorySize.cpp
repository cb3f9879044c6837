#include "fileops/DirectorySize.h"

#include "common/Handle.h"

namespace zq::fileops {

namespace {

bool IsDots(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

uint64_t SizeOf(const WIN32_FIND_DATAW& data) {
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

bool AddDirectoryTotals(const std::wstring& path, DirectoryTotals& totals, const std::atomic<bool>& cancel) {
    ++totals.directories;
    WIN32_FIND_DATAW data{};
    const std::wstring pattern = path + L"\\*.*";
    HANDLE raw = ::FindFirstFileW(pattern.c_str(), &data);
    if (raw == INVALID_HANDLE_VALUE) return !cancel.load();
    const UniqueFind find(raw);
    do {
        if (cancel.load()) return false;
        if (IsDots(data.cFileName)) continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (!AddDirectoryTotals(path + L"\\" + data.cFileName, totals, cancel)) return false;
        } else {
            ++totals.files;
            totals.bytes += SizeOf(data);
        }
    } while (::FindNextFileW(raw, &data));
    return !cancel.load();
}

bool AddEntryTotals(const std::wstring& directory, const WIN32_FIND_DATAW& entry, DirectoryTotals& totals,
                    const std::atomic<bool>& cancel) {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        // "." stands for the directory itself; ".." is never measured.
        if (entry.cFileName[0] == L'.' && entry.cFileName[1] == L'\0')
            return AddDirectoryTotals(directory, totals, cancel);
        if (IsDots(entry.cFileName)) return true;
        return AddDirectoryTotals(directory + L"\\" + entry.cFileName, totals, cancel);
    }
    ++totals.files;
    totals.bytes += SizeOf(entry);
    return !cancel.load();
}

std::wstring GroupedNumber(uint64_t value) {
    const std::wstring digits = std::to_wstring(value);
    std::wstring out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += L',';
        out += digits[i];
    }
    return out;
}

}  // namespace zq::fileops
