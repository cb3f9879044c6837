#include "commands/CommandTable.h"

#include "commands/CommandTableData.h"

namespace zq {

const CommandTable& CommandTableOf(ModeGroup group) {
    using namespace commands_data;
    // Built on first use: the row arrays live in other translation units, so
    // their sizes are not constant expressions here.
    static const CommandTable tables[kModeGroupCount] = {
        {{kFilerCommands, kFilerCommandCount}, {kFilerCategories, kFilerCategoryCount}},
        {{kViewerCommands, kViewerCommandCount}, {kViewerCategories, kViewerCategoryCount}},
        {{kGraphicCommands, kGraphicCommandCount}, {kGraphicCategories, kGraphicCategoryCount}},
        {{kBinaryEditorCommands, kBinaryEditorCommandCount}, {kBinaryEditorCategories, kBinaryEditorCategoryCount}},
    };
    return tables[static_cast<int>(group)];
}

const StructCommand* FindCommand(ModeGroup group, std::wstring_view name) {
    for (const StructCommand& c : CommandTableOf(group).commands)
        if (name == c.name) return &c;
    return nullptr;
}

const StructCommand* FindCommandByMenuId(ModeGroup group, unsigned menuId) {
    if (menuId == 0) return nullptr;
    for (const StructCommand& c : CommandTableOf(group).commands)
        if (c.menuId == menuId) return &c;
    return nullptr;
}

std::vector<const StructCommand*> CommandsInCategory(ModeGroup group, int category) {
    std::vector<const StructCommand*> rows;
    for (const StructCommand& c : CommandTableOf(group).commands)
        if (c.category == category) rows.push_back(&c);
    return rows;
}

}  // namespace zq
