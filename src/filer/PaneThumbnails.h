#pragma once
// What draws the thumbnail of an entry in a thumbnail pane; the picture viewer
// provides it, the Filer only calls it for each shown cell.
#include <windows.h>

#include <string>

#include "filer/FileEntry.h"

namespace zq::filer {

class IPaneThumbnails {
  public:
    virtual ~IPaneThumbnails() = default;
    // box: where the picture goes (PREVIEW_WIDTH x PREVIEW_HEIGHT inside the cell).
    virtual void DrawThumbnail(HDC dc, const RECT& box, const std::wstring& directory, const FileEntry& entry) = 0;
};

}  // namespace zq::filer
