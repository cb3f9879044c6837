// The Viewer's dialogs that stand outside its search: printing (the companion
// library prints; the Viewer hands over the text and keeps every other reader
// off it until the library is done) and the two settings dialogs.
#include <algorithm>
#include <cstdint>

#include "common/Paths.h"
#include "external/CompanionLibrary.h"
#include "settings/Settings.h"
#include "viewer/CViewerSettingDlg.h"
#include "viewer/ViewerContent.h"

namespace zq {

void ViewerContent::Print(int pane) {
    if (!m_context.companion) return;
    viewer::ViewerText& text = Text(pane);
    const SuspendScope suspended(m_context);
    const viewer::TextLock lock(text);
    if (!lock) return;
    Settings& settings = *m_context.settings;
    text.SetPrinting(true);
    std::int32_t lineNumbers = settings.VIEWNUMBER;
    std::int32_t charset = settings.PRINTFONTCHARSET;
    const std::wstring name = text.ViewedDirectory().empty()
                                  ? text.ViewedPath()
                                  : JoinPath(text.ViewedDirectory(), text.ViewedEntry().cFileName);
    StructZqPrintText request{};
    request.SetupPrinter = settings.SETUPPRINTER;
    request.LineNumbers = &lineNumbers;
    request.FontName = settings.PRINTFONTNAME.c_str();
    request.FontCharset = &charset;
    request.FontHeight = settings.PRINTFONTHEIGHT;
    request.FontWidth = settings.PRINTFONTWIDE;
    request.Columns = text.Columns();
    request.FileName = name.c_str();
    request.Text = text.Text();
    // The call form counts in 32 bits; a text beyond 4 GiB prints its first 4 GiB.
    request.TextLength = static_cast<std::uint32_t>(std::min<std::int64_t>(text.TextLength(), UINT32_MAX));
    request.TabWidth = text.TabWidth();
    request.SpaceLeft = settings.PRINT_SPACE_LEFT;
    request.SpaceRight = settings.PRINT_SPACE_RIGHT;
    request.SpaceTop = settings.PRINT_SPACE_TOP;
    request.SpaceBottom = settings.PRINT_SPACE_BOTTOM;
    request.hwndOwner = m_context.frame;
    (void)m_context.companion->PrintText(request);
    // The library may have chosen another character set for its font; ours stays.
    text.SetPrinting(false);
    Redraw(pane);
}

void ViewerContent::EditSettings(bool kinds) {
    Settings& settings = *m_context.settings;
    Settings edited;
    {
        const SuspendScope suspended(m_context);
        if (kinds) {
            viewer::CKindSettingDlg dialog(settings, m_context.frame);
            if (dialog.DoModal() != IDOK) return;
            edited = dialog.Edited();
        } else {
            viewer::CViewerSettingDlg dialog(settings, m_context.frame);
            if (dialog.DoModal() != IDOK) return;
            edited = dialog.Edited();
        }
    }
    const bool relayout = edited.TABCARAMES != settings.TABCARAMES || edited.VIEWCHARWIDE != settings.VIEWCHARWIDE ||
                          edited.viewerKind != settings.viewerKind ||
                          edited.viewerKindWords != settings.viewerKindWords ||
                          edited.viewerKindTab != settings.viewerKindTab;
    settings = edited;
    OnSettingsChanged(false);
    if (!relayout) return;
    // Texts on screen take the new widths as if opened now.
    for (int pane = 0; pane < 2; ++pane) {
        if (!ShowsText(pane)) continue;
        viewer::ViewerText& text = Text(pane);
        int tab = settings.TABCARAMES;
        int columns = settings.VIEWCHARWIDE;
        viewer::ApplyKindSettings(m_kinds, text.ViewedEntry().cFileName, tab, columns);
        if (tab != text.TabWidth() || columns != text.Columns()) (void)ReindexPane(pane, tab, columns);
    }
}

}  // namespace zq
