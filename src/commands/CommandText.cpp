#include "commands/CommandText.h"

namespace zq {

namespace {

void SplitProgram(std::wstring_view text, ParsedAssignment& out) {
    const std::size_t comma = text.find(L',');
    out.program = text.substr(0, comma);
    if (comma != std::wstring_view::npos) out.parameters = text.substr(comma + 1);
}

}  // namespace

std::wstring_view CommandWord(std::wstring_view text) {
    return text.substr(0, text.find(L' '));
}

std::wstring_view CommandArgument(std::wstring_view text) {
    const std::size_t blank = text.find(L' ');
    return blank == std::wstring_view::npos ? std::wstring_view{} : text.substr(blank + 1);
}

std::wstring DefaultCplText(std::wstring_view itemText) {
    std::wstring text(kDefaultCplCommand);
    text += L' ';
    text += itemText;
    return text;
}

ParsedAssignment ParseAssignment(std::wstring_view text) {
    ParsedAssignment out;
    if (text.empty()) return out;
    if (text == kTaskTrayCommand) {
        out.form = AssignmentForm::TaskTray;
        out.word = text;
        return out;
    }
    if (text[0] == L'#') {
        out.form = AssignmentForm::Plugin;
        return out;
    }
    if (text[0] == L'@') {
        out.word = CommandWord(text);
        if (out.word == kDefaultExeCommand) {
            out.form = AssignmentForm::DefaultExe;
            SplitProgram(CommandArgument(text), out);
        } else {
            out.form = AssignmentForm::Command;
            out.argument = CommandArgument(text);
        }
        return out;
    }
    out.form = AssignmentForm::Program;
    SplitProgram(text, out);
    return out;
}

}  // namespace zq
