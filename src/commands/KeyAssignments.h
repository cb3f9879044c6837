#pragma once
// The key assignments of the four modes: for each of the 88 keys and each
// modifier, the command text the key runs in that mode ("" = nothing).
//
//   KeyAssignments keys = KeyAssignments::BuiltIn();
//   keys.ReadSection(ModeGroup::Filer, pairsFromIni);      // settings override
//   keys.Find(ModeGroup::Filer, 'C', kModifierCtrl)          -> L"@Toclipfiles"
//   keys.KeyTextFor(ModeGroup::Filer, L"@Copy")             -> L"C"
//   iniWriter.Write(KeySectionName(g), keys.ToSection(g))   // at saving
//
// The settings file itself is read and written elsewhere; this class only
// converts to and from a section's (key name, value) lines.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "commands/CommandTable.h"
#include "commands/KeyTable.h"

namespace zq {

using KeyValueLine = std::pair<std::wstring, std::wstring>;  // (key name, value) of one settings line

// "KEYEXEDATA", "VIEWKEYEXEDATA", "GRAPHICKEYEXEDATA", "BINARYKEYEXEDATA".
[[nodiscard]] const wchar_t* KeySectionName(ModeGroup group);

// Buffer capacity of an assignment (520 in the Filer, 100 elsewhere); texts
// keep at most capacity - 1 units.
[[nodiscard]] std::size_t AssignmentCapacity(ModeGroup group);

// The settings key of a key and modifier: "N_%s", "S_%s", "C_%s", "A_%s".
[[nodiscard]] std::wstring AssignmentKeyName(int keyIndex, int modifier);

class KeyAssignments {
  public:
    KeyAssignments() = default;  // every key unassigned in every mode

    // The program's defaults, which are also the defaults of the key sections.
    [[nodiscard]] static KeyAssignments BuiltIn();

    [[nodiscard]] const std::wstring& Get(ModeGroup group, int keyIndex, int modifier) const;
    // Cuts the text to the mode's capacity, as the settings reader would.
    void Set(ModeGroup group, int keyIndex, int modifier, std::wstring_view text);

    // The assignment of a virtual key, or null when the key has no record or
    // the modifier index is out of range.
    [[nodiscard]] const std::wstring* Find(ModeGroup group, unsigned virtualKey, int modifier) const;

    // The text of the first key bound to the command: modifiers in the order
    // none, Shift, Ctrl, Alt, keys in table order, compared without regard to
    // case.  "X", "Shift+X", "Ctrl+X" or "Alt+X"; nothing when unbound.
    [[nodiscard]] std::optional<std::wstring> KeyTextFor(ModeGroup group, std::wstring_view commandText) const;

    // The mode's section, every key written (also those equal to the default).
    [[nodiscard]] std::vector<KeyValueLine> ToSection(ModeGroup group) const;
    // Reads the mode's section; a key missing from the lines keeps its current
    // assignment, a key present with an empty value becomes unassigned.  When
    // a key occurs twice the first line wins.
    void ReadSection(ModeGroup group, const std::vector<KeyValueLine>& lines);

    friend bool operator==(const KeyAssignments&, const KeyAssignments&) = default;

  private:
    using ModeKeys = std::array<std::array<std::wstring, kModifierCount>, kKeyCount>;
    std::array<ModeKeys, kModeGroupCount> m_text;
};

}  // namespace zq
