// Opening files: Enter on a file, @Returnkey, @Execute, @Kindloopexecute,
// @Edit and the launcher (@Lancher).  The extension tables decide first; then the platform's association
// or the first shell verb of the file type, as the settings allow; the text
// viewer is the last resort.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>

#include "commands/CommandRegistry.h"
#include "commands/KeyTable.h"
#include "commands/PaneModes.h"
#include "common/Guard.h"
#include "common/Paths.h"
#include "external/CompanionLibrary.h"
#include "filer/CExecuteDlg.h"
#include "filer/CKindChoiceDlg.h"
#include "filer/FilerPane.h"
#include "filer/FilerPath.h"
#include "filer/KindExecute.h"
#include "filer/ViewFiler.h"
#include "settings/EventSounds.h"
#include "settings/Settings.h"

namespace zq {

namespace {

// ShellExecuteW runs shell extensions inside this process; a crash in one of
// them must not take the program down.  True when it started something.
bool GuardedShellExecute(HWND owner, const wchar_t* verb, const std::wstring& file, const std::wstring& parameters,
                         const std::wstring& directory) {
    INT_PTR result = 0;
    const bool returned = GuardedCall([&] {
        result = reinterpret_cast<INT_PTR>(
            ::ShellExecuteW(owner, verb, file.c_str(), parameters.empty() ? nullptr : parameters.c_str(),
                            directory.empty() ? nullptr : directory.c_str(), SW_SHOWNORMAL));
    });
    return returned && result > 32;
}

// The launcher's entries as the library takes them and back; a text too long
// for its field is cut, as the settings file would cut it.
void CopyLauncherField(wchar_t (&field)[ZQ_LAUNCHER_CHARS], const std::wstring& text) {
    const size_t length = std::min(text.size(), static_cast<size_t>(ZQ_LAUNCHER_CHARS - 1));
    text.copy(field, length);
    field[length] = L'\0';
}

std::vector<StructZqLauncherEntry> LauncherEntries(const std::vector<Settings::Launcher>& launcher) {
    std::vector<StructZqLauncherEntry> entries;
    for (const Settings::Launcher& row : launcher) {
        if (entries.size() == ZQ_LAUNCHER_MAX_ENTRIES) break;
        StructZqLauncherEntry& entry = entries.emplace_back();
        CopyLauncherField(entry.Program, row.exe);
        CopyLauncherField(entry.Parameters, row.param);
        CopyLauncherField(entry.Directory, row.exeDir);
        CopyLauncherField(entry.KeyName, row.key);
    }
    return entries;
}

std::vector<Settings::Launcher> LauncherSettings(const std::vector<StructZqLauncherEntry>& entries) {
    std::vector<Settings::Launcher> launcher;
    // The list is read up to the first empty program: an entry without one would hide the rest.
    for (const StructZqLauncherEntry& entry : entries)
        if (entry.Program[0]) launcher.push_back({entry.Program, entry.Parameters, entry.KeyName, entry.Directory});
    return launcher;
}

// The first verb under the file type's "shell" key, empty when there is none.
std::wstring FirstShellVerb(std::wstring_view extension) {
    if (extension.empty()) return {};
    const std::wstring dotted = L"." + std::wstring(extension);
    wchar_t type[260] = {};
    LONG size = sizeof(type);
    if (::RegQueryValueW(HKEY_CLASSES_ROOT, dotted.c_str(), type, &size) != ERROR_SUCCESS || type[0] == 0) return {};
    HKEY shell = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, (std::wstring(type) + L"\\shell").c_str(), 0, KEY_READ, &shell) !=
        ERROR_SUCCESS)
        return {};
    wchar_t verb[260] = {};
    const LONG found = ::RegEnumKeyW(shell, 0, verb, 260);
    ::RegCloseKey(shell);
    return found == ERROR_SUCCESS ? verb : L"";
}

MacroEntry EntryOf(const FileEntry& entry, const std::wstring& directory) {
    return {directory, entry.cFileName, (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0};
}

std::vector<MacroEntry> SelectionOf(const FilerPane& pane, bool marksOnly) {
    std::vector<MacroEntry> entries;
    if (marksOnly && pane.MarkedCount() == 0) return entries;
    std::wstring directory;
    for (int n = 0;; ++n) {
        const FileEntry* entry = pane.NthSelected(0, n, &directory);
        if (!entry) break;
        if (!IsLinkEntry(*entry)) entries.push_back(EntryOf(*entry, directory));
    }
    return entries;
}

}  // namespace

