#include "filer/CommandMacros.h"

#include <array>
#include <cwctype>

namespace zq {

namespace {

enum class MacroKind { None, Cursor, PerFile, All, AllBoth, NoExtension, Directory, Time };

struct Macro {
    MacroKind kind = MacroKind::None;
    size_t length = 0;   // letters after the "%", modifiers included
    int which = 0;       // directory: 0 active, 1 other, 2 program; time: 0-4
    bool slash = false;  // directory: with the trailing backslash
    bool dirs = false;   // "d": directories count as entries too
    bool bare = false;   // "f": the name without its directory
};

bool IsEntryKind(MacroKind kind) {
    return kind == MacroKind::Cursor || kind == MacroKind::PerFile || kind == MacroKind::All ||
           kind == MacroKind::AllBoth || kind == MacroKind::NoExtension;
}

// The macro at `text` (just after a "%").
Macro Parse(std::wstring_view text) {
    Macro m;
    auto at = [&text](size_t i) { return i < text.size() ? text[i] : L'\0'; };
    const wchar_t first = at(0);
    if ((first == L'f' || first == L'g') && (at(1) == L'c' || at(1) == L'o' || at(1) == L's')) {
        m.kind = MacroKind::Directory;
        m.slash = first == L'f';
        m.which = at(1) == L'c' ? 0 : at(1) == L'o' ? 1 : 2;
        m.length = 2;
        if (at(2) == L'd') {
            m.dirs = true;
            m.length = 3;
        }
        return m;
    }
    if (first == L't' && at(1) >= L'1' && at(1) <= L'5') return {MacroKind::Time, 2, at(1) - L'1'};
    switch (first) {
        case L'c':
            m.kind = MacroKind::Cursor;
            break;
        case L'i':
        case L'l':
            m.kind = MacroKind::PerFile;
            break;
        case L'm':
            m.kind = at(1) == L'b' ? MacroKind::AllBoth : MacroKind::All;
            break;
        case L'x':
            m.kind = MacroKind::NoExtension;
            break;
        default:
            return m;
    }
    m.length = m.kind == MacroKind::AllBoth ? 2 : 1;
    for (int n = 0; n < 2; ++n) {
        const wchar_t modifier = at(m.length);
        if (modifier == L'd' && !m.dirs) {
            m.dirs = true;
        } else if (modifier == L'f' && !m.bare) {
            m.bare = true;
        } else {
            break;
        }
        ++m.length;
    }
    return m;
}

std::wstring Quoted(std::wstring text, bool quote) {
    if (quote && text.find(L' ') != std::wstring::npos) return L"\"" + text + L"\"";
    return text;
}

std::wstring EntryText(const MacroEntry& entry, const Macro& m, bool quote) {
    std::wstring name = entry.name;
    if (m.kind == MacroKind::NoExtension && !entry.isDirectory) {
        const size_t dot = name.rfind(L'.');
        if (dot != std::wstring::npos) name.resize(dot);
    }
    return Quoted(m.bare ? name : entry.directory + L"\\" + name, quote);
}

bool Admitted(const MacroEntry& entry, const Macro& m) {
    return m.dirs || !entry.isDirectory;
}

// The selection's admitted entries, one text each, joined by single spaces.
std::optional<std::wstring> JoinedEntries(const std::vector<MacroEntry>& entries, const Macro& m, bool quote) {
    std::wstring out;
    for (const MacroEntry& entry : entries) {
        if (!Admitted(entry, m)) continue;
        if (!out.empty()) out += L' ';
        out += EntryText(entry, m, quote);
    }
    if (out.empty()) return std::nullopt;
    return out;
}

std::optional<std::wstring> DirectoryText(const Macro& m, const MacroContext& context, bool quote) {
    std::optional<std::wstring> dir = m.which == 0   ? context.activeDir
                                      : m.which == 1 ? context.otherDir
                                                     : std::optional<std::wstring>(context.programDir);
    if (!dir || dir->empty()) return std::nullopt;
    std::wstring path = *dir;
    while (!path.empty() && path.back() == L'\\') path.pop_back();
    if (m.dirs) {
        // "d": the short form of the path, for programs that cannot take
        // spaces or long names; the path as it is when it has none.
        wchar_t shortPath[MAX_PATH];
        const DWORD n = ::GetShortPathNameW(path.c_str(), shortPath, MAX_PATH);
        if (n > 0 && n < MAX_PATH) path.assign(shortPath, n);
    }
    if (m.slash) path += L'\\';
    return Quoted(path, quote);
}

std::optional<std::wstring> Expand(const Macro& m, const MacroContext& context, int pass, bool quote) {
    switch (m.kind) {
        case MacroKind::Cursor:
        case MacroKind::NoExtension:
            if (!context.cursor || !Admitted(*context.cursor, m)) return std::nullopt;
            return EntryText(*context.cursor, m, quote);
        case MacroKind::PerFile: {
            int n = 0;
            for (const MacroEntry& entry : context.selection) {
                if (!Admitted(entry, m)) continue;
                if (n++ == pass) return EntryText(entry, m, quote);
            }
            return std::nullopt;
        }
        case MacroKind::All:
            return JoinedEntries(context.selection, m, quote);
        case MacroKind::AllBoth: {
            std::optional<std::wstring> mine = JoinedEntries(context.selection, m, quote);
            if (!mine) return std::nullopt;
            if (context.otherSelection) {
                const std::optional<std::wstring> theirs = JoinedEntries(*context.otherSelection, m, quote);
                if (theirs) *mine += L' ' + *theirs;
            }
            return mine;
        }
        case MacroKind::Directory:
            return DirectoryText(m, context, quote);
        case MacroKind::Time:
            return ExpandTimeTemplate(context.timeMacros[static_cast<size_t>(m.which)], context.now);
        default:
            return std::nullopt;
    }
}

bool HasKind(std::wstring_view text, MacroKind kind) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != L'%') continue;
        const Macro m = Parse(text.substr(i + 1));
        if (m.kind == kind) return true;
        i += m.length;
    }
    return false;
}

}  // namespace

