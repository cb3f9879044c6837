// What the Susie host costs on top of the decoding it hands to a plug-in,
// and what the thumbnail loader costs on top of the previews it makes.
//
//   PictureBench.exe SPI_DIR BIG.JPG THUMB_DIR
//
// SPI_DIR holds our ifwic.sph; BIG.JPG is a large JPEG; THUMB_DIR a folder
// of pictures.  Every figure is a ratio against a baseline of the same run:
//   host decode / WIC called directly in this process (best of three each);
//   loader: all thumbnails ready / the sum of bare GetPreview calls into the
//   plug-in, loaded once.
#include <objbase.h>
#include <wincodec.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "common/Handle.h"
#include "common/Paths.h"
#include "picture/CLoadPreviewThread.h"
#include "picture/PreviewQueue.h"
#include "picture/SusieApi.h"
#include "picture/SusiePluginHost.h"
#include "picture/SusieThumbnailMaker.h"

using namespace zq;

namespace {

constexpr int kRounds = 3;

template <typename T>
struct Com {
    T* p = nullptr;
    ~Com() {
        if (p) p->Release();
    }
    T** operator&() { return &p; }
    T* operator->() const { return p; }
};

// The same work as the plug-in's: the first frame as 24-bit BGR rows.
bool DecodeWithWic(const std::wstring& path, std::vector<BYTE>& bits) {
    Com<IWICImagingFactory> factory;
    Com<IWICBitmapDecoder> decoder;
    Com<IWICBitmapFrameDecode> frame;
    Com<IWICFormatConverter> converter;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  reinterpret_cast<void**>(&factory))) ||
        FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                  &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)) || FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.p, GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return false;
    UINT width = 0, height = 0;
    if (FAILED(frame->GetSize(&width, &height))) return false;
    const UINT stride = (width * 3 + 3) & ~3U;
    bits.assign(size_t{stride} * height, 0);
    return SUCCEEDED(converter->CopyPixels(nullptr, stride, static_cast<UINT>(bits.size()), bits.data()));
}

template <typename F>
double Best(F&& run) {
    double best = 1e30;
    for (int i = 0; i < kRounds; ++i) {
        const double t0 = Now();
        if (!run()) return -1;
        best = std::min(best, Now() - t0);
    }
    return best;
}

std::vector<std::wstring> PicturesIn(const std::wstring& dir) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW find{};
    const UniqueFind h(::FindFirstFileW(JoinPath(dir, L"*.jpg").c_str(), &find));
    if (!h) return names;
    do {
        names.push_back(find.cFileName);
    } while (::FindNextFileW(h.Get(), &find));
    std::sort(names.begin(), names.end());
    return names;
}

std::string Ansi(const std::wstring& text) {
    const int n = ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(std::max(n, 1)), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
    out.resize(std::strlen(out.c_str()));
    return out;
}

