#include "common/FileCompare.h"

#include <algorithm>
#include <cstring>

#include "common/Handle.h"
#include "common/Paths.h"

namespace zq {

namespace {

constexpr DWORD kBlockBytes = 1 << 20;

UniqueFile OpenForReading(const std::wstring& path) {
    return UniqueFile(::CreateFileW(PlatformPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

// Reads until the block is full or the file ends: a short read is not the end.
bool ReadBlock(HANDLE file, std::uint8_t* buffer, DWORD wanted, DWORD* got) {
    *got = 0;
    while (*got < wanted) {
        DWORD read = 0;
        if (!::ReadFile(file, buffer + *got, wanted - *got, &read, nullptr)) return false;
        if (read == 0) break;
        *got += read;
    }
    return true;
}

void CountDifferences(const std::uint8_t* a, const std::uint8_t* b, DWORD bytes, std::uint64_t base, size_t listLimit,
                      StructFileCompareResult& result) {
    // Equal stretches are passed over a whole sub-block at a time.
    constexpr DWORD kStretch = 4096;
    for (DWORD start = 0; start < bytes; start += kStretch) {
        const DWORD length = std::min(kStretch, bytes - start);
        if (std::memcmp(a + start, b + start, length) == 0) continue;
        for (DWORD i = start; i < start + length; ++i) {
            if (a[i] == b[i]) continue;
            ++result.differing;
            if (result.listed.size() < listLimit) result.listed.push_back({base + i, a[i], b[i]});
        }
    }
}

}  // namespace

StructFileCompareResult CompareFiles(const std::wstring& first, const std::wstring& second, size_t listLimit,
                                     const std::atomic<bool>* cancel,
                                     const std::function<void(std::uint64_t, std::uint64_t)>& progress) {
    StructFileCompareResult result;
    const auto fail = [&result](FileCompareStatus status) {
        result.status = status;
        result.error = ::GetLastError();
        return result;
    };
    UniqueFile a = OpenForReading(first);
    if (!a) return fail(FileCompareStatus::FirstUnreadable);
    UniqueFile b = OpenForReading(second);
    if (!b) return fail(FileCompareStatus::SecondUnreadable);
    LARGE_INTEGER sizeA{}, sizeB{};
    if (!::GetFileSizeEx(a.Get(), &sizeA)) return fail(FileCompareStatus::FirstUnreadable);
    if (!::GetFileSizeEx(b.Get(), &sizeB)) return fail(FileCompareStatus::SecondUnreadable);
    result.firstSize = static_cast<std::uint64_t>(sizeA.QuadPart);
    result.secondSize = static_cast<std::uint64_t>(sizeB.QuadPart);

    const std::uint64_t common = std::min(result.firstSize, result.secondSize);
    std::vector<std::uint8_t> bufferA(kBlockBytes), bufferB(kBlockBytes);
    std::uint64_t done = 0;
    while (done < common) {
        if (cancel && cancel->load()) {
            result.status = FileCompareStatus::Cancelled;
            return result;
        }
        const auto wanted = static_cast<DWORD>(std::min<std::uint64_t>(kBlockBytes, common - done));
        DWORD gotA = 0, gotB = 0;
        if (!ReadBlock(a.Get(), bufferA.data(), wanted, &gotA)) return fail(FileCompareStatus::FirstUnreadable);
        if (!ReadBlock(b.Get(), bufferB.data(), wanted, &gotB)) return fail(FileCompareStatus::SecondUnreadable);
        // A file that shrank while it was read is compared as far as both go.
        const DWORD both = std::min(gotA, gotB);
        CountDifferences(bufferA.data(), bufferB.data(), both, done, listLimit, result);
        done += both;
        if (progress) progress(done, common);
        if (both < wanted) break;
    }
    return result;
}

}  // namespace zq
