#include "common/Wildcard.h"

#include <windows.h>

namespace zq {

namespace {

std::wstring Upper(std::wstring_view text) {
    std::wstring out(text);
    if (!out.empty()) ::CharUpperBuffW(out.data(), static_cast<DWORD>(out.size()));
    return out;
}

// One part (base or extension) against its pattern part.
bool MatchPart(std::wstring_view name, std::wstring_view pattern) {
    size_t n = 0;
    for (size_t p = 0; p < pattern.size(); ++p) {
        const wchar_t c = pattern[p];
        if (c == L'*') {
            if (p + 1 == pattern.size()) return true;
            const std::wstring_view rest = pattern.substr(p + 1);
            // Try every place where the character after the star can stand,
            // from left to right.
            for (size_t k = n; k < name.size(); ++k) {
                if ((rest[0] == L'?' || name[k] == rest[0]) && MatchPart(name.substr(k), rest)) return true;
            }
            return false;
        }
        if (n >= name.size()) return false;
        if (c != L'?' && c != name[n]) return false;
        ++n;
    }
    return n == name.size();
}

void SplitAtLastDot(std::wstring_view text, std::wstring_view& base, std::wstring_view& extension) {
    const size_t dot = text.rfind(L'.');
    if (dot == std::wstring_view::npos) {
        base = text;
        extension = {};
    } else {
        base = text.substr(0, dot);
        extension = text.substr(dot + 1);
    }
}

}  // namespace

std::wstring NormaliseWildcard(std::wstring_view pattern) {
    std::wstring upper = Upper(pattern);
    std::wstring out;
    out.reserve(upper.size());
    for (wchar_t c : upper) {
        if (c == L'*' && !out.empty() && out.back() == L'*') continue;
        out.push_back(c);
    }
    return out;
}

bool IsMatchAllPattern(std::wstring_view pattern) noexcept {
    return pattern.empty() || pattern == L"*.*";
}

bool WildcardMatch(std::wstring_view name, std::wstring_view pattern) {
    const std::wstring normal = NormaliseWildcard(pattern);
    if (normal == L"*" || normal == L"*.*") return true;
    const std::wstring upperName = Upper(name);
    std::wstring_view nameBase, nameExt, patBase, patExt;
    SplitAtLastDot(upperName, nameBase, nameExt);
    SplitAtLastDot(normal, patBase, patExt);
    return MatchPart(nameBase, patBase) && MatchPart(nameExt, patExt);
}

}  // namespace zq
