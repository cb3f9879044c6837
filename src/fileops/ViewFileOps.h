#pragma once
// The file operations started from the view: copy, move and delete with their
// dialogs, and the refresh when they end.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "commands/PaneContent.h"
#include "commands/ViewContext.h"

namespace zq {

class ViewFiler;
struct SelectionSnapshot;
enum class RecycleChoice;

// A part of the view without a pane of its own: it acts on the Filer's panes.
class ViewFileOps final : public IViewPart {
  public:
    ViewFileOps(ViewContext& context, ViewFiler& filer);
    ~ViewFileOps() override;
    ViewFileOps(const ViewFileOps&) = delete;
    ViewFileOps& operator=(const ViewFileOps&) = delete;

    void RegisterCommands() override;
    // Files dropped on the view (WM_DROPFILES) are this part's.
    bool ForwardMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // Opens a copy or move dialog for the selection of the pane with the focus;
    // mode is the copy engine's job mode (0 copy, 1 move, 2, 3, 5).
    void StartCopy(unsigned mode);
    // WM_DROPFILES: a copy into the directory of the pane under the drop point
    // (the focused pane outside both), a move with Shift; releases the handle.
    void OnDropFiles(HDROP drop);
    // Paths dropped onto pane `pane`: mode 4 copy, 7 move, 8 link (done as a copy).
    void StartDrop(int pane, std::vector<std::wstring> paths, unsigned mode);
    void StartDelete(RecycleChoice recycle);

  private:
    void ShowError(const std::wstring& text) const;
    // The active pane's selection for an operation; false (after telling the
    // user when nothing is selected) when there is none to take.
    bool TakeActiveSelection(int& active, SelectionSnapshot& out) const;

    ViewContext& m_context;
    ViewFiler& m_filer;
};

}  // namespace zq
