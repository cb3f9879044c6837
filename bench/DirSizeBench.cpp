// The directory-size survey of a whole tree next to a bare FindFirstFileExW
// walk of the same tree, in the same process, so that the ratio survives a
// noisy machine.  The survey runs the very function the dialog's worker runs;
// the baseline asks for nothing more than names, attributes and sizes.  Both
// are timed in alternating rounds and the median of each counts.
//
//   DirSizeBench TREE [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "common/Handle.h"
#include "fileops/DirectorySize.h"

namespace {

struct BareTotals {
    uint32_t directories = 0;
    uint32_t files = 0;
    uint64_t bytes = 0;
};

void BareWalk(const std::wstring& directory, BareTotals& totals) {
    ++totals.directories;
    WIN32_FIND_DATAW data;
    zq::UniqueFind find(::FindFirstFileExW((directory + L"\\*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                           nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return;
    do {
        const wchar_t* n = data.cFileName;
        if (n[0] == L'.' && (n[1] == L'\0' || (n[1] == L'.' && n[2] == L'\0'))) continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            BareWalk(directory + L"\\" + n, totals);
        } else {
            ++totals.files;
            totals.bytes += (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        }
    } while (::FindNextFileW(find.Get(), &data));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::printf("usage: DirSizeBench TREE [ROUNDS]\n");
        return 2;
    }
    std::wstring tree = argv[1];
    while (tree.size() > 3 && (tree.back() == L'\\' || tree.back() == L'/')) tree.pop_back();
    const int rounds = argc > 2 ? std::max(1, _wtoi(argv[2])) : 5;

    BareTotals bare;
    BareWalk(tree, bare);  // the first walk fills Wine's and the kernel's caches for both sides
    std::vector<double> bareTimes, engineTimes;
    zq::fileops::DirectoryTotals totals;
    std::atomic<bool> cancel{false};
    for (int r = 0; r < rounds; ++r) {
        bare = BareTotals{};
        double t0 = Now();
        BareWalk(tree, bare);
        bareTimes.push_back(Now() - t0);

        totals = zq::fileops::DirectoryTotals{};
        t0 = Now();
        const bool done = zq::fileops::AddDirectoryTotals(tree, totals, cancel);
        engineTimes.push_back(Now() - t0);
        if (!done) return 1;
    }
    const double b = Median(bareTimes), e = Median(engineTimes);
    std::printf("DirSizeBench: %u directories, %u files, %llu bytes, median of %d rounds\n", totals.directories,
                totals.files, static_cast<unsigned long long>(totals.bytes), rounds);
    std::printf("  bare FindFirstFileExW walk       %8.3f s\n", b);
    std::printf("  zq directory size                %8.3f s\n", e);
    std::printf("  ratio engine/bare: %.2f (goal <= 1.2) %s\n", e / b, e / b <= 1.2 ? "met" : "MISSED");
    // Both walks must have seen the same tree, or the figure compares different work.
    const bool same =
        totals.directories == bare.directories && totals.files == bare.files && totals.bytes == bare.bytes;
    if (!same) std::printf("  the two walks disagree: bare %u directories, %u files\n", bare.directories, bare.files);
    return same ? 0 : 1;
}
