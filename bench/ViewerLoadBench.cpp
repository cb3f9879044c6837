// Times the Viewer's engine on large texts: the first screen of a big file
// against that of a 1 MiB file, the whole load and index of a Shift_JIS and of
// a UTF-8 file with the memory it keeps, and the search for a string that is
// not in the text.  The native baselines (wc -l, grep -c -F on the same files)
// are timed by scripts/run-bench in the same run; it reads the "(... s)"
// figures printed here.  The files are made in FOLDER and kept for the
// baselines and the next run.
//
//   ViewerLoadBench.exe FOLDER        size from ZQ_BENCH_VIEWER_MIB (default 1024),
//                                     rounds from ZQ_BENCH_VIEWER_ROUNDS (default 3)
#include <windows.h>
// psapi.h needs windows.h first.
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "BenchClock.h"
#include "viewer/ViewerLayout.h"
#include "viewer/ViewerSearch.h"
#include "viewer/ViewerText.h"

namespace {

using zq::viewer::TextLock;
using zq::viewer::ViewerText;

constexpr int kVisibleRows = 40;
// What the search looks for; run-bench greps for the same bytes.
constexpr const char kAbsent[] =
    "\x8C\xA9\x82\xC2\x82\xA9\x82\xE7\x82\xC8\x82\xA2\x8C\xEA\x8B\xE5";  // 見つからない語句

// 1 MiB of Shift_JIS lines of 20 to 140 bytes with two-byte characters and
// tabs, CR LF.
std::string SjisChunk() {
    std::string chunk;
    unsigned seed = 7;
    while (chunk.size() < (1u << 20)) {
        seed = seed * 1103515245 + 12345;
        const unsigned length = 20 + (seed >> 16) % 120;
        for (unsigned i = 0; i < length; ++i) {
            if (i % 37 == 5) {
                chunk += "\x93\xFA\x96\x7B";
                i += 3;
            } else {
                chunk += i % 53 == 9 ? '\t' : static_cast<char>('a' + (i + seed) % 26);
            }
        }
        chunk += "\r\n";
    }
    return chunk;
}

std::string Utf8Of(const std::string& sjis) {
    std::wstring wide(sjis.size(), L'\0');
    wide.resize(static_cast<size_t>(::MultiByteToWideChar(932, 0, sjis.data(), static_cast<int>(sjis.size()),
                                                          wide.data(), static_cast<int>(wide.size()))));
    std::string utf8(wide.size() * 3, '\0');
    utf8.resize(
        static_cast<size_t>(::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(),
                                                  static_cast<int>(utf8.size()), nullptr, nullptr)));
    return utf8;
}

long long SizeOfFile(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Repeats chunk up to `bytes`; a file of that size from an earlier run is kept.
bool MakeFile(const std::wstring& path, const std::string& chunk, long long bytes) {
    if (SizeOfFile(path) == bytes) return true;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    for (long long written = 0; ok && written < bytes;) {
        const DWORD n = static_cast<DWORD>(std::min<long long>(static_cast<long long>(chunk.size()), bytes - written));
        DWORD done = 0;
        ok = ::WriteFile(file, chunk.data(), n, &done, nullptr) && done == n;
        written += done;
    }
    ::CloseHandle(file);
    return ok;
}

// Reads a file through once, so that every side starts from the same cache.
void Warm(const std::wstring& path) {
    std::vector<char> block(1 << 20);
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD got = 0;
    while (::ReadFile(file, block.data(), static_cast<DWORD>(block.size()), &got, nullptr) && got > 0) {
    }
    ::CloseHandle(file);
}

WIN32_FIND_DATAW EntryOf(const std::wstring& path) {
    WIN32_FIND_DATAW entry{};
    ::FindClose(::FindFirstFileW(path.c_str(), &entry));
    return entry;
}

// The memory the process holds: resident pages, which under Wine is what
// the process counters fill (its private-usage count stays 0).
long long ResidentBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    ::K32GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<long long>(counters.WorkingSetSize);
}

// Open until the first page is laid out as the pane draws it.
double FirstScreen(ViewerText& text, const WIN32_FIND_DATAW& entry, const std::wstring& folder,
                   const zq::viewer::ViewerOpenSettings& settings) {
    const zq::viewer::ViewerColors colors;
    const double t0 = Now();
    if (!text.Open(entry, folder, settings)) return -1;
    {
        const TextLock lock(text);
        if (!lock) return -1;
        for (std::int32_t row = 0; row < kVisibleRows && row < text.LineCount(); ++row) {
            zq::viewer::TextRowInput input;
            input.line = std::string_view(text.Text() + text.LineStart(row),
                                          static_cast<size_t>(text.LineEnd(row) - text.LineStart(row)));
            input.number = row;
            for (const auto& run : zq::viewer::LayoutTextRow(input, colors)) (void)zq::viewer::WidenRun(run.bytes, 8);
        }
    }
    const double t = Now() - t0;
    text.Close();
    return t;
}

struct Load {
    double seconds = -1;
    long long lines = 0, textBytes = 0, residentBytes = 0;
};

Load LoadWhole(ViewerText& text, const std::wstring& path, const std::wstring& folder,
               const zq::viewer::ViewerOpenSettings& settings) {
    Load load;
    const long long before = ResidentBytes();
    const double t0 = Now();
    if (!text.Open(EntryOf(path), folder, settings)) return load;
    while (!text.LoaderFinished()) ::Sleep(1);
    load.seconds = Now() - t0;
    load.residentBytes = ResidentBytes() - before;
    load.lines = text.LineCount();
    load.textBytes = text.TextLength();
    return load;
}

