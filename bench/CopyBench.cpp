// Copy throughput of the copy engine next to CopyFileW, measured in the same
// process on the same files so that the ratio survives a noisy machine.
//
//   CopyBench <work folder> [big file MiB, default 1024] [small files, default 1000]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "common/Handle.h"
#include "common/TextConv.h"
#include "fileops/CopyJob.h"
#include "main/TempDir.h"

using namespace zq;
using namespace zq::fileops;

namespace {

struct QuietAsker : IQuestionAsker, ISameNameAsker {
    int AskYesNo(const std::wstring&, const std::wstring&) override { return kAnswerNo; }
    void Tell(const std::wstring&) override {}
    bool AskWay(SameNameChoice& choice, const SameNameFile*) override {
        choice.way = static_cast<int>(CopyWay::Overwrite);
        choice.sameFromNow = true;
        return true;
    }
    bool AskNewName(const WIN32_FIND_DATAW&, const std::wstring&, std::wstring&) override { return false; }
};

struct NoProgress : ICopyProgress {
    void SetText(CopyField, const std::wstring&) override {}
    void SetBar(int) override {}
    void Running(bool) override {}
};

bool WriteBytes(const std::wstring& path, ULONGLONG size) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
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

double RunEngine(const std::wstring& sourceDirectory, const std::wstring& name, const std::wstring& destination) {
    QuietAsker asker;
    NoProgress progress;
    SystemClock clock;
    CopyJobOptions options;
    CopyJobInput input;
    input.source = SelectOne(sourceDirectory, name);
    input.destination = destination;
    CopyJob job(options, input, CopyJobServices{RealFileSystem(), asker, asker, progress, clock, nullptr});
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

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::printf("usage: CopyBench <work folder> [big file MiB] [small files]\n");
        return 2;
    }
    const std::wstring work = argv[1];
    const ULONGLONG bigMiB = argc > 2 ? _wtoi64(argv[2]) : 1024;
    const int smallCount = argc > 3 ? _wtoi(argv[3]) : 1000;
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
    ::CreateDirectoryW(tree.c_str(), nullptr);
    for (int i = 0; i < smallCount; ++i) WriteBytes(tree + L"\\f" + std::to_wstring(i) + L".dat", smallSize);

    // Engine first, then CopyFileW, each into a fresh folder; the source is
    // read once beforehand so that neither run pays for the first read alone.
    CopyTreeWithCopyFile(source, root + L"\\warm");
    (void)zq::test::RemoveTree(root + L"\\warm");

    const double engineBig = RunEngine(source, L"big.bin", root + L"\\engine");
    auto start = std::chrono::steady_clock::now();
    const bool copyFileOk = ::CopyFileW((source + L"\\big.bin").c_str(), (root + L"\\copyfile.bin").c_str(), FALSE) != 0;
    const double copyFileBig = Seconds(start);
    if (!copyFileOk) std::printf("CopyFileW failed: %lu\n", ::GetLastError());

    const double engineSmall = RunEngine(source, L"tree", root + L"\\engine");
    start = std::chrono::steady_clock::now();
    CopyTreeWithCopyFile(tree, root + L"\\copyfile-tree");
    const double copyFileSmall = Seconds(start);

    const double mb = static_cast<double>(bigBytes) / 1e6;
    std::printf("big file, %llu MiB:\n", bigMiB);
    std::printf("  zq engine  %10.1f MB/s  (%.3f s)\n", mb / engineBig, engineBig);
    std::printf("  CopyFileW  %10.1f MB/s  (%.3f s)\n", mb / copyFileBig, copyFileBig);
    std::printf("  ratio engine/CopyFileW %.2f\n", copyFileBig / engineBig);
    std::printf("tree of %d files of %llu bytes:\n", smallCount, smallSize);
    std::printf("  zq engine  %10.1f files/s  (%.3f s)\n", smallCount / engineSmall, engineSmall);
    std::printf("  CopyFileW  %10.1f files/s  (%.3f s)\n", smallCount / copyFileSmall, copyFileSmall);
    std::printf("  ratio engine/CopyFileW %.2f\n", copyFileSmall / engineSmall);
    (void)zq::test::RemoveTree(root);
    return 0;
}
