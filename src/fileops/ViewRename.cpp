#include "fileops/ViewRename.h"

#include <array>
#include <utility>

#include "commands/CommandRegistry.h"
#include "fileops/CDirectorySizeDlg.h"
#include "fileops/CRenameExchangeDlg.h"
#include "filer/FilerPane.h"
#include "filer/ViewFiler.h"
#include "settings/Settings.h"
#include "ui/CMessageBoxDlg.h"

namespace zq {

namespace {

bool IsDirectoryPane(const FilerPane& pane) {
    return pane.Kind() == kKindDirectory && !pane.Path().empty() && &pane.Source() == &DirectorySource::Shared();
}

// The marked entries, or the one under the cursor; never "." or "..".
std::vector<WIN32_FIND_DATAW> Selected(const FilerPane& pane) {
    std::vector<WIN32_FIND_DATAW> out;
    for (int n = 0;; ++n) {
        const FileEntry* e = pane.NthSelected(kNthCursorUnlessMarked, n);
        if (e == nullptr) break;
        if (!IsLinkEntry(*e)) out.push_back(*e);
    }
    return out;
}

// CHAR_CONVERT_INFO_KATAKANA … _SYMBOL beside the choices they keep.
std::array<std::pair<int*, unsigned*>, 6> WidthFields(Settings& s, fileops::CharConvertInfo& w) {
    return {{{&s.CHAR_CONVERT_INFO_KATAKANA, &w.katakana},
             {&s.CHAR_CONVERT_INFO_HIRAGANA, &w.hiragana},
             {&s.CHAR_CONVERT_INFO_ALPHABET, &w.alphabet},
             {&s.CHAR_CONVERT_INFO_DIGIT, &w.digit},
             {&s.CHAR_CONVERT_INFO_SPACE, &w.space},
             {&s.CHAR_CONVERT_INFO_SYMBOL, &w.symbol}}};
}

fileops::CharConvertInfo WidthsFrom(Settings& s) {
    fileops::CharConvertInfo w;
    for (auto [setting, choice] : WidthFields(s, w)) *choice = static_cast<unsigned>(*setting);
    return w;
}

void WidthsTo(fileops::CharConvertInfo w, Settings& s) {
    for (auto [setting, choice] : WidthFields(s, w)) *setting = static_cast<int>(*choice);
}

}  // namespace

void ViewRename::RegisterCommands() {
    CommandRegistry& registry = *m_context.registry;
    registry.Register(cmd::filer::Rename, [this](const CommandCall&) { Rename(fileops::CRenameDlg::kModeBatch); });
    registry.Register(cmd::filer::RenameOneFile,
                      [this](const CommandCall&) { Rename(fileops::CRenameDlg::kModeOneByOne); });
    registry.Register(cmd::filer::RenameExchange, [this](const CommandCall&) { Exchange(); });
    registry.Register(cmd::filer::Dirsize, [this](const CommandCall&) { DirectorySize(); });
}

void ViewRename::Rename(unsigned mode) {
    const int active = m_filer.ActivePane();
    FilerPane& pane = m_filer.Pane(active);
    if (!IsDirectoryPane(pane)) return;
    std::vector<std::wstring> names;
    for (const WIN32_FIND_DATAW& e : Selected(pane)) names.emplace_back(e.cFileName);
    if (names.empty()) return;

    Settings& s = *m_context.settings;
    fileops::RenameBatchSettings settings = m_kept;
    settings.moveCursor = s.MOVECURSORAFTERRENAME != 0;
    settings.selectStem = s.SELECT_FILE_NAME_AT_RENAME != 0;
    settings.history = s.renameHistory.Items();
    // Unless the choices are to be kept, every opening starts without conversion.
    if (s.CHAR_CONVERT_INFO_SAVE == 0) {
        s.CHAR_CONVERT_INFO_ENABLE = 0;
        WidthsTo({}, s);
    }
    settings.options.convertWidths = s.CHAR_CONVERT_INFO_ENABLE != 0;
    settings.options.widths = WidthsFrom(s);
    settings.saveWidths = s.CHAR_CONVERT_INFO_SAVE != 0;

    std::vector<std::vector<std::wstring>> rounds;
    if (mode == fileops::CRenameDlg::kModeBatch) {
        rounds.push_back(names);
    } else {
        for (const std::wstring& name : names) rounds.push_back({name});
    }
    std::wstring lastNewName;
    bool renamedAny = false;
    {
        const SuspendScope suspended(m_context);
        for (const auto& round : rounds) {
            fileops::CRenameDlg dialog(m_context.view, mode, pane.Path(), round, settings);
            const INT_PTR result = dialog.DoModal();
            if (!dialog.NewName().empty()) {
                lastNewName = dialog.NewName();
                renamedAny = true;
            }
            if (result != IDOK) break;
            s.renameHistory.Push(settings.options.pattern);
            s.MOVECURSORAFTERRENAME = settings.moveCursor ? 1 : 0;
            s.CHAR_CONVERT_INFO_ENABLE = settings.options.convertWidths ? 1 : 0;
            s.CHAR_CONVERT_INFO_SAVE = settings.saveWidths ? 1 : 0;
            WidthsTo(settings.options.widths, s);
            m_kept.options.alwaysAccumulate = settings.options.alwaysAccumulate;
            m_kept.options.nameStart = settings.options.nameStart;
            m_kept.options.extStart = settings.options.extStart;
            m_kept.caseConversion = settings.caseConversion;
        }
    }
    if (!renamedAny) return;
    m_filer.Refresh();
    if (settings.moveCursor && !lastNewName.empty()) pane.PlaceCursorOnName(lastNewName, false, pane.Cursor());
    ::InvalidateRect(m_context.view, nullptr, FALSE);
}

void ViewRename::Exchange() {
    const int active = m_filer.ActivePane();
    FilerPane& pane = m_filer.Pane(active);
    if (!IsDirectoryPane(pane)) return;
    // The marks of this pane (its cursor entry when it has none) and the marks of the other.
    std::vector<fileops::ExchangeFile> files;
    const auto add = [&files](const FilerPane& from) {
        for (int n = 0;; ++n) {
            const FileEntry* e = from.NthSelected(0, n);
            if (e == nullptr) break;
            if (!IsLinkEntry(*e)) files.push_back({from.Path(), e->cFileName});
        }
    };
    add(pane);
    const FilerPane& other = m_filer.Pane(active ^ 1);
    if (IsDirectoryPane(other) && other.MarkedCount() > 0) add(other);
    if (files.size() != 2) {
        ui::ZqMessageBox(m_context.view, L"選択ファイル数が2ではありません");
        return;
    }
    fileops::CRenameExchangeDlg dialog(m_context.view, files[0], files[1]);
    INT_PTR result = IDCANCEL;
    {
        const SuspendScope suspended(m_context);
        result = dialog.DoModal();
    }
    if (result != IDOK) return;
    m_filer.Refresh();
    ::InvalidateRect(m_context.view, nullptr, FALSE);
}

void ViewRename::DirectorySize() {
    const int active = m_filer.ActivePane();
    FilerPane& pane = m_filer.Pane(active);
    if (!IsDirectoryPane(pane)) return;
    std::vector<WIN32_FIND_DATAW> entries = Selected(pane);
    if (entries.empty()) return;
    const bool marked = pane.MarkedCount() > 0;
    const bool oneDirectory = !marked && !IsFileEntry(entries.front());
    Settings& s = *m_context.settings;
    fileops::CDirectorySizeDlg dialog(m_context.view, pane.Path(), std::move(entries), s.CONTINUESIZECHECK != 0,
                                      marked);
    INT_PTR result = IDCANCEL;
    {
        const SuspendScope suspended(m_context);
        result = dialog.DoModal();
    }
    if (result == IDOK) s.CONTINUESIZECHECK = dialog.Continuous() ? 1 : 0;
    // A measured directory shows its size in its own line of the pane.
    if (dialog.Measured() && oneDirectory) {
        pane.SetMeasuredSize(pane.Cursor(), dialog.Totals().bytes);
        ::InvalidateRect(m_context.view, nullptr, FALSE);
    }
}

}  // namespace zq
