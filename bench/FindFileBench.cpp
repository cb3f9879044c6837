// Content search for a word that no file holds, through a whole tree: the
// search engine against a bare loop that only reads the same files in the
// same windows, in the same run.  The script adds grep -rF on the Linux side.
//
//   FindFileBench.exe TREE [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "common/FileSystem.h"
#include "common/Handle.h"
#include "common/Paths.h"
#include "search/FindWalker.h"

namespace {

// The baseline: every file below `directory` read once in the engine's windows, nothing compared;
// with `openOnly` each file is only opened and closed, which is the floor any search that reads
// through the platform's file calls stands on.
uint64_t ReadTree(const std::wstring& directory, std::vector<char>& buffer, bool openOnly = false) {
    uint64_t bytes = 0;
    WIN32_FIND_DATAW data;
    zq::UniqueFind find(::FindFirstFileW(zq::JoinPath(directory, L"*.*").c_str(), &data));
    if (!find) return 0;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = zq::JoinPath(directory, name);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            bytes += ReadTree(path, buffer, openOnly);
            continue;
        }
        zq::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                          FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        DWORD read = 0;
        while (file && !openOnly &&
               ::ReadFile(file.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr) && read > 0)
            bytes += read;
    } while (::FindNextFileW(find.Get(), &data));
    return bytes;
}

// The bytes of the first file met below `directory`, to compare without reading.
std::string FirstFileBytes(const std::wstring& directory) {
    WIN32_FIND_DATAW data;
    zq::UniqueFind find(::FindFirstFileW(zq::JoinPath(directory, L"*.*").c_str(), &data));
    if (!find) return {};
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = zq::JoinPath(directory, name);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            std::string bytes = FirstFileBytes(path);
            if (!bytes.empty()) return bytes;
            continue;
        }
        std::string bytes(data.nFileSizeLow, '\0');
        zq::UniqueFile file(
            ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        DWORD read = 0;
        if (file && ::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
            return bytes.substr(0, read);
    } while (::FindNextFileW(find.Get(), &data));
    return {};
}

// The comparing alone: `sample` gone through again and again until `bytes` are compared.
double CompareOnly(const std::string& sample, uint64_t bytes, const zq::FindCharCodes& codes) {
    const zq::ContentMatcher matcher(zq::BuildPatternSet(L"見つからない語句", codes));
    uint64_t hits = 0;
    const double t0 = Now();
    for (uint64_t done = 0; done < bytes && !sample.empty(); done += sample.size())
        hits += matcher.Contains(sample.data(), sample.size());
    const double t = Now() - t0;
    return hits == 0 ? t : -1;
}

double Search(const std::wstring& tree, const zq::FindCharCodes& codes, uint32_t& files, uint32_t& found) {
    zq::Win32FileSystem fs;
    zq::FindRequest request;
    request.directory = tree;
    request.nameCondition = L"*.*";
    request.searchText = L"見つからない語句";
    request.codes = codes;
    zq::FindWalker walker(fs, request);
    zq::FindProgress progress;
    std::atomic<bool> stop{false};
    const double t0 = Now();
    walker.Run([](const zq::structFindThreadInfo&) {}, stop, &progress);
    const double t = Now() - t0;
    files = progress.files.load();
    found = progress.found.load();
    return t;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::printf("usage: FindFileBench TREE [ROUNDS]\n");
        return 2;
    }
    const std::wstring tree = zq::FolderForm(argv[1]);
    const int rounds = argc > 2 ? std::max(1, _wtoi(argv[2])) : 3;
    std::vector<char> buffer(zq::ContentMatcher::kWindow);
    uint64_t bytes = ReadTree(tree, buffer);  // both sides read from the cache
    const std::string sample = FirstFileBytes(tree);
    std::vector<double> opened, bare, one, five, compared;
    uint32_t files = 0, found = 0;
    for (int r = 0; r < rounds; ++r) {
        double t0 = Now();
        ReadTree(tree, buffer, true);
        opened.push_back(Now() - t0);
        t0 = Now();
        bytes = ReadTree(tree, buffer);
        bare.push_back(Now() - t0);
        one.push_back(Search(tree, {true, false, false, false, false}, files, found));
        five.push_back(Search(tree, {true, true, true, true, true}, files, found));
        compared.push_back(CompareOnly(sample, bytes, {true, true, true, true, true}));
    }
    const double o = Median(opened), c = Median(compared), b = Median(bare), s1 = Median(one), s5 = Median(five);
    std::printf("FindFileBench: %u files, %.1f MiB, %u found, median of %d rounds\n", files,
                static_cast<double>(bytes) / 1048576.0, found, rounds);
    std::printf("  open and close each file only    %8.3f s\n", o);
    std::printf("  bare read of the tree            %8.3f s\n", b);
    std::printf("  comparing alone, five codes      %8.3f s\n", c);
    std::printf("  zq engine, Shift_JIS only        %8.3f s\n", s1);
    std::printf("  zq engine, all five codes        %8.3f s\n", s5);
    std::printf("  ratio bare read/engine: %.2f (one code), %.2f (five codes)\n", b / s1, b / s5);
    return found == 0 ? 0 : 1;
}
