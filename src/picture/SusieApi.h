#pragma once
// The call forms of Susie plug-ins, as published: the records handed across,
// the exports' types and the result codes.  Plug-ins written by others are
// compiled against the same layouts, so the layouts are asserted here.
#include <windows.h>

#include <cstddef>

namespace zq::susie {

#if defined(_WIN64)
#define ZQ_SUSIE_CALL
#else
#define ZQ_SUSIE_CALL __stdcall
#endif

using ProgressCallback = int(ZQ_SUSIE_CALL*)(int nNum, int nDenom, LONG_PTR lData);

using GetPluginInfoFn = int(ZQ_SUSIE_CALL*)(int infono, LPSTR buf, int buflen);
using IsSupportedFn = int(ZQ_SUSIE_CALL*)(LPCSTR filename, void* dw);

#pragma pack(push, 1)
struct PictureInfo {
    long left;
    long top;
    long width;
    long height;
    WORD x_density;
    WORD y_density;
    short colorDepth;
#if defined(_WIN64)
    char pad[2];
#endif
    HLOCAL hInfo;  // text information, LocalAlloc'd by the plug-in
};

struct FileInfo {
    unsigned char method[8];
    ULONG_PTR position;
    ULONG_PTR compsize;
    ULONG_PTR filesize;
    LONG_PTR timestamp;  // Unix time, UTC
    char path[200];
    char filename[200];
    unsigned long crc;
#if defined(_WIN64)
    char pad[4];
#endif
};
#pragma pack(pop)

#if defined(_WIN64)
static_assert(sizeof(PictureInfo) == 32 && offsetof(PictureInfo, colorDepth) == 20 &&
              offsetof(PictureInfo, hInfo) == 24);
static_assert(sizeof(FileInfo) == 448 && offsetof(FileInfo, position) == 8 && offsetof(FileInfo, timestamp) == 32 &&
              offsetof(FileInfo, path) == 40 && offsetof(FileInfo, filename) == 240 && offsetof(FileInfo, crc) == 440);
#else
static_assert(sizeof(PictureInfo) == 26 && offsetof(PictureInfo, hInfo) == 22);
static_assert(sizeof(FileInfo) == 428 && offsetof(FileInfo, path) == 24 && offsetof(FileInfo, crc) == 424);
#endif

using GetPictureInfoFn = int(ZQ_SUSIE_CALL*)(LPCSTR buf, LONG_PTR len, unsigned int flag, PictureInfo* info);
using GetPictureFn = int(ZQ_SUSIE_CALL*)(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* pHBInfo, HLOCAL* pHBm,
                                         ProgressCallback progress, LONG_PTR lData);
using GetArchiveInfoFn = int(ZQ_SUSIE_CALL*)(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* lphInf);
using GetFileFn = int(ZQ_SUSIE_CALL*)(LPCSTR src, LONG_PTR len, LPSTR dest, unsigned int flag,
                                      ProgressCallback progress, LONG_PTR lData);
using ConfigurationDlgFn = int(ZQ_SUSIE_CALL*)(HWND parent, int fnc);

// Results of the decoding and extracting entries.
enum Result : int {
    kNotImplemented = -1,
    kOk = 0,
    kAborted = 1,
    kUnknownFormat = 2,
    kBrokenData = 3,
    kNoMemory = 4,
    kMemoryError = 5,
    kReadError = 6,
    kWindowError = 7,
    kInternalError = 8,
    kWriteError = 9,
    kEndOfFile = 10,
};

// Input kinds in the low three bits of a flag word.
constexpr unsigned int kInputFile = 0;
constexpr unsigned int kInputMemory = 1;
constexpr unsigned int kInputMask = 7;

// IsSupported reads this much of the file's head.
constexpr size_t kHeadSize = 2048;

}  // namespace zq::susie
