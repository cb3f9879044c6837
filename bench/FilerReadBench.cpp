// Reads and sorts one large folder with the pane engine and, in the same run,
// enumerates it with a bare FindFirstFileExW loop, so that the figure is a
// ratio that survives a noisy machine.
//
//   FilerReadBench.exe FOLDER [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "common/Handle.h"
#include "filer/FilerPane.h"

namespace {

// The baseline: the same enumeration call the engine makes, keeping nothing.
int BareEnumeration(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    zq::UniqueFind find(::FindFirstFileExW((folder + L"\\*.*").c_str(), FindExInfoStandard, &data,
                                           FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return 0;
    int count = 0;
    do {
        ++count;
    } while (::FindNextFileW(find.Get(), &data));
    return count;
}

// What the engine cannot avoid on a first read: its slots are fresh memory,
// and on some virtual machines the first touch of a page costs tens of
// microseconds.  Touching the same amount of fresh memory shows that share.
double FreshMemoryTouch(size_t bytes) {
    auto* p = static_cast<volatile char*>(::VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (!p) return 0;
    const double t0 = Now();
    for (size_t i = 0; i < bytes; i += 4096) p[i] = 1;
    const double t = Now() - t0;
    ::VirtualFree(const_cast<char*>(p), 0, MEM_RELEASE);
    return t;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::printf("usage: FilerReadBench FOLDER [ROUNDS]\n");
        return 2;
    }
    const std::wstring folder = zq::FilerPane::NormalisePath(argv[1]);
    const int rounds = argc > 2 ? std::max(1, _wtoi(argv[2])) : 5;

    int bareCount = BareEnumeration(folder);  // warms the caches for both sides alike

    std::vector<double> touch, bare, read, sort, total, reloadWatched, reloadUnwatched, reread, freshUnwatched;
    int paneCount = 0;
    for (int r = 0; r < rounds; ++r) {
        touch.push_back(FreshMemoryTouch(static_cast<size_t>(std::max(bareCount, 1)) * sizeof(zq::FileEntry)));
        double t0 = Now();
        bareCount = BareEnumeration(folder);
        bare.push_back(Now() - t0);

        zq::FilerOptions options;  // defaults: sort by name, locale comparison, fixed drives watched
        zq::FilerPane pane;
        pane.SetOptions(options);
        pane.SetPath(folder);
        t0 = Now();
        pane.ReadDirectory(zq::kReadForced);
        const double t1 = Now();
        pane.Sort();
        const double t2 = Now();
        paneCount = pane.Count();
        read.push_back(t1 - t0);
        sort.push_back(t2 - t1);
        total.push_back(t2 - t0);

        // Timer reload of an unchanged, watched folder.
        t0 = Now();
        const int watchedResult = pane.ReadDirectory(zq::kReadTimer);
        reloadWatched.push_back(Now() - t0);

        // A forced re-read into slots that already exist (the panes live as
        // long as the program, so this is the common case after the first).
        t0 = Now();
        pane.ReadDirectory(zq::kReadForced);
        pane.Sort();
        reread.push_back(Now() - t0);

        // Without a change notification the reload enumerates and compares.
        options.RELOAD_SETTING[zq::kDriveFixed].ENABLE = 0;
        zq::FilerPane unwatched;
        unwatched.SetOptions(options);
        unwatched.SetPath(folder);
        t0 = Now();
        unwatched.ReadDirectory(zq::kReadForced);
        freshUnwatched.push_back(Now() - t0);
        unwatched.Sort();
        t0 = Now();
        const int unwatchedResult = unwatched.ReadDirectory(zq::kReadNormal);
        reloadUnwatched.push_back(Now() - t0);
        if (watchedResult != zq::kReadUnchanged || unwatchedResult != zq::kReadUnchanged)
            std::printf("warning: round %d reload results %d/%d (expected 0/0)\n", r, watchedResult, unwatchedResult);
    }

    const double b = Median(bare), rd = Median(read), so = Median(sort), t = Median(total);
    const double rw = Median(reloadWatched), ru = Median(reloadUnwatched), rr = Median(reread);
    const double fu = Median(freshUnwatched);
    std::printf("FilerReadBench: %d entries enumerated, %d listed, median of %d rounds\n", bareCount, paneCount,
                rounds);
    std::printf("  bare FindFirstFileExW loop      %8.1f ms\n", b * 1000);
    std::printf("  engine read                     %8.1f ms\n", rd * 1000);
    std::printf("  engine sort (name)              %8.1f ms\n", so * 1000);
    std::printf("  engine read + sort              %8.1f ms\n", t * 1000);
    std::printf("  ratio read+sort / bare          %8.2f   (goal <= 1.30)\n", t / b);
    const double tm = Median(touch);
    std::printf("  first touch of as much fresh memory as the slots %6.1f ms; (read+sort - touch) / bare %.2f\n",
                tm * 1000, (t - tm) / b);
    std::printf("  forced re-read + sort, same pane %7.1f ms, ratio %.2f\n", rr * 1000, rr / b);
    std::printf("  read of a fresh pane, no watch  %8.1f ms\n", fu * 1000);
    std::printf("  unchanged reload, watched       %8.2f ms = %.2f%% of read+sort (goal <= 1%%)\n", rw * 1000,
                100.0 * rw / t);
    std::printf("  unchanged reload, not watched   %8.1f ms = %.1f%% of read+sort\n", ru * 1000, 100.0 * ru / t);
    return 0;
}
