// The Filer command table: every command a key or menu can start in this mode,
// in the order the key-configuration dialog lists them.
#include "commands/CommandTableData.h"
#include "resource.h"

namespace zq::commands_data {

const wchar_t* const kFilerCategories[] = {
    L"ファイル操作関係",
    L"疑似Windowsファイル操作関係",
    L"ファイル選択関係",
    L"ドライブ変更",
    L"特殊操作",
    L"表示設定",
    L"設定",
    L"カーソル関係",
    L"コントロールパネル",
    L"マルチメディア",
};
const std::size_t kFilerCategoryCount = std::size(kFilerCategories);

const StructCommand kFilerCommands[] = {
#define ZQ_COMMAND(id, description, menuId, needsFile, category) {L"@" #id, description, menuId, needsFile, category},
#define ZQ_COMMAND_AS(id, name, description, menuId, needsFile, category) \
    {name, description, menuId, needsFile, category},
#include "commands/FilerCommands.inc"
#undef ZQ_COMMAND
#undef ZQ_COMMAND_AS
};
const std::size_t kFilerCommandCount = std::size(kFilerCommands);

}  // namespace zq::commands_data
