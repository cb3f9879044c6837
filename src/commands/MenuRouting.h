#pragma once
// The identifier ranges of menu commands that the view handles itself rather
// than through the command registry.
//
//   switch (auto c = ClassifyMenuId(id, cplCount, shellMenuOpen); c.kind) {
//   case MenuIdKind::Plugin: plugins.Run(c.index); break;
//   ...
//   case MenuIdKind::Other: registry.RunMenu(group, id); break;
//   }
#include <cstddef>

namespace zq {

enum class MenuIdKind {
    DialogsEnded,     // 1185: an operation dialog ended; purge the lists and refresh
    FindResults,      // 1396: the find dialog's results are ready
    ControlPanel,     // 3000 + n, n below the number of control-panel items
    Plugin,           // 3050 + n, n 0 to 49
    DynamicListSlot,  // 1378 + n, n 0 to 9
    ShellVerb,        // 10000 + n up to 50000, only while a shell context menu is open
    Other,            // a table command's menu item or an item of the view's own switch
};

struct MenuIdClass {
    MenuIdKind kind;
    int index;  // n of the ranges above, 0 otherwise
};

inline constexpr unsigned kMenuDialogsEnded = 1185;
inline constexpr unsigned kMenuFindResults = 1396;
inline constexpr unsigned kMenuDynamicFirst = 1378;
inline constexpr unsigned kMenuDynamicSlots = 10;
inline constexpr unsigned kMenuShellFirst = 10000;
inline constexpr unsigned kMenuShellLast = 50000;

[[nodiscard]] MenuIdClass ClassifyMenuId(unsigned id, std::size_t controlPanelItems, bool shellMenuOpen);

}  // namespace zq
