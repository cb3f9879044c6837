#pragma once
// Where the features plug their command handlers in, and the routing of a
// command text or a menu item to them.
//
// Registering: each feature adds ONE entry per command, at view creation:
//
//   registry.Register(cmd::filer::Copy, [this](const CommandCall&) { StartCopy(); });
//   registry.RegisterCommon(cmd::common::Displayset3, ...);  // every mode's routine falls back to these
//   registry.RegisterMenu(IDM_FILERKEY, ...);           // also reached by "@Filerkey", whose row has that menu item
//
// Routing a text (exact comparison of the word before the first blank):
// the mode's handler, else the common handler, else the handler of the
// command's menu item.  A known command without any handler is a no-op that
// answers NoHandler; a text that names no command answers NotACommand.
#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "commands/CommandIds.h"
#include "commands/CommandTable.h"

namespace zq {

struct CommandCall {
    ModeGroup group;
    std::wstring_view name;      // the command word, "@Keyjumpdir"
    std::wstring_view argument;  // after the first blank: "C:\\Tools"; "" when none
    std::wstring_view text;      // the whole text as assigned
};

using CommandHandler = std::function<void(const CommandCall&)>;

// Answers commands before the registered handlers: the content of the focused pane.
class ICommandTarget {
  public:
    virtual ~ICommandTarget() = default;
    [[nodiscard]] virtual bool CanRun(CommandId id) const = 0;
    // False when it did not run after all; the registered handler then runs.
    virtual bool Run(CommandId id, const CommandCall& call) = 0;
};

enum class RouteResult {
    Ran,          // a handler ran
    NoHandler,    // a command of the mode or the common routine, but nothing is registered for it
    NotACommand,  // neither the mode's table nor the common routine knows the word
};

// The words that the common routine knows in every mode.
[[nodiscard]] std::span<const wchar_t* const> CommonCommandNames();
[[nodiscard]] bool IsCommonCommand(std::wstring_view word);

class CommandRegistry {
  public:
    // A later registration of the same command replaces the earlier one.
    void Register(CommandId id, CommandHandler handler);
    // Puts `handler` in front of the one registered so far, which it is given
    // to fall back to (an empty one when there was none).
    void Wrap(CommandId id, std::function<void(const CommandCall&, const CommandHandler& earlier)> handler);
    void RegisterCommon(CommonCommandId id, CommandHandler handler);
    // A table command that every mode runs alike: reached by its word in
    // every mode whose own table has no handler for it.
    void RegisterCommon(CommandId id, CommandHandler handler);
    void RegisterMenu(unsigned menuId, CommandHandler handler);
    // Asked first for every command of a mode's table; may answer null.
    void SetTarget(std::function<ICommandTarget*()> target) { m_target = std::move(target); }

    // The routine of a mode group: its own table, then the common routine.
    [[nodiscard]] RouteResult Route(ModeGroup group, std::wstring_view text) const;

    // A menu command: its own handler, else the command whose row in the
    // group's table carries the menu item.  Calls from a menu item carry the
    // item's command name and an empty argument.
    [[nodiscard]] RouteResult RunMenu(ModeGroup group, unsigned menuId) const;

    [[nodiscard]] bool HasHandler(ModeGroup group, std::wstring_view name) const;
    // Whether RunMenu would run a handler for the item; a menu item for which
    // this is false is shown disabled.
    [[nodiscard]] bool CanRunMenu(ModeGroup group, unsigned menuId) const;

  private:
    [[nodiscard]] const CommandHandler* Resolve(ModeGroup group, std::wstring_view word) const;
    [[nodiscard]] ICommandTarget* TargetFor(ModeGroup group, std::wstring_view word, CommandId& id) const;

    std::map<std::wstring, CommandHandler, std::less<>> m_mode[kModeGroupCount];
    std::map<std::wstring, CommandHandler, std::less<>> m_common;
    std::map<unsigned, CommandHandler> m_menu;
    std::function<ICommandTarget*()> m_target;
};

}  // namespace zq
