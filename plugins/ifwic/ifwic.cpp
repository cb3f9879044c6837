// An image plug-in in the Susie form (API "00IN") that decodes through the
// Windows Imaging Component.  It knows nothing of zq: it is written against
// the published call forms only, so that it serves both as zq's working
// default and as a test partner of the plug-in host.
//
// Pictures are handed out as 24-bit bottom-up DIBs, the one form every host
// draws; WIC converts whatever the file holds.
#include <windows.h>
#include <wincodec.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "picture/SusieApi.h"

namespace {

using namespace zq::susie;

struct InfoText {
    int number;
    const char* text;
};
// Each pattern entry is followed by its format's name.
constexpr InfoText kInfo[] = {
    {0, "00IN"},
    {1, "ifwic 1.0 - WIC picture decoder (zq)"},
    {2, "*.png"},
    {3, "PNG"},
    {4, "*.jpg;*.jpeg;*.jpe;*.jfif"},
    {5, "JPEG"},
    {6, "*.gif"},
    {7, "GIF"},
    {8, "*.bmp;*.dib"},
    {9, "Windows bitmap"},
    {10, "*.tif;*.tiff"},
    {11, "TIFF"},
};

bool StartsWith(const unsigned char* head, size_t size, const char* magic, size_t length) {
    return size >= length && std::memcmp(head, magic, length) == 0;
}

bool LooksLikePicture(const unsigned char* head, size_t size) {
    if (StartsWith(head, size, "\x89PNG\r\n\x1a\n", 8)) return true;
    if (StartsWith(head, size, "\xff\xd8\xff", 3)) return true;
    if (StartsWith(head, size, "GIF87a", 6) || StartsWith(head, size, "GIF89a", 6)) return true;
    if (StartsWith(head, size, "II*\0", 4) || StartsWith(head, size, "MM\0*", 4)) return true;
    if (StartsWith(head, size, "BM", 2) && size >= 18) {
        // "BM" alone is too common a start; the info header's size must be one that exists.
        const DWORD headerSize = head[14] | (head[15] << 8) | (head[16] << 16) | (static_cast<DWORD>(head[17]) << 24);
        return headerSize == 12 || headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 64 ||
               headerSize == 108 || headerSize == 124;
    }
    return false;
}

template <typename T>
struct ComPtr {
    T* p = nullptr;
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() {
        if (p) p->Release();
    }
    T** operator&() { return &p; }
    T* operator->() const { return p; }
};

// COM for the length of one call; a host thread that already chose its model keeps it.
struct ComScope {
    HRESULT hr = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ~ComScope() {
        if (SUCCEEDED(hr)) ::CoUninitialize();
    }
};

std::wstring WideFromAnsi(const char* text) {
    const int size = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (size <= 0) return {};
    std::wstring wide(static_cast<size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), size);
    wide.resize(static_cast<size_t>(size - 1));
    return wide;
}

// The picture's bytes: a file from an offset to its end, or the caller's memory.
struct Source {
    std::vector<unsigned char> owned;
    const unsigned char* data = nullptr;
    size_t size = 0;
};

int ReadSource(LPCSTR buf, LONG_PTR len, unsigned int flag, Source& source) {
    if (buf == nullptr) return kReadError;
    if ((flag & kInputMask) != kInputFile) {
        if (len <= 0) return kBrokenData;
        source.data = reinterpret_cast<const unsigned char*>(buf);
        source.size = static_cast<size_t>(len);
        return kOk;
    }
    const HANDLE file = ::CreateFileW(WideFromAnsi(buf).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return kReadError;
    int result = kOk;
    LARGE_INTEGER size{};
    LARGE_INTEGER offset{};
    offset.QuadPart = len;
    if (!::GetFileSizeEx(file, &size) || len < 0 || size.QuadPart <= len || size.QuadPart - len > (LONGLONG{1} << 31) ||
        !::SetFilePointerEx(file, offset, nullptr, FILE_BEGIN)) {
        result = kReadError;
    } else {
        source.owned.resize(static_cast<size_t>(size.QuadPart - len));
        DWORD read = 0;
        if (!::ReadFile(file, source.owned.data(), static_cast<DWORD>(source.owned.size()), &read, nullptr) ||
            read != source.owned.size())
            result = kReadError;
    }
    ::CloseHandle(file);
    source.data = source.owned.data();
    source.size = source.owned.size();
    return result;
}

struct Decoder {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    UINT width = 0;
    UINT height = 0;
    UINT sourceBytes = 3;  // per pixel of what the converter gives: 3 (BGR) or 4 (BGRA)

    int Open(const Source& source) {
        if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                      reinterpret_cast<void**>(&factory))))
            return kInternalError;
        if (FAILED(factory->CreateStream(&stream)) ||
            FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(source.data), static_cast<DWORD>(source.size))))
            return kNoMemory;
        if (FAILED(factory->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand, &decoder)))
            return kUnknownFormat;
        if (FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&width, &height)) || width == 0 ||
            height == 0)
            return kBrokenData;
        return kOk;
    }

    // Palette pictures do not convert to 24 bits in every WIC; 32 bits always do.
    int Convert() {
        if (FAILED(factory->CreateFormatConverter(&converter))) return kInternalError;
        if (SUCCEEDED(converter->Initialize(frame.p, GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                            WICBitmapPaletteTypeCustom)))
            return kOk;
        converter->Release();
        converter.p = nullptr;
        sourceBytes = 4;
        if (FAILED(factory->CreateFormatConverter(&converter)) ||
            FAILED(converter->Initialize(frame.p, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                         WICBitmapPaletteTypeCustom)))
            return kUnknownFormat;
        return kOk;
    }
};

