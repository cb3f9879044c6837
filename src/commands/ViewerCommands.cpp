// The Viewer command table: every command a key or menu can start in this mode,
// in the order the key-configuration dialog lists them.
#include "commands/CommandTableData.h"
#include "resource.h"

namespace zq::commands_data {

const wchar_t* const kViewerCategories[] = {
    L"通常操作関係", L"特殊操作", L"表示設定", L"設定", L"コントロールパネル", L"マルチメディア",
};
const std::size_t kViewerCategoryCount = std::size(kViewerCategories);

const StructCommand kViewerCommands[] = {
#define ZQ_COMMAND(id, description, menuId, needsFile, category) {L"@" #id, description, menuId, needsFile, category},
#define ZQ_COMMAND_AS(id, name, description, menuId, needsFile, category) \
    {name, description, menuId, needsFile, category},
#include "commands/ViewerCommands.inc"
#undef ZQ_COMMAND
#undef ZQ_COMMAND_AS
};
const std::size_t kViewerCommandCount = std::size(kViewerCommands);

}  // namespace zq::commands_data
