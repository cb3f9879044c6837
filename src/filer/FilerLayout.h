#pragma once
// The Filer's layout: how the client area is split between the two panes and
// the grid of cells inside each pane.  Pure computation from the metrics, the
// client size and the settings; the view measures the font and applies the
// result (the grid fields of each FilerPane, the clamped border shift).
#include <windows.h>

#include <array>

#include "filer/FilerCellFormat.h"
#include "filer/FilerLayoutFont.h"

namespace zq::filer {

// What a pane shows, as far as the layout is concerned.
enum class FilerPaneContent {
    Directory,      // name list of a directory or an archive
    Thumbnails,     // name list replaced by picture thumbnails
    SearchResults,  // the file search's result list
    DriveList,
    Network,
};

// Settings the layout reads (ini keys in comments).
struct FilerLayoutOptions {
    int windowDevideWay = 0;                // WINDOWDEVIDEWAY: 0 stacked, 1 side by side
    int upWindowAddLine = 0;                // UP_WINDOW_ADD_LINE
    bool enableSomeHFileOneScreen = false;  // ENABLE_SOME_H_FILE_ONE_SCREEN
    int writeHeaderType = 1;                // WRITEHEADERTYPE
    int fileNameLong = 20;                  // FILENAMELONG
    int fileKindMaxLong = 5;                // FILEKINDMAXLONG
    bool autoFileNameWidth = false;         // AUTO_FILE_NAME_WIDTH
    bool oneFileUseFullWidth = false;       // ONE_FILE_USE_FULL_WIDTH
    FilerDisplayFormat format;              // the record FILERINFONUMBER selects
    int previewWidth = 100;                 // PREVIEW_WIDTH
    int previewHeight = 100;                // PREVIEW_HEIGHT
    int previewFileNameLen = 20;            // PREVIEW_FILE_NAME_LEN
    int previewFileKindLen = 5;             // PREVIEW_FILE_KIND_LEN
    int netResourceLong = 20;               // NETRESOURCELONG
    int netResourceComment = 30;            // NETRESOURCECOMMENT
    int netResourceProvider = 30;           // NETRESOURCEPROVIDER
    bool remoteCommentWrite = false;        // REMOTECOMMENTWRITE
    bool remoteProviderWrite = false;       // REMOTEPROVIDERWRITE
};

struct FilerPaneLayoutInput {
    bool shown = true;
    FilerPaneContent content = FilerPaneContent::Directory;
    bool networkTopLevel = false;  // the comment column is not shown there
    int longestStemCells = 0;      // for AUTO_FILE_NAME_WIDTH; see LongestStemCells
    int thumbnailCellType = 0;     // ThumbnailCellType of a thumbnail pane's directory
};

struct FilerPaneGeometry {
    bool shown = false;
    // Origin of the pane's title line in character columns and lines.
    int column = 0;
    int line = 0;
    // The pane in pixels, title line included.
    RECT rect{};
    int widthChars = 0;
    int heightLines = 0;
    // The grid (fields of FilerPane).
    int columnsDrawn = 1;
    int rowsDrawn = 1;
    int columnsVisible = 1;
    int rowsVisible = 1;
    int cellWidth = 1;   // characters
    int cellHeight = 1;  // lines
    int nameWidth = 0;   // characters
    int extWidth = 0;    // characters
    // Thumbnails fill the grid row by row; everything else column by column.
    bool rowMajor = false;
};

struct FilerLayoutResult {
    FilerMetrics metrics;
    int headerLines = 0;
    int devideWay = 0;        // the split actually used
    int upWindowAddLine = 0;  // clamped; to be stored back into the setting
    std::array<FilerPaneGeometry, 2> panes;
};

[[nodiscard]] FilerLayoutResult ComputeFilerLayout(const FilerMetrics& metrics, int clientWidth, int clientHeight,
                                                   const FilerLayoutOptions& options,
                                                   const std::array<FilerPaneLayoutInput, 2>& panes);

// Header lines above the panes: 5 when the header is shown, else 0.
[[nodiscard]] int HeaderLines(int writeHeaderType);

// The shift of the border between two stacked panes, clamped so that each
// pane keeps at least one row.  `rowsUpper`/`rowsLower` are the rows each pane
// has without the shift.
[[nodiscard]] int ClampStackedShift(int shift, int rowsUpper, int rowsLower);
// The shift of the border between side-by-side panes, clamped so that each
// side keeps at least 3 characters.
[[nodiscard]] int ClampSideShift(int shift, int totalChars);

// Cell width of a directory pane in characters.
[[nodiscard]] int DirectoryCellWidth(int nameWidth, int extWidth, const FilerDisplayFormat& format);

// Grid position of display position `relative` (counted from the first shown
// entry), and its rectangle in pixels.
struct CellPosition {
    int column = 0;
    int row = 0;
};
[[nodiscard]] CellPosition CellPositionOf(const FilerPaneGeometry& pane, int relative);
// The cell's rectangle, cut to the pane: a partly visible last column or row
// ends at the pane's edge and never reaches into the other pane.
[[nodiscard]] RECT CellRect(const FilerPaneGeometry& pane, const FilerMetrics& metrics, int relative);
// The rectangle of the pane's title line.
[[nodiscard]] RECT TitleRect(const FilerPaneGeometry& pane, const FilerMetrics& metrics);
// Entries a pane shows at once (columns drawn × rows drawn).
[[nodiscard]] int CellsShown(const FilerPaneGeometry& pane);

// The shown pane whose rectangle holds the point (client pixels); -1 when none does.
[[nodiscard]] int PaneAt(const FilerLayoutResult& layout, POINT point);
// The display position, counted from the first shown entry, of the cell under
// the point; -1 on the title line, outside the pane or outside the cells drawn.
[[nodiscard]] int CellAt(const FilerPaneGeometry& pane, const FilerMetrics& metrics, POINT point);

}  // namespace zq::filer
