#pragma once
// The text forms a key assignment may take, split into their parts.
//
//   "@Copy"                      command of the current mode's table
//   "@Keyjumpdir C:\Tools"       command word and its argument (first blank)
//   "@Defaultcpl 画面"           control-panel item
//   "@Defaultexe a.exe,-x"       program and parameters through the association path
//   "#KEY,plugin.dll"            plug-in command
//   "@Windowtotasktray"          hide the window to the task tray
//   "notepad.exe,$F"             program and parameters (first comma)
#include <string>
#include <string_view>

namespace zq {

enum class AssignmentForm {
    Empty,       // the key does nothing
    TaskTray,    // "@Windowtotasktray"
    Command,     // "@" and a word, with an optional argument after the first blank
    DefaultExe,  // "@Defaultexe" program "," parameters
    Plugin,      // "#" and a plug-in text
    Program,     // program, or program "," parameters
};

struct ParsedAssignment {
    AssignmentForm form = AssignmentForm::Empty;
    std::wstring word;        // Command and DefaultExe: "@" up to the first blank
    std::wstring argument;    // Command: the rest after the first blank
    std::wstring program;     // DefaultExe and Program: up to the first comma
    std::wstring parameters;  // DefaultExe and Program: after the first comma
};

inline constexpr std::wstring_view kTaskTrayCommand = L"@Windowtotasktray";
inline constexpr std::wstring_view kDefaultExeCommand = L"@Defaultexe";
inline constexpr std::wstring_view kDefaultCplCommand = L"@Defaultcpl";
inline constexpr std::wstring_view kKeyJumpDirCommand = L"@Keyjumpdir";

[[nodiscard]] ParsedAssignment ParseAssignment(std::wstring_view text);

// The command word of an "@" text: everything up to the first blank.
[[nodiscard]] std::wstring_view CommandWord(std::wstring_view text);
// Everything after the first blank, or "" when there is none.
[[nodiscard]] std::wstring_view CommandArgument(std::wstring_view text);

// "@Defaultcpl " followed by the control-panel item's text.
[[nodiscard]] std::wstring DefaultCplText(std::wstring_view itemText);

}  // namespace zq
