// Getting around: the incremental search typed into a 100,000-entry listing,
// against a bare scan of the same names in the same run; and how long an
// unreachable network path takes to answer.
//
//   GetAroundBench.exe [UNREACHABLE_PATH] [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "filer/InListSearch.h"
#include "filer/ListingSource.h"
#include "filer/NetworkList.h"
#include "filer/NetworkWait.h"

namespace {

constexpr int kEntries = 100000;

// Names as a listing holds them, mixed case; the one typed for is the last, so every search scans them all.
std::vector<std::wstring> MakeNames() {
    std::vector<std::wstring> names;
    names.reserve(kEntries);
    wchar_t name[64];
    for (int n = 0; n < kEntries - 1; ++n) {
        std::swprintf(name, std::size(name), L"%c%cfile_%06d.txt", L'a' + n % 23, L'A' + (n / 23) % 26, n);
        names.emplace_back(name);
    }
    names.emplace_back(L"zqTarget_last.txt");
    return names;
}

// The baseline: per typed character, one pass over the names comparing the typed prefix as it is.
int BareScan(const std::vector<std::wstring>& names, const std::wstring& typed) {
    for (int i = 0; i < static_cast<int>(names.size()); ++i)
        if (names[static_cast<size_t>(i)].compare(0, typed.size(), typed) == 0) return i;
    return -1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring unreachable = argc > 1 ? argv[1] : L"\\\\192.0.2.1\\x";
    const int rounds = argc > 2 ? std::max(1, _wtoi(argv[2])) : 5;
    const std::vector<std::wstring> names = MakeNames();
    const zq::SearchNameAt nameAt = [&](int p) { return std::wstring_view(names[static_cast<size_t>(p)]); };
    const std::wstring typed = L"ZQTARGET";

    std::vector<double> search, bare;
    int found = -1, bareFound = -1;
    for (int r = 0; r < rounds; ++r) {
        zq::InListSearch engine;
        engine.SetIncrementalMode(zq::kSearchExpanded);
        double t0 = Now();
        for (const wchar_t c : typed) found = engine.OnChar(c, false, nameAt, kEntries, 0).target;
        search.push_back((Now() - t0) / static_cast<double>(typed.size()));
        // The typed prefix as it stands in the name, so that the bare scan finds the same entry.
        const std::wstring exact = L"zqTarget";
        t0 = Now();
        for (size_t n = 1; n <= exact.size(); ++n) bareFound = BareScan(names, exact.substr(0, n));
        bare.push_back((Now() - t0) / static_cast<double>(exact.size()));
    }
    const double perChar = Median(search), perBare = Median(bare);
    std::printf("incremental search, %d entries: %.3f ms per typed character (found %d)\n", kEntries, perChar * 1e3,
                found);
    std::printf("bare linear scan of the names:  %.3f ms per character (found %d)\n", perBare * 1e3, bareFound);
    std::printf("ratio search/bare scan: %.2f; goal <= 5 ms per character: %s\n", perChar / perBare,
                perChar <= 0.005 ? "met" : "MISSED");

    // An unreachable share: the pane's reachability question and the network listing's access check.
    std::vector<double> reach, access;
    bool reachable = true;
    DWORD error = 0;
    zq::Win32NetEnumerator net;
    for (int r = 0; r < std::min(rounds, 3); ++r) {
        double t0 = Now();
        reachable = zq::DirectorySource::Shared().Reachable(unreachable);
        reach.push_back(Now() - t0);
        t0 = Now();
        error = net.Access(unreachable);
        access.push_back(Now() - t0);
    }
    std::printf("unreachable %ls: Reachable %s in %.3f s, Access error %lu in %.3f s; goal <= 2 s: %s\n",
                unreachable.c_str(), reachable ? "yes" : "no", Median(reach), static_cast<unsigned long>(error),
                Median(access), std::max(Median(reach), Median(access)) <= 2.0 ? "met" : "MISSED");

    // Wine answers for a dead server at once: a server that takes 5 s is
    // played by a question that sleeps, to time what the window thread waits.
    const auto dead = [] {
        ::Sleep(5000);
        return zq::NetworkAnswer{ERROR_BAD_NETPATH, {}};
    };
    double t0 = Now();
    const DWORD first = zq::AskNetwork(L"\\\\bench-dead\\x", dead, zq::kNetworkAnswerMs, ERROR_SEM_TIMEOUT).error;
    const double firstWait = Now() - t0;
    t0 = Now();
    (void)zq::AskNetwork(L"\\\\bench-dead\\x", dead, zq::kNetworkAnswerMs, ERROR_SEM_TIMEOUT);
    const double againWait = Now() - t0;
    std::printf(
        "a server answering in 5 s: the window waits %.3f s (answer %lu), asked again while open %.3f s; "
        "goal <= 2 s: %s\n",
        firstWait, static_cast<unsigned long>(first), againWait,
        std::max(firstWait, againWait) <= 2.0 ? "met" : "MISSED");
    return 0;
}
