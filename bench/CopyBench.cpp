// Copy throughput of the copy engine next to CopyFileW, measured in the same
// process on the same files so that the ratio survives a noisy machine.  The
// engine runs twice per case: as shipped (each file written under a temporary
// name and renamed into place) and with the plain in-place write, so that the
// cost of the safe replacement is a ratio of its own.  A new copy runs a third
// time with every file through a temporary name (COPY_NEW_FILE_IN_PLACE=0,
// the engine as it was before new small files were written in place), so
// that what that choice gains is a ratio too.  Each case is measured in three
// rounds and the fastest run counts.
//
//   CopyBench <work folder> [big file MiB, default 1024] [small files, default 10000]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "common/Handle.h"
#include "common/TextConv.h"
#include "fileops/CopyJob.h"
#include "main/TempDir.h"

using namespace zq;
using namespace zq::fileops;

namespace {

struct QuietAsker : IOperationAsker {
    int AskYesNo(const std::wstring&, const std::wstring&) override { return kAnswerNo; }
    void Tell(const std::wstring&) override {}
    bool AskWay(SameNameChoice& choice, const SameNameFile*) override {
        choice.way = static_cast<int>(CopyWay::Overwrite);
        choice.sameFromNow = true;
        return true;
    }
    bool AskNewName(const WIN32_FIND_DATAW&, const std::wstring&, std::wstring&) override { return false; }
    bool AskSame(const std::wstring&, const std::wstring&, bool&) override { return false; }
};

struct NoProgress : IOperationProgress {
    void SetText(ProgressField, const std::wstring&) override {}
};

bool WriteBytes(const std::wstring& path, ULONGLONG size) {
    UniqueFile file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    std::vector<char> block(1 << 20);
    for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(i * 31);
    while (size > 0) {
        const DWORD n = static_cast<DWORD>(size < block.size() ? size : block.size());
        DWORD written = 0;
        if (!::WriteFile(file.Get(), block.data(), n, &written, nullptr) || written != n) return false;
        size -= n;
    }
    return true;
}

SelectionSnapshot SelectOne(const std::wstring& directory, const std::wstring& name) {
    SelectionSnapshot s;
    s.directory = directory;
    WIN32_FIND_DATAW data{};
    UniqueFind find(::FindFirstFileW((directory + L"\\" + name).c_str(), &data));
    if (find) s.entries.push_back(data);
    return s;
}

double Seconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

enum class Engine { Shipped, AllTemporary, Plain };

double RunEngine(const std::wstring& sourceDirectory, const std::wstring& name, const std::wstring& destination,
                 Engine engine) {
    QuietAsker asker;
    NoProgress progress;
    SystemClock clock;
    CopyJobOptions options;
    options.safeReplace = engine != Engine::Plain;
    options.newFilesInPlace = engine == Engine::Shipped;
    CopyJobInput input;
    input.source = SelectOne(sourceDirectory, name);
    input.destination = destination;
    CopyJob job(options, input, CopyJobServices{RealFileSystem(), asker, progress, clock, nullptr});
    const auto start = std::chrono::steady_clock::now();
    const bool ok = job.Run();
    const double seconds = Seconds(start);
    if (!ok) std::printf("engine copy failed\n");
    return seconds;
}

// CopyFileW over the same tree, walked the plain way.
bool CopyTreeWithCopyFile(const std::wstring& from, const std::wstring& to) {
    ::CreateDirectoryW(to.c_str(), nullptr);
    WIN32_FIND_DATAW data{};
    UniqueFind find(::FindFirstFileW((from + L"\\*").c_str(), &data));
    if (!find) return false;
    bool ok = true;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ok = CopyTreeWithCopyFile(from + L"\\" + name, to + L"\\" + name) && ok;
        } else {
            ok = ::CopyFileW((from + L"\\" + name).c_str(), (to + L"\\" + name).c_str(), FALSE) != 0 && ok;
        }
    } while (::FindNextFileW(find.Get(), &data));
    return ok;
}

