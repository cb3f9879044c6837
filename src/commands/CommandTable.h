#pragma once
// The four command tables (Filer, Viewer, Graphic, BinaryEditor).  Every
// operation a key or a menu item can start is one row; the key-configuration
// dialogs, the key dispatcher and the menu routing all walk these rows through
// the routines below instead of keeping lists of their own.
//
//   const StructCommand* c = FindCommand(ModeGroup::Filer, L"@Copy");
//   c->menuId  -> the menu item that runs the same operation (0: none)
#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

namespace zq {

// The mode groups in the order of the settings sections and of the tables.
enum class ModeGroup : int { Filer = 0, Viewer = 1, Graphic = 2, BinaryEditor = 3 };
inline constexpr int kModeGroupCount = 4;
inline constexpr ModeGroup kAllModeGroups[kModeGroupCount] = {ModeGroup::Filer, ModeGroup::Viewer, ModeGroup::Graphic,
                                                              ModeGroup::BinaryEditor};

inline constexpr std::size_t kCommandNameCapacity = 30;         // 29 units and the terminator
inline constexpr std::size_t kCommandDescriptionCapacity = 60;  // 59 units and the terminator

struct StructCommand {
    const wchar_t* name;         // "@" and a word
    const wchar_t* description;  // shown in the key-configuration dialogs
    unsigned menuId;             // menu item of the same operation, 0 when none
    bool needsFile;              // Filer only: acts on the file under the cursor
    int category;                // index into the table's category names
};

struct CommandTable {
    std::span<const StructCommand> commands;
    std::span<const wchar_t* const> categories;
};

[[nodiscard]] const CommandTable& CommandTableOf(ModeGroup group);

// Exact comparison: dispatch never matches "@copy" to "@Copy".
[[nodiscard]] const StructCommand* FindCommand(ModeGroup group, std::wstring_view name);

// The first row of the table that carries the menu identifier; null for 0.
[[nodiscard]] const StructCommand* FindCommandByMenuId(ModeGroup group, unsigned menuId);

// The rows of one category in table order, as the key-configuration dialogs list them.
[[nodiscard]] std::vector<const StructCommand*> CommandsInCategory(ModeGroup group, int category);

}  // namespace zq
