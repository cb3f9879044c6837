#pragma once
// The routing of a menu command: the identifier ranges that the view handles
// itself, and everything else through the command registry.  The same rules
// decide whether a menu item is enabled, so an item that would run nothing is
// shown disabled instead of doing nothing when chosen.
//
//   MenuRouter router(registry);
//   router.SetRange(MenuIdKind::ControlPanel, items.size(), [](int n) { Open(items[n]); });
//   WM_INITMENUPOPUP: router.UpdatePopup(popup, group);
//   WM_COMMAND:       if (router.Run(group, id)) Redraw();
#include <windows.h>

#include <array>
#include <cstddef>
#include <functional>
#include <string>

#include "commands/CommandRegistry.h"

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

inline constexpr unsigned kMenuFindResults = 1396;
inline constexpr unsigned kMenuDynamicFirst = 1378;
inline constexpr unsigned kMenuDynamicSlots = 10;
inline constexpr unsigned kMenuShellFirst = 10000;
inline constexpr unsigned kMenuShellLast = 50000;

[[nodiscard]] MenuIdClass ClassifyMenuId(unsigned id, std::size_t controlPanelItems, bool shellMenuOpen);

// Calls fn(position, id) for each item of the popup that runs a command
// (submenus and separators left out).
void ForEachCommandItem(HMENU popup, const std::function<void(UINT position, UINT id)>& fn);
// Replaces an item's label; item is a position or a command identifier.
void SetMenuItemLabel(HMENU menu, UINT item, bool byPosition, const std::wstring& label);

class MenuRouter {
  public:
    using RangeHandler = std::function<void(int index)>;

    explicit MenuRouter(const CommandRegistry& registry) : m_registry(registry) {}

    // The handler of one identifier range (control panel, plug-ins, dynamic
    // list, shell verbs) and how many of its entries exist now; entries from
    // count on are disabled.  1185 and 1396 are registered as menu commands.
    void SetRange(MenuIdKind kind, std::size_t count, RangeHandler handler);
    void SetRangeCount(MenuIdKind kind, std::size_t count);
    void SetShellMenuOpen(bool open) noexcept { m_shellMenuOpen = open; }

    [[nodiscard]] bool CanRun(ModeGroup group, unsigned id) const;
    // Runs the item's handler; false when nothing ran.
    bool Run(ModeGroup group, unsigned id) const;

    // Enables the items of one popup (not its submenus, which get their own
    // update request) that would run something and grays the others.
    void UpdatePopup(HMENU popup, ModeGroup group) const;

  private:
    struct Range {
        std::size_t count = 0;
        RangeHandler handler;
    };
    [[nodiscard]] const Range* RangeFor(MenuIdClass c) const;

    const CommandRegistry& m_registry;
    std::array<Range, static_cast<std::size_t>(MenuIdKind::Other)> m_ranges;
    bool m_shellMenuOpen = false;
};

}  // namespace zq