std::optional<std::wstring> ExpandMacros(std::wstring_view text, const MacroContext& context, int pass) {
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        const Macro m = text[i] == L'%' ? Parse(text.substr(i + 1)) : Macro{};
        if (m.kind == MacroKind::None) {
            out += text[i];
        } else {
            const size_t after = i + 1 + m.length;
            const bool quote = (IsEntryKind(m.kind) || m.kind == MacroKind::Directory) &&
                               (after >= text.size() || text[after] == L' ' || text[after] == L'"');
            const std::optional<std::wstring> value = Expand(m, context, pass, quote);
            if (!value) return std::nullopt;
            out += *value;
            i = after - 1;
        }
        if (out.size() > kMaxExpandedText) return std::nullopt;
    }
    return out;
}

bool HasPerFileMacro(std::wstring_view text) {
    return HasKind(text, MacroKind::PerFile);
}

bool HasCursorMacro(std::wstring_view text) {
    return HasKind(text, MacroKind::Cursor);
}

std::wstring ExpandTimeTemplate(std::wstring_view pattern, const SYSTEMTIME& time) {
    constexpr std::wstring_view kLetters = L"YMDhms";
    const std::array<unsigned, 6> values = {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
    std::array<int, 6> total{};
    for (wchar_t ch : pattern) {
        const size_t letter = kLetters.find(ch);
        if (letter != std::wstring_view::npos) ++total[letter];
    }
    std::array<int, 6> seen{};
    std::wstring out;
    for (wchar_t ch : pattern) {
        const size_t letter = kLetters.find(ch);
        if (letter == std::wstring_view::npos) {
            out += ch;
            continue;
        }
        const std::wstring digits = std::to_wstring(values[letter]);
        const int position = static_cast<int>(digits.size()) - total[letter] + seen[letter]++;
        out +=
            position >= 0 && position < static_cast<int>(digits.size()) ? digits[static_cast<size_t>(position)] : L'0';
    }
    return out;
}

}  // namespace zq