// The same tree by two threads, each taking whole folders: what copying
// several small files at once could gain at best.
void CopyTreeWithTwoThreads(const std::wstring& from, const std::wstring& to) {
    ::CreateDirectoryW(to.c_str(), nullptr);
    std::vector<std::wstring> folders;
    WIN32_FIND_DATAW data{};
    UniqueFind find(::FindFirstFileW((from + L"\\d*").c_str(), &data));
    if (find) {
        do folders.push_back(data.cFileName);
        while (::FindNextFileW(find.Get(), &data));
    }
    std::vector<std::thread> threads;
    for (size_t first = 0; first < 2; ++first) {
        threads.emplace_back([&, first] {
            for (size_t i = first; i < folders.size(); i += 2)
                CopyTreeWithCopyFile(from + L"\\" + folders[i], to + L"\\" + folders[i]);
        });
    }
    for (auto& thread : threads) thread.join();
}

// A bare ReadFile/WriteFile loop with the given chunk, for what the chunk
// size alone costs next to CopyFileW.
double CopyWithChunk(const std::wstring& from, const std::wstring& to, DWORD chunk) {
    const auto start = std::chrono::steady_clock::now();
    UniqueFile in(::CreateFileW(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    UniqueFile out(::CreateFileW(to.c_str(), GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                                 FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    std::vector<char> buffer(chunk);
    DWORD got = 0, written = 0;
    while (in && out && ::ReadFile(in.Get(), buffer.data(), chunk, &got, nullptr) && got > 0)
        ::WriteFile(out.Get(), buffer.data(), got, &written, nullptr);
    out.Reset();
    const double seconds = Seconds(start);
    ::DeleteFileW(to.c_str());
    return seconds;
}

// The small files in folders of 100, as a real tree holds them (one flat
// folder of thousands would measure Wine's name lookups, not the copy).
void WriteTree(const std::wstring& tree, int count, ULONGLONG size) {
    ::CreateDirectoryW(tree.c_str(), nullptr);
    for (int i = 0; i < count; ++i) {
        const std::wstring folder = tree + L"\\d" + std::to_wstring(i / 100);
        if (i % 100 == 0) ::CreateDirectoryW(folder.c_str(), nullptr);
        WriteBytes(folder + L"\\f" + std::to_wstring(i) + L".dat", size);
    }
}

constexpr int kRounds = 3;

struct Figures {
    double safe = 1e30, plain = 1e30, copyFile = 1e30, allTemporary = 1e30;
};

// The shipped engine of a new copy is printed as "zq engine", the line that
// scripts/run-bench compares with cp; the other lines are named apart.
void Print(const char* what, double units, const char* unit, const Figures& f, bool newCopy) {
    std::printf("%s:\n", what);
    std::printf("  %-18s %10.1f %s  (%.3f s)\n", newCopy ? "zq engine" : "zq engine, safe", units / f.safe, unit,
                f.safe);
    std::printf("  zq engine, plain   %10.1f %s  (%.3f s)\n", units / f.plain, unit, f.plain);
    if (f.allTemporary < 1e29)
        std::printf("  zq engine, all tmp %10.1f %s  (%.3f s)\n", units / f.allTemporary, unit, f.allTemporary);
    if (f.copyFile < 1e29)
        std::printf("  CopyFileW          %10.1f %s  (%.3f s)\n", units / f.copyFile, unit, f.copyFile);
    std::printf("  ratio safe/plain    %.3f (time %+.1f%%)\n", f.plain / f.safe, (f.safe / f.plain - 1.0) * 100.0);
    if (f.allTemporary < 1e29)
        std::printf("  ratio safe/all tmp  %.3f (time %+.1f%%)\n", f.allTemporary / f.safe,
                    (f.safe / f.allTemporary - 1.0) * 100.0);
    if (f.copyFile < 1e29) std::printf("  ratio safe/CopyFileW %.2f\n", f.copyFile / f.safe);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::printf("usage: CopyBench <work folder> [big file MiB] [small files]\n");
        return 2;
    }
    const std::wstring work = argv[1];
    const ULONGLONG bigMiB = argc > 2 ? _wtoi64(argv[2]) : 1024;
    const int smallCount = argc > 3 ? _wtoi(argv[3]) : 10000;
    const ULONGLONG bigBytes = bigMiB << 20;
    const ULONGLONG smallSize = 4096;

    const std::wstring root = work + L"\\copybench";
    (void)zq::test::RemoveTree(root);
    const std::wstring source = root + L"\\src";
    ::CreateDirectoryW(root.c_str(), nullptr);
    ::CreateDirectoryW(source.c_str(), nullptr);
    if (!WriteBytes(source + L"\\big.bin", bigBytes)) {
        std::printf("cannot write the big file in %s\n", ToUtf8(source).c_str());
        return 1;
    }
    const std::wstring tree = source + L"\\tree";
    WriteTree(tree, smallCount, smallSize);

    // The source is read once beforehand so that no run pays for the first read alone.
    CopyTreeWithCopyFile(source, root + L"\\warm");
    (void)zq::test::RemoveTree(root + L"\\warm");

    // Each step runs the two engines back to back (their order flips every
    // round), so that the pair compared shares the machine's mood; the
    // CopyFileW runs follow the engines' new copies.
    Figures big, small, bigOver, smallOver;
    double twoThreads = 1e30, chunk64000 = 1e30, chunk65536 = 1e30;
    const auto pair = [&](Figures& f, const wchar_t* name, int round, bool withAllTemporary) {
        for (const bool safe : {round % 2 == 0, round % 2 != 0}) {
            double& best = safe ? f.safe : f.plain;
            best = std::min(best, RunEngine(source, name, root + (safe ? L"\\safe" : L"\\plain"),
                                            safe ? Engine::Shipped : Engine::Plain));
        }
        if (!withAllTemporary) return;
        f.allTemporary = std::min(f.allTemporary, RunEngine(source, name, root + L"\\tmp", Engine::AllTemporary));
        (void)zq::test::RemoveTree(root + L"\\tmp");
    };
    for (int round = 0; round < kRounds; ++round) {
        // The small files first: behind a gigabyte of fresh writes they would
        // measure the disk's write-back instead.  Each case goes into an empty
        // folder, then once more over what that run wrote.
        pair(small, L"tree", round, true);
        auto start = std::chrono::steady_clock::now();
        CopyTreeWithCopyFile(tree, root + L"\\copyfile-tree");
        small.copyFile = std::min(small.copyFile, Seconds(start));
        (void)zq::test::RemoveTree(root + L"\\copyfile-tree");
        start = std::chrono::steady_clock::now();
        CopyTreeWithTwoThreads(tree, root + L"\\copyfile-tree");
        twoThreads = std::min(twoThreads, Seconds(start));
        (void)zq::test::RemoveTree(root + L"\\copyfile-tree");
        pair(smallOver, L"tree", round, false);
        pair(big, L"big.bin", round, true);
        start = std::chrono::steady_clock::now();
        if (!::CopyFileW((source + L"\\big.bin").c_str(), (root + L"\\copyfile.bin").c_str(), FALSE))
            std::printf("CopyFileW failed: %lu\n", ::GetLastError());
        big.copyFile = std::min(big.copyFile, Seconds(start));
        ::DeleteFileW((root + L"\\copyfile.bin").c_str());
        for (const DWORD chunk : {FileCopier::kChunkSize, DWORD{65536}}) {
            double& best = chunk == 65536 ? chunk65536 : chunk64000;
            best = std::min(best, CopyWithChunk(source + L"\\big.bin", root + L"\\chunk.bin", chunk));
        }
        pair(bigOver, L"big.bin", round, false);
        (void)zq::test::RemoveTree(root + L"\\safe");
        (void)zq::test::RemoveTree(root + L"\\plain");
    }

    const double mb = static_cast<double>(bigBytes) / 1e6;
    char what[128];
    std::snprintf(what, sizeof what, "big file, %llu MiB, new", bigMiB);
    Print(what, mb, "MB/s", big, true);
    std::snprintf(what, sizeof what, "big file, %llu MiB, over the existing copy", bigMiB);
    Print(what, mb, "MB/s", bigOver, false);
    std::snprintf(what, sizeof what, "tree of %d files of %llu bytes, new", smallCount, smallSize);
    Print(what, smallCount, "files/s", small, true);
    std::snprintf(what, sizeof what, "tree of %d files of %llu bytes, over the existing copies", smallCount, smallSize);
    Print(what, smallCount, "files/s", smallOver, false);
    // What bounds the engine, not the engine itself.
    std::printf("bounds:\n  CopyFileW by 2 threads / 1 thread, small files %.2f\n", small.copyFile / twoThreads);
    std::printf("  ReadFile/WriteFile loop, 64000-byte / 65536-byte chunks, big file %.2f\n", chunk65536 / chunk64000);
    (void)zq::test::RemoveTree(root);
    return 0;
}
