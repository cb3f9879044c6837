// A Susie image plug-in of a run-length format of our own, built for x86 (a
// ".spi" served through the 32-bit helper) and for x64 (a ".sph" loaded in
// the program), so that one source measures and checks both routes.
//
// "*.zqr": "ZQRL", width and height (16 bits each, little-endian), a mode
// byte (0 plain, 1 fault in GetPicture, 2 hang in GetPicture), three zero
// bytes, then runs of [count 1-255][B][G][R] over the rows from the top.
#include <windows.h>

#include <cstring>

#include "picture/SusieApi.h"

using namespace zq::susie;

namespace {

constexpr size_t kHeader = 12;

struct Source {
    const unsigned char* bytes = nullptr;
    size_t size = 0;
    HLOCAL owned = nullptr;
};

bool ReadSource(LPCSTR buf, LONG_PTR len, unsigned int flag, Source& source) {
    if ((flag & kInputMask) != kInputFile) {
        source.bytes = reinterpret_cast<const unsigned char*>(buf);
        source.size = static_cast<size_t>(len);
        return buf != nullptr;
    }
    const HANDLE file =
        ::CreateFileA(buf, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    bool ok = ::GetFileSizeEx(file, &size) && size.QuadPart > len && size.QuadPart - len < (1 << 30);
    if (ok) {
        LARGE_INTEGER at{};
        at.QuadPart = len;
        source.size = static_cast<size_t>(size.QuadPart - len);
        source.owned = ::LocalAlloc(LMEM_FIXED, source.size);
        DWORD read = 0;
        ok = source.owned && ::SetFilePointerEx(file, at, nullptr, FILE_BEGIN) &&
             ::ReadFile(file, source.owned, static_cast<DWORD>(source.size), &read, nullptr) && read == source.size;
        source.bytes = static_cast<const unsigned char*>(source.owned);
    }
    ::CloseHandle(file);
    return ok;
}

bool Claims(const unsigned char* head) {
    return std::memcmp(head, "ZQRL", 4) == 0;
}

}  // namespace

extern "C" {

__declspec(dllexport) int ZQ_SUSIE_CALL GetPluginInfo(int infono, LPSTR buf, int buflen) {
    const char* text = infono == 0   ? "00IN"
                       : infono == 1 ? "zq run-length test plug-in"
                       : infono == 2 ? "*.zqr"
                       : infono == 3 ? "ZQRL"
                                     : nullptr;
    if (!text || buflen <= static_cast<int>(std::strlen(text))) return 0;
    std::strcpy(buf, text);
    return static_cast<int>(std::strlen(text));
}

// Only the memory form: as many plug-ins do, a handle is told from a pointer by its top bits.
__declspec(dllexport) int ZQ_SUSIE_CALL IsSupported(LPCSTR, void* dw) {
    if ((reinterpret_cast<ULONG_PTR>(dw) & ~ULONG_PTR{0xFFFF}) == 0) return 0;
    return Claims(static_cast<const unsigned char*>(dw)) ? 1 : 0;
}

__declspec(dllexport) int ZQ_SUSIE_CALL GetPictureInfo(LPCSTR buf, LONG_PTR len, unsigned int flag, PictureInfo* info) {
    Source source;
    if (!ReadSource(buf, len, flag, source)) return kReadError;
    int result = kUnknownFormat;
    if (source.size >= kHeader && Claims(source.bytes)) {
        std::memset(info, 0, sizeof *info);
        info->width = source.bytes[4] | source.bytes[5] << 8;
        info->height = source.bytes[6] | source.bytes[7] << 8;
        info->colorDepth = 24;
        result = kOk;
    }
    if (source.owned) ::LocalFree(source.owned);
    return result;
}

__declspec(dllexport) int ZQ_SUSIE_CALL GetPicture(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* pHBInfo,
                                                   HLOCAL* pHBm, ProgressCallback progress, LONG_PTR lData) {
    Source source;
    if (!ReadSource(buf, len, flag, source)) return kReadError;
    const unsigned char* in = source.bytes;
    if (source.size < kHeader || !Claims(in)) {
        if (source.owned) ::LocalFree(source.owned);
        return kUnknownFormat;
    }
    if (in[8] == 1) *static_cast<volatile int*>(nullptr) = 1;
    if (in[8] == 2) ::Sleep(INFINITE);
    const int width = in[4] | in[5] << 8;
    const int height = in[6] | in[7] << 8;
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
    HLOCAL info = ::LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, sizeof(BITMAPINFOHEADER));
    HLOCAL bits = ::LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, stride * height + 1);
    int result = info && bits && width > 0 && height > 0 ? kOk : kNoMemory;
    if (result == kOk) {
        auto* header = static_cast<BITMAPINFOHEADER*>(::LocalLock(info));
        header->biSize = sizeof(BITMAPINFOHEADER);
        header->biWidth = width;
        header->biHeight = height;
        header->biPlanes = 1;
        header->biBitCount = 24;
        ::LocalUnlock(info);
        auto* out = static_cast<unsigned char*>(::LocalLock(bits));
        size_t at = kHeader;
        int count = 0;
        const unsigned char* colour = nullptr;
        for (int y = 0; y < height && result == kOk; ++y) {
            unsigned char* row = out + (height - 1 - y) * stride;
            for (int x = 0; x < width; ++x) {
                if (count == 0) {
                    if (at + 4 > source.size || in[at] == 0) {
                        result = kBrokenData;
                        break;
                    }
                    count = in[at];
                    colour = in + at + 1;
                    at += 4;
                }
                std::memcpy(row + x * 3, colour, 3);
                --count;
            }
            if (progress && progress(y + 1, height, lData) != 0) result = kAborted;
        }
        ::LocalUnlock(bits);
    }
    if (source.owned) ::LocalFree(source.owned);
    if (result != kOk) {
        if (info) ::LocalFree(info);
        if (bits) ::LocalFree(bits);
        return result;
    }
    *pHBInfo = info;
    *pHBm = bits;
    return kOk;
}

}  // extern "C"
