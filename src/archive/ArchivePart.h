#pragma once
// The archive browser's part of the view: every pane may enter an archive
// file as a folder (its own ArchiveSource), and @Unpack unpacks the archive
// files selected in a Filer pane; @Pack and @Packzip pack them.
//
//     view.AddPart(std::make_unique<ArchivePart>(context, filer));
#include <memory>
#include <string>
#include <vector>

#include "archive/ArchivePlugins.h"
#include "archive/CUnpackDlg.h"
#include "commands/PaneContent.h"
#include "commands/ViewContext.h"

namespace zq {

class ArchiveSource;
class FilerPane;
class ViewFiler;

class ArchivePart final : public IViewPart {
  public:
    // `plugins` reaches the Susie archive plug-ins (null: the archiver library
    // alone); `placeStaged` moves what an unpack wrote beside names already
    // there into place with the same-name question (empty: the archiver's own
    // overwrite rule).
    ArchivePart(ViewContext& context, ViewFiler& filer, std::unique_ptr<IArchivePlugins> plugins = nullptr,
                CUnpackDlg::PlaceStaged placeStaged = {});
    ~ArchivePart() override;
    void RegisterCommands() override;
    void OnPeriodicTimer() override { DropFinishedDialogs(); }
    // "WMSG_ZQ_UNPACK_START": the destinations of the dialogs just started go to the directory history.
    bool ForwardMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    // Unpacks the selection of the active pane; `toOtherPane` (@Copy from an
    // archive pane) takes the members only, into the other pane's directory.
    void StartUnpack(bool toOtherPane = false);
    // Packs the active pane's selection into a ZIP (kPackZip) or LHA archive,
    // offered in the other pane's directory.
    void StartPack(int kind, bool eachEntry = false);
    void EditUnpackSettings();
    // The dialog for an archive pane's members is modal: the view waits for it.
    void RunModal(CUnpackDlg& dialog);
    void DropFinishedDialogs();
    // The library's names of the members selected in an archive pane; false when there are none.
    [[nodiscard]] static bool SelectedMembers(const FilerPane& pane, const ArchiveSource& source,
                                              CUnpackDlg::Setup& setup);

    ViewContext& m_context;
    ViewFiler& m_filer;
    std::unique_ptr<IArchivePlugins> m_plugins;
    CUnpackDlg::PlaceStaged m_placeStaged;
    CUnpackDlg* m_modal = nullptr;  // the dialog RunModal waits for; it is in no list
};

}  // namespace zq
