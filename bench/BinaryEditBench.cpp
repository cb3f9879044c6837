// The binary editor's three costs that grow with a file, each next to a
// baseline measured in the same run:
//
//   open   opening a large sparse file and laying out its first and its last
//          page, against the same for a 1 MiB file;
//   search a forward search for an absent 8-byte pattern through a data file
//          that scripts/run-bench also hands to `grep -c -F` (the editor's
//          own search through the same file upwards is printed beside it);
//   save   saving 1,000 one-byte changes scattered over a file, against
//          writing the same 32,000 bytes (1,000 chunks of 32) in one run.
//
//   BinaryEditBench FOLDER [SEARCH-FILE]
//     ZQ_BENCH_BINEDIT_OPEN_GIB  size of the large file to open (default 4)
//     ZQ_BENCH_BINEDIT_SAVE_MIB  size of the file the save edits (default 1024)
//
// The search file is made on the Linux side, so that both searches read the
// same bytes; without it the search is skipped.  Each case takes the fastest
// of several rounds.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "binedit/BinaryLayout.h"
#include "binedit/CBinaryData.h"
#include "common/Handle.h"

using namespace zq;
using namespace zq::binedit;

namespace {

// The absent pattern; run-bench greps for the same bytes.
constexpr const wchar_t* kAbsentPattern = L"7A71E0FF5AA53CC3";
constexpr int kPageRows = 40;
constexpr int kChanges = 1000;

long long EnvNumber(const char* name, long long fallback) {
    const char* text = std::getenv(name);
    const long long value = text ? std::atoll(text) : 0;
    return value > 0 ? value : fallback;
}

bool MakeSparse(const std::wstring& path, long long size) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!file) return false;
    LARGE_INTEGER end{};
    end.QuadPart = size;
    return ::SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file.Get());
}

// What a pane draws for the page whose first row is `top`: the rows read
// through the change record and laid out cell by cell.  Returns the cells.
std::size_t LayOutPage(CBinaryData& data, std::int64_t top, const BinaryColors& colors) {
    std::vector<std::uint8_t> bytes(kPageRows * CBinaryData::kRowBytes);
    const std::int64_t first = top * CBinaryData::kRowBytes;
    const std::size_t got = data.ReadBytes(first, bytes.size(), bytes.data());
    BinaryRowInput input;
    input.addressDigits = AddressDigits(data.Size());
    input.cursor = data.Cursor();
    std::size_t cells = LayoutBinaryHeader(input.addressDigits, colors).size();
    for (std::size_t at = 0; at < got; at += CBinaryData::kRowBytes) {
        input.offset = first + static_cast<std::int64_t>(at);
        input.bytes = bytes.data() + at;
        input.count = static_cast<int>(std::min<std::size_t>(CBinaryData::kRowBytes, got - at));
        cells += LayoutBinaryRow(input, colors).size();
    }
    return cells;
}

// Open, first page, last page, as @Binaryedit and @Jumpendline do.
bool OpenAndShowBothEnds(const std::wstring& path, const BinaryColors& colors) {
    CBinaryData data;
    if (!data.Open(path)) return false;
    std::size_t cells = LayOutPage(data, 0, colors);
    data.MoveCursor(data.Size() * 2);
    data.KeepCursorVisible(kPageRows);
    cells += LayOutPage(data, data.TopRow(), colors);
    return cells > 0;
}

// Seconds for `runs` opens of the file, fastest of five rounds.
double OpenTime(const std::wstring& path, int runs, const BinaryColors& colors, bool& ok) {
    double best = 1e30;
    for (int round = 0; round < 5; ++round) {
        const double start = Now();
        for (int i = 0; i < runs; ++i) ok = OpenAndShowBothEnds(path, colors) && ok;
        best = std::min(best, Now() - start);
    }
    return best / runs;
}

double SearchTime(const std::wstring& path, SearchDirection direction, bool& ok) {
    double best = 1e30;
    for (int round = 0; round < 3; ++round) {
        CBinaryData data;
        if (!data.Open(path)) {
            ok = false;
            return 0;
        }
        const std::int64_t origin = direction == SearchDirection::Down ? 0 : data.Size() - 1;
        const double start = Now();
        ok = data.Search().StartSearch(InputType::Hex, false, kAbsentPattern, origin, direction) && ok;
        ok = data.Search().Step(data, false).status == SearchStatus::NotFound && ok;
        best = std::min(best, Now() - start);
    }
    return best;
}

