#include "commands/CommandIds.h"

#include "commands/CommandRegistry.h"

namespace zq {

std::wstring_view CommandName(CommandId id) {
    return CommandTableOf(id.group).commands[id.index].name;
}

std::wstring_view CommandName(CommonCommandId id) {
    return CommonCommandNames()[id.index];
}

std::optional<CommandId> FindCommandId(ModeGroup group, std::wstring_view name) {
    const auto rows = CommandTableOf(group).commands;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (name == rows[i].name) return CommandId{group, static_cast<std::uint16_t>(i)};
    return std::nullopt;
}

std::optional<CommonCommandId> FindCommonCommandId(std::wstring_view name) {
    const auto names = CommonCommandNames();
    for (std::size_t i = 0; i < names.size(); ++i)
        if (name == names[i]) return CommonCommandId{static_cast<std::uint16_t>(i)};
    return std::nullopt;
}

}  // namespace zq
