#pragma once
// What draws the thumbnail of an entry in a thumbnail pane; the picture viewer
// provides it, the Filer only calls it for each shown cell.
#include <windows.h>

#include <string>

#include "filer/FileEntry.h"

namespace zq::filer {

// The four ways a thumbnail cell is sized, chosen per directory: its name
// column as the Filer's (with or without the automatic width), fitted to the
// picture's width, or the given PREVIEW_FILE_NAME_LEN/PREVIEW_FILE_KIND_LEN.
enum ThumbnailCellType : int {
    kThumbnailCellAsFiler = 0,
    kThumbnailCellAsFilerFixed = 1,
    kThumbnailCellFitPicture = 2,
    kThumbnailCellGivenWidth = 3,
};

class IPaneThumbnails {
  public:
    virtual ~IPaneThumbnails() = default;
    // box: where the picture goes (PREVIEW_WIDTH x PREVIEW_HEIGHT inside the cell).
    virtual void DrawThumbnail(HDC dc, const RECT& box, const std::wstring& directory, const FileEntry& entry) = 0;
    // How the directory's cells are sized (kThumbnailCell…).
    [[nodiscard]] virtual int CellType(const std::wstring& directory) const = 0;
};

}  // namespace zq::filer