// The 1,000 changes lie in different buckets all over the file, one byte
// each; the changes themselves are made before the clock starts.
double SaveTime(const std::wstring& path, long long size, bool& ok) {
    double best = 1e30;
    for (int round = 0; round < 5; ++round) {
        CBinaryData data;
        if (!data.Open(path)) {
            ok = false;
            return 0;
        }
        const long long spacing = size / kChanges;
        for (int i = 0; i < kChanges; ++i)
            ok = data.WriteByte(i * spacing + (i * 37) % spacing, static_cast<std::uint8_t>(round * 31 + i),
                                WriteMode::Byte) &&
                 ok;
        const double start = Now();
        ok = data.Save() && ok;
        best = std::min(best, Now() - start);
    }
    return best;
}

// The baseline of the save: the same number of bytes written at once, opened
// and flushed the same way.
double SequentialWriteTime(const std::wstring& path, bool& ok) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(kChanges) * CBinaryData::kChunkBytes, 0x5A);
    double best = 1e30;
    for (int round = 0; round < 5; ++round) {
        const double start = Now();
        UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
        LARGE_INTEGER at{};
        at.QuadPart = 4096;
        DWORD written = 0;
        ok = file && ::SetFilePointerEx(file.Get(), at, nullptr, FILE_BEGIN) &&
             ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
             written == bytes.size() && ::FlushFileBuffers(file.Get()) && ok;
        file.Reset();
        best = std::min(best, Now() - start);
    }
    return best;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring folder;
    if (argc > 1) {
        folder = argv[1];
    } else {
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        folder = temp;
    }
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    const std::wstring searchFile = argc > 2 ? argv[2] : L"";
    const long long openGib = EnvNumber("ZQ_BENCH_BINEDIT_OPEN_GIB", 4);
    const long long saveMib = EnvNumber("ZQ_BENCH_BINEDIT_SAVE_MIB", 1024);
    bool ok = true;
    const BinaryColors colors;

    const std::wstring big = folder + L"zq-binedit-big.bin";
    const std::wstring small = folder + L"zq-binedit-small.bin";
    if (!MakeSparse(big, openGib << 30) || !MakeSparse(small, 1LL << 20)) {
        std::printf("cannot make the files to open\n");
        return 1;
    }
    (void)OpenTime(big, 20, colors, ok);  // the first reads of the last pages are not the ones timed
    (void)OpenTime(small, 20, colors, ok);
    const double openSmall = OpenTime(small, 200, colors, ok);
    const double openBig = OpenTime(big, 200, colors, ok);
    std::printf("open and show first and last page:\n");
    std::printf("  1 MiB file            %8.1f us\n", openSmall * 1e6);
    std::printf("  %lld GiB sparse file   %8.1f us\n", openGib, openBig * 1e6);
    std::printf("  ratio big/small: %.2f (goal <= 1.1)\n", openBig / openSmall);
    ::DeleteFileW(big.c_str());
    ::DeleteFileW(small.c_str());

    if (!searchFile.empty()) {
        const double down = SearchTime(searchFile, SearchDirection::Down, ok);
        const double up = SearchTime(searchFile, SearchDirection::Up, ok);
        WIN32_FILE_ATTRIBUTE_DATA attributes{};
        (void)::GetFileAttributesExW(searchFile.c_str(), GetFileExInfoStandard, &attributes);
        const double mb =
            static_cast<double>(static_cast<ULONGLONG>(attributes.nFileSizeHigh) << 32 | attributes.nFileSizeLow) / 1e6;
        std::printf("search for an absent 8-byte pattern:\n");
        std::printf("  zq search, down       %8.1f MB/s  (%.3f s)\n", mb / down, down);
        std::printf("  zq search, up         %8.1f MB/s  (%.3f s)\n", mb / up, up);
    }

    const std::wstring edited = folder + L"zq-binedit-save.bin";
    const long long saveSize = saveMib << 20;
    if (!MakeSparse(edited, saveSize)) {
        std::printf("cannot make the file to save\n");
        return 1;
    }
    // Every block the changes touch exists before the first timed save.
    (void)SaveTime(edited, saveSize, ok);
    const double save = SaveTime(edited, saveSize, ok);
    const double sequential = SequentialWriteTime(edited, ok);
    ::DeleteFileW(edited.c_str());
    std::printf("save %d scattered one-byte changes in %lld MiB:\n", kChanges, saveMib);
    std::printf("  zq save               %8.2f ms  (goal <= 50 ms)\n", save * 1e3);
    std::printf("  %d bytes at once   %8.2f ms\n", kChanges * CBinaryData::kChunkBytes, sequential * 1e3);
    std::printf("  ratio save/sequential: %.2f\n", save / sequential);
    if (!ok) std::printf("a case failed\n");
    return ok ? 0 : 1;
}