bool Report(ProgressCallback progress, int done, int total, LONG_PTR lData) {
    return progress != nullptr && progress(done, total, lData) != 0;
}

int Decode(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* pHBInfo, HLOCAL* pHBm, ProgressCallback progress,
           LONG_PTR lData) {
    if (pHBInfo == nullptr || pHBm == nullptr) return kInternalError;
    *pHBInfo = nullptr;
    *pHBm = nullptr;
    if (Report(progress, 0, 100, lData)) return kAborted;
    Source source;
    if (const int read = ReadSource(buf, len, flag, source); read != kOk) return read;
    ComScope com;
    Decoder decoder;
    if (const int opened = decoder.Open(source); opened != kOk) return opened;
    if (const int converted = decoder.Convert(); converted != kOk) return converted;

    const uint64_t stride = (uint64_t{decoder.width} * 3 + 3) & ~uint64_t{3};
    const uint64_t imageSize = stride * decoder.height;
    if (imageSize > (uint64_t{1} << 31)) return kNoMemory;
    HLOCAL info = ::LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, sizeof(BITMAPINFOHEADER));
    HLOCAL bits = ::LocalAlloc(LMEM_MOVEABLE, static_cast<SIZE_T>(imageSize));
    std::vector<BYTE> row(size_t{decoder.width} * decoder.sourceBytes);
    auto fail = [&](int result) {
        if (info) ::LocalFree(info);
        if (bits) ::LocalFree(bits);
        return result;
    };
    if (!info || !bits) return fail(kNoMemory);

    auto* header = static_cast<BITMAPINFOHEADER*>(::LocalLock(info));
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = static_cast<LONG>(decoder.width);
    header->biHeight = static_cast<LONG>(decoder.height);
    header->biPlanes = 1;
    header->biBitCount = 24;
    header->biCompression = BI_RGB;
    header->biSizeImage = static_cast<DWORD>(imageSize);
    double dpiX = 0, dpiY = 0;
    if (SUCCEEDED(decoder.frame->GetResolution(&dpiX, &dpiY))) {
        header->biXPelsPerMeter = static_cast<LONG>(dpiX / 0.0254 + 0.5);
        header->biYPelsPerMeter = static_cast<LONG>(dpiY / 0.0254 + 0.5);
    }
    ::LocalUnlock(info);

    // Rows come top-down from WIC and go bottom-up into the DIB; the host may
    // stop the work between rows.
    auto* out = static_cast<BYTE*>(::LocalLock(bits));
    const UINT step = decoder.height / 20 + 1;
    for (UINT y = 0; y < decoder.height; ++y) {
        const WICRect line{0, static_cast<INT>(y), static_cast<INT>(decoder.width), 1};
        BYTE* target = out + (decoder.height - 1 - y) * stride;
        // 24-bit rows are what the DIB holds: they go straight in, without a pass per pixel.
        BYTE* into = decoder.sourceBytes == 3 ? target : row.data();
        if (FAILED(decoder.converter->CopyPixels(&line, static_cast<UINT>(row.size()), static_cast<UINT>(row.size()),
                                                 into))) {
            ::LocalUnlock(bits);
            return fail(kBrokenData);
        }
        if (into != target)
            for (UINT x = 0; x < decoder.width; ++x) std::memcpy(target + x * 3, &row[size_t{x} * 4], 3);
        std::memset(target + decoder.width * 3, 0, static_cast<size_t>(stride - decoder.width * 3));
        if (y % step == step - 1 &&
            Report(progress, static_cast<int>(y + 1), static_cast<int>(decoder.height), lData)) {
            ::LocalUnlock(bits);
            return fail(kAborted);
        }
    }
    ::LocalUnlock(bits);
    if (Report(progress, 100, 100, lData)) return fail(kAborted);
    *pHBInfo = info;
    *pHBm = bits;
    return kOk;
}

}  // namespace