// The values the macros stand for, taken from the two panes now.
static MacroContext CollectMacroContext(ViewFiler& filer, const ViewContext& context) {
    MacroContext macros;
    const int active = filer.ActivePane();
    FilerPane& pane = filer.Pane(active);
    FilerPane& other = filer.Pane(active ^ 1);
    const FileEntry* under = pane.CursorEntry();
    if (under && !IsLinkEntry(*under)) macros.cursor = EntryOf(*under, pane.Path());
    macros.selection = SelectionOf(pane, false);
    if (context.modes->Query(active, 0, pane_mode::kDirectory)) macros.activeDir = pane.Path();
    if (context.modes->Query(active ^ 1, 0, pane_mode::kDirectory)) {
        macros.otherDir = other.Path();
        macros.otherSelection = SelectionOf(other, true);
    }
    macros.programDir = context.programDir;
    macros.timeMacros = context.settings->timeMacros;
    ::GetLocalTime(&macros.now);
    return macros;
}

void ViewFiler::RegisterExecuteCommands() {
    // workDirectory: where the program starts; empty: the active pane's directory.
    const auto runProgram = [this](const std::wstring& program, const std::wstring& parameters,
                                   const MacroContext& macros, const std::wstring& workDirectory = {}) {
        if (program.starts_with(L'#')) {
            // The command tables know no "#" words: the program names the plug-in record itself.
            if (m_runPlugin) (void)m_runPlugin(program);
            return;
        }
        if (program.starts_with(L'@')) {
            (void)m_context.registry->Route(ModeGroup::Filer, program + (parameters.empty() ? L"" : L" " + parameters));
            return;
        }
        const std::optional<std::vector<ProgramRun>> runs = PlanProgramRuns(program, parameters, macros);
        if (!runs) return;
        const std::wstring directory = workDirectory.empty() ? macros.activeDir.value_or(L"") : workDirectory;
        for (const ProgramRun& run : *runs)
            (void)GuardedShellExecute(m_context.view, L"open", run.program, run.parameters, directory);
    };

    // ExecuteByKind: true when the tables handled the file (also when the user cancelled the choice).
    const auto executeByKind = [this, runProgram](bool shift, bool loopMode) {
        const Settings& settings = *m_context.settings;
        FilerPane& pane = Pane(ActivePane());
        const FileEntry* entry = pane.CursorEntry();
        if (!entry || IsLinkEntry(*entry)) return false;
        const KindTable& table =
            UseShiftTable(shift, settings.SAMERETURNSHIFT != 0, loopMode) ? settings.kindExeShift : settings.kindExe;
        const std::vector<int> rows = MatchingKindRows(table, entry->cFileName, settings.SELECTSAMEKIND != 0);
        if (rows.empty()) return false;
        int row = rows[0];
        if (rows.size() > 1) {
            std::vector<std::wstring> texts;
            for (int r : rows)
                texts.push_back(table[static_cast<size_t>(r)].exe + L" " + table[static_cast<size_t>(r)].param);
            CKindChoiceDlg dialog(m_context.view, entry->cFileName, texts);
            {
                const SuspendScope suspended(m_context);
                if (dialog.DoModal() != IDOK) return true;
            }
            row = rows[static_cast<size_t>(dialog.Chosen())];
        }
        const Settings::KindExe& chosen = table[static_cast<size_t>(row)];
        const KindAction action = ActionOfRow(chosen, loopMode);
        if (action == KindAction::Refused) return false;
        if (!::SetCurrentDirectoryW(pane.Path().c_str())) return true;
        MacroContext macros = CollectMacroContext(*this, m_context);
        if (action == KindAction::LoopDialog && loopMode) {
            // One run per selected entry, each with that entry standing for %c.
            const std::vector<MacroEntry> selection = macros.selection;
            for (const MacroEntry& file : selection) {
                macros.cursor = file;
                runProgram(chosen.exe, chosen.param, macros);
            }
            return true;
        }
        // A per-file macro outside the loop: RunProgram repeats it over the selection.
        runProgram(chosen.exe, chosen.param, macros);
        return true;
    };

    const auto openFile = [this, executeByKind](bool shift) {
        const Settings& settings = *m_context.settings;
        if (!m_context.modes->Query(ActivePane(), 0, pane_mode::kDirectory)) return;
        FilerPane& pane = Pane(ActivePane());
        const FileEntry* entry = pane.CursorEntry();
        if (!entry || !IsFileEntry(*entry)) return;
        if (executeByKind(shift, false)) return;
        const std::wstring name = entry->cFileName;
        const std::wstring directory = pane.Path();
        const std::wstring path = directory + L"\\" + name;
        const std::wstring_view extension = ExtensionOf(name);
        const SuspendScope suspended(m_context);
        if (SameIgnoringCase(extension, L"EXE")) {
            (void)GuardedShellExecute(m_context.view, nullptr, path, L"", directory);
            return;
        }
        const bool shifted = shift && !settings.SAMERETURNSHIFT;
        if (shifted ? settings.KINDSHIFTWINEXE : settings.KINDWINEXE) {
            if (GuardedShellExecute(m_context.view, nullptr, path, L"", directory)) return;
        }
        if (shifted ? settings.SHIFTRETURNREADREGIST : settings.RETURNREADREGIST) {
            const std::wstring verb = FirstShellVerb(extension);
            if (!verb.empty() && GuardedShellExecute(m_context.view, verb.c_str(), path, L"", directory)) return;
        }
        if (shifted) {
            (void)m_context.registry->Route(ModeGroup::Filer, L"@Edit");
        } else {
            (void)m_context.registry->Route(ModeGroup::Filer, L"@View");
        }
    };
    m_openFile = openFile;

    Add(cmd::filer::Returnkey, [this] { RunReturnAction(); });
    Add(cmd::filer::Execute, [this, runProgram] {
        Settings& settings = *m_context.settings;
        PlayEventSound(settings, SoundEvent::Execute);
        CExecuteDlg dialog(m_context.view, settings.exeHistory.Items(), settings.exeParamHistory.Items());
        {
            const SuspendScope suspended(m_context);
            if (dialog.DoModal() != IDOK || dialog.Program().empty()) return;
        }
        settings.exeHistory.Push(dialog.Program());
        settings.exeParamHistory.Push(dialog.Parameters());
        runProgram(dialog.Program(), dialog.Parameters(), CollectMacroContext(*this, m_context));
    });
    Add(cmd::filer::Lancher, [this, runProgram] {
        if (!m_context.companion || !m_context.modes->Query(ActivePane(), 0, pane_mode::kDirectory)) return;
        Settings& settings = *m_context.settings;
        std::vector<StructZqLauncherEntry> entries(ZQ_LAUNCHER_MAX_ENTRIES);
        const std::vector<StructZqLauncherEntry> given = LauncherEntries(settings.launcher);
        std::copy(given.begin(), given.end(), entries.begin());
        std::vector<StructZqKeyName> keys;
        for (const StructKey& key : KeyTable()) keys.push_back({key.virtualKey, key.name});
        StructZqLauncherRequest request{};
        request.hwndOwner = m_context.view;
        request.Entries = entries.data();
        request.Count = static_cast<int32_t>(given.size());
        request.Keys = keys.data();
        request.KeyCount = static_cast<int32_t>(keys.size());
        int chosen = -1;
        {
            const SuspendScope suspended(m_context);
            chosen = m_context.companion->Launcher(request);
        }
        if (request.Changed) {
            entries.resize(static_cast<size_t>(request.Count));
            settings.launcher = LauncherSettings(entries);
        }
        if (chosen < 0) return;
        const StructZqLauncherEntry& entry = entries[static_cast<size_t>(chosen)];
        if (!::SetCurrentDirectoryW(Pane(ActivePane()).Path().c_str())) return;
        runProgram(entry.Program, entry.Parameters, CollectMacroContext(*this, m_context), entry.Directory);
    });
    Add(cmd::filer::Kindloopexecute, [executeByKind] { (void)executeByKind(false, true); });
    Add(cmd::filer::Edit, [this] {
        const Settings& settings = *m_context.settings;
        const int index = ActivePane();
        FilerPane& pane = Pane(index);
        const FileEntry* entry = pane.CursorEntry();
        if (!entry || !IsFileEntry(*entry)) return;
        PlayEventSound(settings, SoundEvent::Edit);
        const std::wstring path = pane.Path() + L"\\" + entry->cFileName;
        const std::wstring editor = settings.EDITORNAME.empty() ? L"notepad.exe" : settings.EDITORNAME;
        (void)GuardedShellExecute(m_context.view, L"open", editor, L"\"" + path + L"\"", pane.Path());
        ReadKeepingCursor(index);
    });
}

bool ViewFiler::OpenCursorFile(bool shift) {
    if (!m_openFile) return false;
    m_openFile(shift);
    AfterCommand();
    return true;
}

}  // namespace zq
