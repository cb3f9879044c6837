#include "commands/KeyConfigEditor.h"

#include "commands/CommandTable.h"
#include "commands/KeyTable.h"

namespace zq {

namespace {

const wchar_t* const kModifierLabels[kModifierCount] = {L"なし", L"Shift", L"Ctrl", L"Alt"};

bool ValidSlot(int keyIndex, int modifier) {
    return keyIndex >= 0 && keyIndex < kKeyCount && modifier >= 0 && modifier < kModifierCount;
}

bool Blank(std::wstring_view text) {
    return text.find_first_not_of(L' ') == std::wstring_view::npos;
}

}  // namespace

const wchar_t* ProblemMessage(AssignmentProblem problem) {
    switch (problem) {
        case AssignmentProblem::UnknownCommand:
            return L"このモードにはないコマンドです";
        case AssignmentProblem::MissingArgument:
            return L"設定する内容が入力されていません";
        case AssignmentProblem::NotInThisMode:
            return L"このモードでは設定できません";
        case AssignmentProblem::CommaInProgram:
            return L"ファイル名に「,」は使えません";
        case AssignmentProblem::None:
            break;
    }
    return L"";
}

const wchar_t* ModifierLabel(int modifier) {
    return modifier >= 0 && modifier < kModifierCount ? kModifierLabels[modifier] : L"";
}

std::wstring ProgramText(std::wstring_view program, std::wstring_view parameters) {
    std::wstring text(program);
    if (!parameters.empty()) {
        text += L',';
        text += parameters;
    }
    return text;
}

KeyConfigEditor::KeyConfigEditor(const KeyAssignments& original, ModeGroup group) : m_keys(original), m_group(group) {}

void KeyConfigEditor::Select(int keyIndex, int modifier) {
    if (!ValidSlot(keyIndex, modifier)) return;
    m_key = keyIndex;
    m_modifier = modifier;
}

const std::wstring& KeyConfigEditor::Current() const {
    return m_keys.Get(m_group, m_key, m_modifier);
}

void KeyConfigEditor::ApplyTo(KeyAssignments& target) const {
    for (int k = 0; k < kKeyCount; ++k)
        for (int m = 0; m < kModifierCount; ++m) target.Set(m_group, k, m, m_keys.Get(m_group, k, m));
}

bool KeyConfigEditor::Changed(const KeyAssignments& original) const {
    for (int k = 0; k < kKeyCount; ++k)
        for (int m = 0; m < kModifierCount; ++m)
            if (original.Get(m_group, k, m) != m_keys.Get(m_group, k, m)) return true;
    return false;
}

std::wstring KeyConfigEditor::KeyListLine(int keyIndex) const {
    if (keyIndex < 0 || keyIndex >= kKeyCount) return {};
    return std::wstring(KeyTable()[keyIndex].name) + L'\t' + m_keys.Get(m_group, keyIndex, m_modifier);
}

std::vector<std::wstring> KeyConfigEditor::KeyListLines() const {
    std::vector<std::wstring> lines;
    lines.reserve(kKeyCount);
    for (int k = 0; k < kKeyCount; ++k) lines.push_back(KeyListLine(k));
    return lines;
}

std::vector<std::wstring> KeyConfigEditor::CategoryNames() const {
    const auto categories = CommandTableOf(m_group).categories;
    return {categories.begin(), categories.end()};
}

std::vector<std::wstring> KeyConfigEditor::CommandLines(int category) const {
    std::vector<std::wstring> lines;
    for (const StructCommand* c : CommandsInCategory(m_group, category))
        lines.push_back(std::wstring(c->name) + L'\t' + c->description);
    return lines;
}

std::wstring KeyConfigEditor::CommandAt(int category, int row) const {
    const auto rows = CommandsInCategory(m_group, category);
    if (row < 0 || static_cast<std::size_t>(row) >= rows.size()) return {};
    return rows[static_cast<std::size_t>(row)]->name;
}

CommandPosition KeyConfigEditor::PositionOf(std::wstring_view text) const {
    if (!text.starts_with(L'@')) return {};
    const StructCommand* command = FindCommand(m_group, CommandWord(text));
    if (!command) return {};
    const auto rows = CommandsInCategory(m_group, command->category);
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i] == command) return {command->category, static_cast<int>(i)};
    return {};
}

AssignmentProblem KeyConfigEditor::Check(std::wstring_view text) const {
    if (text.empty()) return AssignmentProblem::None;
    const bool filer = m_group == ModeGroup::Filer;
    // Programs and plug-in texts are run only by the Filer's dispatch; the
    // other modes hand every text to their command routine, where it would
    // silently do nothing.
    if (!text.starts_with(L'@')) return filer ? AssignmentProblem::None : AssignmentProblem::NotInThisMode;
    const std::wstring_view word = CommandWord(text);
    const std::wstring_view argument = CommandArgument(text);
    if (word == kDefaultCplCommand)
        return Blank(argument) ? AssignmentProblem::MissingArgument : AssignmentProblem::None;
    if (word == kDefaultExeCommand) {
        if (!filer) return AssignmentProblem::NotInThisMode;
        return Blank(argument) ? AssignmentProblem::MissingArgument : AssignmentProblem::None;
    }
    if (!FindCommand(m_group, word)) {
        if (!filer && FindCommand(ModeGroup::Filer, word)) return AssignmentProblem::NotInThisMode;
        return AssignmentProblem::UnknownCommand;
    }
    if (word == kKeyJumpDirCommand && Blank(argument)) return AssignmentProblem::MissingArgument;
    return AssignmentProblem::None;
}

AssignmentProblem KeyConfigEditor::AssignText(std::wstring_view text) {
    const AssignmentProblem problem = Check(text);
    if (problem == AssignmentProblem::None) m_keys.Set(m_group, m_key, m_modifier, text);
    return problem;
}

AssignmentProblem KeyConfigEditor::AssignCommand(std::wstring_view commandName) {
    return AssignText(commandName);
}

AssignmentProblem KeyConfigEditor::AssignKeyJumpDir(std::wstring_view directory) {
    return AssignText(std::wstring(kKeyJumpDirCommand) + L' ' + std::wstring(directory));
}

AssignmentProblem KeyConfigEditor::AssignProgram(std::wstring_view program, std::wstring_view parameters) {
    if (Blank(program)) return AssignmentProblem::MissingArgument;
    if (program.find(L',') != std::wstring_view::npos) return AssignmentProblem::CommaInProgram;
    // A program whose name starts with "@" or "#" would be read back as a
    // command or a plug-in text, so it is refused rather than changed.
    const std::wstring text = ProgramText(program, parameters);
    if (text.starts_with(L'@') || text.starts_with(L'#')) return AssignmentProblem::UnknownCommand;
    return AssignText(text);
}

AssignmentProblem KeyConfigEditor::AssignDefaultExe(std::wstring_view program, std::wstring_view parameters) {
    if (Blank(program)) return AssignmentProblem::MissingArgument;
    if (program.find(L',') != std::wstring_view::npos) return AssignmentProblem::CommaInProgram;
    return AssignText(std::wstring(kDefaultExeCommand) + L' ' + ProgramText(program, parameters));
}

void KeyConfigEditor::Clear() {
    m_keys.Set(m_group, m_key, m_modifier, L"");
}

}  // namespace zq
