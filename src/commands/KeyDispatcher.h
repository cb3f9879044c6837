#pragma once
// Turns a key press (virtual key and modifier index) into the command bound
// to it in the mode group of the focused pane, and runs it.  No window code:
// the view passes itself in as the host.
//
//   KeyDispatcher dispatcher(keys, registry, host);
//   KeyOutcome o = dispatcher.Dispatch('C', kModifierCtrl);
//   if (!IsConsumed(o)) ...  // leave the key to the window's default handling
//
// Assignment forms (see CommandText.h): "@Windowtotasktray" goes to the host
// in every mode; in the Filer a text that is no command goes to the plug-in
// runner ("#..."), to the association path ("@Defaultexe ...") or to the
// program runner; in the other modes only the mode's routine is asked.
#include <string>
#include <string_view>

#include "commands/CommandRegistry.h"
#include "commands/KeyAssignments.h"

namespace zq {

enum class KeyOutcome {
    NotConsumed,  // no key record or an empty assignment: default handling
    Consumed,     // taken without effect (no mode group, modifier out of range, unknown text)
    Ran,          // a handler, the task tray, the plug-in runner or the program runner ran
    NoHandler,    // a known command with no registered handler: taken, nothing happened
    Intercepted,  // taken by the key-down steps before the dispatch (KeyDownRouter)
};

[[nodiscard]] constexpr bool IsConsumed(KeyOutcome o) {
    return o != KeyOutcome::NotConsumed;
}

struct ProgramCall {
    std::wstring program;
    std::wstring parameters;
    bool throughAssociation = false;  // "@Defaultexe": run the way opening the file would
};

class IKeyDispatchHost {
  public:
    virtual ~IKeyDispatchHost() = default;
    // Mode query over the shown panes (pane -1, shown, this mode mask).
    [[nodiscard]] virtual bool ShownPaneInMode(std::uint32_t modeMask) const = 0;
    // Mode query on the pane with the focus.
    [[nodiscard]] virtual bool ActivePaneInMode(std::uint32_t modeMask) const = 0;
    virtual void HideToTaskTray(int modifier, unsigned virtualKey) = 0;
    // False when the text names no listed plug-in.
    virtual bool RunPluginCommand(std::wstring_view text) = 0;
    virtual void RunProgram(const ProgramCall& call) = 0;
};

class KeyDispatcher {
  public:
    KeyDispatcher(const KeyAssignments& keys, const CommandRegistry& registry, IKeyDispatchHost& host)
        : m_keys(keys), m_registry(registry), m_host(host) {}

    [[nodiscard]] KeyOutcome Dispatch(unsigned virtualKey, int modifier);

    // The text of an assignment run in a group, as a key would run it.
    [[nodiscard]] KeyOutcome RunAssignment(ModeGroup group, std::wstring_view text, int modifier, unsigned virtualKey);

  private:
    [[nodiscard]] KeyOutcome RunFilerFallback(std::wstring_view text);

    const KeyAssignments& m_keys;
    const CommandRegistry& m_registry;
    IKeyDispatchHost& m_host;
};

}  // namespace zq
