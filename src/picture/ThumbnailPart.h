#pragma once
// The Filer's thumbnails: the directories switched on (@PreviewEnable,
// @PreviewEnableWithChild, @PreviewDisable), the requests handed to the
// loader thread for the panes that show them, and the drawing of finished
// thumbnails into their cells.
//
//     view.AddPart(std::make_unique<ThumbnailPart>(context, filer, susieHost));
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "commands/PaneContent.h"
#include "commands/ViewContext.h"
#include "filer/PaneThumbnails.h"
#include "picture/PreviewDirectories.h"
#include "picture/PreviewQueue.h"

namespace zq {

class ViewFiler;
class SusieHostPart;
class CLoadPreviewThread;
class SusieThumbnailMaker;

class ThumbnailPart final : public IViewPart, public filer::IPaneThumbnails {
  public:
    ThumbnailPart(ViewContext& context, ViewFiler& filer, SusieHostPart& susie);
    ~ThumbnailPart() override;

    void RegisterCommands() override;
    void Start(const std::vector<std::wstring>& startDirectories) override;
    void OnPeriodicTimer() override { CheckPanes(); }
    void OnOperationEnded() override { CheckPanes(); }
    void OnSettingsChanged(bool reread) override;
    void StoreState(Settings& settings) const override;
    bool ForwardMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    void DrawThumbnail(HDC dc, const RECT& box, const std::wstring& directory, const FileEntry& entry) override;
    [[nodiscard]] int CellType(const std::wstring& directory) const override;

    // The loader stops after the picture in hand until Resume (the plug-in array may change meanwhile).
    void Pause();
    void Resume();

  private:
    void StartLoader();
    void Switch(bool on, bool withChildren);
    // Brings each pane's thumbnail state and request up to date.
    void CheckPanes();

    ViewContext& m_context;
    ViewFiler& m_filer;
    SusieHostPart& m_susie;
    PreviewDirectories m_directories;
    std::unique_ptr<PreviewQueue> m_queue;
    std::unique_ptr<SusieThumbnailMaker> m_maker;
    std::unique_ptr<CLoadPreviewThread> m_thread;
    UINT m_loadedMessage = 0;
    // What each pane was last asked for: its directory and listing size.
    std::array<std::wstring, 2> m_requested;
    std::array<int, 2> m_requestedCount{-1, -1};
};

}  // namespace zq
