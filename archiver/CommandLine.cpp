#include "CommandLine.h"

namespace unbypass {

std::vector<std::wstring> CommandWords(std::wstring_view line) {
    std::vector<std::wstring> words;
    std::wstring word;
    bool quoted = false, any = false;
    for (const wchar_t c : line) {
        if (c == L'"') {
            quoted = !quoted;
            any = true;
        } else if (!quoted && (c == L' ' || c == L'\t' || c == L'\r' || c == L'\n')) {
            if (any) words.push_back(word);
            word.clear();
            any = false;
        } else {
            word += c;
            any = true;
        }
    }
    if (any) words.push_back(word);
    return words;
}

namespace {

// A tar-style cluster of command letters ("xvaf", "pxf", "x"): the command it
// names, or nullopt when the word is something else.
std::optional<CommandKind> Cluster(std::wstring_view letters) {
    if (letters.empty() || letters.find_first_not_of(L"xtpvfazjJ") != std::wstring_view::npos) return std::nullopt;
    if (letters.find(L'p') != std::wstring_view::npos) return CommandKind::Print;
    if (letters.find(L'x') != std::wstring_view::npos) return CommandKind::Extract;
    if (letters.find(L't') != std::wstring_view::npos) return CommandKind::List;
    return std::nullopt;
}

}  // namespace

std::optional<CommandLine> ParseCommandLine(std::wstring_view line) {
    CommandLine command;
    bool haveCommand = false;
    std::optional<bool> folders;
    for (const auto& word : CommandWords(line)) {
        if (word.size() > 1 && word[0] == L'-') {
            const std::wstring_view option(word);
            if (option == L"-d0" || option == L"-j" || option == L"--use-directory=0") {
                folders = false;
            } else if (option == L"-d1" || option == L"--use-directory=1") {
                folders = true;
            } else if (option.size() > 2 && option[1] == L'o') {
                command.destination = word.substr(2);
            } else if (option.size() > 2 && option[1] == L'P') {
                command.password = word.substr(2);
            } else if (option.size() > 4 && option[1] == L'p' && option[2] == L'<' && option.back() == L'>') {
                command.password = word.substr(3, word.size() - 4);
            } else if (const auto kind = Cluster(option.substr(1)); kind && !haveCommand) {
                command.kind = *kind;
                haveCommand = true;
            } else if (option == L"-l" || option == L"-v") {
                command.kind = CommandKind::List;
                haveCommand = true;
            } else if (option.size() > 2 && option[1] == L'p' && !Cluster(option.substr(1))) {
                command.password = word.substr(2);
            }
            continue;
        }
        if (!haveCommand && command.archive.empty()) {
            // The LHA family's commands that change an archive: this library
            // only reads, and says so rather than taking the word for a name.
            if (word == L"a" || word == L"u" || word == L"m" || word == L"d" || word == L"f") {
                command.kind = CommandKind::Change;
                haveCommand = true;
                continue;
            }
            if (word == L"e") {
                haveCommand = true;
                if (!folders) folders = false;
                continue;
            }
            if (word == L"t") {
                command.kind = CommandKind::Test;
                haveCommand = true;
                continue;
            }
            if (word == L"l" || word == L"v") {
                command.kind = CommandKind::List;
                haveCommand = true;
                continue;
            }
            if (const auto kind = Cluster(word)) {
                command.kind = *kind;
                haveCommand = true;
                continue;
            }
        }
        if (command.archive.empty()) {
            command.archive = word;
        } else if (command.destination.empty() && (word.back() == L'\\' || word.back() == L'/')) {
            command.destination = word;
        } else {
            command.members.push_back(word);
        }
    }
    if (command.archive.empty()) return std::nullopt;
    command.keepFolders = folders.value_or(true);
    return command;
}

}  // namespace unbypass
