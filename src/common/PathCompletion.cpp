#include "common/PathCompletion.h"

#include <windows.h>

#include "common/Handle.h"

namespace zq {
namespace {

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

bool IsDots(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// "C:", "\…" and "\\server\…" name their folder themselves; anything else is
// taken from the base directory.
bool IsRooted(const std::wstring& text) {
    return (!text.empty() && IsSeparator(text[0])) || (text.size() >= 2 && text[1] == L':');
}

bool BeginsWith(const wchar_t* name, const std::wstring& prefix) {
    const size_t length = wcslen(name);
    if (length < prefix.size()) return false;
    return ::CompareStringOrdinal(name, static_cast<int>(prefix.size()), prefix.data(), static_cast<int>(prefix.size()),
                                  TRUE) == CSTR_EQUAL;
}

}  // namespace

bool PathCompletion::Start(const std::wstring& text) {
    m_active = false;
    m_matches.clear();
    m_next = 0;

    size_t slash = std::wstring::npos;
    for (size_t i = text.size(); i-- > 0;) {
        if (IsSeparator(text[i])) {
            slash = i;
            break;
        }
    }
    std::wstring typedFolder;  // the folder part as listed, separator included
    std::wstring prefix;
    if (slash != std::wstring::npos) {
        m_hasDirectory = true;
        m_directory = text.substr(0, slash);
        typedFolder = text.substr(0, slash + 1);
        prefix = text.substr(slash + 1);
    } else if (text.size() >= 2 && text[1] == L':') {
        // A drive letter without a separator stands for the drive's root, so
        // that "C:" followed by Ctrl+Tab offers the root's folders.
        m_hasDirectory = true;
        m_directory = text.substr(0, 2);
        typedFolder = m_directory + L"\\";
        prefix = text.substr(2);
    } else {
        m_hasDirectory = false;
        m_directory.clear();
        prefix = text;
    }
    std::wstring pattern = typedFolder + prefix + L"*";
    if (!IsRooted(text) && !m_base.empty()) {
        pattern = m_base;
        if (!IsSeparator(pattern.back())) pattern += L'\\';
        pattern += typedFolder + prefix + L"*";
    }

    // The listing also matches short (8.3) names; only names that really begin
    // with the prefix are offered.  A prefix with wildcards of its own is left
    // to the listing.
    const bool literal = prefix.find_first_of(L"*?") == std::wstring::npos;
    WIN32_FIND_DATAW data{};
    UniqueFind find(::FindFirstFileW(pattern.c_str(), &data));
    if (!find) return false;
    do {
        if (IsDots(data.cFileName)) continue;
        if (m_directoriesOnly && !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        if (literal && !BeginsWith(data.cFileName, prefix)) continue;
        m_matches.emplace_back(data.cFileName);
    } while (::FindNextFileW(find.Get(), &data));
    m_active = !m_matches.empty();
    return m_active;
}

std::optional<std::wstring> PathCompletion::Next(const std::wstring& text) {
    // A text other than the one last handed out was typed or chosen from a
    // list: that is an edit even when no edit was reported.
    if (!m_active || text != m_shown) {
        if (!Start(text)) return std::nullopt;
    }
    const std::wstring& name = m_matches[m_next];
    m_next = (m_next + 1) % m_matches.size();
    // Without a directory part the completed name stands alone, as relative
    // as the text was.
    m_shown = m_hasDirectory ? m_directory + L"\\" + name : name;
    return m_shown;
}

}  // namespace zq
