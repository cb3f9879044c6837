#include "commands/PaneModes.h"

namespace zq {

PaneModes::PaneModes() {
    m_panes[0] = {pane_state::kFocused, pane_mode::kDirectory, 1};
    m_panes[1] = {pane_state::kOther, pane_mode::kDirectory, 1};
}

void PaneModes::Set(int pane, uint32_t state, uint32_t mode, uint32_t subMode) {
    StructPaneMode& p = m_panes.at(static_cast<size_t>(pane));
    const bool changed = p.state != state || p.mode != mode || p.subMode != subMode;
    p = {state, mode, subMode};
    if (changed && m_observer) m_observer();
}

void PaneModes::ExchangeContents() {
    const StructPaneMode first = m_panes[0];
    const StructPaneMode second = m_panes[1];
    Set(0, first.state, second.mode, second.subMode);
    Set(1, second.state, first.mode, first.subMode);
}

bool PaneModes::Qualifies(int pane, uint32_t stateMask, uint32_t modeMask, uint32_t subModeMask) const {
    const StructPaneMode& p = m_panes.at(static_cast<size_t>(pane));
    const uint32_t effectiveState = stateMask != 0 ? stateMask : (pane_state::kFocused | pane_state::kOther);
    if ((p.state & effectiveState) == 0) return false;
    if (modeMask != 0 && (p.mode & modeMask) == 0) return false;
    if (subModeMask != 0 && (p.subMode & subModeMask) == 0) return false;
    return true;
}

bool PaneModes::Query(int pane, uint32_t stateMask, uint32_t modeMask, uint32_t subModeMask) const {
    return FindPane(pane, stateMask, modeMask, subModeMask) >= 0;
}

int PaneModes::FindPane(int pane, uint32_t stateMask, uint32_t modeMask, uint32_t subModeMask) const {
    if (pane == kEither) {
        for (int i = 0; i < 2; ++i) {
            if (Qualifies(i, stateMask, modeMask, subModeMask)) return i;
        }
        return -1;
    }
    if (pane < 0 || pane > 1) return -1;
    return Qualifies(pane, stateMask, modeMask, subModeMask) ? pane : -1;
}

}  // namespace zq
