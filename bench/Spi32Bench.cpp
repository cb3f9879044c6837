// What a 32-bit plug-in costs through the helper process, against the x64
// build of the same plug-in source loaded in the program.
//
//   Spi32Bench.exe HELPER.EXE ZQRLE.SPI ZQRLE.SPH WORK_DIR
//
// The same 1600 x 1200 run-length picture is decoded through the Susie host
// both ways (each host as the program keeps it: the x64 library loaded per
// use, the helper started once), in alternating rounds of ten decodings;
// then the same with a picture one row shorter in turn, as the host prepares
// the next picture's memory by the size of the last.
// The figures are the ratio of the best rounds and the median ratio of the
// paired rounds; the helper's start is shown apart.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "common/Paths.h"
#include "main/TempDir.h"
#include "picture/Spi32Bridge.h"
#include "picture/SusiePluginHost.h"

using namespace zq;

namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 1200;
constexpr int kRounds = 9;
constexpr int kPerRound = 10;

// A picture whose runs are one to three pixels long, so that decoding has per-pixel work.
std::string Picture(int height) {
    std::string bytes = "ZQRL";
    for (const int v : {kWidth, height}) {
        bytes += static_cast<char>(v & 0xFF);
        bytes += static_cast<char>(v >> 8);
    }
    bytes.append(4, '\0');
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < kWidth;) {
            const int run = std::min(1 + (x + y) % 3, kWidth - x);
            bytes += static_cast<char>(run);
            bytes += static_cast<char>(x / 7);
            bytes += static_cast<char>(y / 5);
            bytes += static_cast<char>((x + y) / 11);
            x += run;
        }
    return bytes;
}

bool Copy(const std::wstring& from, const std::wstring& to) {
    return ::CopyFileW(from.c_str(), to.c_str(), FALSE) != FALSE;
}

bool Write(const std::wstring& path, const std::string& bytes) {
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    const bool ok = file != INVALID_HANDLE_VALUE &&
                    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
    return ok;
}

// Seconds for one round through the pictures in turn, or a negative value when a decoding failed.
double Round(SusiePluginHost& host, const std::vector<std::wstring>& paths) {
    const double start = Now();
    for (int i = 0; i < kPerRound; ++i) {
        SusiePicture picture;
        if (host.DecodeFile(paths[i % paths.size()], picture) != susie::kOk) return -1;
    }
    return Now() - start;
}

struct Ratio {
    double helper = 1e9;
    double inProcess = 1e9;
    double median = 0;
};

// Rounds of the two alternate, so that a machine busy with something else slows both alike.
bool Compare(SusiePluginHost& host32, SusiePluginHost& host64, const std::vector<std::wstring>& paths, Ratio& out) {
    std::vector<double> ratios;
    for (int round = 0; round < kRounds; ++round) {
        const double a = Round(host32, paths);
        const double b = Round(host64, paths);
        if (a < 0 || b < 0) return false;
        out.helper = std::min(out.helper, a);
        out.inProcess = std::min(out.inProcess, b);
        ratios.push_back(a / b);
    }
    std::sort(ratios.begin(), ratios.end());
    out.median = ratios[ratios.size() / 2];
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: Spi32Bench HELPER.EXE ZQRLE.SPI ZQRLE.SPH WORK_DIR\n");
        return 2;
    }
    const std::wstring work = argv[4];
    test::RemoveTree(work);
    ::CreateDirectoryW(work.c_str(), nullptr);
    const std::wstring dir32 = JoinPath(work, L"spi32");
    const std::wstring dir64 = JoinPath(work, L"spi64");
    ::CreateDirectoryW(dir32.c_str(), nullptr);
    ::CreateDirectoryW(dir64.c_str(), nullptr);
    if (!Copy(argv[2], JoinPath(dir32, L"zqrle.spi")) || !Copy(argv[3], JoinPath(dir64, L"zqrle.sph"))) {
        std::fprintf(stderr, "Spi32Bench: the plug-ins cannot be copied\n");
        return 1;
    }
    const std::string bytes = Picture(kHeight);
    const std::wstring path = JoinPath(work, L"big.zqr");
    // One row less: a series whose sizes change from picture to picture.
    const std::wstring other = JoinPath(work, L"other.zqr");
    if (!Write(path, bytes) || !Write(other, Picture(kHeight - 1))) return 1;
    Spi32Bridge bridge(argv[1]);
    SusiePluginHost host32(dir32, nullptr);
    host32.SetBridge(&bridge);
    SusiePluginHost host64(dir64, nullptr);
    host32.Rescan(false, SusieLoadMode::NewOnly);
    host64.Rescan(false, SusieLoadMode::NewOnly);
    if (host32.Plugins().size() != 1 || host64.Plugins().size() != 1) {
        std::fprintf(stderr, "Spi32Bench: the plug-ins were not found (%zu, %zu)\n", host32.Plugins().size(),
                     host64.Plugins().size());
        return 1;
    }
    // The scan started the helper; one decoding each before timing warms the file cache.
    SusiePicture warm;
    if (host32.DecodeFile(path, warm) != susie::kOk || host64.DecodeFile(path, warm) != susie::kOk) return 1;
    Ratio same;
    Ratio mixed;
    if (!Compare(host32, host64, {path}, same) || !Compare(host32, host64, {path, other}, mixed)) {
        std::fprintf(stderr, "Spi32Bench: a decoding failed\n");
        return 1;
    }
    // The start of a fresh helper, for the first 32-bit picture of a run.
    Spi32Bridge cold(argv[1]);
    const double coldStart = Now();
    const bool started = cold.PluginInfo(JoinPath(dir32, L"zqrle.spi")).has_value();
    const double startCost = Now() - coldStart;
    std::printf("picture %dx%d, %zu bytes; best of %d rounds of %d decodings\n", kWidth, kHeight, bytes.size(), kRounds,
                kPerRound);
    for (const auto& [title, r] : {std::pair{"pictures of one size", same}, std::pair{"sizes changing", mixed}}) {
        std::printf(" %s:\n", title);
        std::printf("  32-bit plug-in through the helper: %8.2f ms per picture\n", r.helper * 1000 / kPerRound);
        std::printf("  64-bit plug-in in the program:     %8.2f ms per picture\n", r.inProcess * 1000 / kPerRound);
        std::printf("  ratio helper / in-process: best rounds %.2f, median of paired rounds %.2f (goal <= 1.3)\n",
                    r.helper / r.inProcess, r.median);
    }
    std::printf("  start of a helper and its first answer: %.0f ms%s\n", startCost * 1000, started ? "" : " (failed)");
    test::RemoveTree(work);
    return 0;
}
