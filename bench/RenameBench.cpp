// A batch rename of a whole folder of files by the pattern "<letter>$5n.*",
// carried out the way the rename dialog does it (new names, plan, moves),
// next to a bare MoveFileW loop that gives the same names to the files of a
// twin folder, in the same run.  Each round renames both folders from the
// "f" names to the "g" names or back, so that the folders end as they began
// after an even number of rounds and need not be made again.
//
//   RenameBench BARE-FOLDER ENGINE-FOLDER [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "common/Handle.h"
#include "fileops/RenamePlan.h"

using namespace zq::fileops;

namespace {

std::vector<std::wstring> ListFiles(const std::wstring& directory) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    zq::UniqueFind find(::FindFirstFileW((directory + L"\\*").c_str(), &data));
    if (!find) return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(data.cFileName);
    } while (::FindNextFileW(find.Get(), &data));
    std::sort(names.begin(), names.end());
    return names;
}

// The names "f00000.dat" … become "g00000.dat" …, or back.
std::wstring Swapped(const std::wstring& name) {
    return (name[0] == L'f' ? L"g" : L"f") + name.substr(1);
}

bool BareLoop(const std::wstring& directory, const std::vector<std::wstring>& names, double& seconds) {
    std::vector<std::wstring> from, to;
    for (const std::wstring& n : names) {
        from.push_back(directory + L"\\" + n);
        to.push_back(directory + L"\\" + Swapped(n));
    }
    const double t0 = Now();
    for (size_t i = 0; i < from.size(); ++i)
        if (!::MoveFileW(from[i].c_str(), to[i].c_str())) return false;
    seconds = Now() - t0;
    return true;
}

// What CRenameDlg::StartBatch and CRenameThread do, without the window.
bool EngineBatch(const std::wstring& directory, const std::vector<std::wstring>& names, double& seconds) {
    RenameOptions options;
    options.pattern = std::wstring(names.front()[0] == L'f' ? L"g" : L"f") + L"$5n.*";
    const double t0 = Now();
    const std::vector<std::wstring> made = GenerateBatchNames(directory, names, options, 0, NamesOnDisk(directory));
    std::vector<RenameRequest> requests;
    for (size_t i = 0; i < names.size(); ++i) {
        if (made[i] != Swapped(names[i])) {
            std::printf("  unexpected new name for entry %zu\n", i);
            return false;
        }
        requests.push_back({names[i], made[i]});
    }
    const RenamePlanResult plan = PlanRenames(requests, NamesOnDisk(directory));
    if (!plan.refused.empty()) return false;
    std::wstring error;
    if (!ExecuteRenamePlan(
            directory, plan, [](int) {}, error, [] { return false; }))
        return false;
    seconds = Now() - t0;
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::printf("usage: RenameBench BARE-FOLDER ENGINE-FOLDER [ROUNDS]\n");
        return 2;
    }
    const std::wstring bare = argv[1], engine = argv[2];
    const int rounds = argc > 3 ? std::max(1, _wtoi(argv[3])) : 2;
    std::vector<double> bareTimes, engineTimes;
    size_t count = 0;
    for (int r = 0; r < rounds; ++r) {
        const std::vector<std::wstring> bareNames = ListFiles(bare), engineNames = ListFiles(engine);
        count = bareNames.size();
        if (count == 0 || engineNames.size() != count) {
            std::printf("RenameBench: the two folders must hold the same number of files\n");
            return 1;
        }
        double b = 0, e = 0;
        if (!BareLoop(bare, bareNames, b) || !EngineBatch(engine, engineNames, e)) {
            std::printf("RenameBench: a rename failed in round %d\n", r + 1);
            return 1;
        }
        bareTimes.push_back(b);
        engineTimes.push_back(e);
        std::printf("  round %d: bare %.3f s, engine %.3f s\n", r + 1, b, e);
    }
    const double b = Median(bareTimes), e = Median(engineTimes);
    std::printf("RenameBench: %zu files in one folder, median of %d rounds\n", count, rounds);
    std::printf("  bare MoveFileW loop              %8.3f s\n", b);
    std::printf("  zq batch rename                  %8.3f s\n", e);
    std::printf("  ratio engine/bare: %.2f (goal <= 1.2) %s\n", e / b, e / b <= 1.2 ? "met" : "MISSED");
    return 0;
}