// The floor under any load: 64 KiB blocks copied into a fresh block of
// local memory of the file's size, which is what the loader's buffer costs
// before a byte is read or indexed.
double FreshFill(long long bytes) {
    std::vector<char> block(0x10000, 'x');
    const double t0 = Now();
    HLOCAL memory = ::LocalAlloc(LMEM_MOVEABLE, static_cast<SIZE_T>(bytes));
    auto* p = static_cast<char*>(::LocalLock(memory));
    if (!p) return -1;
    for (long long at = 0; at < bytes; at += 0x10000)
        std::memcpy(p + at, block.data(), static_cast<size_t>(std::min<long long>(0x10000, bytes - at)));
    const double t = Now() - t0;
    ::LocalUnlock(memory);
    ::LocalFree(memory);
    return t;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const wchar_t* mibText = _wgetenv(L"ZQ_BENCH_VIEWER_MIB");
    const wchar_t* roundsText = _wgetenv(L"ZQ_BENCH_VIEWER_ROUNDS");
    const long long mib = mibText ? _wtoi(mibText) : 1024;
    const int rounds = std::max(1, roundsText ? _wtoi(roundsText) : 3);
    if (argc < 2 || mib <= 0) {
        std::printf("usage: ViewerLoadBench FOLDER (ZQ_BENCH_VIEWER_MIB > 0)\n");
        return 1;
    }
    const std::wstring folder = argv[1];
    const std::wstring sjis = folder + L"\\sjis.txt", utf8 = folder + L"\\utf8.txt", small = folder + L"\\small.txt";
    const std::string chunk = SjisChunk();
    ::CreateDirectoryW(folder.c_str(), nullptr);
    if (!MakeFile(sjis, chunk, mib << 20) || !MakeFile(utf8, Utf8Of(chunk), mib << 20) ||
        !MakeFile(small, chunk, 1 << 20)) {
        std::printf("ViewerLoadBench: cannot make the files in %ls\n", folder.c_str());
        return 1;
    }
    std::printf("  files: sjis.txt and utf8.txt %lld MiB, small.txt 1 MiB; %d rounds (medians)\n", mib, rounds);
    const zq::viewer::ViewerOpenSettings asSjis{8, 80, zq::viewer::kCharCodeSjis, nullptr};
    const zq::viewer::ViewerOpenSettings asUtf8{8, 80, zq::viewer::kCharCodeUtf8, nullptr};
    ViewerText text(0);

    // The first screen, the big and the small file taken in turn.
    Warm(sjis);
    Warm(small);
    const WIN32_FIND_DATAW bigEntry = EntryOf(sjis), smallEntry = EntryOf(small);
    std::vector<double> bigFirst, smallFirst;
    for (int i = 0; i < 15 * rounds; ++i) {
        bigFirst.push_back(FirstScreen(text, bigEntry, folder, asSjis));
        smallFirst.push_back(FirstScreen(text, smallEntry, folder, asSjis));
    }
    if (Median(bigFirst) < 0 || Median(smallFirst) < 0) return 1;
    std::printf("  first screen: %lld MiB file %.3f ms, 1 MiB file %.3f ms: ratio %.2f (goal <= 1.1)\n", mib,
                Median(bigFirst) * 1e3, Median(smallFirst) * 1e3, Median(bigFirst) / Median(smallFirst));

    std::vector<double> fills;
    for (int r = 0; r < rounds; ++r) fills.push_back(FreshFill(mib << 20));
    std::printf("  fresh memory filled in 64 KiB copies %8.1f MB/s (%.3f s)\n",
                static_cast<double>(mib << 20) / 1e6 / Median(fills), Median(fills));

    // The whole loads, each followed (Shift_JIS) by the search over what was loaded.
    const std::string_view absent(kAbsent);
    for (const auto& [path, settings, name] :
         {std::tuple{sjis, asSjis, "Shift_JIS"}, std::tuple{utf8, asUtf8, "UTF-8"}}) {
        std::vector<double> times, searches;
        Load load;
        for (int r = 0; r < rounds; ++r) {
            Warm(path);
            load = LoadWhole(text, path, folder, settings);
            if (load.seconds < 0) return 1;
            times.push_back(load.seconds);
            if (settings.request == zq::viewer::kCharCodeSjis) {
                const TextLock lock(text);
                const std::string_view all(text.Text(), static_cast<size_t>(text.LineEnd(text.LineCount() - 1)));
                zq::viewer::ViewerSearchState state{std::string(absent), 0, -1, true, false};
                const double t0 = Now();
                const bool found = zq::viewer::FirstSearch(all, state);
                searches.push_back(Now() - t0);
                if (found) return 1;
            }
            text.Close();
        }
        const double mb = static_cast<double>(SizeOfFile(path)) / 1e6;
        const double budget = static_cast<double>(load.textBytes) + 8.0 * static_cast<double>(load.lines);
        std::printf("  load %-9s %8.1f MB/s (%.3f s), %lld display lines\n", name, mb / Median(times), Median(times),
                    load.lines);
        std::printf("  memory %-9s %lld bytes resident = %.3f x (text %lld + 8 x lines) (goal <= 1.1)\n", name,
                    load.residentBytes, static_cast<double>(load.residentBytes) / budget, load.textBytes);
        if (!searches.empty())
            std::printf("  search absent %8.1f MB/s (%.3f s)\n", mb / Median(searches), Median(searches));
    }
    return 0;
}
