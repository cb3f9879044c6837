#pragma once
// Which command a menu item stands for, and the "  [key]" that a menu item
// shows when VIEWMENUCOMMAND is on.
//
//   MenuTextSources src{pluginTexts, cplTexts};
//   if (auto label = MenuLabelWithKey(id, plainLabel, shownPaneIn, keys, src)) SetItemText(id, *label);
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "commands/KeyAssignments.h"
#include "commands/ModeMasks.h"

namespace zq {

// The command texts of the items that are not table rows: the plug-ins
// (3050 + n, "P_KEYSTR,P_NAME") and the control-panel items (3000 + n,
// "@Defaultcpl ..."), in list order.
struct MenuTextSources {
    std::span<const std::wstring> pluginTexts;
    std::span<const std::wstring> cplTexts;
};

// "P_KEYSTR" and "P_NAME" joined by a comma: a plug-in's command text.
[[nodiscard]] std::wstring PluginCommandText(std::wstring_view keyText, std::wstring_view fileName);

// The command text of a menu item: plug-in, control-panel item, or the name
// of the first row with that menu item in the current mode group's table
// (Filer 0x3188, Viewer, Graphic, BinaryEditor).  Nothing when none.
[[nodiscard]] std::optional<std::wstring> CommandTextForMenuItem(unsigned menuId, const ModeQuery& shownPaneIn,
                                                                 const MenuTextSources& sources);

// label + "  [" + key text + "]".  A label that already ends in a key
// decoration has it replaced, so that repeated updates do not pile up.
[[nodiscard]] std::wstring LabelWithKey(std::wstring_view label, std::wstring_view keyText);

// The decorated label of a menu item, or nothing when the item has no command
// or its command no key (the label then stays as it is).
[[nodiscard]] std::optional<std::wstring> MenuLabelWithKey(unsigned menuId, std::wstring_view label,
                                                           const ModeQuery& shownPaneIn, const KeyAssignments& keys,
                                                           const MenuTextSources& sources);

}  // namespace zq
