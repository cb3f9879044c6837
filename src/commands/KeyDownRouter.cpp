#include "commands/KeyDownRouter.h"

#include "commands/KeyTable.h"
#include "commands/ModeMasks.h"

namespace zq {

KeyOutcome KeyDownRouter::OnKeyDown(unsigned virtualKey, int modifier) {
    if (virtualKey == kVirtualKeyApps) {
        m_hooks.CancelKeyDirectoryJump();
        if (m_settings.enableMenuButton) {
            m_hooks.OpenPaneContextMenus();
            return KeyOutcome::Intercepted;
        }
    } else if (virtualKey == kVirtualKeyReturn) {
        if (m_settings.incModeNeglectReturn && m_hooks.ActivePaneInMode(pane_mode::kFileCursorListings) &&
            m_hooks.IncrementalSearchActive()) {
            m_hooks.EndIncrementalSearch();
        } else {
            m_hooks.RunReturnAction();
        }
        return KeyOutcome::Intercepted;
    }

    if (m_hooks.ActivePaneInMode(pane_mode::kFilerDispatchGroup)) {
        if (m_hooks.KeyDirectoryJumpPending()) {
            const int index = FindKeyIndex(virtualKey);
            m_hooks.RunKeyDirectoryJump(index >= 0 ? KeyTable()[index].name : L"");
            return KeyOutcome::Intercepted;
        }
        if (m_hooks.OfferToIncrementalSearch(virtualKey, modifier)) return KeyOutcome::Intercepted;
        const bool letter = virtualKey >= 'A' && virtualKey <= 'Z';
        if (letter && modifier >= 0 && modifier < 3 && m_settings.driveListCurJump[modifier] &&
            m_hooks.ActivePaneInMode(pane_mode::kDriveList)) {
            m_hooks.MoveCursorToDrive(static_cast<wchar_t>(virtualKey), m_settings.driveListChangeDriveByKey);
            return KeyOutcome::Intercepted;
        }
    }
    return m_dispatcher.Dispatch(virtualKey, modifier);
}

KeyOutcome KeyDownRouter::OnSystemKeyDown(unsigned virtualKey, bool altDown, bool shiftDown, bool ctrlDown) {
    if (altDown) {
        const KeyOutcome outcome = m_dispatcher.Dispatch(virtualKey, kModifierAlt);
        if (IsConsumed(outcome)) return outcome;
    }
    if (virtualKey == kVirtualKeyF10) return OnKeyDown(virtualKey, ModifierIndex(shiftDown, ctrlDown));
    return KeyOutcome::NotConsumed;
}

}  // namespace zq
