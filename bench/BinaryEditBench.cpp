// The binary editor's search through a large file next to a plain scan of
// the same bytes (ReadFile in 1 MiB blocks, memchr for the first byte, memcmp
// for the rest), measured in the same process so that the ratio survives a
// noisy machine.  The one match is near the end, so both read the whole file.
// Each case runs in three rounds and the fastest run counts.
//
//   BinaryEditBench [ignored folder] [file MiB, default 256]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "binedit/CBinaryData.h"
#include "common/Handle.h"

using namespace zq;
using namespace zq::binedit;

namespace {

const char kPattern[] = "\xF0\xF1\xF2\xF3";
constexpr std::size_t kPatternLength = 4;

// Bytes below 0x80 with a few 0xF0 heads that fail the rest of the pattern,
// so the first-byte scan stops now and then, as in real data.
bool WriteData(const std::wstring& path, ULONGLONG size, ULONGLONG matchAt) {
    UniqueFile file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    std::vector<char> block(1 << 20);
    for (ULONGLONG at = 0; at < size; at += block.size()) {
        for (std::size_t i = 0; i < block.size(); ++i)
            block[i] = static_cast<char>((i % 4099 == 0) ? 0xF0 : ((at + i) * 7) % 0x80);
        if (matchAt >= at && matchAt < at + block.size()) std::memcpy(&block[matchAt - at], kPattern, kPatternLength);
        const DWORD n = static_cast<DWORD>(std::min<ULONGLONG>(block.size(), size - at));
        DWORD written = 0;
        if (!::WriteFile(file.Get(), block.data(), n, &written, nullptr) || written != n) return false;
    }
    return true;
}

double Seconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The baseline: the same bytes read with ReadFile and scanned by hand.
long long PlainScan(const std::wstring& path) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return -1;
    std::vector<char> buffer((1 << 20) + kPatternLength);
    std::size_t kept = 0;
    long long base = 0;  // file offset of buffer[0]
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file.Get(), buffer.data() + kept, 1 << 20, &got, nullptr) || got == 0) return -1;
        const std::size_t have = kept + got;
        std::size_t i = 0;
        while (i + kPatternLength <= have) {
            const void* hit = std::memchr(buffer.data() + i, kPattern[0], have - kPatternLength + 1 - i);
            if (hit == nullptr) break;
            i = static_cast<std::size_t>(static_cast<const char*>(hit) - buffer.data());
            if (std::memcmp(buffer.data() + i, kPattern, kPatternLength) == 0) return base + static_cast<long long>(i);
            ++i;
        }
        kept = std::min(have, kPatternLength - 1);
        std::memmove(buffer.data(), buffer.data() + have - kept, kept);
        base += static_cast<long long>(have - kept);
    }
}

long long EngineSearch(const std::wstring& path, SearchDirection direction) {
    CBinaryData data;
    if (!data.Open(path)) return -1;
    // Up from just below the match: the whole file lies between, read down to 0 and on from the end.
    const std::int64_t origin = direction == SearchDirection::Down ? 0 : data.Size() - 101;
    if (!data.Search().StartSearch(InputType::Hex, false, L"F0F1F2F3", origin, direction)) return -1;
    const SearchResult r = data.Search().Step(data, false);
    return r.status == SearchStatus::Found ? r.offset : -1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const ULONGLONG mib = argc > 2 ? _wtoi64(argv[2]) : 256;
    const ULONGLONG size = mib << 20;
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring path = std::wstring(temp) + L"zq-binedit-bench.bin";
    const long long down = static_cast<long long>(size - 100);  // found last searching down
    if (!WriteData(path, size, static_cast<ULONGLONG>(down))) {
        std::printf("cannot write the data file\n");
        return 1;
    }
    (void)PlainScan(path);  // one warm read, so that no run pays for the first alone

    double plain = 1e30, engineDown = 1e30, engineUp = 1e30;
    bool ok = true;
    for (int round = 0; round < 3; ++round) {
        auto start = std::chrono::steady_clock::now();
        ok = PlainScan(path) == down && ok;
        plain = std::min(plain, Seconds(start));
        start = std::chrono::steady_clock::now();
        ok = EngineSearch(path, SearchDirection::Down) == down && ok;
        engineDown = std::min(engineDown, Seconds(start));
        start = std::chrono::steady_clock::now();
        ok = EngineSearch(path, SearchDirection::Up) == down && ok;
        engineUp = std::min(engineUp, Seconds(start));
    }
    ::DeleteFileW(path.c_str());
    const double mb = static_cast<double>(size) / 1e6;
    std::printf("search for 4 bytes through %llu MiB:\n", mib);
    std::printf("  plain ReadFile+memchr  %8.1f MB/s  (%.3f s)\n", mb / plain, plain);
    std::printf("  zq search, down        %8.1f MB/s  (%.3f s)\n", mb / engineDown, engineDown);
    std::printf("  zq search, up          %8.1f MB/s  (%.3f s)\n", mb / engineUp, engineUp);
    std::printf("  ratio zq/plain: down %.2f, up %.2f\n", plain / engineDown, plain / engineUp);
    if (!ok) std::printf("a search missed the match\n");
    return ok ? 0 : 1;
}
