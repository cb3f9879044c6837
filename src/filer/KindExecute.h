#pragma once
// Opening a file by its extension: the rows of the extension tables that
// match a file, what a chosen row does (a filer command, a plug-in, a program
// run once or once per selected file, the loop dialog), and the program runs
// a row expands to.  The window side (ViewFilerExecute.cpp) asks the user,
// starts the programs and falls back to the association or the viewer.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "filer/CommandMacros.h"
#include "settings/Settings.h"

namespace zq {

using KindTable = std::array<Settings::KindExe, 80>;

// The text after the last "." of a name; empty when it has none.
[[nodiscard]] std::wstring_view ExtensionOf(std::wstring_view name);
// The rows whose extension equals the file's (ignoring case); only the first unless `all`.
[[nodiscard]] std::vector<int> MatchingKindRows(const KindTable& table, std::wstring_view fileName, bool all);
// The Shift table when Shift is held, SAMERETURNSHIFT is off and this is not a loop run.
[[nodiscard]] bool UseShiftTable(bool shift, bool sameReturnShift, bool loopMode);

enum class KindAction {
    Refused,     // not handled: the caller falls back
    Command,     // the program names a filer command ("@…")
    Plugin,      // the program names a plug-in ("#…")
    Program,     // run with RunProgram
    LoopDialog,  // the loop-execution dialog runs it per selected file
};
[[nodiscard]] KindAction ActionOfRow(const Settings::KindExe& row, bool loopMode);

struct ProgramRun {
    std::wstring program;
    std::wstring parameters;
};
// What RunProgram starts for a program and its parameters: one run, or one
// per selected entry when a per-file macro is there; none when the templates
// do not expand (then nothing runs at all).
[[nodiscard]] std::optional<std::vector<ProgramRun>> PlanProgramRuns(const std::wstring& program,
                                                                     const std::wstring& parameters,
                                                                     const MacroContext& context);

}  // namespace zq
