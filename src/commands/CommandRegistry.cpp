#include "commands/CommandRegistry.h"

#include "commands/CommandText.h"

namespace zq {

namespace {

// The common routine: commands that behave the same whichever mode has the
// focus.  Some are not in any table ("@MciCdVolumeUp"), so that a hand-written
// assignment still reaches them.
const wchar_t* const kCommonCommands[] = {
#define ZQ_COMMON(id) L"@" #id,
#include "commands/CommonCommands.inc"
#undef ZQ_COMMON
};

}  // namespace

std::span<const wchar_t* const> CommonCommandNames() {
    return kCommonCommands;
}

bool IsCommonCommand(std::wstring_view word) {
    for (const wchar_t* name : kCommonCommands)
        if (word == name) return true;
    return false;
}

void CommandRegistry::Register(CommandId id, CommandHandler handler) {
    m_mode[static_cast<int>(id.group)].insert_or_assign(std::wstring(CommandName(id)), std::move(handler));
}

void CommandRegistry::Wrap(CommandId id,
                           std::function<void(const CommandCall&, const CommandHandler& earlier)> handler) {
    auto& handlers = m_mode[static_cast<int>(id.group)];
    const std::wstring name(CommandName(id));
    const auto found = handlers.find(name);
    CommandHandler earlier = found != handlers.end() ? found->second : CommandHandler();
    handlers.insert_or_assign(name, [earlier = std::move(earlier), handler = std::move(handler)](
                                        const CommandCall& call) { handler(call, earlier); });
}

void CommandRegistry::RegisterCommon(CommonCommandId id, CommandHandler handler) {
    m_common.insert_or_assign(std::wstring(CommandName(id)), std::move(handler));
}

void CommandRegistry::RegisterCommon(CommandId id, CommandHandler handler) {
    m_common.insert_or_assign(std::wstring(CommandName(id)), std::move(handler));
}

void CommandRegistry::RegisterMenu(unsigned menuId, CommandHandler handler) {
    m_menu.insert_or_assign(menuId, std::move(handler));
}

const CommandHandler* CommandRegistry::Resolve(ModeGroup group, std::wstring_view word) const {
    const auto& own = m_mode[static_cast<int>(group)];
    if (auto it = own.find(word); it != own.end() && it->second) return &it->second;
    if (auto it = m_common.find(word); it != m_common.end() && it->second) return &it->second;
    if (const StructCommand* row = FindCommand(group, word); row != nullptr && row->menuId != 0) {
        if (auto it = m_menu.find(row->menuId); it != m_menu.end() && it->second) return &it->second;
    }
    return nullptr;
}

ICommandTarget* CommandRegistry::TargetFor(ModeGroup group, std::wstring_view word, CommandId& id) const {
    if (!m_target) return nullptr;
    ICommandTarget* target = m_target();
    if (target == nullptr) return nullptr;
    const std::optional<CommandId> found = FindCommandId(group, word);
    if (!found || !target->CanRun(*found)) return nullptr;
    id = *found;
    return target;
}

bool CommandRegistry::HasHandler(ModeGroup group, std::wstring_view name) const {
    CommandId id{};
    return TargetFor(group, name, id) != nullptr || Resolve(group, name) != nullptr;
}

bool CommandRegistry::CanRunMenu(ModeGroup group, unsigned menuId) const {
    if (auto it = m_menu.find(menuId); it != m_menu.end() && it->second) return true;
    const StructCommand* row = FindCommandByMenuId(group, menuId);
    return row != nullptr && HasHandler(group, row->name);
}

RouteResult CommandRegistry::Route(ModeGroup group, std::wstring_view text) const {
    const std::wstring_view word = CommandWord(text);
    if (word.empty()) return RouteResult::NotACommand;
    const CommandCall call{group, word, CommandArgument(text), text};
    CommandId id{};
    if (ICommandTarget* target = TargetFor(group, word, id); target != nullptr && target->Run(id, call))
        return RouteResult::Ran;
    if (const CommandHandler* handler = Resolve(group, word)) {
        (*handler)(call);
        return RouteResult::Ran;
    }
    const bool known = FindCommand(group, word) != nullptr || IsCommonCommand(word) ||
                       m_mode[static_cast<int>(group)].contains(word) || m_common.contains(word);
    return known ? RouteResult::NoHandler : RouteResult::NotACommand;
}

RouteResult CommandRegistry::RunMenu(ModeGroup group, unsigned menuId) const {
    const StructCommand* row = FindCommandByMenuId(group, menuId);
    const std::wstring_view name = row != nullptr ? std::wstring_view(row->name) : std::wstring_view{};
    if (auto it = m_menu.find(menuId); it != m_menu.end() && it->second) {
        it->second(CommandCall{group, name, {}, name});
        return RouteResult::Ran;
    }
    if (row == nullptr) return RouteResult::NotACommand;
    return Route(group, name);
}

}  // namespace zq
