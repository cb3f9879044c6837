// Typing in a directory or archive listing: the simple search and the
// incremental search sit in front of the key assignments, and their commands
// choose which key presses they take.
#include <windows.h>

#include "commands/CommandRegistry.h"
#include "commands/PaneModes.h"
#include "filer/FilerPane.h"
#include "filer/ViewFiler.h"
#include "settings/Settings.h"

namespace zq {

namespace {

bool Held(int virtualKey) {
    return (::GetKeyState(virtualKey) & 0x8000) != 0;
}

SearchNameAt NamesOf(const FilerPane& pane) {
    return [&pane](int position) { return std::wstring_view(pane.EntryAt(position).cFileName); };
}

}  // namespace

bool ViewFiler::OfferToIncrementalSearch(unsigned virtualKey, int modifier) {
    (void)modifier;  // the gate needs both modifiers, not the one that wins
    if (!m_context.modes->Query(PaneModes::kEither, pane_state::kFocused, pane_mode::kFileCursorListings)) return false;
    m_search.SetSimpleMode(static_cast<unsigned>(m_context.settings->EASYSEARCHMODE));
    FilerPane& pane = Pane(ActivePane());
    const InListKeyResult result =
        m_search.OnKeyDown(virtualKey, Held(VK_SHIFT), Held(VK_CONTROL), NamesOf(pane), pane.Count(), pane.Cursor());
    if (result.target >= 0) pane.MoveCursor(result.target - pane.Cursor(), true);
    if (result.taken) AfterCommand();
    return result.taken;
}

bool ViewFiler::OnKey(UINT message, WPARAM wParam, LPARAM) {
    // Input methods hand their text over as WM_CHAR (WM_IME_CHAR becomes one
    // in the default handling), so kana and kanji arrive here too.
    if (message != WM_CHAR) return false;
    if (!m_context.modes->Query(PaneModes::kEither, pane_state::kFocused, pane_mode::kFileCursorListings)) return false;
    m_search.SetSimpleMode(static_cast<unsigned>(m_context.settings->EASYSEARCHMODE));
    FilerPane& pane = Pane(ActivePane());
    const InListKeyResult result =
        m_search.OnChar(static_cast<wchar_t>(wParam), Held(VK_CONTROL), NamesOf(pane), pane.Count(), pane.Cursor());
    if (result.target >= 0) pane.MoveCursor(result.target - pane.Cursor(), true);
    if (result.taken) AfterCommand();
    return result.taken;
}

void ViewFiler::EndIncrementalSearch() {
    m_search.End();
    AfterCommand();
}

void ViewFiler::OnCursorMovedForSearch() {
    if (!m_search.IncrementalActive()) return;
    const Settings& settings = *m_context.settings;
    if (settings.INCMODENEGLECTCURMOVE)
        m_search.End();
    else if (settings.INCMODEBUFFERDELCURMOVE)
        m_search.ClearBuffer();
}

void ViewFiler::RegisterSearchCommands() {
    const CommandId incremental[] = {cmd::filer::NotIncSearch, cmd::filer::NorIncSearch, cmd::filer::ShiIncSearch,
                                     cmd::filer::CtlIncSearch, cmd::filer::ExpandIncSearch};
    for (unsigned mode = kSearchOff; mode <= kSearchExpanded; ++mode) {
        Add(incremental[mode], [this, mode] {
            // With INCMODENEGLECTINCCHANGE the command of the mode already on
            // switches the search off, so that one key starts and ends it;
            // otherwise the search starts afresh in the chosen mode.
            if (m_context.settings->INCMODENEGLECTINCCHANGE && mode != kSearchOff &&
                m_search.IncrementalMode() == mode) {
                m_search.End();
                return;
            }
            m_search.SetIncrementalMode(kSearchOff);
            m_search.SetIncrementalMode(mode);
        });
    }
    Add(cmd::filer::BackIncSearch, [this] {
        FilerPane& pane = Pane(ActivePane());
        const InListKeyResult result = m_search.Back(NamesOf(pane), pane.Count());
        if (result.target >= 0) pane.MoveCursor(result.target - pane.Cursor(), true);
    });
    const CommandId simple[] = {cmd::filer::NotEasySearch, cmd::filer::NorEasySearch, cmd::filer::ShiEasySearch,
                                cmd::filer::CtlEasySearch, cmd::filer::ExpandEasySearch};
    for (unsigned mode = kSearchOff; mode <= kSearchExpanded; ++mode) {
        Add(simple[mode], [this, mode] {
            m_context.settings->EASYSEARCHMODE = static_cast<int>(mode);
            m_search.SetSimpleMode(mode);
        });
    }
}

}  // namespace zq