extern "C" {

__declspec(dllexport) int ZQ_SUSIE_CALL GetPluginInfo(int infono, LPSTR buf, int buflen) {
    if (buf == nullptr || buflen <= 0) return 0;
    for (const InfoText& info : kInfo) {
        if (info.number != infono) continue;
        const size_t length = std::min(std::strlen(info.text), static_cast<size_t>(buflen - 1));
        std::memcpy(buf, info.text, length);
        buf[length] = '\0';
        return static_cast<int>(length);
    }
    return 0;
}

// dw is an open file handle or the address of a head buffer of 2 KiB.  As in
// every host, handle values stay below 64 KiB and no buffer lies there.
__declspec(dllexport) int ZQ_SUSIE_CALL IsSupported(LPCSTR /*filename*/, void* dw) {
    unsigned char head[kHeadSize] = {};
    size_t size = sizeof head;
    if (reinterpret_cast<ULONG_PTR>(dw) < 0x10000) {
        const HANDLE file = dw;
        LARGE_INTEGER start{};
        LARGE_INTEGER zero{};
        DWORD read = 0;
        if (!::SetFilePointerEx(file, zero, &start, FILE_CURRENT) ||
            !::SetFilePointerEx(file, zero, nullptr, FILE_BEGIN))
            return 0;
        const bool ok = ::ReadFile(file, head, sizeof head, &read, nullptr) != FALSE;
        ::SetFilePointerEx(file, start, nullptr, FILE_BEGIN);
        if (!ok) return 0;
        size = read;
    } else {
        std::memcpy(head, dw, sizeof head);
    }
    return LooksLikePicture(head, size) ? 1 : 0;
}

__declspec(dllexport) int ZQ_SUSIE_CALL
    GetPictureInfo(LPCSTR buf, LONG_PTR len, unsigned int flag, PictureInfo* lpInfo) {
    if (lpInfo == nullptr) return kInternalError;
    Source source;
    if (const int read = ReadSource(buf, len, flag, source); read != kOk) return read;
    ComScope com;
    Decoder decoder;
    if (const int opened = decoder.Open(source); opened != kOk) return opened;
    std::memset(lpInfo, 0, sizeof *lpInfo);
    lpInfo->width = static_cast<long>(decoder.width);
    lpInfo->height = static_cast<long>(decoder.height);
    lpInfo->colorDepth = 24;
    double dpiX = 0, dpiY = 0;
    if (SUCCEEDED(decoder.frame->GetResolution(&dpiX, &dpiY))) {
        lpInfo->x_density = static_cast<WORD>(dpiX + 0.5);
        lpInfo->y_density = static_cast<WORD>(dpiY + 0.5);
    }
    return kOk;
}

__declspec(dllexport) int ZQ_SUSIE_CALL GetPicture(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* pHBInfo,
                                                   HLOCAL* pHBm, ProgressCallback lpPrgressCallback, LONG_PTR lData) {
    return Decode(buf, len, flag, pHBInfo, pHBm, lpPrgressCallback, lData);
}

// WIC has no cheaper small picture for most formats; the whole picture is a
// preview too, and hosts that ask only for previews (thumbnails) then get one.
__declspec(dllexport) int ZQ_SUSIE_CALL GetPreview(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* pHBInfo,
                                                   HLOCAL* pHBm, ProgressCallback lpPrgressCallback, LONG_PTR lData) {
    return Decode(buf, len, flag, pHBInfo, pHBm, lpPrgressCallback, lData);
}

// 0 shows what the plug-in is; it has nothing to set, so 1 is "not implemented".
__declspec(dllexport) int ZQ_SUSIE_CALL ConfigurationDlg(HWND parent, int fnc) {
    if (fnc != 0) return kNotImplemented;
    char about[260] = {};
    GetPluginInfo(1, about, static_cast<int>(sizeof about));
    ::MessageBoxA(parent, about, "ifwic.sph", MB_OK | MB_ICONINFORMATION);
    return kOk;
}

}  // extern "C"
