#include "picture/SusieThumbnailMaker.h"

#include <cstdlib>
#include <cstring>

#include "common/Handle.h"
#include "common/ShellLink.h"
#include "picture/SusiePluginHost.h"

namespace zq {

namespace {

bool HasLinkExtension(const std::wstring& path) {
    return path.size() > 4 && ::CompareStringOrdinal(path.c_str() + path.size() - 4, 4, L".lnk", 4, TRUE) == CSTR_EQUAL;
}

struct MemoryDc {
    HDC dc = ::CreateCompatibleDC(nullptr);
    ~MemoryDc() {
        if (dc) ::DeleteDC(dc);
    }
    MemoryDc() = default;
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
};

}  // namespace

SusieThumbnailMaker::SusieThumbnailMaker(SusiePluginHost& host, int boxWidth, int boxHeight, bool fullDecoding)
    : m_host(host), m_boxWidth(boxWidth), m_boxHeight(boxHeight), m_fullDecoding(fullDecoding) {}

void SusieThumbnailMaker::Configure(int boxWidth, int boxHeight, bool fullDecoding) {
    m_boxWidth = boxWidth;
    m_boxHeight = boxHeight;
    m_fullDecoding = fullDecoding;
}

bool SusieThumbnailMaker::Make(const std::wstring& path, const FileEntry& entry, StructThumbnail& thumbnail) {
    (void)entry;
    std::wstring file = path;
    if (HasLinkExtension(file)) {
        const std::wstring target = ShortcutTarget(file);
        if (!target.empty()) file = target;
    }
    SusiePicture picture;
    if (m_host.DecodePreview(file, m_fullDecoding, picture) != susie::kOk) return false;
    const auto* info = static_cast<const BITMAPINFO*>(::LocalLock(picture.info.Get()));
    const void* bits = ::LocalLock(picture.bits.Get());
    const bool made = info != nullptr && bits != nullptr && ShrinkDib(info, bits, m_boxWidth, m_boxHeight, thumbnail);
    if (info) ::LocalUnlock(picture.info.Get());
    if (bits) ::LocalUnlock(picture.bits.Get());
    return made;
}

bool ShrinkDib(const BITMAPINFO* info, const void* bits, int boxWidth, int boxHeight, StructThumbnail& thumbnail) {
    const BITMAPINFOHEADER& source = info->bmiHeader;
    const SIZE size = FitThumbnail(source.biWidth, std::abs(source.biHeight), boxWidth, boxHeight);
    if (size.cx <= 0 || size.cy <= 0) return false;
    BITMAPINFO target{};
    target.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    target.bmiHeader.biWidth = size.cx;
    target.bmiHeader.biHeight = size.cy;
    target.bmiHeader.biPlanes = 1;
    target.bmiHeader.biBitCount = 24;
    target.bmiHeader.biCompression = BI_RGB;
    void* targetBits = nullptr;
    // A memory DC of its own: the worker draws nowhere the window thread does.
    const MemoryDc memory;
    const HDC dc = memory.dc;
    const UniqueGdiObject section(::CreateDIBSection(dc, &target, DIB_RGB_COLORS, &targetBits, nullptr, 0));
    if (dc == nullptr || !section || targetBits == nullptr) return false;
    const HGDIOBJ old = ::SelectObject(dc, section.Get());
    ::SetStretchBltMode(dc, HALFTONE);
    ::SetBrushOrgEx(dc, 0, 0, nullptr);
    const int lines = ::StretchDIBits(dc, 0, 0, size.cx, size.cy, 0, 0, source.biWidth, std::abs(source.biHeight), bits,
                                      info, DIB_RGB_COLORS, SRCCOPY);
    ::GdiFlush();
    ::SelectObject(dc, old);
    if (lines <= 0) return false;  // 0 or GDI_ERROR
    const size_t stride = (static_cast<size_t>(size.cx) * 3 + 3) / 4 * 4;
    thumbnail.width = size.cx;
    thumbnail.height = size.cy;
    thumbnail.bits.resize(stride * static_cast<size_t>(size.cy));
    std::memcpy(thumbnail.bits.data(), targetBits, thumbnail.bits.size());
    return true;
}

}  // namespace zq
