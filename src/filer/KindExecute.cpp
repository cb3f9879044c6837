#include "filer/KindExecute.h"

#include <windows.h>

#include "filer/FilerPath.h"
#include "common/Paths.h"

namespace zq {

std::wstring_view ExtensionOf(std::wstring_view name) {
    const size_t dot = name.rfind(L'.');
    return dot == std::wstring_view::npos ? std::wstring_view{} : name.substr(dot + 1);
}

std::vector<int> MatchingKindRows(const KindTable& table, std::wstring_view fileName, bool all) {
    std::vector<int> rows;
    const size_t dot = fileName.rfind(L'.');
    if (dot == std::wstring_view::npos) return rows;  // no dot, no extension to match
    const std::wstring_view extension = fileName.substr(dot + 1);
    for (size_t i = 0; i < table.size(); ++i) {
        if (table[i].name.empty() || !SameIgnoringCase(table[i].name, extension)) continue;
        rows.push_back(static_cast<int>(i));
        if (!all) break;
    }
    return rows;
}

bool UseShiftTable(bool shift, bool sameReturnShift, bool loopMode) {
    return shift && !sameReturnShift && !loopMode;
}

KindAction ActionOfRow(const Settings::KindExe& row, bool loopMode) {
    const bool command = row.exe.starts_with(L'@');
    const bool plugin = row.exe.starts_with(L'#');
    if (loopMode) {
        if (command || plugin || !HasCursorMacro(row.param)) return KindAction::Refused;
        return KindAction::LoopDialog;
    }
    if (HasPerFileMacro(row.param)) return KindAction::LoopDialog;
    if (command) return KindAction::Command;
    if (plugin) return KindAction::Plugin;
    return KindAction::Program;
}

std::optional<std::vector<ProgramRun>> PlanProgramRuns(const std::wstring& program, const std::wstring& parameters,
                                                       const MacroContext& context) {
    // The probe: both templates must expand before anything runs.
    const std::optional<std::wstring> firstProgram = ExpandMacros(program, context, 0);
    const std::optional<std::wstring> firstParameters = ExpandMacros(parameters, context, 0);
    if (!firstProgram || !firstParameters) return std::nullopt;
    std::vector<ProgramRun> runs;
    if (!HasPerFileMacro(program) && !HasPerFileMacro(parameters)) {
        runs.push_back({*firstProgram, *firstParameters});
        return runs;
    }
    for (int pass = 0;; ++pass) {
        const std::optional<std::wstring> p = ExpandMacros(program, context, pass);
        const std::optional<std::wstring> a = ExpandMacros(parameters, context, pass);
        if (!p || !a) break;
        runs.push_back({*p, *a});
    }
    return runs;
}

}  // namespace zq
