#include "commands/HiddenMenuEditor.h"

namespace zq {

std::vector<std::wstring> HiddenMenuEditor::ModeNames() {
    std::vector<std::wstring> names;
    for (const StructMenuMode& mode : MenuModeTable()) names.emplace_back(mode.modeName);
    return names;
}

std::vector<HiddenMenuItem> HiddenMenuEditor::Items(int mode) const {
    std::vector<HiddenMenuItem> items;
    if (mode < 0 || mode >= kMenuModeCount) return items;
    const StructMenuMode& record = MenuModeTable()[static_cast<std::size_t>(mode)];
    for (int p = 0; p < record.popupCount; ++p) {
        const bool plugin = record.popups[p] == kPluginPopupLabel;
        items.push_back({record.popups[p], m_flags.Hidden(mode, p), plugin});
    }
    return items;
}

void HiddenMenuEditor::SetHidden(int mode, int popup, bool hidden) {
    if (mode < 0 || mode >= kMenuModeCount) return;
    if (popup < 0 || popup >= MenuModeTable()[static_cast<std::size_t>(mode)].popupCount) return;
    m_flags.SetHidden(mode, popup, hidden);
}

}  // namespace zq
