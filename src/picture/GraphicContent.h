#pragma once
// The Graphic mode as a pane content: the Filer's @GraphicviewB and
// @GraphiconeviewB build a list of pictures from the active pane and show
// them there one at a time, decoded by the Susie plug-ins; the mode's own
// commands step through the list, zoom, scroll, turn, mirror and save.  The
// arithmetic lives in GraphicGeometry and DibTransform; this class holds the
// picture and draws it.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "commands/CommandIds.h"
#include "commands/PaneContent.h"
#include "commands/ViewContext.h"
#include "picture/CLoadPictureBDlg.h"
#include "picture/DibTransform.h"
#include "picture/GraphicGeometry.h"
#include "picture/SusiePluginHost.h"

namespace zq {

class ViewFiler;
class SusieHostPart;
struct StructBmpImage;

// One entry of the picture list: a picture file, a member of an archive that
// an archive plug-in listed, or an entry of a pane's listing that is not on
// disk (a member of the archive the pane browses, read through its library).
struct StructPictureItem {
    enum class Kind { File, PluginMember, ListingMember };
    Kind kind = Kind::File;
    std::wstring path;    // the file; the archive file; the pane's location
    std::wstring member;  // the member's name inside the archive (the listing's entry name)
    std::shared_ptr<const SusieArchive> archive;
    size_t entry = 0;  // in archive->entries
    long number = 0;   // among the archive's pictures, from 1
    long count = 0;
};

class GraphicContent final : public IPaneContent {
  public:
    GraphicContent(ViewContext& context, ViewFiler& filer, SusieHostPart& susie);
    ~GraphicContent() override;
    GraphicContent(const GraphicContent&) = delete;
    GraphicContent& operator=(const GraphicContent&) = delete;

    // IPaneContent
    [[nodiscard]] std::uint32_t ModeMask() const override;
    void Attach(IPaneHost& host) override { m_host = &host; }
    void RegisterCommands() override;
    void Paint(HDC dc, int pane, const RECT& rect) override;
    [[nodiscard]] std::wstring ActiveLocation() override;

    // Builds the list from the Filer's active pane and shows its first
    // picture; `oneOnly` takes the entry under the cursor alone.
    void Enter(bool oneOnly);
    // Frees the picture and gives the pane back to the Filer.
    void Leave();
    // Loads the picture `step` entries away (0: the current one); false when none could be loaded.
    bool LoadStep(int step);

    [[nodiscard]] bool Shown() const noexcept { return m_pane >= 0; }
    [[nodiscard]] bool Loaded() const noexcept { return m_loadState == 2; }

  private:
    void Add(CommandId id, std::function<void()> action);
    void RegisterViewCommands();
    [[nodiscard]] SusiePluginHost* Host() const;
    bool LoadEntry(const StructPictureItem& item, bool& cancelled);
    // The plug-in's job for an item, with the text the loading dialog shows (and,
    // for a member a plug-in extracts, the text while it does); false when none can take it.
    bool DecodeJobFor(const StructPictureItem& item, std::wstring& text, std::wstring& extractingText, DecodeJob& job);
    // The pictures of the files found: a file an image plug-in claims as it is,
    // an archive an archive plug-in lists as its picture members.
    void AddItems(const std::wstring& path, std::vector<StructPictureItem>& items);
    void FreePicture();
    void AfterLoad();
    void Next(int step);
    void Turn(picture::DibTurn turn);
    void SetScaling(bool permanent);
    void SetAnchor(bool horizontal, int anchor);
    void Zoom(bool in);
    void Scroll(int dx, int dy, bool pages);
    void SaveBmp(bool series);
    void CopyToClipboard();
    void SetWallpaper();
    void ShowList();
    void ToggleFullScreen();
    void ShowError(const std::wstring& text) const;

    // Layout and drawing (GraphicContentPaint.cpp).
    void Layout();
    void FitWindow();
    void Redraw();
    void UpdateTitle();
    [[nodiscard]] RECT Area() const;
    [[nodiscard]] int HorizontalAnchor() const;
    [[nodiscard]] int VerticalAnchor() const;
    [[nodiscard]] const BITMAPINFO* Info() const;
    // The picture as a .BMP would hold it; false (after the message) for a depth that is not saved.
    bool BmpImage(StructBmpImage& image) const;

    ViewContext& m_context;
    ViewFiler& m_filer;
    SusieHostPart& m_susie;
    IPaneHost* m_host = nullptr;

    int m_pane = -1;
    std::vector<std::wstring> m_list;  // what the list dialog shows, one per item
    std::vector<StructPictureItem> m_items;
    int m_index = 0;
    SusiePicture m_picture;
    // The picture's blocks, locked while it is shown (plug-ins hand out moveable blocks).
    BITMAPINFO* m_info = nullptr;
    BYTE* m_bits = nullptr;
    int m_loadState = 0;
    int m_zoom = 0;
    bool m_fitWidth = true;
    bool m_fitHeight = true;
    bool m_paused = false;
    picture::FitResult m_fit;
    picture::ScrollRange m_rangeX;
    picture::ScrollRange m_rangeY;
    int m_scrollX = 0;
    int m_scrollY = 0;
    int m_seriesNumber = 0;
    RECT m_area{};  // the pane as it was last painted
    bool m_fullScreen = false;
    LONG_PTR m_savedStyle = 0;
    WINDOWPLACEMENT m_savedPlacement{};
};

}  // namespace zq