// Seconds of the plug-in's entry alone for each file, summed, as a caller
// without any host would call it (the library loaded once); -1 on a failure.
double BareCalls(const std::wstring& plugin, const char* entry, const std::wstring& dir,
                 const std::vector<std::wstring>& names) {
    const UniqueModule library(::LoadLibraryW(plugin.c_str()));
    const auto call = library ? reinterpret_cast<susie::GetPictureFn>(::GetProcAddress(library.Get(), entry)) : nullptr;
    if (call == nullptr) return -1;
    double sum = 0;
    for (const std::wstring& name : names) {
        const std::string path = Ansi(JoinPath(dir, name));
        HLOCAL info = nullptr, bits = nullptr;
        const double t0 = Now();
        const int result = call(path.c_str(), 0, 0, &info, &bits, nullptr, 0);
        sum += Now() - t0;
        if (info) ::LocalFree(info);
        if (bits) ::LocalFree(bits);
        if (result != 0) return -1;
    }
    return sum;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: PictureBench SPI_DIR BIG.JPG THUMB_DIR\n");
        return 2;
    }
    const std::wstring spi = argv[1], big = argv[2], thumbs = argv[3];
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    int reports = 0;
    SusiePluginHost host(spi, [&reports](const std::wstring&) { ++reports; });
    host.Rescan(false, SusieLoadMode::Off);
    if (host.Plugins().empty()) {
        std::fprintf(stderr, "no plug-in in the Susie directory\n");
        return 1;
    }

    std::vector<BYTE> direct;
    const double wic = Best([&] { return DecodeWithWic(big, direct); });
    const double viaHost = Best([&] {
        SusiePicture picture;
        return host.DecodeFile(big, picture) == susie::kOk;
    });
    if (wic <= 0 || viaHost <= 0) {
        std::fprintf(stderr, "the big picture did not decode\n");
        return 1;
    }
    // Where the difference lies: the plug-in's own GetPicture, without the host.
    const std::wstring folder = big.substr(0, big.find_last_of(L'\\'));
    const std::wstring file = big.substr(big.find_last_of(L'\\') + 1);
    const double plugin =
        Best([&] { return BareCalls(JoinPath(spi, L"ifwic.sph"), "GetPicture", folder, {file}) > 0; });
    std::printf("big JPEG: WIC direct %.3f s, host + plug-in %.3f s (plug-in alone %.3f s)\n", wic, viaHost, plugin);
    std::printf("  ratio host/direct: %.2f\n", viaHost / wic);

    const std::vector<std::wstring> names = PicturesIn(thumbs);
    if (names.empty()) return 1;
    const double bare = BareCalls(JoinPath(spi, L"ifwic.sph"), "GetPreview", thumbs, names);
    // What the loader does per picture beyond the bare decode, timed apart:
    // the host's decode (choice of plug-in, library per use) and the shrink.
    double hosted = 0;
    double shrunk = 0;
    for (const std::wstring& name : names) {
        SusiePicture picture;
        const double a = Now();
        if (host.DecodePreview(JoinPath(thumbs, name), false, picture) != susie::kOk) return 1;
        const double b = Now();
        StructThumbnail thumbnail;
        const bool made = ShrinkDib(static_cast<const BITMAPINFO*>(::LocalLock(picture.info.Get())),
                                    ::LocalLock(picture.bits.Get()), 100, 100, thumbnail);
        shrunk += Now() - b;
        hosted += b - a;
        if (!made) return 1;
    }
    std::vector<FileEntry> entries(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        const UniqueFind h(::FindFirstFileW(JoinPath(thumbs, names[i]).c_str(), &entries[i]));
        if (!h) return 1;
    }
    PreviewQueue queue(100000);
    SusieThumbnailMaker maker(host, 100, 100, false);
    CLoadPreviewThread thread(queue, maker, nullptr, 0);
    thread.SetSleep(30);
    if (!thread.CreateThread(false)) return 1;
    const double t0 = Now();
    queue.SetShownDirectories(thumbs, L"");
    queue.AddRequest(thumbs, entries);
    const double handed = Now() - t0;
    // The loader takes the request in order: its last entry settled, all are
    // (counted below).  Asking after every entry each time would make this
    // thread the load: each question takes the kernel mutex, a trip to the
    // wineserver, which the loader needs as well.
    for (;;) {
        const int state = queue.StateOf(thumbs, names.back());
        if (state != kPreviewWaiting && state != kPreviewMaking) break;
        ::Sleep(5);
    }
    const double loader = Now() - t0;
    thread.Stop();
    const size_t made = static_cast<size_t>(std::count_if(
        names.begin(), names.end(), [&](const std::wstring& n) { return queue.StateOf(thumbs, n) == kPreviewDone; }));
    std::printf(
        "thumbnails of %zu pictures (%zu made): request handed in %.1f ms, all ready in %.3f s, "
        "bare GetPreview sum %.3f s\n",
        names.size(), made, handed * 1000, loader, bare);
    std::printf("  one at a time: host's GetPreview sum %.3f s, shrinking sum %.3f s\n", hosted, shrunk);
    if (bare > 0) std::printf("  ratio loader/bare: %.2f\n", loader / bare);
    ::CoUninitialize();
    return made == names.size() && reports == 0 ? 0 : 1;
}
