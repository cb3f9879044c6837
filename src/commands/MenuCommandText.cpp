#include "commands/MenuCommandText.h"

#include "resource.h"

namespace zq {

namespace {

constexpr std::wstring_view kKeyOpen = L"  [";

std::wstring_view WithoutKeyDecoration(std::wstring_view label) {
    if (label.empty() || label.back() != L']') return label;
    const std::size_t open = label.rfind(kKeyOpen);
    return open == std::wstring_view::npos ? label : label.substr(0, open);
}

}  // namespace

std::wstring PluginCommandText(std::wstring_view keyText, std::wstring_view fileName) {
    std::wstring text(keyText);
    text += L',';
    text += fileName;
    return text;
}

std::optional<std::wstring> CommandTextForMenuItem(unsigned menuId, const ModeQuery& shownPaneIn,
                                                   const MenuTextSources& sources) {
    if (menuId >= IDM_PLUGIN_FIRST && menuId <= IDM_PLUGIN_LAST) {
        const std::size_t n = menuId - IDM_PLUGIN_FIRST;
        if (n < sources.pluginTexts.size()) return sources.pluginTexts[n];
        return std::nullopt;
    }
    if (menuId >= IDM_CPL_FIRST && menuId - IDM_CPL_FIRST < sources.cplTexts.size())
        return sources.cplTexts[menuId - IDM_CPL_FIRST];
    const auto group = MenuCommandGroup(shownPaneIn);
    if (!group) return std::nullopt;
    if (const StructCommand* row = FindCommandByMenuId(*group, menuId)) return std::wstring(row->name);
    return std::nullopt;
}

std::wstring LabelWithKey(std::wstring_view label, std::wstring_view keyText) {
    std::wstring text(WithoutKeyDecoration(label));
    text += kKeyOpen;
    text += keyText;
    text += L']';
    return text;
}

std::optional<std::wstring> MenuLabelWithKey(unsigned menuId, std::wstring_view label, const ModeQuery& shownPaneIn,
                                             const KeyAssignments& keys, const MenuTextSources& sources) {
    const auto command = CommandTextForMenuItem(menuId, shownPaneIn, sources);
    if (!command) return std::nullopt;
    const auto group = MenuCommandGroup(shownPaneIn);
    if (!group) return std::nullopt;
    const auto keyText = keys.KeyTextFor(*group, *command);
    if (!keyText) return std::nullopt;
    return LabelWithKey(label, *keyText);
}

}  // namespace zq
