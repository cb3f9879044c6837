#include "search/FindFilePart.h"

#include "commands/CommandIds.h"
#include "commands/CommandRegistry.h"
#include "filer/FilerPane.h"
#include "filer/FindOptionForm.h"
#include "filer/ViewFiler.h"
#include "search/CFindFileDlg.h"
#include "search/SearchResultSource.h"
#include "settings/Settings.h"

namespace zq {

FindFilePart::FindFilePart(ViewContext& context, ViewFiler& filer) : m_context(context), m_filer(filer) {
    ListingSources::Register(
        []() -> std::unique_ptr<IListingSource> { return std::make_unique<SearchResultSource>(); });
}

void FindFilePart::RegisterCommands() {
    m_context.registry->Register(cmd::filer::Findfile, [this](const CommandCall&) { FindFile(true); });
    m_context.registry->Register(cmd::filer::FindFileInWindow, [this](const CommandCall&) { FindFile(false); });
    m_context.registry->Register(cmd::filer::DispResultFindFile, [this](const CommandCall&) {
        if (SearchResults::Shared().Started()) ShowResults(m_filer.ActivePane());
    });
}

void FindFilePart::ShowResults(int index) {
    FilerPane& pane = m_filer.Pane(index);
    if (pane.Path() != kSearchResultLocation) m_filer.ChangePaneDirectory(index, kSearchResultLocation);
    if (pane.Path() != kSearchResultLocation) return;
    pane.SetKind(kKindDirectory, pane.SubKind() | kSubKindSearchResult);
    pane.Reread(kReadForced);
    ::InvalidateRect(m_context.view, nullptr, FALSE);
}

void FindFilePart::FindFile(bool listForm) {
    const int index = m_filer.ActivePane();
    FilerPane& pane = m_filer.Pane(index);
    if (pane.Kind() != kKindDirectory) return;
    // From the results a new search starts where the last one did.
    const std::wstring directory =
        pane.Path() == kSearchResultLocation ? SearchResults::Shared().ReturnTo() : pane.Path();
    if (!m_conditions) m_conditions = DefaultSearchConditions(SystemLocalClock());
    CFindFileDlg::Locate locate;
    if (listForm) {
        locate = [this](const std::wstring& folder, const std::wstring& name) {
            m_filer.GoToDirectory(folder, name, false);
            ::InvalidateRect(m_context.view, nullptr, FALSE);
        };
    }
    CFindFileDlg dialog(m_context.view, *m_context.settings, directory, *m_conditions, std::move(locate));
    INT_PTR answer = IDCANCEL;
    {
        const SuspendScope suspended(m_context);
        answer = dialog.DoModal();
    }
    if (answer == IDOK) ShowResults(index);
}

}  // namespace zq
