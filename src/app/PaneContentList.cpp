// The view's parts.  A new pane content is one more line here.
#include "app/PaneContentList.h"

#include <memory>

#include "app/CZqView.h"
#include "app/SusieArchiveBridge.h"
#include "archive/ArchivePart.h"
#include "fileops/StagedMove.h"
#include "binedit/BinaryEditorContent.h"
#include "fileops/SyncViewPart.h"
#include "fileops/ViewAttr.h"
#include "fileops/ViewFileOps.h"
#include "fileops/ViewRename.h"
#include "filer/ViewFiler.h"
#include "filer/ViewFilerPlugins.h"
#include "picture/GraphicContent.h"
#include "picture/SusieHostPart.h"
#include "picture/ThumbnailPart.h"
#include "search/FindFilePart.h"
#include "viewer/ViewerContent.h"
#include "viewer/ViewerTools.h"

namespace zq {

void AddViewParts(CZqView& view) {
    ViewContext& context = view.Context();
    // The first content is the Filer: the pane a content gives up goes back to it.
    ViewFiler& filer = view.AddContent(std::make_unique<ViewFiler>(context));
    view.AddPart(std::make_unique<ViewFileOps>(context, filer));
    view.AddPart(std::make_unique<ViewAttr>(context, filer));
    view.AddContent(std::make_unique<ViewerContent>(context, filer));
    view.AddContent(std::make_unique<BinaryEditorContent>(context, filer));
    // The thumbnails come before the plug-in host they use: parts go in the
    // order they came, so the loader thread ends before the host does.
    auto susieHost = std::make_unique<SusieHostPart>(context);
    view.AddPart(std::make_unique<ThumbnailPart>(context, filer, *susieHost));
    SusieHostPart& susie = view.AddPart(std::move(susieHost));
    view.AddContent(std::make_unique<GraphicContent>(context, filer, susie));
    view.AddPart(std::make_unique<ArchivePart>(
        context, filer,
        std::make_unique<SusieArchiveBridge>([&susie] { return susie.Host(); }, [&susie] { susie.PauseLoader(); },
                                             [&susie] { susie.ResumeLoader(); }),
        [&context](const std::wstring& staging, const std::wstring& destination, const std::wstring& archive,
                   HWND owner) {
            return MoveStagedFiles(*context.settings, context.programDir, staging, destination, archive, owner);
        }));
    view.AddPart(std::make_unique<TextBoxPart>(context));
    view.AddPart(std::make_unique<ViewTagPart>(context, filer));
    view.AddPart(std::make_unique<FindFilePart>(context, filer));
    view.AddPart(std::make_unique<ViewRename>(context, filer));
    view.AddPart(std::make_unique<SyncViewPart>(context, filer));
    view.SetPlugins(view.AddPart(std::make_unique<ViewFilerPlugins>(context, filer)));
}

}  // namespace zq
