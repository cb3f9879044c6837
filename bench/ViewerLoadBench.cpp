// Times the Viewer's loading of one large text file against plain reads of
// the same file in the same run: the first screen (open returns with the first
// block indexed) against one 64 KiB ReadFile, and the whole load against a
// ReadFile loop over the file.  The file is made here, in a temporary folder.
//
//   ViewerLoadBench.exe [ignored folder] [MIB] [ROUNDS]     (MIB also from ZQ_BENCH_VIEWER_MIB)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "main/TempDir.h"
#include "viewer/ViewerText.h"

namespace {

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Lines of 20 to 140 bytes with some two-byte characters and tabs, CR LF.
bool MakeFile(const std::wstring& path, long long bytes) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
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

// The baselines: the same open and reads the loader makes, keeping nothing.
double PlainRead(const std::wstring& path, bool whole) {
    std::vector<char> block(0x10000);
    const double t0 = Now();
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD got = 0;
    while (::ReadFile(file, block.data(), 0x10000, &got, nullptr) && got > 0 && whole) {
    }
    ::CloseHandle(file);
    return Now() - t0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const wchar_t* env = _wgetenv(L"ZQ_BENCH_VIEWER_MIB");
    const long long mib = argc > 2 ? _wtoi(argv[2]) : (env ? _wtoi(env) : 1024);
    const int rounds = argc > 3 ? std::max(1, _wtoi(argv[3])) : 3;
    zq::test::TempDir dir;
    const std::wstring path = dir / L"big.txt";
    if (mib <= 0 || !MakeFile(path, mib << 20)) {
        std::printf("ViewerLoadBench: cannot make a %lld MiB file\n", mib);
        return 1;
    }
    WIN32_FIND_DATAW entry;
    ::FindClose(::FindFirstFileW(path.c_str(), &entry));
    const zq::viewer::ViewerOpenSettings settings{8, 80, zq::viewer::kCharCodeSjis, nullptr};

    PlainRead(path, true);  // the same cache state for both sides
    std::vector<double> firstPlain, firstOpen, wholePlain, wholeLoad;
    long long lines = 0;
    for (int r = 0; r < rounds; ++r) {
        zq::viewer::ViewerText text(0);
        for (int i = 0; i < 20; ++i) {
            firstPlain.push_back(PlainRead(path, false));
            const double t0 = Now();
            if (!text.Open(entry, dir.Path(), settings)) return 1;
            firstOpen.push_back(Now() - t0);
            text.Close();
        }
        wholePlain.push_back(PlainRead(path, true));
        const double t0 = Now();
        if (!text.Open(entry, dir.Path(), settings)) return 1;
        while (!text.LoaderFinished()) ::Sleep(1);
        wholeLoad.push_back(Now() - t0);
        lines = text.LineCount();
        text.Close();
    }
    const double mb = static_cast<double>(mib) * 1.048576;
    std::printf("  file %lld MiB, %lld display lines, %d rounds (medians)\n", mib, lines, rounds);
    std::printf("  first screen: open %8.3f ms   plain 64 KiB ReadFile %8.3f ms   ratio %.2f\n",
                Median(firstOpen) * 1e3, Median(firstPlain) * 1e3, Median(firstOpen) / Median(firstPlain));
    std::printf("  whole file:   load %8.1f MB/s  plain ReadFile loop %8.1f MB/s   ratio %.2f\n",
                mb / Median(wholeLoad), mb / Median(wholePlain), Median(wholePlain) / Median(wholeLoad));
    return 0;
}
