#pragma once
// Byte-by-byte comparison of two whole files, as the Filer's comparison shows
// it: how many bytes of the common length differ, the first of them with both
// values, and what one file has beyond the other's end.  Each file is read
// once, in large blocks, so a comparison of two big files costs two reads.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zq {

struct StructByteDifference {
    std::uint64_t offset = 0;
    std::uint8_t first = 0;
    std::uint8_t second = 0;
};

enum class FileCompareStatus { Compared, Cancelled, FirstUnreadable, SecondUnreadable };

struct StructFileCompareResult {
    FileCompareStatus status = FileCompareStatus::Compared;
    DWORD error = 0;  // GetLastError() of the failed open or read
    std::uint64_t firstSize = 0;
    std::uint64_t secondSize = 0;
    std::uint64_t differing = 0;               // differing bytes within the common length
    std::vector<StructByteDifference> listed;  // the first of them, up to the caller's limit

    [[nodiscard]] bool Identical() const noexcept {
        return status == FileCompareStatus::Compared && differing == 0 && firstSize == secondSize;
    }
};

// progress(done, total) is called after each block with the bytes of the
// common length compared so far; cancel, when given, is polled as often.
[[nodiscard]] StructFileCompareResult CompareFiles(
    const std::wstring& first, const std::wstring& second, size_t listLimit, const std::atomic<bool>* cancel = nullptr,
    const std::function<void(std::uint64_t, std::uint64_t)>& progress = {});

}  // namespace zq
