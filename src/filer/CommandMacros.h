#pragma once
// The "%" macros of a program line and its parameters (programs by extension,
// keys bound to programs, @Execute): the entry under the cursor, the
// selection, the panes' directories, the program's folder and the user's time
// templates.  Expansion works on values the caller collected from the panes,
// so that it needs no window and no pane.
#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zq {

struct MacroEntry {
    std::wstring directory;  // where the entry lives, without a trailing backslash
    std::wstring name;
    bool isDirectory = false;
};

struct MacroContext {
    std::optional<MacroEntry> cursor;       // none on "." and ".." or an empty listing
    std::vector<MacroEntry> selection;      // the active pane's selection in order
    std::optional<std::wstring> activeDir;  // none when the pane is not a directory pane
    std::optional<std::wstring> otherDir;
    std::wstring programDir;
    // The other pane's selection; none when that pane is not a directory-type pane.
    std::optional<std::vector<MacroEntry>> otherSelection;
    std::array<std::wstring, 5> timeMacros;  // TIME_MACRO DEF0-DEF4
    SYSTEMTIME now{};
};

// Expanded texts may be this long at most.
inline constexpr std::size_t kMaxExpandedText = 32000;

// Expands `text`; `pass` picks the selected entry of %i and %l.  None when a
// macro finds nothing to stand for (then nothing runs).
[[nodiscard]] std::optional<std::wstring> ExpandMacros(std::wstring_view text, const MacroContext& context,
                                                       int pass = 0);
// Whether `text` holds %i or %l: the program then runs once per selected entry.
[[nodiscard]] bool HasPerFileMacro(std::wstring_view text);
// Whether `text` holds %c (what loop execution needs).
[[nodiscard]] bool HasCursorMacro(std::wstring_view text);
// A time template ("YYYYMMDD_hhmmss") against a moment: a run of N equal
// letters shows the value's last N digits, padded with zeros.
[[nodiscard]] std::wstring ExpandTimeTemplate(std::wstring_view pattern, const SYSTEMTIME& time);

}  // namespace zq
