#include "filer/InListSearch.h"

#include <windows.h>

#include <string>
#include <vector>

namespace zq {

namespace {

std::wstring Upper(std::wstring_view text) {
    std::wstring upper(text);
    if (!upper.empty()) ::CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    return upper;
}

// CharUpperBuffW maps each UTF-16 unit by itself, so one call over every unit gives its whole mapping.
const std::vector<wchar_t>& UpperTable() {
    static const std::vector<wchar_t> table = [] {
        std::vector<wchar_t> t(65536);
        for (size_t c = 0; c < t.size(); ++c) t[c] = static_cast<wchar_t>(c);
        ::CharUpperBuffW(t.data() + 1, static_cast<DWORD>(t.size() - 1));
        return t;
    }();
    return table;
}

wchar_t Upper(wchar_t ch) {
    return Upper(std::wstring_view(&ch, 1))[0];
}

constexpr SearchInput kNotTaken{};
constexpr SearchInput kTakenEmpty{true, 0};

SearchInput Gives(wchar_t ch) {
    return {true, ch};
}

}  // namespace

SearchInput TranslateSearchKey(unsigned virtualKey) {
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9'))
        return Gives(static_cast<wchar_t>(virtualKey));
    if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9)
        return Gives(static_cast<wchar_t>(L'0' + (virtualKey - VK_NUMPAD0)));
    switch (virtualKey) {
        case VK_SPACE:
            return Gives(L' ');
        // The keys of a Japanese keyboard that type characters names may hold.
        case 0xBD:
            return Gives(L'-');
        case 0xBE:
            return Gives(L'.');
        case 0xC0:
            return Gives(L'@');
        case 0xDB:
            return Gives(L'[');
        case 0xDD:
            return Gives(L']');
        case 0xDE:
            return Gives(L'^');
        // Semicolon, colon, comma, slash and both backslash keys: taken so that
        // they do not run their commands while searching, but they add nothing.
        case 0xBB:
        case 0xBA:
        case 0xBC:
        case 0xBF:
        case 0xDC:
        case 0xE2:
            return kTakenEmpty;
        default:
            return kNotTaken;
    }
}

SearchInput TranslateSearchChar(wchar_t ch) {
    if (ch < 32 || ch == 127) return kNotTaken;
    if (ch > 126) return Gives(ch);  // kana, kanji and the rest of what an input method hands over
    // Characters that cannot occur in a file name.
    constexpr std::wstring_view kNeverInNames = L"\\\"'`/:;*|<>?";
    if (kNeverInNames.find(ch) != std::wstring_view::npos) return kTakenEmpty;
    return Gives(ch);
}

bool SearchModeTakes(unsigned mode, bool typedCharacter, bool shift, bool ctrl) {
    switch (mode) {
        case kSearchPlain:
            return !typedCharacter && !shift && !ctrl;
        case kSearchShift:
            return !typedCharacter && shift && !ctrl;
        case kSearchCtrl:
            return !typedCharacter && ctrl && !shift;
        case kSearchExpanded:
            return typedCharacter && !ctrl;
        default:
            return false;
    }
}

int SimpleSearchTarget(const SearchNameAt& nameAt, int count, int cursor, wchar_t ch) {
    if (count <= 0) return -1;
    const wchar_t wanted = Upper(ch);
    // After the cursor to the end, then from the top up to the entry before it.
    for (int step = 1; step < count + 1; ++step) {
        const int position = (cursor + step) % count;
        if (position == cursor) break;
        const std::wstring_view name = nameAt(position);
        if (!name.empty() && Upper(name[0]) == wanted) return position;
    }
    return -1;
}

int IncrementalSearchTarget(const SearchNameAt& nameAt, int count, std::wstring_view buffer) {
    if (buffer.empty()) return -1;
    const std::wstring wanted = Upper(buffer);
    // A listing of 100,000 names is scanned at each typed character: the
    // names are upper-cased through a table made once by the platform's own
    // mapping, not by a call (and an allocation) per name.
    const std::vector<wchar_t>& upper = UpperTable();
    for (int position = 0; position < count; ++position) {
        const std::wstring_view name = nameAt(position);
        if (name.size() < wanted.size()) continue;
        size_t i = 0;
        while (i < wanted.size() && upper[name[i]] == wanted[i]) ++i;
        if (i == wanted.size()) return position;
    }
    return -1;
}

void InListSearch::SetIncrementalMode(unsigned mode) {
    m_incrementalMode = mode <= kSearchExpanded ? mode : kSearchOff;
    if (m_incrementalMode == kSearchOff) m_buffer.clear();
}

void InListSearch::End() {
    m_buffer.clear();
    m_incrementalMode = kSearchOff;
}

InListKeyResult InListSearch::Offer(const SearchInput& input, bool incremental, bool simple, const SearchNameAt& nameAt,
                                    int count, int cursor) {
    InListKeyResult result;
    if (!input.taken) return result;
    if (incremental) {
        result.taken = true;
        if (input.ch == 0) return result;
        // A full buffer is searched again as it stands.
        if (m_buffer.size() <= kMaxBuffer) m_buffer.push_back(input.ch);
        result.bufferShown = true;
        result.target = IncrementalSearchTarget(nameAt, count, m_buffer);
        return result;
    }
    if (simple) {
        result.taken = true;
        if (input.ch != 0) result.target = SimpleSearchTarget(nameAt, count, cursor, input.ch);
    }
    return result;
}

InListKeyResult InListSearch::OnKeyDown(unsigned virtualKey, bool shift, bool ctrl, const SearchNameAt& nameAt,
                                        int count, int cursor) {
    const bool incremental = SearchModeTakes(m_incrementalMode, false, shift, ctrl);
    const bool simple = SearchModeTakes(m_simpleMode, false, shift, ctrl);
    const SearchInput input = TranslateSearchKey(virtualKey);
    if (!incremental && !simple) {
        // An expanded search reads the character the key types next; the key
        // itself must not run the command bound to it meanwhile.
        const bool expanded = m_incrementalMode == kSearchExpanded || m_simpleMode == kSearchExpanded;
        InListKeyResult result;
        result.taken = expanded && !ctrl && input.taken;
        return result;
    }
    return Offer(input, incremental, simple, nameAt, count, cursor);
}

InListKeyResult InListSearch::OnChar(wchar_t ch, bool ctrl, const SearchNameAt& nameAt, int count, int cursor) {
    const bool incremental = SearchModeTakes(m_incrementalMode, true, false, ctrl);
    const bool simple = SearchModeTakes(m_simpleMode, true, false, ctrl);
    if (!incremental && !simple) return {};
    return Offer(TranslateSearchChar(ch), incremental, simple, nameAt, count, cursor);
}

InListKeyResult InListSearch::Back(const SearchNameAt& nameAt, int count) {
    InListKeyResult result;
    if (m_buffer.empty()) return result;
    m_buffer.pop_back();
    result.taken = true;
    result.bufferShown = true;
    result.target = IncrementalSearchTarget(nameAt, count, m_buffer);
    return result;
}

}  // namespace zq
