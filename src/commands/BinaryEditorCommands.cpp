// The BinaryEditor command table: every command a key or menu can start in this mode,
// in the order the key-configuration dialog lists them.
#include "commands/CommandTableData.h"
#include "resource.h"

namespace zq::commands_data {

const wchar_t* const kBinaryEditorCategories[] = {
    L"通常操作関係", L"カーソル関係", L"検索関係",           L"データ操作関係", L"特殊操作",
    L"表示設定",     L"設定",         L"コントロールパネル", L"マルチメディア",
};
const std::size_t kBinaryEditorCategoryCount = std::size(kBinaryEditorCategories);

const StructCommand kBinaryEditorCommands[] = {
#define ZQ_COMMAND(id, description, menuId, needsFile, category) {L"@" #id, description, menuId, needsFile, category},
#define ZQ_COMMAND_AS(id, name, description, menuId, needsFile, category) \
    {name, description, menuId, needsFile, category},
#include "commands/BinaryEditorCommands.inc"
#undef ZQ_COMMAND
#undef ZQ_COMMAND_AS
};
const std::size_t kBinaryEditorCommandCount = std::size(kBinaryEditorCommands);

}  // namespace zq::commands_data
