#pragma once
// What the key-configuration dialogs edit and show, without the windows: a
// copy of the key assignments, the slot (key and modifier) being edited, the
// lines of the key list and of the command list, and the texts that the
// dialog's fields put together.  The live assignments change only in ApplyTo,
// which the dialogs call on OK.
//
//   KeyConfigEditor ed(liveKeys, ModeGroup::Filer);
//   ed.Select(FindKeyIndexByName(L"C"), kModifierCtrl);
//   ed.AssignCommand(L"@Toclipfiles");
//   if (ok) ed.ApplyTo(liveKeys);                     // cancel: simply drop the editor
#include <string>
#include <string_view>
#include <vector>

#include "commands/CommandText.h"
#include "commands/KeyAssignments.h"

namespace zq {

// Why a text cannot be stored in the slot being edited.
enum class AssignmentProblem {
    None,
    UnknownCommand,   // "@" and a word that is neither a command of the mode nor a known form
    MissingArgument,  // "@Keyjumpdir", "@Defaultexe" or "@Defaultcpl" without what they need
    NotInThisMode,    // a Filer-only form offered to a Viewer, Graphic or BinaryEditor key
    CommaInProgram,   // the dispatcher divides program and parameters at the first comma
};

// The message the dialogs show for a refused text; "" for None.
[[nodiscard]] const wchar_t* ProblemMessage(AssignmentProblem problem);

// Where the dialog's command list should stand for an assignment: the
// command's category and its position in that category; -1 for texts that
// are no command of the mode's table.
struct CommandPosition {
    int category = -1;
    int row = -1;
};

class KeyConfigEditor {
  public:
    KeyConfigEditor(const KeyAssignments& original, ModeGroup group);

    [[nodiscard]] ModeGroup Group() const noexcept { return m_group; }

    // The slot being edited.  Out-of-range indices leave the selection as it is.
    void Select(int keyIndex, int modifier);
    [[nodiscard]] int KeyIndex() const noexcept { return m_key; }
    [[nodiscard]] int Modifier() const noexcept { return m_modifier; }
    [[nodiscard]] const std::wstring& Current() const;

    // The copy being edited, and writing the edited mode back into the live
    // assignments (other modes of the target are left alone).
    [[nodiscard]] const KeyAssignments& Edited() const noexcept { return m_keys; }
    void ApplyTo(KeyAssignments& target) const;
    [[nodiscard]] bool Changed(const KeyAssignments& original) const;

    // The key list: one line per key of the 88-key table, "name\tassignment"
    // for the modifier being edited.
    [[nodiscard]] std::vector<std::wstring> KeyListLines() const;
    [[nodiscard]] std::wstring KeyListLine(int keyIndex) const;

    // The mode's category names and the command list of one category,
    // "@Name\tdescription" in table order.
    [[nodiscard]] std::vector<std::wstring> CategoryNames() const;
    [[nodiscard]] std::vector<std::wstring> CommandLines(int category) const;
    // The command name of a row of a category's list; empty for a bad row.
    [[nodiscard]] std::wstring CommandAt(int category, int row) const;
    [[nodiscard]] CommandPosition PositionOf(std::wstring_view text) const;

    // Checks a text for the mode.  Any Filer text that does not start with
    // "@" is a program or a plug-in text and is accepted as it stands.
    [[nodiscard]] AssignmentProblem Check(std::wstring_view text) const;

    // The editing operations; each stores into the selected slot of the copy
    // and answers the problem when it refused.
    AssignmentProblem AssignText(std::wstring_view text);
    AssignmentProblem AssignCommand(std::wstring_view commandName);
    AssignmentProblem AssignKeyJumpDir(std::wstring_view directory);
    AssignmentProblem AssignProgram(std::wstring_view program, std::wstring_view parameters);
    AssignmentProblem AssignDefaultExe(std::wstring_view program, std::wstring_view parameters);
    void Clear();

    // The parts of the current text for the dialog's fields.
    [[nodiscard]] ParsedAssignment CurrentParts() const { return ParseAssignment(Current()); }

  private:
    KeyAssignments m_keys;
    ModeGroup m_group;
    int m_key = 0;
    int m_modifier = kModifierNone;
};

// The names of the four modifiers as the dialogs offer them.
[[nodiscard]] const wchar_t* ModifierLabel(int modifier);

// "program" or "program,parameters": the dispatcher divides at the first comma.
[[nodiscard]] std::wstring ProgramText(std::wstring_view program, std::wstring_view parameters);

}  // namespace zq
