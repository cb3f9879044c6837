#include "commands/KeyDispatcher.h"

#include "commands/CommandText.h"
#include "commands/ModeMasks.h"

namespace zq {

namespace {

KeyOutcome FromRoute(RouteResult r) {
    switch (r) {
        case RouteResult::Ran:
            return KeyOutcome::Ran;
        case RouteResult::NoHandler:
            return KeyOutcome::NoHandler;
        case RouteResult::NotACommand:
            break;
    }
    return KeyOutcome::Consumed;
}

}  // namespace

KeyOutcome KeyDispatcher::Dispatch(unsigned virtualKey, int modifier) {
    // Shift+Ctrl and the like never reach here with their own index; an
    // index beyond Alt has no assignments, so the key is swallowed.
    if (modifier < 0 || modifier >= kModifierCount) return KeyOutcome::Consumed;
    if (FindKeyIndex(virtualKey) < 0) return KeyOutcome::NotConsumed;
    // The keys are those of the pane being worked in: a Viewer beside a Filer
    // listing must get the Viewer's keys.  Only when the focused pane is in
    // no group do the shown panes decide, in the dispatch order.
    auto group = KeyDispatchGroup([this](std::uint32_t mask) { return m_host.ActivePaneInMode(mask); });
    if (!group) group = KeyDispatchGroup([this](std::uint32_t mask) { return m_host.ShownPaneInMode(mask); });
    if (!group) return KeyOutcome::Consumed;
    const std::wstring* text = m_keys.Find(*group, virtualKey, modifier);
    if (text == nullptr || text->empty()) return KeyOutcome::NotConsumed;
    return RunAssignment(*group, *text, modifier, virtualKey);
}

KeyOutcome KeyDispatcher::RunAssignment(ModeGroup group, std::wstring_view text, int modifier, unsigned virtualKey) {
    if (text.empty()) return KeyOutcome::NotConsumed;
    if (text == kTaskTrayCommand) {
        m_host.HideToTaskTray(modifier, virtualKey);
        return KeyOutcome::Ran;
    }
    const RouteResult routed = m_registry.Route(group, text);
    if (group != ModeGroup::Filer || routed != RouteResult::NotACommand) return FromRoute(routed);
    return RunFilerFallback(text);
}

KeyOutcome KeyDispatcher::RunFilerFallback(std::wstring_view text) {
    const ParsedAssignment parsed = ParseAssignment(text);
    switch (parsed.form) {
        case AssignmentForm::Plugin:
            return m_host.RunPluginCommand(text) ? KeyOutcome::Ran : KeyOutcome::Consumed;
        case AssignmentForm::DefaultExe:
            m_host.RunProgram(ProgramCall{parsed.program, parsed.parameters, true});
            return KeyOutcome::Ran;
        case AssignmentForm::Program:
            m_host.RunProgram(ProgramCall{parsed.program, parsed.parameters, false});
            return KeyOutcome::Ran;
        case AssignmentForm::Command:
            // An "@" word that no routine knows (a typing error in the settings
            // file, a command of another mode) is not started as a program.
            return KeyOutcome::Consumed;
        case AssignmentForm::Empty:
        case AssignmentForm::TaskTray:
            break;
    }
    return KeyOutcome::Consumed;
}

}  // namespace zq
