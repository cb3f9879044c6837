#pragma once
// Thumbnails through the Susie plug-ins: the picture is decoded by the first
// plug-in that takes it and shrunk into the thumbnail box as a 24-bit DIB.
#include "picture/PreviewQueue.h"

namespace zq {

class SusiePluginHost;

class SusieThumbnailMaker final : public IThumbnailMaker {
  public:
    SusieThumbnailMaker(SusiePluginHost& host, int boxWidth, int boxHeight, bool fullDecoding);
    bool Make(const std::wstring& path, const FileEntry& entry, StructThumbnail& thumbnail) override;
    // Only while the loader is paused.
    void Configure(int boxWidth, int boxHeight, bool fullDecoding);

  private:
    SusiePluginHost& m_host;
    int m_boxWidth;
    int m_boxHeight;
    bool m_fullDecoding;
};

// Shrinks a decoded DIB (header, colour table and bits as a plug-in gives
// them) into a 24-bit thumbnail of the size FitThumbnail gives.
[[nodiscard]] bool ShrinkDib(const BITMAPINFO* info, const void* bits, int boxWidth, int boxHeight,
                             StructThumbnail& thumbnail);

}  // namespace zq
